#pragma once

#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

#include "cli/keys.h"
#include "io/file_system.h"

namespace cfg {

// One command of the command line, after the options that come before it.
struct Command {
  std::string name;                   // show, get, set, check, init
  std::vector<std::string> operands;  // keys for get, KEY=VALUE pairs for set
  bool json = false;                  // show --json
};

// Runs a command on the configuration in `files`; the result is the exit
// status: 0 done, 1 the report stopped with ERROR!! (show), 2 a file could
// not be read or written, or the operands were wrong.
int run_command(const Command& command, FileSystem& files, std::ostream& out, std::ostream& err);

// The commands, each given a loaded or empty directory by run_command.
int show_report(FileSystem& files, std::ostream& out, std::ostream& err);
int show_json(FileSystem& files, std::ostream& out, std::ostream& err);
int get_values(FileSystem& files, const std::vector<std::string>& keys, std::ostream& out, std::ostream& err);
int set_values(FileSystem& files, const std::vector<std::string>& pairs, std::ostream& out, std::ostream& err);
int check_configuration(FileSystem& files, std::ostream& out, std::ostream& err);
int write_example_configuration(FileSystem& files, std::ostream& out, std::ostream& err);

// The one place where the command line writes the configuration: the files
// given, each (name, text) as a save writes it, after checking that every
// file a save requires is there; nothing is written when one is missing.
void write_configuration_files(FileSystem& files, const std::vector<std::pair<std::string, std::string>>& changed);

// An error about the operands: "config: <message>" on standard error; the
// status is 2.
int operand_error(std::ostream& err, const std::string& message);
// "config: unknown key ..." with the nearest known keys; the status is 2.
int unknown_key_error(std::ostream& err, const std::string& text, Lookup lookup);

}  // namespace cfg

#pragma once

#include <string>
#include <utility>
#include <vector>

#include "cli/keys.h"
#include "driver/saving.h"
#include "io/file_system.h"
#include "io/output_writer.h"

namespace cfg {

// One command of the command line, after the options that come before it.
// Its forms are those of the table of commands (cli/command_table.h).
struct Command {
  std::string name;                   // show, get, set, apply, diff, ...
  std::string option;                 // the options of the form, as the table spells them; empty for the plain form
  std::vector<std::string> operands;  // keys for get, KEY=VALUE pairs for set, files for apply and diff
};

// Runs a command on the configuration in `files`; the result is the exit
// status: 0 done, 1 the report stopped with ERROR!! (show), the
// configurations differ (diff) or no key matched (keys), 2 a file could not
// be read or written, or the operands were wrong.
int run_command(const Command& command, FileSystem& files, OutputWriter& out, OutputWriter& err);

// The commands, each given a loaded or empty directory by run_command.
// get and set are given at least one operand.
int show_report(FileSystem& files, OutputWriter& out, OutputWriter& err);
int show_json(FileSystem& files, OutputWriter& out, OutputWriter& err);
int get_values(FileSystem& files, const std::vector<std::string>& keys, OutputWriter& out, OutputWriter& err);
int set_values(FileSystem& files, const std::vector<std::string>& pairs, OutputWriter& out, OutputWriter& err);
int set_values_dry_run(FileSystem& files, const std::vector<std::string>& pairs, OutputWriter& out,
                       OutputWriter& err);
int apply_values(FileSystem& files, const std::vector<std::string>& operands, OutputWriter& out, OutputWriter& err);
int apply_values_dry_run(FileSystem& files, const std::vector<std::string>& operands, OutputWriter& out,
                         OutputWriter& err);
// diff's status: 0 the same, 1 they differ, 2 an error.
int diff_configurations(FileSystem& files, const std::vector<std::string>& operands, OutputWriter& out,
                        OutputWriter& err);
int diff_configurations_json(FileSystem& files, const std::vector<std::string>& operands, OutputWriter& out,
                             OutputWriter& err);
int diff_last_save(FileSystem& files, const std::vector<std::string>& operands, OutputWriter& out, OutputWriter& err);
int diff_last_save_json(FileSystem& files, const std::vector<std::string>& operands, OutputWriter& out,
                        OutputWriter& err);
int check_configuration(FileSystem& files, OutputWriter& out, OutputWriter& err);
int write_example_configuration(FileSystem& files, OutputWriter& out, OutputWriter& err);

// The one place where the command line writes the configuration: the files
// given, each (name, text) as a save writes it, through option 9's save
// under the locks the caller holds; its notes (a split hard link) go to
// standard error.
void write_configuration_files(FileSystem& files, SaveLocks& locks, const FileTexts& changed, OutputWriter& err);

// An error about the operands: "config: <message>" on standard error; the
// status is 2.
int operand_error(OutputWriter& err, const std::string& message);
// "config: unknown key ..." with the nearest known keys; the status is 2.
int unknown_key_error(OutputWriter& err, const std::string& text, Lookup lookup);

}  // namespace cfg

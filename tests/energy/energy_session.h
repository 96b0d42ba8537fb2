#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "config/config_files.h"
#include "config/config_record.h"
#include "io/file_system.h"
#include "io/line_source.h"
#include "io/list_writer.h"
#include "io/record_reader.h"
#include "support/session_harness.h"
#include "support/screen_texts.h"

namespace cfg::testing {

// Option 7 with the given answers, then ENTER at the main menu and y to save.
inline SessionResult run_option_7(const ScratchConfig& scratch, const std::string& answers) {
  return scratch.run("7\n" + answers + "\n\ny\n");
}

// The saved data.dat, read back through the program's own loader.
inline ConfigRecord saved_config(const ScratchConfig& scratch) {
  DiskFileSystem files(scratch.dir());
  ConfigRecord config;
  load_data_file(files, config);
  return config;
}

// One record of a file, from its given line (1 is the first).
template <class... Fields>
void read_record_at(const ScratchConfig& scratch, const std::string& name, int line, Fields&... fields) {
  TextLines lines(name, scratch.read(name));
  RecordReader reader(lines);
  for (int i = 1; i < line; ++i) reader.skip_record();
  reader.read(fields...);
}
template <class... Fields>
void read_record(const ScratchConfig& scratch, const std::string& name, Fields&... fields) {
  read_record_at(scratch, name, 1, fields...);
}

inline long count_lines_equal(const std::string& out, const std::string& line) {
  const std::vector<std::string> lines = lines_of(out);
  return std::count(lines.begin(), lines.end(), line);
}
inline bool has_line(const std::string& out, const std::string& line) { return count_lines_equal(out, line) > 0; }

// The expected lines follow one another directly somewhere in the output.
inline ::testing::AssertionResult has_block(const std::string& out, const std::vector<std::string>& block) {
  const std::vector<std::string> lines = lines_of(out);
  if (std::search(lines.begin(), lines.end(), block.begin(), block.end()) != lines.end()) {
    return ::testing::AssertionSuccess();
  }
  std::string wanted;
  for (const std::string& line : block) wanted += "[" + line + "]\n";
  return ::testing::AssertionFailure() << "block not found:\n" << wanted;
}

// The line printed right after the first line equal to `line`, or "".
inline std::string line_after(const std::string& out, const std::string& line) {
  const std::vector<std::string> lines = lines_of(out);
  const auto found = std::find(lines.begin(), lines.end(), line);
  if (found == lines.end() || found + 1 == lines.end()) return "";
  return *(found + 1);
}

inline const std::string kMainMenuFirstLine = " Choose an option between 1 - 11.";

// The five-line input-error message.
inline const std::vector<std::string>& kInputError = kInputErrorLines;

// The example's data.dat with one record (from 1) replaced.
inline std::string data_with_record(const ScratchConfig& scratch, int record, const std::string& text) {
  std::vector<std::string> lines = lines_of(scratch.read("data.dat"));
  lines.at(static_cast<std::size_t>(record - 1)) = text;
  std::string joined;
  for (const std::string& line : lines) joined += line + "\n";
  return joined;
}

}  // namespace cfg::testing

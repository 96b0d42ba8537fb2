#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace cfg {
class FileSystem;
}

namespace cfg::testing {

// What one run of the program left: its output, its error stream, its status.
struct SessionResult {
  std::string out;
  std::string err;
  int status = -1;
};

// A scratch directory holding a copy of the example configuration, removed
// again when the test ends. Sessions run in-process against its files.
class ScratchConfig {
 public:
  ScratchConfig();
  ~ScratchConfig();
  ScratchConfig(const ScratchConfig&) = delete;
  ScratchConfig& operator=(const ScratchConfig&) = delete;

  const std::filesystem::path& dir() const { return dir_; }
  void write(const std::string& name, const std::string& text) const;
  std::string read(const std::string& name) const;
  bool exists(const std::string& name) const;
  void remove(const std::string& name) const;

  // Runs the program with the given keyboard input (lines separated by \n).
  SessionResult run(const std::string& keyboard) const;
  // The same over a file system of the test's own (usually one wrapping the
  // scratch directory's DiskFileSystem).
  SessionResult run(const std::string& keyboard, FileSystem& files) const;

 private:
  std::filesystem::path dir_;
};

// The lines of a text, without their line ends.
std::vector<std::string> lines_of(const std::string& text);
// The text after the last occurrence of `marker`, or "" when it is absent.
std::string after_last(const std::string& text, const std::string& marker);

}  // namespace cfg::testing

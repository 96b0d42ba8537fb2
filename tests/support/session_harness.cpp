#include "support/session_harness.h"

#include <atomic>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

#include "driver/run_config.h"
#include "io/file_system.h"
#include "io/line_source.h"
#include "io/output_writer.h"

namespace cfg::testing {

namespace fs = std::filesystem;

ScratchConfig::ScratchConfig() {
  static std::atomic<int> counter{0};
  dir_ = fs::temp_directory_path() /
         ("config-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  fs::remove_all(dir_);
  fs::create_directories(dir_);
  for (const auto& entry : fs::directory_iterator(CONFIG_EXAMPLES_DIR)) {
    if (entry.path().extension() == ".dat") fs::copy_file(entry.path(), dir_ / entry.path().filename());
  }
}

ScratchConfig::~ScratchConfig() {
  std::error_code ignored;
  fs::remove_all(dir_, ignored);
}

void ScratchConfig::write(const std::string& name, const std::string& text) const {
  std::ofstream file(dir_ / name, std::ios::binary | std::ios::trunc);
  file << text;
  if (!file) throw std::runtime_error("cannot write " + name);
}

std::string ScratchConfig::read(const std::string& name) const {
  std::ifstream file(dir_ / name, std::ios::binary);
  if (!file) throw std::runtime_error("cannot read " + name);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

bool ScratchConfig::exists(const std::string& name) const { return fs::exists(dir_ / name); }

void ScratchConfig::remove(const std::string& name) const { fs::remove(dir_ / name); }

SessionResult ScratchConfig::run(const std::string& keyboard) const {
  DiskFileSystem files(dir_);
  return run(keyboard, files);
}

SessionResult ScratchConfig::run(const std::string& keyboard, FileSystem& files) const {
  TextLines lines("keyboard", keyboard);
  StringWriter out;
  StringWriter err;
  SessionResult result;
  result.status = run_config(lines, out, err, files);
  result.out = out.text();
  result.err = err.text();
  return result;
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  std::string line;
  while (std::getline(stream, line)) lines.push_back(line);
  return lines;
}

std::string after_last(const std::string& text, const std::string& marker) {
  const std::size_t position = text.rfind(marker);
  return position == std::string::npos ? std::string() : text.substr(position + marker.size());
}

}  // namespace cfg::testing

#include "bench_support.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "io/list_writer.h"

namespace cfg::bench {

namespace {

constexpr const char* kResiduePatterns[] = {"B", "LB", "LBB", "L", "BB"};

std::string read_text(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot read " + path.string());
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// One line in the layout the program writes: a blank, then each item.
std::string line_of(const char* format, auto... values) {
  char buffer[64];
  const int length = std::snprintf(buffer, sizeof buffer, format, values...);
  return std::string(buffer, static_cast<std::size_t>(length));
}

}  // namespace

MemoryDisk example_files() {
  MemoryDisk files;
  for (const auto& entry : std::filesystem::directory_iterator(CONFIG_EXAMPLES_DIR)) {
    if (entry.path().extension() == ".dat") files.files[entry.path().filename().string()] = read_text(entry.path());
  }
  return files;
}

std::string residue_sets_text(std::int32_t sets) {
  std::string text;
  for (std::int32_t k = 0; k < sets; ++k) {
    text += line_of(" %-3s %11d\n", kResiduePatterns[k % 5], k % 50 + 1);
  }
  return text;
}

std::string neutral_bond_sets_text(std::int32_t sets) {
  std::string text;
  for (std::int32_t i = 1; i <= sets; ++i) text += line_of(" %11d %11d\n", 2 * i - 1, 2 * i + 4);
  return text;
}

MemoryDisk large_files(std::int32_t potential_type, std::int32_t sets) {
  MemoryDisk files = example_files();
  files.files["type.dat"] = list_record(potential_type, std::int32_t{1});
  files.files["protein2.dat"] = residue_sets_text(sets);
  files.files["chima2.dat"] = neutral_bond_sets_text(sets);
  return files;
}

}  // namespace cfg::bench

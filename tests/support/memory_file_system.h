#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "io/file_system.h"

namespace cfg::testing {

// Files held in memory, for tests of loading and saving without a disk.
class MemoryFileSystem : public FileSystem {
 public:
  std::map<std::string, std::string> files;

  bool exists(const std::string& name) override { return files.count(name) != 0; }
  std::optional<std::string> content(const std::string& name) override {
    const auto found = files.find(name);
    if (found == files.end()) return std::nullopt;
    return found->second;
  }
  void write(const std::string& name, std::string_view content) override {
    if (!files.emplace(name, std::string(content)).second) throw NameTaken(name);
  }
  void rename(const std::string& from, const std::string& to) override {
    files[to] = files[from];
    files.erase(from);
  }
  void remove(const std::string& name) noexcept override { files.erase(name); }
  std::vector<std::string> names_in(const std::string&) override {
    std::vector<std::string> names;
    for (const auto& [name, text] : files) names.push_back(name);
    return names;
  }
};

}  // namespace cfg::testing

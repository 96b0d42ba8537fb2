#pragma once

#include <optional>
#include <string>

#include "io/file_system.h"

namespace cfg {

// The configuration as it was before the last save: each file read through
// its NAME~ backup beside the file its links lead to, and a file without one
// (one the save did not change) as it is. Reads only.
class LastSaveFiles : public FileSystem {
 public:
  explicit LastSaveFiles(FileSystem& files) : files_(files) {}

  bool exists(const std::string& name) override { return files_.exists(name_read(name)); }
  std::optional<std::string> content(const std::string& name) override { return files_.content(name_read(name)); }
  void write(const std::string& name, std::string_view) override { refuse(name); }
  void rename(const std::string& from, const std::string&) override { refuse(from); }
  void remove(const std::string& name) override { refuse(name); }

  // Whether any file read had a backup.
  bool read_a_backup() const { return read_a_backup_; }

 private:
  std::string name_read(const std::string& name);
  [[noreturn]] static void refuse(const std::string& name);

  FileSystem& files_;
  bool read_a_backup_ = false;
};

}  // namespace cfg

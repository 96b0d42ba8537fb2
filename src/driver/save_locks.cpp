#include "driver/save_locks.h"

#include <algorithm>
#include <set>

#include "driver/saving.h"

namespace cfg {

SaveLocks::SaveLocks(FileSystem& files) : files_(files) {
  // A std::set orders the paths: every process takes them in the same order,
  // so that two never wait for each other.
  std::set<std::string> directories = {files.real_directory(".")};
  for (const std::string& name : configuration_file_names()) {
    // A name that cannot be looked up now fails the save itself, which
    // reports it as the file's failure.
    try {
      const FileStatus found = files.status(name);
      if (found.through_link) directories.insert(files.real_directory(directory_of(found.target)));
    } catch (const FatalError&) {
    }
  }
  try {
    for (const std::string& directory : directories) cover(directory);
  } catch (...) {
    for (const auto& [directory, lock] : locks_) files_.unlock_directory(lock);
    throw;
  }
}

SaveLocks::~SaveLocks() {
  for (auto lock = locks_.rbegin(); lock != locks_.rend(); ++lock) files_.unlock_directory(lock->second);
}

void SaveLocks::cover(const std::string& real_directory) {
  const auto locked = [&](const auto& entry) { return entry.first == real_directory; };
  if (std::any_of(locks_.begin(), locks_.end(), locked)) return;
  // Where a link leads into no directory nothing can be saved: the save
  // stops at that file, with its own message.
  if (!files_.exists(real_directory)) return;
  locks_.reserve(locks_.size() + 1);
  locks_.emplace_back(real_directory, files_.lock_directory(real_directory));
}

std::vector<std::string> SaveLocks::directories() const {
  std::vector<std::string> names;
  for (const auto& [directory, lock] : locks_) names.push_back(directory);
  return names;
}

}  // namespace cfg

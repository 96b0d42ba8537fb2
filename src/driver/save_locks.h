#pragma once

#include <string>
#include <utility>
#include <vector>

#include "io/file_system.h"

namespace cfg {

// The locks that keep two saves (or a save and a command's read-change-write)
// in the same configuration from running at once: an exclusive advisory lock
// on the configuration's directory, and on the directory of every file a
// configuration file's symbolic link leads to. Taken in path order, waiting
// for each, when the object is made; released when it goes. A lock that
// cannot be taken (a directory that cannot be opened, another save holding it
// past CONFIG_LOCK_TIMEOUT) throws FatalError: no save goes on unlocked.
//
// Never hold them across a keyboard read: another save would wait for the
// user.
class SaveLocks {
 public:
  explicit SaveLocks(FileSystem& files);
  ~SaveLocks();
  SaveLocks(const SaveLocks&) = delete;
  SaveLocks& operator=(const SaveLocks&) = delete;

  // Locks one more directory (one that a link has come to lead to since the
  // locks were taken), unless it is locked already.
  void cover(const std::string& real_directory);

  // The directories locked or tried, as real paths, in the order taken.
  std::vector<std::string> directories() const;

 private:
  FileSystem& files_;
  // Each real directory with its lock; -1 on a file system without locks.
  std::vector<std::pair<std::string, int>> locks_;
};

}  // namespace cfg

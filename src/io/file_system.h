#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "io/content_digest.h"
#include "io/file_error.h"
#include "io/output_writer.h"

namespace cfg {

// The program's only door to the disk. Names are file names in the working
// directory of the configuration, or paths relative to it (or absolute) where
// a symbolic link leads elsewhere. Every failure throws FatalError naming the
// file (a FileError for a failing system call). Only regular files are read,
// and none larger than kLargestFile.
//
// A text read keeps at least kReadRoom characters of capacity past its end,
// so that the line reader can add its padding without moving the text.
inline constexpr std::size_t kReadRoom = 32;

// The most any file of the configuration may hold: far above what the model
// can use (its largest file at capacity is about 0.3 MB), far below what
// would exhaust the memory of the machine.
inline constexpr std::size_t kLargestFile = std::size_t{16} << 20;

// The permission bits, owner and group of a file.
struct FileOwnership {
  mode_t mode = 0;
  uid_t owner = 0;
  gid_t group = 0;
};

// Where a name's links led when it was read: the file at the end of the
// chain, and the directory it is in (device and inode). A save writes only
// where it read: a name whose links now lead elsewhere has changed on disk.
struct FileIdentity {
  std::string target;
  std::uint64_t directory_device = 0;
  std::uint64_t directory_inode = 0;

  friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
  // The same file, where a directory that could not be looked up (no device
  // and inode) is taken by its path alone.
  bool same_place(const FileIdentity& other) const {
    const bool known = directory_inode != 0 && other.directory_inode != 0;
    return target == other.target &&
           (!known || (directory_device == other.directory_device && directory_inode == other.directory_inode));
  }
};

// What was read from each file of a configuration, or written by a save: the
// digest of its content (an empty optional when it did not exist) and where
// its links led. Owned by the session; the file system writes into the ledger
// the session lends it (see FileSystem::read_and_remember).
struct ReadEntry {
  std::optional<ContentDigest> digest;
  FileIdentity where;
};

class ReadLedger {
 public:
  // Nothing when the file was never read.
  const ReadEntry* find(const std::string& name) const {
    const auto found = entries_.find(name);
    return found == entries_.end() ? nullptr : &found->second;
  }
  void remember(const std::string& name, ReadEntry entry) { entries_[name] = std::move(entry); }

 private:
  std::map<std::string, ReadEntry, std::less<>> entries_;
};

// The prefix of every temporary file the program makes; the rest of the name
// is the writer's host, process ID and a count (".config-tmp.HOST.PID.N").
inline constexpr std::string_view kTemporaryPrefix = ".config-tmp.";

// What is found where a save is about to write a file.
struct FileStatus {
  // Where the content lives: the name itself, or the file at the end of its
  // chain of symbolic links.
  std::string target;
  bool through_link = false;
  // False for a missing file, and for a link that leads to no file.
  bool exists = false;
  // Of the target, when it exists.
  FileOwnership ownership;
  std::uint64_t hard_links = 0;
  // Of the directory the target is in.
  std::uint64_t directory_device = 0;
  std::uint64_t directory_inode = 0;

  FileIdentity identity() const { return {target, directory_device, directory_inode}; }
};

// A file that could not be created because its name is taken: nothing was
// written through it.
class NameTaken : public FileError {
 public:
  explicit NameTaken(const std::string& name) : FileError(name, "create the file", "File exists") {}
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  virtual bool exists(const std::string& name) = 0;
  // The whole content, or nothing when the file does not exist, remembered
  // with where the name's links led in the ledger lent by the session, if
  // any. The one read of loading.
  std::optional<std::string> read_and_remember(const std::string& name);
  // The same, remembering nothing: the file as it is now.
  virtual std::optional<std::string> content(const std::string& name) = 0;
  // Creates the file, which must not exist (a name in the way, a link
  // included, throws NameTaken and is never written through), writes the
  // content and syncs it to disk.
  virtual void write(const std::string& name, std::string_view content) = 0;
  // Renames; sync_directory_of makes the renames in a directory durable.
  virtual void rename(const std::string& from, const std::string& to) = 0;
  // Best effort: a failure is not reported. (Not noexcept, so that a test's
  // disk can stop the program at this step.)
  virtual void remove(const std::string& name) = 0;

  // The steps of a save beyond write and rename. The defaults describe a file
  // system without links, owners or locks, such as files held in memory.

  // Follows the name's symbolic links to the file they lead to.
  virtual FileStatus status(const std::string& name);
  // As write, for a file that will replace `replaced`: the new file gets the
  // permission bits, owner and group of the old where they can be set.
  virtual void write_replacement(const std::string& name, std::string_view content, const FileStatus& replaced);
  // Makes `name` hold what `existing` holds now (a second hard link where the
  // file system allows it), for a backup.
  virtual void duplicate(const std::string& existing, const std::string& name);
  virtual void sync_directory_of(const std::string& name);
  // The names in a directory, for finding the temporaries of a writer that
  // died; none where it cannot be read.
  virtual std::vector<std::string> names_in(const std::string& directory);
  // A directory as one absolute path without links: the same directory
  // always gives the same text, and texts sort the same in every process.
  virtual std::string real_directory(const std::string& directory);
  // An exclusive lock on the directory, waited for (a line on standard error
  // after a second) up to CONFIG_LOCK_TIMEOUT seconds; released by
  // unlock_directory. Throws FatalError when the directory cannot be opened
  // to lock it and at the time-out. Nothing (-1) where the file system holds
  // no locks (files in memory).
  virtual int lock_directory(const std::string& directory);
  virtual void unlock_directory(int lock) noexcept;

  // Whether the process of this host that made a temporary still runs: the
  // temporaries of one that died are removed.
  virtual bool process_alive(long pid);

  // The ledger read_and_remember writes into (a session's), or none.
  void lend_ledger(ReadLedger* ledger) { ledger_ = ledger; }
  ReadLedger* ledger() const { return ledger_; }

  // The extended attributes (ACLs among them) that replacements written since
  // the last call could not take over from the files they replace, as one
  // line for standard error; nothing when every one was kept.
  std::optional<std::string> take_lost_attributes();

 protected:
  void note_lost_attribute(const std::string& file, const std::string& attribute, const std::string& reason);

 private:
  ReadLedger* ledger_ = nullptr;
  std::set<std::string> files_losing_attributes_;
  std::set<std::string> lost_attributes_;
};

// The name of a new temporary file beside `target` (in its directory), unique
// to this process.
std::string temporary_beside(const std::string& target);
// Writes the content to a new temporary beside `target`, as write_replacement
// does for `replaced` (or as write, without it), trying further names while
// one is taken; returns its name.
std::string write_temporary(FileSystem& files, const std::string& target, std::string_view content,
                            const FileStatus* replaced);

// The directory a file of the configuration is in: "." for a plain name.
std::string directory_of(const std::string& path);

// Replaces a file as a whole: the content goes to a temporary file beside it,
// which is synced and then renamed over the old one, so the file holds either
// its old or its new content, never a part.
void replace_file(FileSystem& files, const std::string& name, std::string_view content);

// The files of one directory on the real disk.
class DiskFileSystem : public FileSystem {
 public:
  explicit DiskFileSystem(std::filesystem::path directory) : directory_(std::move(directory)) {}

  bool exists(const std::string& name) override;
  std::optional<std::string> content(const std::string& name) override;
  void write(const std::string& name, std::string_view content) override;
  void rename(const std::string& from, const std::string& to) override;
  void remove(const std::string& name) override;

  FileStatus status(const std::string& name) override;
  void write_replacement(const std::string& name, std::string_view content, const FileStatus& replaced) override;
  void duplicate(const std::string& existing, const std::string& name) override;
  void sync_directory_of(const std::string& name) override;
  std::vector<std::string> names_in(const std::string& directory) override;
  std::string real_directory(const std::string& directory) override;
  int lock_directory(const std::string& directory) override;
  void unlock_directory(int lock) noexcept override;

 protected:
  // The system calls under the steps, one per step, each answering as the
  // call does (-1 and errno on failure), so that a test can make any one step
  // fail. close_written is the close that ends a successful write; it must
  // release the descriptor even when it reports a failure.
  virtual int open_for_writing(const std::filesystem::path& path, mode_t mode);
  virtual ssize_t write_some(int fd, const char* data, std::size_t size);
  virtual int sync_file(int fd);
  virtual int close_written(int fd);
  virtual int rename_path(const std::filesystem::path& from, const std::filesystem::path& to);
  virtual void sync_directory(const std::filesystem::path& directory);
  // lstat, and readlink answering the whole target.
  virtual int look_up(const std::filesystem::path& path, struct stat& status);
  virtual int read_link(const std::filesystem::path& path, std::string& target);
  virtual int change_owner(int fd, uid_t owner, gid_t group);
  virtual int change_mode(int fd, mode_t mode);
  virtual int link_path(const std::filesystem::path& existing, const std::filesystem::path& name);
  virtual int unlink_path(const std::filesystem::path& path);
  // Opens the directory to lock it, and tries its exclusive flock once
  // without waiting (EWOULDBLOCK while another holds it).
  virtual int open_directory(const std::filesystem::path& directory);
  virtual int lock_exclusive(int fd);
  // The lock's waiting: the time, and a pause between two tries.
  virtual std::chrono::steady_clock::time_point now();
  virtual void pause(std::chrono::milliseconds time);
  // Where flock is refused, the lock is a file made with O_CREAT|O_EXCL.
  virtual int create_exclusive(const std::filesystem::path& path);
  // fsetxattr: one extended attribute of a replacement.
  virtual int set_attribute(int fd, const std::string& name, const std::string& value);

 private:
  std::filesystem::path path_of(const std::string& name) const { return directory_ / name; }
  void write_file(const std::string& name, std::string_view content, const FileOwnership* keep,
                  const std::string* attributes_of = nullptr);
  void keep_ownership(const std::string& name, int fd, const FileOwnership& ownership);
  void take_directory_identity(FileStatus& found);
  void refuse_link_of_another_user(const std::string& name, const std::string& link, const struct stat& link_status);
  std::filesystem::path directory_;

  // The directory locks: see directory_lock.cpp.
 public:
  // Where the line saying that a save waits for another goes; standard error
  // when not given.
  void send_notices_to(OutputWriter& notices) { notices_ = &notices; }

 private:
  bool wait_for_lock(const std::string& directory, std::chrono::seconds timeout, const std::function<bool()>& attempt);
  int lock_with_file(const std::string& directory, std::chrono::seconds timeout);
  bool try_lock_file(const std::filesystem::path& path, int& lock, std::string& holder);
  void tell(const std::string& line);
  // Gives the new file the extended attributes and ACL of the one it replaces.
  void keep_extended_attributes(const std::string& replaced, int fd, const FileOwnership& ownership);
  OutputWriter* notices_ = nullptr;
  // The fallback locks held: each open lock file with its path.
  std::map<int, std::filesystem::path> lock_files_;
};

}  // namespace cfg

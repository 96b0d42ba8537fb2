#include "io/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "io/errors.h"
#include "io/file_error.h"

namespace cfg {

namespace {

[[noreturn]] void fail(const std::string& name, const std::string& what, int error) {
  throw FileError(name, what, std::strerror(error));
}

// Links followed before a chain is taken for a loop, as the system does.
constexpr int kMostLinksFollowed = 40;

}  // namespace

std::optional<std::string> FileSystem::read_and_remember(const std::string& name) {
  // Where the links lead first: a link another user planted in a shared
  // directory is refused before it is followed.
  const FileStatus found = status(name);
  std::optional<std::string> text = content(name);
  if (ledger_ != nullptr) {
    ledger_->remember(name, {text ? std::optional(digest_of(*text)) : std::nullopt, found.identity()});
  }
  return text;
}

FileStatus FileSystem::status(const std::string& name) {
  FileStatus found;
  found.target = name;
  found.exists = exists(name);
  found.ownership.mode = 0644;
  found.hard_links = found.exists ? 1 : 0;
  return found;
}

void FileSystem::write_replacement(const std::string& name, std::string_view text, const FileStatus&) {
  write(name, text);
}

void FileSystem::duplicate(const std::string& existing, const std::string& name) {
  const std::optional<std::string> text = content(existing);
  if (!text) throw FileError(existing, "keep a backup of the file", std::strerror(ENOENT));
  write(name, *text);
}

void FileSystem::sync_directory_of(const std::string&) {}

std::vector<std::string> FileSystem::names_in(const std::string&) { return {}; }

bool FileSystem::process_alive(long pid) {
  return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

std::string FileSystem::real_directory(const std::string& directory) { return directory; }

int FileSystem::lock_directory(const std::string&) { return -1; }

void FileSystem::unlock_directory(int) noexcept {}

std::string directory_of(const std::string& path) {
  const std::string parent = std::filesystem::path(path).parent_path().string();
  return parent.empty() ? "." : parent;
}

namespace {

// Host names hold letters, digits and hyphens; anything else (a dot of a
// domain) would make the temporary's name ambiguous.
std::string this_host() {
  char name[256] = {};
  if (::gethostname(name, sizeof name - 1) != 0) return "host";
  std::string host;
  for (const char* c = name; *c != '\0' && host.size() < 64; ++c) {
    const bool plain = (*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') || (*c >= '0' && *c <= '9') || *c == '-';
    host += plain ? *c : '-';
  }
  return host.empty() ? "host" : host;
}

}  // namespace

std::string temporary_beside(const std::string& target) {
  static const std::string host = this_host();
  static unsigned long count = 0;
  const std::string file_name =
      std::string(kTemporaryPrefix) + host + "." + std::to_string(::getpid()) + "." + std::to_string(++count);
  const std::filesystem::path parent = std::filesystem::path(target).parent_path();
  return parent.empty() ? file_name : (parent / file_name).string();
}

std::string write_temporary(FileSystem& files, const std::string& target, std::string_view content,
                            const FileStatus* replaced) {
  // A name planted ahead of this process is passed over, never written through.
  for (int tries = 0;; ++tries) {
    const std::string temporary = temporary_beside(target);
    try {
      if (replaced != nullptr) {
        files.write_replacement(temporary, content, *replaced);
      } else {
        files.write(temporary, content);
      }
      return temporary;
    } catch (const NameTaken&) {
      if (tries == 100) throw;
    } catch (...) {
      // Made by this process, then cut short: a file ahead of it was NameTaken.
      files.remove(temporary);
      throw;
    }
  }
}

void replace_file(FileSystem& files, const std::string& name, std::string_view content) {
  std::string temporary;
  try {
    temporary = write_temporary(files, name, content, nullptr);
    files.rename(temporary, name);
  } catch (const FileError& failure) {
    if (!temporary.empty()) files.remove(temporary);
    // The failure is the file's: no message names a temporary.
    throw FileError(name, "write the file", failure.cause());
  } catch (...) {
    if (!temporary.empty()) files.remove(temporary);
    throw;
  }
  files.sync_directory_of(name);
}

bool DiskFileSystem::exists(const std::string& name) {
  struct stat status {};
  return ::stat(path_of(name).c_str(), &status) == 0;
}

std::optional<std::string> DiskFileSystem::content(const std::string& name) {
  // Opened without waiting: a FIFO in a file's place would otherwise hold the
  // program, and the lock of a save, until someone writes to it.
  const int fd = ::open(path_of(name).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return std::nullopt;
    fail(name, "open the file for reading", errno);
  }
  const auto refuse = [&](const std::string& why) {
    ::close(fd);
    throw FatalError(name + ": " + why);
  };
  const std::string too_large = "larger than " + std::to_string(kLargestFile >> 20) + " MiB, the most a file of the configuration may hold";
  struct stat status {};
  if (::fstat(fd, &status) != 0) {
    const int error = errno;
    ::close(fd);
    fail(name, "look up the file", error);
  }
  if (!S_ISREG(status.st_mode)) refuse("not a regular file");
  if (status.st_size > static_cast<off_t>(kLargestFile)) refuse(too_large);
  // The file's size sizes the text at once: no copies while it grows, and no
  // pages touched beyond the text itself. A file that changes meanwhile is
  // still read to its end, or to the cap.
  std::string content;
  if (status.st_size > 0) content.resize(static_cast<std::size_t>(status.st_size) + kReadRoom);
  std::size_t length = 0;
  for (;;) {
    if (length + kReadRoom > content.size()) content.resize(content.size() + 65536);
    const ssize_t count = ::read(fd, content.data() + length, content.size() - length);
    if (count < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      fail(name, "read the file", error);
    }
    if (count == 0) break;
    length += static_cast<std::size_t>(count);
    if (length > kLargestFile) refuse(too_large);
  }
  content.resize(length);
  ::close(fd);
  return content;
}

void DiskFileSystem::write(const std::string& name, std::string_view content) { write_file(name, content, nullptr); }

void DiskFileSystem::write_replacement(const std::string& name, std::string_view content, const FileStatus& replaced) {
  write_file(name, content, replaced.exists ? &replaced.ownership : nullptr, &replaced.target);
}

void DiskFileSystem::write_file(const std::string& name, std::string_view content, const FileOwnership* keep,
                                const std::string* attributes_of) {
  // A file that takes another's permissions starts private, so that its
  // content is never readable by more people than the old file's was.
  const int fd = open_for_writing(path_of(name), keep != nullptr ? 0600 : 0644);
  if (fd < 0) {
    if (errno == EEXIST) throw NameTaken(name);
    fail(name, "open the file for writing", errno);
  }
  if (keep != nullptr) {
    try {
      keep_ownership(name, fd, *keep);
      if (attributes_of != nullptr) keep_extended_attributes(*attributes_of, fd, *keep);
    } catch (...) {
      ::close(fd);
      throw;
    }
  }
  std::size_t written = 0;
  while (written < content.size()) {
    const ssize_t count = write_some(fd, content.data() + written, content.size() - written);
    if (count < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      fail(name, "write the file", error);
    }
    written += static_cast<std::size_t>(count);
  }
  if (sync_file(fd) != 0) {
    const int error = errno;
    ::close(fd);
    fail(name, "sync the file to disk", error);
  }
  if (close_written(fd) != 0) fail(name, "close the file", errno);
}

// The owner and group first: changing them clears the set-user-ID and
// set-group-ID bits, which the mode then puts back where they belong.
void DiskFileSystem::keep_ownership(const std::string& name, int fd, const FileOwnership& ownership) {
  mode_t mode = ownership.mode & 07777;
  if (change_owner(fd, ownership.owner, ownership.group) != 0) {
    // Not allowed to give the file away: it becomes this user's, and is no
    // program that runs as its old owner.
    mode &= ~static_cast<mode_t>(S_ISUID);
    if (change_owner(fd, static_cast<uid_t>(-1), ownership.group) != 0) {
      // Nor to keep its group: the group the file gets instead may hold
      // other people, who get no more than everyone else.
      mode = (mode & ~static_cast<mode_t>(S_ISGID | S_IRWXG)) | ((mode & S_IRWXO) << 3);
    }
  }
  if (change_mode(fd, mode) != 0) fail(name, "set the permissions of the file", errno);
}

void DiskFileSystem::rename(const std::string& from, const std::string& to) {
  // For the tests that kill a save at each of its renames: CONFIG_TEST_KILL_AT_RENAME=k
  // kills the process at its k-th rename, before the rename is made.
  static const long kill_at = [] {
    const char* setting = std::getenv("CONFIG_TEST_KILL_AT_RENAME");
    return setting != nullptr ? std::atol(setting) : 0L;
  }();
  static long renames = 0;
  if (kill_at > 0 && ++renames == kill_at) ::kill(::getpid(), SIGKILL);
  if (rename_path(path_of(from), path_of(to)) != 0) fail(to, "replace the file", errno);
}

void DiskFileSystem::remove(const std::string& name) { unlink_path(path_of(name)); }

FileStatus DiskFileSystem::status(const std::string& name) {
  FileStatus found;
  found.target = name;
  for (int followed = 0;; ++followed) {
    struct stat status {};
    if (look_up(path_of(found.target), status) != 0) {
      if (errno != ENOENT && errno != ENOTDIR) fail(name, "look up the file", errno);
      take_directory_identity(found);
      return found;
    }
    if (!S_ISLNK(status.st_mode)) {
      take_directory_identity(found);
      found.exists = true;
      found.ownership = FileOwnership{status.st_mode, status.st_uid, status.st_gid};
      found.hard_links = status.st_nlink;
      return found;
    }
    if (followed == kMostLinksFollowed) fail(name, "follow the symbolic link", ELOOP);
    refuse_link_of_another_user(name, found.target, status);
    std::string leads_to;
    if (read_link(path_of(found.target), leads_to) != 0) fail(name, "follow the symbolic link", errno);
    // Not normalized: "dir/../x" is where the system goes when dir is a link.
    const std::filesystem::path next(leads_to);
    found.target = next.is_absolute() ? next.string() : (std::filesystem::path(found.target).parent_path() / next).string();
    found.through_link = true;
  }
}

void DiskFileSystem::take_directory_identity(FileStatus& found) {
  struct stat directory {};
  const std::filesystem::path parent = path_of(found.target).parent_path();
  if (look_up(parent.empty() ? "." : parent, directory) != 0) return;
  found.directory_device = static_cast<std::uint64_t>(directory.st_dev);
  found.directory_inode = static_cast<std::uint64_t>(directory.st_ino);
}

// The kernel's rule for sticky directories that others can write (a shared
// /tmp, a group's project directory): a link owned by neither this user nor
// the directory's owner may have been planted by anyone, and is not followed.
void DiskFileSystem::refuse_link_of_another_user(const std::string& name, const std::string& link,
                                                const struct stat& link_status) {
  const uid_t user = ::geteuid();
  if (link_status.st_uid == user) return;
  struct stat directory {};
  const std::filesystem::path parent = path_of(link).parent_path();
  if (look_up(parent.empty() ? "." : parent, directory) != 0) return;
  const bool shared = (directory.st_mode & S_ISVTX) != 0 && (directory.st_mode & (S_IWGRP | S_IWOTH)) != 0;
  if (shared && link_status.st_uid != directory.st_uid) {
    throw FatalError(name + ": a symbolic link owned by another user in a shared directory");
  }
}

void DiskFileSystem::duplicate(const std::string& existing, const std::string& name) {
  if (link_path(path_of(existing), path_of(name)) == 0) return;
  const int error = errno;
  // File systems without hard links get a copy, with the file's permissions.
  if (error != EPERM && error != EOPNOTSUPP && error != EMLINK && error != EXDEV) {
    fail(name, "keep a backup of the file", error);
  }
  const std::optional<std::string> text = content(existing);
  if (!text) fail(existing, "keep a backup of the file", ENOENT);
  struct stat status {};
  if (look_up(path_of(existing), status) != 0) fail(existing, "keep a backup of the file", errno);
  const FileOwnership ownership{status.st_mode, status.st_uid, status.st_gid};
  write_file(name, *text, &ownership);
}

void DiskFileSystem::sync_directory_of(const std::string& name) { sync_directory(path_of(name).parent_path()); }

std::vector<std::string> DiskFileSystem::names_in(const std::string& directory) {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator entry(path_of(directory), error), end; !error && entry != end;
       entry.increment(error)) {
    names.push_back(entry->path().filename().string());
  }
  return names;
}

std::string DiskFileSystem::real_directory(const std::string& directory) {
  const std::filesystem::path path = path_of(directory);
  const std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr), &std::free);
  if (real) return real.get();
  std::error_code ignored;
  return std::filesystem::absolute(path, ignored).lexically_normal().string();
}

int DiskFileSystem::open_for_writing(const std::filesystem::path& path, mode_t mode) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
}

ssize_t DiskFileSystem::write_some(int fd, const char* data, std::size_t size) { return ::write(fd, data, size); }

int DiskFileSystem::sync_file(int fd) { return ::fsync(fd); }

int DiskFileSystem::close_written(int fd) { return ::close(fd); }

// Makes finished renames durable; failing here loses nothing already written.
void DiskFileSystem::sync_directory(const std::filesystem::path& directory) {
  const int fd = ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

int DiskFileSystem::rename_path(const std::filesystem::path& from, const std::filesystem::path& to) {
  return ::rename(from.c_str(), to.c_str());
}

int DiskFileSystem::look_up(const std::filesystem::path& path, struct stat& status) {
  return ::lstat(path.c_str(), &status);
}

int DiskFileSystem::read_link(const std::filesystem::path& path, std::string& target) {
  std::string buffer(256, '\0');
  for (;;) {
    const ssize_t length = ::readlink(path.c_str(), buffer.data(), buffer.size());
    if (length < 0) return -1;
    if (static_cast<std::size_t>(length) < buffer.size()) {
      buffer.resize(static_cast<std::size_t>(length));
      target = std::move(buffer);
      return 0;
    }
    buffer.resize(buffer.size() * 2);
  }
}

int DiskFileSystem::change_owner(int fd, uid_t owner, gid_t group) { return ::fchown(fd, owner, group); }

int DiskFileSystem::change_mode(int fd, mode_t mode) { return ::fchmod(fd, mode); }

int DiskFileSystem::link_path(const std::filesystem::path& existing, const std::filesystem::path& name) {
  return ::link(existing.c_str(), name.c_str());
}

int DiskFileSystem::unlink_path(const std::filesystem::path& path) { return ::unlink(path.c_str()); }

}  // namespace cfg

#include "io/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "io/errors.h"

namespace cfg {

namespace {

[[noreturn]] void fail(const std::string& name, const std::string& what, int error) {
  throw FatalError(name + ": cannot " + what + ": " + std::strerror(error));
}

}  // namespace

void replace_file(FileSystem& files, const std::string& name, std::string_view content) {
  const std::string temporary = "." + name + ".new";
  try {
    files.write(temporary, content);
    files.rename(temporary, name);
  } catch (...) {
    files.remove(temporary);
    throw;
  }
}

bool DiskFileSystem::exists(const std::string& name) {
  struct stat status {};
  return ::stat(path_of(name).c_str(), &status) == 0;
}

std::optional<std::string> DiskFileSystem::read(const std::string& name) {
  const int fd = ::open(path_of(name).c_str(), O_RDONLY);
  if (fd < 0) {
    if (errno == ENOENT) return std::nullopt;
    fail(name, "open the file for reading", errno);
  }
  // The file's size sizes the text at once: no copies while it grows, and no
  // pages touched beyond the text itself. A file that changes meanwhile is
  // still read to its end.
  struct stat status {};
  std::string content;
  if (::fstat(fd, &status) == 0 && status.st_size > 0) content.resize(static_cast<std::size_t>(status.st_size) + kReadRoom);
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
  }
  content.resize(length);
  ::close(fd);
  return content;
}

void DiskFileSystem::write(const std::string& name, std::string_view content) {
  const int fd = open_for_writing(path_of(name));
  if (fd < 0) fail(name, "open the file for writing", errno);
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

void DiskFileSystem::rename(const std::string& from, const std::string& to) {
  if (rename_path(path_of(from), path_of(to)) != 0) fail(to, "replace the file", errno);
  sync_directory();
}

void DiskFileSystem::remove(const std::string& name) noexcept { ::unlink(path_of(name).c_str()); }

int DiskFileSystem::open_for_writing(const std::filesystem::path& path) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
}

ssize_t DiskFileSystem::write_some(int fd, const char* data, std::size_t size) { return ::write(fd, data, size); }

int DiskFileSystem::sync_file(int fd) { return ::fsync(fd); }

int DiskFileSystem::close_written(int fd) { return ::close(fd); }

// Makes a finished rename durable; failing here loses nothing already written.
void DiskFileSystem::sync_directory() {
  const int fd = ::open(directory_.empty() ? "." : directory_.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

int DiskFileSystem::rename_path(const std::filesystem::path& from, const std::filesystem::path& to) {
  return ::rename(from.c_str(), to.c_str());
}

}  // namespace cfg

// The lock that keeps two saves in one directory apart: an exclusive flock on
// the directory, the lock every version of the program takes. Where the file
// system refuses flock (some network file systems), a lock file in the
// directory that names its holder.

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <thread>

#include "io/errors.h"
#include "io/file_error.h"
#include "io/file_system.h"
#include "io/message_text.h"

namespace cfg {

namespace {

using namespace std::chrono_literals;

constexpr auto kQuietWait = 1s;
constexpr auto kBetweenTries = 50ms;
constexpr long kDefaultTimeout = 30;
constexpr const char* kLockFileName = ".config.lock";

[[noreturn]] void fail_on(const std::string& name, const std::string& what, int error) {
  throw FileError(name, what, std::strerror(error));
}

std::chrono::seconds lock_timeout() {
  const char* setting = std::getenv("CONFIG_LOCK_TIMEOUT");
  if (setting == nullptr || *setting == '\0') return std::chrono::seconds(kDefaultTimeout);
  const std::string_view text(setting);
  long seconds = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
  if (error != std::errc() || end != text.data() + text.size() || seconds < 0) {
    throw FatalError("CONFIG_LOCK_TIMEOUT: not a whole number of seconds");
  }
  return std::chrono::seconds(seconds);
}

bool flock_unsupported(int error) { return error == ENOLCK || error == EOPNOTSUPP || error == ENOSYS; }

std::string host_name() {
  char name[256] = {};
  if (::gethostname(name, sizeof name - 1) != 0) return "unknown";
  return name;
}

// A process's start time in clock ticks since boot (field 22 of its stat
// line): with the host and the process ID it tells one process from a later
// one that got the same ID. 0 when unknown.
unsigned long long start_time_of(const std::string& process) {
  const int fd = ::open(("/proc/" + process + "/stat").c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return 0;
  char buffer[1024];
  const ssize_t length = ::read(fd, buffer, sizeof buffer - 1);
  ::close(fd);
  if (length <= 0) return 0;
  const std::string_view line(buffer, static_cast<std::size_t>(length));
  // The command name, field 2, is in parentheses and may hold anything.
  std::size_t pos = line.rfind(')');
  if (pos == std::string_view::npos) return 0;
  for (int field = 2; field < 22; ++field) {
    pos = line.find(' ', pos + 1);
    if (pos == std::string_view::npos) return 0;
  }
  unsigned long long ticks = 0;
  std::from_chars(line.data() + pos + 1, line.data() + line.size(), ticks);
  return ticks;
}

// The holder a lock file names: "HOST PID START\n".
struct Holder {
  std::string host;
  long pid = 0;
  unsigned long long start = 0;
};

std::string line_of(const Holder& holder) {
  return holder.host + " " + std::to_string(holder.pid) + " " + std::to_string(holder.start) + "\n";
}

// Nothing for a file being written, or not written by the program.
std::optional<Holder> holder_in(std::string_view text) {
  if (!text.ends_with('\n')) return std::nullopt;
  text.remove_suffix(1);
  const std::size_t first = text.find(' ');
  const std::size_t second = text.rfind(' ');
  if (first == std::string_view::npos || first == 0 || second == first) return std::nullopt;
  Holder holder;
  holder.host = std::string(text.substr(0, first));
  const char* const pid_end = text.data() + second;
  if (std::from_chars(text.data() + first + 1, pid_end, holder.pid).ptr != pid_end || holder.pid <= 0) {
    return std::nullopt;
  }
  const char* const end = text.data() + text.size();
  if (std::from_chars(pid_end + 1, end, holder.start).ptr != end) return std::nullopt;
  return holder;
}

// A holder on this host whose process is gone, or whose ID now belongs to a
// process started later. A holder on another host is never taken for dead.
bool holder_is_gone(const Holder& holder) {
  if (holder.host != host_name()) return false;
  if (::kill(static_cast<pid_t>(holder.pid), 0) != 0 && errno == ESRCH) return true;
  const unsigned long long start = start_time_of(std::to_string(holder.pid));
  return holder.start != 0 && start != 0 && start != holder.start;
}

struct LockFileSeen {
  dev_t device = 0;
  ino_t inode = 0;
  std::string text;
};

// The lock file as it is now; nothing when it is gone.
std::optional<LockFileSeen> look_at(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  LockFileSeen seen;
  struct stat status {};
  char buffer[512];
  ssize_t length = -1;
  if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) length = ::read(fd, buffer, sizeof buffer);
  ::close(fd);
  if (length < 0) return std::nullopt;
  seen.device = status.st_dev;
  seen.inode = status.st_ino;
  seen.text.assign(buffer, static_cast<std::size_t>(length));
  return seen;
}

bool same_file(const LockFileSeen& a, const LockFileSeen& b) {
  return a.device == b.device && a.inode == b.inode && a.text == b.text;
}

}  // namespace

int DiskFileSystem::lock_directory(const std::string& directory) {
  const std::chrono::seconds timeout = lock_timeout();
  const int fd = open_directory(path_of(directory));
  if (fd < 0) fail_on(directory, "open the directory to lock it for the save", errno);
  int refused = 0;
  bool locked = false;
  try {
    locked = wait_for_lock(directory, timeout, [&] {
      if (lock_exclusive(fd) == 0) return true;
      if (errno == EWOULDBLOCK || errno == EINTR) return false;
      refused = errno;
      return true;
    });
  } catch (...) {
    ::close(fd);
    throw;
  }
  if (locked && refused == 0) return fd;
  ::close(fd);
  if (!locked) {
    throw FatalError(directory + ": another save still holds the directory's lock after " +
                     std::to_string(timeout.count()) + " seconds (CONFIG_LOCK_TIMEOUT); nothing was saved");
  }
  if (!flock_unsupported(refused)) fail_on(directory, "lock the directory for the save", refused);
  return lock_with_file(directory, timeout);
}

// Closing the directory releases its flock. A lock file is removed only while
// it is still the one this process made.
void DiskFileSystem::unlock_directory(int lock) noexcept {
  if (lock < 0) return;
  if (const auto file = lock_files_.find(lock); file != lock_files_.end()) {
    struct stat mine {};
    struct stat there {};
    if (::fstat(lock, &mine) == 0 && ::lstat(file->second.c_str(), &there) == 0 && mine.st_dev == there.st_dev &&
        mine.st_ino == there.st_ino) {
      ::unlink(file->second.c_str());
    }
    lock_files_.erase(file);
  }
  ::close(lock);
}

bool DiskFileSystem::wait_for_lock(const std::string& directory, std::chrono::seconds timeout,
                                   const std::function<bool()>& attempt) {
  const auto started = now();
  bool told = false;
  for (;;) {
    if (attempt()) return true;
    const auto waited = now() - started;
    if (waited >= timeout) return false;
    if (!told && waited >= kQuietWait) {
      tell("config: waiting for another save in " + directory + " to finish");
      told = true;
    }
    pause(kBetweenTries);
  }
}

int DiskFileSystem::lock_with_file(const std::string& directory, std::chrono::seconds timeout) {
  const std::filesystem::path path = (path_of(directory) / kLockFileName).lexically_normal();
  int lock = -1;
  std::string holder;
  if (!wait_for_lock(directory, timeout, [&] { return try_lock_file(path, lock, holder); })) {
    throw FatalError(directory + ": the lock file " + path.string() + " is still held" +
                     (holder.empty() ? std::string() : " by " + holder) + " after " +
                     std::to_string(timeout.count()) +
                     " seconds (CONFIG_LOCK_TIMEOUT); if no save is running there, remove that file; nothing was saved");
  }
  return lock;
}

// One try at the lock file. A lock file whose holder is gone is removed, once
// its holder has been checked again under a guard file that only one taker
// can make for that holder, and the lock file is tried again at once.
bool DiskFileSystem::try_lock_file(const std::filesystem::path& path, int& lock, std::string& holder) {
  const Holder me{host_name(), static_cast<long>(::getpid()), start_time_of("self")};
  for (int tries = 0; tries < 2; ++tries) {
    const int fd = create_exclusive(path);
    if (fd >= 0) {
      const std::string line = line_of(me);
      // Synced, so that on a network file system the other hosts see the holder.
      if (::write(fd, line.data(), line.size()) != static_cast<ssize_t>(line.size()) || ::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        ::unlink(path.c_str());
        fail_on(path.string(), "write the lock file", error);
      }
      lock_files_.emplace(fd, path);
      lock = fd;
      return true;
    }
    if (errno != EEXIST) fail_on(path.string(), "create the lock file", errno);
    const std::optional<LockFileSeen> seen = look_at(path);
    if (!seen) continue;  // released meanwhile
    const std::optional<Holder> found = holder_in(seen->text);
    holder = found ? "process " + std::to_string(found->pid) + " on " + printable(found->host) : std::string();
    if (!found || !holder_is_gone(*found)) return false;
    const std::filesystem::path guard =
        path.string() + ".gone-" + std::to_string(found->pid) + "-" + std::to_string(found->start);
    const int guard_fd = create_exclusive(guard);
    if (guard_fd < 0) return false;  // another process is taking it over
    ::close(guard_fd);
    const std::optional<LockFileSeen> again = look_at(path);
    if (again && same_file(*again, *seen)) ::unlink(path.c_str());
    ::unlink(guard.c_str());
  }
  return false;
}

void DiskFileSystem::tell(const std::string& line) {
  if (notices_ != nullptr) {
    *notices_ << line << '\n';
    notices_->flush();
    return;
  }
  const std::string text = line + "\n";
  [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, text.data(), text.size());
}

int DiskFileSystem::open_directory(const std::filesystem::path& directory) {
  return ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

int DiskFileSystem::lock_exclusive(int fd) { return ::flock(fd, LOCK_EX | LOCK_NB); }

std::chrono::steady_clock::time_point DiskFileSystem::now() { return std::chrono::steady_clock::now(); }

void DiskFileSystem::pause(std::chrono::milliseconds time) { std::this_thread::sleep_for(time); }

int DiskFileSystem::create_exclusive(const std::filesystem::path& path) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
}

}  // namespace cfg

// The directory lock of a save: its wait, its time-out, and the lock file
// where flock is refused.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "io/errors.h"
#include "io/file_system.h"
#include "io/output_writer.h"

namespace cfg {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

struct Directory {
  Directory() {
    std::string pattern = (fs::temp_directory_path() / "lock-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path = pattern;
  }
  ~Directory() { fs::remove_all(path); }
  std::string read(const std::string& name) const {
    std::ifstream file(path / name);
    return std::string(std::istreambuf_iterator<char>(file), {});
  }
  void write(const std::string& name, const std::string& text) const { std::ofstream(path / name) << text; }
  fs::path path;
};

struct LockTimeout {
  explicit LockTimeout(const char* seconds) { ::setenv("CONFIG_LOCK_TIMEOUT", seconds, 1); }
  ~LockTimeout() { ::unsetenv("CONFIG_LOCK_TIMEOUT"); }
};

// A disk on a clock of the test's own, so that no test waits for time to
// pass, and whose flock may be refused.
struct ClockedDisk : DiskFileSystem {
  explicit ClockedDisk(const fs::path& directory, int refusal = 0) : DiskFileSystem(directory), flock_refusal(refusal) {
    send_notices_to(notices);
  }
  std::chrono::steady_clock::time_point now() override { return clock; }
  void pause(std::chrono::milliseconds time) override { clock += time; }
  int lock_exclusive(int fd) override {
    if (flock_refusal == 0) return DiskFileSystem::lock_exclusive(fd);
    errno = flock_refusal;
    return -1;
  }
  std::chrono::steady_clock::duration waited() const { return clock - std::chrono::steady_clock::time_point(); }
  std::chrono::steady_clock::time_point clock;
  int flock_refusal;
  StringWriter notices;
};

std::string lock_failure(DiskFileSystem& disk, const std::string& directory) {
  try {
    disk.unlock_directory(disk.lock_directory(directory));
  } catch (const FatalError& failure) {
    return failure.what();
  }
  return "";
}

std::string host() {
  char name[256] = {};
  ::gethostname(name, sizeof name - 1);
  return name;
}

std::string start_time_of_this_process() {
  std::ifstream stat("/proc/self/stat");
  std::string line((std::istreambuf_iterator<char>(stat)), {});
  std::size_t pos = line.rfind(')');
  for (int field = 2; field < 22; ++field) pos = line.find(' ', pos + 1);
  return line.substr(pos + 1, line.find(' ', pos + 1) - pos - 1);
}

pid_t dead_process() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return child;
}

TEST(DirectoryLock, AHeldLockIsWaitedForSayingSoAfterASecondUntilTheTimeOut) {
  struct Case {
    const char* timeout;
    bool held;
    std::string notices;
    std::string failure;
  };
  Directory dir;
  const std::string d = dir.path.string();
  const std::string waiting = "config: waiting for another save in " + d + " to finish\n";
  const std::vector<Case> cases = {
      {"3", true, waiting,
       d + ": another save still holds the directory's lock after 3 seconds (CONFIG_LOCK_TIMEOUT); nothing was saved"},
      {"1", true, "", d + ": another save still holds the directory's lock after 1 seconds (CONFIG_LOCK_TIMEOUT); nothing was saved"},
      {"0", false, "", ""},
      {"", false, "", ""},
      {"soon", false, "", "CONFIG_LOCK_TIMEOUT: not a whole number of seconds"},
  };
  for (const Case& c : cases) {
    const LockTimeout timeout(c.timeout);
    const int other = ::open(d.c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(::flock(other, c.held ? LOCK_EX : LOCK_UN), 0);
    ClockedDisk disk(dir.path);
    EXPECT_EQ(lock_failure(disk, d), c.failure) << c.timeout;
    EXPECT_EQ(disk.notices.text(), c.notices) << c.timeout;
    if (c.held) {
      const auto timeout_set = std::stoi(c.timeout) * 1s;
      EXPECT_TRUE(disk.waited() >= timeout_set && disk.waited() < timeout_set + 100ms) << c.timeout;
    }
    ::close(other);
  }
}

TEST(DirectoryLock, WhereFlockIsRefusedALockFileNamesItsHolderUntilReleased) {
  for (const int refusal : {ENOLCK, EOPNOTSUPP, ENOSYS}) {
    const LockTimeout timeout("2");
    Directory dir;
    ClockedDisk disk(dir.path, refusal);
    const int lock = disk.lock_directory(".");
    ASSERT_GE(lock, 0) << refusal;
    const std::string holder = host() + " " + std::to_string(::getpid()) + " " + start_time_of_this_process() + "\n";
    EXPECT_EQ(dir.read(".config.lock"), holder) << refusal;

    // A second save, even from this process, waits for the holder, which is
    // alive, and names it.
    ClockedDisk other(dir.path, refusal);
    EXPECT_EQ(lock_failure(other, "."),
              ".: the lock file " + (dir.path / ".config.lock").string() + " is still held by process " +
                  std::to_string(::getpid()) + " on " + host() +
                  " after 2 seconds (CONFIG_LOCK_TIMEOUT); if no save is running there, remove that file; nothing was saved")
        << refusal;
    EXPECT_EQ(other.notices.text(), "config: waiting for another save in . to finish\n");

    disk.unlock_directory(lock);
    EXPECT_FALSE(fs::exists(dir.path / ".config.lock")) << refusal;
  }
  Directory dir;
  ClockedDisk disk(dir.path, EBADF);
  EXPECT_EQ(lock_failure(disk, "."), ".: cannot lock the directory for the save: Bad file descriptor");
}

TEST(DirectoryLock, ALockFileOfAGoneProcessOnThisHostIsTakenOver) {
  struct Case {
    std::string what;
    std::string planted;
    bool taken;
  };
  const std::string pid = std::to_string(::getpid());
  const std::vector<Case> cases = {
      {"a dead process", host() + " " + std::to_string(dead_process()) + " 1\n", true},
      {"this process's ID reused", host() + " " + pid + " 1\n", true},
      {"a process on another host", "other-host " + std::to_string(dead_process()) + " 1\n", false},
      {"a lock file being written", host() + " " + std::to_string(dead_process()), false},
      {"no holder at all", "", false},
  };
  for (const Case& c : cases) {
    const LockTimeout timeout("2");
    Directory dir;
    dir.write(".config.lock", c.planted);
    ClockedDisk disk(dir.path, ENOLCK);
    EXPECT_EQ(lock_failure(disk, ".").empty(), c.taken) << c.what;
    EXPECT_EQ(fs::exists(dir.path / ".config.lock"), !c.taken) << c.what;
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), c.taken ? 0 : 1)
        << c.what << ": no guard file is left";
  }
}

// Processes that find the same stale lock file at once: never two holders.
TEST(DirectoryLock, RacingTakersOfAStaleLockFileNeverHoldItTogether) {
  const LockTimeout timeout("20");
  Directory dir;
  constexpr int kRounds = 15;
  constexpr int kTakers = 4;
  for (int round = 0; round < kRounds; ++round) {
    dir.write(".config.lock", host() + " " + std::to_string(dead_process()) + " 1\n");
    int start[2];
    ASSERT_EQ(::pipe(start), 0);
    std::vector<pid_t> takers;
    for (int i = 0; i < kTakers; ++i) {
      const pid_t child = ::fork();
      if (child == 0) {
        ::close(start[1]);
        char go = 0;
        if (::read(start[0], &go, 1) != 0) ::_exit(3);
        struct Refusing : DiskFileSystem {
          using DiskFileSystem::DiskFileSystem;
          int lock_exclusive(int) override {
            errno = ENOLCK;
            return -1;
          }
        } disk(dir.path);
        int lock = -1;
        try {
          lock = disk.lock_directory(".");
        } catch (...) {
          ::_exit(2);
        }
        // Alone inside, or the lock has failed.
        const int inside = ::open((dir.path / "inside").c_str(), O_CREAT | O_EXCL | O_WRONLY, 0644);
        if (inside < 0) ::_exit(1);
        ::usleep(2000);
        ::close(inside);
        ::unlink((dir.path / "inside").c_str());
        disk.unlock_directory(lock);
        ::_exit(0);
      }
      takers.push_back(child);
    }
    ::close(start[0]);
    ::close(start[1]);  // all start at once
    for (const pid_t taker : takers) {
      int status = -1;
      ::waitpid(taker, &status, 0);
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round << ": status " << status;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 0) << "round " << round;
  }
}

}  // namespace
}  // namespace cfg

#pragma once

#include <cerrno>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

#include "io/file_system.h"

namespace cfg::testing {

// The steps of a save on the disk that can be made to fail.
enum class DiskStep { look_up, read_link, lock, open, owner, mode, write, sync, close, link, rename, remove };

inline const char* step_name(DiskStep step) {
  switch (step) {
    case DiskStep::look_up: return "look_up";
    case DiskStep::read_link: return "read_link";
    case DiskStep::lock: return "lock";
    case DiskStep::open: return "open";
    case DiskStep::owner: return "owner";
    case DiskStep::mode: return "mode";
    case DiskStep::write: return "write";
    case DiskStep::sync: return "sync";
    case DiskStep::close: return "close";
    case DiskStep::link: return "link";
    case DiskStep::rename: return "rename";
    case DiskStep::remove: return "remove";
  }
  return "?";
}

// One step taken: what it was and the name of the file (or directory) it
// worked on: the temporary for a write's steps, the new name for a link or a
// rename.
struct TakenStep {
  DiskStep step;
  std::string file;
};

// Thrown by a FaultyDisk that crashes: the program stops at that step as a
// killed process would, with nothing of it cleaning up on the disk.
struct Crash {};

// The real disk, except that the k-th step (counting every step of
// DiskStep from 1) fails with a chosen errno, as the system call would. With
// fail_at 0 nothing fails and the steps are only counted.
class FaultyDisk : public DiskFileSystem {
 public:
  FaultyDisk(std::filesystem::path directory, int fail_at, int error)
      : DiskFileSystem(std::move(directory)), fail_at_(fail_at), error_(error) {}

  int steps() const { return static_cast<int>(history_.size()); }
  // Every step taken, in order, the failing one included.
  const std::vector<TakenStep>& history() const { return history_; }
  // The step that failed, if any did.
  const std::optional<DiskStep>& failed_step() const { return failed_step_; }
  // The name of the file the failing step worked on.
  const std::string& failed_file() const { return failed_file_; }

  // Every write hands at most this many bytes to the system, as a write that
  // is cut short by a signal or a full pipe would.
  std::size_t write_limit = static_cast<std::size_t>(-1);
  // Instead of failing, the k-th step throws Crash, before it is taken.
  bool crash = false;

 protected:
  int look_up(const std::filesystem::path& path, struct stat& status) override {
    if (fails(DiskStep::look_up, path.filename().string())) return -1;
    return DiskFileSystem::look_up(path, status);
  }
  int read_link(const std::filesystem::path& path, std::string& target) override {
    if (fails(DiskStep::read_link, path.filename().string())) return -1;
    return DiskFileSystem::read_link(path, target);
  }
  int lock_exclusive(int fd) override {
    if (fails(DiskStep::lock, "")) return -1;
    return DiskFileSystem::lock_exclusive(fd);
  }
  int open_for_writing(const std::filesystem::path& path, mode_t mode) override {
    current_file_ = path.filename().string();
    if (fails(DiskStep::open, current_file_)) return -1;
    return DiskFileSystem::open_for_writing(path, mode);
  }
  int change_owner(int fd, uid_t owner, gid_t group) override {
    if (fails(DiskStep::owner, current_file_)) return -1;
    return DiskFileSystem::change_owner(fd, owner, group);
  }
  int change_mode(int fd, mode_t mode) override {
    if (fails(DiskStep::mode, current_file_)) return -1;
    return DiskFileSystem::change_mode(fd, mode);
  }
  ssize_t write_some(int fd, const char* data, std::size_t size) override {
    if (fails(DiskStep::write, current_file_)) return -1;
    return DiskFileSystem::write_some(fd, data, size < write_limit ? size : write_limit);
  }
  int sync_file(int fd) override {
    if (fails(DiskStep::sync, current_file_)) return -1;
    // What is on the disk after a crash is not what these tests look at, and a
    // real sync per step makes hundreds of saves slow.
    static_cast<void>(fd);
    return 0;
  }
  int close_written(int fd) override {
    if (fails(DiskStep::close, current_file_)) {
      ::close(fd);  // a failing close still releases the descriptor
      errno = error_;
      return -1;
    }
    return DiskFileSystem::close_written(fd);
  }
  int link_path(const std::filesystem::path& existing, const std::filesystem::path& name) override {
    if (fails(DiskStep::link, name.filename().string())) return -1;
    return DiskFileSystem::link_path(existing, name);
  }
  int rename_path(const std::filesystem::path& from, const std::filesystem::path& to) override {
    if (fails(DiskStep::rename, to.filename().string())) return -1;
    return DiskFileSystem::rename_path(from, to);
  }
  int unlink_path(const std::filesystem::path& path) override {
    if (fails(DiskStep::remove, path.filename().string())) return -1;
    return DiskFileSystem::unlink_path(path);
  }
  void sync_directory(const std::filesystem::path&) override {}

 private:
  bool fails(DiskStep step, const std::string& file) {
    history_.push_back({step, file});
    if (steps() != fail_at_) return false;
    failed_step_ = step;
    failed_file_ = file;
    if (crash) throw Crash{};
    errno = error_;
    return true;
  }

  int fail_at_;
  int error_;
  std::vector<TakenStep> history_;
  std::string current_file_;
  std::optional<DiskStep> failed_step_;
  std::string failed_file_;
};

// The disk as the next process finds it after a FaultyDisk crashed: the
// writer of the temporaries left behind (this test's own process) is dead.
class RestartedDisk : public DiskFileSystem {
 public:
  using DiskFileSystem::DiskFileSystem;
  bool process_alive(long) override { return false; }

 protected:
  // As FaultyDisk: what a crash leaves on the platter is not looked at here.
  void sync_directory(const std::filesystem::path&) override {}
};

}  // namespace cfg::testing

#pragma once

#include <functional>
#include <string>
#include <utility>

#include "io/file_system.h"

namespace cfg::testing {

// A disk (the real one, or a test's disk built on it) where one file, present
// when the configuration was read, is gone by the time of the save (its first
// lock): either hidden from the save's look-up, or removed for good.
// The one place the save's fakes override the file system's look-up.
template <class Disk>
class VanishingDisk : public Disk {
 public:
  enum class Gone { hidden, removed };

  template <class... DiskArgs>
  VanishingDisk(std::string name, Gone how, DiskArgs&&... args)
      : Disk(std::forward<DiskArgs>(args)...), gone_(std::move(name)), how_(how) {}

  int lock_directory(const std::string& directory) override {
    if (!saving_ && how_ == Gone::removed) this->remove(gone_);
    saving_ = true;
    return Disk::lock_directory(directory);
  }
  FileStatus status(const std::string& name) override {
    FileStatus found = Disk::status(name);
    found.exists = found.exists && !(saving_ && name == gone_ && how_ == Gone::hidden);
    return found;
  }

 private:
  std::string gone_;
  Gone how_;
  bool saving_ = false;
};

// A disk where something happens to the files at the moment the save begins
// (its first lock): another user of a shared directory at work.
template <class Disk>
class MeanwhileDisk : public Disk {
 public:
  template <class... DiskArgs>
  MeanwhileDisk(std::function<void()> meanwhile, DiskArgs&&... args)
      : Disk(std::forward<DiskArgs>(args)...), meanwhile_(std::move(meanwhile)) {}

  int lock_directory(const std::string& directory) override {
    if (meanwhile_) std::exchange(meanwhile_, nullptr)();
    return Disk::lock_directory(directory);
  }

 private:
  std::function<void()> meanwhile_;
};

}  // namespace cfg::testing

// A save on a small file system that is really full (a tmpfs the test
// mounts; skipped where it may not).

#include <gtest/gtest.h>
#include <sys/mount.h>

#include <cerrno>
#include <cstring>
#include <iterator>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "io/file_system.h"
#include "support/session_harness.h"

namespace cfg {
namespace {

namespace fs = std::filesystem;

class SmallTmpfs {
 public:
  SmallTmpfs() : dir_(fs::temp_directory_path() / ("config-full-" + std::to_string(::getpid()))) {
    fs::create_directories(dir_);
    mounted_ = ::mount("tmpfs", dir_.c_str(), "tmpfs", 0, "size=128k") == 0;
  }
  ~SmallTmpfs() {
    if (mounted_) ::umount(dir_.c_str());
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }
  bool mounted() const { return mounted_; }
  const fs::path& dir() const { return dir_; }

 private:
  fs::path dir_;
  bool mounted_ = false;
};

// Writes until the file system is full, then gives back `room` bytes.
void fill_leaving(const fs::path& filler, std::uintmax_t room) {
  {
    std::ofstream file(filler, std::ios::binary);
    const std::string block(4096, 'x');
    while (file.write(block.data(), static_cast<std::streamsize>(block.size()))) {
    }
  }
  fs::resize_file(filler, fs::file_size(filler) > room ? fs::file_size(filler) - room : 0);
}

std::map<std::string, std::string> configuration(const fs::path& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(dir)) {
    const std::string name = entry.path().filename().string();
    if (name == "filler") continue;
    std::ifstream file(entry.path(), std::ios::binary);
    files[name] = std::string(std::istreambuf_iterator<char>(file), {});
  }
  return files;
}

// The space is freed when the user, told of the failure, chooses 9 again.
struct FreedOnSecondSave : DiskFileSystem {
  explicit FreedOnSecondSave(const fs::path& dir) : DiskFileSystem(dir), filler(dir / "filler") {}
  int lock_directory(const std::string& directory) override {
    if (++saves == 2) fs::remove(filler);
    return DiskFileSystem::lock_directory(directory);
  }
  fs::path filler;
  int saves = 0;
};

TEST(FullDisk, ASaveThatDoesNotFitChangesNothingAndTheNextOneSaves) {
  SmallTmpfs tmpfs;
  if (!tmpfs.mounted()) GTEST_SKIP() << "no tmpfs may be mounted here";
  testing::ScratchConfig example;
  for (const auto& entry : fs::directory_iterator(example.dir())) fs::copy_file(entry.path(), tmpfs.dir() / entry.path().filename());
  // Room for a temporary or two, not for the whole save (each takes a page).
  fill_leaving(tmpfs.dir() / "filler", 8192);
  const auto before = configuration(tmpfs.dir());

  FreedOnSecondSave disk(tmpfs.dir());
  testing::ScratchConfig runner;
  const auto failed = runner.run("1\n12\n\n\n", disk);
  EXPECT_EQ(failed.status, 2);
  const std::string cause = ": cannot save: " + std::string(std::strerror(ENOSPC)) + "\n";
  EXPECT_TRUE(failed.err.starts_with("config: ") && failed.err.find(cause) != std::string::npos) << failed.err;
  EXPECT_EQ(failed.err.find(".new"), std::string::npos) << "the temporary is never named";
  EXPECT_EQ(configuration(tmpfs.dir()), before) << "every file old, every temporary removed";

  FreedOnSecondSave again(tmpfs.dir());
  again.saves = 0;
  const auto saved = runner.run("1\n12\n\n\n\n\n", again);
  EXPECT_EQ(saved.status, 0) << saved.err;
  std::ifstream atom_num(tmpfs.dir() / "atom_num.dat");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(atom_num), {}), "          38          12\n");
}

}  // namespace
}  // namespace cfg

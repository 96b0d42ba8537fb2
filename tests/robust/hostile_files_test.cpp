// Files that another user, or bad luck, put where the configuration's files
// were: what every start and every command must do with them.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "io/file_system.h"
#include "support/cli_harness.h"
#include "support/session_harness.h"

namespace cfg {
namespace {

namespace fs = std::filesystem;
using testing::run_cli;
using testing::ScratchConfig;

struct Planted {
  std::string what;
  std::function<void(const ScratchConfig&)> plant;
  std::string message;  // the line on standard error
};

// Neither the interactive program nor show, check or set may wait for a FIFO
// or read a device or a huge file until memory runs out.
TEST(HostileFiles, WhatIsNotARegularFileOfSaneSizeIsRefusedByEveryEntry) {
  const std::vector<Planted> cases = {
      {"a FIFO as data.dat",
       [](const ScratchConfig& s) {
         s.remove("data.dat");
         ASSERT_EQ(::mkfifo((s.dir() / "data.dat").c_str(), 0644), 0);
       },
       "config: data.dat: not a regular file\n"},
      {"a FIFO as chima2.dat",
       [](const ScratchConfig& s) {
         s.remove("chima2.dat");
         ASSERT_EQ(::mkfifo((s.dir() / "chima2.dat").c_str(), 0644), 0);
       },
       "config: chima2.dat: not a regular file\n"},
      {"data.dat linked to /dev/zero",
       [](const ScratchConfig& s) {
         s.remove("data.dat");
         fs::create_symlink("/dev/zero", s.dir() / "data.dat");
       },
       "config: data.dat: not a regular file\n"},
      {"a directory as type.dat",
       [](const ScratchConfig& s) {
         s.remove("type.dat");
         fs::create_directory(s.dir() / "type.dat");
       },
       "config: type.dat: not a regular file\n"},
      {"a sparse data.dat of 1 GiB", [](const ScratchConfig& s) { fs::resize_file(s.dir() / "data.dat", 1U << 30); },
       "config: data.dat: larger than 16 MiB, the most a file of the configuration may hold\n"},
      {"a data.dat one byte over the cap",
       [](const ScratchConfig& s) { s.write("data.dat", std::string((16U << 20) + 1, ' ')); },
       "config: data.dat: larger than 16 MiB, the most a file of the configuration may hold\n"},
  };
  for (const Planted& c : cases) {
    ScratchConfig scratch;
    c.plant(scratch);
    const testing::SessionResult started = scratch.run("\n\n");
    EXPECT_EQ(started.status, 2) << c.what;
    EXPECT_TRUE(started.err.ends_with(c.message)) << c.what << ": " << started.err;
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"show"}, {"check"}, {"set", "particle_count=50"}}) {
      const testing::CliResult result = run_cli(scratch, command);
      EXPECT_EQ(result.status, 2) << c.what << ", " << command[0];
      EXPECT_NE(result.err.find(c.message), std::string::npos) << c.what << ", " << command[0] << ": " << result.err;
    }
  }
}

// A message quotes what a file holds only as printable text, and only so much.
TEST(HostileFiles, MessagesQuoteFileBytesEscapedAndCut) {
  const std::vector<Planted> cases = {
      {"escape sequences that set the title and clear the screen",
       [](const ScratchConfig& s) { s.write("type.dat", "\033]0;owned\007\033[2J 2\n"); },
       "config: type.dat, line 1: expected an integer, found \"\\033]0;owned\\007\\033[2J\"\n"},
      {"a NUL inside a token",
       [](const ScratchConfig& s) { s.write("type.dat", std::string("9\0x9 2\n", 7)); },
       "config: type.dat, line 1: expected an integer, found \"9\\0x9\"\n"},
      {"bytes beyond ASCII and a backslash",
       [](const ScratchConfig& s) { s.write("type.dat", "\xff\x9b\\n 2\n"); },
       "config: type.dat, line 1: expected an integer, found \"\\377\\233\\\\n\"\n"},
      {"a 10 MB token",
       [](const ScratchConfig& s) { s.write("type.dat", std::string(10'000'000, '7') + "x 2\n"); },
       "config: type.dat, line 1: expected an integer, found \"" + std::string(60, '7') + "...\"\n"},
      {"a repeat count beyond 32 bits",
       [](const ScratchConfig& s) { s.write("type.dat", "99999999999*1 2\n"); },
       "config: type.dat, line 1: a repeat count must be from 1 to 2147483647, found \"99999999999*\"\n"},
  };
  for (const Planted& c : cases) {
    ScratchConfig scratch;
    c.plant(scratch);
    const testing::SessionResult result = scratch.run("\n\n");
    EXPECT_EQ(result.status, 2) << c.what;
    EXPECT_TRUE(result.err.ends_with(c.message)) << c.what << ": " << result.err.substr(0, 300);
  }
}

// The save stops at the backup, and the message names the backup, not
// data.dat, which is fine.
TEST(HostileFiles, ABackupInTheWayIsNamedAsItself) {
  ScratchConfig scratch;
  fs::create_directory(scratch.dir() / "data.dat~");
  const std::string data = scratch.read("data.dat");
  const testing::SessionResult result = scratch.run("9\n\n8\n");
  EXPECT_EQ(result.status, 0) << "back at the menu, then option 8";
  EXPECT_EQ(result.err, "config: data.dat~: cannot save: Is a directory\n");
  EXPECT_EQ(scratch.read("data.dat"), data);
}

// A directory that cannot be opened to lock it is a failed save, never a save
// without the lock; the session goes back to the menu with its edits.
TEST(HostileFiles, ADirectoryThatCannotBeLockedFailsTheSave) {
  ScratchConfig scratch;
  struct Unopenable : DiskFileSystem {
    using DiskFileSystem::DiskFileSystem;
    int open_directory(const fs::path&) override {
      errno = EACCES;
      return -1;
    }
  } files(scratch.dir());
  const std::string data = scratch.read("data.dat");
  const testing::SessionResult result = scratch.run("9\n\n8\n", files);
  EXPECT_EQ(result.status, 0) << "back at the menu, then option 8";
  EXPECT_EQ(result.err, "config: " + fs::canonical(scratch.dir()).string() +
                            ": cannot open the directory to lock it for the save: Permission denied\n");
  EXPECT_EQ(scratch.read("data.dat"), data);
}

}  // namespace
}  // namespace cfg

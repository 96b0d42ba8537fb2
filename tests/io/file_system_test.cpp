#include "io/file_system.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>

#include "io/errors.h"
#include "io/file_error.h"

namespace cfg {
namespace {

namespace fs = std::filesystem;

class ScratchDirectory {
 public:
  ScratchDirectory() {
    std::string pattern = (fs::temp_directory_path() / "file-system-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~ScratchDirectory() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

TEST(DiskFileSystem, ReadsWhatWasWrittenAndNothingForAMissingFile) {
  ScratchDirectory dir;
  DiskFileSystem files(dir.path());
  EXPECT_FALSE(files.exists("data.dat"));
  EXPECT_EQ(files.content("data.dat"), std::nullopt);
  EXPECT_FALSE(files.exists("data.dat")) << "reading must not create the file";
  files.write("data.dat", "1 2\n");
  EXPECT_TRUE(files.exists("data.dat"));
  EXPECT_EQ(files.content("data.dat"), "1 2\n");
}

TEST(DiskFileSystem, ReadsFilesOfEverySizeWhole) {
  ScratchDirectory dir;
  DiskFileSystem files(dir.path());
  const std::size_t sizes[] = {0, 1, 4095, 65535, 65536, 65537, 300001};
  for (const std::size_t size : sizes) {
    std::string content(size, 'x');
    for (std::size_t i = 0; i < size; ++i) content[i] = static_cast<char>('a' + i % 23);
    files.remove("chima2.dat");
    files.write("chima2.dat", content);
    const std::optional<std::string> text = files.content("chima2.dat");
    EXPECT_EQ(text, content) << size << " bytes";
    EXPECT_GE(text->capacity(), size + kReadRoom) << "no room for the line reader's padding";
  }
}

// A file whose size is not known beforehand (it says 0) is still read to its end.
TEST(DiskFileSystem, ReadsAFileThatReportsNoSize) {
  ScratchDirectory dir;
  fs::create_symlink("/proc/self/status", dir.path() / "status");
  DiskFileSystem files(dir.path());
  const std::optional<std::string> text = files.content("status");
  ASSERT_TRUE(text);
  EXPECT_EQ(text->rfind("Name:", 0), 0u);
  EXPECT_NE(text->find("\nPid:"), std::string::npos);
  EXPECT_EQ(text->back(), '\n');
}

TEST(ReplaceFile, ReplacesTheWholeFileAndLeavesNoTemporary) {
  ScratchDirectory dir;
  DiskFileSystem files(dir.path());
  files.write("type.dat", "old content that is longer\n");
  replace_file(files, "type.dat", "new\n");
  EXPECT_EQ(files.content("type.dat"), "new\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

// Files in memory whose rename fails, as a full or read-only disk would.
class FailingRename : public FileSystem {
 public:
  std::map<std::string, std::string> files;
  bool exists(const std::string& name) override { return files.count(name) != 0; }
  std::optional<std::string> content(const std::string& name) override {
    if (!exists(name)) return std::nullopt;
    return files[name];
  }
  void write(const std::string& name, std::string_view content) override { files[name] = std::string(content); }
  void rename(const std::string&, const std::string& to) override { throw FatalError(to + ": cannot replace the file"); }
  void remove(const std::string& name) noexcept override { files.erase(name); }
};

TEST(ReplaceFile, AFailureKeepsTheOldFileAndRemovesTheTemporary) {
  FailingRename files;
  files.files["alloy.dat"] = "old\n";
  EXPECT_THROW(replace_file(files, "alloy.dat", "new\n"), FatalError);
  EXPECT_EQ(files.files.size(), 1U);
  EXPECT_EQ(files.files["alloy.dat"], "old\n");
}

TEST(DiskFileSystem, AFailedWriteIsFatalAndNamesTheFile) {
  ScratchDirectory dir;
  DiskFileSystem files(dir.path() / "missing-directory");
  try {
    files.write("data.dat", "x");
    FAIL() << "no error";
  } catch (const FatalError& error) {
    EXPECT_EQ(std::string(error.what()).rfind("data.dat: ", 0), 0U) << error.what();
  }
}

TEST(DiskFileSystem, StatusFollowsLinksToTheFileTheyLeadTo) {
  ScratchDirectory dir;
  fs::create_directory(dir.path() / "job");
  fs::create_directory(dir.path() / "shared");
  DiskFileSystem job(dir.path() / "job");
  DiskFileSystem(dir.path() / "shared").write("data.dat", "x\n");
  const fs::path shared_file = dir.path() / "shared" / "data.dat";
  fs::create_symlink("../shared/data.dat", dir.path() / "job" / "relative.dat");
  fs::create_symlink(shared_file, dir.path() / "job" / "absolute.dat");
  fs::create_symlink("relative.dat", dir.path() / "job" / "chain.dat");
  fs::create_symlink("../shared/gone.dat", dir.path() / "job" / "dangling.dat");
  job.write("plain.dat", "y\n");
  struct Case {
    std::string name;
    std::string target;
    bool through_link;
    bool exists;
  };
  const Case cases[] = {
      {"plain.dat", "plain.dat", false, true},
      {"missing.dat", "missing.dat", false, false},
      {"relative.dat", "../shared/data.dat", true, true},
      {"absolute.dat", shared_file.string(), true, true},
      {"chain.dat", "../shared/data.dat", true, true},
      {"dangling.dat", "../shared/gone.dat", true, false},
  };
  for (const Case& test : cases) {
    const FileStatus found = job.status(test.name);
    EXPECT_EQ(found.target, test.target) << test.name;
    EXPECT_EQ(found.through_link, test.through_link) << test.name;
    EXPECT_EQ(found.exists, test.exists) << test.name;
    EXPECT_EQ(found.hard_links, test.exists ? 1U : 0U) << test.name;
  }
}

TEST(DiskFileSystem, ALoopOfLinksIsAnError) {
  ScratchDirectory dir;
  fs::create_symlink("b.dat", dir.path() / "a.dat");
  fs::create_symlink("a.dat", dir.path() / "b.dat");
  DiskFileSystem files(dir.path());
  try {
    files.status("a.dat");
    FAIL() << "no error";
  } catch (const FileError& error) {
    EXPECT_EQ(error.cause(), std::strerror(ELOOP));
  }
}

// The owner and group changes answer as the test says; the mode change is
// recorded.
class OwnershipDisk : public DiskFileSystem {
 public:
  OwnershipDisk(fs::path dir, bool owner_allowed, bool group_allowed)
      : DiskFileSystem(std::move(dir)), owner_allowed_(owner_allowed), group_allowed_(group_allowed) {}

 protected:
  int change_owner(int fd, uid_t owner, gid_t group) override {
    const bool allowed = owner == static_cast<uid_t>(-1) ? group_allowed_ : owner_allowed_;
    if (!allowed) {
      errno = EPERM;
      return -1;
    }
    return DiskFileSystem::change_owner(fd, owner, group);
  }

 private:
  bool owner_allowed_;
  bool group_allowed_;
};

TEST(DiskFileSystem, AReplacementKeepsThePermissionsItMayKeep) {
  struct Case {
    mode_t old_mode;
    bool owner_allowed;
    bool group_allowed;
    mode_t new_mode;
  };
  const Case cases[] = {
      {0640, true, true, 0640},   {0600, true, true, 0600},   {0664, true, true, 0664},
      {04755, true, true, 04755},  // set-user-ID survives the change of owner
      {04755, false, true, 0755},  // a file given to another user is no set-user-ID program of theirs
      {0640, false, false, 0600},  // the group could not be kept: it gets what others get
      {0664, false, false, 0644},  {02775, false, false, 0755},
  };
  for (const Case& test : cases) {
    ScratchDirectory dir;
    OwnershipDisk files(dir.path(), test.owner_allowed, test.group_allowed);
    files.write("atom_num.dat", "old\n");
    ASSERT_EQ(::chmod((dir.path() / "atom_num.dat").c_str(), test.old_mode), 0);
    const FileStatus old = files.status("atom_num.dat");
    files.write_replacement(".atom_num.dat.new", "new\n", old);
    struct stat written {};
    ASSERT_EQ(::stat((dir.path() / ".atom_num.dat.new").c_str(), &written), 0);
    EXPECT_EQ(written.st_mode & 07777, test.new_mode) << std::oct << test.old_mode << " owner " << test.owner_allowed
                                                      << " group " << test.group_allowed;
    EXPECT_EQ(files.content(".atom_num.dat.new"), "new\n");
  }
}

TEST(DiskFileSystem, AReplacementKeepsOwnerAndGroupWhereAllowed) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root may give a file away";
  ScratchDirectory dir;
  DiskFileSystem files(dir.path());
  files.write("type.dat", "old\n");
  ASSERT_EQ(::chown((dir.path() / "type.dat").c_str(), 4321, 8765), 0);
  files.write_replacement(".type.dat.new", "new\n", files.status("type.dat"));
  struct stat written {};
  ASSERT_EQ(::stat((dir.path() / ".type.dat.new").c_str(), &written), 0);
  EXPECT_EQ(written.st_uid, 4321U);
  EXPECT_EQ(written.st_gid, 8765U);
}

TEST(DiskFileSystem, ADuplicateIsALinkOrWhereLinksAreRefusedACopy) {
  for (const int refusal : {0, EPERM, EOPNOTSUPP, EMLINK}) {
    ScratchDirectory dir;
    struct NoLinks : DiskFileSystem {
      using DiskFileSystem::DiskFileSystem;
      int refusal = 0;
      int link_path(const fs::path& existing, const fs::path& name) override {
        if (refusal == 0) return DiskFileSystem::link_path(existing, name);
        errno = refusal;
        return -1;
      }
    } files(dir.path());
    files.refusal = refusal;
    files.write("alloy.dat", "38\n");
    ASSERT_EQ(::chmod((dir.path() / "alloy.dat").c_str(), 0640), 0);
    files.duplicate("alloy.dat", "alloy.dat~");
    EXPECT_EQ(files.content("alloy.dat~"), "38\n") << refusal;
    EXPECT_EQ(fs::status(dir.path() / "alloy.dat~").permissions(), fs::perms(0640)) << refusal;
    EXPECT_EQ(fs::hard_link_count(dir.path() / "alloy.dat"), refusal == 0 ? 2U : 1U) << refusal;
  }
}

bool locked_elsewhere(const fs::path& dir) {
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
  const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  ::close(fd);
  return locked;
}

TEST(DiskFileSystem, ADirectoryLockExcludesOthersUntilReleased) {
  ScratchDirectory dir;
  DiskFileSystem files(dir.path());
  const int lock = files.lock_directory(".");
  ASSERT_GE(lock, 0);
  EXPECT_TRUE(locked_elsewhere(dir.path()));
  files.unlock_directory(lock);
  EXPECT_FALSE(locked_elsewhere(dir.path()));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 0) << "no lock file is left";
}

TEST(FileSystem, RemembersWhatWasReadAndWhereButNotWhatWasOnlyLookedAt) {
  ScratchDirectory dir;
  fs::create_directory(dir.path() / "run1");
  DiskFileSystem files(dir.path());
  ReadLedger ledger;
  files.lend_ledger(&ledger);
  files.write("data.dat", "1\n");
  files.write("run1/data.dat", "1\n");
  EXPECT_EQ(files.content("data.dat"), "1\n");
  EXPECT_EQ(ledger.find("data.dat"), nullptr);
  files.read_and_remember("data.dat");
  ASSERT_NE(ledger.find("data.dat"), nullptr);
  EXPECT_EQ(ledger.find("data.dat")->digest, digest_of("1\n"));
  const FileIdentity plain = ledger.find("data.dat")->where;
  files.read_and_remember("gone.dat");
  ASSERT_NE(ledger.find("gone.dat"), nullptr);
  EXPECT_EQ(ledger.find("gone.dat")->digest, std::nullopt) << "read as missing";

  // Replaced where it is (an editor's save by rename): the same identity.
  files.write("new.dat", "1\n");
  files.rename("new.dat", "data.dat");
  EXPECT_EQ(files.status("data.dat").identity(), plain);
  // A link to a file elsewhere with the same content: another identity.
  files.remove("data.dat");
  fs::create_symlink("run1/data.dat", dir.path() / "data.dat");
  EXPECT_NE(files.status("data.dat").identity(), plain);
}

TEST(DiskFileSystem, ANameInTheWayIsNeverWrittenThrough) {
  ScratchDirectory dir;
  DiskFileSystem files(dir.path());
  files.write("victim", "private\n");
  fs::permissions(dir.path() / "victim", fs::perms(0600));
  fs::create_hard_link(dir.path() / "victim", dir.path() / "hard");
  fs::create_symlink("victim", dir.path() / "soft");
  for (const char* planted : {"hard", "soft"}) {
    EXPECT_THROW(files.write(planted, "planted\n"), NameTaken) << planted;
    EXPECT_EQ(files.content("victim"), "private\n") << planted;
    EXPECT_EQ(fs::status(dir.path() / "victim").permissions(), fs::perms(0600)) << planted;
  }
  // A temporary's name taken ahead of the writer is passed over.
  const std::string next = temporary_beside("data.dat");
  const std::string planted = next.substr(0, next.rfind('.') + 1) + std::to_string(std::stoul(next.substr(next.rfind('.') + 1)) + 1);
  fs::create_symlink("victim", dir.path() / planted);
  const std::string temporary = write_temporary(files, "data.dat", "new\n", nullptr);
  EXPECT_NE(temporary, planted);
  EXPECT_EQ(files.content(temporary), "new\n");
  EXPECT_EQ(files.content("victim"), "private\n");
}

}  // namespace
}  // namespace cfg

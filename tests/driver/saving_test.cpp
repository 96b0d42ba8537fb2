#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include <unistd.h>

#include "config/config_files.h"
#include "driver/saving.h"
#include "io/errors.h"
#include "io/list_writer.h"
#include "support/session_harness.h"
#include "support/vanishing_disk.h"

namespace cfg {
namespace {

using testing::ScratchConfig;
namespace fs = std::filesystem;

// The files of the directory, without the backups a save keeps (NAME~) and
// without links that lead nowhere. of the directory, without the backups a save keeps (NAME~).
std::map<std::string, std::string> snapshot(const ScratchConfig& scratch) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(scratch.dir())) {
    const std::string name = entry.path().filename().string();
    if (!name.ends_with('~') && fs::exists(entry.path())) files[name] = scratch.read(name);
  }
  return files;
}

std::set<std::string> changed_files(const std::map<std::string, std::string>& before,
                                    const std::map<std::string, std::string>& after) {
  std::set<std::string> changed;
  for (const auto& [name, text] : after) {
    const auto old = before.find(name);
    if (old == before.end() || old->second != text) changed.insert(name);
  }
  for (const auto& [name, text] : before) {
    if (!after.count(name)) changed.insert(name + " (removed)");
  }
  return changed;
}

// The first line of data.dat as the program writes it.
std::string record_one(double box_width, double func_bc, int close_pack) {
  return list_record(box_width, 1.0e-12, func_bc, 1.0, 1.0e-8, 1.0e-8, 2, close_pack);
}

std::string first_line(const std::string& text) { return text.substr(0, text.find('\n') + 1); }

TEST(ClosePack, FollowsTheFormulaForTheParticleCount) {
  // ((N * 3 / 17.77153175) ** 0.3333333333333333 + 1) * 1.122462048309373, squared
  EXPECT_EQ(close_pack_value(38), 10.291681957957886);
  EXPECT_EQ(close_pack_value(1), 3.037395546930138);
  EXPECT_EQ(close_pack_value(147), 19.328717251135735);
  EXPECT_EQ(close_pack_value(0), 1.2599210498948732);
}

TEST(Saving, EnterAnswerSavesUnderLbfgsWithTheClosePackValue) {
  ScratchConfig scratch;  // the example: LBFGS, close pack, 38 particles
  const auto result = scratch.run("\n\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("\n\n config. dat has been saved !\n"), std::string::npos);
  EXPECT_EQ(first_line(scratch.read("data.dat")), record_one(10.291681957957886, 10.291681957957886, 1));
  EXPECT_EQ(scratch.read("atom_num.dat"), "          38           0\n");
}

TEST(Saving, ClosePackOffChangesOnlyTheBoundaryValue) {
  ScratchConfig scratch;
  std::string data = scratch.read("data.dat");
  data.replace(0, data.find('\n'), "5.5 1.0D-12 500.0 1.0 1.0D-8 1.0D-8 2 0");
  scratch.write("data.dat", data);
  ASSERT_EQ(scratch.run("9\ny\n").status, 0);
  EXPECT_EQ(first_line(scratch.read("data.dat")), record_one(5.5, 10.291681957957886, 0));
}

TEST(Saving, OtherMethodsKeepBothFields) {
  ScratchConfig scratch;
  std::string data = scratch.read("data.dat");
  data.replace(0, data.find('\n'), "5.5 1.0D-12 500.0 1.0 1.0D-8 1.0D-8 2 1");
  data.replace(data.find("\n20 5 ") + 1, 5, "20 2 ");
  scratch.write("data.dat", data);
  ASSERT_EQ(scratch.run("9\ny   whatever follows\n").status, 0);
  EXPECT_EQ(first_line(scratch.read("data.dat")), record_one(5.5, 500.0, 1));
}

TEST(Saving, AnswerNWritesNothing) {
  ScratchConfig scratch;
  const auto before = snapshot(scratch);
  const auto result = scratch.run("9\nn\n");
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.out.find(" Press n for NO. Press [ENTER] for yes\n\n\n Load the previous configuration and quit !\n"),
            std::string::npos)
      << result.out;
  EXPECT_EQ(result.out.find("has been saved"), std::string::npos);
  EXPECT_EQ(changed_files(before, snapshot(scratch)), std::set<std::string>{});
}

TEST(Saving, OnlyALoneLowerCaseYOrNIsAnAnswer) {
  for (const std::string answer : {"Y", "yes", " y", "N", "no", "x"}) {
    ScratchConfig scratch;
    const auto before = snapshot(scratch);
    const auto result = scratch.run("9\n" + answer + "\n8\n");
    EXPECT_EQ(result.status, 0) << answer;
    EXPECT_NE(result.out.find("WARING!!!!!!!!!!!!!!!!!!!!!!!!!"), std::string::npos) << answer;
    EXPECT_NE(result.out.find("Load the previous configuration !"), std::string::npos) << answer;
    EXPECT_EQ(changed_files(before, snapshot(scratch)), std::set<std::string>{}) << answer;
  }
}

TEST(Saving, EndOfKeyboardInputAtTheQuestionIsFatalAndWritesNothing) {
  ScratchConfig scratch;
  const auto before = snapshot(scratch);
  const auto result = scratch.run("9\n");
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("keyboard"), std::string::npos);
  EXPECT_EQ(changed_files(before, snapshot(scratch)), std::set<std::string>{});
}

TEST(Saving, EachPotentialTypeWritesItsOwnFilesAndLeavesTheRest) {
  const std::map<int, std::set<std::string>> own_files = {
      {0, {}},
      {1, {}},
      {2, {"parameter2.dat", "parameter3.dat"}},
      {3, {"protein1.dat", "protein2.dat"}},
      {4, {"protein1.dat", "protein2.dat"}},
      {5, {"eam_aa.dat", "eam_bb.dat", "eam_ab.dat"}},
      {6, {}},
      {7, {"chima1.dat", "chima2.dat"}},
      {8, {"chima1.dat", "chima2.dat"}},
      {9, {"qscff.dat"}},
      {12, {}},
  };
  for (const auto& [type, files] : own_files) {
    ScratchConfig scratch;
    scratch.write("type.dat", "  " + std::to_string(type) + " 2\n");
    const auto before = snapshot(scratch);
    const auto result = scratch.run("\n\n");
    ASSERT_EQ(result.status, 0) << "type " << type << ": " << result.err;
    std::set<std::string> expected = {"data.dat", "atom_num.dat", "type.dat", "alloy.dat", "parameter1.dat"};
    expected.insert(files.begin(), files.end());
    EXPECT_EQ(changed_files(before, snapshot(scratch)), expected) << "type " << type;
  }
}

TEST(Saving, WritesWhatReadsBackTheSame) {
  ScratchConfig scratch;
  scratch.write("type.dat", " 3 1\n");
  ASSERT_EQ(scratch.run("\n\n").status, 0);
  const auto first = snapshot(scratch);
  ASSERT_EQ(scratch.run("\n\n").status, 0);
  EXPECT_EQ(changed_files(first, snapshot(scratch)), std::set<std::string>{})
      << "a second save of an unchanged configuration rewrites the same bytes";
  EXPECT_EQ(scratch.read("protein2.dat"), " LBB           4\n B            10\n LB            8\n");
  EXPECT_EQ(scratch.read("type.dat"), "           3           1\n");
}

TEST(Saving, MissingEamFilesAreCreatedByTheSave) {
  ScratchConfig scratch;
  scratch.write("type.dat", " 5 2\n");
  const std::string eam_bb = scratch.read("eam_bb.dat");
  // Present at start-up, gone by the time of the save.
  testing::VanishingDisk<DiskFileSystem> files("eam_bb.dat", testing::VanishingDisk<DiskFileSystem>::Gone::hidden,
                                               scratch.dir());
  const auto result = scratch.run("\n\n", files);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NE(scratch.read("eam_bb.dat"), eam_bb);
}

TEST(Saving, AMissingFileStopsTheSaveBeforeAnythingIsWritten) {
  for (const std::string missing : {"atom_num.dat", "type.dat", "alloy.dat", "parameter1.dat", "protein2.dat"}) {
    ScratchConfig scratch;
    scratch.write("type.dat", " 3 2\n");
    const auto before = snapshot(scratch);
    testing::VanishingDisk<DiskFileSystem> files(missing, testing::VanishingDisk<DiskFileSystem>::Gone::hidden,
                                                 scratch.dir());
    const auto result = scratch.run("\n\n", files);
    EXPECT_EQ(result.status, 2) << missing;
    EXPECT_NE(result.err.find(missing), std::string::npos) << result.err;
    EXPECT_EQ(result.out.find("has been saved"), std::string::npos);
    EXPECT_EQ(changed_files(before, snapshot(scratch)), std::set<std::string>{}) << missing;
  }
}

// An immutable parameter3.dat: the files replaced before it get their old
// content back, and the message says that nothing was saved.
TEST(Saving, ARenameThatFailsPartWayPutsBackWhatItReplaced) {
  ScratchConfig scratch;
  scratch.write("type.dat", " 2 2\n");
  const auto before = snapshot(scratch);
  struct FailingRename : DiskFileSystem {
    using DiskFileSystem::DiskFileSystem;
    int rename_path(const fs::path& from, const fs::path& to) override {
      if (to.filename() == "parameter3.dat") {
        errno = EPERM;
        return -1;
      }
      return DiskFileSystem::rename_path(from, to);
    }
  } files(scratch.dir());
  const auto result = scratch.run("\n\n", files);
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(testing::lines_of(result.err).at(0),
            "config: parameter3.dat: cannot save: Operation not permitted; nothing was saved");
  EXPECT_EQ(snapshot(scratch), before) << "every file old, no temporary and no record left";

  // Nor can alloy.dat be put back: the record stays, the message names the
  // files that are new, and the next start puts their old content back.
  struct FailingTwice : FailingRename {
    using FailingRename::FailingRename;
    int rename_path(const fs::path& from, const fs::path& to) override {
      if (to.filename() == "alloy.dat" && from.filename().string().starts_with(".config-tmp.") && putting_back) {
        errno = EROFS;
        return -1;
      }
      putting_back = putting_back || to.filename() == "parameter3.dat";
      return FailingRename::rename_path(from, to);
    }
    bool putting_back = false;
  } twice(scratch.dir());
  const auto stuck = scratch.run("\n\n", twice);
  EXPECT_EQ(testing::lines_of(stuck.err).at(0),
            "config: parameter3.dat: cannot save: Operation not permitted; data.dat, atom_num.dat, type.dat, "
            "alloy.dat hold the new content and the other files the old: the next start of config puts the old back");
  EXPECT_TRUE(scratch.exists(".config-save"));
  const auto next = scratch.run("\nn\n");
  EXPECT_EQ(testing::lines_of(next.err).at(0),
            "config: undid an interrupted save of data.dat, atom_num.dat, type.dat, alloy.dat, parameter1.dat, "
            "parameter2.dat, parameter3.dat; those files hold what they held before it");
  EXPECT_EQ(snapshot(scratch), before);
}

}  // namespace
}  // namespace cfg

namespace cfg {
namespace {

// Another writer: the files given are changed on disk when the save takes its
// locks, the first time or the first two times.
struct OtherWriter : DiskFileSystem {
  OtherWriter(const ScratchConfig& where, std::map<std::string, std::string> changes, int how_often)
      : DiskFileSystem(where.dir()), scratch(where), edits(std::move(changes)), times(how_often) {}
  int lock_directory(const std::string& directory) override {
    if (times-- > 0) {
      for (auto& [name, text] : edits) scratch.write(name, text += " ");
    }
    return DiskFileSystem::lock_directory(directory);
  }
  const ScratchConfig& scratch;
  std::map<std::string, std::string> edits;
  int times;
};

TEST(SavingChangedFiles, AskBeforeOverwritingAndKeepTheOtherChangeUnlessTold) {
  const std::string question =
      "\n  These files have changed on disk since config read them:\n type.dat\n alloy.dat\n    Overwrite them ? (y/n)\n";
  struct Case {
    std::string answers;  // after ENTER, ENTER
    int changes;          // times the other writer changes the files
    int questions;
    bool saved;
  };
  const Case cases[] = {
      {"y\n", 1, 1, true},
      {"n\n8\n", 1, 1, false},
      {"\n8\n", 1, 1, false},  // ENTER is no yes here
      {"Y\n8\n", 1, 1, false},
      {"y\ny\n", 2, 2, true},  // changed again while the user answered: asked again
      {"y\nn\n8\n", 2, 2, false},
  };
  for (const Case& test : cases) {
    ScratchConfig scratch;
    OtherWriter disk(scratch, {{"type.dat", " 1 2\n"}, {"alloy.dat", " 12\n"}}, test.changes);
    const auto result = scratch.run("\n\n" + test.answers, disk);
    const std::string context = "answers " + test.answers;
    EXPECT_EQ(result.status, 0) << context << result.err;
    std::size_t asked = 0;
    for (std::size_t at = result.out.find(question); at != std::string::npos; at = result.out.find(question, at + 1)) ++asked;
    EXPECT_EQ(asked, static_cast<std::size_t>(test.questions)) << context << result.out;
    EXPECT_EQ(result.out.find("config. dat has been saved !") != std::string::npos, test.saved) << context;
    if (test.saved) {
      EXPECT_EQ(scratch.read("alloy.dat"), "          38\n") << context;
    } else {
      EXPECT_EQ(scratch.read("alloy.dat").rfind(" 12\n", 0), 0U) << context << ": the other change is kept";
      EXPECT_NE(result.out.find("Load the previous configuration !"), std::string::npos) << context << ": 8 ends it";
    }
  }
}

TEST(SavingChangedFiles, AnUnchangedDirectoryIsNotAskedAbout) {
  ScratchConfig scratch;
  const auto result = scratch.run("1\n12\n\n\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out.find("changed on disk"), std::string::npos);
  EXPECT_EQ(result.err, "");
}

TEST(SavingThroughLinks, TheLinkStaysAndItsTargetGetsTheContentAndTheBackup) {
  ScratchConfig job;
  ScratchConfig shared;
  const std::string old_data = job.read("data.dat");
  job.remove("data.dat");
  const fs::path relative = fs::path("..") / shared.dir().filename() / "data.dat";
  fs::create_symlink(relative, job.dir() / "data.dat");
  // A chain: a link to a link.
  job.remove("alloy.dat");
  fs::create_symlink(relative.parent_path() / "alloy-link.dat", job.dir() / "alloy.dat");
  fs::create_symlink("alloy.dat", shared.dir() / "alloy-link.dat");
  const std::string old_alloy = shared.read("alloy.dat");

  const auto result = job.run("\n\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(fs::is_symlink(job.dir() / "data.dat"));
  EXPECT_EQ(fs::read_symlink(job.dir() / "data.dat"), relative);
  EXPECT_TRUE(fs::is_symlink(job.dir() / "alloy.dat"));
  EXPECT_TRUE(fs::is_symlink(shared.dir() / "alloy-link.dat"));
  EXPECT_NE(shared.read("data.dat"), old_data);
  EXPECT_EQ(shared.read("data.dat"), job.read("data.dat"));
  EXPECT_EQ(shared.read("data.dat~"), old_data) << "the backup lies beside the target";
  EXPECT_EQ(shared.read("alloy.dat"), "          38\n");
  EXPECT_EQ(shared.read("alloy.dat~"), old_alloy);
  EXPECT_FALSE(job.exists("data.dat~"));
  EXPECT_FALSE(job.exists("alloy.dat~"));
}

TEST(SavingThroughLinks, ADanglingLinkStopsTheSaveBeforeAnythingIsWritten) {
  ScratchConfig scratch;
  scratch.remove("type.dat");
  fs::create_symlink("../nowhere/type.dat", scratch.dir() / "type.dat");
  // Loaded before the link went astray.
  struct Astray : DiskFileSystem {
    using DiskFileSystem::DiskFileSystem;
    std::optional<std::string> content(const std::string& name) override {
      if (name == "type.dat") return std::string(" 1 2\n");
      return DiskFileSystem::content(name);
    }
  } files(scratch.dir());
  const auto before = snapshot(scratch);
  const auto result = scratch.run("\n\n8\n", files);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "config: type.dat: cannot save: the symbolic link leads to no file; nothing was saved\n");
  EXPECT_EQ(changed_files(before, snapshot(scratch)), std::set<std::string>{});
  EXPECT_TRUE(fs::is_symlink(scratch.dir() / "type.dat"));
}

TEST(SavingPermissions, EachFileKeepsItsMode) {
  ScratchConfig scratch;
  const std::map<std::string, fs::perms> modes = {
      {"atom_num.dat", fs::perms(0640)}, {"data.dat", fs::perms(0600)}, {"type.dat", fs::perms(0664)}};
  for (const auto& [name, mode] : modes) fs::permissions(scratch.dir() / name, mode);
  // Untouched, as the checkout made it (0644, or 0664 under another umask).
  const fs::perms alloy = fs::status(scratch.dir() / "alloy.dat").permissions();
  ASSERT_EQ(scratch.run("\n\n").status, 0);
  for (const auto& [name, mode] : modes) EXPECT_EQ(fs::status(scratch.dir() / name).permissions(), mode) << name;
  EXPECT_EQ(fs::status(scratch.dir() / "alloy.dat").permissions(), alloy);
}

TEST(SavingHardLinks, TheLinkIsSplitAndSaidSo) {
  ScratchConfig scratch;
  const std::string old_data = scratch.read("data.dat");
  fs::create_hard_link(scratch.dir() / "data.dat", scratch.dir() / "other-job-data.dat");
  const auto result = scratch.run("\n\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "config: data.dat: saved as a file of its own; the 1 other hard link keeps the old content\n");
  EXPECT_NE(scratch.read("data.dat"), old_data);
  EXPECT_EQ(scratch.read("other-job-data.dat"), old_data);
}

class SavingBackups : public ::testing::Test {
 protected:
  void TearDown() override { ::unsetenv("CONFIG_BACKUP"); }
};

TEST_F(SavingBackups, KeepExactlyWhatTheLastSaveReplaced) {
  ScratchConfig scratch;
  scratch.write("type.dat", " 3 2\n");
  const auto first = snapshot(scratch);
  ASSERT_EQ(scratch.run("1\n12\n\n\n").status, 0);
  const std::set<std::string> saved = {"data.dat", "atom_num.dat", "type.dat", "alloy.dat",
                                       "parameter1.dat", "protein1.dat", "protein2.dat"};
  for (const std::string& name : saved) EXPECT_EQ(scratch.read(name + "~"), first.at(name)) << name;

  // Under type 1 the protein files are not saved: their backups go, so that
  // restoring every NAME~ gives back exactly what the save replaced.
  const auto second = snapshot(scratch);
  ASSERT_EQ(scratch.read("type.dat"), "           3           2\n");
  const std::string type_1 = "           1           2\n";
  scratch.write("type.dat", type_1);
  const auto result = scratch.run("\n\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(scratch.read("type.dat~"), type_1);
  EXPECT_EQ(scratch.read("atom_num.dat~"), second.at("atom_num.dat"));
  EXPECT_FALSE(scratch.exists("protein1.dat~"));
  EXPECT_FALSE(scratch.exists("protein2.dat~"));
}

TEST_F(SavingBackups, AFileSavedAnewHasNoBackup) {
  ScratchConfig scratch;
  scratch.write("type.dat", " 5 2\n");
  scratch.write("eam_bb.dat~", "a backup of an earlier save\n");
  testing::VanishingDisk<DiskFileSystem> files("eam_bb.dat", testing::VanishingDisk<DiskFileSystem>::Gone::removed,
                                               scratch.dir());
  ASSERT_EQ(scratch.run("\n\n", files).status, 0);
  EXPECT_TRUE(scratch.exists("eam_bb.dat"));
  EXPECT_FALSE(scratch.exists("eam_bb.dat~"));
  EXPECT_TRUE(scratch.exists("eam_aa.dat~"));
}

TEST_F(SavingBackups, TurnedOffTheyAreNeitherMadeNorRemoved) {
  ScratchConfig scratch;
  scratch.write("protein1.dat~", "a backup of an earlier save\n");
  ::setenv("CONFIG_BACKUP", "off", 1);
  ASSERT_EQ(scratch.run("\n\n").status, 0);
  for (const auto& [name, text] : snapshot(scratch)) {
    if (name != "protein1.dat") {
      EXPECT_FALSE(scratch.exists(name + "~")) << name;
    }
  }
  EXPECT_EQ(scratch.read("protein1.dat~"), "a backup of an earlier save\n");
}

// The end of the input after a failed save, and a second save once there is
// room, are tried after every kind of failure in tests/robust.
TEST(SavingFailures, AfterAFailedSaveTheUserMayStillLeaveWithOptionEight) {
  ScratchConfig scratch;
  const auto before = snapshot(scratch);
  struct FullDisk : DiskFileSystem {
    using DiskFileSystem::DiskFileSystem;
    ssize_t write_some(int, const char*, std::size_t) override {
      errno = ENOSPC;
      return -1;
    }
  } disk(scratch.dir());
  const auto result = scratch.run("1\n12\n\n\n8\n", disk);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "config: data.dat: cannot save: No space left on device\n");
  const std::string after_question = result.out.substr(result.out.find("Press n for NO"));
  EXPECT_NE(after_question.find("Choose an option between 1 - 11."), std::string::npos);
  EXPECT_NE(after_question.find("Load the previous configuration !"), std::string::npos);
  EXPECT_EQ(changed_files(before, snapshot(scratch)), std::set<std::string>{});
}

// Another user of a shared directory replaces files with links while a
// session is open: the save neither writes nor deletes through them.
TEST(SavingInSharedDirectories, ALinkPlantedMeanwhileIsNeverFollowed) {
  ScratchConfig scratch;
  ScratchConfig private_dir;
  private_dir.write("data.dat", scratch.read("data.dat"));
  private_dir.write("thesis.tex", "years of work\n");
  private_dir.write("thesis.tex~", "the thesis a month ago\n");
  const auto plant = [&](const std::string& name, const fs::path& target) {
    fs::remove(scratch.dir() / name);
    fs::create_symlink(target, scratch.dir() / name);
  };

  // data.dat now leads to the user's own run1/data.dat, with the same content.
  testing::MeanwhileDisk<DiskFileSystem> redirected([&] { plant("data.dat", private_dir.dir() / "data.dat"); },
                                                    scratch.dir());
  const auto asked = scratch.run("\n\nn\n8\n", redirected);
  EXPECT_EQ(asked.status, 0) << asked.err;
  EXPECT_NE(asked.out.find("These files have changed on disk since config read them:\n data.dat\n"), std::string::npos)
      << asked.out;
  EXPECT_EQ(private_dir.read("data.dat"), scratch.read("data.dat"));
  EXPECT_FALSE(private_dir.exists("data.dat~"));

  // eam_bb.dat, which a save under type 1 does not write, now leads to
  // thesis.tex: the clean-up of stale backups leaves thesis.tex~ alone.
  ScratchConfig second;
  second.write("eam_bb.dat~", "a backup of an earlier save\n");
  testing::MeanwhileDisk<DiskFileSystem> planted([&] {
    fs::remove(second.dir() / "eam_bb.dat");
    fs::create_symlink(private_dir.dir() / "thesis.tex", second.dir() / "eam_bb.dat");
  }, second.dir());
  const auto saved = second.run("\n\n", planted);
  EXPECT_EQ(saved.status, 0) << saved.err;
  EXPECT_EQ(private_dir.read("thesis.tex~"), "the thesis a month ago\n");
  EXPECT_EQ(private_dir.read("thesis.tex"), "years of work\n");
}

// The kernel's rule for sticky directories: a link there owned by neither
// the user nor the directory's owner is not followed.
TEST(SavingInSharedDirectories, ALinkOfAnotherUserInAStickyDirectoryIsRefused) {
  if (::geteuid() != 0) GTEST_SKIP() << "giving a link to another user needs root";
  ScratchConfig scratch;
  ScratchConfig elsewhere;
  elsewhere.write("data.dat", scratch.read("data.dat"));
  fs::remove(scratch.dir() / "data.dat");
  fs::create_symlink(elsewhere.dir() / "data.dat", scratch.dir() / "data.dat");
  ASSERT_EQ(::lchown((scratch.dir() / "data.dat").c_str(), 12345, 12345), 0);
  fs::permissions(scratch.dir(), fs::perms(01777));
  const auto shared = scratch.run("\nn\n");
  EXPECT_EQ(shared.status, 2);
  EXPECT_EQ(shared.err, "config: data.dat: a symbolic link owned by another user in a shared directory\n");
  fs::permissions(scratch.dir(), fs::perms(0755));
  EXPECT_EQ(scratch.run("\nn\n").status, 0) << "followed where the directory is not shared";
}

}  // namespace
}  // namespace cfg

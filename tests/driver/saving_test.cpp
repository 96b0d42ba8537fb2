#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "config/config_files.h"
#include "driver/saving.h"
#include "io/errors.h"
#include "io/list_writer.h"
#include "support/session_harness.h"

namespace cfg {
namespace {

using testing::ScratchConfig;

// The files of the directory, without the backups a save keeps (NAME~).
std::map<std::string, std::string> snapshot(const ScratchConfig& scratch) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(scratch.dir())) {
    const std::string name = entry.path().filename().string();
    if (!name.ends_with('~')) files[name] = scratch.read(name);
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
  struct Vanishing : DiskFileSystem {
    using DiskFileSystem::DiskFileSystem;
    FileStatus status(const std::string& name) override {
      FileStatus found = DiskFileSystem::status(name);
      found.exists = found.exists && name != "eam_bb.dat";
      return found;
    }
  } files(scratch.dir());
  const auto result = scratch.run("\n\n", files);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NE(scratch.read("eam_bb.dat"), eam_bb);
}

TEST(Saving, AMissingFileStopsTheSaveBeforeAnythingIsWritten) {
  for (const std::string missing : {"atom_num.dat", "type.dat", "alloy.dat", "parameter1.dat", "protein2.dat"}) {
    ScratchConfig scratch;
    scratch.write("type.dat", " 3 2\n");
    const auto before = snapshot(scratch);
    struct Vanishing : DiskFileSystem {
      Vanishing(std::filesystem::path dir, std::string name) : DiskFileSystem(std::move(dir)), gone(std::move(name)) {}
      FileStatus status(const std::string& name) override {
        FileStatus found = DiskFileSystem::status(name);
        found.exists = found.exists && name != gone;
        return found;
      }
      std::string gone;
    } files(scratch.dir(), missing);
    const auto result = scratch.run("\n\n", files);
    EXPECT_EQ(result.status, 2) << missing;
    EXPECT_NE(result.err.find(missing), std::string::npos) << result.err;
    EXPECT_EQ(result.out.find("has been saved"), std::string::npos);
    EXPECT_EQ(changed_files(before, snapshot(scratch)), std::set<std::string>{}) << missing;
  }
}

TEST(Saving, AFailedWriteLeavesEveryFileWholeAndNoTemporaryBehind) {
  ScratchConfig scratch;
  scratch.write("type.dat", " 2 2\n");
  const auto before = snapshot(scratch);
  struct FailingRename : DiskFileSystem {
    using DiskFileSystem::DiskFileSystem;
    void rename(const std::string& from, const std::string& to) override {
      if (to == "parameter1.dat") throw FatalError(to + ": cannot replace the file: No space left on device");
      DiskFileSystem::rename(from, to);
    }
  } files(scratch.dir());
  const auto result = scratch.run("\n\n", files);
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("parameter1.dat"), std::string::npos) << result.err;
  const auto after = snapshot(scratch);
  EXPECT_EQ(changed_files(before, after), (std::set<std::string>{"data.dat", "atom_num.dat", "type.dat", "alloy.dat"}))
      << "files before the failure are saved whole, the rest keep their old content";
  EXPECT_EQ(after.size(), before.size()) << "no temporary file is left behind";
}

}  // namespace
}  // namespace cfg

// Saving when the disk fails: every step of every file's write is made to fail
// in turn, under every potential type, and what is left on disk is checked.

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "robust/faulty_disk.h"
#include "support/session_harness.h"

namespace cfg {
namespace {

using testing::DiskStep;
using testing::FaultyDisk;
using testing::ScratchConfig;
using testing::step_name;

using Files = std::map<std::string, std::string>;

const char* const kSaved = "config. dat has been saved !";

// The files a save writes under each potential type, in the order it writes them.
std::vector<std::string> save_order(int type) {
  std::vector<std::string> names = {"data.dat", "atom_num.dat", "type.dat", "alloy.dat", "parameter1.dat"};
  const std::map<int, std::vector<std::string>> own = {
      {2, {"parameter2.dat", "parameter3.dat"}},
      {3, {"protein1.dat", "protein2.dat"}},
      {4, {"protein1.dat", "protein2.dat"}},
      {5, {"eam_aa.dat", "eam_bb.dat", "eam_ab.dat"}},
      {7, {"chima1.dat", "chima2.dat"}},
      {8, {"chima1.dat", "chima2.dat"}},
      {9, {"qscff.dat"}},
  };
  if (const auto found = own.find(type); found != own.end()) names.insert(names.end(), found->second.begin(), found->second.end());
  return names;
}

Files snapshot(const ScratchConfig& scratch) {
  Files files;
  for (const auto& entry : std::filesystem::directory_iterator(scratch.dir())) {
    files[entry.path().filename().string()] = scratch.read(entry.path().filename().string());
  }
  return files;
}

// The example configuration under one potential type, with two more blanks at
// the start of every line: the same values in a layout the program never
// writes, so that each file's old and new content can be told apart.
Files old_configuration(const ScratchConfig& fresh, int type) {
  Files files = snapshot(fresh);
  files["type.dat"] = " " + std::to_string(type) + " 2\n";
  for (auto& [name, text] : files) {
    std::string indented;
    for (const std::string& line : testing::lines_of(text)) indented += "  " + line + "\n";
    text = indented;
  }
  return files;
}

void lay_out(const ScratchConfig& scratch, const Files& files) {
  for (const auto& entry : std::filesystem::directory_iterator(scratch.dir())) std::filesystem::remove(entry.path());
  for (const auto& [name, text] : files) scratch.write(name, text);
}

std::size_t open_descriptors() {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++count;
  return count;
}

// The name a step's file stands for: a save's temporary ".name.new" is name.
std::string saved_name(const std::string& file) {
  const std::string prefix = ".";
  const std::string suffix = ".new";
  if (file.size() > prefix.size() + suffix.size() && file.starts_with(prefix) && file.ends_with(suffix)) {
    return file.substr(prefix.size(), file.size() - prefix.size() - suffix.size());
  }
  return file;
}

struct SaveRun {
  testing::SessionResult result;
  Files after;
  int steps = 0;
  std::vector<DiskStep> history;
};

// ENTER at the main menu, ENTER at the save question: a save.
SaveRun save(const ScratchConfig& scratch, FaultyDisk& disk) {
  SaveRun run;
  run.result = scratch.run("\n\n", disk);
  run.after = snapshot(scratch);
  run.steps = disk.steps();
  run.history = disk.history();
  return run;
}

TEST(SaveFaults, EachFileGoesThroughATemporaryThatIsSyncedAndRenamed) {
  for (int type = 1; type <= 9; ++type) {
    ScratchConfig scratch;
    lay_out(scratch, old_configuration(scratch, type));
    FaultyDisk disk(scratch.dir(), 0, 0);
    const SaveRun run = save(scratch, disk);
    ASSERT_EQ(run.result.status, 0) << "type " << type << ": " << run.result.err;
    const std::vector<std::string> order = save_order(type);
    ASSERT_EQ(run.history.size(), 5 * order.size()) << "type " << type;
    for (std::size_t i = 0; i < order.size(); ++i) {
      const std::vector<DiskStep> steps(run.history.begin() + static_cast<long>(5 * i),
                                        run.history.begin() + static_cast<long>(5 * i + 5));
      EXPECT_EQ(steps, (std::vector<DiskStep>{DiskStep::open, DiskStep::write, DiskStep::sync, DiskStep::close,
                                              DiskStep::rename}))
          << "type " << type << ", " << order[i];
    }
  }
}

TEST(SaveFaults, AFailingStepLeavesEveryFileWhollyOldOrWhollyNew) {
  const int errors[] = {ENOSPC, EACCES, EIO};
  for (int type = 1; type <= 9; ++type) {
    ScratchConfig scratch;
    const Files old = old_configuration(scratch, type);
    const std::vector<std::string> order = save_order(type);

    lay_out(scratch, old);
    FaultyDisk counting(scratch.dir(), 0, 0);
    const SaveRun good = save(scratch, counting);
    ASSERT_EQ(good.result.status, 0) << "type " << type << ": " << good.result.err;
    ASSERT_EQ(good.after.size(), old.size());
    for (const auto& [name, text] : old) {
      const bool saved = std::find(order.begin(), order.end(), name) != order.end();
      ASSERT_EQ(good.after.at(name) != text, saved) << "type " << type << ", " << name;
    }

    // The errno turns with k: as every file takes five steps, each kind of
    // step meets each of the three errors within three files.
    for (int k = 1; k <= good.steps; ++k) {
      const int error = errors[k % 3];
      lay_out(scratch, old);
      const std::size_t descriptors = open_descriptors();
      FaultyDisk disk(scratch.dir(), k, error);
      const SaveRun run = save(scratch, disk);
      const auto where = ::testing::Message() << "type " << type << ", step " << k << " ("
                                              << step_name(run.history.at(static_cast<std::size_t>(k - 1)))
                                              << " of " << disk.failed_file() << ") fails with "
                                              << std::strerror(error);
      ASSERT_TRUE(disk.failed_step().has_value()) << where;

      EXPECT_EQ(run.result.status, 2) << where;
      EXPECT_EQ(run.result.out.find(kSaved), std::string::npos) << where;
      EXPECT_TRUE(run.result.err.starts_with("config: " + disk.failed_file() + ": cannot ")) << where << run.result.err;
      EXPECT_NE(run.result.err.find(std::strerror(error)), std::string::npos) << where << run.result.err;
      EXPECT_EQ(open_descriptors(), descriptors) << where;

      // The files before the failing one hold their new content, the
      // failing one and all after it their old content; nothing else is
      // left in the directory.
      const auto failing = std::find(order.begin(), order.end(), saved_name(disk.failed_file()));
      ASSERT_NE(failing, order.end()) << where;
      const std::set<std::string> written(order.begin(), failing);
      ASSERT_EQ(run.after.size(), old.size()) << where << ": a temporary file is left";
      for (const auto& [name, text] : run.after) {
        ASSERT_TRUE(old.count(name)) << where << ": " << name << " is left";
        EXPECT_EQ(text, written.count(name) ? good.after.at(name) : old.at(name))
            << where << ": " << name << (written.count(name) ? " should be new" : " should be old");
      }
    }
  }
}

TEST(SaveFaults, AMissingFileFoundBeforeTheSaveWritesNothing) {
  for (int type = 1; type <= 9; ++type) {
    for (const std::string& missing : save_order(type)) {
      // data.dat is created when missing, and so are the EAM files.
      if (missing == "data.dat" || missing.starts_with("eam_")) continue;
      ScratchConfig scratch;
      const Files old = old_configuration(scratch, type);
      lay_out(scratch, old);
      // Present at start-up, gone by the time of the save.
      struct Vanishing : FaultyDisk {
        Vanishing(std::filesystem::path dir, std::string name) : FaultyDisk(std::move(dir), 0, 0), gone(std::move(name)) {}
        bool exists(const std::string& name) override { return name != gone && FaultyDisk::exists(name); }
        std::string gone;
      } disk(scratch.dir(), missing);
      const SaveRun run = save(scratch, disk);
      const auto where = ::testing::Message() << "type " << type << ", " << missing << " missing";
      EXPECT_EQ(run.result.status, 2) << where;
      EXPECT_NE(run.result.err.find(missing), std::string::npos) << where << run.result.err;
      EXPECT_EQ(run.result.out.find(kSaved), std::string::npos) << where;
      EXPECT_EQ(run.steps, 0) << where << ": nothing may be opened for writing";
      EXPECT_EQ(run.after, old) << where;
    }
  }
}

TEST(SaveFaults, ShortAndInterruptedWritesStillSaveWholeFiles) {
  ScratchConfig scratch;
  const Files old = old_configuration(scratch, 3);  // protein2.dat holds several lines
  lay_out(scratch, old);
  FaultyDisk plain(scratch.dir(), 0, 0);
  const SaveRun good = save(scratch, plain);
  ASSERT_EQ(good.result.status, 0) << good.result.err;

  lay_out(scratch, old);
  FaultyDisk trickling(scratch.dir(), 0, 0);
  trickling.write_limit = 3;
  const SaveRun short_writes = save(scratch, trickling);
  EXPECT_EQ(short_writes.result.status, 0) << short_writes.result.err;
  EXPECT_EQ(short_writes.after, good.after);

  for (std::size_t k = 0; k < good.history.size(); ++k) {
    if (good.history[k] != DiskStep::write) continue;
    lay_out(scratch, old);
    FaultyDisk interrupted(scratch.dir(), static_cast<int>(k + 1), EINTR);
    const SaveRun run = save(scratch, interrupted);
    EXPECT_EQ(run.result.status, 0) << "write step " << k + 1 << ": " << run.result.err;
    EXPECT_NE(run.result.out.find(kSaved), std::string::npos);
    EXPECT_EQ(run.after, good.after) << "write step " << k + 1;
  }
}

}  // namespace
}  // namespace cfg

// Saving when the disk fails: every step of a save is made to fail in turn,
// under every potential type, and what is left on disk is checked.

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "robust/faulty_disk.h"
#include "support/session_harness.h"
#include "support/vanishing_disk.h"

namespace cfg {
namespace {

namespace fs = std::filesystem;

using testing::DiskStep;
using testing::FaultyDisk;
using testing::ScratchConfig;
using testing::step_name;
using testing::TakenStep;

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

// A configuration directory and a second directory that some of its files
// are symbolic links into, as a parameter file shared by several jobs is.
struct Layout {
  ScratchConfig job;
  ScratchConfig shared;
  std::set<std::string> linked;
};

// Every regular file of both directories, by name ("shared/" before the
// names of the second), read through no link; links are listed as "-> target".
Files snapshot(const Layout& layout) {
  Files files;
  for (const auto& [prefix, dir] : {std::pair<std::string, fs::path>{"", layout.job.dir()}, {"shared/", layout.shared.dir()}}) {
    for (const auto& entry : fs::directory_iterator(dir)) {
      const std::string name = prefix + entry.path().filename().string();
      if (entry.is_symlink()) {
        files[name] = "-> " + fs::read_symlink(entry.path()).string();
      } else {
        std::ifstream file(entry.path(), std::ios::binary);
        files[name] = std::string(std::istreambuf_iterator<char>(file), {});
      }
    }
  }
  return files;
}

// The example configuration under one potential type, with two more blanks at
// the start of every line: the same values in a layout the program never
// writes, so that each file's old and new content can be told apart. A backup
// of an earlier save lies beside data.dat and beside protein1.dat.
Files old_configuration(const ScratchConfig& fresh, int type) {
  Files files;
  for (const auto& entry : fs::directory_iterator(fresh.dir())) {
    const std::string name = entry.path().filename().string();
    files[name] = fresh.read(name);
  }
  files["type.dat"] = " " + std::to_string(type) + " 2\n";
  for (auto& [name, text] : files) {
    std::string indented;
    for (const std::string& line : testing::lines_of(text)) indented += "  " + line + "\n";
    text = indented;
  }
  files["data.dat~"] = "an earlier save's data.dat\n";
  files["protein1.dat~"] = "an earlier save's protein1.dat\n";
  return files;
}

void clear(const fs::path& dir) {
  for (const auto& entry : fs::directory_iterator(dir)) fs::remove(entry.path());
}

// Lays the files out; a linked file lies in the shared directory, its backup
// beside it, with a relative link to it in the job's directory.
void lay_out(Layout& layout, const Files& files) {
  clear(layout.job.dir());
  clear(layout.shared.dir());
  for (const auto& [name, text] : files) {
    const std::string plain = name.ends_with('~') ? name.substr(0, name.size() - 1) : name;
    if (layout.linked.count(plain)) {
      layout.shared.write(name, text);
      if (name == plain) {
        fs::create_symlink(fs::path("..") / layout.shared.dir().filename() / name, layout.job.dir() / name);
      }
    } else {
      layout.job.write(name, text);
    }
  }
}

std::size_t open_descriptors() {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/fd")) ++count;
  return count;
}

// The file a backup's name stands for.
std::string saved_name(std::string file) {
  if (file.ends_with('~')) file.pop_back();
  return file;
}

// The program's own name for where a file lives: "shared/" before a linked one.
std::string where(const Layout& layout, const std::string& name) {
  return layout.linked.count(saved_name(name)) ? "shared/" + name : name;
}

struct SaveRun {
  testing::SessionResult result;
  Files after;
  std::vector<TakenStep> history;
};

SaveRun save(Layout& layout, FaultyDisk& disk, const std::string& keyboard = "\n\n") {
  SaveRun run;
  run.result = layout.job.run(keyboard, disk);
  run.after = snapshot(layout);
  run.history = disk.history();
  return run;
}

// The layouts tried: every potential type with plain files, and type 3 with
// data.dat and protein2.dat reached through links.
struct Case {
  int type;
  std::set<std::string> linked;
};

std::vector<Case> cases() {
  std::vector<Case> all;
  for (int type = 1; type <= 9; ++type) all.push_back({type, {}});
  all.push_back({3, {"data.dat", "protein2.dat"}});
  return all;
}

TEST(SaveFaults, EveryTemporaryIsWrittenBeforeTheRecordAndBackupsAfterTheFiles) {
  for (const Case& test : cases()) {
    Layout layout;
    layout.linked = test.linked;
    lay_out(layout, old_configuration(layout.job, test.type));
    FaultyDisk disk(layout.job.dir(), 0, 0);
    const SaveRun run = save(layout, disk);
    ASSERT_EQ(run.result.status, 0) << "type " << test.type << ": " << run.result.err;

    std::vector<std::string> written, linked_for_backup, renamed;
    for (const TakenStep& taken : run.history) {
      if (taken.step == DiskStep::open) written.push_back(taken.file);
      if (taken.step == DiskStep::link) linked_for_backup.push_back(taken.file);
      if (taken.step == DiskStep::rename) renamed.push_back(taken.file);
    }
    const std::vector<std::string> order = save_order(test.type);
    // One temporary per file and one for the record; one link per file
    // keeps its old content.
    EXPECT_EQ(written.size(), order.size() + 1) << "type " << test.type;
    EXPECT_EQ(linked_for_backup.size(), order.size()) << "type " << test.type;
    for (const std::string& name : written) EXPECT_TRUE(name.starts_with(".config-tmp.")) << name;
    for (const std::string& name : linked_for_backup) EXPECT_TRUE(name.starts_with(".config-tmp.")) << name;
    std::vector<std::string> renames = {".config-save"};
    renames.insert(renames.end(), order.begin(), order.end());
    for (const std::string& name : order) renames.push_back(name + "~");
    EXPECT_EQ(renamed, renames) << "type " << test.type;
    const auto first_rename = std::find_if(run.history.begin(), run.history.end(),
                                           [](const TakenStep& taken) { return taken.step == DiskStep::rename; });
    const auto last_write = std::find_if(run.history.rbegin(), run.history.rend(), [](const TakenStep& taken) {
      return taken.step == DiskStep::close || taken.step == DiskStep::link;
    });
    EXPECT_LE(last_write.base() - run.history.begin(), first_rename - run.history.begin()) << "type " << test.type;
  }
}

// The case's old configuration laid out, and a save of it that fails at no
// step: what the walks over the save's steps compare with.
struct GoodSave {
  Files old;
  std::vector<std::string> order;  // the files the save replaces
  Files before;
  SaveRun good;
};

GoodSave good_save(Layout& layout, const Case& test) {
  layout.linked = test.linked;
  GoodSave run{old_configuration(layout.job, test.type), save_order(test.type), {}, {}};
  lay_out(layout, run.old);
  run.before = snapshot(layout);
  FaultyDisk counting(layout.job.dir(), 0, 0);
  run.good = save(layout, counting);
  return run;
}

// Steps whose failure the save goes on without: an owner the file system
// may not give the file (the group is tried next), and the removal of a
// temporary (left to the next start). A lock that cannot be taken stops the
// save: no save goes on unlocked.
bool save_goes_on_without(DiskStep step) { return step == DiskStep::owner || step == DiskStep::remove; }

TEST(SaveFaults, AFailingStepLeavesTheConfigurationWhollyOldOrWhollyNew) {
  const int errors[] = {ENOSPC, EACCES, EIO};
  for (const Case& test : cases()) {
    Layout layout;
    const GoodSave setup = good_save(layout, test);
    const Files& old = setup.old;
    const std::vector<std::string>& order = setup.order;
    const Files& before = setup.before;
    const SaveRun& good = setup.good;
    ASSERT_EQ(good.result.status, 0) << "type " << test.type << ": " << good.result.err;
    for (const std::string& name : order) {
      ASSERT_NE(good.after.at(where(layout, name)), old.at(name)) << name;
      EXPECT_EQ(good.after.at(where(layout, name + "~")), old.at(name)) << name << "~ holds what the save replaced";
    }
    EXPECT_EQ(good.after.count(where(layout, "protein1.dat~")), test.type == 3 || test.type == 4 ? 1U : 0U)
        << "type " << test.type << ": a backup of a file the save did not replace is left";

    // The errno turns with k, so that each kind of step meets each error.
    for (int k = 1; k <= static_cast<int>(good.history.size()); ++k) {
      const int error = errors[k % 3];
      lay_out(layout, old);
      const std::size_t descriptors = open_descriptors();
      FaultyDisk disk(layout.job.dir(), k, error);
      const SaveRun run = save(layout, disk);
      ASSERT_TRUE(disk.failed_step().has_value());
      const DiskStep step = *disk.failed_step();
      const auto context = ::testing::Message() << "type " << test.type << (test.linked.empty() ? "" : " linked")
                                                << ", step " << k << " (" << step_name(step) << " of "
                                                << disk.failed_file() << ") fails with " << std::strerror(error);
      EXPECT_EQ(open_descriptors(), descriptors) << context;
      EXPECT_EQ(run.result.err.find(".config-tmp"), std::string::npos) << context << ": " << run.result.err;
      if (run.result.out.find("Press n for NO") == std::string::npos) {
        // A look-up of the load failed: the start stops with the file named.
        EXPECT_TRUE(step == DiskStep::look_up || step == DiskStep::read_link) << context;
        EXPECT_EQ(run.result.status, 2) << context;
        EXPECT_EQ(run.after, before) << context;
        continue;
      }
      // What a later start finds, once it has finished or undone what was left.
      testing::RestartedDisk restarted(layout.job.dir());
      ASSERT_EQ(layout.job.run("\nn\n", restarted).status, 0) << context;
      const Files settled = snapshot(layout);

      if (run.result.out.find(kSaved) != std::string::npos) {
        EXPECT_NE(step, DiskStep::open) << context;
        EXPECT_NE(step, DiskStep::write) << context;
        EXPECT_EQ(run.result.status, 0) << context;
        for (const std::string& name : order) {
          EXPECT_EQ(run.after.at(where(layout, name)), good.after.at(where(layout, name))) << context << name;
        }
        // A stale backup that could not be looked up or removed is left.
        Files expected = good.after;
        const bool protein1_saved = std::find(order.begin(), order.end(), "protein1.dat") != order.end();
        if ((step == DiskStep::look_up || step == DiskStep::remove) && !protein1_saved &&
            settled.count(where(layout, "protein1.dat~"))) {
          expected[where(layout, "protein1.dat~")] = before.at(where(layout, "protein1.dat~"));
        }
        EXPECT_EQ(settled, expected) << context;
        continue;
      }
      EXPECT_FALSE(save_goes_on_without(step)) << context << ": the save should go on";
      // The failure is reported, the main menu comes back, and the end of the
      // input then ends the program as a failure.
      EXPECT_EQ(run.result.status, 2) << context;
      const std::vector<std::string> errors_printed = testing::lines_of(run.result.err);
      ASSERT_EQ(errors_printed.size(), 2U) << context << run.result.err;
      EXPECT_TRUE(errors_printed[0].starts_with("config: ")) << context << errors_printed[0];
      const std::string cause = step == DiskStep::lock ? ": cannot lock the directory for the save: " : ": cannot save: ";
      EXPECT_NE(errors_printed[0].find(cause + std::strerror(error)), std::string::npos) << context << errors_printed[0];
      EXPECT_NE(testing::after_last(run.result.out, "Press n for NO").find("Choose an option"), std::string::npos)
          << context;
      EXPECT_EQ(run.after, before) << context << ": nothing is saved, nothing is left";
      EXPECT_EQ(settled, before) << context;
    }
  }
}

TEST(SaveFaults, AfterAFailedSaveTheSameSessionSavesEveryEdit) {
  Layout layout;
  const Files old = old_configuration(layout.job, 3);
  lay_out(layout, old);
  // Option 1 sets the seeding number to 12; then ENTER, ENTER: a save.
  const std::string edit_and_save = "1\n12\n\n\n";
  FaultyDisk counting(layout.job.dir(), 0, 0);
  const SaveRun good = save(layout, counting, edit_and_save);
  ASSERT_EQ(good.result.status, 0) << good.result.err;
  ASSERT_EQ(good.after.at("atom_num.dat"), "          38          12\n");

  for (int k = 1; k <= static_cast<int>(good.history.size()); ++k) {
    lay_out(layout, old);
    FaultyDisk disk(layout.job.dir(), k, ENOSPC);
    // The fault strikes once: the second ENTER, ENTER saves.
    const SaveRun run = save(layout, disk, edit_and_save + "\n\n");
    const auto context = ::testing::Message() << "step " << k << " (" << step_name(*disk.failed_step()) << " of "
                                              << disk.failed_file() << ") fails";
    if (run.result.out.find("Press n for NO") == std::string::npos) continue;  // the load failed, checked above
    EXPECT_EQ(run.result.status, 0) << context << run.result.err;
    for (const std::string& name : save_order(3)) EXPECT_EQ(run.after.at(name), good.after.at(name)) << context << name;
    EXPECT_EQ(run.result.out.find("Overwrite them"), std::string::npos)
        << context << ": what the failed save wrote counts as read";
  }
}

TEST(SaveFaults, AMissingFileFoundBeforeTheSaveWritesNothing) {
  for (int type = 1; type <= 9; ++type) {
    for (const std::string& missing : save_order(type)) {
      // data.dat is created when missing, and so are the EAM files.
      if (missing == "data.dat" || missing.starts_with("eam_")) continue;
      Layout layout;
      const Files old = old_configuration(layout.job, type);
      lay_out(layout, old);
      // Present at start-up, gone by the time of the save.
      testing::VanishingDisk<FaultyDisk> disk(missing, testing::VanishingDisk<FaultyDisk>::Gone::hidden,
                                              layout.job.dir(), 0, 0);
      const SaveRun run = save(layout, disk);
      const auto context = ::testing::Message() << "type " << type << ", " << missing << " missing";
      EXPECT_EQ(run.result.status, 2) << context;
      EXPECT_TRUE(run.result.err.starts_with("config: " + missing + ": ")) << context << run.result.err;
      EXPECT_EQ(run.result.out.find(kSaved), std::string::npos) << context;
      for (const TakenStep& taken : run.history) EXPECT_NE(taken.step, DiskStep::open) << context;
      EXPECT_EQ(run.after, snapshot(layout)) << context;
      for (const auto& [name, text] : old) EXPECT_EQ(run.after.at(name), text) << context;
    }
  }
}

TEST(SaveFaults, ShortAndInterruptedWritesStillSaveWholeFiles) {
  Layout layout;
  const Files old = old_configuration(layout.job, 3);  // protein2.dat holds several lines
  lay_out(layout, old);
  FaultyDisk plain(layout.job.dir(), 0, 0);
  const SaveRun good = save(layout, plain);
  ASSERT_EQ(good.result.status, 0) << good.result.err;

  lay_out(layout, old);
  FaultyDisk trickling(layout.job.dir(), 0, 0);
  trickling.write_limit = 3;
  const SaveRun short_writes = save(layout, trickling);
  EXPECT_EQ(short_writes.result.status, 0) << short_writes.result.err;
  EXPECT_EQ(short_writes.after, good.after);

  for (std::size_t k = 0; k < good.history.size(); ++k) {
    if (good.history[k].step != DiskStep::write) continue;
    lay_out(layout, old);
    FaultyDisk interrupted(layout.job.dir(), static_cast<int>(k + 1), EINTR);
    const SaveRun run = save(layout, interrupted);
    EXPECT_EQ(run.result.status, 0) << "write step " << k + 1 << ": " << run.result.err;
    EXPECT_NE(run.result.out.find(kSaved), std::string::npos);
    EXPECT_EQ(run.after, good.after) << "write step " << k + 1;
  }
}

// Cut off at every step of a save (a kill, a power cut), then started again:
// the configuration is wholly old or wholly new, undoing it by the NAME~ files
// gives the whole old one, and no temporary is left.
TEST(SaveCrashes, EveryPrefixOfASaveIsFinishedOrUndoneByTheNextStart) {
  const std::vector<Case> layouts = {{1, {}}, {3, {"data.dat", "protein2.dat"}}, {5, {"eam_bb.dat"}}, {9, {}}};
  for (const Case& test : layouts) {
    Layout layout;
    const GoodSave setup = good_save(layout, test);
    const Files& old = setup.old;
    const std::vector<std::string>& order = setup.order;
    const Files& before = setup.before;
    const SaveRun& good = setup.good;
    ASSERT_EQ(good.result.status, 0) << good.result.err;

    for (int k = 1; k <= static_cast<int>(good.history.size()); ++k) {
      lay_out(layout, old);
      FaultyDisk disk(layout.job.dir(), k, 0);
      disk.crash = true;
      EXPECT_THROW(layout.job.run("\n\n", disk), testing::Crash);
      ASSERT_TRUE(disk.failed_step().has_value()) << "step " << k;
      const auto context = ::testing::Message() << "type " << test.type << (test.linked.empty() ? "" : " linked")
                                                << ", cut before step " << k << " (" << step_name(*disk.failed_step())
                                                << " of " << disk.failed_file() << ")";
      // Started again, and left at once without a save.
      testing::RestartedDisk files(layout.job.dir());
      const testing::SessionResult restart = layout.job.run("\nn\n", files);
      EXPECT_EQ(restart.status, 0) << context << restart.err;
      const Files after = snapshot(layout);

      std::size_t new_files = 0;
      for (const std::string& name : order) new_files += after.at(where(layout, name)) == good.after.at(where(layout, name));
      const bool wholly_new = new_files == order.size();
      EXPECT_TRUE(wholly_new || after == before) << context << ": " << new_files << " of " << order.size() << " new";
      if (wholly_new) {
        EXPECT_EQ(after, good.after) << context;
        // The documented way back: for f in *.dat~; do mv "$f" "${f%\~}"; done
        Files restored = after;
        for (const auto& [name, text] : after) {
          if (!name.ends_with('~')) continue;
          restored[name.substr(0, name.size() - 1)] = text;
          restored.erase(name);
        }
        for (const std::string& name : order) {
          EXPECT_EQ(restored.at(where(layout, name)), old.at(name)) << context << ": " << name << " restored";
        }
      }
      for (const auto& [name, text] : after) {
        EXPECT_EQ(name.find(".config-"), std::string::npos) << context << ": " << name << " is left";
      }
    }
  }
}

// The start that finishes a save is itself cut off, at each of its steps,
// for a save cut at each of its renames: the start after it still finds the
// configuration wholly old or wholly new, with nothing left.
TEST(SaveCrashes, FinishingASaveCanBeCutOffAndTakenAgain) {
  Layout layout;
  const GoodSave setup = good_save(layout, {1, {}});
  const Files& old = setup.old;
  const Files& before = setup.before;
  const SaveRun& good = setup.good;
  for (int k = 1; k <= static_cast<int>(good.history.size()); ++k) {
    if (good.history[static_cast<std::size_t>(k - 1)].step != DiskStep::rename) continue;
    for (int j = 1;; ++j) {
      lay_out(layout, old);
      FaultyDisk disk(layout.job.dir(), k, 0);
      disk.crash = true;
      EXPECT_THROW(layout.job.run("\n\n", disk), testing::Crash);
      struct CutRestart : FaultyDisk {
        using FaultyDisk::FaultyDisk;
        bool process_alive(long) override { return false; }
      } cut(layout.job.dir(), j, 0);
      cut.crash = true;
      bool finished = false;
      try {
        layout.job.run("\nn\n", cut);
        finished = true;
      } catch (const testing::Crash&) {
      }
      // Cut beyond the finish (in the load), there is nothing more to try.
      bool left = false;
      for (const auto& [name, text] : snapshot(layout)) left = left || name.find(".config-") != std::string::npos;
      finished = finished || !left;
      testing::RestartedDisk restarted(layout.job.dir());
      EXPECT_EQ(layout.job.run("\nn\n", restarted).status, 0);
      const Files after = snapshot(layout);
      EXPECT_TRUE(after == before || after == good.after) << "save cut at step " << k << ", its finish at " << j;
      if (finished) break;
    }
  }
}

// Killed once it has kept the old contents: the next save says nothing of
// "other hard links", which were the killed save's own.
TEST(SaveCrashes, TheLinksOfAKilledSaveAreNoOtherHardLinks) {
  Layout layout;
  lay_out(layout, old_configuration(layout.job, 1));
  FaultyDisk counting(layout.job.dir(), 0, 0);
  const SaveRun good = save(layout, counting);
  const auto first_rename = std::find_if(good.history.begin(), good.history.end(),
                                         [](const TakenStep& taken) { return taken.step == DiskStep::rename; });
  lay_out(layout, old_configuration(layout.job, 1));
  FaultyDisk disk(layout.job.dir(), static_cast<int>(first_rename - good.history.begin()) + 1, 0);
  disk.crash = true;
  EXPECT_THROW(layout.job.run("\n\n", disk), testing::Crash);
  testing::RestartedDisk restarted(layout.job.dir());
  const testing::SessionResult next = layout.job.run("\n\n", restarted);
  EXPECT_EQ(next.status, 0);
  EXPECT_EQ(next.err, "");
}

}  // namespace
}  // namespace cfg

// The save transaction: every file of a save is written beside the file it
// replaces before the first of them is replaced.

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string_view>

#include "config/config_files.h"
#include "driver/saving.h"
#include "io/file_error.h"

namespace cfg {

namespace {

// One file of a save and the names of its pieces, all beside its target.
struct Replacement {
  const std::string& name;
  const std::string& text;
  FileStatus found;
  std::string temporary;
  std::string backup;
  std::string backup_temporary;
};

std::string beside(const std::string& target, const std::string& file_name) {
  return (std::filesystem::path(target).parent_path() / file_name).string();
}

Replacement plan_for(const std::string& name, const std::string& text, FileStatus found) {
  const std::string base = std::filesystem::path(found.target).filename().string();
  Replacement plan{name, text, std::move(found), "", "", ""};
  plan.temporary = beside(plan.found.target, "." + base + ".new");
  plan.backup = plan.found.target + "~";
  plan.backup_temporary = beside(plan.found.target, "." + base + "~.new");
  return plan;
}

[[noreturn]] void cannot_save(const std::string& name, const FatalError& failure) {
  const auto* step = dynamic_cast<const FileError*>(&failure);
  // A backup in the way (NAME~ a directory) is what the user must look at.
  const std::string& culprit = step != nullptr && step->file().ends_with('~') ? step->file() : name;
  throw FatalError(culprit + ": cannot save: " + (step != nullptr ? step->cause() : std::string(failure.what())));
}

bool must_exist(const std::string& name) { return must_exist_before_save(name); }

// The one place the backup setting is read.
bool backups_wanted() {
  const char* setting = std::getenv("CONFIG_BACKUP");
  return setting == nullptr || std::string_view(setting) != "off";
}

std::vector<Replacement> plan_save(FileSystem& files, SaveLocks& locks, const FileTexts& texts) {
  std::vector<Replacement> plan;
  plan.reserve(texts.size());
  for (const auto& [name, text] : texts) {
    FileStatus found;
    try {
      found = files.status(name);
      if (found.through_link) locks.cover(files.real_directory(directory_of(found.target)));
    } catch (const FatalError& failure) {
      cannot_save(name, failure);
    }
    if (found.through_link && !found.exists) {
      throw FatalError(name + ": cannot save: the symbolic link leads to no file; nothing was saved");
    }
    if (!found.exists && must_exist(name)) throw FatalError(name + ": the file does not exist; nothing was saved");
    plan.push_back(plan_for(name, text, std::move(found)));
  }
  return plan;
}

void refuse_files_changed_on_disk(FileSystem& files, const std::vector<Replacement>& plan) {
  std::vector<ChangedOnDisk::File> changed;
  for (const Replacement& file : plan) {
    const std::optional<ContentDigest>* read = files.remembered(file.name);
    if (!file.found.exists || read == nullptr) continue;
    std::optional<std::string> now;
    try {
      now = files.content(file.name);
    } catch (const FatalError& failure) {
      cannot_save(file.name, failure);
    }
    // A file gone since its status was taken is written anew.
    if (!now) continue;
    const ContentDigest digest = digest_of(*now);
    if (digest != *read) changed.push_back({file.name, digest});
  }
  if (!changed.empty()) throw ChangedOnDisk(std::move(changed));
}

// The NAME~ of a configuration file this save does not replace is no part of
// what the save replaced. Left behind, it is no loss: the removal is best
// effort.
void remove_other_backups(FileSystem& files, const FileTexts& texts) {
  for (const std::string& name : configuration_file_names()) {
    bool saved = false;
    for (const auto& file : texts) saved = saved || file.first == name;
    if (saved) continue;
    std::string target = name;
    try {
      target = files.status(name).target;
    } catch (const FatalError&) {
    }
    files.remove(target + "~");
  }
}

SaveNotes split_hard_links(const std::vector<Replacement>& plan) {
  SaveNotes notes;
  for (const Replacement& file : plan) {
    if (!file.found.exists || file.found.hard_links < 2) continue;
    const std::uint64_t others = file.found.hard_links - 1;
    notes.push_back(file.name + ": saved as a file of its own; the " + std::to_string(others) + " other hard link" +
                    (others == 1 ? " keeps" : "s keep") + " the old content");
  }
  return notes;
}

}  // namespace

ChangedOnDisk::ChangedOnDisk(std::vector<File> files)
    : FatalError([&] {
        std::string names;
        for (const File& file : files) names += (names.empty() ? "" : ", ") + file.name;
        return names + ": cannot save: changed on disk since " + (files.size() == 1 ? "it was" : "they were") + " read";
      }()),
      files_(std::move(files)) {}

void ChangedOnDisk::accept(FileSystem& files) const {
  for (const File& file : files_) files.remember(file.name, file.now);
}

SaveNotes save_files(FileSystem& files, SaveLocks& locks, const FileTexts& texts) {
  files.take_lost_attributes();  // of an earlier save that failed
  std::vector<Replacement> plan = plan_save(files, locks, texts);
  refuse_files_changed_on_disk(files, plan);
  const bool backups = backups_wanted();

  // Everything new is on the disk before anything old is replaced.
  std::vector<std::string> temporaries;
  temporaries.reserve(2 * plan.size());
  const auto remove_temporaries = [&] {
    for (const std::string& temporary : temporaries) files.remove(temporary);
  };
  const std::string* current = nullptr;
  try {
    for (const Replacement& file : plan) {
      current = &file.name;
      temporaries.push_back(file.temporary);
      files.write_replacement(file.temporary, file.text, file.found);
    }
    for (const Replacement& file : plan) {
      if (!backups || !file.found.exists) continue;
      current = &file.name;
      files.remove(file.backup_temporary);  // left by a save that was killed
      temporaries.push_back(file.backup_temporary);
      files.duplicate(file.found.target, file.backup_temporary);
    }
  } catch (const FatalError& failure) {
    remove_temporaries();
    cannot_save(*current, failure);
  }

  const auto sync_directories = [&] {
    std::set<std::string> directories;
    for (const Replacement& file : plan) {
      if (directories.insert(directory_of(file.found.target)).second) files.sync_directory_of(file.found.target);
    }
  };
  try {
    if (backups) {
      for (const Replacement& file : plan) {
        current = &file.name;
        if (file.found.exists) {
          files.rename(file.backup_temporary, file.backup);
        } else {
          files.remove(file.backup);
        }
      }
      remove_other_backups(files, texts);
    }
    for (const Replacement& file : plan) {
      current = &file.name;
      files.rename(file.temporary, file.found.target);
      files.remember(file.name, digest_of(file.text));
    }
  } catch (const FatalError& failure) {
    // The renamed temporaries are gone already; removing their names again
    // removes nothing.
    remove_temporaries();
    sync_directories();
    cannot_save(*current, failure);
  }
  sync_directories();
  SaveNotes notes = split_hard_links(plan);
  if (std::optional<std::string> lost = files.take_lost_attributes()) notes.push_back(std::move(*lost));
  return notes;
}

}  // namespace cfg

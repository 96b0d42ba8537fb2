// The save transaction. Its steps, in order; a start after a crash at any
// point finds the configuration wholly old or wholly new:
//  1. Each name's links are followed to its target; the files are compared
//     with what was read (content, and where the links led).
//  2. Each new content goes to a temporary of its own beside its target
//     (created exclusively, synced); each target that exists gets a second
//     link under a temporary name, which keeps its old content.
//  3. The directories are synced. A crash until here leaves only temporaries
//     of a dead writer, which the next start removes.
//  4. The record of the save (save_journal.h) is written to a temporary,
//     synced, renamed into place and its directory synced: the commit point.
//     Ctrl-C and the like are held from here to the end.
//  5. Each temporary is renamed over its target; the directories are synced.
//     A failing rename puts back the targets already replaced.
//  6. Each kept old content becomes NAME~ (or goes, under CONFIG_BACKUP=off);
//     stale NAME~ are removed; the directories are synced. NAME~ is made only
//     now, so that the NAME~ files never mix two saves once the record is gone.
//  7. The record is removed and its directory synced.
// From 4 on, a crash leaves the record, and the next start carries out 5-7
// (finish_recorded_save).

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <string_view>

#include "config/config_files.h"
#include "driver/save_journal.h"
#include "driver/saving.h"
#include "io/file_error.h"

namespace cfg {

namespace {

// One file of a save and its pieces, all beside its target.
struct Replacement {
  const std::string& name;
  const std::string& text;
  FileStatus found;
  std::string temporary;  // the new content
  std::string old;        // a second link to the old content
};

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
    plan.push_back({name, text, std::move(found), "", ""});
  }
  return plan;
}

// A NAME~ the old content cannot become (a directory in its place) stops the
// save before anything is written: found after the commit point, it would
// leave the save to every later start, which would meet it again.
void refuse_backups_in_the_way(FileSystem& files, const std::vector<Replacement>& plan) {
  for (const Replacement& file : plan) {
    if (!file.found.exists) continue;
    const std::string backup = file.found.target + "~";
    FileStatus in_the_way;
    try {
      in_the_way = files.status(backup);
    } catch (const FatalError& failure) {
      cannot_save(file.name, failure);
    }
    if (in_the_way.exists && !in_the_way.through_link && S_ISDIR(in_the_way.ownership.mode)) {
      throw FatalError(backup + ": cannot save: " + std::strerror(EISDIR));
    }
  }
}

// A file counts as changed when its content differs from what was read, or
// when its links lead elsewhere than they did (even to the same content): a
// save writes only where it read.
void refuse_files_changed_on_disk(FileSystem& files, const std::vector<Replacement>& plan) {
  const ReadLedger* ledger = files.ledger();
  if (ledger == nullptr) return;
  std::vector<ChangedOnDisk::File> changed;
  for (const Replacement& file : plan) {
    const ReadEntry* read = ledger->find(file.name);
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
    if (digest != read->digest || !file.found.identity().same_place(read->where)) {
      changed.push_back({file.name, digest, file.found.identity()});
    }
  }
  if (!changed.empty()) throw ChangedOnDisk(std::move(changed));
}

// The NAME~ of a configuration file this save does not replace is no part of
// what the save replaced, and goes, as the NAME~ of a file it creates does.
// Only beside a target whose links still lead where they led when it was
// read: a link that changed is never followed to delete anything.
std::vector<SaveRecord::Removal> stale_backups(FileSystem& files, const FileTexts& texts,
                                               const std::vector<Replacement>& plan) {
  std::vector<SaveRecord::Removal> removals;
  for (const Replacement& file : plan) {
    if (!file.found.exists && files.exists(file.found.target + "~")) {
      removals.push_back({file.name, file.found.target + "~"});
    }
  }
  const ReadLedger* ledger = files.ledger();
  for (const std::string& name : configuration_file_names()) {
    bool saved = false;
    for (const auto& file : texts) saved = saved || file.first == name;
    if (saved) continue;
    FileStatus found;
    try {
      found = files.status(name);
    } catch (const FatalError&) {
      continue;
    }
    const ReadEntry* read = ledger != nullptr ? ledger->find(name) : nullptr;
    const bool where_it_was = read != nullptr ? read->where.same_place(found.identity()) : !found.through_link;
    if (where_it_was && files.exists(found.target + "~")) removals.push_back({name, found.target + "~"});
  }
  return removals;
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

void ChangedOnDisk::accept(ReadLedger& ledger) const {
  for (const File& file : files_) ledger.remember(file.name, {file.now, file.where});
}

namespace {

std::string names_of(const std::vector<const Replacement*>& files) {
  std::string names;
  for (const Replacement* file : files) names += (names.empty() ? "" : ", ") + file->name;
  return names;
}

// A rename that failed part way: the targets already replaced get their old
// content back (through a fresh link, so that the kept old content stays
// until the end), and the save is as if it had never begun. Where even that
// fails, the record stays, and the next start puts the old content back.
[[noreturn]] void undo_renames(FileSystem& files, const std::vector<Replacement>& plan,
                               std::vector<const Replacement*> replaced, const std::string& failed,
                               const FatalError& failure) {
  const auto* step = dynamic_cast<const FileError*>(&failure);
  const std::string cause = failed + ": cannot save: " + (step != nullptr ? step->cause() : std::string(failure.what()));
  try {
    while (!replaced.empty()) {
      const Replacement& file = *replaced.back();
      if (file.old.empty()) {
        files.remove(file.found.target);
      } else {
        const std::string back = temporary_beside(file.found.target);
        files.duplicate(file.old, back);
        try {
          files.rename(back, file.found.target);
        } catch (const FatalError&) {
          files.remove(back);
          throw;
        }
      }
      replaced.pop_back();
    }
    for (const Replacement& file : plan) files.sync_directory_of(file.found.target);
  } catch (const FatalError&) {
    throw FatalError(cause + "; " + names_of(replaced) + (replaced.size() == 1 ? " holds" : " hold") +
                     " the new content and the other files the old: the next start of config puts the old back");
  }
  for (const Replacement& file : plan) {
    files.remove(file.temporary);
    if (!file.old.empty()) files.remove(file.old);
  }
  files.remove(kSaveRecordName);
  files.sync_directory_of(kSaveRecordName);
  throw FatalError(cause + "; nothing was saved");
}

}  // namespace

SaveNotes save_files(FileSystem& files, SaveLocks& locks, const FileTexts& texts) {
  files.take_lost_attributes();  // of an earlier save that failed
  std::vector<Replacement> plan = plan_save(files, locks, texts);
  SaveNotes notes;
  // A save cut off in another process since this one's start.
  if (std::optional<std::string> finished = finish_recorded_save(files, locks)) notes.push_back(std::move(*finished));
  refuse_files_changed_on_disk(files, plan);
  const bool backups = backups_wanted();
  if (backups) refuse_backups_in_the_way(files, plan);

  // Everything new is on the disk, and every old content kept, before
  // anything is replaced.
  std::string record_temporary;
  const auto remove_temporaries = [&] {
    for (const Replacement& file : plan) {
      if (!file.temporary.empty()) files.remove(file.temporary);
      if (!file.old.empty()) files.remove(file.old);
    }
    if (!record_temporary.empty()) files.remove(record_temporary);
  };
  const std::string* current = nullptr;
  SaveRecord record;
  try {
    for (Replacement& file : plan) {
      current = &file.name;
      file.temporary = write_temporary(files, file.found.target, file.text, &file.found);
    }
    for (Replacement& file : plan) {
      if (!file.found.exists) continue;
      current = &file.name;
      for (int tries = 0; file.old.empty(); ++tries) {
        const std::string name = temporary_beside(file.found.target);
        try {
          files.duplicate(file.found.target, name);
          file.old = name;
        } catch (const NameTaken&) {
          if (tries == 100) throw;
        }
      }
    }
    std::set<std::string> directories;
    for (const Replacement& file : plan) {
      current = &file.name;
      if (directories.insert(directory_of(file.found.target)).second) files.sync_directory_of(file.found.target);
    }
    for (const Replacement& file : plan) {
      record.files.push_back({file.name, file.found.target, file.temporary, digest_of(file.text), file.old,
                              backups && file.found.exists ? file.found.target + "~" : ""});
    }
    if (backups) record.removals = stale_backups(files, texts, plan);
    static const std::string record_name = kSaveRecordName;
    current = &record_name;
    record_temporary = write_temporary(files, kSaveRecordName, save_record_text(record), nullptr);
  } catch (const FatalError& failure) {
    remove_temporaries();
    cannot_save(*current, failure);
  }

  const HeldSignals held;
  try {
    files.rename(record_temporary, kSaveRecordName);
    files.sync_directory_of(kSaveRecordName);
  } catch (const FatalError& failure) {
    remove_temporaries();
    files.remove(kSaveRecordName);
    cannot_save(kSaveRecordName, failure);
  }

  std::vector<const Replacement*> replaced;
  try {
    for (const Replacement& file : plan) {
      current = &file.name;
      files.rename(file.temporary, file.found.target);
      replaced.push_back(&file);
    }
  } catch (const FatalError& failure) {
    undo_renames(files, plan, replaced, *current, failure);
  }
  if (ReadLedger* ledger = files.ledger()) {
    for (const Replacement& file : plan) ledger->remember(file.name, {digest_of(file.text), file.found.identity()});
  }
  // The files are saved. What is left (syncs, backups, the record's removal)
  // the next start finishes if it fails here.
  try {
    finish_recorded_save(files, locks);
  } catch (const FatalError& failure) {
    notes.push_back(std::string(failure.what()) + "; the files are saved, and the next start of config completes the rest");
  }
  SaveNotes links = split_hard_links(plan);
  notes.insert(notes.end(), links.begin(), links.end());
  if (std::optional<std::string> lost = files.take_lost_attributes()) notes.push_back(std::move(*lost));
  return notes;
}

}  // namespace cfg

#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "config/configuration_rules.h"
#include "config/session.h"
#include "driver/save_locks.h"
#include "io/errors.h"
#include "io/file_system.h"

namespace cfg {

// Main-menu option 9: the report, the save question and the save. True when
// the program ends here, false when the main menu comes next: after a wrong
// answer, a declined overwrite of files changed on disk, or a failed save
// (reported on standard error; every edit of the session is kept).
bool quit_and_save(Session& session);

// The files of a save, each with the text it is to hold, in the order written.
using FileTexts = std::vector<std::pair<std::string, std::string>>;

// Lines for standard error about a save that succeeded (a hard link split).
using SaveNotes = std::vector<std::string>;

// Every file a save may write, under any potential type.
const std::vector<std::string>& configuration_file_names();

// What the configuration in memory saves: data.dat, atom_num.dat and the
// energy-model files of the current potential type.
FileTexts configuration_texts(const Session& session);

// A save that stopped before writing anything because files it would replace
// hold something else than what was read from them (or written by this
// session since): another save, a command, a hand edit.
class ChangedOnDisk : public FatalError {
 public:
  struct File {
    std::string name;
    ContentDigest now;  // of what the file holds now
    FileIdentity where;  // where its links lead now
  };
  explicit ChangedOnDisk(std::vector<File> files);
  const std::vector<File>& files() const { return files_; }
  // Takes what the files hold now as what was read: a save that follows
  // overwrites them, unless they change again.
  void accept(ReadLedger& ledger) const;

 private:
  std::vector<File> files_;
};

// Saves the files as one transaction, under locks the caller holds:
//  1. Each name's symbolic links are followed to the file they lead to. A link
//     that leads to no file, or a missing file that must exist (all but
//     data.dat and the EAM files), stops the save.
//  2. Each file that exists is compared with what was read from it through
//     `files`; any difference throws ChangedOnDisk.
//  3. Every new content goes to a temporary file beside the file it replaces,
//     with that file's permission bits, owner and group, and is synced; each
//     replaced file is kept as a backup temporary (unless CONFIG_BACKUP=off).
//  4. The backups become NAME~ beside each replaced file; the NAME~ of the
//     configuration files not replaced, and of files created, are removed.
//     Then each temporary is renamed over its file, which is remembered as
//     read, and the directories are synced.
// A failure before the renames leaves every file as it was; a failing rename
// leaves each file wholly old or wholly new. Either way the temporaries are
// removed and FatalError is thrown with one line naming the file and the
// cause ("data.dat: cannot save: No space left on device").
SaveNotes save_files(FileSystem& files, SaveLocks& locks, const FileTexts& texts);

// The configuration's save (option 9's, once nothing stands in its way):
// takes the locks and saves configuration_texts through save_files.
SaveNotes save_configuration(Session& session);

}  // namespace cfg

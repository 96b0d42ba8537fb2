#pragma once

#include <csignal>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "driver/save_locks.h"
#include "io/content_digest.h"
#include "io/errors.h"
#include "io/file_system.h"
#include "io/output_writer.h"

namespace cfg {

// The record of a save's intent: written once every new content is synced
// beside its file, it is the save's commit point. A start that finds it
// finishes the save, so that a configuration is never left part old, part
// new. Paths are as the file system takes them: relative to the
// configuration's directory, or absolute.
inline constexpr const char* kSaveRecordName = ".config-save";

struct SaveRecord {
  struct File {
    std::string name;       // the configuration's name for it: data.dat
    std::string target;     // the file its links lead to, which the save replaces
    std::string temporary;  // the new content, beside the target
    ContentDigest digest;   // of the new content
    std::string old;        // a second link to the old content; empty for a file created
    std::string backup;     // the NAME~ the old content becomes; empty for none
  };
  // A NAME~ to remove: of a file created, or of a file the save did not write.
  struct Removal {
    std::string name;
    std::string path;
  };
  std::vector<File> files;
  std::vector<Removal> removals;
};

std::string save_record_text(const SaveRecord& record);

// A record that is no record of this program's making for this configuration.
class RecordRefused : public FatalError {
 public:
  using FatalError::FatalError;
};

// The record in the text, or nothing when its checksum does not hold (a torn
// record, the save never reached its commit point). Throws RecordRefused for a
// text that holds its checksum but not the form of a record.
std::optional<SaveRecord> parse_save_record(std::string_view text);

// Throws RecordRefused unless every file the record names is one of this
// configuration's (by its name, or the file its links lead to now), a NAME~ of
// one, or a temporary of this program beside one.
void check_record_names(FileSystem& files, const SaveRecord& record);

// Under the locks, a record left by a save that was cut off is carried out
// (or, where a new content is lost, undone) and removed, and temporaries of
// writers that died on this host are removed. The line to tell the user, if
// a record was found. A record that cannot be finished throws FatalError
// "DIR: an interrupted save could not be completed: REASON", leaving it.
std::optional<std::string> finish_recorded_save(FileSystem& files, SaveLocks& locks);

// At a start: finishes a save that was cut off, if a record or a leftover
// temporary is found, saying so on `err`.
void finish_interrupted_save(FileSystem& files, OutputWriter& err);

// For check, which changes nothing: true (and a line on `err`) when a record
// waits to be finished.
bool report_unfinished_save(FileSystem& files, OutputWriter& err);

// Ctrl-C, kill and a closed terminal wait while this lives: a save between
// its commit point and the removal of its record is never cut by them.
class HeldSignals {
 public:
  HeldSignals();
  ~HeldSignals();
  HeldSignals(const HeldSignals&) = delete;
  HeldSignals& operator=(const HeldSignals&) = delete;

 private:
  sigset_t before_{};
};

}  // namespace cfg

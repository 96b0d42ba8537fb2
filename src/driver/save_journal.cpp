#include "driver/save_journal.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <set>

#include "driver/saving.h"
#include "io/file_error.h"

namespace cfg {

namespace {

constexpr std::string_view kHeader = "config-save 1\n";

// A field of a record line: bytes that would split or hide it are written
// %XX; an empty field is "-".
std::string field(std::string_view text) {
  if (text.empty()) return "-";
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= ' ' || byte >= 0x7f || c == '%' || (c == '-' && out.empty())) {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out;
}

std::optional<std::string> unfield(std::string_view text) {
  if (text == "-") return std::string();
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    unsigned value = 0;
    if (i + 2 >= text.size()) return std::nullopt;
    const auto [end, error] = std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16);
    if (error != std::errc() || end != text.data() + i + 3) return std::nullopt;
    out += static_cast<char>(value);
    i += 2;
  }
  return out;
}

std::string digest_fields(const ContentDigest& digest) {
  char hash[17];
  std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(digest.hash));
  return std::to_string(digest.size) + " " + hash;
}

std::optional<ContentDigest> parse_digest(std::string_view size, std::string_view hash) {
  ContentDigest digest;
  unsigned long long value = 0;
  const auto [size_end, size_error] = std::from_chars(size.data(), size.data() + size.size(), digest.size);
  const auto [hash_end, hash_error] = std::from_chars(hash.data(), hash.data() + hash.size(), value, 16);
  if (size_error != std::errc() || size_end != size.data() + size.size() || hash_error != std::errc() ||
      hash_end != hash.data() + hash.size() || hash.size() != 16) {
    return std::nullopt;
  }
  digest.hash = value;
  return digest;
}

std::vector<std::string_view> words_of(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t start = 0;
  while (start <= line.size()) {
    const std::size_t space = line.find(' ', start);
    const std::size_t end = space == std::string_view::npos ? line.size() : space;
    words.push_back(line.substr(start, end - start));
    start = end + 1;
  }
  return words;
}

std::string parent_of(const std::string& path) { return std::filesystem::path(path).parent_path().string(); }

bool is_temporary_beside(const std::string& path, const std::string& target) {
  return parent_of(path) == parent_of(target) &&
         std::filesystem::path(path).filename().string().starts_with(kTemporaryPrefix);
}

// A failure to finish a save, for the start to report.
[[noreturn]] void cannot_finish(FileSystem& files, const std::string& reason) {
  throw FatalError(files.real_directory(".") + ": an interrupted save could not be completed: " + reason);
}

std::string reason_of(const FatalError& failure) {
  const auto* step = dynamic_cast<const FileError*>(&failure);
  return step != nullptr ? step->cause() : std::string(failure.what());
}

bool holds(FileSystem& files, const std::string& path, const ContentDigest& digest) {
  const std::optional<std::string> now = files.content(path);
  return now && digest_of(*now) == digest;
}

void sync_directories(FileSystem& files, const SaveRecord& record) {
  std::set<std::string> done;
  for (const SaveRecord::File& file : record.files) {
    if (done.insert(parent_of(file.target)).second) files.sync_directory_of(file.target);
  }
}

// Carries the record out from wherever the save stopped; every step can be
// taken again. False when it was undone instead: a new content is lost (its
// temporary gone, its target without it) while every old content is kept.
bool carry_out(FileSystem& files, const SaveRecord& record) {
  bool lost = false;
  bool olds_kept = true;
  for (const SaveRecord::File& file : record.files) {
    if (!holds(files, file.target, file.digest) && !files.exists(file.temporary)) lost = true;
    if (!file.old.empty() && !files.exists(file.old)) olds_kept = false;
  }
  if (lost && olds_kept) {
    for (const SaveRecord::File& file : record.files) {
      if (!file.old.empty()) {
        // A rename between two links of one file does nothing: the old link
        // is removed after it either way.
        files.rename(file.old, file.target);
        files.remove(file.old);
      } else if (holds(files, file.target, file.digest)) {
        files.remove(file.target);
      }
      files.remove(file.temporary);
    }
    sync_directories(files, record);
    return false;
  }
  for (const SaveRecord::File& file : record.files) {
    if (holds(files, file.target, file.digest)) {
      files.remove(file.temporary);
    } else if (files.exists(file.temporary)) {
      files.rename(file.temporary, file.target);
    }
  }
  // One sync for the renames and the backups: cut before it, the record is
  // still there, and carrying it out again finds each step done or not.
  for (const SaveRecord::File& file : record.files) {
    if (file.old.empty() || !files.exists(file.old)) continue;
    if (!file.backup.empty()) files.rename(file.old, file.backup);
    files.remove(file.old);
  }
  for (const SaveRecord::Removal& removal : record.removals) files.remove(removal.path);
  sync_directories(files, record);
  return true;
}

// A temporary of this program made by a process on this host that has died.
bool dead_writers_temporary(FileSystem& files, const std::string& file_name) {
  if (!file_name.starts_with(kTemporaryPrefix)) return false;
  const std::string sample = temporary_beside("");
  const std::string host = sample.substr(kTemporaryPrefix.size(), sample.find('.', kTemporaryPrefix.size()) - kTemporaryPrefix.size());
  const std::string rest = file_name.substr(kTemporaryPrefix.size());
  if (!rest.starts_with(host + ".")) return false;
  long pid = 0;
  const std::string_view digits = std::string_view(rest).substr(host.size() + 1);
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
  if (error != std::errc() || end == digits.data() + digits.size() || *end != '.') return false;
  return !files.process_alive(pid);
}

// The fixed names of the temporaries of earlier versions: .NAME.new, .NAME~.new.
bool earlier_versions_temporary(const std::string& file_name) {
  for (const std::string& name : configuration_file_names()) {
    if (file_name == "." + name + ".new" || file_name == "." + name + "~.new") return true;
  }
  return false;
}

bool leftover(FileSystem& files, const std::string& file_name) {
  return dead_writers_temporary(files, file_name) || earlier_versions_temporary(file_name);
}

void remove_leftovers(FileSystem& files, const std::vector<std::string>& directories) {
  for (const std::string& directory : directories) {
    for (const std::string& file_name : files.names_in(directory)) {
      if (leftover(files, file_name)) files.remove((std::filesystem::path(directory) / file_name).string());
    }
  }
}

std::string names_of(const SaveRecord& record) {
  std::string names;
  for (const SaveRecord::File& file : record.files) names += (names.empty() ? "" : ", ") + file.name;
  return names;
}

}  // namespace

std::string save_record_text(const SaveRecord& record) {
  std::string text(kHeader);
  for (const SaveRecord::File& file : record.files) {
    text += "file " + field(file.name) + " " + field(file.target) + " " + field(file.temporary) + " " +
            digest_fields(file.digest) + " " + field(file.old) + " " + field(file.backup) + "\n";
  }
  for (const SaveRecord::Removal& removal : record.removals) {
    text += "remove " + field(removal.name) + " " + field(removal.path) + "\n";
  }
  return text + "end " + digest_fields(digest_of(text)) + "\n";
}

std::optional<SaveRecord> parse_save_record(std::string_view text) {
  if (!text.ends_with('\n')) return std::nullopt;
  const std::size_t last = text.rfind('\n', text.size() - 2);
  const std::string_view body = last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
  const std::vector<std::string_view> end = words_of(text.substr(body.size(), text.size() - body.size() - 1));
  if (end.size() != 3 || end[0] != "end") return std::nullopt;
  const std::optional<ContentDigest> checksum = parse_digest(end[1], end[2]);
  if (!checksum || *checksum != digest_of(body)) return std::nullopt;

  const auto malformed = [](std::size_t line) -> RecordRefused {
    return RecordRefused("the save's record " + std::string(kSaveRecordName) + " is malformed at line " +
                         std::to_string(line));
  };
  if (!body.starts_with(kHeader)) throw malformed(1);
  SaveRecord record;
  std::size_t line_number = 1;
  for (std::size_t start = kHeader.size(); start < body.size();) {
    ++line_number;
    const std::size_t newline = body.find('\n', start);
    const std::vector<std::string_view> words = words_of(body.substr(start, newline - start));
    start = newline + 1;
    std::vector<std::string> fields;
    for (std::size_t i = 1; i < words.size(); ++i) {
      if (words[0] == "file" && (i == 4 || i == 5)) continue;  // the digest
      std::optional<std::string> value = unfield(words[i]);
      if (!value) throw malformed(line_number);
      fields.push_back(std::move(*value));
    }
    if (words[0] == "file" && words.size() == 8) {
      const std::optional<ContentDigest> digest = parse_digest(words[4], words[5]);
      if (!digest || fields[0].empty() || fields[1].empty() || fields[2].empty()) throw malformed(line_number);
      record.files.push_back({fields[0], fields[1], fields[2], *digest, fields[3], fields[4]});
    } else if (words[0] == "remove" && words.size() == 3 && !fields[0].empty() && !fields[1].empty()) {
      record.removals.push_back({fields[0], fields[1]});
    } else {
      throw malformed(line_number);
    }
  }
  return record;
}

void check_record_names(FileSystem& files, const SaveRecord& record) {
  const std::vector<std::string>& own = configuration_file_names();
  const auto refuse = [](const std::string& path) -> RecordRefused {
    return RecordRefused("the save's record " + std::string(kSaveRecordName) + " names " + path +
                         ", which is no file of this configuration; it is left in place, and nothing it names is "
                         "touched");
  };
  // The file a name's links lead to now; the name itself when they lead nowhere.
  const auto target_now = [&](const std::string& name) {
    if (std::find(own.begin(), own.end(), name) == own.end()) throw refuse(name);
    return files.status(name).target;
  };
  std::set<std::string> seen;
  for (const SaveRecord::File& file : record.files) {
    if (!seen.insert(file.name).second) throw refuse(file.name + " twice");
    const std::string target = target_now(file.name);
    if (file.target != file.name && file.target != target) throw refuse(file.target);
    if (!is_temporary_beside(file.temporary, file.target)) throw refuse(file.temporary);
    if (!file.old.empty() && !is_temporary_beside(file.old, file.target)) throw refuse(file.old);
    if (!file.backup.empty() && file.backup != file.target + "~") throw refuse(file.backup);
  }
  for (const SaveRecord::Removal& removal : record.removals) {
    const std::string target = target_now(removal.name);
    if (removal.path != removal.name + "~" && removal.path != target + "~") throw refuse(removal.path);
  }
}

std::optional<std::string> finish_recorded_save(FileSystem& files, SaveLocks& locks) {
  std::optional<std::string> told;
  try {
    if (const std::optional<std::string> text = files.content(kSaveRecordName)) {
      const std::optional<SaveRecord> record = parse_save_record(*text);
      if (record) {
        check_record_names(files, *record);
        for (const SaveRecord::File& file : record->files) locks.cover(files.real_directory(directory_of(file.target)));
        const HeldSignals held;
        const bool done = carry_out(files, *record);
        told = (done ? "completed an interrupted save of " : "undid an interrupted save of ") + names_of(*record) +
               (done ? "" : "; those files hold what they held before it");
      }
      // A torn record: its save never reached its commit point, and its
      // temporaries are the leftovers of a writer that died.
      files.remove(kSaveRecordName);
      files.sync_directory_of(kSaveRecordName);
    }
    remove_leftovers(files, locks.directories());
  } catch (const FatalError& failure) {
    cannot_finish(files, reason_of(failure));
  }
  return told;
}

void finish_interrupted_save(FileSystem& files, OutputWriter& err) {
  // Without a record or a leftover (here, or beside a file a link leads to),
  // a start takes no lock.
  bool found = files.exists(kSaveRecordName);
  std::set<std::string> directories = {"."};
  for (const std::string& name : found ? std::vector<std::string>() : configuration_file_names()) {
    try {
      const FileStatus status = files.status(name);
      if (status.through_link) directories.insert(directory_of(status.target));
    } catch (const FatalError&) {
      // Reported by the load, which reads the file.
    }
  }
  for (const std::string& directory : found ? std::set<std::string>() : directories) {
    for (const std::string& file_name : files.names_in(directory)) found = found || leftover(files, file_name);
  }
  if (!found) return;
  SaveLocks locks(files);
  if (const std::optional<std::string> told = finish_recorded_save(files, locks)) {
    err << "config: " << *told << '\n';
    err.flush();
  }
}

bool report_unfinished_save(FileSystem& files, OutputWriter& err) {
  if (!files.exists(kSaveRecordName)) return false;
  err << "config: " << files.real_directory(".") << ": a save was interrupted; any start of config but check "
      << "completes it\n";
  err.flush();
  return true;
}

HeldSignals::HeldSignals() {
  sigset_t held;
  sigemptyset(&held);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) sigaddset(&held, signal);
  sigprocmask(SIG_BLOCK, &held, &before_);
}

HeldSignals::~HeldSignals() { sigprocmask(SIG_SETMASK, &before_, nullptr); }

}  // namespace cfg

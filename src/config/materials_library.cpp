#include "config/materials_library.h"

#include "config/config_files.h"
#include "io/record_reader.h"

namespace cfg {

namespace {

// Reads the next record; a library ending before its end marker is fatal,
// which the reader reports by itself at the end of the file.
LibraryEntry read_entry(RecordReader& reader) {
  LibraryEntry entry;
  reader.read(entry.name, entry.e0, entry.c0, entry.p, entry.q, entry.r0);
  return entry;
}

bool is_end_marker(const LibraryEntry& entry) { return entry.name == "end"; }

void copy_entry(const LibraryEntry& entry, ManyBodySet& set) {
  set.name.assign(entry.name.view());
  set.e0 = entry.e0;
  set.c0 = entry.c0;
  set.p = entry.p;
  set.q = entry.q;
  set.r0 = entry.r0;
}

void print_set(Terminal& term, const ManyBodySet& set) {
  term.say(set.name, set.e0, set.c0, set.p, set.q, set.r0);
}

// The listing pauses after these records, and never after the 110th.
bool pauses_after(std::int32_t records_read) { return records_read % 10 == 0 && records_read <= 110; }

// A found entry is copied into its set and shown under its own header line.
void take_found_entry(Terminal& term, const LibraryEntry& entry, ManyBodySet& set) {
  copy_entry(entry, set);
  term.say("@      e0       c0      p    q   r0");
  print_set(term, set);
}

}  // namespace

void list_materials_library(FileSystem& files, Terminal& term, ManyBodySet& mb_aa) {
  TextLines lines = open_for_reading(files, kMaterialsLibraryFile);
  RecordReader reader(lines);
  term.say("@      e0       c0      p    q    r0");
  for (std::int32_t records_read = 1;; ++records_read) {
    const LibraryEntry entry = read_entry(reader);
    if (!is_end_marker(entry)) {
      copy_entry(entry, mb_aa);
      print_set(term, mb_aa);
    }
    if (pauses_after(records_read)) term.pause();
    if (is_end_marker(entry)) return;
  }
}

void check_materials_library(FileSystem& files) {
  TextLines lines = open_for_reading(files, kMaterialsLibraryFile);
  RecordReader reader(lines);
  while (!is_end_marker(read_entry(reader))) {
  }
}

bool look_up_materials(FileSystem& files, Terminal& term, EnergyModel& model, std::int32_t potential_type,
                       const FixedText<4>& a_name, const FixedText<2>& b_name) {
  TextLines lines = open_for_reading(files, kMaterialsLibraryFile);
  RecordReader reader(lines);
  const bool alloy = potential_type == 2;
  const FixedText<2> pair_ab(std::string{a_name.first(), b_name.first()});
  const FixedText<2> pair_ba(std::string{b_name.first(), a_name.first()});
  for (;;) {
    const LibraryEntry entry = read_entry(reader);
    if (entry.name == a_name) {
      take_found_entry(term, entry, model.mb_aa);
      if (!alloy) return true;
    }
    if (alloy && entry.name == b_name) take_found_entry(term, entry, model.mb_bb);
    if (alloy && (entry.name == pair_ab || entry.name == pair_ba)) {
      take_found_entry(term, entry, model.mb_ab);
      return true;
    }
    if (is_end_marker(entry)) {
      term.say("Data doesn't exist !");
      term.say("Please type 'go' and try again !");
      term.pause();
      return false;
    }
  }
}

}  // namespace cfg

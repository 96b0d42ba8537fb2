#pragma once

#include <cstdint>

#include "config/energy_model.h"
#include "io/file_system.h"
#include "io/fixed_text.h"
#include "io/terminal.h"

namespace cfg {

// The materials library enrgpmt.dat: many-body parameter sets, one record per
// material or A-B pair, ending with a record named "end". Read only; every
// operation reads it afresh from the first record.
inline constexpr const char* kMaterialsLibraryFile = "enrgpmt.dat";

struct LibraryEntry {
  FixedText<3> name;
  double e0 = 0;
  double c0 = 0;
  double p = 0;
  double q = 0;
  double r0 = 0;
};

// Prints every entry, pausing after records 10, 20, ..., 110; mb_aa is left
// holding the last entry before the end marker.
void list_materials_library(FileSystem& files, Terminal& term, ManyBodySet& mb_aa);

// Reads every record up to the end marker as the listing does, printing
// nothing and never pausing; throws the listing's FatalError when the library
// is missing, ends before its end marker or holds an unreadable record.
void check_materials_library(FileSystem& files);

// Copies the entries of the named materials into the model's many-body sets:
// A only for a pure system, A, B and the A-B pair under potential type 2.
// Returns false, after the "Data doesn't exist !" lines and a pause, when the
// end marker is met first.
bool look_up_materials(FileSystem& files, Terminal& term, EnergyModel& model, std::int32_t potential_type,
                       const FixedText<4>& a_name, const FixedText<2>& b_name);

}  // namespace cfg

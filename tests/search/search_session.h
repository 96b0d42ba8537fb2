#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "config/config_record.h"
#include "support/session_harness.h"

// Helpers for the search-editor sessions: the dialogue a session printed, the
// configuration it started from, and what its save wrote.
namespace cfg::testing {

using Lines = std::vector<std::string>;

// The lines printed between the end of the `index`-th main menu (0 for the
// first) and the next main menu, or the end of the output.
Lines dialogue_after_menu(const std::string& out, std::size_t index = 0);

Lines join(std::initializer_list<Lines> parts);

// One number as it follows another item on an output line: the separator
// blank, then the number's field.
std::string num(std::int32_t value);
std::string num(double value);

// The five lines of the input-error message.
extern const Lines kInputError;
// The six lines of the accuracy menu (main-menu option 4).
extern const Lines kAccuracyMenu;

// The ConfigRecord held in a data.dat text, read with the program's reader.
ConfigRecord config_from_text(const std::string& data_text);
// The ConfigRecord the scratch directory's data.dat holds now.
ConfigRecord config_on_disk(const ScratchConfig& scratch);
// Replaces the scratch directory's data.dat with this configuration.
void put_config(const ScratchConfig& scratch, const ConfigRecord& config);

// The two values of atom_num.dat and of type.dat.
struct IntegerPair {
  std::int32_t first = 0;
  std::int32_t second = 0;
};
IntegerPair pair_on_disk(const ScratchConfig& scratch, const std::string& name);

// The data.dat text that a save of `expected` writes; under LBFGS the save
// first stores the close-pack value of the scratch's particle count in
// func_bc (and in box_width with close packing).
std::string saved_text_of(const ScratchConfig& scratch, ConfigRecord expected);

}  // namespace cfg::testing

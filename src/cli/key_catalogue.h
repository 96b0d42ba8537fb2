#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "config/field_table.h"

namespace cfg {

// What `keys` tells of one key: every key of the table of fields, in file
// order, each element of a fixed array on its own, a column of sets once
// (`residues_type[k]`).
struct KeyDescription {
  std::string key;
  std::string_view kind;  // integer, real, text or code
  std::size_t width = 0;  // the characters of a text
  std::string_view file;
  std::string_view meaning;
  std::vector<std::pair<std::int32_t, std::string_view>> codes;  // a code's meaning, in code order
  AcceptedCodes accepted;                                         // what set takes
  std::string refused;  // why set refuses it; empty when it does not
};

const std::vector<KeyDescription>& key_descriptions();

// "local minimization method|1 only Simplex|2 ..." into the meaning and each
// code with its meaning. A code part that does not start with a number is
// left out, which the tests of the table catch.
std::string_view meaning_of(std::string_view described);
std::vector<std::pair<std::int32_t, std::string_view>> codes_of(std::string_view described);

// A pattern with '*' or '?' matches the whole key, '[' and ']' taken
// literally; any other pattern matches the keys that contain it.
bool key_matches(std::string_view pattern, std::string_view key);

}  // namespace cfg

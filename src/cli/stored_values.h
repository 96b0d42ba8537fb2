#pragma once

#include <cstddef>
#include <string_view>
#include <type_traits>

#include "config/config_fields.h"

namespace cfg {

// What the command line knows of one stored value besides the value itself.
struct ValueInfo {
  FieldKey key;
  std::string_view file;
  AcceptedCodes codes;
  bool counts_lines = false;  // residue_set_count, ch_count: the lines of their file
  bool in_set_file = false;   // a value of protein2.dat or chima2.dat
};

// Walks the whole configuration in the order of the field table:
// on_value(info, value&) for every value of a fixed record and for the count
// of each set file; on_column(info, column&, rows) for each column of sets,
// of which the first `rows` are in use. `whole` is a ConfigurationRefs or a
// ConstConfigurationRefs.
template <class Whole, class OnValue, class OnColumn>
void walk_stored_values(Whole& whole, OnValue&& on_value, OnColumn&& on_column) {
  for_each_file(kConfigurationFiles, [&](const auto& file) {
    auto& part = file.part(whole);
    if constexpr (is_set_file<std::decay_t<decltype(file)>>::value) {
      on_value(ValueInfo{{file.count_name, {}, 0}, file.name, {}, true, true}, file.count(part));
      const std::size_t rows = set_rows(file, part);
      on_column(ValueInfo{{file.first_name, {}, 0}, file.name, {}, false, true}, file.first(part), rows);
      on_column(ValueInfo{{file.second_name, {}, 0}, file.name, {}, false, true}, file.second(part), rows);
    } else {
      for_each_record(file, [&](const auto& rec) {
        for_each_value(rec, part, [&](const FieldKey& key, AcceptedCodes codes, auto& value) {
          on_value(ValueInfo{key, file.name, codes, false}, value);
        });
      });
    }
  });
}

}  // namespace cfg

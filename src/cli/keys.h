#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/stored_values.h"

namespace cfg {

// A key as typed: `box_width`, `mc_steps[2]`, `mb_ab.r0`, `residues_type[3]`.
// Nothing when it is not of that form.
std::optional<FieldKey> parse_key(std::string_view text);
// The key as it is typed.
std::string key_name(const FieldKey& key);
// The known keys closest in spelling to `text`, at most three; none when
// nothing is close.
std::vector<std::string> nearest_keys(std::string_view text);

enum class Lookup { found, unknown, beyond_sets };

// Calls f(info, value&) for the stored value named `key`: a value of a fixed
// record, a set count, or an element (from 1) of a column of sets in use.
template <class Whole, class F>
Lookup with_stored_value(Whole& whole, const FieldKey& key, F&& f) {
  Lookup lookup = Lookup::unknown;
  walk_stored_values(
      whole,
      [&](const ValueInfo& info, auto& value) {
        if (lookup == Lookup::unknown && info.key.base == key.base && info.key.member == key.member &&
            info.key.index == key.index) {
          lookup = Lookup::found;
          f(info, value);
        }
      },
      [&](const ValueInfo& info, auto& column, std::size_t rows) {
        if (lookup != Lookup::unknown || info.key.base != key.base || !key.member.empty() || key.index < 1) return;
        if (static_cast<std::size_t>(key.index) > rows) {
          lookup = Lookup::beyond_sets;
          return;
        }
        lookup = Lookup::found;
        ValueInfo element = info;
        element.key.index = key.index;
        f(element, column[static_cast<std::size_t>(key.index - 1)]);
      });
  return lookup;
}

}  // namespace cfg

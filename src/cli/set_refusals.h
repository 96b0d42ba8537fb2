#pragma once

#include <string>
#include <string_view>

namespace cfg {

// Why `set` and `apply` refuse a value, said once for them and for `keys`.

// The count of a set file is the number of its lines.
inline std::string counted_lines_refusal(std::string_view file) {
  return "it counts the lines of " + std::string(file) + ", which is edited as a file of its own";
}

// The values that a rule derives from others: one that is given must be the
// value its rule gives from the values that result.
struct DerivedValue {
  std::string_view key;
  std::string_view rule;
};
inline constexpr DerivedValue kDerivedValues[] = {
    {"seed", "after a new particle_count a seed other than 0 becomes particle_count - 1"},
    {"func_bc", "under min_method 5 every save makes it the close-pack value of particle_count"},
    {"box_width", "under min_method 5 with close_pack 1 every save makes it the close-pack value of particle_count"},
    {"a_atom_count", "after a new particle_count under potential type 5 it becomes particle_count"},
};

// The rule that derives `key`; empty when none does.
inline std::string_view derivation_rule(std::string_view key) {
  for (const DerivedValue& derived : kDerivedValues) {
    if (derived.key == key) return derived.rule;
  }
  return {};
}

// What `keys` says of a derived value: set refuses it ...
inline std::string rule_refusal(std::string_view key) {
  const std::string_view rule = derivation_rule(key);
  return rule.empty() ? std::string() : "any value but the one its rule gives: " + std::string(rule);
}

}  // namespace cfg

#pragma once

#include <string>
#include <string_view>

namespace cfg {

// Why `set` refuses a key, said once for `set` and for `keys`.

// The count of a set file is the number of its lines.
inline std::string counted_lines_refusal(std::string_view file) {
  return "it counts the lines of " + std::string(file) + ", which is edited as a file of its own";
}

// Values that every save replaces while a rule holds; `set` refuses them then.
struct RuleRefusal {
  std::string_view key;
  std::string_view reason;
};
inline constexpr RuleRefusal kRuleRefusals[] = {
    {"func_bc", "under min_method 5 every save replaces it by the close-pack value"},
    {"box_width", "under min_method 5 with close_pack 1 every save replaces it by the close-pack value"},
};

// The reason of the rule that refuses `key`; empty when none does.
inline std::string_view rule_refusal(std::string_view key) {
  for (const RuleRefusal& refusal : kRuleRefusals) {
    if (refusal.key == key) return refusal.reason;
  }
  return {};
}

}  // namespace cfg

#include "cli/keys.h"

#include <algorithm>
#include <cstdint>

#include "io/number_parsing.h"

namespace cfg {

namespace {

bool is_name_char(char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'; }
bool is_name(std::string_view text) { return !text.empty() && std::all_of(text.begin(), text.end(), is_name_char); }

// Every key that can be typed, sets by their first element.
std::vector<std::string> known_keys() {
  std::vector<std::string> keys;
  for_each_file(kConfigurationFiles, [&](const auto& file) {
    if constexpr (is_set_file<std::decay_t<decltype(file)>>::value) {
      keys.emplace_back(file.count_name);
      keys.push_back(std::string(file.first_name) + "[1]");
      keys.push_back(std::string(file.second_name) + "[1]");
    } else {
      for_each_record(file, [&](const auto& rec) {
        for_each_key(rec, [&](const FieldKey& key) { keys.push_back(key_name(key)); });
      });
    }
  });
  return keys;
}

std::size_t edit_distance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace

std::optional<FieldKey> parse_key(std::string_view text) {
  FieldKey key;
  if (const std::size_t bracket = text.find('['); bracket != std::string_view::npos) {
    if (text.back() != ']') return std::nullopt;
    const std::string_view digits = text.substr(bracket + 1, text.size() - bracket - 2);
    std::int32_t index = 0;
    if (digits.empty() || digits[0] < '0' || digits[0] > '9' || !parse_integer(digits, index)) return std::nullopt;
    key.index = index;
    text = text.substr(0, bracket);
  }
  if (const std::size_t dot = text.find('.'); dot != std::string_view::npos) {
    key.member = text.substr(dot + 1);
    if (!is_name(key.member) || key.index != 0) return std::nullopt;
    text = text.substr(0, dot);
  }
  if (!is_name(text)) return std::nullopt;
  key.base = text;
  return key;
}

std::string key_name(const FieldKey& key) {
  std::string name(key.base);
  if (!key.member.empty()) name.append(".").append(key.member);
  if (key.index != 0) name.append("[").append(std::to_string(key.index)).append("]");
  return name;
}

std::vector<std::string> nearest_keys(std::string_view text) {
  std::vector<std::pair<std::size_t, std::string>> ranked;
  for (std::string& key : known_keys()) ranked.emplace_back(edit_distance(text, key), std::move(key));
  std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  // Close means fewer edits than about a third of the longer spelling.
  std::vector<std::string> nearest;
  for (const auto& [distance, key] : ranked) {
    if (nearest.size() == 3 || distance > std::max<std::size_t>(2, std::max(text.size(), key.size()) / 3)) break;
    if (!nearest.empty() && distance > ranked.front().first) break;
    nearest.push_back(key);
  }
  return nearest;
}

}  // namespace cfg

#include "cli/key_catalogue.h"

#include <type_traits>

#include "cli/keys.h"
#include "cli/set_refusals.h"
#include "config/config_fields.h"
#include "io/fixed_text.h"
#include "io/number_parsing.h"

namespace cfg {

namespace {

template <class T>
struct TextWidth : std::integral_constant<std::size_t, 0> {};
template <std::size_t N>
struct TextWidth<FixedText<N>> : std::integral_constant<std::size_t, N> {};

// The kind of a value of type T with the codes given.
template <class T>
void describe_value(KeyDescription& described, AcceptedCodes codes) {
  described.accepted = codes;
  if constexpr (std::is_same_v<T, double>) {
    described.kind = "real";
  } else if constexpr (std::is_same_v<T, std::int32_t>) {
    described.kind = codes.any() ? "integer" : "code";
  } else {
    described.kind = "text";
    described.width = TextWidth<T>::value;
  }
}

KeyDescription describe(const FieldKey& key, std::string_view file, std::string_view meaning) {
  KeyDescription described;
  described.key = key_name(key);
  described.file = file;
  described.meaning = meaning_of(meaning);
  described.codes = codes_of(meaning);
  described.refused = rule_refusal(described.key);
  return described;
}

template <class Part, class Field>
void add_field(std::vector<KeyDescription>& keys, std::string_view file, const Field& field) {
  using Value = std::decay_t<decltype(field.get(std::declval<Part&>()))>;
  keys.push_back(describe(field.key, file, field.meaning));
  describe_value<Value>(keys.back(), field.codes);
}

std::vector<KeyDescription> describe_every_key() {
  std::vector<KeyDescription> keys;
  for_each_file(kConfigurationFiles, [&](const auto& file) {
    using Part = std::remove_reference_t<decltype(file.part(std::declval<ConfigurationRefs&>()))>;
    if constexpr (is_set_file<std::decay_t<decltype(file)>>::value) {
      keys.push_back(describe({file.count_name, {}, 0}, file.name, file.count_meaning));
      keys.back().kind = "integer";
      keys.back().refused = counted_lines_refusal(file.name);
      const auto add_column = [&](std::string_view name, std::string_view meaning, auto column) {
        keys.push_back(describe({name, {}, 0}, file.name, meaning));
        keys.back().key += "[k]";
        describe_value<typename decltype(column)::value_type>(keys.back(), {});
      };
      add_column(file.first_name, file.first_meaning, std::decay_t<decltype(file.first(std::declval<Part&>()))>{});
      add_column(file.second_name, file.second_meaning, std::decay_t<decltype(file.second(std::declval<Part&>()))>{});
    } else {
      for_each_record(file, [&](const auto& rec) {
        if constexpr (is_per_run<std::decay_t<decltype(rec)>>::value) {
          for (int run = 1; run <= kRuns; ++run) {
            std::apply(
                [&](const auto&... fields) {
                  ((keys.push_back(describe({fields.name, {}, run}, file.name, fields.meaning)),
                    describe_value<std::decay_t<decltype(fields.get(std::declval<Part&>(), run))>>(keys.back(), {})),
                   ...);
                },
                rec.fields);
          }
        } else {
          std::apply([&](const auto&... fields) { (add_field<Part>(keys, file.name, fields), ...); }, rec.fields);
        }
      });
    }
  });
  return keys;
}

// Whether `pattern` matches the whole of `key`: '*' any run of characters,
// '?' any one, everything else itself. A '*' that fails to match is retried
// one character further on, which keeps the work within pattern times key.
bool glob_matches(std::string_view pattern, std::string_view key) {
  std::size_t p = 0, k = 0;
  std::size_t star = std::string_view::npos, star_k = 0;
  while (k < key.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == key[k])) {
      ++p;
      ++k;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      star_k = k;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      k = ++star_k;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

const std::vector<KeyDescription>& key_descriptions() {
  static const std::vector<KeyDescription> keys = describe_every_key();
  return keys;
}

std::string_view meaning_of(std::string_view described) { return described.substr(0, described.find('|')); }

std::vector<std::pair<std::int32_t, std::string_view>> codes_of(std::string_view described) {
  std::vector<std::pair<std::int32_t, std::string_view>> codes;
  std::size_t bar = described.find('|');
  while (bar != std::string_view::npos) {
    const std::size_t next = described.find('|', bar + 1);
    const std::string_view part = described.substr(bar + 1, next == std::string_view::npos ? next : next - bar - 1);
    const std::size_t space = part.find(' ');
    std::int32_t code = 0;
    if (space != std::string_view::npos && parse_integer(part.substr(0, space), code)) {
      codes.emplace_back(code, part.substr(space + 1));
    }
    bar = next;
  }
  return codes;
}

bool key_matches(std::string_view pattern, std::string_view key) {
  if (pattern.find_first_of("*?") == std::string_view::npos) return key.find(pattern) != std::string_view::npos;
  return glob_matches(pattern, key);
}

}  // namespace cfg

#include "cli/value_listing.h"

#include <cmath>
#include <tuple>

#include "cli/json_output.h"
#include "cli/keys.h"
#include "cli/stored_values.h"
#include "cli/value_text.h"

namespace cfg {

namespace {

bool written_as_string(std::int32_t) { return false; }
bool written_as_string(double value) { return !std::isfinite(value); }
template <std::size_t N>
bool written_as_string(const FixedText<N>&) {
  return true;
}

}  // namespace

std::string ListedValue::json() const { return json_string ? cfg::json_string(text) : text; }

ValueListing list_values(ConstConfigurationRefs whole) {
  ValueListing listing;
  std::size_t place = 0;
  walk_stored_values(
      whole,
      [&](const ValueInfo& info, const auto& value) {
        std::string named(info.key.base);
        if (!info.key.member.empty()) named.append(".").append(info.key.member);
        listing.values.push_back({key_name(info.key), std::move(named), place++, 0, value_text(value),
                                  written_as_string(value)});
      },
      [&](const ValueInfo& info, const auto& column, std::size_t rows) {
        for (std::size_t k = 0; k < rows; ++k) {
          FieldKey key = info.key;
          key.index = static_cast<std::int32_t>(k + 1);
          listing.values.push_back(
              {key_name(key), std::string(info.key.base), place, key.index, value_text(column[k]),
               written_as_string(column[k])});
        }
        ++place;
      });
  return listing;
}

namespace {

bool compared(const ValueListing& listing, const ListedValue& value) {
  return !listing.partial || listing.named.count(value.named) != 0;
}

bool before(const ListedValue& x, const ListedValue& y) { return std::tie(x.place, x.set) < std::tie(y.place, y.set); }

}  // namespace

std::vector<ValueDifference> differences(const ValueListing& a, const ValueListing& b) {
  std::vector<ValueDifference> found;
  const auto note = [&](const ListedValue* x, const ListedValue* y) {
    const ListedValue& either = x != nullptr ? *x : *y;
    if (!compared(a, either) || !compared(b, either)) return;
    if (x != nullptr && y != nullptr && x->text == y->text) return;
    found.push_back({either.key, x, y});
  };
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.values.size() || j < b.values.size()) {
    if (j == b.values.size() || (i < a.values.size() && before(a.values[i], b.values[j]))) {
      note(&a.values[i++], nullptr);
    } else if (i == a.values.size() || before(b.values[j], a.values[i])) {
      note(nullptr, &b.values[j++]);
    } else {
      note(&a.values[i++], &b.values[j++]);
    }
  }
  return found;
}

std::string difference_lines(const std::vector<ValueDifference>& found) {
  std::string text;
  for (const ValueDifference& difference : found) {
    text.append(difference.key).append(": ");
    text.append(difference.a != nullptr ? difference.a->text : "(none)").append(" -> ");
    text.append(difference.b != nullptr ? difference.b->text : "(none)").append("\n");
  }
  return text;
}

std::string difference_json(const std::vector<ValueDifference>& found) {
  // A key a line, its pair of values on it.
  std::string text = found.empty() ? "{" : "{\n";
  for (std::size_t i = 0; i < found.size(); ++i) {
    text.append("  ").append(json_string(found[i].key)).append(": [");
    text.append(found[i].a != nullptr ? found[i].a->json() : "null").append(", ");
    text.append(found[i].b != nullptr ? found[i].b->json() : "null");
    text.append(i + 1 < found.size() ? "],\n" : "]\n");
  }
  return text + "}\n";
}

}  // namespace cfg

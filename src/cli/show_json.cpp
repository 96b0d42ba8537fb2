#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "cli/stored_configuration.h"
#include "cli/value_text.h"
#include "io/output_writer.h"

namespace cfg {

namespace {

// A JSON value as it is written: numbers in the project's own digits, so that
// show --json and get print every real alike.
struct JsonValue {
  enum class Kind { scalar, array, object } kind = Kind::scalar;
  std::string text;               // a scalar's JSON text
  std::vector<std::string> names;  // an object's member names
  std::vector<JsonValue> items;    // an object's members, an array's elements
};

// A string as JSON writes it: escaped, and a byte that is no UTF-8 replaced.
std::string json_string(std::string_view text) {
  return nlohmann::json(std::string(text)).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

JsonValue json_value(std::int32_t value) { return {JsonValue::Kind::scalar, value_text(value), {}, {}}; }
// JSON has no infinities or NaN: those are the strings that name them.
JsonValue json_value(double value) {
  return {JsonValue::Kind::scalar, std::isfinite(value) ? value_text(value) : json_string(value_text(value)), {}, {}};
}
template <std::size_t N>
JsonValue json_value(const FixedText<N>& text) {
  return {JsonValue::Kind::scalar, json_string(value_text(text)), {}, {}};
}

JsonValue& member(JsonValue& object, std::string_view name) {
  object.kind = JsonValue::Kind::object;
  for (std::size_t i = 0; i < object.names.size(); ++i) {
    if (object.names[i] == name) return object.items[i];
  }
  object.names.emplace_back(name);
  return object.items.emplace_back();
}

void append(JsonValue& array, JsonValue element) {
  array.kind = JsonValue::Kind::array;
  array.items.push_back(std::move(element));
}

// Written with an indent of two blanks a level, an empty array as [] and an
// empty object as {}.
void write_json(std::string& out, const JsonValue& value, std::size_t depth) {
  if (value.kind == JsonValue::Kind::scalar) {
    out += value.text;
    return;
  }
  const bool object = value.kind == JsonValue::Kind::object;
  if (value.items.empty()) {
    out += object ? "{}" : "[]";
    return;
  }
  out += object ? "{\n" : "[\n";
  for (std::size_t i = 0; i < value.items.size(); ++i) {
    out.append(2 * (depth + 1), ' ');
    if (object) out += json_string(value.names[i]) + ": ";
    write_json(out, value.items[i], depth + 1);
    out += i + 1 < value.items.size() ? ",\n" : "\n";
  }
  out.append(2 * depth, ' ');
  out += object ? "}" : "]";
}

}  // namespace

// One object holding every stored value by its key, in the order of the
// field table: per-run values and short arrays as arrays, parameter sets as
// objects of their members, each column of sets as an array of the sets in
// use.
int show_json(FileSystem& files, OutputWriter& out, OutputWriter& err) {
  StoredConfiguration stored(files, out, err);
  ConfigurationRefs whole = stored.whole();
  JsonValue object{JsonValue::Kind::object, {}, {}, {}};
  walk_stored_values(
      whole,
      [&](const ValueInfo& info, const auto& value) {
        JsonValue& slot = member(object, info.key.base);
        if (!info.key.member.empty()) {
          member(slot, info.key.member) = json_value(value);
        } else if (info.key.index > 0) {
          append(slot, json_value(value));
        } else {
          slot = json_value(value);
        }
      },
      [&](const ValueInfo& info, const auto& column, std::size_t rows) {
        JsonValue array{JsonValue::Kind::array, {}, {}, {}};
        for (std::size_t k = 0; k < rows; ++k) append(array, json_value(column[k]));
        member(object, info.key.base) = std::move(array);
      });
  std::string text;
  write_json(text, object, 0);
  out << text;
  out << '\n';
  return 0;
}

}  // namespace cfg

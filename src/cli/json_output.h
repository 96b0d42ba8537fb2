#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "io/fixed_text.h"

namespace cfg {

// A JSON value as the commands write it: numbers in the project's own digits,
// so that show --json, diff --json and get print every real alike.
struct JsonValue {
  enum class Kind { scalar, array, object } kind = Kind::scalar;
  std::string text;                // a scalar's JSON text
  std::vector<std::string> names;  // an object's member names
  std::vector<JsonValue> items;    // an object's members, an array's elements
};

// A string as JSON writes it: escaped, and a byte that is no UTF-8 replaced.
std::string json_string(std::string_view text);

JsonValue json_value(std::int32_t value);
// JSON has no infinities or NaN: those are the strings that name them.
JsonValue json_value(double value);
JsonValue json_text_value(std::string_view trimmed_text);
template <std::size_t N>
JsonValue json_value(const FixedText<N>& text) {
  return json_text_value(text.view());
}

// The member `name` of `object`, added when it has none.
JsonValue& member(JsonValue& object, std::string_view name);
void append(JsonValue& array, JsonValue element);

// Written with an indent of two blanks a level, an empty array as [] and an
// empty object as {}.
void write_json(std::string& out, const JsonValue& value, std::size_t depth = 0);

}  // namespace cfg

#include "cli/json_output.h"

#include <cmath>
#include <utility>

#include <nlohmann/json.hpp>

#include "cli/value_text.h"

namespace cfg {

std::string json_string(std::string_view text) {
  return nlohmann::json(std::string(text)).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

JsonValue json_value(std::int32_t value) { return {JsonValue::Kind::scalar, value_text(value), {}, {}}; }
JsonValue json_value(double value) {
  return {JsonValue::Kind::scalar, std::isfinite(value) ? value_text(value) : json_string(value_text(value)), {}, {}};
}
JsonValue json_text_value(std::string_view text) {
  return {JsonValue::Kind::scalar, json_string(trimmed(text)), {}, {}};
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
    if (object) out.append(json_string(value.names[i])).append(": ");
    write_json(out, value.items[i], depth + 1);
    out += i + 1 < value.items.size() ? ",\n" : "\n";
  }
  out.append(2 * depth, ' ');
  out += object ? "}" : "]";
}

}  // namespace cfg

#include <cmath>
#include <string>

#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "cli/stored_configuration.h"
#include "cli/value_text.h"
#include "io/output_writer.h"

namespace cfg {

namespace {

using Json = nlohmann::ordered_json;

Json json_value(std::int32_t value) { return value; }
// JSON has no infinities or NaN: those are the strings that name them.
Json json_value(double value) { return std::isfinite(value) ? Json(value) : Json(value_text(value)); }
template <std::size_t N>
Json json_value(const FixedText<N>& text) {
  return value_text(text);
}

}  // namespace

// One object holding every stored value by its key, in the order of the
// field table: per-run values and short arrays as arrays, parameter sets as
// objects of their members, each column of sets as an array of the sets in
// use.
int show_json(FileSystem& files, OutputWriter& out, OutputWriter& err) {
  StoredConfiguration loaded(files, out, err);
  Configuration whole = loaded.whole();
  Json object = Json::object();
  walk_stored_values(
      whole,
      [&](const ValueInfo& info, const auto& value) {
        Json& slot = object[std::string(info.key.base)];
        if (!info.key.member.empty()) {
          slot[std::string(info.key.member)] = json_value(value);
        } else if (info.key.index > 0) {
          slot.push_back(json_value(value));
        } else {
          slot = json_value(value);
        }
      },
      [&](const ValueInfo& info, const auto& column, std::size_t rows) {
        Json array = Json::array();
        for (std::size_t k = 0; k < rows; ++k) array.push_back(json_value(column[k]));
        object[std::string(info.key.base)] = std::move(array);
      });
  out << object.dump(2, ' ', false, Json::error_handler_t::replace);
  out << '\n';
  return 0;
}

}  // namespace cfg

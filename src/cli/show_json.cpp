#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "cli/commands.h"
#include "cli/json_output.h"
#include "cli/stored_configuration.h"
#include "cli/value_text.h"
#include "io/output_writer.h"

namespace cfg {

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

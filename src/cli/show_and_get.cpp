#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/keys.h"
#include "cli/stored_configuration.h"
#include "cli/value_text.h"
#include "io/message_text.h"
#include "io/output_writer.h"
#include "report/summary_report.h"

namespace cfg {

int show_report(FileSystem& files, OutputWriter& out, OutputWriter& err) {
  StoredConfiguration loaded(files, out, err);
  print_summary_report(loaded.session(), ReportVariant::after_reload);
  return 0;
}

int unknown_key_error(OutputWriter& err, const std::string& text, Lookup lookup) {
  std::string message = "unknown key \"" + printable(text) + "\"";
  if (lookup == Lookup::beyond_sets) {
    message += ": beyond the sets in use";
  } else if (const std::vector<std::string> nearest = nearest_keys(text); !nearest.empty()) {
    message += "; did you mean ";
    for (std::size_t i = 0; i < nearest.size(); ++i) message += (i == 0 ? "" : i + 1 == nearest.size() ? " or " : ", ") + nearest[i];
    message += "?";
  }
  return operand_error(err, message);
}

int get_values(FileSystem& files, const std::vector<std::string>& keys, OutputWriter& out, OutputWriter& err) {
  StoredConfiguration loaded(files, out, err);
  ConfigurationRefs whole = loaded.whole();
  // Every key is looked up before anything is printed.
  std::vector<std::string> values;
  for (const std::string& text : keys) {
    const std::optional<FieldKey> key = parse_key(text);
    const Lookup lookup = key ? with_stored_value(whole, *key,
                                                  [&](const ValueInfo&, const auto& value) {
                                                    values.push_back(value_text(value));
                                                  })
                              : Lookup::unknown;
    if (lookup != Lookup::found) return unknown_key_error(err, text, lookup);
  }
  for (const std::string& value : values) {
    out << value;
    out << '\n';
  }
  return 0;
}

}  // namespace cfg

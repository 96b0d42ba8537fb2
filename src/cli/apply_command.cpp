#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/configuration_edit.h"
#include "cli/json_input.h"
#include "io/errors.h"
#include "io/message_text.h"
#include "io/output_writer.h"
#include "io/standard_input.h"

namespace cfg {

namespace {

// Every value the JSON object names is checked as set checks it, then the
// rules; all of them are taken, or none and no file is touched.
int apply_json(FileSystem& files, const std::vector<std::string>& operands, OutputWriter& out, OutputWriter& err,
               bool dry_run) {
  if (operands.size() != 1) return operand_error(err, "apply takes one file, or - for standard input");
  const std::string& operand = operands[0];
  const std::string source = operand == "-" ? "standard input" : operand;
  std::string text;
  if (operand == "-") {
    text = read_standard_input();
  } else if (std::optional<std::string> content = files.content(operand)) {
    text = std::move(*content);
  } else {
    return operand_error(err, printable(operand) + ": no such file or directory");
  }
  const nlohmann::ordered_json object = read_json_text(text, source);
  ConfigurationEdit edit(files, out, err, dry_run);
  take_json_values(object, source, edit.whole(), &edit);
  const std::string refused = edit.apply_rules();
  if (!refused.empty()) return operand_error(err, refused);
  return edit.finish();
}

}  // namespace

int apply_values(FileSystem& files, const std::vector<std::string>& operands, OutputWriter& out, OutputWriter& err) {
  return apply_json(files, operands, out, err, false);
}
int apply_values_dry_run(FileSystem& files, const std::vector<std::string>& operands, OutputWriter& out,
                         OutputWriter& err) {
  return apply_json(files, operands, out, err, true);
}

}  // namespace cfg

#include <sys/stat.h>

#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/json_input.h"
#include "cli/last_save_files.h"
#include "cli/stored_configuration.h"
#include "cli/value_listing.h"
#include "config/config_record.h"
#include "config/energy_model.h"
#include "driver/save_journal.h"
#include "io/errors.h"
#include "io/message_text.h"
#include "io/output_writer.h"
#include "io/standard_input.h"

namespace cfg {

namespace {

// The values of the configuration in the directory `files` reads.
ValueListing stored_listing(FileSystem& files, OutputWriter& out, OutputWriter& err) {
  StoredConfiguration stored(files, out, err);
  return list_values(stored.whole());
}

// The values a JSON object gives, on what it names.
ValueListing json_listing(const std::string& text, const std::string& source) {
  const nlohmann::ordered_json object = read_json_text(text, source);
  ConfigRecord config;
  EnergyModel model;
  std::int32_t particle_count = 0;
  std::int32_t seed = 0;
  const ConfigurationRefs whole{config, model, particle_count, seed};
  std::set<std::string> named = take_json_values(object, source, whole, nullptr);
  ValueListing listing = list_values(whole);
  listing.partial = true;
  listing.named = std::move(named);
  return listing;
}

bool is_directory(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// One side of the comparison: "-" for standard input, a directory, or a JSON
// file. A directory's errors name it.
ValueListing operand_listing(FileSystem& files, const std::string& operand, OutputWriter& out, OutputWriter& err) {
  if (operand == "-") return json_listing(read_standard_input(), "standard input");
  if (is_directory(operand)) {
    DiskFileSystem directory(operand);
    try {
      // A save cut off after its commit point is finished first, so that
      // the files are read whole; leftover temporaries change nothing read
      // and are left to the directory's own next start.
      if (directory.exists(std::string(kSaveRecordName))) finish_interrupted_save(directory, err);
      return stored_listing(directory, out, err);
    } catch (const FatalError& error) {
      throw FatalError(printable(operand) + ": " + error.what());
    }
  }
  const std::optional<std::string> text = files.content(operand);
  if (!text) throw FatalError(printable(operand) + ": no such file or directory");
  return json_listing(*text, operand);
}

int print_differences(const ValueListing& a, const ValueListing& b, bool json, OutputWriter& out) {
  const std::vector<ValueDifference> found = differences(a, b);
  out << (json ? difference_json(found) : difference_lines(found));
  return found.empty() ? 0 : 1;
}

int compare(FileSystem& files, const std::vector<std::string>& operands, OutputWriter& out, OutputWriter& err,
            bool json) {
  if (operands.size() > 2) return operand_error(err, "diff takes at most two configurations");
  if (operands.size() == 2 && operands[0] == "-" && operands[1] == "-") {
    return operand_error(err, "diff: only one of the two may be standard input (-)");
  }
  const ValueListing a =
      operands.size() == 2 ? operand_listing(files, operands[0], out, err) : stored_listing(files, out, err);
  const ValueListing b = operand_listing(files, operands.back(), out, err);
  return print_differences(a, b, json, out);
}

int compare_last_save(FileSystem& files, OutputWriter& out, OutputWriter& err, bool json) {
  LastSaveFiles before_save(files);
  const ValueListing a = stored_listing(before_save, out, err);
  if (!before_save.read_a_backup()) {
    return operand_error(err, "diff --last-save: no backups (NAME~) here to compare with");
  }
  return print_differences(a, stored_listing(files, out, err), json, out);
}

}  // namespace

int diff_configurations(FileSystem& files, const std::vector<std::string>& operands, OutputWriter& out,
                        OutputWriter& err) {
  return compare(files, operands, out, err, false);
}
int diff_configurations_json(FileSystem& files, const std::vector<std::string>& operands, OutputWriter& out,
                             OutputWriter& err) {
  return compare(files, operands, out, err, true);
}
int diff_last_save(FileSystem& files, const std::vector<std::string>&, OutputWriter& out, OutputWriter& err) {
  return compare_last_save(files, out, err, false);
}
int diff_last_save_json(FileSystem& files, const std::vector<std::string>&, OutputWriter& out, OutputWriter& err) {
  return compare_last_save(files, out, err, true);
}

}  // namespace cfg

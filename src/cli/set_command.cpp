#include <set>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/configuration_edit.h"
#include "cli/keys.h"
#include "cli/set_refusals.h"
#include "io/message_text.h"
#include "io/output_writer.h"
#include "io/single_item.h"

namespace cfg {

namespace {

// ---- parsing ----

// One KEY=VALUE operand, its key parsed.
struct Assignment {
  FieldKey key;
  std::string name;       // the key as it is typed
  std::string_view text;  // the value as typed
};

// The operands as assignments; the first that is not KEY=VALUE with a key of
// that form is `wrong`.
struct ParsedPairs {
  std::vector<Assignment> assignments;
  std::string wrong;
  bool not_a_pair = false;
};

ParsedPairs parse_pairs(const std::vector<std::string>& pairs) {
  ParsedPairs parsed;
  for (const std::string& pair : pairs) {
    const std::size_t equals = pair.find('=');
    if (equals == std::string::npos) {
      parsed.wrong = pair;
      parsed.not_a_pair = true;
      return parsed;
    }
    const std::string_view name = std::string_view(pair).substr(0, equals);
    const std::optional<FieldKey> key = parse_key(name);
    if (!key) {
      parsed.wrong = name;
      return parsed;
    }
    parsed.assignments.push_back({*key, key_name(*key), std::string_view(pair).substr(equals + 1)});
  }
  return parsed;
}

// ---- assigning one value ----

const char* reason_for(SingleItem found) {
  switch (found) {
    case SingleItem::empty: return "an empty value";
    case SingleItem::null_value: return "a null value, which would leave it as it is";
    case SingleItem::slash: return "a slash, which would leave it as it is";
    case SingleItem::more_items: return "more than one item";
    case SingleItem::wrong_kind: return "a value of the wrong kind";
    case SingleItem::too_long: return "a text longer than the field";
    case SingleItem::read: break;
  }
  return "";
}

const char* kind_of(const std::int32_t&) { return "a 32-bit integer"; }
const char* kind_of(const double&) { return "a real number"; }
template <std::size_t N>
std::string kind_of(const FixedText<N>&) {
  return "a text of at most " + std::to_string(N) + " characters";
}

// Assigns one value; the reason it cannot be, or "" when it was.
std::string assign(ConfigurationEdit& edit, const Assignment& assignment) {
  std::string problem;
  ConfigurationRefs whole = edit.whole();
  const Lookup lookup = with_stored_value(whole, assignment.key, [&](const ValueInfo& info, auto& value) {
    if (info.counts_lines) {
      problem = counted_lines_refusal(info.file);
      return;
    }
    if (assignment.text.find('\n') != std::string_view::npos) {
      problem = "a line feed, which no line of " + std::string(info.file) + " can hold";
      return;
    }
    auto candidate = value;
    const SingleItem found = read_single_item(assignment.text, item_ref(candidate));
    if (found != SingleItem::read) {
      problem = std::string(reason_for(found)) + ": expected " + std::string(kind_of(value));
      return;
    }
    problem = value_refusal(info, candidate);
    if (!problem.empty()) return;
    value = candidate;
    edit.given(assignment.name, info);
  });
  if (lookup == Lookup::beyond_sets) return "beyond the sets in use";
  if (lookup == Lookup::unknown) return "unknown";
  return problem;
}

// ---- the command ----

int change_values(FileSystem& files, const std::vector<std::string>& pairs, OutputWriter& out, OutputWriter& err,
                  bool dry_run) {
  const ParsedPairs parsed = parse_pairs(pairs);
  ConfigurationEdit edit(files, out, err, dry_run);
  ConfigurationRefs whole = edit.whole();
  if (parsed.not_a_pair) return operand_error(err, "set: \"" + printable(parsed.wrong) + "\" is not KEY=VALUE");
  if (!parsed.wrong.empty()) return unknown_key_error(err, parsed.wrong, Lookup::unknown);

  // ---- look-up: every key names a stored value, once ----
  std::set<std::string> named;
  for (const Assignment& assignment : parsed.assignments) {
    const Lookup lookup = with_stored_value(whole, assignment.key, [](const ValueInfo&, const auto&) {});
    if (lookup != Lookup::found) return unknown_key_error(err, assignment.name, lookup);
    if (!named.insert(assignment.name).second) {
      return operand_error(err, "cannot set " + assignment.name + ": given twice");
    }
  }
  for (const Assignment& assignment : parsed.assignments) {
    const std::string problem = assign(edit, assignment);
    if (!problem.empty()) return operand_error(err, "cannot set " + assignment.name + ": " + problem);
  }
  const std::string refused = edit.apply_rules();
  if (!refused.empty()) return operand_error(err, refused);
  return edit.finish();
}

}  // namespace

int set_values(FileSystem& files, const std::vector<std::string>& pairs, OutputWriter& out, OutputWriter& err) {
  return change_values(files, pairs, out, err, false);
}
int set_values_dry_run(FileSystem& files, const std::vector<std::string>& pairs, OutputWriter& out,
                       OutputWriter& err) {
  return change_values(files, pairs, out, err, true);
}

}  // namespace cfg

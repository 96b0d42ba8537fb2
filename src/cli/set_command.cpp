#include <bit>
#include <cmath>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "cli/commands.h"
#include "cli/keys.h"
#include "cli/set_refusals.h"
#include "cli/stored_configuration.h"
#include "config/config_files.h"
#include "config/configuration_rules.h"
#include "driver/saving.h"
#include "io/errors.h"
#include "io/list_writer.h"
#include "io/message_text.h"
#include "io/output_writer.h"
#include "io/record_reader.h"
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

// "1, 2 or 5"
std::string codes_text(const AcceptedCodes& codes) {
  std::vector<std::string> listed;
  for (std::int32_t code = 0; code < 32; ++code) {
    if (codes.accepts(code)) listed.push_back(std::to_string(code));
  }
  std::string text;
  for (std::size_t i = 0; i < listed.size(); ++i) {
    text += (i == 0 ? "" : i + 1 == listed.size() ? " or " : ", ") + listed[i];
  }
  return text;
}

const char* kind_of(const std::int32_t&) { return "a 32-bit integer"; }
const char* kind_of(const double&) { return "a real number"; }
template <std::size_t N>
std::string kind_of(const FixedText<N>&) {
  return "a text of at most " + std::to_string(N) + " characters";
}

bool same_value(std::int32_t a, std::int32_t b) { return a == b; }
bool same_value(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b) || (std::isnan(a) && std::isnan(b));
}
template <std::size_t N>
bool same_value(const FixedText<N>& a, const FixedText<N>& b) {
  return a.view() == b.view();
}

// Whether the value, written as a save writes it, reads back as itself.
template <class T>
bool reads_back(const T& value) {
  std::string text;
  append_list_record(text, file_item(value));
  TextLines lines("value", std::move(text));
  RecordReader reader(lines);
  T back{};
  try {
    reader.read(back);
  } catch (const FatalError&) {
    return false;
  }
  return same_value(back, value) && lines.count_lines() == 1;
}

// Assigns one value; the reason it cannot be, or "" when it was.
template <class Whole>
std::string assign(Whole& whole, const Assignment& assignment) {
  std::string problem;
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
    if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::int32_t>) {
      if (!info.codes.accepts(candidate)) {
        problem = std::to_string(candidate) + " is not one of its codes " + codes_text(info.codes);
        return;
      }
    }
    if (!reads_back(candidate)) {
      problem = "a value that " + std::string(info.file) + " would not read back as it is";
      return;
    }
    value = candidate;
  });
  if (lookup == Lookup::beyond_sets) return "beyond the sets in use";
  if (lookup == Lookup::unknown) return "unknown";
  return problem;
}

// ---- the rules ----

// What the rules make of the values given; the reason a value given cannot
// stand, or "" when none.
std::string apply_rules(Session& s, const std::set<std::string>& given) {
  const auto is_given = [&](const char* key) { return given.count(key) != 0; };
  if (is_given("particle_count") && s.particle_count < 1) {
    return "cannot set particle_count: " + std::to_string(s.particle_count) + " is below 1";
  }
  // What the next start-up would make of a new particle count.
  if (is_given("particle_count") && !is_given("seed")) {
    s.seed = seed_at_startup(s.seed, s.particle_count);
    const AtomCountSource source = startup_a_atom_count_source(s.model.potential_type);
    if (source == AtomCountSource::particle_count && !is_given("a_atom_count")) {
      take_a_atom_count(s.model, source, s.particle_count);
    }
  }
  // Where the type stores the count of A atoms in qscff.dat, the two stored
  // counts are one value.
  if (stored_a_atom_count_source(s.model.potential_type) == AtomCountSource::qsc_file) {
    if (is_given("a_atom_count") && is_given("qsc_count") && s.model.a_atom_count != s.model.qsc_count) {
      return "cannot set a_atom_count and qsc_count to different values: under potential type " +
             std::to_string(s.model.potential_type) + " they are one value";
    }
    if (is_given("a_atom_count")) s.model.qsc_count = s.model.a_atom_count;
    if (is_given("qsc_count")) s.model.a_atom_count = s.model.qsc_count;
  }
  // The close-pack value replaces these at every save under LBFGS.
  if (save_replaces_func_bc(s.config) && is_given("func_bc")) {
    return "cannot set func_bc: " + std::string(rule_refusal("func_bc"));
  }
  if (save_replaces_box_width(s.config) && is_given("box_width")) {
    return "cannot set box_width: " + std::string(rule_refusal("box_width"));
  }
  apply_save_rules(s.config, s.particle_count);
  return "";
}

// ---- the comparison of texts ----

// Every file of the configuration with the text a save writes for it; the
// set files only when `with_sets` names them, as their text is the longest.
// alloy.dat holds `alloy_count`.
FileTexts texts_of(const Session& s, const std::set<std::string>& with_sets, std::int32_t alloy_count) {
  FileTexts texts;
  texts.emplace_back("atom_num.dat", atom_count_file_text(s.particle_count, s.seed));
  texts.emplace_back("data.dat", data_file_text(s.config));
  for_each_file(kEnergyFiles, [&](const auto& file) {
    const std::string name(std::string_view(file.name));
    if (is_set_file<std::decay_t<decltype(file)>>::value && with_sets.count(name) == 0) return;
    if (name == "alloy.dat") {
      EnergyModel alloy;
      alloy.a_atom_count = alloy_count;
      texts.emplace_back(name, energy_file_text(alloy, name));
    } else {
      texts.emplace_back(name, energy_file_text(s.model, name));
    }
  });
  return texts;
}

FileTexts changed_texts(const FileTexts& before, const FileTexts& after) {
  FileTexts changed;
  for (std::size_t i = 0; i < after.size(); ++i) {
    if (after[i].second != before[i].second) changed.push_back(after[i]);
  }
  return changed;
}

}  // namespace

void write_configuration_files(FileSystem& files, SaveLocks& locks, const FileTexts& changed, OutputWriter& err) {
  if (changed.empty()) return;
  for (const std::string& note : save_files(files, locks, changed)) err << "config: " << note << '\n';
}

int set_values(FileSystem& files, const std::vector<std::string>& pairs, OutputWriter& out, OutputWriter& err) {
  const ParsedPairs parsed = parse_pairs(pairs);
  // Held from the read to the last rename, so that concurrent commands and
  // saves each see what the one before them wrote.
  SaveLocks locks(files);
  StoredConfiguration stored(files, out, err);
  Session& s = stored.session();
  ConfigurationRefs whole = stored.whole();
  if (parsed.not_a_pair) return operand_error(err, "set: \"" + printable(parsed.wrong) + "\" is not KEY=VALUE");
  if (!parsed.wrong.empty()) return unknown_key_error(err, parsed.wrong, Lookup::unknown);

  // ---- look-up: every key names a stored value, once ----
  std::set<std::string> given;
  std::set<std::string> set_files;
  for (const Assignment& assignment : parsed.assignments) {
    const Lookup lookup = with_stored_value(whole, assignment.key, [&](const ValueInfo& info, const auto&) {
      if (info.in_set_file && info.key.index > 0) set_files.emplace(info.file);
    });
    if (lookup != Lookup::found) return unknown_key_error(err, assignment.name, lookup);
    if (!given.insert(assignment.name).second) {
      return operand_error(err, "cannot set " + assignment.name + ": given twice");
    }
  }

  // What each file holds now, as a save would write it: alloy.dat with its own
  // count, whatever the type. A file is written when this changes.
  const FileTexts before = texts_of(s, set_files, stored.alloy_a_atom_count());
  for (const Assignment& assignment : parsed.assignments) {
    const std::string problem = assign(whole, assignment);
    if (!problem.empty()) return operand_error(err, "cannot set " + assignment.name + ": " + problem);
  }
  const std::string refused = apply_rules(s, given);
  if (!refused.empty()) return operand_error(err, refused);

  write_configuration_files(files, locks, changed_texts(before, texts_of(s, set_files, s.model.a_atom_count)), err);
  return 0;
}

}  // namespace cfg

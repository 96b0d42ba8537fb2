#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "cli/commands.h"
#include "cli/keys.h"
#include "cli/loaded_configuration.h"
#include "cli/set_refusals.h"
#include "config/config_files.h"
#include "config/wrapping_arithmetic.h"
#include "driver/saving.h"
#include "io/errors.h"
#include "io/output_writer.h"
#include "io/single_item.h"

namespace cfg {

namespace {

// Every file of the configuration with the text a save writes for it; the
// set files only when `with_sets` names them, as their text is the longest.
FileTexts texts_of(const Session& s, const std::set<std::string>& with_sets) {
  FileTexts texts;
  texts.emplace_back("atom_num.dat", atom_count_file_text(s.particle_count, s.seed));
  texts.emplace_back("data.dat", data_file_text(s.config));
  for (const std::string& name : energy_file_names()) {
    const bool set_file = name == "protein2.dat" || name == "chima2.dat";
    if (!set_file || with_sets.count(name) != 0) texts.emplace_back(name, energy_file_text(s.model, name));
  }
  return texts;
}

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

// Assigns one KEY=VALUE pair; the reason it cannot be, or "" when it was.
template <class Whole>
std::string assign_pair(Whole& whole, const FieldKey& key, std::string_view text) {
  std::string problem;
  const Lookup lookup = with_stored_value(whole, key, [&](const ValueInfo& info, auto& value) {
    if (info.counts_lines) {
      problem = counted_lines_refusal(info.file);
      return;
    }
    auto candidate = value;
    const SingleItem found = read_single_item(text, item_ref(candidate));
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
    value = candidate;
  });
  if (lookup == Lookup::beyond_sets) return "beyond the sets in use";
  if (lookup == Lookup::unknown) return "unknown";
  return problem;
}

}  // namespace

void write_configuration_files(FileSystem& files, SaveLocks& locks, const FileTexts& changed, OutputWriter& err) {
  if (changed.empty()) return;
  for (const std::string& note : save_files(files, locks, changed)) err << "config: " << note << '\n';
}

int set_values(FileSystem& files, const std::vector<std::string>& pairs, OutputWriter& out, OutputWriter& err) {
  // Held from the read to the last rename, so that concurrent commands and
  // saves each see what the one before them wrote.
  SaveLocks locks(files);
  LoadedConfiguration loaded(files, out, err);
  Session& s = loaded.session();
  Configuration whole = loaded.whole();

  std::set<std::string> given;
  std::set<std::string> set_files;
  std::vector<std::pair<FieldKey, std::string_view>> assignments;
  for (const std::string& pair : pairs) {
    const std::size_t equals = pair.find('=');
    if (equals == std::string::npos) return operand_error(err, "set: \"" + pair + "\" is not KEY=VALUE");
    const std::string_view name = std::string_view(pair).substr(0, equals);
    const std::optional<FieldKey> key = parse_key(name);
    const Lookup lookup = key ? with_stored_value(whole, *key,
                                                  [&](const ValueInfo& info, const auto&) {
                                                    if (info.key.index > 0 && (info.file == "protein2.dat" ||
                                                                               info.file == "chima2.dat")) {
                                                      set_files.emplace(info.file);
                                                    }
                                                  })
                              : Lookup::unknown;
    if (lookup != Lookup::found) return unknown_key_error(err, std::string(name), lookup);
    given.insert(key_name(*key));
    assignments.emplace_back(*key, std::string_view(pair).substr(equals + 1));
  }

  // What each file holds now, as a save would write it: the loaded values,
  // except alloy.dat under the Q-SC type, whose count the load replaced by
  // that of qscff.dat. A file is written when this changes.
  FileTexts before = texts_of(s, set_files);
  if (s.model.potential_type == 9) {
    auto stored = std::make_unique<EnergyModel>();
    load_energy_file(files, *stored, "alloy.dat");
    for (auto& [name, text] : before) {
      if (name == "alloy.dat") text = energy_file_text(*stored, name);
    }
  }
  for (const auto& [key, text] : assignments) {
    const std::string problem = assign_pair(whole, key, text);
    if (!problem.empty()) return operand_error(err, "cannot set " + key_name(key) + ": " + problem);
  }

  // What the next start-up would make of a new particle count.
  if (given.count("particle_count") != 0 && given.count("seed") == 0) {
    if (s.seed != 0) s.seed = wrapping_sub(s.particle_count, 1);
    if (s.model.potential_type == 5 && given.count("a_atom_count") == 0) s.model.a_atom_count = s.particle_count;
  }
  // Under the Q-SC type the two stored counts of A atoms are one value.
  if (s.model.potential_type == 9) {
    if (given.count("a_atom_count") != 0 && given.count("qsc_count") == 0) s.model.qsc_count = s.model.a_atom_count;
    if (given.count("qsc_count") != 0 && given.count("a_atom_count") == 0) s.model.a_atom_count = s.model.qsc_count;
  }
  // The close-pack value replaces these at every save under LBFGS.
  if (s.config.min_method == 5) {
    if (given.count("func_bc") != 0) {
      return operand_error(err, "cannot set func_bc: " + std::string(rule_refusal("func_bc")));
    }
    if (s.config.close_pack == 1 && given.count("box_width") != 0) {
      return operand_error(err, "cannot set box_width: " + std::string(rule_refusal("box_width")));
    }
    s.config.func_bc = close_pack_value(s.particle_count);
    if (s.config.close_pack == 1) s.config.box_width = s.config.func_bc;
  }

  FileTexts changed;
  const FileTexts after = texts_of(s, set_files);
  for (std::size_t i = 0; i < after.size(); ++i) {
    if (after[i].second != before[i].second) changed.push_back(after[i]);
  }
  write_configuration_files(files, locks, changed, err);
  return 0;
}

}  // namespace cfg

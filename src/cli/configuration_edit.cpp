#include "cli/configuration_edit.h"

#include <bit>
#include <cmath>
#include <utility>

#include "cli/commands.h"
#include "cli/set_refusals.h"
#include "cli/value_listing.h"
#include "cli/value_text.h"
#include "config/config_files.h"
#include "config/configuration_rules.h"
#include "driver/saving.h"
#include "io/errors.h"
#include "io/message_text.h"
#include "io/line_source.h"
#include "io/list_writer.h"
#include "io/record_reader.h"

namespace cfg {

namespace {

// "1, 2 or 5"
std::string codes_text(const AcceptedCodes& codes) {
  std::vector<std::string> listed;
  for (std::int32_t code = 0; code < 32; ++code) {
    if (codes.accepts(code)) listed.push_back(std::to_string(code));
  }
  std::string text;
  for (std::size_t i = 0; i < listed.size(); ++i) {
    text.append(i == 0 ? "" : i + 1 == listed.size() ? " or " : ", ").append(listed[i]);
  }
  return text;
}

// Whether the value, written as a save writes it, reads back as itself.
template <class T, class Written>
bool reads_back(const T& value, const Written& written) {
  std::string text;
  append_list_record(text, written);
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

std::string not_read_back(const ValueInfo& info) {
  return concat("a value that ", info.file, " would not read back as it is");
}

// "cannot set seed to 3: the rule gives 59 (after a new ...)"
template <class T>
std::string derived_refusal(std::string_view key, const T& given, const T& derived) {
  return concat("cannot set ", key, " to ", value_text(given), ": its rule gives ", value_text(derived), " (",
                derivation_rule(key), ")");
}

// Every file of the configuration with the text a save writes for it; a set
// file only when `with_sets` names it, as its text is the longest. alloy.dat
// holds `alloy_count`.
FileTexts texts_of(ConstConfigurationRefs whole, const std::set<std::string>& with_sets, std::int32_t alloy_count) {
  FileTexts texts;
  texts.emplace_back("atom_num.dat", atom_count_file_text(whole.particle_count, whole.seed));
  texts.emplace_back("data.dat", data_file_text(whole.config));
  for_each_file(kEnergyFiles, [&](const auto& file) {
    const std::string name(std::string_view(file.name));
    if (is_set_file<std::decay_t<decltype(file)>>::value && with_sets.count(name) == 0) return;
    if (name == "alloy.dat") {
      EnergyModel alloy;
      alloy.a_atom_count = alloy_count;
      texts.emplace_back(name, energy_file_text(alloy, name));
    } else {
      texts.emplace_back(name, energy_file_text(whole.model, name));
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

bool same_value(std::int32_t a, std::int32_t b) { return a == b; }
bool same_value(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b) || (std::isnan(a) && std::isnan(b));
}

std::string value_refusal(const ValueInfo& info, std::int32_t candidate) {
  if (!info.codes.accepts(candidate)) {
    return concat(std::to_string(candidate), " is not one of its codes ", codes_text(info.codes));
  }
  return reads_back(candidate, candidate) ? "" : not_read_back(info);
}
std::string value_refusal(const ValueInfo& info, double candidate) {
  return reads_back(candidate, candidate) ? "" : not_read_back(info);
}
template <std::size_t N>
std::string value_refusal(const ValueInfo& info, const FixedText<N>& candidate) {
  if (candidate.view().find('\n') != std::string_view::npos) {
    return concat("a line feed, which no line of ", info.file, " can hold");
  }
  for (const char c : candidate.view()) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
      return concat("a control character, which no line of ", info.file, " should hold");
    }
  }
  return reads_back(candidate, file_item(candidate)) ? "" : not_read_back(info);
}
// The widths of the texts of the configuration.
template std::string value_refusal(const ValueInfo&, const FixedText<2>&);
template std::string value_refusal(const ValueInfo&, const FixedText<3>&);

ConfigurationEdit::ConfigurationEdit(FileSystem& files, OutputWriter& out, OutputWriter& err, bool dry_run)
    : files_(files),
      out_(out),
      err_(err),
      dry_run_(dry_run),
      locks_(dry_run ? std::nullopt : std::make_optional<SaveLocks>(files)),
      stored_(files, out, err),
      config_before_(stored_.session().config),
      model_before_(stored_.session().model),
      particle_count_before_(stored_.session().particle_count),
      seed_before_(stored_.session().seed) {}

void ConfigurationEdit::given(const std::string& key, const ValueInfo& info) {
  given_.insert(key);
  if (info.in_set_file) set_files_.emplace(info.file);
}

std::string ConfigurationEdit::apply_rules() {
  Session& s = stored_.session();
  if (was_given("particle_count") && s.particle_count < 1) {
    return concat("cannot set particle_count: ", std::to_string(s.particle_count), " is below 1");
  }
  // What the next start-up would make of a new particle count.
  if (was_given("particle_count")) {
    const std::int32_t seed = seed_at_startup(s.seed, s.particle_count);
    if (was_given("seed") && seed != s.seed) return derived_refusal("seed", s.seed, seed);
    s.seed = seed;
    if (startup_a_atom_count_source(s.model.potential_type) == AtomCountSource::particle_count) {
      if (was_given("a_atom_count") && s.model.a_atom_count != s.particle_count) {
        return derived_refusal("a_atom_count", s.model.a_atom_count, s.particle_count);
      }
      take_a_atom_count(s.model, AtomCountSource::particle_count, s.particle_count);
    }
  }
  // Where the type stores the count of A atoms in qscff.dat, the two stored
  // counts are one value.
  if (stored_a_atom_count_source(s.model.potential_type) == AtomCountSource::qsc_file) {
    if (was_given("a_atom_count") && was_given("qsc_count") && s.model.a_atom_count != s.model.qsc_count) {
      return "cannot set a_atom_count and qsc_count to different values: under potential type " +
             std::to_string(s.model.potential_type) + " they are one value";
    }
    if (was_given("a_atom_count")) s.model.qsc_count = s.model.a_atom_count;
    if (was_given("qsc_count")) s.model.a_atom_count = s.model.qsc_count;
  }
  // What every save makes of them under LBFGS.
  ConfigRecord saved = s.config;
  apply_save_rules(saved, s.particle_count);
  if (was_given("func_bc") && !same_value(saved.func_bc, s.config.func_bc)) {
    return derived_refusal("func_bc", s.config.func_bc, saved.func_bc);
  }
  if (was_given("box_width") && !same_value(saved.box_width, s.config.box_width)) {
    return derived_refusal("box_width", s.config.box_width, saved.box_width);
  }
  s.config = saved;
  return "";
}

int ConfigurationEdit::finish() {
  const ConstConfigurationRefs before{config_before_, model_before_, particle_count_before_, seed_before_};
  ConfigurationRefs after = stored_.whole();
  if (dry_run_) {
    out_ << difference_lines(differences(list_values(before), list_values(after)));
    return 0;
  }
  // A file is written when the text a save writes for it changes: alloy.dat
  // as it was read with its own count, whatever the type.
  const FileTexts changed =
      changed_texts(texts_of(before, set_files_, stored_.alloy_a_atom_count()),
                    texts_of({after.config, after.model, after.particle_count, after.seed}, set_files_,
                             after.model.a_atom_count));
  write_configuration_files(files_, *locks_, changed, err_);
  return 0;
}

}  // namespace cfg

#include "config/config_files.h"

#include <algorithm>
#include <utility>

#include "config/config_fields.h"
#include "config/configuration_rules.h"
#include "config/potential_types.h"
#include "io/errors.h"
#include "io/list_writer.h"
#include "io/record_reader.h"

namespace cfg {

namespace {

// The counted read: every line is a set; then the sets are read from the top.
template <class File>
void read_counted_file(FileSystem& files, EnergyModel& model, const File& file) {
  const std::string name(std::string_view(file.name));
  TextLines lines = open_for_reading(files, name);
  const long line_count = lines.count_lines();
  if (line_count > kSetCapacity) {
    throw FatalError(name + ": " + std::to_string(line_count) + " lines, more than the " +
                     std::to_string(kSetCapacity) + " sets the model holds");
  }
  file.count(model) = static_cast<std::int32_t>(line_count);
  make_room_for_sets(file.count(model), file.first(model), file.second(model));
  lines.rewind();
  RecordReader reader(lines);
  const std::size_t rows = set_rows(file, model);
  for (std::size_t k = 0; k < rows; ++k) reader.read(file.first(model)[k], file.second(model)[k]);
}

// Reads one energy-model file into the model: a file of fixed records record
// by record, a file of sets by the counted read.
void read_energy_file(FileSystem& files, EnergyModel& model, const std::string& name) {
  with_energy_file(name, [&](const auto& file) {
    if constexpr (is_set_file<std::decay_t<decltype(file)>>::value) {
      read_counted_file(files, model, file);
    } else {
      TextLines lines = open_for_reading(files, name);
      RecordReader reader(lines);
      visit_records(file, model, [&](auto&... fields) { reader.read(fields...); });
    }
  });
}

}  // namespace

static_assert(kLinePadding <= kReadRoom, "the line reader pads a file's text in place");

TextLines open_for_reading(FileSystem& files, const std::string& name) {
  std::optional<std::string> text = files.read_and_remember(name);
  if (!text) throw FatalError(name + ": the file does not exist");
  return TextLines(name, std::move(*text));
}

void load_data_file(FileSystem& files, ConfigRecord& config) {
  TextLines lines = open_for_reading(files, "data.dat");
  RecordReader reader(lines);
  visit_data_records(config, [&](auto&... fields) { reader.read(fields...); });
}

std::string data_file_text(const ConfigRecord& config) {
  std::string text;
  visit_written_records(field_table_detail::kDataFile, config,
                        [&](const auto&... fields) { append_list_record(text, fields...); });
  return text;
}

namespace {
// atom_num.dat's part of the configuration: its two counts.
template <class Int>
struct AtomCounts {
  Int& particle_count;
  Int& seed;
};
}  // namespace

void load_atom_count_file(FileSystem& files, std::int32_t& particle_count, std::int32_t& seed) {
  std::optional<std::string> text = files.read_and_remember("atom_num.dat");
  if (!text) {
    throw FatalError(
        "atom_num.dat: the file does not exist\n"
        "hint: to start a configuration here from the bundled example, run: config init");
  }
  TextLines lines("atom_num.dat", std::move(*text));
  RecordReader reader(lines);
  AtomCounts<std::int32_t> counts{particle_count, seed};
  visit_records(field_table_detail::kAtomCountFile, counts, [&](auto&... fields) { reader.read(fields...); });
}

std::string atom_count_file_text(std::int32_t particle_count, std::int32_t seed) {
  std::string text;
  const AtomCounts<const std::int32_t> counts{particle_count, seed};
  visit_written_records(field_table_detail::kAtomCountFile, counts,
                        [&](const auto&... fields) { append_list_record(text, fields...); });
  return text;
}

void load_energy_model_at_startup(FileSystem& files, EnergyModel& model, std::int32_t particle_count) {
  for (const std::string& name : energy_file_names()) read_energy_file(files, model, name);
  take_a_atom_count(model, startup_a_atom_count_source(model.potential_type), particle_count);
}

void load_energy_file(FileSystem& files, EnergyModel& model, const std::string& name) {
  read_energy_file(files, model, name);
}

std::vector<std::string> energy_file_names() {
  std::vector<std::string> names;
  for_each_file(kEnergyFiles, [&](const auto& file) { names.emplace_back(std::string_view(file.name)); });
  return names;
}

const std::vector<std::string>& startup_file_names() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> all;
    for_each_file(kConfigurationFiles, [&](const auto& file) { all.emplace_back(std::string_view(file.name)); });
    return all;
  }();
  return names;
}

void load_configuration_file(FileSystem& files, ConfigurationRefs whole, const std::string& name) {
  if (name == "atom_num.dat") {
    load_atom_count_file(files, whole.particle_count, whole.seed);
  } else if (name == "data.dat") {
    load_data_file(files, whole.config);
  } else {
    read_energy_file(files, whole.model, name);
  }
}

void reload_energy_model(FileSystem& files, EnergyModel& model) {
  // type.dat first: the type read decides which further files are read.
  read_energy_file(files, model, "type.dat");
  for (const std::string& name : energy_files_to_save(model.potential_type)) {
    if (name != "type.dat") read_energy_file(files, model, name);
  }
  take_a_atom_count(model, stored_a_atom_count_source(model.potential_type), 0);
}

std::vector<std::string> energy_files_to_save(std::int32_t potential_type) {
  std::vector<std::string> names(kFilesOfEveryType.begin(), kFilesOfEveryType.end());
  if (const PotentialType* type = find_potential_type(potential_type)) {
    for (std::string_view name : type->own_files) {
      if (!name.empty()) names.emplace_back(name);
    }
  }
  return names;
}

std::string energy_file_text(const EnergyModel& model, const std::string& name) {
  std::string text;
  with_energy_file(name, [&](const auto& file) {
    if constexpr (is_set_file<std::decay_t<decltype(file)>>::value) {
      const std::size_t rows = set_rows(file, model);
      text.reserve(25 * rows);  // a set line is at most 25 characters
      for (std::size_t k = 0; k < rows; ++k) {
        append_list_record(text, file_item(file.first(model)[k]), file_item(file.second(model)[k]));
      }
    } else {
      visit_written_records(file, model,
                            [&](const auto&... fields) { append_list_record(text, file_item(fields)...); });
    }
  });
  return text;
}

bool must_exist_before_save(const std::string& name) {
  bool created = false;
  for_each_file(kConfigurationFiles, [&](const auto& file) {
    if (std::string_view(file.name) == name) created = file.created_by_save;
  });
  return !created;
}

}  // namespace cfg

#include "config/config_files.h"

#include <algorithm>
#include <utility>

#include "config/config_fields.h"
#include "io/errors.h"
#include "io/list_writer.h"
#include "io/record_reader.h"

namespace cfg {

namespace {

// Items as a file holds them: names that would not read back unquoted are
// quoted, numbers are as they are.
template <class T>
const T& file_item(const T& value) {
  return value;
}
template <std::size_t N>
std::string file_item(const FixedText<N>& text) {
  return file_text_item(text.view());
}

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
  read_energy_file(files, model, "type.dat");
  read_energy_file(files, model, "alloy.dat");
  if (model.potential_type == 5) model.a_atom_count = particle_count;
  for (const char* name : {"parameter1.dat", "parameter2.dat", "parameter3.dat", "protein1.dat"}) {
    read_energy_file(files, model, name);
  }
  for (const char* name : {"protein2.dat", "eam_aa.dat", "eam_bb.dat", "eam_ab.dat", "chima1.dat", "chima2.dat",
                           "qscff.dat"}) {
    read_energy_file(files, model, name);
  }
  if (model.potential_type == 9) model.a_atom_count = model.qsc_count;
}

void load_energy_file(FileSystem& files, EnergyModel& model, const std::string& name) {
  read_energy_file(files, model, name);
}

std::vector<std::string> energy_file_names() {
  std::vector<std::string> names;
  for_each_file(kEnergyFiles, [&](const auto& file) { names.emplace_back(std::string_view(file.name)); });
  return names;
}

void reload_energy_model(FileSystem& files, EnergyModel& model) {
  // type.dat first: the type read decides which further files are read.
  for (const char* name : {"type.dat", "alloy.dat", "parameter1.dat"}) read_energy_file(files, model, name);
  for (const std::string& name : energy_files_to_save(model.potential_type)) {
    if (name == "type.dat" || name == "alloy.dat" || name == "parameter1.dat") continue;
    read_energy_file(files, model, name);
  }
  if (model.potential_type == 9) model.a_atom_count = model.qsc_count;
}

std::vector<std::string> energy_files_to_save(std::int32_t potential_type) {
  std::vector<std::string> names = {"type.dat", "alloy.dat", "parameter1.dat"};
  switch (potential_type) {
    case 2: names.insert(names.end(), {"parameter2.dat", "parameter3.dat"}); break;
    case 3:
    case 4: names.insert(names.end(), {"protein1.dat", "protein2.dat"}); break;
    case 5: names.insert(names.end(), {"eam_aa.dat", "eam_bb.dat", "eam_ab.dat"}); break;
    case 7:
    case 8: names.insert(names.end(), {"chima1.dat", "chima2.dat"}); break;
    case 9: names.emplace_back("qscff.dat"); break;
    default: break;
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
  return name != "eam_aa.dat" && name != "eam_bb.dat" && name != "eam_ab.dat";
}

}  // namespace cfg

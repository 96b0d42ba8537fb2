#include "config/config_files.h"

#include <algorithm>
#include <utility>

#include "io/errors.h"
#include "io/list_writer.h"
#include "io/record_reader.h"

namespace cfg {

namespace {

// One description per file: visit(fields...) once per record, in file order.
// `a_count` stands for the count of A atoms in the first record of qscff.dat.
template <class Model, class Count, class Visit>
void visit_energy_file(Model& m, const std::string& name, Count& a_count, Visit&& visit) {
  const auto many_body = [&](auto& s) { visit(s.name, s.e0, s.c0, s.p, s.q, s.r0); };
  const auto eam = [&](auto& s) { visit(s.name, s.a, s.epsilon, s.c, s.n, s.m); };
  const auto qsc = [&](auto& s) { visit(s.name, s.d, s.c, s.m, s.n, s.a); };
  if (name == "type.dat") {
    visit(m.potential_type, m.center_of_mass);
  } else if (name == "alloy.dat") {
    visit(m.a_atom_count);
  } else if (name == "parameter1.dat") {
    many_body(m.mb_aa);
  } else if (name == "parameter2.dat") {
    many_body(m.mb_bb);
  } else if (name == "parameter3.dat") {
    many_body(m.mb_ab);
  } else if (name == "protein1.dat") {
    visit(m.lj_cutoff, m.bond_theta0, m.bond_cutoff_angle, m.dih_eps[0], m.dih_eps[1], m.dih_eps[2],
          m.dih_eps[3], m.dih_a, m.dih_b, m.dih_c, m.dih_d, m.lj_e);
  } else if (name == "eam_aa.dat") {
    eam(m.eam_aa);
  } else if (name == "eam_bb.dat") {
    eam(m.eam_bb);
  } else if (name == "eam_ab.dat") {
    eam(m.eam_ab);
  } else if (name == "chima1.dat") {
    visit(m.ci_bond_length, m.ci_epsilon, m.ci_bond_angle, m.ci_exclusive_diameter, m.ci_extra);
    visit(m.ci_aux[0], m.ci_aux[1], m.ci_aux[2], m.ci_aux[3], m.ci_aux[4], m.ci_aux[5], m.ci_aux[6],
          m.ci_aux[7]);
  } else if (name == "qscff.dat") {
    visit(a_count, m.qsc_file_name);
    qsc(m.qsc_a);
    qsc(m.qsc_b);
  } else if (name == "protein2.dat") {
    for (std::int32_t k = 0; k < std::min(m.residue_set_count, kSetCapacity); ++k) {
      visit(m.residues_type[static_cast<std::size_t>(k)], m.residues_num[static_cast<std::size_t>(k)]);
    }
  } else if (name == "chima2.dat") {
    for (std::int32_t i = 0; i < std::min(m.ch_count, kSetCapacity); ++i) {
      visit(m.ch_st[static_cast<std::size_t>(i)], m.ch_end[static_cast<std::size_t>(i)]);
    }
  }
}

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

// Reads a file of fixed records; returns the count of A atoms of qscff.dat.
std::int32_t read_energy_file(FileSystem& files, EnergyModel& model, const std::string& name) {
  TextLines lines = open_for_reading(files, name);
  RecordReader reader(lines);
  std::int32_t a_count = 0;
  visit_energy_file(model, name, a_count, [&](auto&... fields) { reader.read(fields...); });
  return a_count;
}

// The counted read: every line is a set; then the sets are read from the top.
void read_counted_file(FileSystem& files, EnergyModel& model, const std::string& name, std::int32_t& count) {
  TextLines lines = open_for_reading(files, name);
  const long line_count = lines.count_lines();
  if (line_count > kSetCapacity) {
    throw FatalError(name + ": " + std::to_string(line_count) + " lines, more than the " +
                     std::to_string(kSetCapacity) + " sets the model holds");
  }
  count = static_cast<std::int32_t>(line_count);
  if (name == "protein2.dat") model.make_room_for_residue_sets(count);
  if (name == "chima2.dat") model.make_room_for_neutral_bond_sets(count);
  lines.rewind();
  RecordReader reader(lines);
  std::int32_t unused = 0;
  visit_energy_file(model, name, unused, [&](auto&... fields) { reader.read(fields...); });
}

void read_type_files(FileSystem& files, EnergyModel& model, std::int32_t potential_type) {
  for (const std::string& name : energy_files_to_save(potential_type)) {
    if (name == "type.dat" || name == "alloy.dat" || name == "parameter1.dat") continue;
    if (name == "protein2.dat") {
      read_counted_file(files, model, name, model.residue_set_count);
    } else if (name == "chima2.dat") {
      read_counted_file(files, model, name, model.ch_count);
    } else if (name == "qscff.dat") {
      model.a_atom_count = read_energy_file(files, model, name);
    } else {
      read_energy_file(files, model, name);
    }
  }
}

}  // namespace

static_assert(kLinePadding <= kReadRoom, "the line reader pads a file's text in place");

TextLines open_for_reading(FileSystem& files, const std::string& name) {
  std::optional<std::string> text = files.read(name);
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
  visit_data_records(config, [&](const auto&... fields) { append_list_record(text, fields...); });
  return text;
}

void load_atom_count_file(FileSystem& files, std::int32_t& particle_count, std::int32_t& seed) {
  TextLines lines = open_for_reading(files, "atom_num.dat");
  RecordReader(lines).read(particle_count, seed);
}

std::string atom_count_file_text(std::int32_t particle_count, std::int32_t seed) {
  return list_record(particle_count, seed);
}

void load_energy_model_at_startup(FileSystem& files, EnergyModel& model, std::int32_t particle_count) {
  read_energy_file(files, model, "type.dat");
  read_energy_file(files, model, "alloy.dat");
  if (model.potential_type == 5) model.a_atom_count = particle_count;
  for (const char* name : {"parameter1.dat", "parameter2.dat", "parameter3.dat", "protein1.dat"}) {
    read_energy_file(files, model, name);
  }
  read_counted_file(files, model, "protein2.dat", model.residue_set_count);
  for (const char* name : {"eam_aa.dat", "eam_bb.dat", "eam_ab.dat", "chima1.dat"}) {
    read_energy_file(files, model, name);
  }
  read_counted_file(files, model, "chima2.dat", model.ch_count);
  const std::int32_t qsc_count = read_energy_file(files, model, "qscff.dat");
  if (model.potential_type == 9) model.a_atom_count = qsc_count;
}

void reload_energy_model(FileSystem& files, EnergyModel& model) {
  for (const char* name : {"type.dat", "alloy.dat", "parameter1.dat"}) read_energy_file(files, model, name);
  read_type_files(files, model, model.potential_type);
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
  // A set line is at most 25 characters; the other files are a few lines.
  const std::int32_t sets = name == "protein2.dat" ? model.residue_set_count
                            : name == "chima2.dat" ? model.ch_count
                                                   : 0;
  text.reserve(256 + 25 * static_cast<std::size_t>(std::clamp(sets, 0, kSetCapacity)));
  const std::int32_t a_count = model.a_atom_count;
  visit_energy_file(model, name, a_count,
                    [&](const auto&... fields) { append_list_record(text, file_item(fields)...); });
  return text;
}

bool must_exist_before_save(const std::string& name) {
  return name != "eam_aa.dat" && name != "eam_bb.dat" && name != "eam_ab.dat";
}

}  // namespace cfg

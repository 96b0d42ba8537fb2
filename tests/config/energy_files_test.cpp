#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <random>
#include <string>

#include "config/config_files.h"
#include "io/errors.h"
#include "support/memory_file_system.h"

namespace cfg {
namespace {

using testing::MemoryFileSystem;

const char* const kAllFiles[] = {"type.dat",   "alloy.dat",  "parameter1.dat", "parameter2.dat", "parameter3.dat",
                                 "protein1.dat", "protein2.dat", "eam_aa.dat",   "eam_bb.dat",     "eam_ab.dat",
                                 "chima1.dat", "chima2.dat", "qscff.dat"};

double random_real(std::mt19937_64& random) {
  double value = 0;
  do {
    value = std::bit_cast<double>(random());
  } while (std::isnan(value));
  return value;
}

std::int32_t random_integer(std::mt19937_64& random) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(random()));
}

FixedText<2> random_name(std::mt19937_64& random) {
  const char* const names[] = {"Ag", "Cu", "B", "Pt", "AC"};
  return FixedText<2>(names[random() % 5]);
}

EnergyModel random_model(std::mt19937_64& random, std::int32_t potential_type) {
  EnergyModel m;
  m.potential_type = potential_type;
  m.center_of_mass = random_integer(random);
  m.a_atom_count = random_integer(random);
  for (ManyBodySet* set : {&m.mb_aa, &m.mb_bb, &m.mb_ab}) {
    *set = {random_name(random), random_real(random), random_real(random), random_real(random),
            random_real(random), random_real(random)};
  }
  for (double* value : {&m.lj_cutoff, &m.lj_e, &m.bond_theta0, &m.bond_cutoff_angle, &m.dih_eps[0], &m.dih_eps[1],
                        &m.dih_eps[2], &m.dih_eps[3], &m.dih_a, &m.dih_b, &m.dih_c, &m.dih_d, &m.ci_bond_length,
                        &m.ci_epsilon, &m.ci_bond_angle, &m.ci_exclusive_diameter, &m.ci_extra}) {
    *value = random_real(random);
  }
  for (double& value : m.ci_aux) value = random_real(random);
  const char* const residue_types[] = {"B", "LB", "LBB", "BLB", "L"};
  m.residue_set_count = static_cast<std::int32_t>(random() % 40);
  m.make_room_for_residue_sets(m.residue_set_count);
  for (std::size_t k = 0; k < static_cast<std::size_t>(m.residue_set_count); ++k) {
    m.residues_type[k] = FixedText<3>(residue_types[random() % 5]);
    m.residues_num[k] = random_integer(random);
  }
  for (EamSet* set : {&m.eam_aa, &m.eam_bb, &m.eam_ab}) {
    *set = {random_name(random), random_real(random), random_real(random), random_real(random),
            random_real(random), random_real(random)};
  }
  m.ch_count = static_cast<std::int32_t>(random() % 40) + 1;
  m.make_room_for_neutral_bond_sets(m.ch_count);
  for (std::size_t i = 0; i < static_cast<std::size_t>(m.ch_count); ++i) {
    m.ch_st[i] = random_integer(random);
    m.ch_end[i] = random_integer(random);
  }
  for (QscSet* set : {&m.qsc_a, &m.qsc_b}) {
    *set = {random_name(random), random_real(random), random_real(random), random_real(random),
            random_real(random), random_real(random)};
  }
  m.qsc_file_name = random_name(random);
  return m;
}

// Every file of the model, as a save under each type would write it.
MemoryFileSystem files_of(const EnergyModel& model) {
  MemoryFileSystem files;
  for (const char* name : kAllFiles) files.files[name] = energy_file_text(model, name);
  return files;
}

std::string all_text(const EnergyModel& model) {
  std::string text;
  for (const char* name : kAllFiles) text += energy_file_text(model, name);
  return text;
}

TEST(EnergyFiles, EveryFileReadsBackBitForBit) {
  std::mt19937_64 random(42);
  for (int round = 0; round < 20; ++round) {
    const EnergyModel written = random_model(random, 1);
    MemoryFileSystem files = files_of(written);
    EnergyModel read;
    load_energy_model_at_startup(files, read, 38);
    // Writing what was read gives the same text, so every value came back whole.
    EXPECT_EQ(all_text(read), all_text(written));
    EXPECT_EQ(read.residue_set_count, written.residue_set_count);
    EXPECT_EQ(read.ch_count, written.ch_count);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(read.ci_aux[7]), std::bit_cast<std::uint64_t>(written.ci_aux[7]));
  }
}

TEST(EnergyFiles, LayoutsOfTheSmallFiles) {
  EnergyModel model;
  model.potential_type = 9;
  model.center_of_mass = 2;
  model.a_atom_count = 38;
  model.mb_aa = {FixedText<2>("B"), 1.0, 2.0, 3.0, 4.0, 5.0};
  model.qsc_file_name = FixedText<2>("AC");
  model.residue_set_count = 2;
  model.make_room_for_residue_sets(2);
  model.residues_type[0] = FixedText<3>("LB");
  model.residues_num[0] = 3;
  model.residues_type[1] = FixedText<3>("B");
  model.residues_num[1] = 4;
  EXPECT_EQ(energy_file_text(model, "type.dat"), "           9           2\n");
  EXPECT_EQ(energy_file_text(model, "alloy.dat"), "          38\n");
  // A one-letter name is written with its blank, then the separator blank.
  EXPECT_EQ(energy_file_text(model, "parameter1.dat").substr(0, 33), " B    1.0000000000000000        2");
  EXPECT_EQ(energy_file_text(model, "protein2.dat"), " LB            3\n B             4\n");
  EXPECT_EQ(energy_file_text(model, "qscff.dat").substr(0, 16), "          38 AC\n");
}

TEST(EnergyFiles, CountedReadsTakeOneSetPerLine) {
  std::mt19937_64 random(3);
  MemoryFileSystem files = files_of(random_model(random, 1));
  files.files["protein2.dat"] = "";
  files.files["chima2.dat"] = " 0 0\n";
  EnergyModel model;
  load_energy_model_at_startup(files, model, 38);
  EXPECT_EQ(model.residue_set_count, 0);
  EXPECT_EQ(energy_file_text(model, "protein2.dat"), "");
  EXPECT_EQ(model.ch_count, 1);
  EXPECT_EQ(model.ch_st[0], 0);
  EXPECT_EQ(model.ch_end[0], 0);

  // A last line without its line end still counts.
  files.files["protein2.dat"] = "LB 3\nB 4";
  load_energy_model_at_startup(files, model, 38);
  EXPECT_EQ(model.residue_set_count, 2);
  EXPECT_EQ(model.residues_num[1], 4);
}

TEST(EnergyFiles, BlankOrSurplusLinesInCountedFilesAreFatal) {
  std::mt19937_64 random(4);
  MemoryFileSystem files = files_of(random_model(random, 1));
  EnergyModel model;
  files.files["protein2.dat"] = "LB 3\n\n";  // the blank line counts as a set and then has nothing to read
  EXPECT_THROW(load_energy_model_at_startup(files, model, 38), FatalError);

  std::string many;
  for (int i = 0; i < kSetCapacity + 1; ++i) many += "1 2\n";
  files.files["protein2.dat"] = "B 1\n";
  files.files["chima2.dat"] = many;
  try {
    load_energy_model_at_startup(files, model, 38);
    FAIL() << "more sets than the model holds must stop the load";
  } catch (const FatalError& error) {
    EXPECT_NE(std::string(error.what()).find("chima2.dat"), std::string::npos) << error.what();
  }
  many.resize(many.size() - 4);  // exactly the capacity is fine
  files.files["chima2.dat"] = many;
  load_energy_model_at_startup(files, model, 38);
  EXPECT_EQ(model.ch_count, kSetCapacity);
}

TEST(EnergyFiles, StartUpOverridesTheCountOfAAtomsUnderTypesFiveAndNine) {
  std::mt19937_64 random(5);
  EnergyModel written = random_model(random, 5);
  written.a_atom_count = 10;
  MemoryFileSystem files = files_of(written);
  EnergyModel model;
  load_energy_model_at_startup(files, model, 38);
  EXPECT_EQ(model.a_atom_count, 38) << "under EAM the count follows the particle count at start-up";
  reload_energy_model(files, model);
  EXPECT_EQ(model.a_atom_count, 10) << "the reload keeps the count of alloy.dat";

  files.files["type.dat"] = " 9 2\n";
  files.files["alloy.dat"] = " 10\n";
  files.files["qscff.dat"] = " 17 AC\n Ag 1 2 3 4 5\n Cu 1 2 3 4 5\n";
  load_energy_model_at_startup(files, model, 38);
  EXPECT_EQ(model.a_atom_count, 17);
  model.a_atom_count = 0;
  reload_energy_model(files, model);
  EXPECT_EQ(model.a_atom_count, 17);

  files.files["type.dat"] = " 1 2\n";
  load_energy_model_at_startup(files, model, 38);
  EXPECT_EQ(model.a_atom_count, 10) << "other types discard the count of qscff.dat";
  EXPECT_EQ(model.qsc_file_name, "AC");
}

TEST(EnergyFiles, ReloadReadsOnlyTheFilesOfTheTypeOnDisk) {
  std::mt19937_64 random(6);
  MemoryFileSystem files = files_of(random_model(random, 1));
  files.files.erase("protein2.dat");
  files.files["type.dat"] = " 1 2\n";
  EnergyModel model;
  model.residue_set_count = 3;
  EXPECT_NO_THROW(reload_energy_model(files, model));
  EXPECT_EQ(model.residue_set_count, 3) << "fields whose files are not re-read keep their values";
  files.files["type.dat"] = " 3 2\n";
  EXPECT_THROW(reload_energy_model(files, model), FatalError);
  files.files["type.dat"] = " 0 2\n";
  EXPECT_NO_THROW(reload_energy_model(files, model));
}

TEST(EnergyFiles, EachTypeSavesItsOwnFilesAfterTheCommonThree) {
  using Names = std::vector<std::string>;
  const Names common = {"type.dat", "alloy.dat", "parameter1.dat"};
  const auto with = [&](Names more) {
    Names names = common;
    names.insert(names.end(), more.begin(), more.end());
    return names;
  };
  EXPECT_EQ(energy_files_to_save(1), common);
  EXPECT_EQ(energy_files_to_save(2), with({"parameter2.dat", "parameter3.dat"}));
  EXPECT_EQ(energy_files_to_save(3), with({"protein1.dat", "protein2.dat"}));
  EXPECT_EQ(energy_files_to_save(4), with({"protein1.dat", "protein2.dat"}));
  EXPECT_EQ(energy_files_to_save(5), with({"eam_aa.dat", "eam_bb.dat", "eam_ab.dat"}));
  EXPECT_EQ(energy_files_to_save(6), common);
  EXPECT_EQ(energy_files_to_save(7), with({"chima1.dat", "chima2.dat"}));
  EXPECT_EQ(energy_files_to_save(8), with({"chima1.dat", "chima2.dat"}));
  EXPECT_EQ(energy_files_to_save(9), with({"qscff.dat"}));
  EXPECT_EQ(energy_files_to_save(0), common);
  EXPECT_EQ(energy_files_to_save(-7), common);
  EXPECT_FALSE(must_exist_before_save("eam_bb.dat"));
  EXPECT_TRUE(must_exist_before_save("chima2.dat"));
}

TEST(EnergyFiles, MissingFilesAreFatalAtStartUpEvenForOtherTypes) {
  std::mt19937_64 random(8);
  for (const char* name : kAllFiles) {
    MemoryFileSystem files = files_of(random_model(random, 1));
    files.files.erase(name);
    EnergyModel model;
    try {
      load_energy_model_at_startup(files, model, 38);
      ADD_FAILURE() << name << " missing must stop the load";
    } catch (const FatalError& error) {
      EXPECT_NE(std::string(error.what()).find(name), std::string::npos) << error.what();
    }
    EXPECT_FALSE(files.exists(name)) << "reading never creates " << name;
  }
}

}  // namespace
}  // namespace cfg

namespace cfg {
namespace {

TEST(EnergyFiles, NamesThatWouldNotReadBackAreQuoted) {
  EnergyModel model;
  model.mb_aa.name = FixedText<2>("Ag");
  EXPECT_EQ(energy_file_text(model, "parameter1.dat").substr(0, 4), " Ag ");
  model.mb_aa.name = FixedText<2>("B");
  EXPECT_EQ(energy_file_text(model, "parameter1.dat").substr(0, 4), " B  ");

  for (const char* name : {"", " A", "A,", "A/", "2*", "'A", "A'", "\"A"}) {
    model.mb_aa = {FixedText<2>(name), 1.0, 2.0, 3.0, 4.0, 5.0};
    model.residue_set_count = 1;
    model.make_room_for_residue_sets(1);
    model.residues_type[0] = FixedText<3>(name);
    model.residues_num[0] = 7;
    MemoryFileSystem files;
    files.files["parameter1.dat"] = energy_file_text(model, "parameter1.dat");
    files.files["protein2.dat"] = energy_file_text(model, "protein2.dat");
    files.files["type.dat"] = " 3 2\n";
    files.files["alloy.dat"] = " 1\n";
    files.files["protein1.dat"] = energy_file_text(model, "protein1.dat");
    EnergyModel read;
    reload_energy_model(files, read);
    EXPECT_EQ(read.mb_aa.name.view(), model.mb_aa.name.view()) << files.files["parameter1.dat"];
    EXPECT_EQ(read.mb_aa.r0, 5.0) << files.files["parameter1.dat"];
    EXPECT_EQ(read.residues_type[0].view(), model.residues_type[0].view()) << files.files["protein2.dat"];
    EXPECT_EQ(read.residues_num[0], 7) << files.files["protein2.dat"];
  }
}

}  // namespace
}  // namespace cfg

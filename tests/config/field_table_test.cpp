#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/config_fields.h"
#include "config/config_files.h"
#include "support/memory_file_system.h"

namespace cfg {
namespace {

TEST(FieldTable, ListsTheEnergyFilesInTheOrderOfTheStartUpLoad) {
  EXPECT_EQ(energy_file_names(),
            (std::vector<std::string>{"type.dat", "alloy.dat", "parameter1.dat", "parameter2.dat", "parameter3.dat",
                                      "protein1.dat", "protein2.dat", "eam_aa.dat", "eam_bb.dat", "eam_ab.dat",
                                      "chima1.dat", "chima2.dat", "qscff.dat"}));
}

struct QscCountCase {
  std::int32_t potential_type;
  const char* first_record;  // of qscff.dat as saved
};

class QscCount : public ::testing::TestWithParam<QscCountCase> {};

// The count of qscff.dat is the model's a_atom_count under the Q-SC type,
// whose count it is, and the stored count under any other.
TEST_P(QscCount, IsSavedFromTheCountOfItsType) {
  EnergyModel model;
  model.potential_type = GetParam().potential_type;
  model.a_atom_count = 12;
  model.qsc_count = 30;
  model.qsc_file_name = FixedText<2>("Ag");
  const std::string text = energy_file_text(model, "qscff.dat");
  EXPECT_EQ(text.substr(0, text.find('\n') + 1), GetParam().first_record);
}

INSTANTIATE_TEST_SUITE_P(Types, QscCount,
                         ::testing::Values(QscCountCase{9, "          12 Ag\n"}, QscCountCase{1, "          30 Ag\n"},
                                           QscCountCase{5, "          30 Ag\n"}));

TEST(FieldTable, TheStoredQscCountIsReadUnderEveryTypeAndTakenAsTheAlloyCountUnderType9) {
  testing::MemoryFileSystem files;
  files.files["type.dat"] = " 1 2\n";
  files.files["alloy.dat"] = " 5\n";
  files.files["parameter1.dat"] = " Ag 1 2 3 4 5\n";
  files.files["qscff.dat"] = " 30 Ag\n Ag 1 2 3 4 5\n Cu 1 2 3 4 5\n";
  EnergyModel model;
  load_energy_file(files, model, "qscff.dat");
  EXPECT_EQ(model.qsc_count, 30);
  reload_energy_model(files, model);
  EXPECT_EQ(model.a_atom_count, 5);
  files.files["type.dat"] = " 9 2\n";
  reload_energy_model(files, model);
  EXPECT_EQ(model.a_atom_count, 30);
}

}  // namespace
}  // namespace cfg

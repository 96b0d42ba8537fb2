#include "config/energy_model.h"

#include <gtest/gtest.h>

#include "config/config_files.h"
#include "support/memory_file_system.h"

namespace cfg {
namespace {

TEST(EnergyModel, HoldsNoSetsUntilACountAsksForThem) {
  const EnergyModel model;
  EXPECT_TRUE(model.residues_type.empty() && model.residues_num.empty());
  EXPECT_TRUE(model.ch_st.empty() && model.ch_end.empty());
}

TEST(EnergyModel, RoomGrowsToTheCountWithinTheCapacityAndNeverShrinks) {
  struct Case {
    std::int32_t held_before;
    std::int32_t count;
    std::size_t held_after;
  };
  const Case cases[] = {
      {0, -3, 0}, {0, 0, 0}, {0, 1, 1}, {0, 5, 5}, {0, kSetCapacity + 7, kSetCapacity}, {5, 2, 5}, {5, 9, 9},
  };
  for (const Case& test : cases) {
    EnergyModel model;
    model.make_room_for_residue_sets(test.held_before);
    model.make_room_for_neutral_bond_sets(test.held_before);
    if (test.held_before > 0) {
      model.residues_num[0] = 42;
      model.ch_end[0] = 43;
    }
    model.make_room_for_residue_sets(test.count);
    model.make_room_for_neutral_bond_sets(test.count);
    EXPECT_EQ(model.residues_type.size(), test.held_after) << test.held_before << " then " << test.count;
    EXPECT_EQ(model.residues_num.size(), test.held_after);
    EXPECT_EQ(model.ch_st.size(), test.held_after);
    EXPECT_EQ(model.ch_end.size(), test.held_after);
    if (test.held_before > 0) {
      EXPECT_EQ(model.residues_num[0], 42) << "a set held keeps its values";
      EXPECT_EQ(model.ch_end[0], 43);
    }
  }
}

TEST(EnergyModel, ACountedReadMakesRoomForTheSetsItReadsOnly) {
  testing::MemoryFileSystem files;
  for (const char* name : {"type.dat", "alloy.dat", "parameter1.dat", "parameter2.dat", "parameter3.dat",
                           "protein1.dat", "eam_aa.dat", "eam_bb.dat", "eam_ab.dat", "chima1.dat", "qscff.dat"}) {
    files.files[name] = "";
  }
  files.files["type.dat"] = "8 1\n";
  files.files["alloy.dat"] = "0\n";
  files.files["parameter1.dat"] = "Ag 1 2 3 4 5\n";
  files.files["parameter2.dat"] = files.files["parameter3.dat"] = files.files["parameter1.dat"];
  files.files["eam_aa.dat"] = files.files["eam_bb.dat"] = files.files["eam_ab.dat"] = files.files["parameter1.dat"];
  files.files["protein1.dat"] = "1 2 3 4 5 6 7 8 9 10 11 12\n";
  files.files["chima1.dat"] = "1 2 3 4 5\n1 2 3 4 5 6 7 8\n";
  files.files["qscff.dat"] = "5 AC\nAg 1 2 3 4 5\nCu 1 2 3 4 5\n";
  files.files["protein2.dat"] = "B 1\nLB 2\nL 3\n";
  files.files["chima2.dat"] = "1 6\n";
  EnergyModel model;
  load_energy_model_at_startup(files, model, 38);
  EXPECT_EQ(model.residues_type.size(), 3u);
  EXPECT_EQ(model.residues_num[2], 3);
  EXPECT_EQ(model.ch_st.size(), 1u);
  EXPECT_EQ(model.ch_end[0], 6);
}

}  // namespace
}  // namespace cfg

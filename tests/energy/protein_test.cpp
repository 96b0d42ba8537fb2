// Potential types 3, 4 and 6: the residue sequence and the protein parameters.
#include <array>

#include "energy/energy_session.h"
#include "io/fixed_text.h"

namespace cfg::testing {
namespace {

const std::vector<std::string> kSubMenu = {" 1.Edit residues", " 2.Edit potential parameters", " 3.See reference"};

std::string total_line(std::int32_t total, const std::string& tail) {
  return " total residues= " + format_integer(total) + " " + tail;
}
std::string type_prompt(std::int32_t total) { return total_line(total, ",residue type:"); }
std::string final_line(std::int32_t total) { return total_line(total, ",STOP INPUT!"); }

struct ResidueSet {
  FixedText<3> type;
  std::int32_t length = 0;
};
std::vector<ResidueSet> saved_residue_sets(const ScratchConfig& scratch) {
  std::vector<ResidueSet> sets;
  const std::string text = scratch.read("protein2.dat");
  TextLines lines("protein2.dat", text);
  RecordReader reader(lines);
  for (long k = 0, count = lines.count_lines(); k < count; ++k) {
    ResidueSet set;
    reader.read(set.type, set.length);
    sets.push_back(set);
  }
  return sets;
}

void with_particles(const ScratchConfig& scratch, const std::string& count) {
  scratch.write("atom_num.dat", count + " 0\n");
}

TEST(ResidueInput, SetsAreAskedUntilTheTotalReachesTheParticleCount) {
  ScratchConfig scratch;
  with_particles(scratch, "10");
  const SessionResult result = run_option_7(scratch, "2\n3\n1\nLB\n3\nB\n4");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(has_block(result.out, {kSubMenu[2], " Starting input residues:", type_prompt(0), " #=", type_prompt(6),
                                     " #=", final_line(10), kMainMenuFirstLine}));
  const std::vector<ResidueSet> sets = saved_residue_sets(scratch);
  ASSERT_EQ(sets.size(), 2u);
  EXPECT_TRUE(sets[0].type == "LB");
  EXPECT_EQ(sets[0].length, 3);
  EXPECT_TRUE(sets[1].type == "B");
  EXPECT_EQ(sets[1].length, 4);
  EXPECT_EQ(lines_of(scratch.read("protein2.dat"))[0], " LB  " + format_integer(3));
}

TEST(ResidueInput, OnlyLbAndTheThreeLetterPatternsCountMoreThanOne) {
  struct Case {
    const char* type;
    std::int32_t length;
    std::int32_t total;
  };
  const Case cases[] = {{"LBB", 4, 12}, {"BLB", 4, 12}, {"BBL", 4, 12}, {"BL", 10, 10}, {"lb", 10, 10},
                        {"LBBB", 4, 12}};  // the type keeps its first three letters
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    ScratchConfig scratch;
    with_particles(scratch, "10");
    const SessionResult result =
        run_option_7(scratch, "2\n4\n1\n" + std::string(c.type) + "\n" + std::to_string(c.length));
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(has_block(result.out, {" #=", final_line(c.total)}));
    EXPECT_EQ(saved_residue_sets(scratch).size(), 1u);
  }
}

TEST(ResidueInput, NoParticlesMeansNoSets) {
  ScratchConfig scratch;
  with_particles(scratch, "0");
  const SessionResult result = run_option_7(scratch, "2\n3\n1");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(has_block(result.out, {" Starting input residues:", final_line(0), kMainMenuFirstLine}));
  EXPECT_EQ(scratch.read("protein2.dat"), "");
}

TEST(ResidueInput, TheTotalWrapsAroundLikeA32BitInteger) {
  ScratchConfig scratch;
  with_particles(scratch, "100");
  // 3 * 1000000000 wraps to -1294967296; the next set brings it back to 100.
  const SessionResult result = run_option_7(scratch, "2\n3\n1\nLBB\n1000000000\nB\n1294967396");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(has_block(result.out, {type_prompt(-1294967296), " #=", final_line(100)}));
}

TEST(ResidueInput, InputStopsWhenTheTenThousandSetsAreFull) {
  ScratchConfig scratch;
  with_particles(scratch, "20000");
  std::string answers = "2\n3\n1\n";
  for (int k = 0; k < 10000; ++k) answers += "B\n1\n";
  const SessionResult result = run_option_7(scratch, answers);
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(has_block(result.out, {type_prompt(9999), " #=", " The limit of 10000 residue sets is reached!",
                                     final_line(10000), kMainMenuFirstLine}));
  EXPECT_EQ(saved_residue_sets(scratch).size(), 10000u);
}

TEST(ResidueInput, EndOfInputInTheMiddleWritesNothing) {
  ScratchConfig scratch;
  const std::string before = scratch.read("protein2.dat");
  const SessionResult result = scratch.run("7\n2\n3\n1\nB\n");
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(scratch.read("protein2.dat"), before);
}

TEST(ProteinSubMenu, ReferenceAndWrongChoicesShowTheSubMenuAgain) {
  ScratchConfig scratch;
  const std::string protein1_before = scratch.read("protein1.dat");
  const SessionResult result = run_option_7(scratch, "2\n3\n3\n7\n/\n1\nB\n38");
  ASSERT_EQ(result.status, 0) << result.err;
  std::vector<std::string> dialogue = kSubMenu;
  for (const char* line : {"Input the residue sets:", "ex:", "total residues= 0,residue type:",
                           "(input residues type,ex:B)", "#=", "(input residues length,ex:3)",
                           "total residues= 3,residue type:", "(input next residues until stop)", "etc......"}) {
    dialogue.push_back(std::string(" ") + line);
  }
  dialogue.insert(dialogue.end(), kSubMenu.begin(), kSubMenu.end());
  for (int wrong = 0; wrong < 2; ++wrong) {  // 7, then a null choice
    dialogue.insert(dialogue.end(), kInputError.begin(), kInputError.end());
    dialogue.insert(dialogue.end(), kSubMenu.begin(), kSubMenu.end());
  }
  dialogue.push_back(" Starting input residues:");
  EXPECT_TRUE(has_block(result.out, dialogue));
  EXPECT_EQ(saved_residue_sets(scratch).size(), 1u);
  EXPECT_EQ(saved_config(scratch).ci_n_form, 0);
  // Type 3 writes protein1.dat too, with the values as loaded.
  EXPECT_NE(scratch.read("protein1.dat"), protein1_before);
  double lj_cutoff = 0;
  read_record(scratch, "protein1.dat", lj_cutoff);
  EXPECT_EQ(lj_cutoff, 5.5);
}

// protein1.dat holds lj_cutoff, theta0, cutoff angle, eps 1-4, A, B, C, D, E.
std::array<double, 12> saved_protein_parameters(const ScratchConfig& scratch) {
  std::array<double, 12> v{};
  read_record(scratch, "protein1.dat", v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11]);
  return v;
}

TEST(ProteinParameters, BetaAndAlphaFoldingAskTheDihedralConstants) {
  for (const char* type : {"3", "4"}) {
    SCOPED_TRACE(type);
    ScratchConfig scratch;
    const SessionResult result = run_option_7(scratch, std::string("2\n") + type + "\n2\n1\n2\n3\n4\n5\n6\n7\n8");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(has_block(result.out, {" Input cutoff length in LJ:(default=5.5D0)",
                                       " Input E in LJ:(default=1.D0)",
                                       " Input theta0 in Bond energy:(default=1.8326D0)",
                                       " Input cutoff angle in Bond energy:(default=0.087266D0)",
                                       " Input A in Dihedral energy:(default=1.2D0)",
                                       " Input B in Dihedral energy:(default=1.2D0)",
                                       " Input C in Dihedral energy:",
                                       " (default:Alpha=1.2D0/Beta=0.D0)",
                                       " Input D in Dihedral energy:(default=0.2D0)",
                                       kMainMenuFirstLine}));
    const std::array<double, 12> expected = {1, 3, 4, 0, 0, 0, 0, 5, 6, 7, 8, 2};
    EXPECT_EQ(saved_protein_parameters(scratch), expected);
  }
}

TEST(ProteinParameters, UniversalFoldingAsksTheFourEpsAndIsNotSaved) {
  ScratchConfig scratch;
  const std::string protein1_before = scratch.read("protein1.dat");
  const SessionResult result = run_option_7(scratch, "2\n6\n2\n1\n2\n3\n4\n5\n6\n7\n8");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(has_block(result.out, {" Input cutoff angle in Bond energy:(default=0.087266D0)",
                                     " Input eps in Dihedral energy:(default=?)",
                                     " Input eps2 in Dihedral energy:(default=?)",
                                     " Input eps3 in Dihedral energy:(default=?)",
                                     " Input eps4 in Dihedral energy:(default=?)",
                                     kMainMenuFirstLine}));
  EXPECT_FALSE(has_line(result.out, " Input A in Dihedral energy:(default=1.2D0)"));
  EXPECT_EQ(scratch.read("protein1.dat"), protein1_before);
}

TEST(ProteinParameters, NullAnswersKeepTheLoadedValues) {
  ScratchConfig scratch;  // protein1.dat: 5.5 1.8326 0.087266 0 0 0 0 1.2 1.2 0 0.2 1.0
  ASSERT_EQ(run_option_7(scratch, "2\n3\n2\n/\n2.0\n,\n/\n/\n/\n/\n9").status, 0);
  const std::array<double, 12> expected = {5.5, 1.8326, 0.087266, 0, 0, 0, 0, 1.2, 1.2, 0, 9, 2.0};
  EXPECT_EQ(saved_protein_parameters(scratch), expected);
}

}  // namespace
}  // namespace cfg::testing

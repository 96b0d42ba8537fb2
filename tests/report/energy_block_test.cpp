// The energy-model block of the report, for every potential type.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "report_fixture.h"

namespace cfg::testing {
namespace {

// Where two long lines first differ (npos when they are equal): a report of
// the place, where a full comparison of 270000 characters would print pages.
std::size_t first_difference(const std::string& a, const std::string& b) {
  const auto [in_a, in_b] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
  return in_a == a.end() && in_b == b.end() ? std::string::npos : static_cast<std::size_t>(in_a - a.begin());
}

const std::string kHeaderBeforeSave = " @     e0        c0       p        q    r0";
const std::string kHeaderAfterReload = " @    e0        c0        p    q     r0";

class EnergyBlockTest : public ReportTest {
 protected:
  EnergyBlockTest() {
    config().record_mode = 0;
    config().backup_parents = 0;
    model().eam_aa = {FixedText<2>("Ag"), 4.09, 2.5415e-3, 144.41, 12.0, 6.0};
    model().eam_bb = {FixedText<2>("Cu"), 3.61, 1.2382e-2, 39.432, 9.0, 6.0};
    model().eam_ab = {FixedText<2>("AC"), 3.85, 5.6097e-3, 75.46, 10.5, 6.0};
    model().qsc_a = {FixedText<2>("Ag"), 3.9450, 96.524, 6.0, 11.0, 4.0691};
    model().qsc_b = {FixedText<2>("Cu"), 5.7921, 84.843, 5.0, 10.0, 3.6030};
    model().ci_bond_length = 1.5;
    model().ci_epsilon = 1.0;
    model().ci_bond_angle = 1.8325941666666667;
    model().ci_exclusive_diameter = 0.75;
  }

  // The lines between the recording line and the gradient line.
  std::vector<std::string> block(ReportVariant variant = ReportVariant::before_save) {
    const std::vector<std::string> lines = report(variant);
    const long start = index_of(lines, " @ Normal recording");
    EXPECT_GE(start, 0);
    EXPECT_EQ(lines.back(), " @ Using numerical gradient");
    return {lines.begin() + start + 1, lines.end() - 1};
  }

  void set_residues(const std::vector<std::pair<std::string, std::int32_t>>& sets) {
    model().residue_set_count = static_cast<std::int32_t>(sets.size());
    model().make_room_for_residue_sets(model().residue_set_count);
    for (std::size_t k = 0; k < sets.size(); ++k) {
      model().residues_type[k] = FixedText<3>(sets[k].first);
      model().residues_num[k] = sets[k].second;
    }
  }
  void set_bonds(const std::vector<std::pair<std::int32_t, std::int32_t>>& sets) {
    model().ch_count = static_cast<std::int32_t>(sets.size());
    model().make_room_for_neutral_bond_sets(model().ch_count);
    for (std::size_t i = 0; i < sets.size(); ++i) {
      model().ch_st[i] = sets[i].first;
      model().ch_end[i] = sets[i].second;
    }
  }
};

std::string many_body(const ManyBodySet& s) {
  return " @  " + R(s.e0) + " , " + R(s.c0) + " , " + R(s.p) + " , " + R(s.q) + " , " + R(s.r0);
}

TEST_F(EnergyBlockTest, PureManyBodyInBothVariants) {
  model().potential_type = 1;
  EXPECT_EQ(block(ReportVariant::before_save),
            (std::vector<std::string>{kHeaderBeforeSave, many_body(model().mb_aa), " @ For Ag"}));
  EXPECT_EQ(block(ReportVariant::after_reload),
            (std::vector<std::string>{kHeaderAfterReload, many_body(model().mb_aa), " @ For Ag"}));
  EXPECT_EQ(kHeaderBeforeSave.size(), 1u + 41u);
  EXPECT_EQ(kHeaderAfterReload.size(), 1u + 38u);
}

TEST_F(EnergyBlockTest, AlloyManyBodyCountsTheBAtoms) {
  model().potential_type = 2;
  const std::vector<std::string> lines = block(ReportVariant::after_reload);
  EXPECT_EQ(lines, (std::vector<std::string>{
                       kHeaderAfterReload, many_body(model().mb_aa), " @ For  " + I(10) + "  Ag",
                       kHeaderAfterReload, many_body(model().mb_bb), " @ For  " + I(28) + "  Cu",
                       kHeaderAfterReload, many_body(model().mb_ab), " @ For AC"}));
  EXPECT_EQ(lines[5], " @ For           28  Cu");
}

TEST_F(EnergyBlockTest, BAtomCountWrapsInsteadOfOverflowing) {
  model().potential_type = 2;
  session().particle_count = std::numeric_limits<std::int32_t>::min();
  model().a_atom_count = 1;
  EXPECT_EQ(block()[5], " @ For  " + I(std::numeric_limits<std::int32_t>::max()) + "  Cu");
  session().particle_count = std::numeric_limits<std::int32_t>::max();
  model().a_atom_count = -1;
  EXPECT_EQ(block()[5], " @ For  " + I(std::numeric_limits<std::int32_t>::min()) + "  Cu");
}

TEST_F(EnergyBlockTest, ProteinModelsPrintTheResidueLine) {
  set_residues({{"LBB", 4}, {"B", 10}, {"LB", 8}});
  model().potential_type = 3;
  EXPECT_EQ(block(), (std::vector<std::string>{
                         " @ For Beta-Sheets",
                         " @ LBB " + I(4) + " B   " + I(10) + " LB  " + I(8)}));
  model().potential_type = 4;
  const std::vector<std::string> lines = block();
  EXPECT_EQ(lines[0], " @ For Alpha-Helices");
  // type joined to "@ ", then separator, 4 in 11; "B" padded to three, ...
  EXPECT_EQ(lines[1], " @ LBB" + std::string(11, ' ') + "4 B" + std::string(12, ' ') + "10 LB" +
                          std::string(12, ' ') + "8");
}

TEST_F(EnergyBlockTest, ResidueLineWithNoSetsIsTheMarkAlone) {
  model().potential_type = 3;
  for (std::int32_t count : {0, -5}) {
    model().residue_set_count = count;
    EXPECT_EQ(block(), (std::vector<std::string>{" @ For Beta-Sheets", " @ "}));
  }
}

TEST_F(EnergyBlockTest, TenThousandResidueSetsStayOnOneLine) {
  model().potential_type = 3;
  model().residue_set_count = kSetCapacity;
  model().make_room_for_residue_sets(kSetCapacity);
  for (std::size_t k = 0; k < static_cast<std::size_t>(kSetCapacity); ++k) {
    model().residues_type[k] = FixedText<3>("LBB");
    model().residues_num[k] = static_cast<std::int32_t>(k + 1);
  }
  const std::vector<std::string> lines = block();
  ASSERT_EQ(lines.size(), 2u);
  // " @ " then the first set (3 + 1 + 11), then each further one with its separator
  EXPECT_EQ(lines[1].size(), 3u + 15u + 9999u * 16u);
  std::string expected = " @";
  for (std::int32_t k = 1; k <= kSetCapacity; ++k) expected += " LBB " + I(k);
  EXPECT_EQ(first_difference(lines[1], expected), std::string::npos);
  // A count beyond what the model holds prints the sets it holds.
  model().residue_set_count = kSetCapacity + 5;
  EXPECT_EQ(block()[1], lines[1]);
}

TEST_F(EnergyBlockTest, EamWithTwoSpecies) {
  model().potential_type = 5;
  const auto eam = [](const char* name, std::int32_t atoms, const EamSet& s) {
    return std::string(" @ ") + name + " " + I(atoms) + " " + R(s.epsilon) + " " + R(s.a) + " " + R(s.c) + " " +
           R(s.n) + " " + R(s.m);
  };
  EXPECT_EQ(block(), (std::vector<std::string>{" @  name    #   epsilon    a   C   n    m",
                                               eam("Ag", 10, model().eam_aa), eam("Cu", 28, model().eam_bb),
                                               eam("AC", 38, model().eam_ab)}));
  EXPECT_EQ(block()[1], " @ Ag          10   2.5414999999999999E-003   4.0899999999999999     "
                        "   144.41000000000000        12.000000000000000        6.0000000000000000     ");
}

TEST_F(EnergyBlockTest, EamAndQscOfAPureSystemPrintOneParameterLine) {
  model().a_atom_count = 38;
  model().potential_type = 5;
  std::vector<std::string> lines = block();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(lines[1].starts_with(" @ Ag " + I(38) + " "));
  model().potential_type = 9;
  lines = block();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_TRUE(lines[2].starts_with(" @ Ag " + I(38) + " "));
}

TEST_F(EnergyBlockTest, QscWithTwoSpecies) {
  model().potential_type = 9;
  const auto qsc = [](const char* name, std::int32_t atoms, const QscSet& s) {
    return std::string(" @ ") + name + " " + I(atoms) + " " + R(s.d) + " " + R(s.c) + " " + R(s.m) + " " +
           R(s.n) + " " + R(s.a);
  };
  EXPECT_EQ(block(ReportVariant::after_reload),
            (std::vector<std::string>{" @ Q-SC Force-Field Potential Parameter",
                                      " @ name  #  D(meV)   c   m   n   a(A)", qsc("Ag", 10, model().qsc_a),
                                      qsc("Cu", 28, model().qsc_b)}));
}

TEST_F(EnergyBlockTest, ChenImamuraModelsPrintTheNeutralBondLine) {
  set_bonds({{1, 5}, {7, 12}});
  const std::string chen_imamura = " @ Lo= " + R(1.5) + " ,Epsilon= " + R(1.0) + " ,ANGLE= " +
                                   R(1.8325941666666667) + " ,Exclusive diameter= " + R(0.75);
  model().potential_type = 7;
  EXPECT_EQ(block(), (std::vector<std::string>{" @ For Chen and Imamura Folding N",
                                               " @ The Neutral bond sets:(Start-end)",
                                               " @ ( " + I(1) + " " + I(5) + " )( " + I(7) + " " + I(12) + " )",
                                               chen_imamura}));
  model().potential_type = 8;
  const std::vector<std::string> lines = block();
  EXPECT_EQ(lines[0], " @ For Chen and Imamura Folding 3N");
  EXPECT_EQ(lines[2], " @ (" + std::string(11, ' ') + "1" + std::string(11, ' ') + "5 )(" +
                          std::string(11, ' ') + "7" + std::string(10, ' ') + "12 )");
  EXPECT_EQ(lines[3], " @ Lo=   1.5000000000000000      ,Epsilon=   1.0000000000000000      ,ANGLE=   "
                      "1.8325941666666667      ,Exclusive diameter=  0.75000000000000000     ");
}

TEST_F(EnergyBlockTest, NeutralBondLineWithNoSetsIsTheMarkAlone) {
  model().potential_type = 7;
  for (std::int32_t count : {0, -3}) {
    model().ch_count = count;
    EXPECT_EQ(block()[2], " @ ");
  }
  set_bonds({{0, 0}});
  EXPECT_EQ(block()[2], " @ ( " + I(0) + " " + I(0) + " )");
}

TEST_F(EnergyBlockTest, TenThousandNeutralBondsStayOnOneLine) {
  model().potential_type = 8;
  model().ch_count = kSetCapacity;
  model().make_room_for_neutral_bond_sets(kSetCapacity);
  for (std::size_t i = 0; i < static_cast<std::size_t>(kSetCapacity); ++i) {
    model().ch_st[i] = static_cast<std::int32_t>(i);
    model().ch_end[i] = static_cast<std::int32_t>(i + 1);
  }
  const std::vector<std::string> lines = block();
  ASSERT_EQ(lines.size(), 4u);
  // " @ " then "(" + 12 + 12 + " )" per set
  EXPECT_EQ(lines[2].size(), 3u + 10000u * 27u);
  std::string expected = " @ ";
  for (std::int32_t i = 0; i < kSetCapacity; ++i) expected += "( " + I(i) + " " + I(i + 1) + " )";
  EXPECT_EQ(first_difference(lines[2], expected), std::string::npos);
}

TEST_F(EnergyBlockTest, UniversalFoldingAndUnknownTypesPrintNothing) {
  set_residues({{"LBB", 4}});
  for (std::int32_t type : {6, 0, 10, -1}) {
    model().potential_type = type;
    EXPECT_TRUE(block().empty()) << "type " << type;
    EXPECT_EQ(line_after(report(), " @ Normal recording"), " @ Using numerical gradient");
  }
  config().backup_parents = 1;
  EXPECT_EQ(line_after(report(), " @ Start recover,recover ratio= " + R(1e-4)), " @ Using numerical gradient");
}

}  // namespace
}  // namespace cfg::testing

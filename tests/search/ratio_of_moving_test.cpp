// Main-menu option 6: the ratios of the genetic operators and of the step moves.
#include <gtest/gtest.h>

#include "search/search_session.h"

namespace cfg::testing {
namespace {

const Lines kMenu = {" 1.Input the ratio of the genetic operator", " 2.Input the ratio of the step moving",
                     " 3.Back to main menu"};
const Lines kGeneticOperators = {" Input the ratio of the genetic operator:",
                                 " Input the ratio of Inversion: (default=5)",
                                 " Input the ratio of Arithmetic: (default=1)",
                                 " Input the ratio of Geometic: (default=1)",
                                 " Input the ratio of Crossing: (default=5)",
                                 " Input the ratio of 2-Point: (default=5)",
                                 " Input the ratio of 3N Mutation: (default=0)",
                                 " Input the ratio of Moment op 1:(default=0)",
                                 " Input the ratio of Moment op 2:(default=0)",
                                 " Input the ratio of DIH move op 1:(default=0)"};
const Lines kEuler = {" 1.Use eularangle transformation", " 2.Do not use eularangle transformation(default)"};
const Lines kEulerFactor = {" Input the factor of the eularangle trans", " (Eular angle=Pei*factor*rnd number)",
                            " (default=0.5D0)"};
const Lines kStepChoice = {" Input the ratio of the step moving:", " 1.Use the same ratios for all MC runs(default)",
                           " 2.Use seperate ratio for each MC runs"};
const Lines kMovesBeforeScale = {" Input the ratio of 3N particles moving :(default=5)",
                                 " Input the ratio of 3N particles mutation :(default=0)",
                                 " Input the ratio of N dimension moving :(default=0)",
                                 " Input the ratio of 3N dihedral moving :(default=0)",
                                 " Input the ratio of RMS transition :(default=0)"};
const Lines kRmsScale = {" Input the RMS scale :(default=0.01D0)"};
const Lines kMovesAfterScale = {" Input the ratio of Inversion:(default=5)", " Input the ratio of Arithmetic:(default=1)",
                                " Input the ratio of Geometic:(default=1)", " Input the ratio of Crossing:(default=5)",
                                " Input the ratio of 2-Point Crossover:(default=5)"};

TEST(RatioOfMoving, AnyOtherMenuAnswerReturnsWithNothingMore) {
  for (const std::string choice : {"3", "0", "4", "-2"}) {
    SCOPED_TRACE(choice);
    ScratchConfig scratch;
    const ConfigRecord expected = config_on_disk(scratch);
    const SessionResult result = scratch.run("6\n" + choice + "\n\ny\n");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(dialogue_after_menu(result.out), kMenu);
    EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
  }
}

TEST(GeneticOperators, NineRatiosThenTheEulerQuestionWithoutFactor) {
  ScratchConfig scratch;
  ConfigRecord expected = config_on_disk(scratch);
  const SessionResult result = scratch.run("6\n1\n1\n2\n3\n4\n5\n6\n7\n8\n9\n2\n3\n\ny\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out), join({kMenu, kGeneticOperators, kEuler, kMenu}));
  expected.ga_inversion = 1;
  expected.ga_arithmetic = 2;
  expected.ga_geometric = 3;
  expected.ga_crossing = 4;
  expected.ga_two_point = 5;
  expected.ga_mutation_3n = 6;
  expected.ga_moment_op1 = 7;
  expected.ga_moment_op2 = 8;
  expected.ga_dih_move_op1 = 9;
  expected.gga_euler = 2;  // gga_euler_factor keeps 0.5
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
}

TEST(GeneticOperators, EulerAnswerOneAsksTheFactor) {
  ScratchConfig scratch;
  ConfigRecord expected = config_on_disk(scratch);
  const SessionResult result = scratch.run("6\n1\n-1\n0\n0\n0\n0\n0\n0\n0\n1e3\n1\n0.75\n3\n\ny\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out), join({kMenu, kGeneticOperators, kEuler, kEulerFactor, kMenu}));
  expected.ga_inversion = -1;
  expected.ga_arithmetic = 0;
  expected.ga_geometric = 0;
  expected.ga_crossing = 0;
  expected.ga_two_point = 0;
  expected.ga_dih_move_op1 = 1000;
  expected.gga_euler = 1;
  expected.gga_euler_factor = 0.75;
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
}

// Sets the eleven step-move ratios of one run.
void set_step_moves(ConfigRecord& c, int run, const double (&values)[11]) {
  c.move_3n[run] = values[0];
  c.mutation_3n[run] = values[1];
  c.move_ndim[run] = values[2];
  c.dihedral_3n[run] = values[3];
  c.rms_transition[run] = values[4];
  c.rms_scale[run] = values[5];
  c.inversion[run] = values[6];
  c.arithmetic[run] = values[7];
  c.geometric[run] = values[8];
  c.crossing[run] = values[9];
  c.two_point[run] = values[10];
}

TEST(StepMoving, SameForAllRunsCopiesRunOneWithItsUnaskedRmsScale) {
  ScratchConfig scratch;
  ConfigRecord expected = config_on_disk(scratch);
  expected.rms_scale[1] = 0.07;
  expected.rms_scale[2] = 0.02;
  expected.rms_scale[3] = 0.03;
  put_config(scratch, expected);
  const SessionResult result = scratch.run("6\n2\n1\n4\n1\n2\n3\n0\n6\n7\n8\n9\n10\n2\n3\n\ny\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out),
            join({kMenu, kStepChoice, {" Input the ratio for 1st MC run"}, kMovesBeforeScale, kMovesAfterScale,
                  kEuler, kMenu}));
  for (int run = 1; run <= 3; ++run) set_step_moves(expected, run, {4, 1, 2, 3, 0, 0.07, 6, 7, 8, 9, 10});
  expected.pga_euler = 2;
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
}

TEST(StepMoving, SeparateRunsAskTheRmsScaleOnlyForNonZeroTransitions) {
  ScratchConfig scratch;
  ConfigRecord expected = config_on_disk(scratch);
  expected.rms_scale[2] = 0.02;
  put_config(scratch, expected);
  const SessionResult result = scratch.run(
      "6\n2\n2\n"
      "1\n2\n3\n4\n0.3\n0.05\n5\n6\n7\n8\n9\n"
      "11\n12\n13\n14\n0\n15\n16\n17\n18\n19\n"
      "21\n22\n23\n24\n-1\n0.25\n25\n26\n27\n28\n29\n"
      "1\n0.6\n3\n\ny\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out),
            join({kMenu, kStepChoice, {" Input the ratio for 1st MC run"}, kMovesBeforeScale, kRmsScale,
                  kMovesAfterScale, {" Input the ratio for 2nd MC run"}, kMovesBeforeScale, kMovesAfterScale,
                  {" Input the ratio for 3rd MC run.(Final run)"}, kMovesBeforeScale, kRmsScale, kMovesAfterScale,
                  kEuler, kEulerFactor, kMenu}));
  set_step_moves(expected, 1, {1, 2, 3, 4, 0.3, 0.05, 5, 6, 7, 8, 9});
  set_step_moves(expected, 2, {11, 12, 13, 14, 0, 0.02, 15, 16, 17, 18, 19});
  set_step_moves(expected, 3, {21, 22, 23, 24, -1, 0.25, 25, 26, 27, 28, 29});
  expected.pga_euler = 1;
  expected.pga_euler_factor = 0.6;
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
}

TEST(StepMoving, WrongSameOrSeparateAnswerAsksEverythingAgainAfterRunOne) {
  ScratchConfig scratch;
  ConfigRecord expected = config_on_disk(scratch);
  const SessionResult result = scratch.run(
      "6\n2\n5\n"
      "1\n2\n3\n4\n0\n5\n6\n7\n8\n9\n"
      "1\n"
      "31\n32\n33\n34\n0\n35\n36\n37\n38\n39\n"
      "7\n3\n\ny\n");
  ASSERT_EQ(result.status, 0) << result.err;
  const Lines run_one = join({{" Input the ratio for 1st MC run"}, kMovesBeforeScale, kMovesAfterScale});
  EXPECT_EQ(dialogue_after_menu(result.out),
            join({kMenu, kStepChoice, run_one, kInputError, kStepChoice, run_one, kEuler, kMenu}));
  for (int run = 1; run <= 3; ++run) set_step_moves(expected, run, {31, 32, 33, 34, 0, 0.01, 35, 36, 37, 38, 39});
  expected.pga_euler = 7;  // stored as typed, no factor question
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
}

}  // namespace
}  // namespace cfg::testing

// Option 7's first question: the initial condition and the choice of model.
#include <cmath>

#include "energy/energy_session.h"

namespace cfg::testing {
namespace {

const std::vector<std::string> kFirstQuestion = {" Which one do you want to change ? :",
                                                 " 1.Change the Initial condition :",
                                                 " 2.Change the parameter of energy :"};
const std::vector<std::string> kCloseQuestion = {" Do you want to use the close_pack radius? (y/n)",
                                                 " (default='y',)"};
const std::vector<std::string> kModelList = {"  1.Many-body potential",
                                             "  2.Alloys with many-body potential",
                                             "  3.Protein-folding:Beta folding",
                                             "  4.Protein-folding:Alpha folding",
                                             "  5.EAM Potential  ",
                                             "  6.Universal protein folding",
                                             "  7.Chen and Imamura's protein folding(N)",
                                             "  8.Chen and Imamura's protein folding(3N)",
                                             "  9.Q-SC Force-Field potential)"};

TEST(InitialCondition, TypedWidthGrowsWithTheCubeRootOfTheParticleCount) {
  ScratchConfig scratch;
  scratch.write("atom_num.dat", "8 0\n");
  const SessionResult result = run_option_7(scratch, "1\nn\n2.5");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(has_block(result.out, kFirstQuestion));
  std::vector<std::string> dialogue = kCloseQuestion;
  dialogue.push_back(" Input the initial width of box:(default=5.5D)");
  dialogue.push_back(" This value will change with particle number!");
  dialogue.push_back(kMainMenuFirstLine);
  EXPECT_TRUE(has_block(result.out, dialogue));
  const ConfigRecord config = saved_config(scratch);
  EXPECT_EQ(config.box_width, 5.0);
  EXPECT_EQ(config.close_pack, 0);
}

TEST(InitialCondition, TheExponentIsARealSo64ParticlesGiveAFactorBelowFour) {
  ScratchConfig scratch;
  scratch.write("atom_num.dat", "64 0\n");
  ASSERT_EQ(run_option_7(scratch, "1\nn\n1.0").status, 0);
  EXPECT_EQ(saved_config(scratch).box_width, std::nextafter(4.0, 0.0));
}

TEST(InitialCondition, NullWidthCountsAsZero) {
  ScratchConfig scratch;
  ASSERT_EQ(run_option_7(scratch, "1\nn\n/").status, 0);
  EXPECT_EQ(saved_config(scratch).box_width, 0.0);
  EXPECT_EQ(saved_config(scratch).close_pack, 0);
}

TEST(InitialCondition, YesSetsClosePackAndLeavesBoxWidth) {
  ScratchConfig scratch;
  // Not the LBFGS method and close_pack 0, so the save itself keeps box_width.
  scratch.write("data.dat", data_with_record(scratch, 1, "10.3 1.0D-12 10.3 1.0 1.0D-8 1.0D-8 2 0"));
  scratch.write("data.dat", data_with_record(scratch, 2, "20 2 5.0 1.0 1.0 5.0 5.0 0.0 0.0 0.0 0.0 15 21 500"));
  // Upper case is no answer: the question comes again.
  const SessionResult result = run_option_7(scratch, "1\nY\ny");
  ASSERT_EQ(result.status, 0) << result.err;
  std::vector<std::string> dialogue = kCloseQuestion;
  dialogue.insert(dialogue.end(), kInputError.begin(), kInputError.end());
  dialogue.insert(dialogue.end(), kCloseQuestion.begin(), kCloseQuestion.end());
  dialogue.push_back(kMainMenuFirstLine);
  EXPECT_TRUE(has_block(result.out, dialogue));
  const ConfigRecord config = saved_config(scratch);
  EXPECT_EQ(config.close_pack, 1);
  EXPECT_EQ(config.box_width, 10.3);
}

TEST(InitialCondition, AnyOtherFirstChoiceGoesBackToTheMainMenu) {
  for (const char* choice : {"3", "/", "0"}) {
    SCOPED_TRACE(choice);
    ScratchConfig scratch;
    const SessionResult result = run_option_7(scratch, choice);
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(line_after(result.out, " Please make a selection again!"), kMainMenuFirstLine);
    EXPECT_FALSE(has_line(result.out, kModelList[0]));
  }
}

TEST(ModelChoice, NumbersOutsideOneToNineShowTheListAgain) {
  ScratchConfig scratch;
  const SessionResult result = run_option_7(scratch, "2\n0\n10\n3\n1\nB\n38");
  ASSERT_EQ(result.status, 0) << result.err;
  std::vector<std::string> after_first = kFirstQuestion;
  after_first.insert(after_first.end(), kModelList.begin(), kModelList.end());
  after_first.insert(after_first.end(), kInputError.begin(), kInputError.end());
  EXPECT_TRUE(has_block(result.out, after_first));
  EXPECT_EQ(count_lines_equal(result.out, kModelList[8]), 3);
  EXPECT_EQ(count_lines_equal(result.out, kInputError[1]), 2);
  EXPECT_TRUE(has_block(result.out, {kModelList[8], " 1.Edit residues"}));
  std::int32_t potential_type = 0, center_of_mass = 0;
  read_record(scratch, "type.dat", potential_type, center_of_mass);
  EXPECT_EQ(potential_type, 3);
  EXPECT_EQ(center_of_mass, 2);
}

TEST(ModelChoice, NullAnswerKeepsTheCurrentType) {
  ScratchConfig scratch;  // type 1
  const SessionResult result = run_option_7(scratch, "2\n/\ngo\nNa");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(count_lines_equal(result.out, kModelList[0]), 1);
  EXPECT_FALSE(has_line(result.out, kInputError[1]));
  EXPECT_EQ(line_after(result.out, kModelList[8]), " @      e0       c0      p    q    r0");
}

TEST(ModelChoice, ChenImamuraFormFollowsTypesSevenAndEightOnly) {
  ScratchConfig scratch;
  ASSERT_EQ(saved_config(scratch).ci_n_form, 0);
  struct Step {
    const char* answers;
    std::int32_t ci_n_form;
  };
  const Step steps[] = {
      {"2\n7\n1\n0", 1},     // (N) form
      {"2\n5\n38\n2", 1},    // EAM leaves it
      {"2\n9\n38\n2", 1},    // Q-SC leaves it
      {"2\n8\n1\n0", 0},     // (3N) form
      {"2\n9\n38\n2", 0},
      {"2\n7\n1\n0", 1},
      {"2\n1\ngo\nNa", 0},   // many-body clears it
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.answers);
    ASSERT_EQ(run_option_7(scratch, step.answers).status, 0);
    EXPECT_EQ(saved_config(scratch).ci_n_form, step.ci_n_form);
  }
}

TEST(ModelChoice, EndOfKeyboardInputIsFatalAndWritesNothing) {
  ScratchConfig scratch;
  const std::string type_before = scratch.read("type.dat");
  const SessionResult result = scratch.run("7\n2\n");
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("keyboard"), std::string::npos);
  EXPECT_EQ(scratch.read("type.dat"), type_before);
}

}  // namespace
}  // namespace cfg::testing

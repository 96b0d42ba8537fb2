// Main-menu option 4, the accuracy menu and its local-minimum questions under
// each minimization method.
#include <gtest/gtest.h>

#include "search/search_session.h"

namespace cfg::testing {
namespace {

const Lines kSort = {" Input energy sort accuracy: (default=1.D-12)"};
const Lines kFunc = {" Input func accuracy: (default=500.D0)", " Input func fit parameter: (default=1.D0)"};
const Lines kGradient = {" Do you want to:", " 1.Use analytic gradient", " 2.Use numerical gradient",
                         " (If the analytic gradient is not available", " please choose 2)"};
const Lines kNumericalGradient = {" Input dX in grad: (default=7.D-5)",
                                  " Input the reduced factor in grad:(default=1.D0)"};
const Lines kSimplex = {" Input tolerance of simplex (default=1.D-08)", " for simplex method",
                        " Input func accuracy: (default=500)"};
const Lines kConjugate = {" Input the tolerance of Conjugate(default=1.D-08)", " for conjugate gradient"};
const Lines kLbfgs = {" Input the tolerance of LBFGS(GTOL,default=0.9D0)", " This number should between 0.1 and 0.9",
                      " Input the MCSRCH update(default=4)", " Input DGUESS in LBFGS(default=0.1D0)"};
const Lines kConvergence = {" 1.To use RMS force for sloppy convergence criterion",
                            " 2.Input sloppy convergence criterion", " 3.Use variate convergence criterion",
                            " (default=1)"};
const Lines kVariableConvergence = {" Please input the range of the Convergence", " From:(default=0.1D0)",
                                    " To:(default=0.00001D0)", " Input the variation rate(defaults=1.D0)"};
const Lines kRandom = {" 1.To use Gaussian Random Generator", " 2.To use normal Random Generator(default)"};
const Lines kTakeStep = {" Would you like to take step?", " 1.Take step!!", " 2.Don't take step!!(default)"};
const Lines kStepSizes = {" Input the takestep parameter:", " Input astep(default=0.4D0)",
                          " Input step(default=0.36D0)"};
const Lines kReset = {" Would you like to reset to seeding number?", " 1.Reset to seeding number!!",
                      " 2.Don't reset to seeding number!!(default)"};

// The example configuration with another minimization method written to disk.
ConfigRecord start_with_method(const ScratchConfig& scratch, std::int32_t min_method) {
  ConfigRecord config = config_on_disk(scratch);
  config.min_method = min_method;
  put_config(scratch, config);
  return config;
}

TEST(AccuracyMenu, AnyOtherChoiceReturnsWithoutAMessage) {
  for (const std::string choice : {"7", "4", "0", "/", "-1"}) {
    SCOPED_TRACE(choice);
    ScratchConfig scratch;
    const ConfigRecord expected = config_on_disk(scratch);
    const SessionResult result = scratch.run("4\n" + choice + "\n\ny\n");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(dialogue_after_menu(result.out), kAccuracyMenu);
    EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
  }
}

TEST(LocalMinimum, SimplexAsksSortToleranceAndFuncAccuracy) {
  ScratchConfig scratch;
  ConfigRecord expected = start_with_method(scratch, 1);
  const SessionResult result = scratch.run("4\n1\n1e-11\n2e-8\n450\n4\n\ny\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out), join({kAccuracyMenu, kSort, kSimplex, kAccuracyMenu}));
  expected.sort_accuracy = 1e-11;
  expected.simplex_tol = 2e-8;
  expected.func_bc = 450;
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
}

TEST(LocalMinimum, ConjugateGradientRepeatsOnlyTheGradientBlockOnAWrongAnswer) {
  ScratchConfig scratch;
  ConfigRecord expected = start_with_method(scratch, 2);
  const SessionResult result = scratch.run("4\n1\n1e-11\n400\n2\n3\n2\n1e-4\n0.5\n3e-8\n4\n\ny\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out), join({kAccuracyMenu, kSort, kFunc, kGradient, kInputError, kGradient,
                                                   kNumericalGradient, kConjugate, kAccuracyMenu}));
  expected.sort_accuracy = 1e-11;
  expected.func_bc = 400;
  expected.func_fit = 2;
  expected.gradient_kind = 2;
  expected.grad_dx = 1e-4;
  expected.dfunc_bc = 0.5;
  expected.cg_tol = 3e-8;
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
}

TEST(LocalMinimum, CombinedMethodsAskFuncAccuracyTwiceAndKeepTheSecond) {
  for (const std::int32_t method : {3, 4}) {
    SCOPED_TRACE(method);
    ScratchConfig scratch;
    ConfigRecord expected = start_with_method(scratch, method);
    const SessionResult result = scratch.run("4\n1\n1e-11\n400\n1.5\n1\n2e-8\n300\n3e-8\n4\n\ny\n");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(dialogue_after_menu(result.out),
              join({kAccuracyMenu, kSort, kFunc, kGradient, kSimplex, kConjugate, kAccuracyMenu}));
    expected.sort_accuracy = 1e-11;
    expected.func_fit = 1.5;
    expected.gradient_kind = 1;
    expected.simplex_tol = 2e-8;
    expected.func_bc = 300;
    expected.cg_tol = 3e-8;
    EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
  }
}

TEST(LocalMinimum, StoredUnknownMethodAsksSortGradientSimplexConjugate) {
  ScratchConfig scratch;
  ConfigRecord expected = start_with_method(scratch, 0);
  const SessionResult result = scratch.run("4\n1\n1e-11\n1\n2e-8\n300\n3e-8\n4\n\ny\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out),
            join({kAccuracyMenu, kSort, kGradient, kSimplex, kConjugate, kAccuracyMenu}));
  expected.sort_accuracy = 1e-11;
  expected.gradient_kind = 1;
  expected.simplex_tol = 2e-8;
  expected.func_bc = 300;
  expected.cg_tol = 3e-8;
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
}

TEST(LocalMinimum, LbfgsWithoutSeedingSetsResetSeedWithoutAsking) {
  ScratchConfig scratch;  // LBFGS, seed 0
  ConfigRecord expected = config_on_disk(scratch);
  expected.reset_seed = 1;
  put_config(scratch, expected);
  const SessionResult result =
      scratch.run("4\n1\n1e-11\n1\n1.5\n5\n0.2\n4\n3\n0.2\n1e-6\n2\n1\n0\n1\n0.5\n0.3\n4\n\ny\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out),
            join({kAccuracyMenu, kSort, kGradient, kLbfgs, kConvergence, kInputError, kConvergence,
                  kVariableConvergence, kRandom, kTakeStep, kInputError, kTakeStep, kStepSizes, kAccuracyMenu}));
  expected.sort_accuracy = 1e-11;
  expected.gradient_kind = 1;
  expected.gtol = 1.5;  // outside the range the prompt names, stored all the same
  expected.mcsrch_update = 5;
  expected.dguess = 0.2;
  expected.convergence_mode = 3;
  expected.conv_from = 0.2;
  expected.conv_to = 1e-6;
  expected.variation_rate = 2;
  expected.random_kind = 1;
  expected.take_step = 1;
  expected.astep = 0.5;
  expected.step = 0.3;
  expected.reset_seed = 2;
  // sloppy_criterion keeps 0.001 under the variable criterion
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
}

TEST(LocalMinimum, LbfgsWithSeedingAsksTheResetUntilOneOrTwo) {
  ScratchConfig scratch;
  scratch.write("atom_num.dat", " 38 5\n");
  ConfigRecord expected = config_on_disk(scratch);
  const SessionResult result = scratch.run("4\n1\n1e-11\n1\n0.5\n4\n0.1\n2\n0.002\n7\n2\n3\n1\n4\n\ny\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out),
            join({kAccuracyMenu, kSort, kGradient, kLbfgs, kConvergence,
                  {" Input sloppy convergence criterion(default=0.001D0)"}, kRandom, kTakeStep, kReset,
                  kInputError, kReset, kAccuracyMenu}));
  expected.sort_accuracy = 1e-11;
  expected.gradient_kind = 1;
  expected.gtol = 0.5;
  expected.convergence_mode = 2;
  expected.sloppy_criterion = 0.002;
  expected.random_kind = 7;  // any generator code is stored
  expected.take_step = 2;
  expected.reset_seed = 1;
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
  EXPECT_EQ(pair_on_disk(scratch, "atom_num.dat").second, 37);
}

TEST(LocalMinimum, RmsForceCriterionLeavesTheVariableCriterionAlone) {
  ScratchConfig scratch;
  ConfigRecord expected = config_on_disk(scratch);
  const SessionResult result = scratch.run("4\n1\n1e-12\n1\n0.9\n4\n0.1\n1\n0.003\n2\n2\n4\n\ny\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out),
            join({kAccuracyMenu, kSort, kGradient, kLbfgs, kConvergence,
                  {" Input threshold convergence criterion(default=0.001D0)"}, kRandom, kTakeStep, kAccuracyMenu}));
  expected.sloppy_criterion = 0.003;
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
}

TEST(LocalMinimum, QuestionsFollowAMethodChangedInTheSameRun) {
  ScratchConfig scratch;  // LBFGS on disk
  ConfigRecord expected = config_on_disk(scratch);
  const SessionResult result = scratch.run("2\n1\n2\n4\n1\n1e-11\n2e-8\n450\n4\n\ny\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out, 1), join({kAccuracyMenu, kSort, kSimplex, kAccuracyMenu}));
  expected.min_method = 1;
  expected.sort_accuracy = 1e-11;
  expected.simplex_tol = 2e-8;
  expected.func_bc = 450;
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
}

TEST(LocalMinimum, EndOfKeyboardMidDialogueIsFatalAndWritesNothing) {
  ScratchConfig scratch;
  const std::string data_before = scratch.read("data.dat");
  const std::string atoms_before = scratch.read("atom_num.dat");
  const SessionResult result = scratch.run("4\n1\n1e-11\n");
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("keyboard"), std::string::npos);
  EXPECT_EQ(scratch.read("data.dat"), data_before);
  EXPECT_EQ(scratch.read("atom_num.dat"), atoms_before);
}

}  // namespace
}  // namespace cfg::testing

// The Monte Carlo menu (accuracy-menu item 2) and the guided function (item 3).
#include <gtest/gtest.h>

#include <cmath>

#include "search/search_session.h"

namespace cfg::testing {
namespace {

const Lines kMonteCarloMenu = {" 1.Change Basin-Hopping or PGA step numbers", " 2.Change Multicanonical BH parameters",
                               " 3.Change Random move parameters", " 4.Change Acceptance Ratio parameters",
                               " 5.Back to previous selection"};
const Lines kFirstRunMenu = {" For Multi-canonical Monte Carlo,MC must>1",
                             " 1st MC RUN:",
                             " 1.Use Multi-canonical Basin-Hopping",
                             " 2.Use Canonical Basin-Hopping(default)",
                             " 3.USE Parallel GA",
                             " 4.USE Multi-canonical Annealing"};
const Lines kRunMethods = {" 1.Use Multi-canonical Basin-Hopping", " 2.Use Canonical Basin-Hopping(default)",
                           " 3.Use Parallel GA"};
const Lines kSecondRunMenu = join({{" 2nd MC RUN:"}, kRunMethods});
const Lines kThirdRunMenu = join({{" 3rd MC RUN:"}, kRunMethods});
const Lines kRangeHeading = {" THE RANGE OF INTEGRAL OF THE ENERGY:"};
const Lines kRangeMenu = {" 0.INPUT ENERGY HISTOGRAM RANGE", " 1.USING AUTO MMC ENERGY RANGE(Half)",
                          " 2.USING SIMULATE ANNEALING ENERGY RANGE", " 3.USING PRE-MC TO GET THE ENERGY RANGE",
                          " (default=1)"};

// A session that opens the Monte Carlo menu, answers `answers`, leaves both
// menus and saves.
std::string monte_carlo_session(const std::string& answers) { return "4\n2\n" + answers + "5\n4\n\ny\n"; }

TEST(MonteCarloRuns, AnnealingFixesTheSecondRunAndItsEnergyRange) {
  ScratchConfig scratch;
  ConfigRecord expected = config_on_disk(scratch);
  expected.emax = 3.0;
  expected.emin = -3.0;
  expected.mmc_max[1] = 9;
  put_config(scratch, expected);
  const SessionResult result = scratch.run(monte_carlo_session("1\n4\n6000\n40\n25\n2\n700\n"));
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out),
            join({kAccuracyMenu, kMonteCarloMenu, kFirstRunMenu,
                  {" Monte Carlo step number for 1st Run:(default=5000)", " 2nd MC RUN:",
                   " Monte Carlo step number for 2nd Run:(default=50)",
                   " Multi-Canonical MC number for 2nd Run:(default=30)"},
                  kThirdRunMenu, {" Monte Carlo step number for 3rd Run:(default=5000)"}, kRangeHeading,
                  kMonteCarloMenu, kAccuracyMenu}));
  expected.run_method[1] = 4;
  expected.run_method[2] = 5;
  expected.run_method[3] = 2;
  expected.mc_steps[1] = 6000;
  expected.mc_steps[2] = 40;
  expected.mc_steps[3] = 700;
  expected.mmc_max[1] = 1;
  expected.mmc_max[2] = 25;
  expected.mmc_max[3] = 1;
  expected.emax = 0.0;
  expected.emin = 0.0;
  expected.energy_range_mode = 2;
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
}

TEST(MonteCarloRuns, AnnealingThenMulticanonicalThirdRunAsksTheEnergyRange) {
  ScratchConfig scratch;
  ConfigRecord expected = config_on_disk(scratch);
  const SessionResult result = scratch.run(monte_carlo_session("1\n4\n6000\n40\n25\n1\n100\n30\n2\n1.5\n4.5\n"));
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out),
            join({kAccuracyMenu, kMonteCarloMenu, kFirstRunMenu,
                  {" Monte Carlo step number for 1st Run:(default=5000)", " 2nd MC RUN:",
                   " Monte Carlo step number for 2nd Run:(default=50)",
                   " Multi-Canonical MC number for 2nd Run:(default=30)"},
                  kThirdRunMenu,
                  {" Monte Carlo step number for 3rd Run:(default=100)",
                   " Multi-Canonical MC number for 3rd Run:(default=30)"},
                  kRangeHeading, kRangeMenu,
                  {" Input the width of the energy histogram", " From (default=2.D0)", " To (default=5.D0)"},
                  kMonteCarloMenu, kAccuracyMenu}));
  expected.run_method[1] = 4;
  expected.run_method[2] = 5;
  expected.run_method[3] = 1;
  expected.mc_steps[1] = 6000;
  expected.mc_steps[2] = 40;
  expected.mc_steps[3] = 100;
  expected.mmc_max[1] = 1;
  expected.mmc_max[2] = 25;
  expected.mmc_max[3] = 30;
  expected.energy_range_mode = 2;
  expected.tde_from = 1.5;
  expected.tde_to = 4.5;
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
}

TEST(MonteCarloRuns, CanonicalRunsSkipTheEnergyRangeAndResetItsMode) {
  ScratchConfig scratch;
  ConfigRecord expected = config_on_disk(scratch);
  expected.energy_range_mode = 3;
  expected.mmc_max[2] = 8;
  put_config(scratch, expected);
  const SessionResult result = scratch.run(monte_carlo_session("1\n2\n100\n2\n200\n2\n300\n"));
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out),
            join({kAccuracyMenu, kMonteCarloMenu, kFirstRunMenu,
                  {" Monte Carlo step number for 1st Run:(default=5000)"}, kSecondRunMenu,
                  {" Monte Carlo step number for 2nd Run:(default=500)"}, kThirdRunMenu,
                  {" Monte Carlo step number for 3rd Run:(default=5000)"}, kRangeHeading, kMonteCarloMenu,
                  kAccuracyMenu}));
  expected.mc_steps[1] = 100;
  expected.mc_steps[2] = 200;
  expected.mc_steps[3] = 300;
  expected.mmc_max[2] = 1;
  expected.energy_range_mode = 0;
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
}

TEST(MonteCarloRuns, ParallelGaSecondRunGetsTwoRecursionsAndAWrongThirdRunRepeats) {
  ScratchConfig scratch;
  ConfigRecord expected = config_on_disk(scratch);
  const SessionResult result = scratch.run(monte_carlo_session("1\n1\n150\n40\n3\n600\n4\n3\n700\n7\n"));
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out),
            join({kAccuracyMenu, kMonteCarloMenu, kFirstRunMenu,
                  {" Monte Carlo step number for 1st Run:(default=100)",
                   " Multi-Canonical MC number for 1st Run:(default=30)"},
                  kSecondRunMenu, {" Parallel GA generation number for 2nd Run(default=500)"}, kThirdRunMenu,
                  kInputError, kThirdRunMenu, {" Parallel GA generation number for 3rd Run(default=500)"},
                  kRangeHeading, kRangeMenu, kMonteCarloMenu, kAccuracyMenu}));
  expected.run_method[1] = 1;
  expected.run_method[2] = 3;
  expected.run_method[3] = 3;
  expected.mc_steps[1] = 150;
  expected.mc_steps[2] = 600;
  expected.mc_steps[3] = 700;
  expected.mmc_max[1] = 40;
  expected.mmc_max[2] = 2;
  expected.mmc_max[3] = 1;
  expected.energy_range_mode = 7;  // an unlisted mode is stored without a message
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
}

TEST(MonteCarloRuns, SecondRunAnsweredFiveAsksNothingMoreAndWrongRunsRepeatAlone) {
  ScratchConfig scratch;
  ConfigRecord expected = config_on_disk(scratch);
  expected.mc_steps[2] = 1234;
  expected.mmc_max[2] = 7;
  put_config(scratch, expected);
  const SessionResult result = scratch.run(monte_carlo_session("1\n0\n3\n800\n6\n5\n2\n900\n"));
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out),
            join({kAccuracyMenu, kMonteCarloMenu, kFirstRunMenu, kInputError, kFirstRunMenu,
                  {" Parallel GA generation number for 1st Run(default=500)"}, kSecondRunMenu, kInputError,
                  kSecondRunMenu, kThirdRunMenu, {" Monte Carlo step number for 3rd Run:(default=5000)"},
                  kRangeHeading, kMonteCarloMenu, kAccuracyMenu}));
  expected.run_method[1] = 3;
  expected.run_method[2] = 5;
  expected.mc_steps[1] = 800;
  expected.mmc_max[1] = 1;
  expected.mc_steps[3] = 900;
  expected.mmc_max[3] = 1;
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
}

TEST(MonteCarloRuns, EnergyRangeModesAskTheirOwnQuestions) {
  struct Case {
    std::string answers;
    Lines lines;
    void (*expect)(ConfigRecord&);
  };
  const Case cases[] = {
      {"0\n-10.5\n-20.25\n",
       {" UPPER ENERGY(EMAX):(default=?)", " LOWWER ENERGY(EMIN):(default=?)"},
       [](ConfigRecord& c) {
         c.energy_range_mode = 0;
         c.emax = -10.5;
         c.emin = -20.25;
       }},
      {"1\n1.5\n4.5\n",
       {" Input the width of the energy histogram", " From (default=2.D0)", " To (default=5.D0)"},
       [](ConfigRecord& c) {
         c.energy_range_mode = 1;
         c.tde_from = 1.5;
         c.tde_to = 4.5;
       }},
      {"2\n2.5\n6\n",
       {" Input the width of the energy histogram", " From (default=2.D0)", " To (default=5.D0)"},
       [](ConfigRecord& c) {
         c.energy_range_mode = 2;
         c.tde_from = 2.5;
         c.tde_to = 6;
       }},
      {"3\n7000\n",
       {" This will do a BH to get the energy range", " for energy historgram",
        " Current temperature range =" + num(0.08) + "  to " + num(0.8),
        " Please input the number of steps(default=5000)"},
       [](ConfigRecord& c) {
         c.energy_range_mode = 3;
         c.pre_bh_steps = 7000;
       }},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.answers);
    ScratchConfig scratch;
    ConfigRecord expected = config_on_disk(scratch);
    const SessionResult result = scratch.run(monte_carlo_session("1\n2\n100\n2\n200\n1\n100\n30\n" + test.answers));
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(dialogue_after_menu(result.out),
              join({kAccuracyMenu, kMonteCarloMenu, kFirstRunMenu,
                    {" Monte Carlo step number for 1st Run:(default=5000)"}, kSecondRunMenu,
                    {" Monte Carlo step number for 2nd Run:(default=500)"}, kThirdRunMenu,
                    {" Monte Carlo step number for 3rd Run:(default=100)",
                     " Multi-Canonical MC number for 3rd Run:(default=30)"},
                    kRangeHeading, kRangeMenu, test.lines, kMonteCarloMenu, kAccuracyMenu}));
    expected.mc_steps[1] = 100;
    expected.mc_steps[2] = 200;
    expected.run_method[3] = 1;
    expected.mc_steps[3] = 100;
    expected.mmc_max[3] = 30;
    test.expect(expected);
    EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
  }
}

const Lines kBergWeighting = {" Please Input parameters:", " 1.Using Berg weighting for MBH parameters",
                              " 2.Do not use Berg weighting", " (default=1)",
                              " # of Multicanonical BH BINS:(default=100)"};
const Lines kTemperatures = {"  Input initial temperature from:(default=0.08D0)", "  To :(default=0.8D0)"};
const Lines kRangeUse = {" Please select what this range use for?(default=1)",
                         " 1.Use the temperature range for all ensembles",
                         " 2.Use the temperature range for the children"};
const Lines kQuenching = {"  Input the quenching rate:(default=1.D0)"};

Lines tempfd_lines(double temp_to) {
  return {" INITIAL TEMPFD:(default=BETA0=1/(" + num(temp_to) + " -         TEMPFD))",
          " (default TEMPFD=" + num(temp_to - 1000.0) + " D0)"};
}

TEST(MulticanonicalParameters, TempfdNotBelowTheLowerTemperatureAsksTheTemperaturesAgain) {
  ScratchConfig scratch;
  ConfigRecord expected = config_on_disk(scratch);
  expected.run_method[2] = 1;
  put_config(scratch, expected);
  const SessionResult result =
      scratch.run(monte_carlo_session("2\n2\n150\n0.08\n0.8\n1\n1.0\n0.08\n0.1\n0.9\n2\n0.95\n-999.2\n"));
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out),
            join({kAccuracyMenu, kMonteCarloMenu, {" You are using Multi-Canonical Basin-Hopping!"}, kBergWeighting,
                  kTemperatures, kRangeUse, kQuenching, tempfd_lines(0.8), {" BETA0=" + num(1.0 / (0.8 - 0.08))},
                  {"  ATTATION!!", "  Your current max temperature is " + num(0.8), "  TEMPFD=" + num(0.08),
                   "  It is out of range!", "  Please select again!"},
                  kTemperatures, kRangeUse, kQuenching, tempfd_lines(0.9),
                  {" BETA0=" + num(1.0 / (0.9 - -999.2))}, kMonteCarloMenu, kAccuracyMenu}));
  expected.berg_weighting = 2;
  expected.mbh_bins = 150;
  expected.temp_from = 0.1;
  expected.temp_to = 0.9;
  expected.temp_range_use = 2;
  expected.quench_rate = 0.95;
  expected.tempfd = -999.2;
  expected.beta0 = 1.0 / (0.9 - -999.2);
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
}

TEST(MulticanonicalParameters, RangeUseTakesOnlyOneOrTwo) {
  ScratchConfig scratch;
  ConfigRecord expected = config_on_disk(scratch);
  expected.run_method[1] = 4;
  expected.run_method[2] = 5;
  put_config(scratch, expected);
  const SessionResult result = scratch.run(monte_carlo_session("2\n1\n100\n0.08\n0.8\n3\n0\n2\n1.0\n-5\n"));
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out),
            join({kAccuracyMenu, kMonteCarloMenu,
                  {" You are using Multi-Canonical Basin-Hopping!", " Using MMC Annealing!"}, kBergWeighting,
                  kTemperatures, kRangeUse, kInputError, kRangeUse, kInputError, kRangeUse, kQuenching,
                  tempfd_lines(0.8), {" BETA0=" + num(1.0 / (0.8 - -5.0))}, kMonteCarloMenu, kAccuracyMenu}));
  expected.temp_range_use = 2;
  expected.tempfd = -5;
  expected.beta0 = 1.0 / (0.8 - -5.0);
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
}

TEST(MulticanonicalParameters, TempfdAtTheUpperTemperatureGivesAnInfiniteBeta0) {
  ScratchConfig scratch;
  ConfigRecord expected = config_on_disk(scratch);
  expected.run_method[3] = 1;
  put_config(scratch, expected);
  const SessionResult result =
      scratch.run(monte_carlo_session("2\n1\n100\n0.08\n0.8\n1\n1.0\n0.8\n0.08\n0.8\n1\n1.0\n-1\n"));
  ASSERT_EQ(result.status, 0) << result.err;
  const Lines lines = dialogue_after_menu(result.out);
  const Lines infinite = {" BETA0=" + num(HUGE_VAL)};
  EXPECT_EQ(lines, join({kAccuracyMenu, kMonteCarloMenu, {" You are using Multi-Canonical Basin-Hopping!"},
                         kBergWeighting, kTemperatures, kRangeUse, kQuenching, tempfd_lines(0.8), infinite,
                         {"  ATTATION!!", "  Your current max temperature is " + num(0.8), "  TEMPFD=" + num(0.8),
                          "  It is out of range!", "  Please select again!"},
                         kTemperatures, kRangeUse, kQuenching, tempfd_lines(0.8), {" BETA0=" + num(1.0 / 1.8)},
                         kMonteCarloMenu, kAccuracyMenu}));
  expected.tempfd = -1;
  expected.beta0 = 1.0 / 1.8;
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
}

TEST(MulticanonicalParameters, SingleCanonicalAsksOnlyTemperaturesAndQuenching) {
  ScratchConfig scratch;  // runs 2, 2, 2
  ConfigRecord expected = config_on_disk(scratch);
  const SessionResult result = scratch.run(monte_carlo_session("2\n0.05\n0.5\n2\n0.9\n"));
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out),
            join({kAccuracyMenu, kMonteCarloMenu, {" You are using Single-Canonical Basin-Hopping!"}, kTemperatures,
                  kRangeUse, kQuenching, kMonteCarloMenu, kAccuracyMenu}));
  expected.temp_from = 0.05;
  expected.temp_to = 0.5;
  expected.temp_range_use = 2;
  expected.quench_rate = 0.9;
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));  // tempfd and beta0 unchanged
}

TEST(RandomMoveLimits, ProposesHalfTheRootOfTheFuncAccuracyForTheStepLimit) {
  ScratchConfig scratch;
  ConfigRecord expected = config_on_disk(scratch);
  expected.min_method = 2;
  expected.func_bc = 400;
  put_config(scratch, expected);
  const SessionResult result = scratch.run(monte_carlo_session("3\n0.5\n1e-3\n0.9\n0.3\n1e-3\n9\n1e-3\n50\n1.01\n"));
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out),
            join({kAccuracyMenu, kMonteCarloMenu,
                  {" VT>'ASTEP'*Vmin,ASTEP= (default=0.4D0)", " The lower limit of ASTEP (default=1.D-4)",
                   " The upper limit of ASTEP (default<=1.D0)", " The maximum change of any moving(default=0.36D0)",
                   " The lower limit of STEP (default=1.D-4)",
                   " The upper limit of STEP (default=" + num(10.0) + " )",
                   " The temperature are now=" + num(0.08) + "  to " + num(0.8),
                   " The lower limit of TEMP (default=1.D-4)", " The upper limit of TEMP (default=100.D0)",
                   " Input the adjustment of the Step,Astep and TEMP", " (default=1.005D0)"},
                  kMonteCarloMenu, kAccuracyMenu}));
  expected.astep = 0.5;
  expected.astep_min = 1e-3;
  expected.astep_max = 0.9;
  expected.step = 0.3;
  expected.step_min = 1e-3;
  expected.step_max = 9;
  expected.temp_min = 1e-3;
  expected.temp_max = 50;
  expected.accept_check_adjust = 1.01;
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
}

TEST(AcceptanceControl, FixBothOnlyWhenTemperatureAndStepsAreBothFixed) {
  struct Case {
    std::int32_t fix_temperature, fix_steps, fix_both_before, fix_both;
  };
  for (const Case test : {Case{1, 2, 1, 2}, Case{1, 1, 2, 1}, Case{2, 1, 1, 2}, Case{3, 1, 1, 2}}) {
    SCOPED_TRACE(test.fix_temperature * 10 + test.fix_steps);
    ScratchConfig scratch;
    ConfigRecord expected = config_on_disk(scratch);
    expected.fix_both = test.fix_both_before;
    put_config(scratch, expected);
    const SessionResult result = scratch.run(monte_carlo_session(
        "4\n3\n0.4\n0.01\n" + std::to_string(test.fix_temperature) + "\n" + std::to_string(test.fix_steps) + "\n"));
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(dialogue_after_menu(result.out),
              join({kAccuracyMenu, kMonteCarloMenu,
                    {" The interval at which the acceptance ratio is checked", " (default=1)",
                     " Acceptance ratio for MC exploration:", " Please Note!!",
                     " This value should dynamically change", " Each case should have its own Acceptance ratio",
                     " You have to check the hit rate(rate) while running the program!", " (default=0.5D0)",
                     " Input the adjustment of the Acceptance ratio", " (default=0.005D0)",
                     " 1.Fix temperature(default)", " 2.Do not fix temperature", " 1.Fix steps",
                     " 2.Do not fix steps(default)"},
                    kMonteCarloMenu, kAccuracyMenu}));
    expected.accept_check_every = 3;
    expected.accept_ratio = 0.4;
    expected.accept_ratio_adjust = 0.01;
    expected.fix_temperature = test.fix_temperature;
    expected.fix_steps = test.fix_steps;
    expected.fix_both = test.fix_both;
    EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
  }
}

TEST(MonteCarloMenu, AnyOtherChoiceGoesBackToTheAccuracyMenu) {
  ScratchConfig scratch;
  const ConfigRecord expected = config_on_disk(scratch);
  const SessionResult result = scratch.run("4\n2\n0\n4\n\ny\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out), join({kAccuracyMenu, kMonteCarloMenu, kAccuracyMenu}));
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
}

const Lines kGuidedChoice = {" 1.Do not use Guided Function(default)", " 2.Use Guided function"};
const Lines kGuidedBins = {" Please Input the Guided function resolution", " (default=50)"};
const Lines kGuidedTemperature = {" 1.Use temperature for Guided function,Now the T=" + num(0.8),
                                  " 2.Do not use temperature for Guided function(default)"};

TEST(GuidedFunction, NotUsedAsksOneQuestionOnly) {
  ScratchConfig scratch;
  ConfigRecord expected = config_on_disk(scratch);
  expected.guided_function = 2;
  put_config(scratch, expected);
  const SessionResult result = scratch.run("4\n3\n1\n4\n\ny\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out), join({kAccuracyMenu, kGuidedChoice, kAccuracyMenu}));
  expected.guided_function = 1;
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
}

TEST(GuidedFunction, TemperatureAsProbabilityCopiesTheUpperTemperature) {
  ScratchConfig scratch;  // temp_to 0.8
  ConfigRecord expected = config_on_disk(scratch);
  const SessionResult result = scratch.run("4\n3\n0\n60\n1\n4\n\ny\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out),
            join({kAccuracyMenu, kGuidedChoice, kGuidedBins, kGuidedTemperature, kAccuracyMenu}));
  expected.guided_function = 0;
  expected.guided_bins = 60;
  expected.guided_use_temperature = 1;
  expected.guided_probability = 0.8;
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
}

TEST(GuidedFunction, TypedProbability) {
  ScratchConfig scratch;
  ConfigRecord expected = config_on_disk(scratch);
  const SessionResult result = scratch.run("4\n3\n2\n70\n2\n0.01\n4\n\ny\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out),
            join({kAccuracyMenu, kGuidedChoice, kGuidedBins, kGuidedTemperature,
                  {" Input the acceptance probability(default=0.001D0)"}, kAccuracyMenu}));
  expected.guided_function = 2;
  expected.guided_bins = 70;
  expected.guided_use_temperature = 2;
  expected.guided_probability = 0.01;
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
}

}  // namespace
}  // namespace cfg::testing

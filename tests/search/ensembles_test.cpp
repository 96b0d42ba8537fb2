// Main-menu option 5: the global and parallel genetic-algorithm ensembles.
#include <gtest/gtest.h>

#include "search/search_session.h"

namespace cfg::testing {
namespace {

const Lines kEntry = {" 1.Input the parameters of the Global GA", " 2.Input the parameters of the Parallel GA"};
const Lines kEnsembles = {" Input ensemble number: (default=20)"};
const Lines kParents = {" Input parents number in GA: (default=15)"};
const Lines kUnreasonableParents = {" Unreasonable parent number !"};
const Lines kMaxGenerations = {" Input the max generation in GA: (default=500)"};

Lines children(std::int32_t ensembles, std::int32_t parents, std::int32_t difference) {
  return {" There will be " + num(ensembles) + "  -" + num(parents) + " =" + num(difference) + "  children!!", ""};
}

Lines same_number(std::int32_t proposal) {
  return {" Input same number in GA(default=" + num(proposal) + " )", " Same number must between 2 and " + num(proposal)};
}

TEST(GlobalGa, TooManyParentsAndTooSmallASameNumberAreAskedAgain) {
  ScratchConfig scratch;
  ConfigRecord expected = config_on_disk(scratch);
  const SessionResult result = scratch.run("5\n1\n20\n25\n15\n1\n21\n600\n\ny\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out),
            join({kEntry, kEnsembles, kParents, kUnreasonableParents, kParents, children(20, 15, 5),
                  same_number(21), {" Unreasonable same number !"}, same_number(21), kMaxGenerations,
                  {" It will never stop until reach" + num(600) + "  generations", ""}}));
  expected.gga_ensembles = 20;
  expected.gga_parents = 15;
  expected.gga_same = 21;
  expected.max_gens = 600;
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
}

TEST(GlobalGa, SameNumberUpToTheEnsembleSizeStopsNormally) {
  ScratchConfig scratch;
  ConfigRecord expected = config_on_disk(scratch);
  const SessionResult result = scratch.run("5\n1\n30\n30\n30\n400\n\ny\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out),
            join({kEntry, kEnsembles, kParents, children(30, 30, 0), same_number(31), kMaxGenerations}));
  expected.gga_ensembles = 30;
  expected.gga_parents = 30;
  expected.gga_same = 30;
  expected.max_gens = 400;
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
}

TEST(GlobalGa, BelowTwoEnsemblesAnySameNumberIsTaken) {
  ScratchConfig scratch;
  ConfigRecord expected = config_on_disk(scratch);
  const SessionResult result = scratch.run("5\n1\n1\n0\n-3\n10\n\ny\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out),
            join({kEntry, kEnsembles, kParents, children(1, 0, 1), same_number(2), kMaxGenerations}));
  expected.gga_ensembles = 1;
  expected.gga_parents = 0;
  expected.gga_same = -3;
  expected.max_gens = 10;
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
}

TEST(GlobalGa, CountsAtTheEndsOfTheIntegerRangeWrapAround) {
  ScratchConfig scratch;
  const SessionResult result = scratch.run("5\n1\n2147483647\n-5\n5\n500\n\nn\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out),
            join({kEntry, kEnsembles, kParents, children(2147483647, -5, -2147483644), same_number(-2147483647 - 1),
                  kMaxGenerations}));
}

TEST(EnsembleParameters, AnyOtherEntryChoiceReturnsAtOnce) {
  for (const std::string choice : {"3", "0", "/"}) {
    SCOPED_TRACE(choice);
    ScratchConfig scratch;
    const ConfigRecord expected = config_on_disk(scratch);
    const SessionResult result = scratch.run("5\n" + choice + "\n\ny\n");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(dialogue_after_menu(result.out), kEntry);
    EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
  }
}

const Lines kParallelChoice = {" Input the parameters of the Parallel GA",
                               " 1.Use the same parameters for all Runs(default)",
                               " 2.Use individual parameters for each Runs"};
const Lines kWarning = {" WARNING!! INPUT ERROR,PLEASE INPUT AGAIN!!"};

Lines first_run(std::int32_t proposed_same) {
  return {" Input the ensemble number for 1st Run(default=20)", " (Max limitation=30)",
          " Parallel GA parents number for 1st Run(default=15)",
          " Parallel GA same number for 1st Run(default=" + num(proposed_same) + " )"};
}
Lines second_run(std::int32_t proposed_same) {
  return {" Input the ensemble number for 2nd Run(default=20)", " (Max limitation=30)",
          " Parallel GA parents number for 2nd Run(default=15)",
          " Parallel GA same number for 2nd Run(default=" + num(proposed_same) + " )"};
}
Lines third_run(std::int32_t proposed_same) {
  return {" Input the ensemble number for 3rd Run(default=20)", " (Max limitation=30)",
          " Parallel GA parents number for 3rd Run(default=15)",
          " Parallel GA same number for 3rd Run(default=" + num(proposed_same) + " )"};
}

void set_parallel_run(ConfigRecord& config, int run, std::int32_t ensembles, std::int32_t parents,
                      std::int32_t same) {
  config.pga_ensembles[run] = ensembles;
  config.pga_parents[run] = parents;
  config.pga_same[run] = same;
}

TEST(ParallelGa, SameForAllRunsCopiesRunOneEvenAboveThirtyEnsembles) {
  ScratchConfig scratch;
  ConfigRecord expected = config_on_disk(scratch);
  const SessionResult result = scratch.run("5\n2\n1\n40\n15\n5\n\ny\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out),
            join({kEntry, kParallelChoice, first_run(25), {" Use the same parameters!"}}));
  for (int run = 1; run <= 3; ++run) set_parallel_run(expected, run, 40, 15, 5);
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
}

TEST(ParallelGa, SameNumberAboveParentsAsksAllOfRunOneAgain) {
  ScratchConfig scratch;
  ConfigRecord expected = config_on_disk(scratch);
  const SessionResult result = scratch.run("5\n2\n/\n20\n15\n16\n20\n16\n4\n\ny\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out),
            join({kEntry, kParallelChoice, first_run(5), kWarning, first_run(4)}));
  set_parallel_run(expected, 1, 20, 16, 4);  // runs 2 and 3 keep 20, 15, 5
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
}

TEST(ParallelGa, SeparateRunsRepeatOnlyTheFailingRun) {
  ScratchConfig scratch;
  ConfigRecord expected = config_on_disk(scratch);
  const SessionResult result = scratch.run("5\n2\n2\n24\n16\n6\n20\n10\n12\n22\n23\n10\n22\n11\n10\n25\n12\n6\n\ny\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out),
            join({kEntry, kParallelChoice, first_run(8), second_run(10), kWarning, second_run(-1), kWarning,
                  second_run(11), third_run(13)}));
  set_parallel_run(expected, 1, 24, 16, 6);
  set_parallel_run(expected, 2, 22, 11, 10);
  set_parallel_run(expected, 3, 25, 12, 6);
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
}

TEST(ParallelGa, AnyOtherChoiceAsksOnlyRunOne) {
  ScratchConfig scratch;
  ConfigRecord expected = config_on_disk(scratch);
  set_parallel_run(expected, 2, 21, 11, 1);
  set_parallel_run(expected, 3, 22, 12, 2);
  put_config(scratch, expected);
  const SessionResult result = scratch.run("5\n2\n3\n18\n9\n3\n\ny\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out), join({kEntry, kParallelChoice, first_run(9)}));
  set_parallel_run(expected, 1, 18, 9, 3);
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
}

}  // namespace
}  // namespace cfg::testing

// Potential types 7 and 8: neutral-bond sets and the Chen-Imamura parameters.
#include <array>
#include <utility>

#include "energy/energy_session.h"

namespace cfg::testing {
namespace {

const std::vector<std::string> kSubMenu = {" 1.Edit residues", " 2.Edit potential parameters"};
const std::vector<std::string> kCountQuestion = {" Please input the number of neutral bonds set:",
                                                 " (Could include several residues;default=0;No neutral bonds)"};

std::string start_prompt(std::int32_t i) {
  return " The  " + format_integer(i) + " 'th neutral bonds set start from residue:";
}
std::string set_line(std::int32_t i, std::int32_t start, std::int32_t end) {
  return std::string(" ").append(format_integer(i)) + " 'th neutral set start from  " + format_integer(start) +
         " ,end from  " + format_integer(end);
}

std::vector<std::pair<std::int32_t, std::int32_t>> saved_sets(const ScratchConfig& scratch) {
  std::vector<std::pair<std::int32_t, std::int32_t>> sets;
  TextLines lines("chima2.dat", scratch.read("chima2.dat"));
  RecordReader reader(lines);
  for (long i = 0, count = lines.count_lines(); i < count; ++i) {
    std::pair<std::int32_t, std::int32_t> set;
    reader.read(set.first, set.second);
    sets.push_back(set);
  }
  return sets;
}
using Sets = std::vector<std::pair<std::int32_t, std::int32_t>>;

template <class... Parts>
std::vector<std::string> joined(const Parts&... parts) {
  std::vector<std::string> all;
  (all.insert(all.end(), parts.begin(), parts.end()), ...);
  return all;
}

TEST(NeutralBonds, NoBondsAreKeptAsOneSetFromZeroToZero) {
  ScratchConfig scratch;
  scratch.write("chima2.dat", "3 7\n10 12\n");
  const SessionResult result = run_option_7(scratch, "2\n8\n1\n0");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(has_block(result.out, joined(kSubMenu, kCountQuestion, std::vector<std::string>{kMainMenuFirstLine})));
  EXPECT_FALSE(has_line(result.out, " Please make sure no overlaping!"));
  EXPECT_EQ(saved_sets(scratch), (Sets{{0, 0}}));
}

TEST(NeutralBonds, EachSetIsAskedAndThenListed) {
  ScratchConfig scratch;
  const SessionResult result = run_option_7(scratch, "2\n7\n1\n2\n3\n7\n10\n12");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(has_block(result.out, joined(kCountQuestion, std::vector<std::string>{
                                                               " Please make sure no overlaping!",
                                                               "",
                                                               start_prompt(1),
                                                               " End from:",
                                                               start_prompt(2),
                                                               " End from:",
                                                               set_line(1, 3, 7),
                                                               set_line(2, 10, 12),
                                                               kMainMenuFirstLine,
                                                           })));
  EXPECT_EQ(saved_sets(scratch), (Sets{{3, 7}, {10, 12}}));
  EXPECT_EQ(saved_config(scratch).ci_n_form, 1);
}

TEST(NeutralBonds, ASetEndingBeforeItStartsShowsTheSubMenuAgain) {
  ScratchConfig scratch;
  // The second set is refused; then the parameters are chosen instead.
  const SessionResult result = run_option_7(scratch, "2\n8\n1\n2\n3\n7\n9\n4\n2\n1.5\n1\n1\n105");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(has_block(result.out, joined(std::vector<std::string>{start_prompt(2), " End from:", " ERROR!!",
                                                                    " Start number is greater than end number",
                                                                    " Please type again!!", ""},
                                           kSubMenu)));
  EXPECT_FALSE(has_line(result.out, set_line(1, 3, 7)));
  EXPECT_EQ(saved_sets(scratch), (Sets{{3, 7}, {9, 4}}));
  EXPECT_EQ(saved_config(scratch).ci_n_form, 0);
}

TEST(NeutralBonds, EqualEndsAreAccepted) {
  ScratchConfig scratch;
  ASSERT_EQ(run_option_7(scratch, "2\n8\n1\n1\n5\n5").status, 0);
  EXPECT_EQ(saved_sets(scratch), (Sets{{5, 5}}));
}

TEST(NeutralBonds, ANegativeCountAsksNoSetAndSavesNone) {
  ScratchConfig scratch;
  const SessionResult result = run_option_7(scratch, "2\n8\n1\n-3");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(has_block(result.out, {" Please make sure no overlaping!", "", kMainMenuFirstLine}));
  EXPECT_EQ(scratch.read("chima2.dat"), "");
}

TEST(NeutralBonds, MoreSetsThanTheArraysHoldAreAskedAgain) {
  ScratchConfig scratch;
  const SessionResult result = run_option_7(scratch, "2\n8\n1\n10001\n1\n2\n6");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(has_block(result.out, joined(kCountQuestion, kInputError, kCountQuestion)));
  EXPECT_EQ(saved_sets(scratch), (Sets{{2, 6}}));
}

TEST(NeutralBonds, TenThousandSetsFit) {
  ScratchConfig scratch;
  std::string answers = "2\n8\n1\n10000\n";
  for (int i = 1; i <= 10000; ++i) answers += std::to_string(i) + "\n" + std::to_string(i) + "\n";
  const SessionResult result = run_option_7(scratch, answers);
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(has_line(result.out, set_line(10000, 10000, 10000)));
  const Sets sets = saved_sets(scratch);
  ASSERT_EQ(sets.size(), 10000u);
  EXPECT_EQ(sets.back(), std::make_pair(10000, 10000));
}

TEST(NeutralBonds, AWrongSubMenuChoiceIsAnInputError) {
  ScratchConfig scratch;
  const SessionResult result = run_option_7(scratch, "2\n7\n3\n1\n0");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(has_block(result.out, joined(kSubMenu, kInputError, kSubMenu, kCountQuestion)));
}

// chima1.dat: bond length, epsilon, bond angle, exclusive diameter, extra.
std::array<double, 5> saved_parameters(const ScratchConfig& scratch) {
  std::array<double, 5> v{};
  read_record(scratch, "chima1.dat", v[0], v[1], v[2], v[3], v[4]);
  return v;
}

std::string angle_line(double radians) { return " Your bond-angle is  " + format_real(radians) + "  rad"; }

TEST(ChenImamuraParameters, TheAngleIsTypedInDegreesAndStoredInRadians) {
  ScratchConfig scratch;
  scratch.write("chima1.dat", "1.5 1.0 1.8 1.0 0.75\n1 2 3 4 5 6 7 8\n");
  const SessionResult result = run_option_7(scratch, "2\n7\n2\n1.25\n2.0\n0.5\n180");
  ASSERT_EQ(result.status, 0) << result.err;
  const double straight = saved_parameters(scratch)[2];
  EXPECT_NEAR(straight, 3.14159, 1e-15);
  EXPECT_TRUE(has_block(result.out, {" Please input Lo,the bond distance:(default=1.5D0)",
                                     " Please input exclusive diameter:(default=1.D0)",
                                     " Please input epsilon,the energy scale:(default=1.D0)",
                                     " Please input the bond angle:(default=105.D0)", angle_line(straight),
                                     kMainMenuFirstLine}));
  EXPECT_EQ(saved_parameters(scratch), (std::array<double, 5>{1.25, 0.5, straight, 2.0, 0.75}));
  std::array<double, 8> aux{};
  read_record_at(scratch, "chima1.dat", 2, aux[0], aux[1], aux[2], aux[3], aux[4], aux[5], aux[6], aux[7]);
  EXPECT_EQ(aux, (std::array<double, 8>{1, 2, 3, 4, 5, 6, 7, 8}));

  ASSERT_EQ(run_option_7(scratch, "2\n7\n2\n/\n/\n/\n90").status, 0);
  EXPECT_EQ(saved_parameters(scratch)[2], straight / 2);
  EXPECT_EQ(saved_parameters(scratch)[0], 1.25);

  ASSERT_EQ(run_option_7(scratch, "2\n7\n2\n/\n/\n/\n105").status, 0);
  // Multiplied first, divided second.
  EXPECT_EQ(saved_parameters(scratch)[2], 105.0 * 3.14159 / 180.0);
  EXPECT_NEAR(saved_parameters(scratch)[2], 1.83, 0.005);
}

TEST(ChenImamuraParameters, ANullAngleIsZero) {
  ScratchConfig scratch;
  const SessionResult result = run_option_7(scratch, "2\n8\n2\n/\n/\n/\n/");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(has_line(result.out, angle_line(0.0)));
  EXPECT_EQ(saved_parameters(scratch)[2], 0.0);
  EXPECT_EQ(saved_parameters(scratch)[0], 1.5);
}

}  // namespace
}  // namespace cfg::testing

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/key_catalogue.h"
#include "support/cli_harness.h"

namespace cfg::testing {
namespace {

struct PatternCase {
  std::string pattern;
  std::string key;
  bool matches;
};

void PrintTo(const PatternCase& c, std::ostream* os) { *os << c.pattern << " ~ " << c.key; }

class KeyPattern : public ::testing::TestWithParam<PatternCase> {};

TEST_P(KeyPattern, MatchesAWholeKeyWithWildcardsAndAPartWithout) {
  EXPECT_EQ(key_matches(GetParam().pattern, GetParam().key), GetParam().matches);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeyPattern,
    ::testing::Values(PatternCase{"temp", "temp_from", true}, PatternCase{"temp", "fix_temperature", true},
                      PatternCase{"temp", "tempfd", true}, PatternCase{"tmp", "temp_from", false},
                      PatternCase{"mb_*", "mb_aa.e0", true}, PatternCase{"mb_*", "xmb_aa", false},
                      PatternCase{"*_method", "min_method", true}, PatternCase{"*_method", "min_methods", false},
                      PatternCase{"?eed", "seed", true}, PatternCase{"seed?", "seed", false},
                      PatternCase{"*", "ch_st[k]", true}, PatternCase{"**a*", "a", true},
                      // Brackets are themselves, in both kinds of pattern.
                      PatternCase{"mc_steps[2]", "mc_steps[2]", true}, PatternCase{"mc_steps[?]", "mc_steps[3]", true},
                      PatternCase{"mc_steps[12]", "mc_steps[1]", false}, PatternCase{"*[k]", "residues_type[k]", true},
                      PatternCase{"mc_steps[1-3]", "mc_steps[2]", false}));

// What `config keys PATTERN...` lists, in order, and its status.
struct ListCase {
  std::vector<std::string> patterns;
  std::vector<std::string> keys;
  int status;
};

void PrintTo(const ListCase& c, std::ostream* os) {
  for (const std::string& p : c.patterns) *os << p << ' ';
}

class ListKeys : public ::testing::TestWithParam<ListCase> {};

std::vector<std::string> first_words(const std::string& text) {
  std::vector<std::string> words;
  for (const std::string& line : lines_of(text)) words.push_back(line.substr(0, line.find(' ')));
  return words;
}

// keys needs no configuration: it runs in an empty directory.
TEST_P(ListKeys, ListsTheMatchingKeysInFileOrderOnce) {
  const ScratchConfig scratch;
  const std::filesystem::path empty = scratch.dir() / "empty";
  std::filesystem::create_directory(empty);
  std::vector<std::string> args = {"keys"};
  args.insert(args.end(), GetParam().patterns.begin(), GetParam().patterns.end());
  const CliResult result = run_cli_in(empty, args);
  EXPECT_EQ(result.status, GetParam().status);
  EXPECT_EQ(first_words(result.out), GetParam().keys);
  EXPECT_EQ(result.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ListKeys,
    ::testing::Values(
        ListCase{{"mc_steps"}, {"mc_steps[1]", "mc_steps[2]", "mc_steps[3]"}, 0},
        ListCase{{"run_method[2]", "particle_count"}, {"particle_count", "run_method[2]"}, 0},
        ListCase{{"?eed", "see*"}, {"seed"}, 0},
        ListCase{{"residue"}, {"residue_set_count", "residues_type[k]", "residues_num[k]"}, 0},
        ListCase{{"ch_*"}, {"ch_count", "ch_st[k]", "ch_end[k]"}, 0},
        ListCase{{"qsc_a.*"}, {"qsc_a.name", "qsc_a.d", "qsc_a.c", "qsc_a.m", "qsc_a.n", "qsc_a.a"}, 0},
        ListCase{{"two_point"}, {"ga_two_point", "two_point[1]", "two_point[2]", "two_point[3]"}, 0},
        ListCase{{"nothing"}, {}, 1}, ListCase{{"seed?"}, {}, 1}));

TEST(Keys, ThereAre219InFileOrderFromAtomNumToQsc) {
  const std::vector<KeyDescription>& keys = key_descriptions();
  ASSERT_EQ(keys.size(), 219U);
  EXPECT_EQ(keys.front().key, "particle_count");
  EXPECT_EQ(keys[2].key, "box_width");
  EXPECT_EQ(keys.back().key, "qsc_b.a");
}

// Every key says what it is; every code that set accepts has a meaning, and
// no other code has one.
TEST(Keys, EveryKeyHasAMeaningAndEveryCodeItsOwn) {
  for (const KeyDescription& key : key_descriptions()) {
    EXPECT_FALSE(key.meaning.empty()) << key.key;
    EXPECT_EQ(key.meaning.find('|'), std::string_view::npos) << key.key;
    std::vector<std::int32_t> accepted;
    for (std::int32_t code = 0; code < 32 && !key.accepted.any(); ++code) {
      if (key.accepted.accepts(code)) accepted.push_back(code);
    }
    std::vector<std::int32_t> described;
    for (const auto& [code, meaning] : key.codes) {
      described.push_back(code);
      EXPECT_FALSE(meaning.empty()) << key.key << " " << code;
    }
    EXPECT_EQ(described, accepted) << key.key;
    EXPECT_EQ(key.kind == "code", !accepted.empty()) << key.key;
  }
}

struct KindCase {
  std::string key;
  std::string line;  // the columns after the key, as printed
};

void PrintTo(const KindCase& c, std::ostream* os) { *os << c.key; }

class KeyLine : public ::testing::TestWithParam<KindCase> {};

TEST_P(KeyLine, ShowsKindFileMeaningCodesAndRefusal) {
  const std::filesystem::path here = std::filesystem::current_path();
  const CliResult result = run_cli_in(here, {"keys", "--", GetParam().key});
  std::string line;
  for (const std::string& each : lines_of(result.out)) {
    if (each.substr(0, each.find(' ')) == GetParam().key) line = each;
  }
  ASSERT_FALSE(line.empty()) << result.out;
  // The columns line up over all keys: the kind starts at column 24.
  EXPECT_EQ(line.substr(24), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeyLine,
    ::testing::Values(
        KindCase{"particle_count", "integer  atom_num.dat    number of particles of the cluster"},
        KindCase{"mc_steps[2]",
                 "integer  data.dat        run 2: Monte Carlo steps per recursion, or parallel-GA generations when "
                 "run 2 is a parallel GA"},
        KindCase{"min_method",
                 "code     data.dat        local minimization method: 1 only Simplex, 2 only Conjugate Gradient, 3 "
                 "Conjugate Gradient then Simplex, 4 Simplex then Conjugate Gradient, 5 LBFGS"},
        KindCase{"run_method[2]",
                 "code     data.dat        method of run 2: 1 multicanonical basin hopping, 2 canonical basin "
                 "hopping, 3 parallel GA, 5 set by the program when run 1 is multicanonical annealing"},
        KindCase{"move_3n[3]", "real     data.dat        ratio of 3N particles moving"},
        KindCase{"mb_ab.name", "text(2)  parameter3.dat  name of the many-body A-B interaction"},
        KindCase{"residues_type[k]",
                 "text(3)  protein2.dat    type of residue set k: a pattern of residue letters such as B, LB or LBB"},
        KindCase{"ch_count",
                 "integer  chima2.dat      number of neutral-bond sets; set refuses it: it counts the lines of "
                 "chima2.dat, which is edited as a file of its own"},
        KindCase{"func_bc",
                 "real     data.dat        boundary value of the energy function (BC in func), held as the square "
                 "of a radius; set refuses it: any value but the one its rule gives: under min_method 5 every save makes it "
                 "the close-pack value of particle_count"}));

// The reasons keys gives are the ones set gives when it refuses: the
// example runs under min_method 5 with close_pack 1.
TEST(Keys, RefusalsAreSetsOwnWords) {
  const ScratchConfig scratch;
  const std::string derived = "any value but the one its rule gives: ";
  for (const std::string key : {"func_bc", "box_width", "residue_set_count", "ch_count"}) {
    const auto described = std::find_if(key_descriptions().begin(), key_descriptions().end(),
                                         [&](const KeyDescription& k) { return k.key == key; });
    ASSERT_NE(described, key_descriptions().end());
    ASSERT_FALSE(described->refused.empty()) << key;
    const CliResult set = run_cli(scratch, {"set", key + "=7"});
    EXPECT_EQ(set.status, 2);
    if (described->refused.starts_with(derived)) {
      EXPECT_TRUE(set.err.starts_with("config: cannot set " + key + " to 7.0: its rule gives ")) << set.err;
      EXPECT_TRUE(set.err.ends_with(" (" + described->refused.substr(derived.size()) + ")\n")) << set.err;
    } else {
      EXPECT_EQ(set.err, "config: cannot set " + key + ": " + described->refused + "\n");
    }
  }
}

TEST(Keys, JsonHoldsTheSameFactsTyped) {
  const CliResult result = run_cli_in(std::filesystem::current_path(),
                                      {"keys", "--json", "see?", "min_method", "qsc_file_name", "func_b?"});
  EXPECT_EQ(result.status, 0);
  const nlohmann::json keys = nlohmann::json::parse(result.out);
  ASSERT_EQ(keys.size(), 4U);
  EXPECT_EQ(keys[0], nlohmann::json::parse(R"({"key": "seed", "kind": "integer", "file": "atom_num.dat",
      "meaning": "seeding number: 0 means no seeding; start-up turns any other value into particle_count minus 1",
      "refused": "any value but the one its rule gives: after a new particle_count a seed other than 0 becomes particle_count - 1"})"));
  // In file order, whatever the order of the patterns.
  EXPECT_EQ(keys[1]["refused"],
            "any value but the one its rule gives: under min_method 5 every save makes it the close-pack value of "
            "particle_count");
  EXPECT_FALSE(keys[1].contains("codes"));
  EXPECT_EQ(keys[2]["kind"], "code");
  EXPECT_EQ(keys[2].value("codes", nlohmann::json::object()).value("5", ""), "LBFGS");
  EXPECT_EQ(keys[2].value("codes", nlohmann::json::object()).size(), 5U);
  EXPECT_EQ(keys[3]["kind"], "text");
  EXPECT_EQ(keys[3]["width"], 2);
  EXPECT_EQ(keys[3]["file"], "qscff.dat");

  const CliResult none = run_cli_in(std::filesystem::current_path(), {"keys", "--json", "nothing"});
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.out, "[]\n");
}

TEST(Completion, NeedsAKnownShell) {
  const CliResult unknown = run_cli_in(std::filesystem::current_path(), {"completion", "tcsh"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_EQ(unknown.err, "config: completion: unknown shell 'tcsh' (bash, zsh or fish)\n");
  EXPECT_EQ(run_cli_in(std::filesystem::current_path(), {"completion"}).status, 2);
  EXPECT_EQ(run_cli_in(std::filesystem::current_path(), {"completion", "bash", "zsh"}).status, 2);
}

}  // namespace
}  // namespace cfg::testing

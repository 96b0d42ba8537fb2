#include <gtest/gtest.h>
#include <sys/stat.h>

#include <bit>
#include <cmath>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/stored_configuration.h"
#include "cli/stored_values.h"
#include "cli/keys.h"
#include "io/file_system.h"
#include "io/output_writer.h"
#include "io/shortest_real.h"
#include "support/cli_harness.h"

namespace cfg::testing {
namespace {

// One key of the table and a new value for it: the text typed and the text
// that get then prints.
struct KeyCase {
  std::string key;
  std::string typed;
  std::string printed;
  bool refused;
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.key << "=" << c.typed; }

std::string new_value(const std::int32_t& current, const AcceptedCodes& codes, std::string& printed) {
  std::int32_t value = current == 1234567 ? 7654321 : 1234567;
  if (!codes.any()) {
    for (std::int32_t code = 31; code >= 0; --code) {
      if (codes.accepts(code) && code != current) {
        value = code;
        break;
      }
    }
  }
  printed = std::to_string(value);
  return printed;
}
std::string new_value(const double& current, const AcceptedCodes&, std::string& printed) {
  printed = current == 0.0025 ? "7.25" : "0.0025";
  return current == 0.0025 ? "7.25" : "2.5D-3";
}
template <std::size_t N>
std::string new_value(const FixedText<N>& current, const AcceptedCodes&, std::string& printed) {
  printed = N == 2 ? (current == "Zn" ? "Ni" : "Zn") : (current == "LBB" ? "BBL" : "LBB");
  return printed;
}

// Every key of the example configuration: each value of the fixed records,
// each set count, and the first set of each column of sets.
std::vector<KeyCase> every_key() {
  ScratchConfig scratch;
  DiskFileSystem files(scratch.dir());
  StringWriter out;
  StoredConfiguration loaded(files, out, out);
  ConfigurationRefs whole = loaded.whole();
  std::vector<KeyCase> cases;
  const auto add = [&](const ValueInfo& info, const auto& value) {
    KeyCase c{key_name(info.key), "", "", info.counts_lines};
    c.typed = new_value(value, info.codes, c.printed);
    // The example uses LBFGS with close packing, under which a save replaces these.
    if (c.key == "func_bc" || c.key == "box_width") c.refused = true;
    cases.push_back(c);
  };
  walk_stored_values(whole, add, [&](const ValueInfo& info, const auto& column, std::size_t rows) {
    ValueInfo first = info;
    first.key.index = 1;
    if (rows > 0) add(first, column[0]);
  });
  return cases;
}

std::map<std::string, std::string> all_files(const ScratchConfig& scratch) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(scratch.dir())) {
    files[entry.path().filename().string()] = scratch.read(entry.path().filename().string());
  }
  return files;
}

// What option 8 prints between its first line and the closing banner.
std::string option_8_report(const ScratchConfig& scratch) {
  const std::string out = scratch.run("8\n").out;
  const std::string report = after_last(out, " Load the previous configuration !\n");
  return report.substr(0, report.find("\n\n" + std::string(46, ' ') + "\n    Configuration finished") + 1);
}

nlohmann::json json_at(const nlohmann::json& object, const FieldKey& key) {
  const nlohmann::json& slot = object.at(std::string(key.base));
  if (!key.member.empty()) return slot.at(std::string(key.member));
  if (key.index > 0) return slot.at(static_cast<std::size_t>(key.index - 1));
  return slot;
}

class EveryKey : public ::testing::TestWithParam<KeyCase> {};

TEST_P(EveryKey, SetThenGetShowAndJsonAgree) {
  const KeyCase& c = GetParam();
  ScratchConfig scratch;
  const auto before = all_files(scratch);
  const CliResult set = run_cli(scratch, {"set", c.key + "=" + c.typed});
  if (c.refused) {
    EXPECT_EQ(set.status, 2);
    EXPECT_NE(set.err.find(c.key), std::string::npos) << set.err;
    EXPECT_EQ(all_files(scratch), before);
    return;
  }
  ASSERT_EQ(set.status, 0) << set.err;
  const CliResult get = run_cli(scratch, {"get", c.key});
  EXPECT_EQ(get.out, c.printed + "\n");
  const CliResult json = run_cli(scratch, {"show", "--json"});
  ASSERT_EQ(json.status, 0) << json.err;
  const nlohmann::json value = json_at(nlohmann::json::parse(json.out), *parse_key(c.key));
  EXPECT_EQ(value.is_string() ? value.get<std::string>() : value.dump(), c.printed);
  const CliResult show = run_cli(scratch, {"show"});
  EXPECT_EQ(show.status, 0);
  EXPECT_EQ(show.out, option_8_report(scratch));
}

INSTANTIATE_TEST_SUITE_P(Table, EveryKey, ::testing::ValuesIn(every_key()), [](const auto& param_info) {
  std::string name = param_info.param.key;
  for (char& ch : name) {
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  }
  return name;
});

TEST(EveryKey, CoversTheTable) {
  const std::vector<KeyCase> cases = every_key();
  // particle_count and seed, 133 of data.dat, 80 of the energy-model files
  // (the two set counts and qsc_count among them), and the first set of
  // each of the four columns.
  EXPECT_EQ(cases.size(), 2U + 133U + 80U + 4U);
}

ino_t inode_of(const ScratchConfig& scratch, const std::string& name) {
  struct stat status {};
  EXPECT_EQ(::stat((scratch.dir() / name).c_str(), &status), 0) << name;
  return status.st_ino;
}

struct RewriteCase {
  std::vector<std::string> pairs;
  std::vector<std::string> rewritten;
};

void PrintTo(const RewriteCase& c, std::ostream* os) {
  for (const std::string& pair : c.pairs) *os << pair << ' ';
}

class RewritesOnly : public ::testing::TestWithParam<RewriteCase> {};

TEST_P(RewritesOnly, TheFilesWhoseTextChanges) {
  ScratchConfig scratch;
  std::map<std::string, ino_t> inodes;
  for (const auto& [name, text] : all_files(scratch)) inodes[name] = inode_of(scratch, name);
  std::vector<std::string> args = {"set"};
  args.insert(args.end(), GetParam().pairs.begin(), GetParam().pairs.end());
  const CliResult result = run_cli(scratch, args);
  ASSERT_EQ(result.status, 0) << result.err;
  std::vector<std::string> rewritten;
  for (const auto& [name, inode] : inodes) {
    if (inode_of(scratch, name) != inode) rewritten.push_back(name);
  }
  EXPECT_EQ(rewritten, GetParam().rewritten);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RewritesOnly,
    ::testing::Values(RewriteCase{{"seed=5"}, {"atom_num.dat"}}, RewriteCase{{"seed=0"}, {}},
                      RewriteCase{{"qsc_a.d=2"}, {"qscff.dat"}}, RewriteCase{{"eam_bb.m=2"}, {"eam_bb.dat"}},
                      RewriteCase{{"ch_end[1]=3"}, {"chima2.dat"}},
                      RewriteCase{{"particle_count=40"}, {"atom_num.dat", "data.dat"}},
                      RewriteCase{{"potential_type=5", "particle_count=40"}, {"alloy.dat", "atom_num.dat", "data.dat", "type.dat"}},
                      RewriteCase{{"min_method=2", "func_bc=7"}, {"data.dat"}},
                      // The value the rule gives, taken under LBFGS: nothing changes.
                      RewriteCase{{"func_bc=10.291681957957886"}, {}}));

TEST(Set, NewParticleCountMovesANonZeroSeedAndTheEamCount) {
  ScratchConfig scratch;
  scratch.write("atom_num.dat", " 38 5\n");
  scratch.write("type.dat", " 5 2\n");
  ASSERT_EQ(run_cli(scratch, {"set", "particle_count=50"}).status, 0);
  EXPECT_EQ(run_cli(scratch, {"get", "particle_count", "seed", "a_atom_count"}).out, "50\n49\n50\n");
  // Given with it, they must be what the rules give.
  ASSERT_EQ(run_cli(scratch, {"set", "particle_count=60", "seed=59", "a_atom_count=60"}).status, 0);
  EXPECT_EQ(run_cli(scratch, {"get", "seed", "a_atom_count"}).out, "59\n60\n");
}

TEST(Set, UnderQscTheTwoCountsOfAAtomsAreOne) {
  ScratchConfig scratch;
  scratch.write("type.dat", " 9 2\n");
  ASSERT_EQ(run_cli(scratch, {"set", "qsc_count=12"}).status, 0);
  EXPECT_EQ(run_cli(scratch, {"get", "qsc_count", "a_atom_count"}).out, "12\n12\n");
  EXPECT_EQ(scratch.read("alloy.dat"), "          12\n");
}

TEST(Set, LeavingQscKeepsItsCountOfAAtoms) {
  ScratchConfig scratch;
  scratch.write("type.dat", " 9 2\n");
  scratch.write("alloy.dat", " 10\n");
  ASSERT_EQ(run_cli(scratch, {"get", "a_atom_count"}).out, "38\n");
  ASSERT_EQ(run_cli(scratch, {"set", "potential_type=1"}).status, 0);
  EXPECT_EQ(run_cli(scratch, {"get", "a_atom_count"}).out, "38\n");
}

TEST(Set, WritesWhatOption9WouldSave) {
  ScratchConfig scratch;
  ASSERT_EQ(run_cli(scratch, {"set", "temp_to=0.5", "mb_aa.e0=1e17", "seed=4"}).status, 0);
  const auto after_set = all_files(scratch);
  // The interactive save of the same values leaves those files as set wrote them.
  ASSERT_EQ(scratch.run("\n\n").status, 0);
  for (const char* name : {"data.dat", "parameter1.dat"}) EXPECT_EQ(scratch.read(name), after_set.at(name)) << name;
}

struct BadPairs {
  std::vector<std::string> pairs;
  std::string named;  // in the error
};

void PrintTo(const BadPairs& c, std::ostream* os) {
  for (const std::string& pair : c.pairs) *os << pair << ' ';
}

class RefusedSet : public ::testing::TestWithParam<BadPairs> {};

TEST_P(RefusedSet, ChangesNoFile) {
  ScratchConfig scratch;
  const auto before = all_files(scratch);
  std::vector<std::string> args = {"set"};
  args.insert(args.end(), GetParam().pairs.begin(), GetParam().pairs.end());
  const CliResult result = run_cli(scratch, args);
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find(GetParam().named), std::string::npos) << result.err;
  EXPECT_EQ(lines_of(result.err).size(), 1U) << result.err;
  EXPECT_EQ(all_files(scratch), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedSet,
    ::testing::Values(BadPairs{{"seed=3", "min_method=6"}, "min_method"}, BadPairs{{"seed=3", "no_such=1"}, "no_such"},
                      BadPairs{{"seed"}, "seed"}, BadPairs{{"seed="}, "seed"}, BadPairs{{"seed=/"}, "seed"},
                      BadPairs{{"seed=,"}, "seed"}, BadPairs{{"seed=1 2"}, "seed"}, BadPairs{{"seed=2147483648"}, "seed"},
                      BadPairs{{"temp_to=abc"}, "temp_to"}, BadPairs{{"mb_aa.name=Agg"}, "mb_aa.name"},
                      BadPairs{{"potential_type=0"}, "potential_type"}, BadPairs{{"run_method[2]=4"}, "run_method[2]"},
                      BadPairs{{"ch_count=2"}, "ch_count"}, BadPairs{{"residue_set_count=2"}, "residue_set_count"},
                      BadPairs{{"residues_num[4]=2"}, "residues_num[4]"}, BadPairs{{"mc_steps[4]=2"}, "mc_steps[4]"},
                      BadPairs{{"close_pack=0", "box_width=3", "func_bc=2"}, "func_bc"},
                      BadPairs{{"particle_count=60", "seed=3"}, "seed"},
                      BadPairs{{"potential_type=5", "particle_count=60", "a_atom_count=7"}, "a_atom_count"},
                      // Values that the files would not read back as they were given.
                      BadPairs{{"mb_aa.name='\n'"}, "mb_aa.name"}, BadPairs{{"residues_type[1]='\n'"}, "residues_type[1]"},
                      BadPairs{{"mb_aa.name='a\n'"}, "mb_aa.name"}, BadPairs{{"qsc_a.name=a\nb"}, "qsc_a.name"},
                      // One value given twice, or by two keys with different values.
                      BadPairs{{"seed=3", "seed=4"}, "seed"}, BadPairs{{"seed=3", "seed=3"}, "seed"},
                      BadPairs{{"potential_type=9", "a_atom_count=5", "qsc_count=6"}, "qsc_count"},
                      // No particles: the close-pack value would be NaN.
                      BadPairs{{"particle_count=-1"}, "particle_count"}, BadPairs{{"particle_count=0"}, "particle_count"}));

// The refusal of what would not read back keeps the rules the optimizer's
// reader shares: an exponent without its letter, and Q as an exponent letter.
TEST(Set, KeepsTheRulesOfTheFilesReader) {
  ScratchConfig scratch;
  ASSERT_EQ(run_cli(scratch, {"set", "temp_to=1-5", "temp_from=2Q3"}).status, 0);
  EXPECT_EQ(run_cli(scratch, {"get", "temp_to", "temp_from"}).out, "1e-05\n2000.0\n");
}

TEST(Set, UnderQscTheTwoCountsOfAAtomsMayBeGivenAlike) {
  ScratchConfig scratch;
  ASSERT_EQ(run_cli(scratch, {"set", "potential_type=9", "a_atom_count=5", "qsc_count=5"}).status, 0);
  EXPECT_EQ(run_cli(scratch, {"get", "qsc_count", "a_atom_count"}).out, "5\n5\n");
}

TEST(Get, PrintsEachValueOnItsLineInTheOrderAsked) {
  ScratchConfig scratch;
  const CliResult result = run_cli(scratch, {"get", "qsc_a.name", "particle_count", "mb_aa.e0", "residues_type[1]", "ch_count"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "Ag\n38\n0.1031\nLBB\n1\n");
}

TEST(Get, AnUnknownKeyNamesTheNearestAndPrintsNothing) {
  ScratchConfig scratch;
  const CliResult result = run_cli(scratch, {"get", "seed", "box_widht"});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "config: unknown key \"box_widht\"; did you mean box_width?\n");
}

// What the command line quotes back is escaped as file bytes are: a typed
// escape sequence cannot drive the terminal that shows the error.
TEST(CommandLine, QuotedArgumentsAreEscaped) {
  ScratchConfig scratch;
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{"get", "\033]0;x\a"}, "config: unknown key \"\\033]0;x\\007\"\n"},
      {{"set", "\033[2J"}, "config: set: \"\\033[2J\" is not KEY=VALUE\n"},
      {{"--\033[2J"}, "config: unknown option '--\\033[2J'\nTry 'config --help' for more information.\n"},
      {{"sh\033ow"}, "config: unknown command 'sh\\033ow'\nTry 'config --help' for more information.\n"},
  };
  for (const auto& c : cases) {
    const CliResult result = run_cli(scratch, c.args);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, c.err);
  }
}

TEST(Get, RealsThatJsonCannotHoldAreNamed) {
  ScratchConfig scratch;
  ASSERT_EQ(run_cli(scratch, {"set", "temp_from=-Inf", "temp_to=NaN"}).status, 0);
  EXPECT_EQ(run_cli(scratch, {"get", "temp_from", "temp_to"}).out, "-Infinity\nNaN\n");
  const nlohmann::json object = nlohmann::json::parse(run_cli(scratch, {"show", "--json"}).out);
  EXPECT_EQ(object["temp_from"], "-Infinity");
  EXPECT_EQ(object["temp_to"], "NaN");
}

// get and show --json print every real with the same digits, random ones too.
TEST(ShowJson, PrintsEachRealAsGetDoes) {
  ScratchConfig scratch;
  std::mt19937_64 bits(7);
  const std::vector<std::string> keys = {"temp_from", "temp_to", "emin", "emax", "beta0", "tempfd", "quench_rate"};
  std::vector<std::string> args = {"set"};
  for (const std::string& key : keys) {
    double value = std::bit_cast<double>(bits());
    if (!std::isfinite(value)) value = 0.1;
    args.push_back(key + "=" + shortest_real_text(value));
  }
  ASSERT_EQ(run_cli(scratch, args).status, 0);
  const std::string json = run_cli(scratch, {"show", "--json"}).out;
  for (const std::string& key : keys) {
    const std::string got = run_cli(scratch, {"get", key}).out;
    EXPECT_NE(json.find("\"" + key + "\": " + got.substr(0, got.size() - 1) + ",\n"), std::string::npos) << key << got;
  }
}

TEST(ShowJson, GroupsRunsSetsAndColumns) {
  ScratchConfig scratch;
  const CliResult result = run_cli(scratch, {"show", "--json"});
  ASSERT_EQ(result.status, 0);
  const auto object = nlohmann::ordered_json::parse(result.out);
  // Keys in the order of the table: atom_num.dat first, qscff.dat last.
  std::vector<std::string> keys;
  for (const auto& item : object.items()) keys.push_back(item.key());
  ASSERT_GE(keys.size(), 4U);
  EXPECT_EQ(std::vector<std::string>(keys.begin(), keys.begin() + 3),
            (std::vector<std::string>{"particle_count", "seed", "box_width"}));
  EXPECT_EQ(std::vector<std::string>(keys.end() - 4, keys.end()),
            (std::vector<std::string>{"qsc_count", "qsc_file_name", "qsc_a", "qsc_b"}));
  EXPECT_EQ(object["qsc_count"], 38);
  EXPECT_EQ(object["mc_steps"].size(), 3U);
  EXPECT_EQ(object["dih_eps"].size(), 4U);
  EXPECT_EQ(object["ci_aux"].size(), 8U);
  EXPECT_EQ(object["mb_aa"].dump(), R"({"name":"Ag","e0":0.1031,"c0":1.1895,"p":10.85,"q":3.18,"r0":2.89})");
  EXPECT_EQ(object["residues_type"].dump(), R"(["LBB","B","LB"])");
  EXPECT_EQ(object["residues_num"].dump(), "[4,10,8]");
  EXPECT_EQ(object["ch_st"].dump(), "[0]");
  EXPECT_EQ(object["qsc_file_name"], "Ag");
}

}  // namespace
}  // namespace cfg::testing

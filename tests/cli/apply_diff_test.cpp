#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "config/potential_types.h"
#include "support/cli_harness.h"

namespace cfg::testing {
namespace {

std::map<std::string, std::string> dat_files(const ScratchConfig& scratch) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(scratch.dir())) {
    const std::string name = entry.path().filename().string();
    if (name.ends_with(".dat")) files[name] = scratch.read(name);
  }
  return files;
}

CliResult run_ok(const ScratchConfig& scratch, const std::vector<std::string>& args) {
  const CliResult result = run_cli(scratch, args);
  EXPECT_EQ(result.status, 0) << args[0] << ": " << result.err;
  return result;
}

// A JSON object written into the scratch directory as `name`, then applied.
CliResult apply_text(const ScratchConfig& scratch, const std::string& json, const std::string& option = "") {
  scratch.write("given.json", json);
  std::vector<std::string> args = {"apply"};
  if (!option.empty()) args.push_back(option);
  args.push_back("given.json");
  return run_cli(scratch, args);
}

// ---- the round trip ----

// show --json of A, applied to a B that differs in every way, leaves B the
// same configuration as A, each file as option 9 writes it: for every
// potential type, with a different number of sets on each side.
class RoundTrip : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(RoundTrip, ShowJsonAppliedElsewhereMakesTheSameConfiguration) {
  const std::int32_t type = GetParam();
  ScratchConfig a;
  run_ok(a, {"set", std::string("potential_type=").append(std::to_string(type)), "particle_count=55", "seed=54", "min_method=2",
             "func_bc=7.5", "mc_steps[2]=77", "mb_aa.e0=2.5", "temp_to=NaN", "eam_ab.name=Cu", "qsc_count=21"});
  ASSERT_EQ(apply_text(a, R"({"residues_type": ["LB", "B", "L", "LBB"], "residues_num": [1, 2, 3, 4],
                              "ch_st": [], "ch_end": []})").status, 0);
  ScratchConfig b;
  run_ok(b, {"set", std::string("potential_type=").append(std::to_string(type % 9 + 1)), "particle_count=20", "temp_to=2",
             "mb_aa.name=Au"});
  ASSERT_EQ(apply_text(b, R"({"residues_type": ["B"], "residues_num": [9], "ch_st": [1, 2, 5], "ch_end": [3, 4, 6]})")
                .status, 0);
  ASSERT_EQ(run_cli_in(a.dir().parent_path(), {"diff", a.dir().string(), b.dir().string()}).status, 1);

  b.write("a.json", run_ok(a, {"show", "--json"}).out);
  const auto before = dat_files(b);
  const CliResult applied = run_cli(b, {"apply", "a.json"});
  ASSERT_EQ(applied.status, 0) << applied.err;
  const CliResult diff = run_cli(b, {"diff", a.dir().string()});
  EXPECT_EQ(diff.status, 0) << diff.out << diff.err;
  EXPECT_EQ(diff.out, "");
  // Each file apply wrote is what option 9 writes from those values: a save
  // leaves it as it is.
  const auto applied_files = dat_files(b);
  ASSERT_EQ(b.run("\n\n").status, 0);
  for (const auto& [name, text] : applied_files) {
    if (text != before.at(name)) {
      EXPECT_EQ(b.read(name), text) << name;
    }
  }
}

std::vector<std::int32_t> every_type() {
  std::vector<std::int32_t> codes;
  for (const PotentialType& type : kPotentialTypes) codes.push_back(type.code);
  return codes;
}
INSTANTIATE_TEST_SUITE_P(EveryPotentialType, RoundTrip, ::testing::ValuesIn(every_type()));

// ---- what apply refuses ----

struct RefusedJson {
  std::string json;
  std::string message;  // the error line, after "config: given.json: "
};

void PrintTo(const RefusedJson& c, std::ostream* os) { *os << c.json; }

class RefusedApply : public ::testing::TestWithParam<RefusedJson> {};

// One line naming the problem, status 2, and no file touched; a dry run
// refuses alike.
TEST_P(RefusedApply, NamesTheKeyAndTouchesNoFile) {
  ScratchConfig scratch;
  scratch.write("given.json", GetParam().json);
  const auto before = dat_files(scratch);
  for (const char* option : {"--dry-run", ""}) {
    const CliResult result = apply_text(scratch, GetParam().json, option);
    EXPECT_EQ(result.status, 2) << option;
    EXPECT_EQ(result.out, "");
    const std::string prefix = GetParam().message.starts_with("cannot") ? "config: " : "config: given.json: ";
    EXPECT_EQ(result.err, prefix + GetParam().message + "\n") << option;
  }
  EXPECT_EQ(dat_files(scratch), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedApply,
    ::testing::Values(
        RefusedJson{"{\"seed\": 1,\n \"x\": tru}", "line 2, column 10: syntax error while parsing value - invalid literal; last read: '\"x\": tru}'"},
        RefusedJson{"[1]", "expected an object of keys, found an array"},
        RefusedJson{R"({"seed": "1"})", "/seed: expected an integer, found a string"},
        RefusedJson{R"({"seed": 1.0})", "/seed: expected an integer, found a number with a fraction or an exponent"},
        RefusedJson{R"({"seed": 2147483648})", "/seed: expected an integer within 32 bits, found 2147483648"},
        RefusedJson{R"({"seed": null})", "/seed: expected an integer, found null"},
        RefusedJson{R"({"temp_to": "Inf"})", "/temp_to: expected a real number (or \"Infinity\", \"-Infinity\" or \"NaN\"), found a string"},
        RefusedJson{R"({"mb_aa": {"name": "Agg"}})", "/mb_aa/name: a text longer than the field: at most 2 characters"},
        RefusedJson{R"({"mb_aa": {"name": "A\n"}})", "/mb_aa/name: a line feed, which no line of parameter1.dat can hold"},
        RefusedJson{R"({"mb_aa": {"name": "\u0000b"}})", "/mb_aa/name: a control character, which no line of parameter1.dat should hold"},
        RefusedJson{std::string(20, '[') + std::string(20, ']'), "nested deeper than 16 levels, far deeper than a configuration"},
        RefusedJson{R"({"seed": 1, "seed": 2})", "/seed: given twice"},
        RefusedJson{R"({"mb_aa": {"r0": 1, "r0": 1}})", "/mb_aa/r0: given twice"},
        RefusedJson{R"({"newer_key": 1})", "/newer_key: unknown key"},
        RefusedJson{R"({"mb_aa": {"r9": 1}})", "/mb_aa/r9: unknown key"},
        RefusedJson{R"({"mb_aa": 1})", "/mb_aa: expected an object of members, found a number"},
        RefusedJson{R"({"mc_steps": [1, 2]})", "/mc_steps: expected an array of 3, found one of 2"},
        RefusedJson{R"({"min_method": 6})", "/min_method: 6 is not one of its codes 1, 2, 3, 4 or 5"},
        RefusedJson{R"({"residues_type": ["L"], "residues_num": [1, 2]})",
                    "/residues_num: residues_type and residues_num differ in length: 1 and 2"},
        RefusedJson{R"({"residues_num": [1]})",
                    "/residues_num: 1 sets where there are 3: a column given alone keeps the number of sets"},
        RefusedJson{R"({"residue_set_count": 2})", "/residue_set_count: 2 where there are 3 sets"},
        RefusedJson{R"({"ch_st": [1], "ch_end": [2], "ch_count": 2})", "/ch_count: 2 where there are 1 sets"},
        RefusedJson{R"({"residues_type": "LB"})", "/residues_type: expected an array of sets, found a string"},
        // The rules: a derived value given must be the one its rule gives.
        RefusedJson{R"({"func_bc": 3})",
                    "cannot set func_bc to 3.0: its rule gives 10.291681957957886 (under min_method 5 every save makes it "
                    "the close-pack value of particle_count)"},
        RefusedJson{R"({"particle_count": 60, "seed": 3})",
                    "cannot set seed to 3: its rule gives 59 (after a new particle_count a seed other than 0 becomes "
                    "particle_count - 1)"},
        RefusedJson{R"({"potential_type": 5, "particle_count": 60, "a_atom_count": 7})",
                    "cannot set a_atom_count to 7: its rule gives 60 (after a new particle_count under potential type 5 "
                    "it becomes particle_count)"},
        RefusedJson{R"({"potential_type": 9, "a_atom_count": 5, "qsc_count": 6})",
                    "cannot set a_atom_count and qsc_count to different values: under potential type 9 they are one value"}));

TEST(Apply, RefusesMoreSetsThanAFileMayHold) {
  ScratchConfig scratch;
  std::string types = "[";
  std::string numbers = "[";
  for (int k = 0; k < 10001; ++k) types += k == 0 ? "\"L\"" : ",\"L\"", numbers += k == 0 ? "1" : ",1";
  const CliResult result = apply_text(scratch, R"({"residues_type": )" + types + R"(], "residues_num": )" + numbers + "]}");
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, "config: given.json: /residues_type: 10001 sets, more than the 10000 a file may hold\n");
}

TEST(Apply, AMissingFileOrADirectoryIsAnError) {
  ScratchConfig scratch;
  EXPECT_EQ(run_cli(scratch, {"apply", "nowhere.json"}).err, "config: nowhere.json: no such file or directory\n");
  std::filesystem::create_directory(scratch.dir() / "sub");
  EXPECT_EQ(run_cli(scratch, {"apply", "sub"}).err, "config: sub: not a regular file\n");
}

// ---- what apply takes ----

// Only what the object names changes: members given in part, a value equal
// to the stored one (a derived one too, never refused), a JSON integer for a
// real, the names of the reals JSON lacks, a column given alone.
TEST(Apply, ChangesOnlyWhatTheObjectNames) {
  ScratchConfig scratch;
  const CliResult applied = apply_text(scratch, R"({"mb_aa": {"e0": 2}, "func_bc": 10.291681957957886,
      "temp_from": "-Infinity", "temp_to": "NaN", "residues_num": [7, 8, 9], "seed": 0})");
  ASSERT_EQ(applied.status, 0) << applied.err;
  EXPECT_EQ(run_ok(scratch, {"get", "mb_aa.e0", "mb_aa.r0", "temp_from", "temp_to", "residues_type[1]", "residues_num[3]"}).out,
            "2.0\n2.89\n-Infinity\nNaN\nLBB\n9\n");
  // A derived value given as its rule gives it, after a change that moves it.
  ASSERT_EQ(apply_text(scratch, R"({"particle_count": 56, "func_bc": 12.220880840240035})").status, 0);
  EXPECT_EQ(run_ok(scratch, {"get", "func_bc"}).out, "12.220880840240035\n");
}

TEST(Apply, WritesOnlyTheFilesWhoseTextChanges) {
  ScratchConfig scratch;
  const auto before = dat_files(scratch);
  ASSERT_EQ(apply_text(scratch, R"({"mb_aa": {"e0": 0.1031}, "ch_st": [1], "ch_end": [2]})").status, 0);
  auto after = dat_files(scratch);
  EXPECT_NE(after.at("chima2.dat"), before.at("chima2.dat"));
  after.erase("chima2.dat");
  auto unchanged = before;
  unchanged.erase("chima2.dat");
  EXPECT_EQ(after, unchanged);
  EXPECT_FALSE(scratch.exists("parameter1.dat~"));
}

// ---- diff ----

struct DiffCase {
  std::vector<std::string> setup_b;  // set pairs for B, a copy of the example
  std::string json_b;                // or else B is this JSON file
  std::vector<std::string> options;
  std::string out;
  int status;
};

class Diff : public ::testing::TestWithParam<DiffCase> {};

TEST_P(Diff, PrintsEachDifferingKeyInFileOrder) {
  const DiffCase& c = GetParam();
  ScratchConfig a;
  ScratchConfig b;
  if (!c.setup_b.empty()) {
    std::vector<std::string> args = {"set"};
    args.insert(args.end(), c.setup_b.begin(), c.setup_b.end());
    run_ok(b, args);
  }
  std::string other = b.dir().string();
  if (!c.json_b.empty()) {
    b.write("b.json", c.json_b);
    other = (b.dir() / "b.json").string();
  }
  std::vector<std::string> args = {"diff"};
  args.insert(args.end(), c.options.begin(), c.options.end());
  args.push_back(other);
  const CliResult result = run_cli(a, args);
  EXPECT_EQ(result.status, c.status) << result.err;
  EXPECT_EQ(result.out, c.out);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Diff,
    ::testing::Values(
        DiffCase{{}, "", {}, "", 0},
        DiffCase{{"mc_steps[2]=7", "mb_aa.name=Au", "residues_num[2]=5"}, "", {},
                 "mc_steps[2]: 5000 -> 7\nmb_aa.name: Ag -> Au\nresidues_num[2]: 10 -> 5\n", 1},
        DiffCase{{"seed=5", "temp_to=Inf"}, "", {"--json"}, "{\n  \"seed\": [0, 5],\n  \"temp_to\": [0.8, \"Infinity\"]\n}\n", 1},
        DiffCase{{}, "", {"--json"}, "{}\n", 0},
        // A JSON side is compared on what it names alone; a set on one side
        // only is (none) on the other, and the count differs too.
        DiffCase{{}, R"({"mb_aa": {"e0": 5}, "residues_type": ["LBB", "B", "LB", "L"], "residues_num": [4, 10, 8, 1]})", {},
                 "mb_aa.e0: 0.1031 -> 5.0\nresidues_type[4]: (none) -> L\nresidues_num[4]: (none) -> 1\n", 1},
        DiffCase{{}, R"({"residue_set_count": 1, "residues_type": ["LBB"], "residues_num": [4]})", {"--json"},
                 "{\n  \"residue_set_count\": [3, 1],\n  \"residues_type[2]\": [\"B\", null],\n  \"residues_type[3]\": [\"LB\", null],\n"
                 "  \"residues_num[2]\": [10, null],\n  \"residues_num[3]\": [8, null]\n}\n", 1},
        DiffCase{{}, "{}", {}, "", 0},
        DiffCase{{}, R"({"seed": "x"})", {}, "", 2}));

TEST(Diff, ErrorsAreStatus2) {
  ScratchConfig a;
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{"diff", "nowhere"}, "config: nowhere: no such file or directory\n"},
      {{"diff", "-", "-"}, "config: diff: only one of the two may be standard input (-)\n"},
      {{"diff", "a", "b", "c"}, "config: diff takes at most two configurations\n"},
      {{"diff", "--last-save"}, "config: diff --last-save: no backups (NAME~) here to compare with\n"},
      {{"diff", "/"}, "config: /: atom_num.dat: "},
  };
  for (const auto& c : cases) {
    const CliResult result = run_cli(a, c.args);
    EXPECT_EQ(result.status, 2) << c.args[1];
    EXPECT_EQ(result.err.substr(0, c.err.size()), c.err);
  }
}

// The last save's NAME~ backups against the files: what it changed, and a
// file it did not write counts as unchanged.
TEST(Diff, LastSaveShowsWhatTheLastSaveChanged) {
  ScratchConfig scratch;
  run_ok(scratch, {"set", "mc_steps[1]=9", "mb_aa.r0=3"});
  run_ok(scratch, {"set", "mb_aa.r0=4"});
  const CliResult result = run_cli(scratch, {"diff", "--last-save"});
  EXPECT_EQ(result.status, 1) << result.err;
  EXPECT_EQ(result.out, "mb_aa.r0: 3.0 -> 4.0\n");
  EXPECT_EQ(run_cli(scratch, {"diff", "--last-save", "--json"}).out, "{\n  \"mb_aa.r0\": [3.0, 4.0]\n}\n");
}

// ---- dry runs ----

// What would change, the rules' changes included, and no file touched.
TEST(DryRun, PrintsTheChangesAndWritesNothing) {
  ScratchConfig scratch;
  const auto before = dat_files(scratch);
  const CliResult set = run_cli(scratch, {"set", "--dry-run", "particle_count=56", "mc_steps[1]=9"});
  EXPECT_EQ(set.status, 0) << set.err;
  EXPECT_EQ(set.out,
            "particle_count: 38 -> 56\nbox_width: 10.291681957957886 -> 12.220880840240035\n"
            "func_bc: 10.291681957957886 -> 12.220880840240035\nmc_steps[1]: 5000 -> 9\n");
  const CliResult nothing = apply_text(scratch, R"({"seed": 0})", "--dry-run");
  EXPECT_EQ(nothing.status, 0) << nothing.err;
  EXPECT_EQ(nothing.out, "");
  EXPECT_EQ(run_cli(scratch, {"set", "--dry-run", "min_method=7"}).status, 2);
  EXPECT_EQ(dat_files(scratch), before);
  EXPECT_FALSE(scratch.exists("data.dat~"));
}

}  // namespace
}  // namespace cfg::testing

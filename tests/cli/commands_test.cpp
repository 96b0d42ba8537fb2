#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/bundled_examples.h"
#include "io/errors.h"
#include "support/cli_harness.h"
#include "support/memory_file_system.h"

namespace cfg::testing {
namespace {

std::string option_8_output(const ScratchConfig& scratch) { return scratch.run("8\n").out; }

TEST(Show, PrintsOption8sReportAndNothingElse) {
  ScratchConfig scratch;
  const CliResult result = run_cli(scratch, {"show"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");
  const std::string report = after_last(option_8_output(scratch), " Load the previous configuration !\n");
  ASSERT_EQ(report.rfind(result.out, 0), 0U);
  // What follows in option 8 is the closing banner alone.
  EXPECT_NE(report.substr(result.out.size()).find("Configuration finished"), std::string::npos);
  EXPECT_EQ(result.out.find("Configuration finished"), std::string::npos);
}

TEST(Show, StopsWhereTheReportStopsWithStatus1) {
  ScratchConfig scratch;
  std::string data = scratch.read("data.dat");
  const std::size_t record_8 = data.find("1 2 2 1.0 0.08 0.8 1");
  ASSERT_NE(record_8, std::string::npos);
  data.replace(record_8, 20, "1 2 2 1.0 0.08 0.8 3");
  scratch.write("data.dat", data);
  const CliResult result = run_cli(scratch, {"show"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, after_last(option_8_output(scratch), " Load the previous configuration !\n"));
  EXPECT_NE(result.out.find("ERROR!!"), std::string::npos);
}

TEST(Commands, LoadLikeStartUpWithItsErrorsAndStatus) {
  ScratchConfig scratch;
  scratch.remove("parameter2.dat");  // not of the example's type, read at start-up all the same
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"show"}, {"show", "--json"}, {"get", "seed"}, {"set", "seed=1"}}) {
    const CliResult result = run_cli(scratch, args);
    EXPECT_EQ(result.status, 2) << args[0];
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, scratch.run("").err) << args[0];
  }
}

TEST(Commands, TheStoredSeedRecoverAndAlloyCountAreShown) {
  ScratchConfig scratch;
  scratch.write("atom_num.dat", " 38 5\n");
  scratch.write("type.dat", " 5 2\n");
  scratch.write("alloy.dat", " 10\n");
  std::string data = scratch.read("data.dat");
  data.replace(data.find("0 0 1.0D-4"), 10, "1 0 1.0D-4");
  scratch.write("data.dat", data);
  EXPECT_EQ(run_cli(scratch, {"get", "seed", "recover", "a_atom_count"}).out, "5\n1\n10\n");
}

struct CheckCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> writes;  // empty text: remove
  std::vector<std::string> named;                            // one problem line each
};

void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.name; }

class Check : public ::testing::TestWithParam<CheckCase> {};

TEST_P(Check, ReportsEveryProblemOnALineOfItsOwn) {
  ScratchConfig scratch;
  for (const auto& [name, text] : GetParam().writes) {
    if (text.empty()) {
      scratch.remove(name);
    } else {
      scratch.write(name, text);
    }
  }
  const CliResult result = run_cli(scratch, {"check"});
  EXPECT_EQ(result.out, "");
  const std::vector<std::string> lines = lines_of(result.err);
  ASSERT_EQ(lines.size(), GetParam().named.size()) << result.err;
  for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_NE(lines[i].find(GetParam().named[i]), std::string::npos) << lines[i];
  EXPECT_EQ(result.status, lines.empty() ? 0 : 2);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Check,
    ::testing::Values(CheckCase{"all_well", {}, {}},
                      CheckCase{"three_bad_files",
                                {{"data.dat", " 1 2\n"}, {"eam_ab.dat", " Cu x\n"}, {"enrgpmt.dat", " Ag 1 2 3 4 5\n"}},
                                {"data.dat: the file ends", "eam_ab.dat, line 1: expected a real number, found \"x\"",
                                 "enrgpmt.dat: the file ends"}},
                      CheckCase{"missing_library", {{"enrgpmt.dat", ""}}, {"enrgpmt.dat: the file does not exist"}},
                      CheckCase{"missing_particle_count", {{"atom_num.dat", ""}}, {"atom_num.dat: the file does not exist"}},
                      CheckCase{"bad_set_file",
                                {{"chima2.dat", " 1 x\n"}},
                                {"chima2.dat, line 1: expected an integer"}}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(Check, NamesAReportThatWouldStop) {
  ScratchConfig scratch;
  std::string data = scratch.read("data.dat");
  data.replace(data.find("1 2 2 1.0 0.08 0.8 1"), 20, "1 2 2 1.0 0.08 0.8 0");
  scratch.write("data.dat", data);
  scratch.remove("qscff.dat");
  const CliResult result = run_cli(scratch, {"check"});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(lines_of(result.err).size(), 2U) << result.err;
  EXPECT_NE(result.err.find("temp_range_use"), std::string::npos);
  EXPECT_NE(result.err.find("qscff.dat"), std::string::npos);
}

// A box that no run can size: what a negative particle count once stored.
TEST(Check, NamesABoxWidthOrFuncBcThatIsNotFinite) {
  ScratchConfig scratch;
  std::string data = scratch.read("data.dat");
  data.replace(0, data.find(" 1.0D-12"), "NaN");
  data.replace(data.find(" 10.291681957957886"), 19, " -Inf");
  scratch.write("data.dat", data);
  const CliResult result = run_cli(scratch, {"check"});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err,
            "config: data.dat, record 1: box_width is not a finite number\n"
            "config: data.dat, record 1: func_bc is not a finite number\n");
}

TEST(Init, WritesTheExampleIntoAnEmptyDirectoryWhereEverythingWorks) {
  ScratchConfig examples;
  ScratchConfig scratch;
  for (const auto& entry : std::filesystem::directory_iterator(scratch.dir())) std::filesystem::remove(entry.path());
  const CliResult result = run_cli(scratch, {"init"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out + result.err, "");
  std::size_t count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(examples.dir())) {
    const std::string name = entry.path().filename().string();
    EXPECT_EQ(scratch.read(name), examples.read(name)) << name;
    ++count;
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch.dir()), std::filesystem::directory_iterator()),
            static_cast<std::ptrdiff_t>(count));
  EXPECT_EQ(run_cli(scratch, {"check"}).status, 0);
  EXPECT_EQ(run_cli(scratch, {"show"}).status, 0);
  EXPECT_EQ(scratch.run("8\n").status, 0);
}

TEST(Init, WritesNothingWhereAFileIsThere) {
  ScratchConfig scratch;
  for (const auto& entry : std::filesystem::directory_iterator(scratch.dir())) {
    if (entry.path().filename() != "type.dat") std::filesystem::remove(entry.path());
  }
  scratch.write("type.dat", " 3 2\n");
  const CliResult result = run_cli(scratch, {"init"});
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("type.dat"), std::string::npos);
  EXPECT_FALSE(scratch.exists("data.dat"));
  EXPECT_EQ(scratch.read("type.dat"), " 3 2\n");
}

// A disk that fails at the writing of one file (its temporary's rename into
// place).
class FailingAt : public MemoryFileSystem {
 public:
  explicit FailingAt(std::string name) : name_(std::move(name)) {}
  void rename(const std::string& from, const std::string& to) override {
    if (to == name_) throw FatalError(to + ": cannot write");
    MemoryFileSystem::rename(from, to);
  }

 private:
  std::string name_;
};

TEST(Init, RemovesWhatItWroteWhenAWriteFails) {
  const auto bundled = bundled_examples();
  ASSERT_GT(bundled.size(), 2U);
  FailingAt disk(std::string(bundled[2].name));
  const CliResult result = run_command_on(Command{"init", "", {}}, disk);
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find(bundled[2].name), std::string::npos);
  EXPECT_TRUE(disk.files.empty());
}

TEST(StartUp, AMissingParticleCountFilePointsToInit) {
  ScratchConfig scratch;
  scratch.remove("atom_num.dat");
  const SessionResult result = scratch.run("");
  EXPECT_EQ(result.status, 2);
  const std::vector<std::string> lines = lines_of(result.err);
  ASSERT_EQ(lines.size(), 2U) << result.err;
  EXPECT_EQ(lines[0], "config: atom_num.dat: the file does not exist");
  EXPECT_NE(lines[1].find("config init"), std::string::npos);
}

}  // namespace
}  // namespace cfg::testing

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "io/output_writer.h"
#include "support/cli_harness.h"

namespace cfg::testing {
namespace {

struct ParseCase {
  std::vector<std::string_view> args;
  std::vector<std::string> directories;
  bool help;
  bool version;
  std::string command;
  std::vector<std::string> operands;
  bool json;
  bool error;
};

void PrintTo(const ParseCase& c, std::ostream* os) {
  for (std::string_view arg : c.args) *os << arg << ' ';
}

class ParseCommandLine : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseCommandLine, ReadsWhatWasTyped) {
  const ParseCase& c = GetParam();
  const CommandLine line = parse_command_line(c.args);
  EXPECT_EQ(line.directories, c.directories);
  EXPECT_EQ(line.help, c.help);
  EXPECT_EQ(line.version, c.version);
  EXPECT_EQ(line.command.name, c.command);
  EXPECT_EQ(line.command.operands, c.operands);
  EXPECT_EQ(line.command.json, c.json);
  EXPECT_EQ(!line.error.empty(), c.error) << line.error;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseCommandLine,
    ::testing::Values(ParseCase{{"--help"}, {}, true, false, "", {}, false, false},
                      ParseCase{{"-h"}, {}, true, false, "", {}, false, false},
                      ParseCase{{"--version"}, {}, false, true, "", {}, false, false},
                      ParseCase{{"-C", "a", "-C", "b"}, {"a", "b"}, false, false, "", {}, false, false},
                      ParseCase{{"-C", "a", "show", "--json"}, {"a"}, false, false, "show", {}, true, false},
                      ParseCase{{"get", "seed", "mc_steps[2]"}, {}, false, false, "get", {"seed", "mc_steps[2]"}, false, false},
                      ParseCase{{"set", "emin=-3"}, {}, false, false, "set", {"emin=-3"}, false, false},
                      ParseCase{{"get", "-h"}, {}, true, false, "get", {}, false, false},
                      ParseCase{{"-C"}, {}, false, false, "", {}, false, true},
                      ParseCase{{"--frob"}, {}, false, false, "", {}, false, true},
                      ParseCase{{"frob"}, {}, false, false, "", {}, false, true},
                      ParseCase{{"get", "--json"}, {}, false, false, "get", {}, false, true},
                      ParseCase{{"set", "-x"}, {}, false, false, "set", {}, false, true},
                      ParseCase{{"check", "extra"}, {}, false, false, "check", {}, false, true},
                      ParseCase{{"show", "-C", "a"}, {}, false, false, "show", {}, false, true}));

TEST(CommandLine, HelpAndVersionGoToStandardOutput) {
  ScratchConfig scratch;
  const CliResult help = run_cli(scratch, {"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out, usage_text());
  EXPECT_EQ(help.err, "");
  const CliResult version = run_cli(scratch, {"--version"});
  EXPECT_EQ(version.status, 0);
  // config MAJOR.MINOR.PATCH, the banner showing MAJOR.MINOR.
  const std::string& text = version.out;
  ASSERT_EQ(text.rfind("config ", 0), 0U) << text;
  const std::size_t patch_dot = text.rfind('.');
  ASSERT_NE(patch_dot, std::string::npos);
  const std::string major_minor = text.substr(7, patch_dot - 7);
  EXPECT_NE(major_minor.find('.'), std::string::npos);
  std::string banner_line = "             VERSION  v" + major_minor;
  banner_line.resize(45, ' ');
  EXPECT_NE(scratch.run("8\n").out.find(" " + banner_line + "\n"), std::string::npos) << banner_line;
}

TEST(CommandLine, AWrongArgumentIsOneLineAndAHintOnStandardError) {
  ScratchConfig scratch;
  for (const std::vector<std::string>& args : {std::vector<std::string>{"--frob"}, {"frob"}, {"show", "x"}}) {
    const CliResult result = run_cli(scratch, args);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(lines_of(result.err).size(), 2U) << result.err;
    EXPECT_NE(result.err.find("config --help"), std::string::npos);
  }
  EXPECT_EQ(run_cli(scratch, {"get"}).status, 2);
  EXPECT_EQ(run_cli(scratch, {"set"}).status, 2);
}

TEST(CommandLine, DashCWorksInTheDirectoryGiven) {
  ScratchConfig scratch;
  scratch.write("atom_num.dat", " 77 0\n");
  const std::filesystem::path parent = scratch.dir().parent_path();
  const std::string name = scratch.dir().filename().string();
  const CliResult result = run_cli_in(parent, {"-C", name, "get", "particle_count"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "77\n");
  // Relative to the one before, as a second -C is.
  EXPECT_EQ(run_cli_in(parent, {"-C", "/", "-C", parent.string(), "-C", name, "get", "particle_count"}).out, "77\n");
}

TEST(CommandLine, DashCAloneLeavesTheRestToTheInteractiveProgramInThatDirectory) {
  ScratchConfig scratch;
  const std::filesystem::path before = std::filesystem::current_path();
  StringWriter out;
  StringWriter err;
  bool interactive = false;
  const std::string directory = scratch.dir().string();
  const int status = run_command_line({"-C", directory}, out, err, interactive);
  const std::filesystem::path after = std::filesystem::current_path();
  std::filesystem::current_path(before);
  EXPECT_EQ(status, 0);
  EXPECT_TRUE(interactive);
  EXPECT_EQ(std::filesystem::canonical(after), std::filesystem::canonical(scratch.dir()));
}

TEST(CommandLine, AMissingDirectoryIsAnError) {
  ScratchConfig scratch;
  const CliResult result = run_cli(scratch, {"-C", "no-such-directory", "show"});
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("no-such-directory"), std::string::npos);
  EXPECT_FALSE(result.interactive);
}

}  // namespace
}  // namespace cfg::testing

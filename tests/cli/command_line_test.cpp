#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/command_table.h"
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
  std::string option;
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
  EXPECT_EQ(line.command.option, c.option);
  EXPECT_EQ(!line.error.empty(), c.error) << line.error;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseCommandLine,
    ::testing::Values(ParseCase{{"--help"}, {}, true, false, "", {}, "", false},
                      ParseCase{{"-h"}, {}, true, false, "", {}, "", false},
                      ParseCase{{"--version"}, {}, false, true, "", {}, "", false},
                      ParseCase{{"-C", "a", "-C", "b"}, {"a", "b"}, false, false, "", {}, "", false},
                      ParseCase{{"-C", "a", "show", "--json"}, {"a"}, false, false, "show", {}, "--json", false},
                      ParseCase{{"get", "seed", "mc_steps[2]"}, {}, false, false, "get", {"seed", "mc_steps[2]"}, "", false},
                      ParseCase{{"set", "emin=-3"}, {}, false, false, "set", {"emin=-3"}, "", false},
                      ParseCase{{"get", "-h"}, {}, true, false, "get", {}, "", false},
                      ParseCase{{"-C"}, {}, false, false, "", {}, "", true},
                      ParseCase{{"--frob"}, {}, false, false, "", {}, "", true},
                      ParseCase{{"frob"}, {}, false, false, "", {}, "", true},
                      ParseCase{{"get", "--json"}, {}, false, false, "get", {}, "", true},
                      ParseCase{{"set", "-x"}, {}, false, false, "set", {}, "", true},
                      ParseCase{{"check", "extra"}, {}, false, false, "check", {}, "", true},
                      ParseCase{{"show", "-C", "a"}, {}, false, false, "show", {}, "", true},
                      // "--" ends the options: what follows is a command or an operand.
                      ParseCase{{"get", "--", "seed"}, {}, false, false, "get", {"seed"}, "", false},
                      ParseCase{{"set", "--", "-x=1", "-h"}, {}, false, false, "set", {"-x=1", "-h"}, "", false},
                      ParseCase{{"--", "check"}, {}, false, false, "check", {}, "", false},
                      ParseCase{{"-C", "a", "--", "-C"}, {"a"}, false, false, "", {}, "", true},
                      ParseCase{{"show", "--", "--json"}, {}, false, false, "show", {}, "", true},
                      // Options of a form in any order, "-" an operand, an option twice refused.
                      ParseCase{{"diff", "--json", "--last-save"}, {}, false, false, "diff", {}, "--last-save --json", false},
                      ParseCase{{"diff", "--last-save", "--json"}, {}, false, false, "diff", {}, "--last-save --json", false},
                      ParseCase{{"diff", "--json", "--json", "a"}, {}, false, false, "diff", {}, "--json", true},
                      ParseCase{{"apply", "-", "--dry-run"}, {}, false, false, "apply", {"-"}, "--dry-run", false},
                      ParseCase{{"diff", "--last-save", "a"}, {}, false, false, "diff", {}, "--last-save", true}));

TEST(CommandLine, HelpAndVersionGoToStandardOutput) {
  ScratchConfig scratch;
  const CliResult help = run_cli(scratch, {"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out, usage_text());
  EXPECT_EQ(help.err, "");
  const CliResult version = run_cli(scratch, {"--version"});
  EXPECT_EQ(version.status, 0);
  // config MAJOR.MINOR.PATCH; the banner shows the specified screen's v2.8
  // whatever the package version.
  ASSERT_EQ(version.out.rfind("config ", 0), 0U) << version.out;
  EXPECT_NE(scratch.run("8\n").out.find("              VERSION  v2.8                   \n"), std::string::npos);
}

// The usage text, as scripts and the manual know it.
TEST(CommandLine, TheUsageTextIsAsDocumented) {
  EXPECT_EQ(usage_text(),
            "usage: config [-C DIR] [COMMAND [ARGS]]\n"
            "\n"
            "With no command, config is the interactive editor of the configuration files\n"
            "in the working directory. The commands are for scripts:\n"
            "\n"
            "  show              print the summary report of the stored configuration\n"
            "  show --json       print every stored value as one JSON object\n"
            "  get KEY...        print each value named, one a line\n"
            "  set KEY=VALUE...  change values and save the files that change\n"
            "  set --dry-run KEY=VALUE...\n"
            "                    print what set would change, and change nothing\n"
            "  apply FILE        change the values a JSON object gives, as set does\n"
            "  apply --dry-run FILE\n"
            "                    print what apply would change, and change nothing\n"
            "  diff [A] B        print the values that differ between two configurations\n"
            "  diff --json [A] B the same as one JSON object\n"
            "  diff --last-save  print what the last save changed, from its NAME~ backups\n"
            "  diff --last-save --json\n"
            "                    the same as one JSON object\n"
            "  check             read every file and report each problem found\n"
            "  init              write the bundled example configuration here\n"
            "  keys [PATTERN...] list the keys with their kinds, files and meanings\n"
            "  keys --json [PATTERN...]\n"
            "                    the same as one JSON array\n"
            "  completion bash|zsh|fish\n"
            "                    print the shell's completion script\n"
            "\n"
            "Options:\n"
            "  -C DIR            work in DIR, as if started there\n"
            "  -h, --help        print this text\n"
            "  --version         print the version\n"
            "\n"
            "Keys are the field names: box_width, mc_steps[2], mb_ab.r0, qsc_a.name, ...\n"
            "Exit status: 0 done; 1 the report stopped with ERROR!! (show), the two differ\n"
            "(diff) or no key matched (keys); 2 an error.\n"
            "See config(1) for the keys and the rules of set and apply.\n");
}

// The manual's COMMANDS section has one tagged paragraph per command form,
// headed by its name and option: exactly the forms of the table.
TEST(CommandLine, TheManualNamesEveryCommandFormAndNoOther) {
  std::ifstream manual(CONFIG_TESTS_DIR "/../docs/config.1");
  ASSERT_TRUE(manual) << "docs/config.1";
  std::set<std::string> documented;
  bool in_commands = false;
  std::string line;
  std::string previous;
  while (std::getline(manual, line)) {
    if (line.rfind(".SH", 0) == 0 || line.rfind(".SS", 0) == 0) in_commands = line == ".SH COMMANDS";
    if (in_commands && (previous == ".TP" || previous == ".TQ") && line.rfind(".B", 0) == 0) {
      // ".BI "set \-\-dry\-run" " key" ...": the name, then each option.
      std::string words_text = line.substr(line.find(' ') + 1);
      std::erase(words_text, '"');
      std::istringstream words(words_text);
      std::string form;
      words >> form;
      for (std::string word; words >> word && word.rfind("\\-\\-", 0) == 0;) {
        std::string option = word;
        for (std::size_t at; (at = option.find("\\-")) != std::string::npos;) option.erase(at, 1);
        form.append(" ").append(option);
      }
      documented.insert(form);
    }
    previous = line;
  }
  std::set<std::string> forms;
  for (const CommandForm& form : command_forms()) {
    std::string name(form.name);
    if (!form.option.empty()) name.append(" ").append(form.option);
    forms.insert(name);
  }
  EXPECT_EQ(documented, forms);
}

TEST(CommandLine, DoubleDashEndsTheOptions) {
  ScratchConfig scratch;
  const CliResult got = run_cli(scratch, {"get", "--", "particle_count"});
  EXPECT_EQ(got.status, 0) << got.err;
  EXPECT_EQ(got.out, "38\n");
  const CliResult set = run_cli(scratch, {"set", "--", "particle_count=40"});
  EXPECT_EQ(set.status, 0) << set.err;
  EXPECT_EQ(run_cli(scratch, {"get", "particle_count"}).out, "40\n");
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

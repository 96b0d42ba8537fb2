#ifdef CONFIG_HAVE_READLINE

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "driver/run_config.h"
#include "io/file_system.h"
#include "io/line_source.h"
#include "io/output_writer.h"
#include "io/readline_lines.h"
#include "support/session_harness.h"
#include "terminal/keystrokes.h"

// The same answers typed at a terminal (through the line editor) and piped in
// (plain lines) must leave the same output, error stream, status and files.
namespace cfg {
namespace {

using testing::ScratchConfig;

struct Outcome {
  std::string out;
  std::string err;
  int status = -1;
  std::map<std::string, std::string> files;
};

Outcome run_session(LineSource& keyboard) {
  ScratchConfig scratch;
  // A seeding number other than 0 in a free-form record: a save rewrites it.
  scratch.write("atom_num.dat", "38,5\n");
  StringWriter out;
  StringWriter err;
  DiskFileSystem files(scratch.dir());
  Outcome outcome;
  outcome.status = run_config(keyboard, out, err, files);
  outcome.out = out.text();
  outcome.err = err.text();
  for (const auto& entry : std::filesystem::directory_iterator(scratch.dir())) {
    const std::string name = entry.path().filename().string();
    outcome.files[name] = scratch.read(name);
  }
  return outcome;
}

Outcome run_piped(const std::string& answers) {
  TextLines keyboard("keyboard", answers);
  return run_session(keyboard);
}

Outcome run_typed(const std::string& keystrokes) {
  ScratchStream input(keystrokes);
  ScratchStream echo;
  ReadlineSettings settings;
  settings.input = input.get();
  settings.echo = echo.get();
  ReadlineLines keyboard("keyboard", settings);
  return run_session(keyboard);
}

void expect_same(const Outcome& typed, const Outcome& piped) {
  EXPECT_EQ(typed.status, piped.status);
  EXPECT_EQ(typed.out, piped.out);
  EXPECT_EQ(typed.err, piped.err);
  EXPECT_EQ(typed.files, piped.files);
}

class SameOutput : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override { use_default_line_editor(); }
};

TEST_P(SameOutput, ForTheSameAnswers) {
  const std::string answers = GetParam();
  expect_same(run_typed(answers), run_piped(answers));
}

// Sessions through the menu, its errors, both exits, the end of input, and a
// tour of every option: whatever an option asks, both sources must agree.
INSTANTIATE_TEST_SUITE_P(
    Sessions, SameOutput,
    ::testing::Values("19\nab\n9\nxy\n9\ny\n",      // wrong choices, a wrong answer, then a save
                      "\nn\n",                       // ENTER at the menu, then no save
                      " 9 \ny   trailing\n",         // blanks and text after the answer
                      "8\n",                         // back to the configuration on disk
                      "19\n",                        // input ends at the menu
                      "9\n",                         // input ends at the save question
                      "1\n12\n\n2\n5\n1\n3\n0\n0\n4\n1\n4\n5\n6\n11\nn\nn\n10\ngo\n9\ny\n",
                      "7\n\n\n1, 2 /\n3*1\n9\nn\n",  // list-directed shapes, wherever they land
                      "10\nstop\n"),                 // a pause answered with another word
    [](const ::testing::TestParamInfo<const char*>& script) { return "script" + std::to_string(script.index); });

TEST_F(SameOutput, TypedSaveReallyRanToTheEnd) {
  const Outcome typed = run_typed("19\n9\ny\n");
  EXPECT_EQ(typed.status, 0);
  EXPECT_NE(typed.out.find(" config. dat has been saved !\n"), std::string::npos);
  EXPECT_EQ(typed.files.at("atom_num.dat"), "          38          37\n");
}

TEST_F(SameOutput, EditedKeystrokesGiveTheAnswersTheyShow) {
  // 19 is refused; Up recalls it, Left and Backspace make it 9; xy is
  // refused at the save question; Up Up recalls 9; at the question again Up
  // Up recalls xy, Ctrl-A and Ctrl-D leave y.
  const std::string keystrokes = std::string("19\n") + keys::up + keys::left + keys::backspace + "\n" + "xy\n" +
                                 keys::up + keys::up + "\n" + keys::up + keys::up + keys::ctrl_a + keys::ctrl_d +
                                 "\n";
  const Outcome typed = run_typed(keystrokes);
  const Outcome piped = run_piped("19\n9\nxy\n9\ny\n");
  expect_same(typed, piped);
  EXPECT_EQ(typed.files.at("atom_num.dat"), "          38          37\n");
}

TEST_F(SameOutput, ControlDEndsTheRunAsTheEndOfAPipeDoes) {
  const Outcome typed = run_typed(std::string("19\n") + keys::ctrl_d);
  const Outcome piped = run_piped("19\n");
  expect_same(typed, piped);
  EXPECT_EQ(typed.status, 2);
  EXPECT_NE(typed.err.find("keyboard"), std::string::npos);
  EXPECT_EQ(typed.files.at("atom_num.dat"), "38,5\n");
}

}  // namespace
}  // namespace cfg

#endif  // CONFIG_HAVE_READLINE

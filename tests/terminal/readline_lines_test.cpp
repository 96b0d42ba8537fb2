#ifdef CONFIG_HAVE_READLINE

#include "io/readline_lines.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

#include "terminal/keystrokes.h"

namespace cfg {
namespace {

namespace fs = std::filesystem;

// Reads every line a keyboard session gives, through the line editor.
class ReadlineLinesTest : public ::testing::Test {
 protected:
  void SetUp() override { use_default_line_editor(); }

  std::vector<std::string> lines_of_keys(const std::string& typed, const std::string& history_file = "") {
    ScratchStream input(typed);
    ReadlineSettings settings;
    settings.input = input.get();
    settings.echo = echo_.get();
    settings.history_file = history_file;
    ReadlineLines lines("keyboard", settings);
    std::vector<std::string> result;
    std::string_view line;
    while (lines.next_line(line)) result.emplace_back(line);
    return result;
  }

  ScratchStream echo_;
};

using Lines = std::vector<std::string>;

TEST_F(ReadlineLinesTest, PlainLinesComeThroughUnchanged) {
  EXPECT_EQ(lines_of_keys("19\n\n  3, 4 /\ny   \n"), (Lines{"19", "", "  3, 4 /", "y   "}));
  // A last line without its line end still counts, as with a pipe.
  EXPECT_EQ(lines_of_keys("9\ngo"), (Lines{"9", "go"}));
  // A Tab is part of the line, not a request to complete a file name.
  EXPECT_EQ(lines_of_keys("1\t2\n"), (Lines{"1\t2"}));
}

TEST_F(ReadlineLinesTest, NamesTheKeyboardAndCountsLines) {
  ScratchStream input("4\n\n5\n");
  ReadlineSettings settings;
  settings.input = input.get();
  settings.echo = echo_.get();
  ReadlineLines lines("keyboard", settings);
  EXPECT_EQ(lines.name(), "keyboard");
  EXPECT_EQ(lines.line_number(), 0);
  std::string_view line;
  ASSERT_TRUE(lines.next_line(line));
  ASSERT_TRUE(lines.next_line(line));
  ASSERT_TRUE(lines.next_line(line));
  EXPECT_EQ(line, "5");
  EXPECT_EQ(lines.line_number(), 3);
  EXPECT_FALSE(lines.next_line(line));
  EXPECT_EQ(lines.line_number(), 3);
}

TEST_F(ReadlineLinesTest, UpAndDownRecallEarlierAnswers) {
  const std::string typed = std::string("1\n2\n3\n") + keys::up + "\n" +          // the last answer again
                            keys::up + keys::up + keys::up + keys::up + keys::down +  // to the first, one back
                            "\n";
  EXPECT_EQ(lines_of_keys(typed), (Lines{"1", "2", "3", "3", "2"}));
}

TEST_F(ReadlineLinesTest, EmptyLinesAreNotRecalled) {
  const std::string typed = std::string("7\n") + "\n" + "\n" + keys::up + "\n";
  EXPECT_EQ(lines_of_keys(typed), (Lines{"7", "", "", "7"}));
}

TEST_F(ReadlineLinesTest, ArrowsHomeEndAndControlKeysEditTheLine) {
  const std::string typed = std::string("12") + keys::left + "5\n" +                           // 152
                            "34" + keys::ctrl_a + "9" + keys::ctrl_e + "0\n" +                  // 9340
                            "ab" + keys::home + "x" + keys::end + "y\n" +                       // xaby
                            "go" + keys::left + keys::left + keys::right + keys::backspace +    // o
                            "\n" + "12" + keys::ctrl_a + keys::ctrl_d + "\n";                   // 2
  EXPECT_EQ(lines_of_keys(typed), (Lines{"152", "9340", "xaby", "o", "2"}));
}

TEST_F(ReadlineLinesTest, RecalledAnswerCanBeEdited) {
  const std::string typed = std::string("12\n") + keys::up + keys::left + keys::backspace + "5" + keys::right + "\n";
  // 12, recalled, cursor before the 2, the 1 rubbed out, 5 typed: 52.
  EXPECT_EQ(lines_of_keys(typed), (Lines{"12", "52"}));
}

TEST_F(ReadlineLinesTest, ControlDOnAnEmptyLineEndsTheInput) {
  EXPECT_EQ(lines_of_keys(std::string("go\n") + keys::ctrl_d + "9\n"), (Lines{"go"}));
  EXPECT_EQ(lines_of_keys(keys::ctrl_d), (Lines{}));
}

TEST_F(ReadlineLinesTest, TypedLineIsEchoedOnTheEchoStream) {
  lines_of_keys("19\n");
  EXPECT_NE(echo_.text().find("19"), std::string::npos);
}

TEST_F(ReadlineLinesTest, EachRunStartsWithoutHistoryWhenNoFileIsKept) {
  lines_of_keys("31\n");
  EXPECT_EQ(lines_of_keys(std::string(keys::up) + "\n"), (Lines{""}));
}

TEST_F(ReadlineLinesTest, HistoryFileCarriesAnswersToTheNextRun) {
  const fs::path file = fs::temp_directory_path() / ("config-history-" + std::to_string(::getpid()));
  fs::remove(file);
  lines_of_keys("31\n\n8\n", file.string());
  EXPECT_TRUE(fs::exists(file));
  EXPECT_EQ(lines_of_keys(std::string(keys::up) + keys::up + "\n" + "n\n", file.string()), (Lines{"31", "n"}));
  // The file keeps the non-empty answers of both runs, oldest first.
  std::ifstream saved(file);
  std::vector<std::string> kept;
  for (std::string line; std::getline(saved, line);) kept.push_back(line);
  EXPECT_EQ(kept, (Lines{"31", "8", "31", "n"}));
  fs::remove(file);
}

TEST_F(ReadlineLinesTest, HistoryFileIsCutToItsNewestLines) {
  const fs::path file = fs::temp_directory_path() / ("config-history-long-" + std::to_string(::getpid()));
  {
    std::ofstream old(file);
    for (int i = 0; i < ReadlineLines::kHistoryFileLines + 50; ++i) old << i << '\n';
  }
  lines_of_keys(std::string(keys::up) + "\nlast\n", file.string());
  std::ifstream saved(file);
  std::vector<std::string> kept;
  for (std::string line; std::getline(saved, line);) kept.push_back(line);
  ASSERT_EQ(kept.size(), static_cast<std::size_t>(ReadlineLines::kHistoryFileLines));
  EXPECT_EQ(kept.back(), "last");
  EXPECT_EQ(kept[kept.size() - 2], std::to_string(ReadlineLines::kHistoryFileLines + 49));
  fs::remove(file);
}

TEST_F(ReadlineLinesTest, UnwritableHistoryFileIsIgnored) {
  EXPECT_EQ(lines_of_keys(std::string("3\n") + keys::up + "\n", "/nonexistent-dir/history"), (Lines{"3", "3"}));
}

// What a plain terminal shows on the line after the text already there and
// the echo written after it: a carriage return goes back to the first
// column, a backspace one column, anything else is written over the line.
std::string shown_line(const std::string& already_shown, const std::string& echo) {
  std::string line = already_shown;
  std::size_t column = line.size();
  for (const char c : echo) {
    if (c == '\n') break;
    if (c == '\r') {
      column = 0;
    } else if (c == '\b') {
      if (column > 0) --column;
    } else {
      if (column < line.size()) {
        line[column] = c;
      } else {
        line += c;
      }
      ++column;
    }
  }
  return line.substr(0, line.find_last_not_of(' ') + 1);
}

// A question left open on the screen (the pause) stays in front of the answer
// when the editor redraws the line, and is forgotten once the answer ends it.
TEST_F(ReadlineLinesTest, QuestionOnTheScreenLineIsKeptWhileEditing) {
  ScreenLine screen;
  const std::string question = "Paused. Type go: ";
  screen.note(question.data(), question.size());
  ScratchStream input(std::string("xgo") + keys::ctrl_a + keys::ctrl_d + keys::ctrl_e + "\n");
  ReadlineSettings settings;
  settings.input = input.get();
  settings.echo = echo_.get();
  settings.screen = &screen;
  ReadlineLines lines("keyboard", settings);
  std::string_view line;
  ASSERT_TRUE(lines.next_line(line));
  EXPECT_EQ(line, "go");
  EXPECT_EQ(shown_line(question, echo_.text()), "Paused. Type go: go");
  EXPECT_EQ(screen.text(), "");
}

}  // namespace
}  // namespace cfg

#endif  // CONFIG_HAVE_READLINE

#include "io/terminal.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "io/errors.h"
#include "support/screen_texts.h"

namespace cfg {
namespace {

// A terminal whose keyboard types the given text.
struct Keyboard {
  explicit Keyboard(const std::string& typed) : lines("keyboard", typed), term(lines, out, err) {}
  TextLines lines;
  StringWriter out;
  StringWriter err;
  Terminal term;
};

std::optional<std::int32_t> menu_choice(const std::string& line) {
  Keyboard keyboard(line + "\n");
  return keyboard.term.read_menu_choice();
}

TEST(MenuChoice, FirstTwoCharactersWithoutBlanksAsAnInteger) {
  EXPECT_EQ(menu_choice(""), 0);
  EXPECT_EQ(menu_choice("  "), 0);
  EXPECT_EQ(menu_choice("0"), 0);
  EXPECT_EQ(menu_choice(" 9"), 9);
  EXPECT_EQ(menu_choice("9"), 9);
  EXPECT_EQ(menu_choice("9 "), 9);
  EXPECT_EQ(menu_choice("12"), 12);
  EXPECT_EQ(menu_choice("123"), 12);
  EXPECT_EQ(menu_choice("1 2"), 1);
  EXPECT_EQ(menu_choice(" 9x"), 9);
  EXPECT_EQ(menu_choice("-1"), -1);
  EXPECT_EQ(menu_choice("+5"), 5);
  EXPECT_EQ(menu_choice("08"), 8);
}

TEST(MenuChoice, AnythingElseIsNoChoice) {
  for (const char* line : {"ab", "a", "1-", "1+", ",", "/", "-", "+", " -", "--", "1,", "9/", "*"}) {
    EXPECT_EQ(menu_choice(line), std::nullopt) << '"' << line << '"';
  }
}

TEST(MenuChoice, EndOfKeyboardInputIsFatal) {
  Keyboard keyboard("");
  EXPECT_THROW(keyboard.term.read_menu_choice(), FatalError);
}

TEST(AnswerLine, FirstFourCharactersPaddedWithBlanks) {
  Keyboard keyboard("\ny\nyes please\n n\n");
  EXPECT_EQ(keyboard.term.read_answer_line().view(), "    ");
  EXPECT_EQ(keyboard.term.read_answer_line().view(), "y   ");
  EXPECT_EQ(keyboard.term.read_answer_line().view(), "yes ");
  EXPECT_EQ(keyboard.term.read_answer_line().view(), " n  ");
  EXPECT_THROW(keyboard.term.read_answer_line(), FatalError);
}

TEST(Ask, ListDirectedReadFromTheKeyboard) {
  Keyboard keyboard("\n3 2.5D0\n,7.5\n/\n4 more\n");
  std::int32_t count = 0;
  double ratio = 0;
  keyboard.term.ask(count, ratio);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(ratio, 2.5);
  keyboard.term.ask(count, ratio);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(ratio, 7.5);
  // A slash keeps the field, and a choice read that way is 0.
  EXPECT_EQ(keyboard.term.ask_choice(), 0);
  EXPECT_EQ(keyboard.term.ask_choice(), 4);
}

TEST(Ask, EndOfKeyboardInputNamesTheKeyboard) {
  Keyboard keyboard("5\n");
  std::int32_t first = 0, second = 0;
  try {
    keyboard.term.ask(first, second);
    FAIL() << "no error";
  } catch (const FatalError& error) {
    EXPECT_EQ(std::string(error.what()), "keyboard: input ended while an integer was expected");
  }
}

TEST(Ask, UnreadableInputNamesTheKeyboard) {
  Keyboard keyboard("\nx\n");
  double value = 0;
  try {
    keyboard.term.ask(value);
    FAIL() << "no error";
  } catch (const FatalError& error) {
    EXPECT_EQ(std::string(error.what()), "keyboard, line 2: expected a real number, found \"x\"");
  }
}

TEST(Say, PrintsOneListDirectedLine) {
  Keyboard keyboard("");
  keyboard.term.say("@ ", 38, " particles");
  keyboard.term.blank_line();
  keyboard.term.say("x=", 0.5);
  EXPECT_EQ(keyboard.out.text(), " @           38  particles\n\n x=  0.50000000000000000     \n");
}

TEST(InputError, FiveLines) {
  Keyboard keyboard("");
  keyboard.term.input_error();
  EXPECT_EQ(keyboard.out.text(), testing::kInputErrorText);
}

TEST(Pause, ExactlyGoResumes) {
  Keyboard keyboard("go\n5\n");
  keyboard.term.pause();
  EXPECT_FALSE(keyboard.err.text().empty());
  EXPECT_TRUE(keyboard.out.text().empty());
  EXPECT_EQ(keyboard.term.ask_choice(), 5);
}

TEST(Pause, AnyOtherLineStopsWithStatusZero) {
  for (const char* line : {"go \n", " go\n", "Go\n", "\n", "gone\n", "g\n"}) {
    Keyboard keyboard(line);
    try {
      keyboard.term.pause();
      ADD_FAILURE() << "resumed on \"" << line << '"';
    } catch (const ProgramStop& stop) {
      EXPECT_EQ(stop.status, 0);
    }
    EXPECT_TRUE(keyboard.out.text().empty());
  }
}

TEST(Pause, EndOfKeyboardInputIsFatal) {
  Keyboard keyboard("");
  EXPECT_THROW(keyboard.term.pause(), FatalError);
}

TEST(Pause, CrLfLineEndIsNotPartOfTheAnswer) {
  Keyboard keyboard("go\r\n");
  EXPECT_NO_THROW(keyboard.term.pause());
}

}  // namespace
}  // namespace cfg

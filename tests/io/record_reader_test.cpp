#include "io/record_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <algorithm>
#include <random>
#include <sstream>
#include <vector>
#include <string>
#include <utility>

#include <unistd.h>

#include "io/errors.h"
#include "io/line_source.h"

namespace cfg {
namespace {

// A file's text with a reader over it.
struct FileInput {
  explicit FileInput(std::string text) : lines("data.dat", std::move(text)), reader(lines) {}
  TextLines lines;
  RecordReader reader;
};

// The message of the FatalError that a read throws, or "" when it throws none.
template <class... Items>
std::string read_error(const std::string& text, Items&... items) {
  FileInput input(text);
  try {
    input.reader.read(items...);
  } catch (const FatalError& error) {
    return error.what();
  }
  return "";
}

TEST(RecordReader, EachReadIsOneRecordOverAsManyLinesAsNeeded) {
  FileInput input("1 2\n\n3\n4 5 6\n7 8\n");
  std::int32_t a = 0, b = 0, c = 0, d = 0;
  input.reader.read(a, b, c);
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, 2);
  EXPECT_EQ(c, 3);
  // The next record starts on the line after the one where the last ended;
  // the values it does not need are ignored.
  input.reader.read(d);
  EXPECT_EQ(d, 4);
  input.reader.read(a, b);
  EXPECT_EQ(a, 7);
  EXPECT_EQ(b, 8);
}

TEST(RecordReader, BlanksTabsAndCommasSeparate) {
  FileInput input("1,2\t3 ,  4\n");
  std::int32_t v[4] = {};
  input.reader.read(v[0], v[1], v[2], v[3]);
  EXPECT_EQ(v[0] * 1000 + v[1] * 100 + v[2] * 10 + v[3], 1234);
}

TEST(RecordReader, SlashLeavesTheRemainingItemsUnchanged) {
  FileInput input("1 2/ 3\n4\n");
  std::int32_t a = 0, b = 0, c = -5;
  input.reader.read(a, b, c);
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, 2);
  EXPECT_EQ(c, -5);
  input.reader.read(a);
  EXPECT_EQ(a, 4);
}

TEST(RecordReader, NullValuesLeaveTheirItemsUnchanged) {
  std::int32_t a = 10, b = 20, c = 30;
  FileInput between_commas("1,,3\n");
  between_commas.reader.read(a, b, c);
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, 20);
  EXPECT_EQ(c, 3);

  a = 10;
  FileInput leading_comma(" ,2 3\n");
  leading_comma.reader.read(a, b, c);
  EXPECT_EQ(a, 10);
  EXPECT_EQ(b, 2);
  EXPECT_EQ(c, 3);

  // A comma that starts a continuation line only separates, unless the line
  // before ended with a comma of its own.
  FileInput continued("1 2\n,4\n5 6,\n,7\n");
  c = 30;
  continued.reader.read(a, b, c);
  EXPECT_EQ(c, 4);
  continued.reader.read(a, b, c);
  EXPECT_EQ(a, 5);
  EXPECT_EQ(b, 6);
  EXPECT_EQ(c, 4);
}

TEST(RecordReader, RepeatCounts) {
  FileInput input("3*2.5 1\n2* 7\n");
  double x[4] = {};
  input.reader.read(x[0], x[1], x[2], x[3]);
  EXPECT_EQ(x[0], 2.5);
  EXPECT_EQ(x[2], 2.5);
  EXPECT_EQ(x[3], 1.0);
  double y[3] = {-1, -2, -3};
  input.reader.read(y[0], y[1], y[2]);
  EXPECT_EQ(y[0], -1.0);
  EXPECT_EQ(y[1], -2.0);
  EXPECT_EQ(y[2], 7.0);

  std::int32_t n = 5;
  EXPECT_NE(read_error("0*3\n", n), "");
  EXPECT_NE(read_error("3000000000*3\n", n), "");
}

TEST(RecordReader, TextIsTheNextWordOrAQuotedStringCutOrPadded) {
  FileInput input("Copper Ag, 'a b' \"it\"\"s\" 'x''y'\n");
  FixedText<2> first, second;
  FixedText<4> third, fourth, fifth;
  input.reader.read(first, second, third, fourth, fifth);
  EXPECT_EQ(first.view(), "Co");
  EXPECT_EQ(second.view(), "Ag");
  EXPECT_EQ(third.view(), "a b ");
  EXPECT_EQ(fourth.view(), "it\"s");
  EXPECT_EQ(fifth.view(), "x'y ");

  // A quoted text goes on over a line end, which adds nothing to it.
  FileInput over_lines("'ab\ncd' 5\n");
  std::int32_t n = 0;
  over_lines.reader.read(fourth, n);
  EXPECT_EQ(fourth.view(), "abcd");
  EXPECT_EQ(n, 5);

  // Unquoted text ends at a slash, and a number can be text.
  FileInput slash("B/ C\n");
  FixedText<3> residue("LBB"), other("LLL");
  slash.reader.read(residue, other);
  EXPECT_EQ(residue.view(), "B  ");
  EXPECT_EQ(other.view(), "LLL");
  FixedText<3> quoted_glued;
  EXPECT_NE(read_error("'ab'c\n", quoted_glued), "");
}

TEST(RecordReader, RealsInEveryExponentForm) {
  FileInput input("1.5D3 2.5d-1 1.0+3 2.5-4 .5 5. -3 7E2 1q1\n");
  double v[9] = {};
  input.reader.read(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]);
  EXPECT_EQ(v[0], 1500.0);
  EXPECT_EQ(v[1], 0.25);
  EXPECT_EQ(v[2], 1000.0);
  EXPECT_EQ(v[3], 2.5e-4);
  EXPECT_EQ(v[4], 0.5);
  EXPECT_EQ(v[5], 5.0);
  EXPECT_EQ(v[6], -3.0);
  EXPECT_EQ(v[7], 700.0);
  EXPECT_EQ(v[8], 10.0);
}

TEST(RecordReader, BadValuesAreFatalAndNameTheFileAndLine) {
  std::int32_t n = 0;
  double x = 0;
  EXPECT_EQ(read_error("1\n\n5.0\n", n, n), "data.dat, line 3: expected an integer, found \"5.0\"");
  EXPECT_EQ(read_error("abc\n", x), "data.dat, line 1: expected a real number, found \"abc\"");
  for (const char* text : {"1e\n", "--1\n", "+-1\n", "'1.5'\n"}) {
    EXPECT_NE(read_error(text, x).find("data.dat, line 1: expected a real number"), std::string::npos) << text;
  }
  EXPECT_NE(read_error("2147483648\n", n).find("data.dat, line 1"), std::string::npos);
}

TEST(RecordReader, IntegersAtTheLimitsOfThirtyTwoBits) {
  FileInput input(
      "  2147483647 -2147483648 +2147483647\n"
      "00000000000000000042 -000000000007 +0\n"
      "2147483647,-2147483648/\n");
  std::int32_t a = 0, b = 0, c = 0;
  input.reader.read(a, b, c);
  EXPECT_EQ(a, INT32_MAX);
  EXPECT_EQ(b, INT32_MIN);
  EXPECT_EQ(c, INT32_MAX);
  input.reader.read(a, b, c);
  EXPECT_EQ(a, 42);
  EXPECT_EQ(b, -7);
  EXPECT_EQ(c, 0);
  input.reader.read(a, b);
  EXPECT_EQ(a, INT32_MAX);
  EXPECT_EQ(b, INT32_MIN);

  std::int32_t n = 0;
  for (const char* text : {"-2147483649\n", "9999999999\n", "12345678901\n", "+\n", "-\n", "12a\n", "1.\n"}) {
    EXPECT_NE(read_error(text, n).find("data.dat, line 1: expected an integer"), std::string::npos) << text;
  }
  EXPECT_EQ(n, 0);
}

// Fixed-width files hold long runs of blanks; tabs, CRs and line ends may
// stand anywhere in them.
TEST(RecordReader, BlankRunsAndLineEndsAtEveryOffset) {
  std::string text;
  std::int32_t expected_sum = 0;
  for (int width = 0; width < 40; ++width) {
    for (const char odd : {' ', '\t', '\r'}) {
      std::string blanks(static_cast<std::size_t>(width), ' ');
      if (width > 0) blanks[static_cast<std::size_t>((width * 5 + 3) % width)] = odd;
      text += blanks + std::to_string(width) + blanks + "," + std::to_string(-width) + blanks + "\n";
      expected_sum += width;
    }
  }
  FileInput input(text);
  EXPECT_EQ(input.lines.count_lines(), 120);
  std::int32_t sum = 0;
  for (int line = 0; line < 120; ++line) {
    std::int32_t a = -1, b = -1;
    input.reader.read(a, b);
    ASSERT_EQ(a, -b) << "line " << line + 1;
    sum += a;
  }
  EXPECT_EQ(sum, expected_sum);
  EXPECT_THROW(input.reader.read(sum), FatalError);
}

TEST(RecordReader, EndOfFileIsFatalAndNamesTheFile) {
  std::int32_t a = 0, b = 0;
  EXPECT_EQ(read_error("1\n\n", a, b), "data.dat: the file ends after line 2 while an integer was expected");
  EXPECT_EQ(read_error("", a), "data.dat: the file is empty while an integer was expected");
  FixedText<3> text;
  EXPECT_EQ(read_error("'abc\n", text), "data.dat: the file ends after line 1 while a text was expected");

  FileInput input("1 2\n");
  input.reader.read(a);
  EXPECT_THROW(input.reader.read(b), FatalError);
}

TEST(RecordReader, CrLfLinesAndALastLineWithoutLineEnd) {
  FileInput input("Cu 1\r\n2.5\r\n\r\n7");
  FixedText<3> name;
  std::int32_t n = 0, m = 0;
  double x = 0;
  input.reader.read(name, n);
  EXPECT_EQ(name.view(), "Cu ");
  EXPECT_EQ(n, 1);
  input.reader.read(x);
  EXPECT_EQ(x, 2.5);
  input.reader.read(m);
  EXPECT_EQ(m, 7);
  EXPECT_EQ(input.lines.line_number(), 4);
}

// Readers look at eight characters at once: every line source follows each
// line with a line end and seven more characters it owns.
TEST(LineSources, EveryLineIsFollowedByALineEndAndPadding) {
  const std::string text = "1 2\r\nabc\n\nlast";
  int pipe_ends[2];
  ASSERT_EQ(::pipe(pipe_ends), 0);
  ASSERT_EQ(::write(pipe_ends[1], text.data(), text.size()), static_cast<ssize_t>(text.size()));
  ::close(pipe_ends[1]);
  DescriptorLines descriptor_lines("keyboard", pipe_ends[0]);
  TextLines text_lines("data.dat", text);
  for (LineSource* lines : {static_cast<LineSource*>(&descriptor_lines), static_cast<LineSource*>(&text_lines)}) {
    std::vector<std::string> seen;
    std::string_view line;
    while (lines->next_line(line)) {
      seen.emplace_back(line);
      const char after = line.data()[line.size()];
      EXPECT_TRUE(after == '\n' || after == '\r') << lines->name() << ": " << line;
      std::string padding(line.data() + line.size(), kLinePadding);  // must be readable
      EXPECT_EQ(padding.size(), kLinePadding);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"1 2", "abc", "", "last"})) << lines->name();
  }
  ::close(pipe_ends[0]);
}

TEST(TextLines, CountsLinesOfAnyLengthAndDensity) {
  std::mt19937 random(7);
  const std::size_t lengths[] = {1, 15, 16, 17, 4079, 4080, 4081, 4096, 20000};
  for (const std::size_t length : lengths) {
    for (const int one_in : {1, 2, 25, 1000}) {
      std::string text(length, 'x');
      for (char& c : text) c = random() % static_cast<unsigned>(one_in) == 0 ? '\n' : static_cast<char>('!' + random() % 90);
      const long line_ends = std::count(text.begin(), text.end(), '\n');
      const long expected = line_ends + (text.back() == '\n' ? 0 : 1);
      EXPECT_EQ(TextLines("a", text).count_lines(), expected) << length << " characters, one in " << one_in;
    }
  }
}

TEST(TextLines, CountsTheLastLineWithoutLineEndAndRewinds) {
  EXPECT_EQ(TextLines("a", "").count_lines(), 0);
  EXPECT_EQ(TextLines("a", "x\ny").count_lines(), 2);
  EXPECT_EQ(TextLines("a", "x\ny\n").count_lines(), 2);
  EXPECT_EQ(TextLines("a", "\n\n").count_lines(), 2);
  EXPECT_EQ(TextLines("a", std::string(10000, '\n')).count_lines(), 10000);
  EXPECT_EQ(TextLines("a", std::string(5000, 'x') + "\n" + std::string(5000, 'y')).count_lines(), 2);

  TextLines lines("a", "x\r\ny");
  std::string_view line;
  ASSERT_TRUE(lines.next_line(line));
  EXPECT_EQ(line, "x");
  ASSERT_TRUE(lines.next_line(line));
  EXPECT_EQ(line, "y");
  EXPECT_FALSE(lines.next_line(line));
  lines.rewind();
  EXPECT_EQ(lines.line_number(), 0);
  ASSERT_TRUE(lines.next_line(line));
  EXPECT_EQ(line, "x");
}

}  // namespace
}  // namespace cfg

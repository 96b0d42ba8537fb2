#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "io/line_source.h"

namespace cfg {
namespace {

// The lines a DescriptorLines hands out for a file holding `text`.
std::vector<std::string> lines_read(const std::string& text, long* line_count = nullptr) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::tmpfile(), std::fclose);
  if (!file) throw std::runtime_error("no temporary file");
  std::fwrite(text.data(), 1, text.size(), file.get());
  std::fflush(file.get());
  std::rewind(file.get());
  DescriptorLines lines("keyboard", fileno(file.get()));
  std::vector<std::string> seen;
  std::string_view line;
  while (lines.next_line(line)) {
    seen.emplace_back(line);
    const char after = line.data()[line.size()];
    EXPECT_TRUE(after == '\n' || after == '\r');
  }
  EXPECT_FALSE(lines.next_line(line)) << "the end stays the end";
  if (line_count != nullptr) *line_count = lines.line_number();
  return seen;
}

TEST(DescriptorLines, SplitsAsPlainLinesAre) {
  struct Case {
    std::string text;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"", {}},
      {"\n", {""}},
      {"9", {"9"}},
      {"9\n", {"9"}},
      {"1 2\r\n\ny\r", {"1 2", "", "y"}},
      {"a\rb\n", {"a\rb"}},
      {std::string("n\0ul\n", 5), {std::string("n\0ul", 4)}},
  };
  for (const Case& test : cases) EXPECT_EQ(lines_read(test.text), test.lines) << '"' << test.text << '"';
}

TEST(DescriptorLines, LinesAcrossAndLongerThanTheBlocksReadArriveWhole) {
  for (const std::size_t length : {4095u, 4096u, 4097u, 10000u, 70000u}) {
    std::vector<std::string> expected;
    std::string text;
    for (std::size_t i = 0; i < 5; ++i) {
      expected.emplace_back(length + i, static_cast<char>('a' + i));
      text += expected.back() + "\n";
    }
    text += "last";
    expected.emplace_back("last");
    long count = 0;
    EXPECT_EQ(lines_read(text, &count), expected) << length;
    EXPECT_EQ(count, 6);
  }
}

}  // namespace
}  // namespace cfg

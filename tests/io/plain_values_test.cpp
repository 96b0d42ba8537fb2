// The plain-value reads against the general reader: whatever the text, a read
// must leave every item and every error as the general way alone leaves them.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "io/errors.h"
#include "io/fixed_text.h"
#include "io/line_source.h"
#include "io/record_reader.h"

namespace cfg {
namespace {

// Pieces that make up plain records and everything near them.
const std::vector<std::string> kPieces = {
    "1",    "42",   "-7",     "+3",    "0",       "1234567",  "12345678", "123456789", "2147483647", "-2147483648",
    "2147483648", "00000000042", "1.5", "-2.5D-3", "1e5", "Inf", "NaN", ".5", "5.", "LBB", "B", "Cu", "ab'c",
    "'x y'", "\"q\"", "2*", "3*7", "2*LB", ",", ", ", "/", " ", "  ", "           ", "\t", "\r", "\n", "\n", "\n",
    "-", "+", "x-1", "*", "1,2", "7/",
};

std::string random_text(std::mt19937& random) {
  std::uniform_int_distribution<std::size_t> piece(0, kPieces.size() - 1);
  std::uniform_int_distribution<int> length(1, 24);
  std::string text;
  for (int i = length(random); i > 0; --i) text += kPieces[piece(random)];
  return text;
}

// Items of one record shape, started from the same values for both readers.
struct Items {
  std::int32_t a = -99, b = -98;
  double x = -0.25;
  FixedText<3> name = FixedText<3>("zz");

  bool operator==(const Items& other) const {
    const bool same_x = std::memcmp(&x, &other.x, sizeof x) == 0;
    return a == other.a && b == other.b && same_x && name.view() == other.name.view();
  }
};

// Reads records of the given shape until the text ends or fails; every
// record's items and the error, in order, describe what happened.
template <class Read>
std::vector<std::string> read_all(const std::string& text, Read read) {
  TextLines lines("protein2.dat", text);
  RecordReader reader(lines);
  std::vector<std::string> seen;
  Items items;
  for (int record = 0; record < 40; ++record) {
    try {
      read(reader, items);
    } catch (const FatalError& error) {
      seen.push_back(error.what());
      break;
    }
    char x_text[40];
    std::snprintf(x_text, sizeof x_text, "%a", items.x);
    seen.push_back(std::to_string(items.a) + "|" + std::to_string(items.b) + "|" + x_text + "|" +
                   std::string(items.name.view()) + "|line " + std::to_string(lines.line_number()));
  }
  return seen;
}

TEST(PlainValues, ReadAsTheGeneralWayReadsWhateverTheText) {
  std::mt19937 random(20261207);
  int plain_records = 0;
  for (int trial = 0; trial < 6000; ++trial) {
    const std::string text = random_text(random);
    const auto fast_pair = [](RecordReader& r, Items& i) { r.read(i.a, i.b); };
    const auto general_pair = [](RecordReader& r, Items& i) {
      const ItemRef refs[] = {item_ref(i.a), item_ref(i.b)};
      r.read_items(refs);
    };
    const auto fast_named = [](RecordReader& r, Items& i) { r.read(i.name, i.a); };
    const auto general_named = [](RecordReader& r, Items& i) {
      const ItemRef refs[] = {item_ref(i.name), item_ref(i.a)};
      r.read_items(refs);
    };
    const auto fast_mixed = [](RecordReader& r, Items& i) { r.read(i.x, i.name, i.b); };
    const auto general_mixed = [](RecordReader& r, Items& i) {
      const ItemRef refs[] = {item_ref(i.x), item_ref(i.name), item_ref(i.b)};
      r.read_items(refs);
    };
    ASSERT_EQ(read_all(text, fast_pair), read_all(text, general_pair)) << "text: " << text;
    ASSERT_EQ(read_all(text, fast_named), read_all(text, general_named)) << "text: " << text;
    ASSERT_EQ(read_all(text, fast_mixed), read_all(text, general_mixed)) << "text: " << text;
    plain_records += static_cast<int>(read_all(text, fast_pair).size());
  }
  EXPECT_GT(plain_records, 6000);
}

// The files as the program writes them take the plain way and read back whole.
TEST(PlainValues, WrittenSetFilesReadBack) {
  std::string text;
  for (int k = 0; k < 1000; ++k) text += " LBB " + std::string(10 - std::to_string(k).size(), ' ') + " " + std::to_string(k) + "\n";
  TextLines lines("protein2.dat", text);
  RecordReader reader(lines);
  for (int k = 0; k < 1000; ++k) {
    FixedText<3> name;
    std::int32_t count = -1;
    reader.read(name, count);
    ASSERT_EQ(name.view(), "LBB");
    ASSERT_EQ(count, k);
  }
  EXPECT_FALSE(reader.skip_record());
}

}  // namespace
}  // namespace cfg

// What the writer writes, the reader reads back bit for bit.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "io/line_source.h"
#include "io/list_writer.h"
#include "io/record_reader.h"

namespace cfg {
namespace {

std::vector<double> reals_of_every_magnitude() {
  std::vector<double> reals = {0.0, -0.0, std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::max(),
                               std::numeric_limits<double>::denorm_min(), 0.1, std::nextafter(0.1, 0.0), 1e17,
                               std::nextafter(1e17, 0.0)};
  std::mt19937_64 random(31337);
  while (reals.size() < 200000) {
    const double value = std::bit_cast<double>(random());
    if (!std::isnan(value)) reals.push_back(value);
  }
  return reals;
}

TEST(RoundTrip, RandomBitPatternsThroughRecordsOfFiveReals) {
  const std::vector<double> reals = reals_of_every_magnitude();
  std::string file;
  for (std::size_t i = 0; i + 5 <= reals.size(); i += 5) {
    file += list_record(reals[i], reals[i + 1], reals[i + 2], reals[i + 3], reals[i + 4]);
  }
  TextLines lines("roundtrip.dat", file);
  RecordReader reader(lines);
  int mismatches = 0;
  for (std::size_t i = 0; i + 5 <= reals.size() && mismatches < 10; i += 5) {
    double v[5] = {};
    reader.read(v[0], v[1], v[2], v[3], v[4]);
    for (std::size_t k = 0; k < 5; ++k) {
      if (std::bit_cast<std::uint64_t>(v[k]) != std::bit_cast<std::uint64_t>(reals[i + k])) {
        ++mismatches;
        ADD_FAILURE() << std::hexfloat << reals[i + k] << " was written as \"" << format_real(reals[i + k])
                      << "\" and read back as " << v[k];
      }
    }
  }
}

TEST(RoundTrip, NaNReadsBackAsNaN) {
  double value = 0;
  ASSERT_TRUE(parse_real(format_real(std::numeric_limits<double>::quiet_NaN()).substr(22), value));
  EXPECT_TRUE(std::isnan(value));
}

TEST(RoundTrip, IntegersAndTextInOneRecord) {
  std::mt19937 random(5);
  std::string file;
  std::vector<std::int32_t> integers;
  for (int i = 0; i < 1000; ++i) {
    integers.push_back(static_cast<std::int32_t>(random()));
    file += list_record(FixedText<3>("LB"), integers.back());
  }
  TextLines lines("protein2.dat", file);
  RecordReader reader(lines);
  for (const std::int32_t expected : integers) {
    FixedText<3> residue;
    std::int32_t count = 0;
    reader.read(residue, count);
    ASSERT_EQ(residue.view(), "LB ");
    ASSERT_EQ(count, expected);
  }
}

}  // namespace
}  // namespace cfg

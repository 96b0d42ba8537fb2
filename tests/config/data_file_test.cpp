#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <variant>
#include <vector>

#include "config/config_fields.h"
#include "config/config_files.h"
#include "io/errors.h"
#include "io/list_writer.h"
#include "support/memory_file_system.h"
#include "support/session_harness.h"

namespace cfg {
namespace {

using testing::lines_of;
using testing::MemoryFileSystem;
using Value = std::variant<std::int32_t, std::uint64_t>;  // reals compared by their bits

std::vector<Value> values_of(const ConfigRecord& config) {
  std::vector<Value> values;
  visit_data_records(config, [&](const auto&... fields) {
    const auto add = [&](const auto& field) {
      if constexpr (std::is_same_v<std::decay_t<decltype(field)>, double>) {
        values.emplace_back(std::bit_cast<std::uint64_t>(field));
      } else {
        values.emplace_back(field);
      }
    };
    (add(fields), ...);
  });
  return values;
}

// Every field a random bit pattern: any 32-bit integer, any non-NaN double.
ConfigRecord random_record(std::mt19937_64& random) {
  ConfigRecord config;
  visit_data_records(config, [&](auto&... fields) {
    const auto fill = [&](auto& field) {
      if constexpr (std::is_same_v<std::decay_t<decltype(field)>, double>) {
        do {
          field = std::bit_cast<double>(random());
        } while (std::isnan(field));
      } else {
        field = static_cast<std::int32_t>(static_cast<std::uint32_t>(random()));
      }
    };
    (fill(fields), ...);
  });
  return config;
}

TEST(DataFile, HoldsTwentyRecordsOfTheGivenSizes) {
  ConfigRecord config;
  std::size_t total = 0;
  std::vector<std::size_t> sizes;
  visit_data_records(config, [&](auto&... fields) { sizes.push_back(sizeof...(fields)); });
  for (const std::size_t size : sizes) total += size;
  EXPECT_EQ(sizes, (std::vector<std::size_t>{8, 14, 7, 10, 4, 3, 8, 7, 10, 10, 10, 5, 6, 8, 6, 3, 3, 3, 4, 4}));
  EXPECT_EQ(total, 133u);
  EXPECT_EQ(lines_of(data_file_text(config)).size(), 20u);
}

TEST(DataFile, WritesOneListDirectedLinePerRecord) {
  ConfigRecord config;
  config.pga_ensembles[1] = 20;
  config.pga_parents[1] = 15;
  config.pga_same[1] = 5;
  config.step_min = 1.0;
  config.step_max = 2.0;
  const std::vector<std::string> lines = lines_of(data_file_text(config));
  // Record 16: a blank, then three integers of 11 characters with separator blanks.
  EXPECT_EQ(lines[15], "          20          15           5");
  EXPECT_EQ(lines[15].size(), 36u);
  // Record 20 starts with 1.0 and 2.0: eight blanks between the last digit of one and the 2.
  EXPECT_EQ(lines[19].substr(0, 52), "   1.0000000000000000        2.0000000000000000     ");
}

TEST(DataFile, SaveAndLoadGiveBackEveryFieldBitForBit) {
  std::mt19937_64 random(20261207);
  for (int round = 0; round < 50; ++round) {
    const ConfigRecord written = random_record(random);
    MemoryFileSystem files;
    files.files["data.dat"] = data_file_text(written);
    ConfigRecord read;
    load_data_file(files, read);
    ASSERT_EQ(values_of(read), values_of(written)) << files.files["data.dat"];
  }
}

TEST(DataFile, RecordsMaySplitOverLinesAndCarryExtraValues) {
  std::mt19937_64 random(7);
  const ConfigRecord written = random_record(random);
  std::vector<std::string> lines = lines_of(data_file_text(written));
  // Record 1 split after its third value; record 2 followed by values that belong to nobody.
  const std::size_t third_value_end = 1 + 3 * 26 - 1;
  std::string text = lines[0].substr(0, third_value_end) + "\n" + lines[0].substr(third_value_end) + "\n";
  text += lines[1] + " 99 98 97\n";
  for (std::size_t i = 2; i < lines.size(); ++i) text += lines[i] + "\n";
  MemoryFileSystem files;
  files.files["data.dat"] = text;
  ConfigRecord read;
  load_data_file(files, read);
  EXPECT_EQ(values_of(read), values_of(written));
}

TEST(DataFile, ReadsFreeFormValuesWithDExponentsAndNulls) {
  MemoryFileSystem files;
  std::string text = "5.5 1.0D-12 500.D0 1 1.d-8 1E-8 2 1\n";
  text += "20,5 ,,1 1 5 5 0 0 0 0 15 21 500\n";  // the null keeps ga_inversion as it was
  for (int record = 3; record <= 20; ++record) text += "/\n";
  files.files["data.dat"] = text;
  ConfigRecord config;
  config.ga_inversion = 4.25;
  config.temp_max = 7.0;
  load_data_file(files, config);
  EXPECT_EQ(config.box_width, 5.5);
  EXPECT_EQ(config.sort_accuracy, 1.0e-12);
  EXPECT_EQ(config.func_bc, 500.0);
  EXPECT_EQ(config.simplex_tol, 1.0e-8);
  EXPECT_EQ(config.close_pack, 1);
  EXPECT_EQ(config.min_method, 5);
  EXPECT_EQ(config.ga_inversion, 4.25);
  EXPECT_EQ(config.ga_arithmetic, 1.0);
  EXPECT_EQ(config.max_gens, 500);
  EXPECT_EQ(config.temp_max, 7.0);  // a slash leaves the whole record unread
}

TEST(DataFile, MissingShortOrUnreadableFilesAreFatalAndNameTheFile) {
  MemoryFileSystem files;
  ConfigRecord config;
  try {
    load_data_file(files, config);
    FAIL() << "a missing data.dat must stop the load";
  } catch (const FatalError& error) {
    EXPECT_NE(std::string(error.what()).find("data.dat"), std::string::npos) << error.what();
  }
  EXPECT_FALSE(files.exists("data.dat")) << "reading never creates a file";

  const std::vector<std::string> lines = lines_of(data_file_text(config));
  std::string short_text;
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) short_text += lines[i] + "\n";
  files.files["data.dat"] = short_text;
  try {
    load_data_file(files, config);
    FAIL() << "a file of 19 records must stop the load";
  } catch (const FatalError& error) {
    EXPECT_NE(std::string(error.what()).find("data.dat"), std::string::npos) << error.what();
    EXPECT_NE(std::string(error.what()).find("19"), std::string::npos) << error.what();
  }

  std::string bad_text = lines[0] + "\n" + "20 five\n";
  files.files["data.dat"] = bad_text;
  try {
    load_data_file(files, config);
    FAIL() << "text where an integer stands must stop the load";
  } catch (const FatalError& error) {
    EXPECT_NE(std::string(error.what()).find("data.dat, line 2"), std::string::npos) << error.what();
    EXPECT_NE(std::string(error.what()).find("five"), std::string::npos) << error.what();
  }
}

TEST(AtomCountFile, HoldsParticleCountAndSeed) {
  EXPECT_EQ(atom_count_file_text(38, 37), "          38          37\n");
  MemoryFileSystem files;
  files.files["atom_num.dat"] = "38\n-5\n";
  std::int32_t particle_count = 0;
  std::int32_t seed = 0;
  load_atom_count_file(files, particle_count, seed);
  EXPECT_EQ(particle_count, 38);
  EXPECT_EQ(seed, -5);
}

}  // namespace
}  // namespace cfg

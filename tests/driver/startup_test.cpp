#include <gtest/gtest.h>

#include <string>

#include "io/list_writer.h"
#include "support/session_harness.h"

namespace cfg {
namespace {

using testing::ScratchConfig;

// Replaces line `index` (from 0) of a text.
std::string with_line(const std::string& text, std::size_t index, const std::string& line) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < index; ++i) start = text.find('\n', start) + 1;
  const std::size_t end = text.find('\n', start);
  return text.substr(0, start) + line + text.substr(end);
}

std::string line_of(const std::string& text, std::size_t index) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < index; ++i) start = text.find('\n', start) + 1;
  return text.substr(start, text.find('\n', start) - start + 1);
}

TEST(StartUp, ANonZeroSeedBecomesOneLessThanTheParticleCount) {
  const std::pair<std::string, std::string> cases[] = {
      {"38 0", "          38           0\n"},
      {"38 5", "          38          37\n"},
      {"38 -3", "          38          37\n"},
      {"-2147483648 1", " -2147483648  2147483647\n"},  // wraps around, as the optimizer's runtime does
  };
  for (const auto& [file, saved] : cases) {
    ScratchConfig scratch;
    scratch.write("atom_num.dat", file + "\n");
    const auto result = scratch.run("\n\n");
    ASSERT_EQ(result.status, 0) << file << ": " << result.err;
    EXPECT_EQ(scratch.read("atom_num.dat"), saved) << file;
  }
}

TEST(StartUp, RecoverIsAlwaysOffAfterLoading) {
  ScratchConfig scratch;
  scratch.write("data.dat", with_line(scratch.read("data.dat"), 5, "1 1 1.0D-3"));
  ASSERT_EQ(scratch.run("\n\n").status, 0);
  EXPECT_EQ(line_of(scratch.read("data.dat"), 5), list_record(0, 1, 1.0e-3));
}

TEST(StartUp, ValuesAFileLeavesUnreadAreZero) {
  ScratchConfig scratch;
  // A slash ends record 6 at once; a null leaves mbh_bins of record 7 unread.
  std::string data = with_line(scratch.read("data.dat"), 5, "/");
  data = with_line(data, 6, ",0.001 0 -999.2 0.0 0.0 1 0.5");
  scratch.write("data.dat", data);
  ASSERT_EQ(scratch.run("\n\n").status, 0);
  const std::string saved = scratch.read("data.dat");
  EXPECT_EQ(line_of(saved, 5), list_record(0, 0, 0.0));
  EXPECT_EQ(line_of(saved, 6), list_record(0, 0.001, 0, -999.2, 0.0, 0.0, 1, 0.5));
}

TEST(StartUp, TheCountOfAAtomsFollowsTheParticleCountUnderEam) {
  ScratchConfig scratch;
  scratch.write("type.dat", " 5 2\n");
  scratch.write("alloy.dat", " 10\n");
  ASSERT_EQ(scratch.run("\n\n").status, 0);
  EXPECT_EQ(scratch.read("alloy.dat"), "          38\n");
}

TEST(StartUp, TheCountOfAAtomsComesFromTheQscFileUnderQsc) {
  ScratchConfig scratch;
  scratch.write("type.dat", " 9 2\n");
  scratch.write("alloy.dat", " 10\n");
  scratch.write("qscff.dat", " 20 AC\n Ag 1 2 3 4 5\n Cu 6 7 8 9 10\n");
  ASSERT_EQ(scratch.run("\n\n").status, 0);
  EXPECT_EQ(scratch.read("alloy.dat"), "          20\n");
  EXPECT_EQ(scratch.read("qscff.dat").substr(0, 28), "          20 AC\n Ag   1.0000");
}

TEST(StartUp, MissingFilesStopTheProgramNamingThemAndCreateNothing) {
  for (const std::string missing : {"atom_num.dat", "data.dat", "eam_aa.dat", "chima2.dat", "qscff.dat"}) {
    ScratchConfig scratch;
    scratch.remove(missing);
    const auto result = scratch.run("\n\n");
    EXPECT_EQ(result.status, 2) << missing;
    EXPECT_NE(result.err.find(missing), std::string::npos) << result.err;
    EXPECT_EQ(result.out.find("Choose an option"), std::string::npos) << "the menu is never shown";
    EXPECT_FALSE(scratch.exists(missing)) << missing << " must not be created by reading it";
    EXPECT_EQ(result.out.find("Previous data is needed") == std::string::npos, missing == "atom_num.dat")
        << "the notice follows atom_num.dat";
  }
}

TEST(StartUp, UnreadableValuesNameTheFileAndLine) {
  ScratchConfig scratch;
  scratch.write("data.dat", with_line(scratch.read("data.dat"), 3, "1000 4 2 2 0.1 0.4 0.36 0.9 0.001 one"));
  const auto result = scratch.run("\n\n");
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("data.dat, line 4"), std::string::npos) << result.err;
  scratch.write("data.dat", with_line(scratch.read("data.dat"), 3, "1000 4 2 2 0.1 0.4 0.36 0.9 0.001 99999999999"));
  EXPECT_EQ(scratch.run("\n\n").status, 2) << "an integer beyond 32 bits cannot be read";
}

TEST(StartUp, ReadsFilesWrittenWithCarriageReturns) {
  ScratchConfig scratch;
  std::string data = scratch.read("data.dat");
  std::string crlf;
  for (const char c : data) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  scratch.write("data.dat", crlf);
  scratch.write("atom_num.dat", "38 0\r\n");
  const auto result = scratch.run("\n\n");
  EXPECT_EQ(result.status, 0) << result.err;
}

}  // namespace
}  // namespace cfg

// Texts that would not read back as written unquoted (found by the fuzzers):
// a configuration saved with one must load again.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/session_harness.h"

namespace cfg {
namespace {

using testing::ScratchConfig;

// A null value (or a slash) leaves a material name blank. Written as blanks,
// the next start would read the first number as the name and run out of
// numbers.
TEST(UnreadableText, ABlankMaterialNameIsSavedSoThatItLoadsAgain) {
  ScratchConfig scratch;
  scratch.write("parameter1.dat", " ,0.1031 1.1895 10.85 3.18 2.89\n");
  const auto first = scratch.run("\n\n");
  ASSERT_EQ(first.status, 0) << first.err;
  const std::string saved = scratch.read("parameter1.dat");
  const auto second = scratch.run("\n\n");
  EXPECT_EQ(second.status, 0) << second.err;
  EXPECT_EQ(scratch.read("parameter1.dat"), saved) << "the blank name reads back blank";
}

// The same from the keyboard alone: a slash for the type of a residue set the
// file did not have leaves that type blank.
TEST(UnreadableText, ASlashForANewResidueTypeIsSavedSoThatItLoadsAgain) {
  ScratchConfig scratch;
  // Option 7, parameters of energy, Beta folding, edit residues: three sets of
  // one B, then a fourth set whose type is left unread, 35 long.
  const auto first = scratch.run("7\n2\n3\n1\nB\n1\nB\n1\nB\n1\n/\n35\n\ny\n");
  ASSERT_EQ(first.status, 0) << first.err;
  const std::string saved = scratch.read("protein2.dat");
  EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 4);
  const auto second = scratch.run("\n\n");
  EXPECT_EQ(second.status, 0) << second.err;
  EXPECT_EQ(scratch.read("protein2.dat"), saved) << "the blank type reads back blank";
}

}  // namespace
}  // namespace cfg

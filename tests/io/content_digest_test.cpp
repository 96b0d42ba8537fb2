#include "io/content_digest.h"

#include <gtest/gtest.h>

#include <string>

namespace cfg {
namespace {

TEST(ContentDigest, EqualTextsGiveEqualDigests) {
  const std::string text = "          38           0\n";
  EXPECT_EQ(digest_of(text), digest_of(std::string(text)));
  EXPECT_EQ(digest_of(text).size, text.size());
}

// Every one-byte change, at every place of texts that end in each of the
// ways the tail is taken (whole blocks, whole words, part words).
TEST(ContentDigest, AnyOneChangedByteChangesTheDigest) {
  for (const std::size_t length : {1U, 7U, 8U, 9U, 31U, 32U, 33U, 64U, 100U}) {
    std::string text(length, ' ');
    for (std::size_t i = 0; i < length; ++i) text[i] = static_cast<char>('0' + i % 10);
    const ContentDigest original = digest_of(text);
    for (std::size_t i = 0; i < length; ++i) {
      for (const char replacement : {'\0', 'x', '\n'}) {
        std::string changed = text;
        if (changed[i] == replacement) continue;
        changed[i] = replacement;
        EXPECT_NE(digest_of(changed), original) << length << " bytes, byte " << i;
      }
    }
  }
}

TEST(ContentDigest, TextsOfOtherLengthsDiffer) {
  const std::string cases[][2] = {{"", std::string(1, '\0')}, {"a", std::string("a\0", 2)}, {"abc", "abc\n"}};
  for (const auto& pair : cases) EXPECT_NE(digest_of(pair[0]), digest_of(pair[1])) << pair[1].size();
}

// Changes that move words between the lanes, or swap whole words.
TEST(ContentDigest, SwappedWordsChangeTheDigest) {
  const std::string text = "aaaaaaaabbbbbbbbccccccccdddddddd";
  EXPECT_NE(digest_of(text), digest_of("bbbbbbbbaaaaaaaaccccccccdddddddd"));
  EXPECT_NE(digest_of(text + text), digest_of(text + "ddddddddccccccccbbbbbbbbaaaaaaaa"));
}

}  // namespace
}  // namespace cfg

#include "io/readline_lines.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <sstream>

namespace cfg {
namespace {

TEST(ScreenLineTee, PassesEveryByteOnAndNotesTheOpenLine) {
  std::ostringstream target;
  ScreenLine screen;
  ScreenLineTee tee(*target.rdbuf(), screen);
  std::ostream out(&tee);

  out << " Choose an option\n" << ' ' << std::int32_t{38} << "\n\n";
  EXPECT_EQ(screen.text(), "");
  out << "Paused. Type go: " << 1.5;
  EXPECT_EQ(screen.text(), "Paused. Type go: 1.5");
  out << "\nnext";
  EXPECT_EQ(screen.text(), "next");
  EXPECT_EQ(target.str(), " Choose an option\n 38\n\nPaused. Type go: 1.5\nnext");
}

TEST(ScreenLineTee, TwoStreamsShareOneScreenLine) {
  std::ostringstream out_target;
  std::ostringstream err_target;
  ScreenLine screen;
  ScreenLineTee out_tee(*out_target.rdbuf(), screen);
  ScreenLineTee err_tee(*err_target.rdbuf(), screen);
  std::ostream out(&out_tee);
  std::ostream err(&err_tee);

  out << " menu\n";
  err << "Paused: " << std::flush;
  EXPECT_EQ(screen.text(), "Paused: ");
  screen.clear();
  err << "Continuing.\n";
  EXPECT_EQ(screen.text(), "");
  EXPECT_EQ(out_target.str(), " menu\n");
  EXPECT_EQ(err_target.str(), "Paused: Continuing.\n");
}

// A stream buffer that counts the flushes it is asked for.
class CountingBuffer : public std::stringbuf {
 public:
  int syncs = 0;

 protected:
  int sync() override {
    ++syncs;
    return 0;
  }
};

TEST(ScreenLineTee, FlushReachesTheTarget) {
  CountingBuffer target;
  ScreenLine screen;
  ScreenLineTee tee(target, screen);
  std::ostream out(&tee);
  out << "x" << std::flush;
  EXPECT_EQ(target.syncs, 1);
  EXPECT_EQ(target.str(), "x");
}

}  // namespace
}  // namespace cfg

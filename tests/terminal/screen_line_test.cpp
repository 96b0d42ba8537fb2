#include "io/readline_lines.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include <unistd.h>

namespace cfg {
namespace {

// A pipe whose read end gives back everything written to the write end.
class Pipe {
 public:
  Pipe() {
    int ends[2];
    if (::pipe(ends) != 0) throw std::runtime_error("no pipe");
    read_end_ = ends[0];
    write_end_ = ends[1];
  }
  ~Pipe() {
    ::close(read_end_);
    if (write_end_ >= 0) ::close(write_end_);
  }
  int write_end() const { return write_end_; }
  // Everything written so far; the write end is closed.
  std::string drain() {
    ::close(write_end_);
    write_end_ = -1;
    std::string text;
    char block[256];
    for (ssize_t got; (got = ::read(read_end_, block, sizeof block)) > 0;) text.append(block, static_cast<std::size_t>(got));
    return text;
  }

 private:
  int read_end_;
  int write_end_;
};

TEST(ScreenLineWriter, PassesEveryByteOnAndNotesTheOpenLineAsItIsDelivered) {
  Pipe target;
  ScreenLine screen;
  {
    ScreenLineWriter out(target.write_end(), screen);
    out << " Choose an option\n" << ' ' << std::string("38") << "\n\n";
    out.flush();
    EXPECT_EQ(screen.text(), "");
    out << "Paused. Type go: ";
    EXPECT_EQ(screen.text(), "") << "noted only when delivered";
    out.flush();
    EXPECT_EQ(screen.text(), "Paused. Type go: ");
    out << std::string_view("\nnext");
  }
  EXPECT_EQ(screen.text(), "next") << "the end of the writer delivers the rest";
  EXPECT_EQ(target.drain(), " Choose an option\n 38\n\nPaused. Type go: \nnext");
}

TEST(ScreenLineWriter, TwoWritersShareOneScreenLine) {
  Pipe out_target;
  Pipe err_target;
  ScreenLine screen;
  ScreenLineWriter out(out_target.write_end(), screen);
  ScreenLineWriter err(err_target.write_end(), screen, 0);
  err.tie_to(out);

  out << " menu\n";
  err << "Paused: ";
  EXPECT_EQ(screen.text(), "Paused: ");
  screen.clear();
  err << "Continuing.\n";
  EXPECT_EQ(screen.text(), "");
  out.flush();
  EXPECT_EQ(out_target.drain(), " menu\n");
  EXPECT_EQ(err_target.drain(), "Paused: Continuing.\n");
}

}  // namespace
}  // namespace cfg

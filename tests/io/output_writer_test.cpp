#include "io/output_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace cfg {
namespace {

// Numbers must go through the list-directed writer: `out << 5` does not compile.
template <class T>
constexpr bool writable = requires(OutputWriter& out, T value) { out << value; };
static_assert(writable<char> && writable<const char*> && writable<std::string> && writable<std::string_view>);
static_assert(!writable<int> && !writable<double> && !writable<long> && !writable<bool>);

// Keeps each delivery apart, to show when the buffer is passed on.
class RecordingWriter : public OutputWriter {
 public:
  explicit RecordingWriter(std::size_t buffer_size, std::vector<std::string>* log = nullptr, std::string tag = "")
      : OutputWriter(buffer_size), log_(log), tag_(std::move(tag)) {}
  std::vector<std::string> deliveries;

 protected:
  void deliver(std::string_view text) override {
    deliveries.emplace_back(text);
    if (log_ != nullptr) log_->push_back(tag_ + std::string(text));
  }

 private:
  std::vector<std::string>* log_;
  std::string tag_;
};

TEST(OutputWriter, DeliversWhenFullOnFlushAndLongTextAtOnce) {
  struct Case {
    std::vector<std::string> writes;
    std::vector<std::string> delivered_before_flush;
    std::vector<std::string> delivered_after_flush;
  };
  // A buffer of 8 characters.
  const Case cases[] = {
      {{"abc", "de"}, {}, {"abcde"}},
      {{"abcd", "efgh"}, {}, {"abcdefgh"}},                        // exactly full stays
      {{"abcde", "fghi"}, {"abcde"}, {"abcde", "fghi"}},           // the next would not fit
      {{"ab", "0123456789"}, {"ab", "0123456789"}, {"ab", "0123456789"}},  // longer than the buffer
      {{"01234567", "x"}, {"01234567"}, {"01234567", "x"}},
      {{"", ""}, {}, {}},
  };
  for (const Case& test : cases) {
    RecordingWriter out(8);
    for (const std::string& text : test.writes) out << text;
    EXPECT_EQ(out.deliveries, test.delivered_before_flush) << test.writes.front();
    out.flush();
    EXPECT_EQ(out.deliveries, test.delivered_after_flush) << test.writes.front();
  }
}

TEST(OutputWriter, TakesTheFourKindsOfText) {
  RecordingWriter out(64);
  const std::string text = "string";
  out << text << ' ' << std::string_view("view|ignored").substr(0, 4) << ' ' << "literal" << '\n';
  out.flush();
  EXPECT_EQ(out.deliveries, std::vector<std::string>{"string view literal\n"});
}

TEST(OutputWriter, ATiedWriterFlushesTheOtherBeforeItDelivers) {
  std::vector<std::string> log;
  RecordingWriter out(64, &log, "out:");
  RecordingWriter err(0, &log, "err:");
  err.tie_to(out);
  out << "menu\n";
  err << "Paused\n";
  out << "more\n";
  out.flush();
  EXPECT_EQ(log, (std::vector<std::string>{"out:menu\n", "err:Paused\n", "out:more\n"}));
}

TEST(StringWriter, KeepsEverythingAtOnceUntilCleared) {
  StringWriter out;
  out << "a" << 'b';
  EXPECT_EQ(out.text(), "ab");
  out.clear();
  out << std::string("c");
  EXPECT_EQ(out.text(), "c");
}

TEST(DescriptorWriter, WritesEveryByteToTheDescriptor) {
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  const std::string long_text(10000, 'x');
  {
    DescriptorWriter out(ends[1], 16);
    out << "head " << long_text << "tail\n";
  }
  ::close(ends[1]);
  std::string got;
  char block[4096];
  for (ssize_t n; (n = ::read(ends[0], block, sizeof block)) > 0;) got.append(block, static_cast<std::size_t>(n));
  ::close(ends[0]);
  EXPECT_EQ(got, "head " + long_text + "tail\n");
}

TEST(DescriptorWriter, NotesAFailedWrite) {
  const int full = ::open("/dev/full", O_WRONLY);
  if (full < 0) GTEST_SKIP() << "no /dev/full";
  DescriptorWriter out(full);
  out << "text";
  EXPECT_FALSE(out.failed()) << "nothing is written before the buffer is delivered";
  out.flush();
  EXPECT_TRUE(out.failed());
  ::close(full);
}

}  // namespace
}  // namespace cfg

#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

namespace cfg {

// Text on its way out: standard output, standard error, or a string in a
// test. Text is collected in a buffer and delivered when the buffer is full,
// on flush(), and when the writer ends; text longer than the buffer is
// delivered at once. A writer tied to another flushes that one before it
// delivers anything, so that on a shared screen what the first has written
// never shows after what the second writes later.
class OutputWriter {
 public:
  OutputWriter(const OutputWriter&) = delete;
  OutputWriter& operator=(const OutputWriter&) = delete;
  virtual ~OutputWriter() = default;

  OutputWriter& operator<<(std::string_view text);
  OutputWriter& operator<<(const std::string& text) { return *this << std::string_view(text); }
  OutputWriter& operator<<(const char* text) { return *this << std::string_view(text); }
  OutputWriter& operator<<(char c) { return *this << std::string_view(&c, 1); }
  // Numbers are formatted by the list-directed writer, never here: without
  // this an integer would be taken for a character.
  template <class Number>
    requires std::is_arithmetic_v<Number>
  OutputWriter& operator<<(Number) = delete;

  void flush();
  // `first` must outlive this writer.
  void tie_to(OutputWriter& first) { tied_ = &first; }

 protected:
  // A buffer of `buffer_size` characters; 0 delivers every text at once.
  explicit OutputWriter(std::size_t buffer_size);
  // Takes text written since the last delivery, in order.
  virtual void deliver(std::string_view text) = 0;

 private:
  void deliver_tied(std::string_view text);

  std::unique_ptr<char[]> buffer_;
  std::size_t capacity_;
  std::size_t used_ = 0;
  OutputWriter* tied_ = nullptr;
};

// Writes to a file descriptor the writer does not own. A write that fails
// (other than by an interruption) is noted, and what follows it is dropped,
// as a stream in a failed state drops it.
class DescriptorWriter : public OutputWriter {
 public:
  static constexpr std::size_t kBufferSize = 64 * 1024;

  explicit DescriptorWriter(int descriptor, std::size_t buffer_size = kBufferSize)
      : OutputWriter(buffer_size), descriptor_(descriptor) {}
  ~DescriptorWriter() override;

  bool failed() const { return failed_; }
  // The errno of the write that failed.
  int error() const { return error_; }

 protected:
  void deliver(std::string_view text) override;

 private:
  int descriptor_;
  bool failed_ = false;
  int error_ = 0;
};

// The program's standard output, buffered, and its standard error,
// unbuffered and tied to the output.
struct StandardWriters {
  StandardWriters() { err.tie_to(out); }

  DescriptorWriter out{1};
  DescriptorWriter err{2, 0};
};

// Collects everything written, unbuffered.
class StringWriter : public OutputWriter {
 public:
  StringWriter() : OutputWriter(0) {}

  const std::string& text() const { return text_; }
  void clear() { text_.clear(); }

 protected:
  void deliver(std::string_view text) override { text_.append(text); }

 private:
  std::string text_;
};

}  // namespace cfg

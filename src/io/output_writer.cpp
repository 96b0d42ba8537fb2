#include "io/output_writer.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace cfg {

OutputWriter::OutputWriter(std::size_t buffer_size) : capacity_(buffer_size) {
  // Not filled: only the part written to is ever touched.
  if (capacity_ > 0) buffer_ = std::make_unique_for_overwrite<char[]>(capacity_);
}

OutputWriter& OutputWriter::operator<<(std::string_view text) {
  if (text.empty()) return *this;
  if (text.size() > capacity_ - used_) {
    flush();
    if (text.size() >= capacity_) {
      deliver_tied(text);
      return *this;
    }
  }
  std::memcpy(buffer_.get() + used_, text.data(), text.size());
  used_ += text.size();
  return *this;
}

void OutputWriter::flush() {
  if (used_ == 0) return;
  const std::string_view pending(buffer_.get(), used_);
  used_ = 0;
  deliver_tied(pending);
}

void OutputWriter::deliver_tied(std::string_view text) {
  if (text.empty()) return;
  if (tied_ != nullptr) tied_->flush();
  deliver(text);
}

DescriptorWriter::~DescriptorWriter() { flush(); }

void DescriptorWriter::deliver(std::string_view text) {
  while (!failed_ && !text.empty()) {
    const ssize_t written = ::write(descriptor_, text.data(), text.size());
    if (written >= 0) {
      text.remove_prefix(static_cast<std::size_t>(written));
    } else if (errno != EINTR) {
      failed_ = true;
      error_ = errno;
    }
  }
}

}  // namespace cfg

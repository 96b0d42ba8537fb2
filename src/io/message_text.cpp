#include "io/message_text.h"

namespace cfg {

std::string printable(std::string_view bytes) {
  const bool cut = bytes.size() > kQuotedLength;
  if (cut) bytes = bytes.substr(0, kQuotedLength);
  std::string shown;
  shown.reserve(bytes.size() + 3);
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == '\\') {
      shown += "\\\\";
    } else if (byte >= ' ' && byte < 0x7f) {
      shown += c;
    } else if (byte == '\t') {
      shown += "\\t";
    } else if (byte == '\r') {
      shown += "\\r";
    } else if (byte == '\n') {
      shown += "\\n";
    } else if (byte == 0) {
      shown += "\\0";
    } else {
      shown += '\\';
      shown += static_cast<char>('0' + (byte >> 6));
      shown += static_cast<char>('0' + ((byte >> 3) & 7));
      shown += static_cast<char>('0' + (byte & 7));
    }
  }
  if (cut) shown += "...";
  return shown;
}

}  // namespace cfg

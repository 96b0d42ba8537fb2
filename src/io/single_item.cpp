#include "io/single_item.h"

#include <cstdint>
#include <string>
#include <variant>

namespace cfg {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool ends_value(char c) { return is_blank(c) || c == ',' || c == '/'; }
bool is_quote(char c) { return c == '\'' || c == '"'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

std::size_t skip_blanks(std::string_view text, std::size_t pos) {
  while (pos < text.size() && is_blank(text[pos])) ++pos;
  return pos;
}

// A repeat count r* at `pos`: its value, or 0 when there is none; `pos` moves
// past the asterisk.
std::int32_t take_repeat_count(std::string_view text, std::size_t& pos) {
  std::size_t end = pos;
  while (end < text.size() && is_digit(text[end])) ++end;
  if (end == pos || end >= text.size() || text[end] != '*') return 0;
  std::int32_t count = 0;
  if (!parse_integer(text.substr(pos, end - pos), count) || count < 1) return -1;
  pos = end + 1;
  return count;
}

// A quoted text from the quote at `pos`, with doubled quotes standing for one;
// `pos` moves past the closing quote. False when it is not closed.
bool take_quoted(std::string_view text, std::size_t& pos, std::string& value) {
  const char quote = text[pos++];
  while (pos < text.size()) {
    const char c = text[pos++];
    if (c == quote) {
      if (pos < text.size() && text[pos] == quote) {
        ++pos;
      } else {
        return true;
      }
    }
    value += c;
  }
  return false;
}

SingleItem assign(const ItemRef& item, std::string_view value, bool quoted) {
  if (const auto* field = std::get_if<TextField>(&item)) {
    if (value.size() > field->length) return SingleItem::too_long;
    for (std::size_t i = 0; i < field->length; ++i) field->chars[i] = i < value.size() ? value[i] : ' ';
    return SingleItem::read;
  }
  if (quoted) return SingleItem::wrong_kind;
  if (auto* const* integer = std::get_if<std::int32_t*>(&item)) {
    return parse_integer(value, **integer) ? SingleItem::read : SingleItem::wrong_kind;
  }
  return parse_real(value, *std::get<double*>(item)) ? SingleItem::read : SingleItem::wrong_kind;
}

}  // namespace

SingleItem read_single_item(std::string_view text, const ItemRef& item) {
  std::size_t pos = skip_blanks(text, 0);
  if (pos == text.size()) return SingleItem::empty;
  if (text[pos] == ',') return SingleItem::null_value;
  if (text[pos] == '/') return SingleItem::slash;
  const std::int32_t repeats = take_repeat_count(text, pos);
  if (repeats < 0 || repeats > 1) return SingleItem::more_items;
  if (repeats == 1 && (pos == text.size() || ends_value(text[pos]))) return SingleItem::null_value;

  std::string quoted;
  std::string_view value;
  const bool is_quoted = is_quote(text[pos]);
  if (is_quoted) {
    if (!take_quoted(text, pos, quoted)) return SingleItem::wrong_kind;
    value = quoted;
  } else {
    const std::size_t start = pos;
    while (pos < text.size() && !ends_value(text[pos])) ++pos;
    value = text.substr(start, pos - start);
  }
  if (skip_blanks(text, pos) != text.size()) return SingleItem::more_items;
  return assign(item, value, is_quoted);
}

}  // namespace cfg

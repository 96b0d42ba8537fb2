#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace cfg {

// A blank-padded character field of fixed length: 2-character material names,
// 3-character residue types, the 4-character answer buffer. What is assigned is
// cut to N characters or filled with blanks on the right.
template <std::size_t N>
struct FixedText {
  std::array<char, N> chars;

  FixedText() { chars.fill(' '); }
  FixedText(std::string_view text) { assign(text); }  // NOLINT: implicit on purpose

  void assign(std::string_view text) {
    chars.fill(' ');
    std::copy_n(text.begin(), std::min(N, text.size()), chars.begin());
  }

  std::string_view view() const { return {chars.data(), N}; }
  char first() const { return chars[0]; }
  bool is_blank() const {
    return std::all_of(chars.begin(), chars.end(), [](char c) { return c == ' '; });
  }

  // Text is compared after the shorter side is filled with blanks.
  bool operator==(std::string_view other) const { return blank_padded_equal(view(), other); }
  template <std::size_t M>
  bool operator==(const FixedText<M>& other) const {
    return blank_padded_equal(view(), other.view());
  }

 private:
  static bool blank_padded_equal(std::string_view a, std::string_view b) {
    const std::size_t length = std::max(a.size(), b.size());
    for (std::size_t i = 0; i < length; ++i) {
      const char ca = i < a.size() ? a[i] : ' ';
      const char cb = i < b.size() ? b[i] : ' ';
      if (ca != cb) return false;
    }
    return true;
  }
};

}  // namespace cfg

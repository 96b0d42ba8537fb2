#include "driver/banners.h"

#include <array>
#include <string_view>

namespace cfg {

namespace {
constexpr const char* kBlankBannerLine = "                                             ";  // 45 blanks

// "             VERSION  v2.8" and blanks to 45 characters, from the
// project's version.
constexpr std::size_t kBannerWidth = 45;
constexpr auto kVersionLine = [] {
  std::array<char, kBannerWidth + 1> line{};
  line.fill(' ');
  line[kBannerWidth] = '\0';
  std::size_t at = 0;
  for (const std::string_view part : {std::string_view("             VERSION  v"), std::string_view(CONFIG_VERSION_SHORT)}) {
    for (const char c : part) line[at++] = c;
  }
  return line;
}();
}  // namespace

void print_start_banner(Terminal& term) {
  term.blank_line();
  term.blank_line();
  term.blank_line();
  term.say(kBlankBannerLine);
  term.say("   TORVALEMBRIX For VARIOUS POTENTAIL        ");
  term.say("   Configuration editor for the optimizer    ");
  term.say(kBlankBannerLine);
  term.say(kVersionLine.data());
  term.say(kBlankBannerLine);
  term.blank_line();
  term.blank_line();
}

void print_closing_banner(Terminal& term) {
  term.blank_line();
  term.say(kBlankBannerLine);
  term.say("   Configuration finished. Good luck!        ");
  term.say(kBlankBannerLine);
  term.blank_line();
}

}  // namespace cfg

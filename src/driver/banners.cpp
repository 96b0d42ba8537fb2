#include "driver/banners.h"

#include <string_view>

namespace cfg {

namespace {
constexpr const char* kBlankBannerLine = "                                             ";  // 45 blanks
}  // namespace

void print_start_banner(Terminal& term) {
  term.blank_line();
  term.blank_line();
  term.blank_line();
  term.say(kBlankBannerLine);
  term.say("   TORVALEMBRIX For VARIOUS POTENTAIL        ");
  term.say("   Configuration editor for the optimizer    ");
  term.say(kBlankBannerLine);
  // The screen as specified: not the package version, which may move on.
  term.say("             VERSION  v2.8                   ");
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

#pragma once

#include <string_view>

namespace cfg {

// The completion scripts of each shell, with the words that come from the
// table of commands left as @PLACEHOLDERS@ (see completion_command.cpp).
extern const std::string_view kBashCompletion;
extern const std::string_view kZshCompletion;
extern const std::string_view kFishCompletion;

}  // namespace cfg

#pragma once

#include <string>
#include <vector>

namespace cfg::testing {

// The five-line message of an answer the program cannot use, line by line
// and as the screen shows it.
inline const std::vector<std::string> kInputErrorLines = {
    "", " WARING!!!!!!!!!!!!!!!!!!!!!!!!!", " Can not recognize the input parameter!", " Please select again!", ""};
inline const std::string kInputErrorText =
    "\n WARING!!!!!!!!!!!!!!!!!!!!!!!!!\n Can not recognize the input parameter!\n Please select again!\n\n";

}  // namespace cfg::testing

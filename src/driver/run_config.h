#pragma once

#include <iosfwd>

#include "io/file_system.h"
#include "io/line_source.h"

namespace cfg {

// Runs the whole program: start-up, the main menu and its exits. Every way the
// program ends comes back here; the result is the exit status (0 normal end,
// 1 the report's ERROR!! stop, 2 a fatal read or file error).
int run_config(LineSource& keyboard, std::ostream& out, std::ostream& err, FileSystem& files);

}  // namespace cfg

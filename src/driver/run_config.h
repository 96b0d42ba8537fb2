#pragma once

#include "io/file_system.h"
#include "io/line_source.h"
#include "io/output_writer.h"

namespace cfg {

// Runs the whole program: start-up, the main menu and its exits. Every way the
// program ends comes back here; the result is the exit status (0 normal end,
// 1 the report's ERROR!! stop, 2 a fatal read or file error).
int run_config(LineSource& keyboard, OutputWriter& out, OutputWriter& err, FileSystem& files);

}  // namespace cfg

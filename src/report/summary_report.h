#pragma once

#include "driver/session.h"

namespace cfg {

enum class ReportVariant { before_save, after_reload };

// The "@" lines describing the whole configuration. When temp_range_use is
// neither 1 nor 2 the report prints "ERROR!!" after the temperature line and
// ends the program (throws ProgramStop with status 1).
void print_summary_report(const Session& session, ReportVariant variant);

}  // namespace cfg

#pragma once

#include "config/session.h"

namespace cfg {

enum class ReportVariant { before_save, after_reload };

// The "@" lines describing the whole configuration. When temp_range_use is
// neither 1 nor 2 the report prints "ERROR!!" after the temperature line and
// ends the program (throws ProgramStop with status 1).
void print_summary_report(const Session& session, ReportVariant variant);

// The two report lines that grow with the sets, each on one line however many
// sets there are: every residue set as its type and how often it repeats, and
// every neutral-bond set as "(" start end ")".
void say_residue_line(Terminal& term, const EnergyModel& m);
void say_neutral_bond_line(Terminal& term, const EnergyModel& m);

}  // namespace cfg

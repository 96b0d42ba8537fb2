#include "report/summary_report.h"

namespace cfg {

void print_summary_report(const Session& session, ReportVariant variant) {
  (void)variant;
  session.term.say("@ ", session.particle_count, " particles");
}

}  // namespace cfg

#include "driver/run_config.h"

#include <memory>

#include "driver/main_menu.h"
#include "config/session.h"
#include "driver/save_journal.h"
#include "driver/startup.h"
#include "io/errors.h"
#include "io/terminal.h"

namespace cfg {

int run_config(LineSource& keyboard, OutputWriter& out, OutputWriter& err, FileSystem& files) {
  Terminal term(keyboard, out, err);
  int status = 0;
  try {
    finish_interrupted_save(files, err);
    auto session = std::make_unique<Session>(term, files);
    start_up(*session);
    run_main_menu(*session);
  } catch (const FatalError& error) {
    out.flush();
    err << "config: " << error.what() << '\n';
    err.flush();
    status = 2;
  } catch (const ProgramStop& stop) {
    status = stop.status;
  }
  out.flush();
  return status;
}

}  // namespace cfg

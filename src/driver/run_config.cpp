#include "driver/run_config.h"

#include <memory>
#include <ostream>

#include "driver/main_menu.h"
#include "config/session.h"
#include "driver/startup.h"
#include "io/errors.h"
#include "io/terminal.h"

namespace cfg {

int run_config(LineSource& keyboard, std::ostream& out, std::ostream& err, FileSystem& files) {
  Terminal term(keyboard, out, err);
  int status = 0;
  try {
    auto session = std::make_unique<Session>(term, files);
    start_up(*session);
    run_main_menu(*session);
  } catch (const FatalError& error) {
    out.flush();
    err << "config: " << error.what() << std::endl;
    status = 2;
  } catch (const ProgramStop& stop) {
    status = stop.status;
  }
  out.flush();
  return status;
}

}  // namespace cfg

#include "cli/loaded_configuration.h"

#include "driver/startup.h"
#include "io/output_writer.h"

namespace cfg {

LoadedConfiguration::LoadedConfiguration(FileSystem& files, OutputWriter& out, OutputWriter& err)
    : no_keyboard_("keyboard", ""), term_(no_keyboard_, out, err), session_(std::make_unique<Session>(term_, files)) {
  load_at_startup(*session_);
  reload_stored_configuration(*session_);
}

}  // namespace cfg

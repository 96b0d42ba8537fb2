#pragma once

#include <memory>

#include "config/config_fields.h"
#include "config/session.h"
#include "io/file_system.h"
#include "io/line_source.h"
#include "io/output_writer.h"
#include "io/terminal.h"

namespace cfg {

// The configuration as every command sees it: loaded as start-up loads it
// (every file, the same errors), then read again as option 8 reads it, so
// that seed, recover and a_atom_count are the stored values. The session's
// terminal writes to the streams given and has no keyboard.
class LoadedConfiguration {
 public:
  LoadedConfiguration(FileSystem& files, OutputWriter& out, OutputWriter& err);

  Session& session() { return *session_; }
  Configuration whole() {
    return {session_->config, session_->model, session_->particle_count, session_->seed};
  }

 private:
  TextLines no_keyboard_;
  Terminal term_;
  std::unique_ptr<Session> session_;
};

}  // namespace cfg

#pragma once

#include <cstdint>
#include <memory>

#include "config/config_fields.h"
#include "config/session.h"
#include "io/file_system.h"
#include "io/line_source.h"
#include "io/output_writer.h"
#include "io/terminal.h"

namespace cfg {

// The configuration as its files hold it, as every command sees it: each
// file that start-up reads is read once, in its order (the same errors), and
// the values are those option 8 shows: seed and recover as stored, and
// a_atom_count where the potential type stores it (alloy.dat, or qscff.dat
// under the Q-SC type). The session's terminal writes to the streams given
// and has no keyboard.
class StoredConfiguration {
 public:
  StoredConfiguration(FileSystem& files, OutputWriter& out, OutputWriter& err);

  Session& session() { return *session_; }
  ConfigurationRefs whole() {
    return {session_->config, session_->model, session_->particle_count, session_->seed};
  }
  // The count of A atoms as alloy.dat holds it, whatever the type.
  std::int32_t alloy_a_atom_count() const { return alloy_a_atom_count_; }

 private:
  TextLines no_keyboard_;
  Terminal term_;
  std::unique_ptr<Session> session_;
  std::int32_t alloy_a_atom_count_ = 0;
};

}  // namespace cfg

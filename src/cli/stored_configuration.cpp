#include "cli/stored_configuration.h"

#include "config/config_files.h"
#include "config/configuration_rules.h"
#include "io/output_writer.h"

namespace cfg {

StoredConfiguration::StoredConfiguration(FileSystem& files, OutputWriter& out, OutputWriter& err)
    : no_keyboard_("keyboard", ""), term_(no_keyboard_, out, err), session_(std::make_unique<Session>(term_, files)) {
  for (const std::string& name : startup_file_names()) load_configuration_file(files, whole(), name);
  EnergyModel& model = session_->model;
  alloy_a_atom_count_ = model.a_atom_count;
  take_a_atom_count(model, stored_a_atom_count_source(model.potential_type), session_->particle_count);
}

}  // namespace cfg

#include "driver/startup.h"

#include "config/config_files.h"
#include "config/configuration_rules.h"
#include "driver/banners.h"

namespace cfg {

void start_up(Session& session) {
  print_start_banner(session.term);
  const ConfigurationRefs whole{session.config, session.model, session.particle_count, session.seed};
  const std::vector<std::string>& names = startup_file_names();
  load_configuration_file(session.files, whole, names.front());  // atom_num.dat
  session.term.say("Previous data is needed when you are using seeding");
  session.answer = FixedText<4>("n");
  for (std::size_t i = 1; i < names.size(); ++i) load_configuration_file(session.files, whole, names[i]);
  apply_startup_rules(session.config, session.model, session.particle_count, session.seed);
}

void reload_stored_configuration(Session& session) {
  load_data_file(session.files, session.config);
  load_atom_count_file(session.files, session.particle_count, session.seed);
  reload_energy_model(session.files, session.model);
}

}  // namespace cfg

#include "driver/startup.h"

#include "config/config_files.h"
#include "driver/banners.h"

namespace cfg {

namespace {

void load_particle_count(Session& session) {
  load_atom_count_file(session.files, session.particle_count, session.seed);
  // A seeded run always starts from the structure of one particle fewer.
  if (session.seed != 0) session.seed = wrapping_sub(session.particle_count, 1);
}

void load_records(Session& session) {
  load_data_file(session.files, session.config);
  session.config.recover = 0;
  load_energy_model_at_startup(session.files, session.model, session.particle_count);
}

}  // namespace

void start_up(Session& session) {
  print_start_banner(session.term);
  load_particle_count(session);
  session.term.say("Previous data is needed when you are using seeding");
  session.answer = FixedText<4>("n");
  load_records(session);
}

void load_at_startup(Session& session) {
  load_particle_count(session);
  load_records(session);
}

void reload_stored_configuration(Session& session) {
  load_data_file(session.files, session.config);
  load_atom_count_file(session.files, session.particle_count, session.seed);
  reload_energy_model(session.files, session.model);
}

}  // namespace cfg

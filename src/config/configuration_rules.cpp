#include "config/configuration_rules.h"

#include <cmath>

#include "config/config_fields.h"
#include "config/wrapping_arithmetic.h"

namespace cfg {

std::int32_t seed_at_startup(std::int32_t seed, std::int32_t particle_count) {
  return seed != 0 ? wrapping_sub(particle_count, 1) : seed;
}

void take_a_atom_count(EnergyModel& model, AtomCountSource source, std::int32_t particle_count) {
  switch (source) {
    case AtomCountSource::alloy_file: break;
    case AtomCountSource::particle_count: model.a_atom_count = particle_count; break;
    case AtomCountSource::qsc_file: model.a_atom_count = model.qsc_count; break;
  }
}

void apply_startup_rules(ConfigRecord& config, EnergyModel& model, std::int32_t particle_count, std::int32_t& seed) {
  seed = seed_at_startup(seed, particle_count);
  config.recover = 0;
  take_a_atom_count(model, startup_a_atom_count_source(model.potential_type), particle_count);
}

double close_pack_value(std::int32_t particle_count) {
  const double n = static_cast<double>(particle_count);
  const double radius = (std::pow(n * 3.0 / 17.77153175, 0.3333333333333333) + 1.0) * 1.122462048309373;
  return radius * radius;
}

bool save_replaces_func_bc(const ConfigRecord& config) { return config.min_method == 5; }
bool save_replaces_box_width(const ConfigRecord& config) {
  return save_replaces_func_bc(config) && config.close_pack == 1;
}

void apply_save_rules(ConfigRecord& config, std::int32_t particle_count) {
  if (save_replaces_func_bc(config)) config.func_bc = close_pack_value(particle_count);
  if (save_replaces_box_width(config)) config.box_width = config.func_bc;
}

namespace {
// The codes the table gives temp_range_use.
AcceptedCodes temp_range_use_codes() {
  AcceptedCodes codes;
  const ConfigRecord any;
  for_each_record(field_table_detail::kDataFile, [&](const auto& rec) {
    for_each_value(rec, any, [&](const FieldKey& key, AcceptedCodes accepted, const auto&) {
      if (key.base == "temp_range_use") codes = accepted;
    });
  });
  return codes;
}
}  // namespace

bool stops_the_report(const ConfigRecord& config) {
  static const AcceptedCodes codes = temp_range_use_codes();
  return !codes.accepts(config.temp_range_use);
}

}  // namespace cfg

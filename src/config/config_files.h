#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "config/config_fields.h"
#include "config/config_record.h"
#include "config/energy_model.h"
#include "io/file_system.h"
#include "io/line_source.h"

namespace cfg {

// The lines of a file that must exist; a missing file is a fatal read error.
TextLines open_for_reading(FileSystem& files, const std::string& name);

// data.dat: the 20 records of the ConfigRecord.
void load_data_file(FileSystem& files, ConfigRecord& config);
std::string data_file_text(const ConfigRecord& config);

// atom_num.dat: particle_count and seed.
void load_atom_count_file(FileSystem& files, std::int32_t& particle_count, std::int32_t& seed);
std::string atom_count_file_text(std::int32_t particle_count, std::int32_t seed);

// Every energy-model file, in the order of the start-up load, then the start-up
// rule for a_atom_count of the type read.
void load_energy_model_at_startup(FileSystem& files, EnergyModel& model, std::int32_t particle_count);
// One energy-model file into the model, as the start-up load reads it (a set
// file by the counted read, setting its count).
void load_energy_file(FileSystem& files, EnergyModel& model, const std::string& name);
// The energy-model files in the order of the start-up load.
std::vector<std::string> energy_file_names();
// The files start-up reads, in its order: atom_num.dat, data.dat, then the
// energy-model files.
const std::vector<std::string>& startup_file_names();
// Reads one of those files into the configuration, as start-up reads it.
void load_configuration_file(FileSystem& files, ConfigurationRefs whole, const std::string& name);

// What option 8 reads of the model again: type.dat, then the other files of
// the type just read; a_atom_count where the type stores it.
void reload_energy_model(FileSystem& files, EnergyModel& model);

// The energy-model files that a save writes for the model's potential type, in
// order: type.dat, alloy.dat, parameter1.dat, then the type's own files.
std::vector<std::string> energy_files_to_save(std::int32_t potential_type);
// The text a save writes into one of those files.
std::string energy_file_text(const EnergyModel& model, const std::string& name);
// Whether a save requires the file to exist already (all but data.dat and the
// EAM files).
bool must_exist_before_save(const std::string& name);

}  // namespace cfg

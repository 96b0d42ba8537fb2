#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace cfg {

// Where a potential type takes the count of A atoms from.
enum class AtomCountSource {
  alloy_file,      // a_atom_count as alloy.dat stores it
  particle_count,  // every particle is an A atom
  qsc_file,        // the count in the first record of qscff.dat
};

// The editor that option 2 of the energy menu opens for a type.
enum class ModelEditor { many_body, protein_folding, eam, chen_imamura, qsc };

// The block of the summary report that describes a type's model.
enum class ReportBlock { many_body_pure, many_body_alloy, residue_sets, eam, nothing, neutral_bond_sets, qsc };

// One of the nine potential types of type.dat.
struct PotentialType {
  std::int32_t code;
  std::string_view menu_line;  // as the energy menu lists it
  ModelEditor editor;
  ReportBlock report;
  std::string_view report_heading;  // the block's first line, where the block has none of its own
  // The files of the type beyond those of every type (type.dat, alloy.dat,
  // parameter1.dat): a save writes them and option 8 reads them again.
  std::array<std::string_view, 3> own_files;
  // a_atom_count at start-up, and where the files store it (what option 8
  // reads again and what a save writes).
  AtomCountSource a_atoms_at_startup;
  AtomCountSource a_atoms_stored;
};

inline constexpr std::array<std::string_view, 3> kFilesOfEveryType = {"type.dat", "alloy.dat", "parameter1.dat"};

inline constexpr std::array<PotentialType, 9> kPotentialTypes = {{
    {1, " 1.Many-body potential", ModelEditor::many_body, ReportBlock::many_body_pure, "",  //
     {}, AtomCountSource::alloy_file, AtomCountSource::alloy_file},
    {2, " 2.Alloys with many-body potential", ModelEditor::many_body, ReportBlock::many_body_alloy, "",
     {"parameter2.dat", "parameter3.dat"}, AtomCountSource::alloy_file, AtomCountSource::alloy_file},
    {3, " 3.Protein-folding:Beta folding", ModelEditor::protein_folding, ReportBlock::residue_sets,
     "@ For Beta-Sheets",  //
     {"protein1.dat", "protein2.dat"}, AtomCountSource::alloy_file, AtomCountSource::alloy_file},
    {4, " 4.Protein-folding:Alpha folding", ModelEditor::protein_folding, ReportBlock::residue_sets,
     "@ For Alpha-Helices",  //
     {"protein1.dat", "protein2.dat"}, AtomCountSource::alloy_file, AtomCountSource::alloy_file},
    {5, " 5.EAM Potential  ", ModelEditor::eam, ReportBlock::eam, "",  //
     {"eam_aa.dat", "eam_bb.dat", "eam_ab.dat"}, AtomCountSource::particle_count, AtomCountSource::alloy_file},
    // The universal folding is edited with the protein files but neither
    // reports nor saves them.
    {6, " 6.Universal protein folding", ModelEditor::protein_folding, ReportBlock::nothing, "",  //
     {}, AtomCountSource::alloy_file, AtomCountSource::alloy_file},
    {7, " 7.Chen and Imamura's protein folding(N)", ModelEditor::chen_imamura, ReportBlock::neutral_bond_sets,
     "@ For Chen and Imamura Folding N",  //
     {"chima1.dat", "chima2.dat"}, AtomCountSource::alloy_file, AtomCountSource::alloy_file},
    {8, " 8.Chen and Imamura's protein folding(3N)", ModelEditor::chen_imamura, ReportBlock::neutral_bond_sets,
     "@ For Chen and Imamura Folding 3N",  //
     {"chima1.dat", "chima2.dat"}, AtomCountSource::alloy_file, AtomCountSource::alloy_file},
    {9, " 9.Q-SC Force-Field potential)", ModelEditor::qsc, ReportBlock::qsc, "",  //
     {"qscff.dat"}, AtomCountSource::qsc_file, AtomCountSource::qsc_file},
}};

// The type of `code`; null for a code that names none.
constexpr const PotentialType* find_potential_type(std::int32_t code) {
  for (const PotentialType& type : kPotentialTypes) {
    if (type.code == code) return &type;
  }
  return nullptr;
}

// Where the files store the count of A atoms under `code`: alloy.dat unless
// the type says otherwise.
constexpr AtomCountSource stored_a_atom_count_source(std::int32_t code) {
  const PotentialType* type = find_potential_type(code);
  return type != nullptr ? type->a_atoms_stored : AtomCountSource::alloy_file;
}
constexpr AtomCountSource startup_a_atom_count_source(std::int32_t code) {
  const PotentialType* type = find_potential_type(code);
  return type != nullptr ? type->a_atoms_at_startup : AtomCountSource::alloy_file;
}

}  // namespace cfg

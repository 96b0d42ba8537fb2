#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "io/fixed_text.h"

namespace cfg {

// At most this many residue sets and neutral-bond sets.
inline constexpr std::int32_t kSetCapacity = 10000;

struct ManyBodySet {
  FixedText<2> name;
  double e0 = 0;  // epsilon
  double c0 = 0;  // zeta
  double p = 0;
  double q = 0;
  double r0 = 0;  // rzero
};

// File order: name, a, epsilon, c, n, m; the screen shows epsilon first.
struct EamSet {
  FixedText<2> name;
  double a = 0;
  double epsilon = 0;
  double c = 0;
  double n = 0;
  double m = 0;
};

struct QscSet {
  FixedText<2> name;
  double d = 0;  // D(meV)
  double c = 0;
  double m = 0;
  double n = 0;
  double a = 0;  // a(A)
};

// Grows the two columns of a file of sets to hold `count` sets, never
// shrinking them: a set past the count keeps the values it had.
template <class First, class Second>
void make_room_for_sets(std::int32_t count, First& first, Second& second) {
  const auto sets = static_cast<std::size_t>(std::clamp(count, 0, kSetCapacity));
  if (first.size() < sets) first.resize(sets);
  if (second.size() < sets) second.resize(sets);
}

// The potential model and the parameters of all nine models.
struct EnergyModel {
  std::int32_t potential_type = 0;
  std::int32_t center_of_mass = 0;
  std::int32_t a_atom_count = 0;

  ManyBodySet mb_aa, mb_bb, mb_ab;

  double lj_cutoff = 0;
  double lj_e = 0;
  double bond_theta0 = 0;
  double bond_cutoff_angle = 0;
  std::array<double, 4> dih_eps{};
  double dih_a = 0;
  double dih_b = 0;
  double dih_c = 0;
  double dih_d = 0;

  // Residue set k (from 1) is residues_type[k - 1], residues_num[k - 1].
  // The four set arrays start empty and grow, never shrinking, as a count is
  // read or typed: every set below the count is held, and a set past it keeps
  // the values it had.
  std::int32_t residue_set_count = 0;
  std::vector<FixedText<3>> residues_type;
  std::vector<std::int32_t> residues_num;

  EamSet eam_aa, eam_bb, eam_ab;

  double ci_bond_length = 0;
  double ci_epsilon = 0;
  double ci_bond_angle = 0;  // radians
  double ci_exclusive_diameter = 0;
  double ci_extra = 0;
  std::array<double, 8> ci_aux{};

  // Neutral-bond set i (from 1) is ch_st[i - 1], ch_end[i - 1].
  std::int32_t ch_count = 0;
  std::vector<std::int32_t> ch_st;
  std::vector<std::int32_t> ch_end;

  QscSet qsc_a, qsc_b;
  FixedText<2> qsc_file_name;
  // The count of A atoms stored in the first record of qscff.dat; under type
  // 9 it is the a_atom_count of the model, which a save writes in its place.
  std::int32_t qsc_count = 0;

  // Room for `count` sets (none for a count below 1, at most kSetCapacity).
  void make_room_for_residue_sets(std::int32_t count) { make_room_for_sets(count, residues_type, residues_num); }
  void make_room_for_neutral_bond_sets(std::int32_t count) { make_room_for_sets(count, ch_st, ch_end); }
};

}  // namespace cfg

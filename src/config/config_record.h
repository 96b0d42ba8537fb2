#pragma once

#include <cstdint>

#include "config/run_array.h"

namespace cfg {

// The 133 search-control values of data.dat. Every field starts as 0 so that
// a value a file leaves unread (a slash or a null) is 0 after start-up.
struct ConfigRecord {
  // Record 1: box, energy function and minimizer tolerances
  double box_width = 0;
  double sort_accuracy = 0;
  double func_bc = 0;
  double func_fit = 0;
  double simplex_tol = 0;
  double cg_tol = 0;
  std::int32_t random_kind = 0;
  std::int32_t close_pack = 0;
  // Record 2: global genetic algorithm and operator ratios
  std::int32_t gga_ensembles = 0;
  std::int32_t min_method = 0;
  double ga_inversion = 0;
  double ga_arithmetic = 0;
  double ga_geometric = 0;
  double ga_crossing = 0;
  double ga_two_point = 0;
  double ga_mutation_3n = 0;
  double ga_moment_op1 = 0;
  double ga_moment_op2 = 0;
  double ga_dih_move_op1 = 0;
  std::int32_t gga_parents = 0;
  std::int32_t gga_same = 0;
  std::int32_t max_gens = 0;
  // Record 3: gradient and Euler-angle moves
  double grad_dx = 0;
  double dfunc_bc = 0;
  std::int32_t gradient_kind = 0;
  std::int32_t gga_euler = 0;
  std::int32_t pga_euler = 0;
  double gga_euler_factor = 0;
  double pga_euler_factor = 0;
  // Record 4: LBFGS and take-step
  std::int32_t lbfgs_maxit = 0;
  std::int32_t mcsrch_update = 0;
  std::int32_t take_step = 0;
  std::int32_t reset_seed = 0;
  double dguess = 0;
  double astep = 0;
  double step = 0;
  double gtol = 0;
  double sloppy_criterion = 0;
  std::int32_t convergence_mode = 0;
  // Record 5: recording
  std::int32_t record_mode = 0;
  double record_ratio = 0;
  std::int32_t step_record_kind = 0;
  std::int32_t ci_n_form = 0;
  // Record 6: recovery and backup
  std::int32_t recover = 0;
  std::int32_t backup_parents = 0;
  double recover_ratio = 0;
  // Record 7: multicanonical basin hopping and acceptance
  std::int32_t mbh_bins = 0;
  double beta0 = 0;
  std::int32_t reserved_int7 = 0;
  double tempfd = 0;
  double emax = 0;
  double emin = 0;
  std::int32_t accept_check_every = 0;
  double accept_ratio = 0;
  // Record 8: temperature control
  std::int32_t fix_temperature = 0;
  std::int32_t fix_steps = 0;
  std::int32_t fix_both = 0;
  double quench_rate = 0;
  double temp_from = 0;
  double temp_to = 0;
  std::int32_t temp_range_use = 0;
  // Records 9 to 11: move ratios of Monte Carlo runs 1 to 3
  RunArray<double> move_3n;
  RunArray<double> mutation_3n;
  RunArray<double> move_ndim;
  RunArray<double> inversion;
  RunArray<double> dihedral_3n;
  RunArray<double> rms_transition;
  RunArray<double> arithmetic;
  RunArray<double> geometric;
  RunArray<double> crossing;
  RunArray<double> two_point;
  // Record 12: guided function
  std::int32_t guided_bins = 0;
  double guided_probability = 0;
  std::int32_t guided_use_temperature = 0;
  std::int32_t guided_function = 0;
  std::int32_t guided_start = 0;
  // Record 13: run lengths
  RunArray<std::int32_t> mc_steps;
  RunArray<std::int32_t> mmc_max;
  // Record 14: run methods and energy range
  RunArray<std::int32_t> run_method;
  double tde_from = 0;
  double tde_to = 0;
  std::int32_t energy_range_mode = 0;
  std::int32_t pre_bh_steps = 0;
  std::int32_t berg_weighting = 0;
  // Record 15: multi-convergence and RMS scale
  double conv_from = 0;
  double conv_to = 0;
  double variation_rate = 0;
  RunArray<double> rms_scale;
  // Records 16 to 18: parallel GA of runs 1 to 3
  RunArray<std::int32_t> pga_ensembles;
  RunArray<std::int32_t> pga_parents;
  RunArray<std::int32_t> pga_same;
  // Record 19: acceptance and temperature limits
  double accept_check_adjust = 0;
  double accept_ratio_adjust = 0;
  double temp_min = 0;
  double temp_max = 0;
  // Record 20: step limits
  double step_min = 0;
  double step_max = 0;
  double astep_min = 0;
  double astep_max = 0;
};

}  // namespace cfg

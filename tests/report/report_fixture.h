#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "config/session.h"
#include "io/file_system.h"
#include "io/line_source.h"
#include "io/list_writer.h"
#include "io/terminal.h"
#include "report/summary_report.h"
#include "support/session_harness.h"

namespace cfg::testing {

// The number fields of a report line; how a number is laid out is the list
// writer's business and is tested with it.
inline std::string I(std::int32_t value) { return format_integer(value); }
inline std::string R(double value) { return format_real(value); }

// A session whose every reported field holds its own value, so that a field
// printed in the wrong place shows up. The report never reads the keyboard or
// the disk.
class ReportTest : public ::testing::Test {
 protected:
  ReportTest()
      : keyboard_("keyboard", ""),
        term_(keyboard_, out_, err_),
        disk_(std::filesystem::temp_directory_path()),
        session_(term_, disk_) {
    fill_distinct_values();
  }

  ConfigRecord& config() { return session_.config; }
  EnergyModel& model() { return session_.model; }
  Session& session() { return session_; }

  // The report's lines, without their line ends. Each call starts afresh.
  std::vector<std::string> report(ReportVariant variant = ReportVariant::before_save) {
    out_.clear();
    print_summary_report(session_, variant);
    return lines_of(out_.text());
  }
  std::string raw_output() const { return out_.text(); }

 private:
  void fill_distinct_values() {
    session_.particle_count = 38;
    session_.seed = 7;
    ConfigRecord& c = session_.config;
    c.random_kind = 1;
    c.min_method = 5;
    c.lbfgs_maxit = 1000;
    c.take_step = 2;
    c.reset_seed = 1;
    c.gga_ensembles = 20;
    c.pga_ensembles.values = {21, 22, 23};
    c.gga_euler = 1;
    c.gga_euler_factor = 0.5;
    c.pga_euler = 2;
    c.pga_euler_factor = 0.25;
    c.ga_inversion = 1.0;
    c.ga_arithmetic = 2.0;
    c.ga_geometric = 3.0;
    c.ga_crossing = 4.0;
    c.ga_two_point = 5.0;
    c.ga_mutation_3n = 6.0;
    c.ga_moment_op1 = 7.0;
    c.ga_moment_op2 = 8.0;
    c.ga_dih_move_op1 = 9.0;
    c.move_3n.values = {1.1, 1.2, 1.3};
    c.mutation_3n.values = {2.1, 2.2, 2.3};
    c.move_ndim.values = {3.1, 3.2, 3.3};
    c.dihedral_3n.values = {4.1, 4.2, 4.3};
    c.rms_transition.values = {5.1, 5.2, 5.3};
    c.rms_scale.values = {0.01, 0.02, 0.03};
    c.inversion.values = {6.1, 6.2, 6.3};
    c.arithmetic.values = {7.1, 7.2, 7.3};
    c.geometric.values = {8.1, 8.2, 8.3};
    c.crossing.values = {9.1, 9.2, 9.3};
    c.two_point.values = {10.1, 10.2, 10.3};
    c.gga_parents = 15;
    c.pga_parents.values = {16, 17, 18};
    c.gga_same = 5;
    c.pga_same.values = {6, 7, 8};
    c.max_gens = 500;
    c.mmc_max.values = {101, 102, 103};
    c.mc_steps.values = {5001, 5002, 5003};
    c.close_pack = 1;
    c.box_width = 5.5;
    c.func_bc = 500.0;
    c.func_fit = 1.25;
    c.sort_accuracy = 1e-12;
    c.grad_dx = 7e-5;
    c.dfunc_bc = 2.0;
    c.simplex_tol = 1e-8;
    c.cg_tol = 2e-8;
    c.gtol = 0.9;
    c.convergence_mode = 3;
    c.sloppy_criterion = 0.001;
    c.conv_from = 0.1;
    c.conv_to = 1e-5;
    c.variation_rate = 1.5;
    c.mcsrch_update = 4;
    c.astep = 0.4;
    c.step = 0.36;
    c.step_max = 1.6;
    c.step_min = 1e-4;
    c.astep_max = 1.0;
    c.astep_min = 2e-4;
    c.temp_max = 100.0;
    c.temp_min = 3e-4;
    c.accept_check_adjust = 1.005;
    c.dguess = 0.1;
    c.guided_function = 2;
    c.guided_bins = 50;
    c.guided_use_temperature = 2;
    c.guided_probability = 0.001;
    c.berg_weighting = 1;
    c.mbh_bins = 100;
    c.run_method.values = {1, 2, 2};
    c.temp_to = 0.8;
    c.tempfd = -999.2;
    c.beta0 = 0.001;
    c.energy_range_mode = 2;
    c.emax = 12.5;
    c.emin = -40.5;
    c.tde_from = 2.0;
    c.tde_to = 5.0;
    c.pre_bh_steps = 5000;
    c.accept_check_every = 3;
    c.accept_ratio = 0.5;
    c.accept_ratio_adjust = 0.005;
    c.temp_from = 0.08;
    c.quench_rate = 0.99;
    c.temp_range_use = 2;
    c.fix_temperature = 1;
    c.fix_steps = 2;
    c.fix_both = 2;
    c.record_mode = 1;
    c.step_record_kind = 2;
    c.record_ratio = 1e-6;
    c.backup_parents = 1;
    c.recover_ratio = 1e-4;
    c.gradient_kind = 2;

    EnergyModel& m = session_.model;
    m.potential_type = 2;
    m.center_of_mass = 1;
    m.a_atom_count = 10;
    m.mb_aa = {FixedText<2>("Ag"), 0.1031, 1.1895, 10.85, 3.18, 2.89};
    m.mb_bb = {FixedText<2>("Cu"), 0.0894, 1.2799, 10.55, 2.43, 2.56};
    m.mb_ab = {FixedText<2>("AC"), 0.0977, 1.2275, 10.70, 2.805, 2.725};
  }

  TextLines keyboard_;
  StringWriter out_;
  StringWriter err_;
  Terminal term_;
  DiskFileSystem disk_;
  Session session_;
};

// Position of the first line equal to `line`, or -1.
inline long index_of(const std::vector<std::string>& lines, const std::string& line) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] == line) return static_cast<long>(i);
  }
  return -1;
}

// Position of the first line beginning with `prefix`, or -1.
inline long index_of_prefix(const std::vector<std::string>& lines, const std::string& prefix) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].starts_with(prefix)) return static_cast<long>(i);
  }
  return -1;
}

// The line after the first one equal to `line` ("" when there is none).
inline std::string line_after(const std::vector<std::string>& lines, const std::string& line) {
  const long i = index_of(lines, line);
  if (i < 0 || static_cast<std::size_t>(i) + 1 >= lines.size()) return "";
  return lines[static_cast<std::size_t>(i) + 1];
}

}  // namespace cfg::testing

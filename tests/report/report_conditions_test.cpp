// The rows that are printed, left out or worded by a value.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "io/errors.h"
#include "report_fixture.h"

namespace cfg::testing {
namespace {

constexpr ReportVariant kBoth[] = {ReportVariant::before_save, ReportVariant::after_reload};

TEST_F(ReportTest, MethodsOneToFourPrintOneLineAndNoLbfgsGroup) {
  const std::vector<std::string> method_lines = {
      " @ using Simplex minimization", " @ using Conjugate Gradient minimization",
      " @ using Conjugate Gradient then Simplex", " @ using Simplex then Conjugate Gradient"};
  for (std::int32_t method = 1; method <= 4; ++method) {
    for (std::int32_t centre : {1, 2}) {
      config().min_method = method;
      model().center_of_mass = centre;
      const std::vector<std::string> lines = report();
      EXPECT_EQ(lines[3], method_lines[static_cast<std::size_t>(method - 1)]);
      EXPECT_EQ(lines[4], " @  " + I(20) + "  ensembles for global GA") << "method " << method;
      EXPECT_EQ(index_of_prefix(lines, " @ using LBFGS"), -1);
    }
  }
}

TEST_F(ReportTest, AnyOtherMethodSelectsTheLbfgsGroup) {
  for (std::int32_t method : {5, 6, 0, -1, 7, 2147483647}) {
    config().min_method = method;
    const std::vector<std::string> lines = report();
    EXPECT_EQ(lines[3], " @ using LBFGS minimization,MAXIT= " + I(1000)) << "method " << method;
    EXPECT_EQ(lines[4], " @ Don't take step!!");
    EXPECT_EQ(lines[5], " @ Reset to seeding number!!");
    EXPECT_EQ(lines[6], " @ move coords to center of mass!");
  }
}

TEST_F(ReportTest, RandomKindTwoLeavesOutTheRandomNumberLine) {
  config().random_kind = 2;
  const std::vector<std::string> lines = report();
  EXPECT_EQ(lines[2], " @ using LBFGS minimization,MAXIT= " + I(1000));
  EXPECT_EQ(index_of(lines, " @ using Gaussian Random number"), -1);
}

TEST_F(ReportTest, ClosePackZeroLeavesOutItsLine) {
  config().close_pack = 0;
  const std::vector<std::string> lines = report();
  EXPECT_EQ(index_of(lines, " @ Using close pack condition"), -1);
  EXPECT_EQ(line_after(lines, " @ Max MC steps for each recursion for 3rd Run= " + I(5003)),
            " @ Width of initial box is  " + R(5.5));
}

// A switch that means yes for the value 1 only: every other value, 0, 2,
// negative or large, takes the other wording (or no line at all).
struct YesNoRow {
  const char* name;
  std::function<void(Session&, std::int32_t)> set;
  std::string yes;  // line (or line start) printed for 1
  std::string no;   // printed otherwise; "" when no line is printed
};

TEST_F(ReportTest, SwitchesMeanYesForTheValueOneOnly) {
  const std::vector<YesNoRow> rows = {
      {"random_kind", [](Session& s, std::int32_t v) { s.config.random_kind = v; },
       " @ using Gaussian Random number", ""},
      {"take_step", [](Session& s, std::int32_t v) { s.config.take_step = v; }, " @ Take step!!",
       " @ Don't take step!!"},
      {"reset_seed", [](Session& s, std::int32_t v) { s.config.reset_seed = v; },
       " @ Reset to seeding number!!", " @ Don't reset to seeding number!!"},
      {"center_of_mass", [](Session& s, std::int32_t v) { s.model.center_of_mass = v; },
       " @ move coords to center of mass!", " @ Do not move coords to center of mass!"},
      {"gga_euler", [](Session& s, std::int32_t v) { s.config.gga_euler = v; },
       " @ Use eularangle tran for GGA,factor= " + R(0.5), " @ Do not use eularangle tran for GGA"},
      {"pga_euler", [](Session& s, std::int32_t v) { s.config.pga_euler = v; },
       " @ Use eularangle tran for PGA,factor= " + R(0.25), " @ Do not use eularangle tran for PGA"},
      {"close_pack", [](Session& s, std::int32_t v) { s.config.close_pack = v; },
       " @ Using close pack condition", ""},
      {"guided_use_temperature", [](Session& s, std::int32_t v) { s.config.guided_use_temperature = v; },
       " @ Using temperature for Guided function= " + R(0.001),
       " @ The acceptance probability for Guided fun is " + R(0.001)},
      {"berg_weighting", [](Session& s, std::int32_t v) { s.config.berg_weighting = v; },
       " @ Using Berg weighting for MBH parameters", " @ Do not use Berg weighting"},
      {"fix_temperature", [](Session& s, std::int32_t v) { s.config.fix_temperature = v; },
       " @ FIX TEMPERATURE!", " @ DO NOT FIX TEMPERATURE!"},
      {"fix_steps", [](Session& s, std::int32_t v) { s.config.fix_steps = v; }, " @ FIX STEPS!",
       " @ DO NOT FIX STEPS!"},
      {"step_record_kind", [](Session& s, std::int32_t v) { s.config.step_record_kind = v; },
       " @ Step recording in PDB file!", " @ Step recording in seperate coords file!"},
      {"backup_parents", [](Session& s, std::int32_t v) { s.config.backup_parents = v; },
       " @ Start recover,recover ratio= " + R(1e-4), ""},
      {"gradient_kind", [](Session& s, std::int32_t v) { s.config.gradient_kind = v; },
       " @ Using analytic gradient", " @ Using numerical gradient"},
  };
  for (const YesNoRow& row : rows) {
    row.set(session(), 1);
    std::vector<std::string> lines = report();
    EXPECT_NE(index_of(lines, row.yes), -1) << row.name << " = 1";
    if (!row.no.empty()) {
      EXPECT_EQ(index_of(lines, row.no), -1) << row.name << " = 1";
    }
    for (std::int32_t other : {0, 2, -1, 11}) {
      row.set(session(), other);
      lines = report();
      EXPECT_EQ(index_of(lines, row.yes), -1) << row.name << " = " << other;
      if (!row.no.empty()) {
        EXPECT_NE(index_of(lines, row.no), -1) << row.name << " = " << other;
      }
    }
    row.set(session(), 1);
  }
}

TEST_F(ReportTest, FixBothFixesTemperatureAndSteps) {
  config().fix_temperature = 2;
  config().fix_steps = 2;
  config().fix_both = 1;
  std::vector<std::string> lines = report();
  EXPECT_EQ(line_after(lines, " @ Use temperature range for the children!"), " @ FIX TEMPERATURE!");
  EXPECT_EQ(line_after(lines, " @ FIX TEMPERATURE!"), " @ FIX STEPS!");
  config().fix_both = 2;
  lines = report();
  EXPECT_EQ(line_after(lines, " @ Use temperature range for the children!"), " @ DO NOT FIX TEMPERATURE!");
  EXPECT_EQ(line_after(lines, " @ DO NOT FIX TEMPERATURE!"), " @ DO NOT FIX STEPS!");
}

TEST_F(ReportTest, GuidedFunctionOneIsNotUsedAndTheTemperatureLineStillFollows) {
  config().guided_function = 1;
  config().guided_use_temperature = 1;
  const std::vector<std::string> lines = report();
  EXPECT_EQ(line_after(lines, " @ Input DGUESS= " + R(0.1)), " @ Do not use Guided function");
  EXPECT_EQ(line_after(lines, " @ Do not use Guided function"),
            " @ Using temperature for Guided function= " + R(0.001));
  EXPECT_EQ(index_of_prefix(lines, " @ # of Guided Function BINS="), -1);
  for (std::int32_t other : {0, 2, 3}) {
    config().guided_function = other;
    EXPECT_EQ(line_after(report(), " @ Use Guided function"), " @ # of Guided Function BINS= " + I(50));
  }
}

TEST_F(ReportTest, ConvergenceModes) {
  const std::string before = " @ Tolerance of LBFGS(GTOL)= " + R(0.9);
  config().convergence_mode = 1;
  std::vector<std::string> lines = report();
  EXPECT_EQ(line_after(lines, before), " @ Using RMS force for sloppy convergence criterion");
  EXPECT_EQ(line_after(lines, " @ Using RMS force for sloppy convergence criterion"),
            " @ Threshold criterion= " + R(0.001));
  config().convergence_mode = 2;
  EXPECT_EQ(line_after(report(), before), " @ The sloppy convergence criterion for RMS force= " + R(0.001));
  for (std::int32_t mode : {0, 4, -3}) {
    config().convergence_mode = mode;
    EXPECT_EQ(line_after(report(), before), " @ MCSCRH UPDATE = " + I(4)) << "mode " << mode;
  }
}

TEST_F(ReportTest, MulticanonicalGroupFollowsTheRunMethods) {
  const std::string bins = " @ # of Multicanonical BH BINS= " + I(100);
  const std::string boltzmann = " @ Using MonteCarlo Boltzmann distribution";
  struct Case {
    RunArray<std::int32_t> methods;
    bool multicanonical;
  };
  const Case cases[] = {{{{2, 2, 2}}, false}, {{{4, 2, 2}}, true},  {{{2, 1, 2}}, true},
                        {{{2, 2, 1}}, true},  {{{1, 3, 3}}, true},  {{{2, 4, 4}}, false},
                        {{{3, 5, 3}}, false}, {{{0, -1, 2}}, false}};
  for (const Case& c : cases) {
    config().run_method = c.methods;
    const std::vector<std::string> lines = report();
    const std::string next = line_after(lines, bins);
    if (c.multicanonical) {
      EXPECT_TRUE(next.starts_with(" @ INITIAL BETA0=1/(")) << c.methods[1] << c.methods[2] << c.methods[3];
      EXPECT_EQ(index_of(lines, boltzmann), -1);
    } else {
      EXPECT_EQ(next, boltzmann) << c.methods[1] << c.methods[2] << c.methods[3];
      EXPECT_EQ(line_after(lines, boltzmann), " @ Every  " + I(3) + "  generations check acceptance ratio");
    }
  }
}

TEST_F(ReportTest, EnergyRangeModesInsideTheMulticanonicalGroup) {
  const std::string beta0 = " @ INITIAL BETA0=1/( " + R(0.8) + " - " + R(-999.2) + " )= " + R(0.001);
  const std::string every = " @ Every  " + I(3) + "  generations check acceptance ratio";
  const std::string tde = " @ TDE from  " + R(2.0) + "  to  " + R(5.0);

  config().energy_range_mode = 0;
  std::vector<std::string> lines = report();
  EXPECT_EQ(line_after(lines, beta0), " @ ENERGY RANGE FROM  " + R(12.5) + "  TO  " + R(-40.5));
  EXPECT_EQ(line_after(lines, line_after(lines, beta0)), every);

  config().energy_range_mode = 1;
  lines = report();
  EXPECT_EQ(line_after(lines, beta0), " @ Using Auto Energy Range(Half)");
  EXPECT_EQ(line_after(lines, " @ Using Auto Energy Range(Half)"), tde);
  EXPECT_EQ(line_after(lines, tde), every);

  config().energy_range_mode = 2;
  for (ReportVariant variant : kBoth) {
    lines = report(variant);
    const std::string annealing = variant == ReportVariant::before_save ? " @ Using Multi-Canonical Annealing BH"
                                                                        : " @ Using Multi-Canonical Annealing!";
    EXPECT_EQ(line_after(lines, beta0), annealing);
    EXPECT_EQ(line_after(lines, annealing), tde);
  }

  config().energy_range_mode = 3;
  lines = report();
  EXPECT_EQ(line_after(lines, beta0), " @ Using pre-MC to get the energy range!");
  EXPECT_EQ(line_after(lines, " @ Using pre-MC to get the energy range!"), " @ Number of Pre-BH step= " + I(5000));

  for (std::int32_t mode : {5, 4, -1}) {
    config().energy_range_mode = mode;
    EXPECT_EQ(line_after(report(), beta0), every) << "mode " << mode;
  }
}

TEST_F(ReportTest, RecordingModes) {
  const std::string temperature = " @ DO NOT FIX STEPS!";
  const std::string recover = " @ Start recover,recover ratio= " + R(1e-4);
  config().record_mode = 0;
  EXPECT_EQ(line_after(report(), temperature), " @ Normal recording");
  config().record_mode = 2;
  EXPECT_EQ(line_after(report(), temperature), " @ Record nothing!");
  config().record_mode = 1;
  config().step_record_kind = 1;
  std::vector<std::string> lines = report();
  EXPECT_EQ(line_after(lines, temperature), " @ Step recording in PDB file!");
  EXPECT_EQ(line_after(lines, " @ Step recording in PDB file!"), " @ Step recording,recording ratio= " + R(1e-6));
  for (std::int32_t mode : {3, -1}) {
    config().record_mode = mode;
    EXPECT_EQ(line_after(report(), temperature), recover) << "mode " << mode;
  }
}

TEST_F(ReportTest, TemperatureRangeUseOneAndTwo) {
  const std::string temperature_line =
      " @ Temperature start from  " + R(0.08) + "  to  " + R(0.8) + " ,multiply by  " + R(0.99);
  config().temp_range_use = 1;
  EXPECT_EQ(line_after(report(), temperature_line), " @ Use temperature range for all ensembles!");
  config().temp_range_use = 2;
  EXPECT_EQ(line_after(report(), temperature_line), " @ Use temperature range for the children!");
}

TEST_F(ReportTest, AnyOtherTemperatureRangeUsePrintsErrorAndStops) {
  const std::string temperature_line =
      " @ Temperature start from  " + R(0.08) + "  to  " + R(0.8) + " ,multiply by  " + R(0.99);
  for (ReportVariant variant : kBoth) {
    for (std::int32_t use : {0, 3, -1}) {
      config().temp_range_use = use;
      int status = -1;
      try {
        report(variant);
      } catch (const ProgramStop& stop) {
        status = stop.status;
      }
      EXPECT_EQ(status, 1) << "temp_range_use " << use;
      const std::vector<std::string> lines = lines_of(raw_output());
      ASSERT_GE(lines.size(), 2u);
      EXPECT_EQ(lines[lines.size() - 2], temperature_line);
      EXPECT_EQ(lines.back(), " ERROR!!");
      EXPECT_TRUE(raw_output().ends_with(" ERROR!!\n"));
    }
  }
}

}  // namespace
}  // namespace cfg::testing

// The whole report for one configuration in which every field is distinct,
// line by line, in both variants; and some lines byte for byte.
#include <string>
#include <vector>

#include "report_fixture.h"

namespace cfg::testing {
namespace {

std::string per_run(const std::string& label, double first, double second, double third) {
  return " " + label + " " + R(first) + " ,2nd= " + R(second) + " ,3rd= " + R(third);
}

std::string many_body(double e0, double c0, double p, double q, double r0) {
  return " @  " + R(e0) + " , " + R(c0) + " , " + R(p) + " , " + R(q) + " , " + R(r0);
}

std::vector<std::string> expected_report(ReportVariant variant) {
  const bool reload = variant == ReportVariant::after_reload;
  const std::string header =
      reload ? " @    e0        c0        p    q     r0" : " @     e0        c0       p        q    r0";
  return {
      " @  " + I(38) + "  particles",
      " @ seeding number=  " + I(7) + " ,(0 for no seeding)",
      " @ using Gaussian Random number",
      " @ using LBFGS minimization,MAXIT= " + I(1000),
      reload ? " @ Don't take step!" : " @ Don't take step!!",
      " @ Reset to seeding number!!",
      " @ move coords to center of mass!",
      " @  " + I(20) + "  ensembles for global GA",
      " @  " + I(21) + "  ensembles for parallel GA run 1",
      " @  " + I(22) + "  ensembles for parallel GA run 2",
      " @  " + I(23) + "  ensembles for parallel GA run 3",
      " @ Use eularangle tran for GGA,factor= " + R(0.5),
      " @ Do not use eularangle tran for PGA",
      " @ The ratio of GA:",
      " @ Inversion:     " + R(1.0),
      " @ Arithmetic:    " + R(2.0),
      " @ Geometic:      " + R(3.0),
      " @ Crossing:      " + R(4.0),
      " @ 2-Point:       " + R(5.0),
      " @ 3N Mutation:   " + R(6.0),
      " @ Moment op 1:   " + R(7.0),
      " @ Moment op 2:   " + R(8.0),
      " @ DIH move op 1: " + R(9.0),
      " @ The ratio of Step move:",
      per_run("@ 3N Particles Moving,1st=", 1.1, 1.2, 1.3),
      per_run("@ 3N Particles Mutation,1st=", 2.1, 2.2, 2.3),
      per_run("@ N Dimension Moving,   1st=", 3.1, 3.2, 3.3),
      per_run("@ 3N Dihedral Moving,   1st=", 4.1, 4.2, 4.3),
      per_run("@ RMS Transition,       1st=", 5.1, 5.2, 5.3),
      per_run("@ RMS SCALE,            1st=", 0.01, 0.02, 0.03),
      per_run("@ Inversion,          1st=", 6.1, 6.2, 6.3),
      per_run("@ Arithmetic,         1st=", 7.1, 7.2, 7.3),
      per_run("@ Geometic,           1st=", 8.1, 8.2, 8.3),
      per_run("@ Crossing,           1st=", 9.1, 9.2, 9.3),
      per_run("@ 2-Point Crossover,    1st=", 10.1, 10.2, 10.3),
      " @ " + I(15) + "  parents for global GA",
      " @ " + I(16) + "  parents for parallel GA run 1",
      " @ " + I(17) + "  parents for parallel GA run 2",
      " @ " + I(18) + "  parents for parallel GA run 3",
      " @ Same number= " + I(5) + "  for global GA",
      " @ Same number= " + I(6) + "  for parallel GA run 1",
      " @ Same number= " + I(7) + "  for parallel GA run 2",
      " @ Same number= " + I(8) + "  for parallel GA run 3",
      " @ Max gens= " + I(500),
      " @ Multi canonical max number for 1st Run= " + I(101),
      " @ Max MC steps for each recursion for 1st Run= " + I(5001),
      " @ Multi canonical max number for 2nd Run= " + I(102),
      " @ Max MC steps for each recursion for 2nd Run= " + I(5002),
      " @ Multi canonical max number for 3rd Run= " + I(103),
      " @ Max MC steps for each recursion for 3rd Run= " + I(5003),
      " @ Using close pack condition",
      (reload ? " @ Width of initial box is " : " @ Width of initial box is  ") + R(5.5),
      " @ BC in func= " + R(500.0),
      " @ Accuracy parameter in func= " + R(1.25),
      " @ The energy sort accuracy is  " + R(1e-12),
      " @ The dX in dfunc is  " + R(7e-5),
      " @ BC in dfunc is  " + R(2.0),
      " @ Tolerance of Simplex is  " + R(1e-8),
      " @ Tolerance of Conjugate Gradient is  " + R(2e-8),
      " @ Tolerance of LBFGS(GTOL)= " + R(0.9),
      (reload ? " @ Use multi-convergence criterion from  " : " @ The multi-convergence criterion from  ") +
          R(0.1) + "  to  " + R(1e-5),
      " @ The variation rate is  " + R(1.5),
      " @ MCSCRH UPDATE = " + I(4),
      " @ Takestep in bmin:Astep= " + R(0.4) + " ,Step= " + R(0.36),
      " @ Max Step= " + R(1.6) + " ,Min Step= " + R(1e-4),
      " @ Max Astep= " + R(1.0) + " ,Min Astep= " + R(2e-4),
      " @ Max TEMP= " + R(100.0) + " ,Min TEMP= " + R(3e-4),
      " @ The adjustment of the Acceptance checking is +- " + R(1.005),
      " @ Input DGUESS= " + R(0.1),
      " @ Use Guided function",
      " @ # of Guided Function BINS= " + I(50),
      " @ The acceptance probability for Guided fun is " + R(0.001),
      " @ Using Berg weighting for MBH parameters",
      " @ # of Multicanonical BH BINS= " + I(100),
      " @ INITIAL BETA0=1/( " + R(0.8) + " - " + R(-999.2) + " )= " + R(0.001),
      reload ? " @ Using Multi-Canonical Annealing!" : " @ Using Multi-Canonical Annealing BH",
      " @ TDE from  " + R(2.0) + "  to  " + R(5.0),
      " @ Every  " + I(3) + "  generations check acceptance ratio",
      " @ Acceptance ratio= " + R(0.5),
      " @ The adjustment of the Acceptance Ratio is +- " + R(0.005),
      " @ Temperature start from  " + R(0.08) + "  to  " + R(0.8) + " ,multiply by  " + R(0.99),
      " @ Use temperature range for the children!",
      " @ FIX TEMPERATURE!",
      " @ DO NOT FIX STEPS!",
      " @ Step recording in seperate coords file!",
      " @ Step recording,recording ratio= " + R(1e-6),
      " @ Start recover,recover ratio= " + R(1e-4),
      header,
      many_body(0.1031, 1.1895, 10.85, 3.18, 2.89),
      " @ For  " + I(10) + "  Ag",
      header,
      many_body(0.0894, 1.2799, 10.55, 2.43, 2.56),
      " @ For  " + I(28) + "  Cu",
      header,
      many_body(0.0977, 1.2275, 10.70, 2.805, 2.725),
      " @ For AC",
      " @ Using numerical gradient",
  };
}

TEST_F(ReportTest, BeforeSaveReportHasEveryLineInOrder) {
  EXPECT_EQ(report(ReportVariant::before_save), expected_report(ReportVariant::before_save));
}

TEST_F(ReportTest, AfterReloadReportDiffersOnlyInItsFiveWordings) {
  EXPECT_EQ(report(ReportVariant::after_reload), expected_report(ReportVariant::after_reload));
  const std::vector<std::string> before = expected_report(ReportVariant::before_save);
  const std::vector<std::string> after = expected_report(ReportVariant::after_reload);
  ASSERT_EQ(before.size(), after.size());
  int differing = 0;
  for (std::size_t i = 0; i < before.size(); ++i) differing += before[i] != after[i] ? 1 : 0;
  EXPECT_EQ(differing, 7);  // take step, box width, convergence, annealing, and H three times
}

TEST_F(ReportTest, EveryLineEndsWithOneLineEnd) {
  report();
  const std::string text = raw_output();
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text.back(), '\n');
  EXPECT_EQ(text.find("\n\n"), std::string::npos);
  EXPECT_EQ(text.find('\r'), std::string::npos);
}

// Lines written out character by character, numbers included.
TEST_F(ReportTest, ExactBytesOfSomeLines) {
  const std::vector<std::string> before = report(ReportVariant::before_save);
  // blank, "@ ", separator, 38 in 11 (9 blanks), separator, " particles"
  EXPECT_EQ(before[0], " @           38  particles");
  EXPECT_EQ(before[0].size(), 26u);
  EXPECT_EQ(before[1], " @ seeding number=            7 ,(0 for no seeding)");
  // "is " then separator, then 5.5 in the first 20 of 25 characters
  EXPECT_NE(index_of(before, " @ Width of initial box is    5.5000000000000000     "), -1);
  EXPECT_NE(index_of(before, " @ Max gens=         500"), -1);
  EXPECT_NE(index_of(before, " @          15  parents for global GA"), -1);
  EXPECT_NE(index_of(before, " @ For           28  Cu"), -1);
  EXPECT_NE(index_of(before, " @     e0        c0       p        q    r0"), -1);
  EXPECT_NE(index_of(before, " @ RMS SCALE,            1st=   1.0000000000000000E-002 ,2nd=   "
                             "2.0000000000000000E-002 ,3rd=   2.9999999999999999E-002"),
            -1);

  const std::vector<std::string> after = report(ReportVariant::after_reload);
  EXPECT_NE(index_of(after, " @ Width of initial box is   5.5000000000000000     "), -1);
  EXPECT_NE(index_of(after, " @    e0        c0        p    q     r0"), -1);
}

}  // namespace
}  // namespace cfg::testing

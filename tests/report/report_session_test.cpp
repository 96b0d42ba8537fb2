// The report inside whole runs of the program: option 8 prints the
// after_reload variant, the way to the save question the before_save one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "driver/saving.h"
#include "io/list_writer.h"
#include "support/session_harness.h"

namespace cfg::testing {
namespace {

std::string I(std::int32_t value) { return format_integer(value); }
std::string R(double value) { return format_real(value); }

// `text` with its line number `number` (from 1) replaced.
std::string with_line(const std::string& text, std::size_t number, const std::string& line) {
  std::vector<std::string> lines = lines_of(text);
  lines.at(number - 1) = line;
  std::string result;
  for (const std::string& each : lines) result += each + "\n";
  return result;
}

// The report's lines in a run's output: from the particles line to the
// gradient line or the "ERROR!!" stop.
std::vector<std::string> report_lines(const std::string& out) {
  std::vector<std::string> report;
  bool inside = false;
  for (const std::string& line : lines_of(out)) {
    if (line == " @           38  particles") inside = true;
    if (inside) report.push_back(line);
    if (inside && (line.starts_with(" @ Using") && line.ends_with(" gradient"))) break;
  }
  return report;
}

TEST(ReportSession, QuitWithoutSavingPrintsTheAfterReloadReport) {
  ScratchConfig scratch;
  const SessionResult run = scratch.run("8\n");
  EXPECT_EQ(run.status, 0);
  const std::string tail = after_last(run.out, " Load the previous configuration !\n");
  ASSERT_TRUE(tail.starts_with(" @           38  particles\n @ seeding number=            0 ,(0 for no seeding)\n"));
  const std::vector<std::string> report = report_lines(tail);
  EXPECT_EQ(report[2], " @ using LBFGS minimization,MAXIT=        1000");
  EXPECT_EQ(report[3], " @ Don't take step!");
  EXPECT_NE(std::find(report.begin(), report.end(), " @ Width of initial box is   10.291681957957886     "),
            report.end());
  const std::vector<std::string> block(report.end() - 4, report.end());
  EXPECT_EQ(block, (std::vector<std::string>{" @    e0        c0        p    q     r0",
                                             " @  " + R(0.1031) + " , " + R(1.1895) + " , " + R(10.85) +
                                                 " , " + R(3.18) + " , " + R(2.89),
                                             " @ For Ag", " @ Using analytic gradient"}));
  EXPECT_TRUE(after_last(run.out, " @ Using analytic gradient\n").starts_with("\n"));
  EXPECT_NE(run.out.find("Configuration finished. Good luck!"), std::string::npos);
}

TEST(ReportSession, SavePathPrintsTheBeforeSaveReportWithTheClosePackValue) {
  ScratchConfig scratch;
  const std::string data_before = scratch.read("data.dat");
  const SessionResult run = scratch.run("\nn\n");
  EXPECT_EQ(run.status, 0);
  const std::string tail = after_last(run.out, " ic = [ENTER] = 9\n");
  ASSERT_TRUE(tail.starts_with(" @           38  particles\n"));
  const std::vector<std::string> report = report_lines(tail);
  EXPECT_EQ(report[3], " @ Don't take step!!");
  // Under LBFGS with close packing the box and the boundary follow the close-pack value.
  const double close_pack = close_pack_value(38);
  EXPECT_NE(std::find(report.begin(), report.end(), " @ Width of initial box is  " + R(close_pack)), report.end());
  EXPECT_NE(std::find(report.begin(), report.end(), " @ BC in func= " + R(close_pack)), report.end());
  EXPECT_EQ(report[report.size() - 4], " @     e0        c0       p        q    r0");
  EXPECT_TRUE(after_last(run.out, " @ Using analytic gradient\n").find("Quit and Save the config. file ? (y/n)") !=
              std::string::npos);
  EXPECT_EQ(scratch.read("data.dat"), data_before);
}

TEST(ReportSession, UnknownTemperatureRangeUseStopsBeforeTheSaveQuestion) {
  ScratchConfig scratch;
  const std::string data = with_line(scratch.read("data.dat"), 8, "1 2 2 1.0 0.08 0.8 0");
  scratch.write("data.dat", data);
  const std::string atom_num = scratch.read("atom_num.dat");
  const std::string type = scratch.read("type.dat");

  const SessionResult run = scratch.run("\n");
  EXPECT_EQ(run.status, 1);
  const std::string tail = after_last(run.out, " ic = [ENTER] = 9\n");
  EXPECT_TRUE(tail.ends_with(" @ Temperature start from  " + R(0.08) + "  to  " + R(0.8) + " ,multiply by  " +
                             R(1.0) + "\n ERROR!!\n"));
  EXPECT_EQ(run.out.find("Quit and Save"), std::string::npos);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(scratch.read("data.dat"), data);
  EXPECT_EQ(scratch.read("atom_num.dat"), atom_num);
  EXPECT_EQ(scratch.read("type.dat"), type);
}

TEST(ReportSession, UnknownTemperatureRangeUseStopsTheAfterReloadReportToo) {
  ScratchConfig scratch;
  const std::string data = with_line(scratch.read("data.dat"), 8, "1 2 2 1.0 0.08 0.8 3");
  scratch.write("data.dat", data);
  const SessionResult run = scratch.run("8\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.out.ends_with(" ,multiply by  " + R(1.0) + "\n ERROR!!\n"));
  EXPECT_EQ(run.out.find("Good luck"), std::string::npos);
  EXPECT_EQ(scratch.read("data.dat"), data);
}

TEST(ReportSession, TheReportShowsTheConfigurationOnDisk) {
  ScratchConfig scratch;
  scratch.write("atom_num.dat", " 55 123\n");
  scratch.write("type.dat", " 5 1\n");
  scratch.write("alloy.dat", " 20\n");
  const SessionResult run = scratch.run("8\n");
  ASSERT_EQ(run.status, 0);
  const std::vector<std::string> lines = lines_of(after_last(run.out, " Load the previous configuration !\n"));
  EXPECT_EQ(lines[0], " @  " + I(55) + "  particles");
  EXPECT_EQ(lines[1], " @ seeding number=  " + I(123) + " ,(0 for no seeding)");
  EXPECT_EQ(lines[5], " @ move coords to center of mass!");
  // After a reload under EAM the A count is the one alloy.dat holds.
  const auto eam = std::find(lines.begin(), lines.end(), " @  name    #   epsilon    a   C   n    m");
  ASSERT_NE(eam, lines.end());
  EXPECT_TRUE(eam[1].starts_with(" @ Ag " + I(20) + " "));
  EXPECT_TRUE(eam[2].starts_with(" @ Cu " + I(35) + " "));
  EXPECT_TRUE(eam[3].starts_with(" @ AC " + I(55) + " "));
  EXPECT_EQ(eam[4], " @ Using analytic gradient");
}

}  // namespace
}  // namespace cfg::testing

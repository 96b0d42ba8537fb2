// What a save writes after option 7 chose each potential type: the three
// common files plus the chosen model's own, and nothing else.
#include <map>
#include <set>

#include "energy/energy_session.h"

namespace cfg::testing {
namespace {

const std::vector<std::string> kEnergyFiles = {
    "type.dat",     "alloy.dat",    "parameter1.dat", "parameter2.dat", "parameter3.dat",
    "protein1.dat", "protein2.dat", "eam_aa.dat",     "eam_bb.dat",     "eam_ab.dat",
    "chima1.dat",   "chima2.dat",   "qscff.dat"};

struct TypeCase {
  std::int32_t type;
  const char* answers;  // after option 7
  std::set<std::string> own_files;
};

TEST(SaveAfterOption7, WritesTheCommonFilesAndThoseOfTheChosenType) {
  const TypeCase cases[] = {
      {1, "2\n1\ngo\nNa", {}},
      {2, "2\n2\ngo\nAg\nCu\n10", {"parameter2.dat", "parameter3.dat"}},
      {3, "2\n3\n1\nB\n38", {"protein1.dat", "protein2.dat"}},
      {4, "2\n4\n1\nB\n38", {"protein1.dat", "protein2.dat"}},
      {5, "2\n5\n38\n2", {"eam_aa.dat", "eam_bb.dat", "eam_ab.dat"}},
      {6, "2\n6\n1\nB\n38", {}},
      {7, "2\n7\n1\n0", {"chima1.dat", "chima2.dat"}},
      {8, "2\n8\n1\n0", {"chima1.dat", "chima2.dat"}},
      {9, "2\n9\n38\n2", {"qscff.dat"}},
  };
  for (const TypeCase& c : cases) {
    SCOPED_TRACE("type " + std::to_string(c.type));
    ScratchConfig scratch;
    // The example files are written in a short hand that a save never produces.
    std::map<std::string, std::string> before;
    for (const std::string& name : kEnergyFiles) before[name] = scratch.read(name);

    const SessionResult result = run_option_7(scratch, c.answers);
    ASSERT_EQ(result.status, 0) << result.err;
    ASSERT_TRUE(has_line(result.out, " config. dat has been saved !"));

    std::set<std::string> written = {"type.dat", "alloy.dat", "parameter1.dat"};
    written.insert(c.own_files.begin(), c.own_files.end());
    for (const std::string& name : kEnergyFiles) {
      EXPECT_EQ(scratch.read(name) != before[name], written.count(name) == 1) << name;
    }
    EXPECT_EQ(scratch.read("type.dat"), std::string(" ").append(format_integer(c.type)) + " " + format_integer(2) + "\n");
  }
}

}  // namespace
}  // namespace cfg::testing

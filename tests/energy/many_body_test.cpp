// Potential types 1 and 2: the materials library listing and lookup, or the
// A-A values typed in.
#include "config/energy_model.h"
#include "energy/energy_session.h"

namespace cfg::testing {
namespace {

const std::string kListHeader = " @      e0       c0      p    q    r0";
const std::string kFoundHeader = " @      e0       c0      p    q   r0";
const std::vector<std::string> kNotFound = {" Data doesn't exist !", " Please type 'go' and try again !"};

struct Values {
  std::string name;
  double e0, c0, p, q, r0;
};
// Entries of the example library.
const Values kNa = {"Na", 0.015948, 0.29113, 10.13, 1.30, 3.699};
const Values kAg = {"Ag", 0.1031, 1.1895, 10.85, 3.18, 2.89};
const Values kCu = {"Cu", 0.0894, 1.2799, 10.55, 2.43, 2.56};
const Values kAc = {"AC", 0.0977, 1.2275, 10.70, 2.805, 2.725};
const Values kAp = {"AP", 0.1900, 1.7500, 10.540, 3.8900, 2.8160};

std::string library_record(const Values& v) {
  return v.name + " " + std::to_string(v.e0) + " " + std::to_string(v.c0) + " " +
         std::to_string(v.p) + " " + std::to_string(v.q) + " " + std::to_string(v.r0) + "\n";
}
std::string library_of(const std::vector<Values>& entries) {
  std::string text;
  for (const Values& entry : entries) text += library_record(entry);
  return text + "end 0 0 0 0 0\n";
}

// The printed line of a set: the two-character name, then the five reals.
std::string set_line(const Values& v) {
  return " " + v.name + " " + format_real(v.e0) + " " + format_real(v.c0) + " " + format_real(v.p) +
         " " + format_real(v.q) + " " + format_real(v.r0);
}

ManyBodySet saved_set(const ScratchConfig& scratch, const std::string& file) {
  ManyBodySet set;
  read_record(scratch, file, set.name, set.e0, set.c0, set.p, set.q, set.r0);
  return set;
}

::testing::AssertionResult holds(const ManyBodySet& set, const Values& v) {
  if (set.name == v.name && set.e0 == v.e0 && set.c0 == v.c0 && set.p == v.p && set.q == v.q && set.r0 == v.r0) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "set " << set.name.view() << " " << set.e0 << " " << set.c0 << " "
                                       << set.p << " " << set.q << " " << set.r0 << " is not " << v.name;
}

// Entries named Ax, Bx, Cx, ... with e0 = 1, 2, 3, ...
std::vector<Values> numbered_entries(int count) {
  std::vector<Values> entries;
  for (int i = 0; i < count; ++i) entries.push_back({std::string{static_cast<char>('A' + i), 'x'}, i + 1.0, 1, 2, 3, 4});
  return entries;
}

TEST(MaterialsLibraryListing, TwentyFiveEntriesPauseAfterTheTenthAndTheTwentieth) {
  const std::vector<Values> entries = numbered_entries(25);
  ScratchConfig scratch;
  scratch.write("enrgpmt.dat", library_of(entries));

  SessionResult result = scratch.run("7\n2\n1\nstop\n");
  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(has_line(result.out, set_line(entries[9])));
  EXPECT_FALSE(has_line(result.out, set_line(entries[10])));

  result = scratch.run("7\n2\n1\ngo\nstop\n");
  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(has_line(result.out, set_line(entries[19])));
  EXPECT_FALSE(has_line(result.out, set_line(entries[20])));

  result = run_option_7(scratch, "2\n1\ngo\ngo\nYx");
  ASSERT_EQ(result.status, 0) << result.err;
  std::vector<std::string> listing = {kListHeader};
  for (const Values& entry : entries) listing.push_back(set_line(entry));
  listing.push_back(" Please input a materials: [default='Na']");
  listing.push_back(" Or you can type 'none' to input directly");
  listing.push_back(kFoundHeader);
  listing.push_back(set_line(entries[24]));
  EXPECT_TRUE(has_block(result.out, listing));
  EXPECT_TRUE(holds(saved_set(scratch, "parameter1.dat"), entries[24]));
}

TEST(MaterialsLibraryListing, AnEndMarkerInTenthPlacePausesOnceAfterIt) {
  const std::vector<Values> entries = numbered_entries(9);
  ScratchConfig scratch;
  scratch.write("enrgpmt.dat", library_of(entries));
  SessionResult result = scratch.run("7\n2\n1\nstop\n");
  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(has_line(result.out, set_line(entries[8])));
  EXPECT_FALSE(has_line(result.out, " Please input a materials: [default='Na']"));
  result = run_option_7(scratch, "2\n1\ngo\nAx");
  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(holds(saved_set(scratch, "parameter1.dat"), entries[0]));
}

TEST(MaterialsLibraryListing, AMissingOrUnfinishedLibraryIsFatal) {
  ScratchConfig scratch;
  const std::string type_before = scratch.read("type.dat");
  scratch.remove("enrgpmt.dat");
  SessionResult result = run_option_7(scratch, "2\n1\nNa");
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("enrgpmt.dat"), std::string::npos);

  scratch.write("enrgpmt.dat", library_record(kNa) + library_record(kAg));
  result = run_option_7(scratch, "2\n1\nNa");
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("enrgpmt.dat"), std::string::npos);
  EXPECT_EQ(scratch.read("type.dat"), type_before);
}

TEST(PureLookup, AFoundMaterialFillsTheAaSetAndEndsAtOnce) {
  ScratchConfig scratch;  // the example library; Na is its first entry
  const std::string parameter2_before = scratch.read("parameter2.dat");
  const SessionResult result = run_option_7(scratch, "2\n1\ngo\nNa");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(has_block(result.out, {kFoundHeader, set_line(kNa), kMainMenuFirstLine}));
  EXPECT_EQ(count_lines_equal(result.out, kFoundHeader), 1);
  EXPECT_TRUE(holds(saved_set(scratch, "parameter1.dat"), kNa));
  EXPECT_EQ(scratch.read("parameter2.dat"), parameter2_before);
}

TEST(PureLookup, AMissingMaterialPausesAndGoReturnsToTheMainMenu) {
  // None is not none: it is looked up like any name.
  for (const char* name : {"Xe", "None"}) {
    SCOPED_TRACE(name);
    ScratchConfig scratch;
    const SessionResult result = run_option_7(scratch, std::string("2\n1\ngo\n") + name + "\ngo");
    ASSERT_EQ(result.status, 0) << result.err;
    std::vector<std::string> block = kNotFound;
    block.push_back(kMainMenuFirstLine);
    EXPECT_TRUE(has_block(result.out, block));
    EXPECT_FALSE(has_line(result.out, kFoundHeader));
    EXPECT_FALSE(has_line(result.out, " Input the parameter of the energy: (MC)"));
    // The listing left the library's last entry in the A-A set.
    EXPECT_TRUE(holds(saved_set(scratch, "parameter1.dat"), kAp));
  }
}

TEST(PureLookup, AnotherWordAtThePauseEndsTheProgramWithoutSaving) {
  ScratchConfig scratch;
  const std::string parameter1_before = scratch.read("parameter1.dat");
  const SessionResult result = scratch.run("7\n2\n1\ngo\nXe\nquit\n\ny\n");
  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(has_block(result.out, kNotFound));
  EXPECT_EQ(count_lines_equal(result.out, kMainMenuFirstLine), 1);
  EXPECT_FALSE(has_line(result.out, " config. dat has been saved !"));
  EXPECT_EQ(scratch.read("parameter1.dat"), parameter1_before);
}

TEST(PureLookup, EveryLookupStartsAtTheFirstRecord) {
  ScratchConfig scratch;
  scratch.write("enrgpmt.dat", library_of({kAg, kNa}));
  const SessionResult result = scratch.run("7\n2\n1\nNa\n7\n2\n1\nAg\n\ny\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(has_block(result.out, {kFoundHeader, set_line(kAg), kMainMenuFirstLine}));
  EXPECT_TRUE(holds(saved_set(scratch, "parameter1.dat"), kAg));
}

TEST(DirectInput, NoneAsksTheFiveValuesAndKeepsTheListedName) {
  ScratchConfig scratch;
  const SessionResult result = run_option_7(scratch, "2\n1\ngo\nnone\n1.5\n2.5\n3.5\n4.5\n5.5");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(has_block(result.out, {" Input the parameter of the energy: (MC)",
                                     " Input epsilon: [for NA:0.015948 (eV)]",
                                     " Input zeta: [for NA:0.29113 (eV)]",
                                     " Input p: [for NA: p=10.13]",
                                     " Input q: [for NA: q=1.30]",
                                     " Input rzero: [for NA: r0=6.99 a.u]",
                                     kMainMenuFirstLine}));
  EXPECT_TRUE(holds(saved_set(scratch, "parameter1.dat"), {"AP", 1.5, 2.5, 3.5, 4.5, 5.5}));
}

TEST(DirectInput, UnderTypeTwoOnlyTheAaSetIsAsked) {
  ScratchConfig scratch;
  const SessionResult result = run_option_7(scratch, "2\n2\ngo\nnone\nNi\n5\n1\n2\n3\n4\n5");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(holds(saved_set(scratch, "parameter1.dat"), {"AP", 1, 2, 3, 4, 5}));
  EXPECT_TRUE(holds(saved_set(scratch, "parameter2.dat"), kCu));
  EXPECT_TRUE(holds(saved_set(scratch, "parameter3.dat"), kAc));
  std::int32_t a_atoms = 0;
  read_record(scratch, "alloy.dat", a_atoms);
  EXPECT_EQ(a_atoms, 5);
}

TEST(AlloyLookup, FillsTheThreeSetsAndStopsAtThePairEntry) {
  ScratchConfig scratch;  // the example library: Ag, Cu, then AC
  const SessionResult result = run_option_7(scratch, "2\n2\ngo\nAg\nCu\n10");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(has_block(result.out, {" Please input the name of A atom:", " Please input the name of B atom:",
                                     " Please input the # of A atoms:", kFoundHeader, set_line(kAg), kFoundHeader,
                                     set_line(kCu), kFoundHeader, set_line(kAc), kMainMenuFirstLine}));
  EXPECT_TRUE(holds(saved_set(scratch, "parameter1.dat"), kAg));
  EXPECT_TRUE(holds(saved_set(scratch, "parameter2.dat"), kCu));
  EXPECT_TRUE(holds(saved_set(scratch, "parameter3.dat"), kAc));
  std::int32_t type = 0, center = 0, a_atoms = 0;
  read_record(scratch, "type.dat", type, center);
  read_record(scratch, "alloy.dat", a_atoms);
  EXPECT_EQ(type, 2);
  EXPECT_EQ(a_atoms, 10);
}

TEST(AlloyLookup, ThePairIsTakenUnderEitherOrderOfItsLetters) {
  const Values ca = {"CA", 1, 2, 3, 4, 5};
  ScratchConfig scratch;
  scratch.write("enrgpmt.dat", library_of({kAg, kCu, ca, kAc}));
  ASSERT_EQ(run_option_7(scratch, "2\n2\nAg\nCu\n10").status, 0);
  EXPECT_TRUE(holds(saved_set(scratch, "parameter3.dat"), ca));
}

TEST(AlloyLookup, EntriesAfterThePairAreNotTaken) {
  const Values first = {"Na", 9, 9, 9, 9, 9};
  ScratchConfig scratch;
  scratch.write("enrgpmt.dat", library_of({first, kAc, kAg, kCu}));
  ASSERT_EQ(run_option_7(scratch, "2\n2\nAg\nCu\n10").status, 0);
  EXPECT_TRUE(holds(saved_set(scratch, "parameter1.dat"), kCu));  // left by the listing
  EXPECT_TRUE(holds(saved_set(scratch, "parameter2.dat"), kCu));  // as loaded
  EXPECT_TRUE(holds(saved_set(scratch, "parameter3.dat"), kAc));
}

TEST(AlloyLookup, OneMaterialTwiceTakesItsEntryForBothAndThePairEntry) {
  const Values cc = {"CC", 0.5, 0.6, 0.7, 0.8, 0.9};
  ScratchConfig scratch;
  scratch.write("enrgpmt.dat", library_of({kNa, kCu, cc}));
  const SessionResult result = run_option_7(scratch, "2\n2\nCu\nCu\n38");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(has_block(result.out, {kFoundHeader, set_line(kCu), kFoundHeader, set_line(kCu), kFoundHeader,
                                     set_line(cc), kMainMenuFirstLine}));
  EXPECT_TRUE(holds(saved_set(scratch, "parameter1.dat"), kCu));
  EXPECT_TRUE(holds(saved_set(scratch, "parameter2.dat"), kCu));
  EXPECT_TRUE(holds(saved_set(scratch, "parameter3.dat"), cc));
}

TEST(AlloyLookup, WithoutAPairEntryItEndsNotFoundButKeepsWhatItFound) {
  ScratchConfig scratch;
  scratch.write("enrgpmt.dat", library_of({kNa, kAg, kCu}));
  const SessionResult result = run_option_7(scratch, "2\n2\nCu\nAg\n10\ngo");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(has_block(result.out, {kFoundHeader, set_line(kAg), kFoundHeader, set_line(kCu), kNotFound[0]}));
  EXPECT_TRUE(holds(saved_set(scratch, "parameter1.dat"), kCu));
  EXPECT_TRUE(holds(saved_set(scratch, "parameter2.dat"), kAg));
  EXPECT_TRUE(holds(saved_set(scratch, "parameter3.dat"), kAc));  // as loaded
}

TEST(AlloyLookup, NoneOrAllAtomsOfSpeciesAClearTheMutationRatios) {
  struct Case {
    const char* a_atoms;
    double ratio;
  };
  for (const Case& c : {Case{"0", 0.0}, Case{"38", 0.0}, Case{"10", 0.25}, Case{"-38", 0.25}}) {
    SCOPED_TRACE(c.a_atoms);
    ScratchConfig scratch;
    for (int record = 9; record <= 11; ++record) {
      scratch.write("data.dat", data_with_record(scratch, record, "5.0 0.25 0.0 5.0 0.0 0.0 1.0 1.0 5.0 5.0"));
    }
    ASSERT_EQ(run_option_7(scratch, std::string("2\n2\ngo\nAg\nCu\n") + c.a_atoms).status, 0);
    const ConfigRecord config = saved_config(scratch);
    for (int run = 1; run <= 3; ++run) EXPECT_EQ(config.mutation_3n[run], c.ratio) << "run " << run;
    EXPECT_EQ(config.move_3n[1], 5.0);
  }
}

}  // namespace
}  // namespace cfg::testing

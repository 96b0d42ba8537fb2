// Potential types 5 and 9: the EAM and Q-SC parameter tables.
#include "config/energy_model.h"
#include "energy/energy_session.h"

namespace cfg::testing {
namespace {

const std::vector<std::string> kAtomQuestion = {" Please input the # of A atoms", " (for pure,A=total atom number)"};

// A table row: "@ " joined to the name, the count, the five values.
std::string row(const std::string& name, std::int32_t count, std::vector<double> values) {
  std::string line = " @ " + name + " " + format_integer(count);
  for (double value : values) line.append(" ").append(format_real(value));
  return line;
}

// The example's EAM sets in screen order: epsilon, a, C, n, m.
const std::vector<double> kEamAg = {2.5415e-3, 4.09, 144.41, 12.0, 6.0};
const std::vector<double> kEamCu = {1.2382e-2, 3.61, 39.432, 9.0, 6.0};
const std::vector<double> kEamAc = {5.6097e-3, 3.85, 75.46, 10.5, 6.0};

// The example's Q-SC sets: D, c, m, n, a.
const std::vector<double> kQscAg = {3.9450, 96.524, 6.0, 11.0, 4.0691};
const std::vector<double> kQscCu = {5.7921, 84.843, 5.0, 10.0, 3.6030};

EamSet saved_eam(const ScratchConfig& scratch, const std::string& file) {
  EamSet set;
  read_record(scratch, file, set.name, set.a, set.epsilon, set.c, set.n, set.m);
  return set;
}
std::vector<double> screen_order(const EamSet& set) { return {set.epsilon, set.a, set.c, set.n, set.m}; }

std::int32_t saved_a_atoms(const ScratchConfig& scratch) {
  std::int32_t count = 0;
  read_record(scratch, "alloy.dat", count);
  return count;
}

std::vector<std::string> eam_block(char material, const char* last) {
  const std::string m(1, material);
  return {" Input the parameter of the energy " + m + "-" + m + ":", " Input the name of material " + m + "(Ex:Fe,Mg...)",
          " Input epsilon of material " + m + ":", " Input a of material " + m, " Input C of material " + m,
          " Input n of material " + m, std::string(" ") + last};
}

TEST(EamEditor, APureSystemShowsOneRowAndAsksOnlyTheAaBlock) {
  ScratchConfig scratch;
  const SessionResult result = run_option_7(scratch, "2\n5\n38\n1\nFe\n1\n2\n3\n4\n5");
  ASSERT_EQ(result.status, 0) << result.err;
  std::vector<std::string> dialogue = kAtomQuestion;
  for (const std::string& line :
       {std::string(" Current EAM parameters:"), std::string("  name    #   epsilon    a   C   n    m"),
        row("Ag", 38, kEamAg), std::string(" For pure!"), std::string(" 1.Change the parameters of EAM?"),
        std::string(" 2.Keep current setting and back to main selection")}) {
    dialogue.push_back(line);
  }
  const std::vector<std::string> a_block = eam_block('A', "Input m of material A");
  dialogue.insert(dialogue.end(), a_block.begin(), a_block.end());
  dialogue.push_back(kMainMenuFirstLine);
  EXPECT_TRUE(has_block(result.out, dialogue));

  const EamSet aa = saved_eam(scratch, "eam_aa.dat");
  EXPECT_TRUE(aa.name == "Fe");
  EXPECT_EQ(screen_order(aa), (std::vector<double>{1, 2, 3, 4, 5}));
  EXPECT_EQ(screen_order(saved_eam(scratch, "eam_bb.dat")), kEamCu);
  EXPECT_EQ(saved_a_atoms(scratch), 38);
}

TEST(EamEditor, AnAlloyShowsThreeRowsAndAsksEighteenQuestions) {
  ScratchConfig scratch;
  scratch.write("atom_num.dat", "10 0\n");
  const SessionResult result = run_option_7(scratch,
                                            "2\n5\n3\n1\n"
                                            "Ag\n1\n2\n3\n4\n5\n"
                                            "Cu\n6\n7\n8\n9\n10\n"
                                            "AC\n11\n12\n13\n14\n15");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(has_block(result.out, {row("Ag", 3, kEamAg), row("Cu", 7, kEamCu), row("AC", 10, kEamAc),
                                     " 1.Change the parameters of EAM?"}));
  std::vector<std::string> questions = eam_block('A', "Input m of material A");
  const std::vector<std::string> b_block = eam_block('B', "Input m2");
  questions.insert(questions.end(), b_block.begin(), b_block.end());
  for (const char* line : {"Input the parameter of the energy A-B:", "Please give a name of A-B(Ex:Fe+Al=FL)",
                           "Input epsilon of A-B:", "Input a of A-B", "Input C of A-B", "Input n of A-B",
                           "Input m of A-B"}) {
    questions.push_back(std::string(" ") + line);
  }
  questions.push_back(kMainMenuFirstLine);
  EXPECT_TRUE(has_block(result.out, questions));

  EXPECT_EQ(screen_order(saved_eam(scratch, "eam_aa.dat")), (std::vector<double>{1, 2, 3, 4, 5}));
  const EamSet bb = saved_eam(scratch, "eam_bb.dat");
  EXPECT_TRUE(bb.name == "Cu");
  EXPECT_EQ(screen_order(bb), (std::vector<double>{6, 7, 8, 9, 10}));
  EXPECT_EQ(screen_order(saved_eam(scratch, "eam_ab.dat")), (std::vector<double>{11, 12, 13, 14, 15}));
  EXPECT_EQ(saved_a_atoms(scratch), 3);
  // The file keeps a before epsilon.
  EXPECT_EQ(lines_of(scratch.read("eam_bb.dat"))[0],
            " Cu " + format_real(7) + " " + format_real(6) + " " + format_real(8) + " " + format_real(9) + " " +
                format_real(10));
}

TEST(EamEditor, AnyChoiceButOneKeepsTheTable) {
  for (const char* choice : {"2", "0", "/"}) {
    SCOPED_TRACE(choice);
    ScratchConfig scratch;
    const SessionResult result = run_option_7(scratch, std::string("2\n5\n20\n") + choice);
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(has_block(result.out, {" 2.Keep current setting and back to main selection", kMainMenuFirstLine}));
    EXPECT_EQ(screen_order(saved_eam(scratch, "eam_aa.dat")), kEamAg);
    EXPECT_EQ(screen_order(saved_eam(scratch, "eam_ab.dat")), kEamAc);
    EXPECT_EQ(saved_a_atoms(scratch), 20);
  }
}

TEST(EamEditor, TheCountOfBAtomsWrapsAround) {
  ScratchConfig scratch;
  const SessionResult result = run_option_7(scratch, "2\n5\n-2147483648\n2");
  ASSERT_EQ(result.status, 0) << result.err;
  // 38 - (-2147483648) = 2147483686, which is -2147483610 in 32 bits.
  EXPECT_TRUE(has_block(result.out, {row("Ag", -2147483647 - 1, kEamAg), row("Cu", -2147483610, kEamCu),
                                     row("AC", 38, kEamAc)}));
}

struct QscFirstRecord {
  std::int32_t a_atoms = 0;
  FixedText<2> file_name;
};
QscFirstRecord saved_qsc_head(const ScratchConfig& scratch) {
  QscFirstRecord head;
  read_record(scratch, "qscff.dat", head.a_atoms, head.file_name);
  return head;
}
QscSet saved_qsc(const ScratchConfig& scratch, int record) {
  QscSet set;
  read_record_at(scratch, "qscff.dat", record, set.name, set.d, set.c, set.m, set.n, set.a);
  return set;
}
std::vector<double> values(const QscSet& set) { return {set.d, set.c, set.m, set.n, set.a}; }

const std::vector<std::string> kQscHeader = {" Current Q-SC Force-Field parameters:",
                                             "  name    #   D(meV)    c    m    n   a(A)"};
const std::vector<std::string> kQscMenu = {" 1.Change the parameters of Q-SC Force-Field?",
                                           " 2.Keep current setting and back to main selection"};

std::vector<std::string> qsc_block(char material) {
  const std::string m(1, material);
  return {" Input the parameter of the energy " + m + "-" + m + ":",
          " Input the name of material " + m + "(Ex:Fe,Mg...)",
          " Input D(meV) of material " + m + ":",
          " Input c of material " + m + ":",
          " Input m of material " + m + ":",
          " Input n of material " + m + ":",
          " Input a(A) of material " + m + ":"};
}

TEST(QscEditor, APureSystemIsNamedAfterItsMaterial) {
  ScratchConfig scratch;
  scratch.write("qscff.dat", " 38 Xx\n Ag 3.9450 96.524 6.0 11.0 4.0691\n Cu 5.7921 84.843 5.0 10.0 3.6030\n");
  const SessionResult result = run_option_7(scratch, "2\n9\n38\n2");
  ASSERT_EQ(result.status, 0) << result.err;
  std::vector<std::string> dialogue = kAtomQuestion;
  dialogue.insert(dialogue.end(), kQscHeader.begin(), kQscHeader.end());
  dialogue.push_back(row("Ag", 38, kQscAg));
  dialogue.push_back(" For pure,file name is Ag");
  dialogue.insert(dialogue.end(), kQscMenu.begin(), kQscMenu.end());
  dialogue.push_back(kMainMenuFirstLine);
  EXPECT_TRUE(has_block(result.out, dialogue));
  const QscFirstRecord head = saved_qsc_head(scratch);
  EXPECT_EQ(head.a_atoms, 38);
  EXPECT_TRUE(head.file_name == "Ag");
}

TEST(QscEditor, AnAlloyIsNamedAfterTheFirstLettersEvenWhenKept) {
  ScratchConfig scratch;
  const SessionResult result = run_option_7(scratch, "2\n9\n10\n2");
  ASSERT_EQ(result.status, 0) << result.err;
  std::vector<std::string> dialogue = kQscHeader;
  dialogue.push_back(row("Ag", 10, kQscAg));
  dialogue.push_back(row("Cu", 28, kQscCu));
  dialogue.push_back(" For Alloy,file name is AC");
  dialogue.insert(dialogue.end(), kQscMenu.begin(), kQscMenu.end());
  dialogue.push_back(kMainMenuFirstLine);
  EXPECT_TRUE(has_block(result.out, dialogue));
  const QscFirstRecord head = saved_qsc_head(scratch);
  EXPECT_EQ(head.a_atoms, 10);
  EXPECT_TRUE(head.file_name == "AC");
  EXPECT_EQ(saved_a_atoms(scratch), 10);
  EXPECT_EQ(values(saved_qsc(scratch, 3)), kQscCu);
}

TEST(QscEditor, NewAlloyMaterialsGiveANewFileName) {
  ScratchConfig scratch;
  const SessionResult result = run_option_7(scratch,
                                            "2\n9\n10\n1\n"
                                            "Pt\n1\n2\n3\n4\n5\n"
                                            "Ni\n6\n7\n8\n9\n10");
  ASSERT_EQ(result.status, 0) << result.err;
  std::vector<std::string> dialogue = qsc_block('A');
  const std::vector<std::string> b_block = qsc_block('B');
  dialogue.insert(dialogue.end(), b_block.begin(), b_block.end());
  dialogue.push_back(" File name is PN");
  dialogue.push_back(kMainMenuFirstLine);
  EXPECT_TRUE(has_block(result.out, dialogue));
  EXPECT_TRUE(saved_qsc_head(scratch).file_name == "PN");
  const QscSet a = saved_qsc(scratch, 2);
  const QscSet b = saved_qsc(scratch, 3);
  EXPECT_TRUE(a.name == "Pt");
  EXPECT_EQ(values(a), (std::vector<double>{1, 2, 3, 4, 5}));
  EXPECT_TRUE(b.name == "Ni");
  EXPECT_EQ(values(b), (std::vector<double>{6, 7, 8, 9, 10}));
}

TEST(QscEditor, APureSystemAsksOnlyMaterialA) {
  ScratchConfig scratch;
  const SessionResult result = run_option_7(scratch, "2\n9\n38\n1\nAu\n1\n2\n3\n4\n5");
  ASSERT_EQ(result.status, 0) << result.err;
  std::vector<std::string> dialogue = qsc_block('A');
  dialogue.push_back(" File name is Au");
  dialogue.push_back(kMainMenuFirstLine);
  EXPECT_TRUE(has_block(result.out, dialogue));
  EXPECT_TRUE(saved_qsc_head(scratch).file_name == "Au");
  EXPECT_EQ(values(saved_qsc(scratch, 3)), kQscCu);
}

}  // namespace
}  // namespace cfg::testing

// Main-menu options 1, 2, 3, 10 and 11 as whole sessions: the printed
// dialogue, then what the save writes.
#include <gtest/gtest.h>

#include "search/search_session.h"

namespace cfg::testing {
namespace {

const Lines kMethodMenu = {" Minimization method to use ? (default=5)",
                           " 1. Only Simplex",
                           " 2. Only Conjugate Gradient",
                           " 3. Conjugate Gradient then Simplex",
                           " 4. Simplex then Conjugate Gradient",
                           " 5. LBFGS",
                           " 6. Do not use any local minimum method!"};
const Lines kCenterOfMass = {" 1.move coords to center of mass!", " 2.Do not move coords to center of mass!",
                             " (default=2)"};

TEST(SeedingNumber, ProposesOneParticleFewerAndKeepsItOnANullAnswer) {
  ScratchConfig scratch;  // 38 particles, seed 0
  const SessionResult result = scratch.run("1\n/\n\ny\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out),
            (Lines{" Input Seeding number (0 for no seeding)", " Input the seeding number: (default=" + num(37) + " )"}));
  EXPECT_EQ(pair_on_disk(scratch, "atom_num.dat").second, 37);
}

TEST(SeedingNumber, StoresAnyTypedValueInAtomNumDat) {
  ScratchConfig scratch;
  scratch.write("atom_num.dat", " 38 12\n");
  const SessionResult result = scratch.run("1\n-4\n\ny\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out).at(1), " Input the seeding number: (default=" + num(37) + " )");
  const IntegerPair atoms = pair_on_disk(scratch, "atom_num.dat");
  EXPECT_EQ(atoms.first, 38);
  EXPECT_EQ(atoms.second, -4);
}

TEST(SeedingNumber, ProposalWrapsAroundBelowTheSmallestCount) {
  ScratchConfig scratch;
  scratch.write("atom_num.dat", " -2147483648 0\n");
  const SessionResult result = scratch.run("1\n/\n\nn\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out).at(1), " Input the seeding number: (default=" + num(2147483647) + " )");
}

TEST(MinimizationMethod, RefusesItemSixAndRepeatsTheWholeMenu) {
  ScratchConfig scratch;
  ConfigRecord expected = config_on_disk(scratch);
  scratch.write("type.dat", " 1 1\n");
  const SessionResult result = scratch.run("2\n6\n5\n2\n\ny\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out), join({kMethodMenu, kInputError, kMethodMenu, kCenterOfMass}));
  expected.min_method = 5;
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
  EXPECT_EQ(pair_on_disk(scratch, "type.dat").second, 2);
}

TEST(MinimizationMethod, ConjugateGradientMethodsSetTheFuncAccuracyTo500) {
  const double func_bc_before = 123.25;
  for (std::int32_t method = 1; method <= 4; ++method) {
    SCOPED_TRACE(method);
    ScratchConfig scratch;
    ConfigRecord expected = config_on_disk(scratch);
    expected.func_bc = func_bc_before;
    put_config(scratch, expected);
    const SessionResult result = scratch.run("2\n" + std::to_string(method) + "\n1\n\ny\n");
    ASSERT_EQ(result.status, 0) << result.err;
    expected.min_method = method;
    if (method != 1) expected.func_bc = 500.0;
    EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
    EXPECT_EQ(pair_on_disk(scratch, "type.dat").second, 1);
  }
}

TEST(MinimizationMethod, WrongCentreOfMassRepeatsOnlyItsThreeLines) {
  ScratchConfig scratch;
  const SessionResult result = scratch.run("2\n3\n0\n1\n\ny\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out), join({kMethodMenu, kCenterOfMass, kInputError, kCenterOfMass}));
  EXPECT_EQ(pair_on_disk(scratch, "type.dat").second, 1);
}

TEST(MinimizationMethod, NullAnswersKeepTheStoredValues) {
  ScratchConfig scratch;  // min_method 5, centre of mass 2
  const ConfigRecord expected = config_on_disk(scratch);
  const SessionResult result = scratch.run("2\n/\n,\n\ny\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out), join({kMethodMenu, kCenterOfMass}));
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
  EXPECT_EQ(pair_on_disk(scratch, "type.dat").second, 2);
}

const Lines kRecordMode = {" Select a recording mode:(default=0)", " 0.Normal recording(For lowest rec purpose)",
                           " 1.Step recording(For step evolution)", " 2.Record nothing(faster)!"};
const Lines kStepRecordKind = {" 1.Step record in PDB Animation file", " 2.Step record in seperate files"};
const Lines kBackup = {" Do you want to backup the parents(y/n)?(default=y)",
                       " Note:This may increase the computing time!"};

TEST(RecordingAndBackup, RecordNothingSkipsTheStepQuestions) {
  ScratchConfig scratch;
  ConfigRecord expected = config_on_disk(scratch);
  const SessionResult result = scratch.run("3\n2\ny\n0.002\n\ny\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out),
            join({kRecordMode, kBackup, {" Please input the recover ratio(default=1.D-4)"}}));
  expected.record_mode = 2;
  expected.backup_parents = 1;
  expected.recover_ratio = 0.002;
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
}

TEST(RecordingAndBackup, StepRecordingAsksKindAndRatioAndNoBackupResetsTheRatio) {
  ScratchConfig scratch;
  ConfigRecord expected = config_on_disk(scratch);
  expected.backup_parents = 1;
  expected.recover_ratio = 0.5;
  put_config(scratch, expected);
  const SessionResult result = scratch.run("3\n3\n1\n0\n2\n5.0D-7\nY\nn\n\ny\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out),
            join({kRecordMode, kInputError, kRecordMode, kStepRecordKind, kInputError, kStepRecordKind,
                  {" Input the recording ratio:(default=1.D-6)"}, kBackup, kInputError, kBackup}));
  expected.record_mode = 1;
  expected.step_record_kind = 2;
  expected.record_ratio = 5.0e-7;
  expected.backup_parents = 0;
  expected.recover_ratio = 1.0e-4;
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
}

const Lines kRecover = {" Do you want to recover your job?",
                        " Please make sure you set the right material and",
                        " particle number(VERY IMPORTANT)",
                        " Note:This function can only recover the latest job",
                        " You may check 8 to see the previous parameters first",
                        " Attention!!",
                        " Before you run the main program(GA),please",
                        " backup the recover files,once you run the program",
                        " The backup file will lost!",
                        " Recover the latest job?(y/n)"};
const Lines kRecoverOn = {" You have turned on the recover mode", " Good Luck!!!"};
const Lines kGuidedStart = {" Start from the guided data?", " It require the previous guided data",
                            " Start from the Guided data(y/n)(default=n)"};

TEST(RecoverMethod, UpperCaseAnswerRepeatsAllTenLines) {
  ScratchConfig scratch;
  ConfigRecord expected = config_on_disk(scratch);
  expected.guided_start = 1;
  put_config(scratch, expected);
  const SessionResult result = scratch.run("11\nY\nn\nn\n\ny\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out), join({kRecover, kInputError, kRecover, kGuidedStart}));
  expected.recover = 0;
  expected.guided_start = 0;
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
}

TEST(RecoverMethod, WrongGuidedAnswerRepeatsOnlyTheGuidedLines) {
  ScratchConfig scratch;
  ConfigRecord expected = config_on_disk(scratch);
  expected.guided_start = 1;
  put_config(scratch, expected);
  const SessionResult result = scratch.run("11\ny\nx\nn\n\ny\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out),
            join({kRecover, kRecoverOn, kGuidedStart, kInputError, kGuidedStart}));
  expected.recover = 1;
  expected.guided_start = 0;
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
}

TEST(RecoverMethod, YesToBothSetsBothFlags) {
  ScratchConfig scratch;
  ConfigRecord expected = config_on_disk(scratch);
  const SessionResult result = scratch.run("11\ny\ny\n\ny\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out), join({kRecover, kRecoverOn, kGuidedStart}));
  expected.recover = 1;
  expected.guided_start = 1;
  EXPECT_EQ(scratch.read("data.dat"), saved_text_of(scratch, expected));
}

const Lines kHelp = {std::string(15, ' ') + "Welcome to online help !" + std::string(10, ' '),
                     "",
                     " If you are not sure how to change the accuracy",
                     " Please input the default value",
                     " Program will produce several files: (# is particle number)",
                     " #.dat    =>final result !",
                     " #.pos    =>particle position !",
                     " #.xyz    =>for xmakemol !",
                     " #.rec    =>the latest result !",
                     " #_both.sed =>time data, conj. grad., simplex with seeding ",
                     " #_simp.sed =>time data,simplex with seeding !",
                     " #_conj.sed =>time data,conjugate gradient with seeding !",
                     " #_both.sed.ini =>time data, initial time recording !",
                     " #_both.sed.genper =>time data,mean time per generation !",
                     " #_both.nos =>like '#_both.sed' but without seeding !",
                     "",
                     " Tip1: You can change parents number and same number",
                     " Tip2: Please refer 'enrgpmt.dat'"};

TEST(OnlineHelp, GoResumesAndTheMenuFollows) {
  ScratchConfig scratch;
  const std::string data_before = scratch.read("data.dat");
  const SessionResult result = scratch.run("10\ngo\n\nn\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dialogue_after_menu(result.out),
            join({kHelp, {std::string(15, ' ') + "END OF HELP" + std::string(21, ' ')}}));
  EXPECT_FALSE(result.err.empty());  // the pause talks on standard error
  EXPECT_EQ(scratch.read("data.dat"), data_before);
}

TEST(OnlineHelp, AnyOtherWordAtThePauseEndsTheProgramQuietly) {
  for (const std::string word : {"stop", " go", "go ", "GO"}) {
    SCOPED_TRACE(word);
    ScratchConfig scratch;
    const std::string data_before = scratch.read("data.dat");
    const SessionResult result = scratch.run("10\n" + word + "\n\ny\n");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(dialogue_after_menu(result.out), kHelp);  // nothing after the help text
    EXPECT_EQ(scratch.read("data.dat"), data_before);
  }
}

TEST(OnlineHelp, EndOfKeyboardAtThePauseIsFatal) {
  ScratchConfig scratch;
  const SessionResult result = scratch.run("10\n");
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("keyboard"), std::string::npos);
}

}  // namespace
}  // namespace cfg::testing

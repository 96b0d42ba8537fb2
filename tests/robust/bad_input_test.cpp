// Bad input from the files and from the keyboard: what the program must do
// with each. The rows here are the table of docs/robustness.md.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/session_harness.h"
#include "support/screen_texts.h"

namespace cfg {
namespace {

using testing::ScratchConfig;
using testing::SessionResult;

using Files = std::map<std::string, std::string>;

const char* const kMenuLine = " Choose an option between 1 - 11.\n";
const char* const kNotice = " Previous data is needed when you are using seeding\n";
const std::string& kInputError = testing::kInputErrorText;
const char* const kSaved = " config. dat has been saved !\n";

const char* const kEnergyFiles[] = {"type.dat",     "alloy.dat",    "parameter1.dat", "parameter2.dat", "parameter3.dat",
                                    "protein1.dat", "protein2.dat", "eam_aa.dat",     "eam_bb.dat",     "eam_ab.dat",
                                    "chima1.dat",   "chima2.dat",   "qscff.dat"};

Files snapshot(const ScratchConfig& scratch) {
  Files files;
  for (const auto& entry : std::filesystem::directory_iterator(scratch.dir())) {
    files[entry.path().filename().string()] = scratch.read(entry.path().filename().string());
  }
  return files;
}

std::string without_last_line(const std::string& text) {
  const std::size_t end = text.find_last_of('\n', text.size() - 2);
  return text.substr(0, end + 1);
}

std::string with_crlf(const std::string& text) {
  std::string converted;
  for (const char c : text) converted += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return converted;
}

std::string numbered_lines(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += " B " + std::to_string(i % 7 + 1) + "\n";
  return text;
}

// A fatal error: status 2, one report on standard error that names the
// source, nothing written.
struct Fatal {
  std::string names;  // "data.dat", "data.dat, line 1", "keyboard"
};

void expect_fatal(const ScratchConfig& scratch, const Files& before, const SessionResult& result, const Fatal& fatal,
                  const std::string& what) {
  EXPECT_EQ(result.status, 2) << what;
  EXPECT_NE(result.err.find("config: " + fatal.names), std::string::npos) << what << ": " << result.err;
  EXPECT_TRUE(result.err.ends_with("\n")) << what;
  EXPECT_EQ(result.out.find(kSaved), std::string::npos) << what;
  EXPECT_EQ(snapshot(scratch), before) << what << ": no file may change";
}

// A file that cannot be loaded stops start-up before the main menu.
void expect_start_up_fails(const std::string& file, const std::string& content, const std::string& names,
                           const std::string& what) {
  ScratchConfig scratch;
  scratch.write(file, content);
  const Files before = snapshot(scratch);
  const SessionResult result = scratch.run("\n\n");
  expect_fatal(scratch, before, result, {names}, what);
  EXPECT_EQ(result.out.find(kMenuLine), std::string::npos) << what << ": the menu is never shown";
}

TEST(BadFiles, AtomNumDatMissingStopsRightAfterTheBanner) {
  ScratchConfig scratch;
  scratch.remove("atom_num.dat");
  const Files before = snapshot(scratch);
  const SessionResult result = scratch.run("\n\n");
  expect_fatal(scratch, before, result, {"atom_num.dat"}, "missing atom_num.dat");
  EXPECT_NE(result.out.find("VERSION  v2.8"), std::string::npos);
  EXPECT_EQ(result.out.find(kNotice), std::string::npos);
}

TEST(BadFiles, UnreadableAtomNumDat) {
  expect_start_up_fails("atom_num.dat", "", "atom_num.dat", "empty");
  expect_start_up_fails("atom_num.dat", " 38\n", "atom_num.dat", "one value");
  expect_start_up_fails("atom_num.dat", " 38 x\n", "atom_num.dat, line 1", "text for the seed");
  expect_start_up_fails("atom_num.dat", " 99999999999 0\n", "atom_num.dat, line 1", "beyond 32 bits");
  expect_start_up_fails("atom_num.dat", " 38.5 0\n", "atom_num.dat, line 1", "a real for an integer");
}

TEST(BadFiles, DataDatMissingStopsAfterTheNotice) {
  ScratchConfig scratch;
  scratch.remove("data.dat");
  const SessionResult result = scratch.run("\n\n");
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("config: data.dat"), std::string::npos) << result.err;
  EXPECT_TRUE(result.out.ends_with(kNotice)) << result.out;
}

TEST(BadFiles, UnreadableDataDat) {
  ScratchConfig scratch;
  const std::string data = scratch.read("data.dat");
  expect_start_up_fails("data.dat", without_last_line(data), "data.dat", "nineteen records");
  expect_start_up_fails("data.dat", "abc" + data, "data.dat, line 1", "text for a real");
  expect_start_up_fails("data.dat", "10.3 1.0D-12 10.3 1.0 1.0D-8 1.0D-8 2.5 1\n", "data.dat, line 1",
                        "a real for an integer");
  expect_start_up_fails("data.dat", std::string("\0\x01\x7f\xff\n", 5) + data, "data.dat, line 1", "binary bytes");
  expect_start_up_fails("data.dat", "'10.3' 1.0D-12\n", "data.dat, line 1", "a quoted number");
}

TEST(BadFiles, EveryEnergyModelFileMissingOrEmptyStopsStartUp) {
  for (const std::string file : kEnergyFiles) {
    ScratchConfig scratch;
    scratch.remove(file);
    const Files before = snapshot(scratch);
    const SessionResult result = scratch.run("\n\n");
    expect_fatal(scratch, before, result, {file}, "missing " + file);
    EXPECT_TRUE(result.out.ends_with(kNotice)) << file;
    // An empty counted file is zero sets; every other file has a record to read.
    if (file != "protein2.dat" && file != "chima2.dat") expect_start_up_fails(file, "", file, "empty " + file);
  }
}

TEST(BadFiles, CountedFilesWithABlankLineOrTooManySets) {
  expect_start_up_fails("protein2.dat", " LBB 4\n\n LB 8\n", "protein2.dat", "a blank line");
  expect_start_up_fails("chima2.dat", " 1 5\n\n", "chima2.dat", "a blank last line");
  expect_start_up_fails("protein2.dat", numbered_lines(10001), "protein2.dat", "10001 sets");
  expect_start_up_fails("chima2.dat", " 1 5\n 7 x\n", "chima2.dat, line 2", "text for a residue");
}

TEST(BadFiles, HarmlessOddities) {
  // CR LF line ends, values past the end of a record, and a type outside
  // 1 to 9: all load, and a save writes what was loaded.
  ScratchConfig scratch;
  for (const auto& [name, text] : snapshot(scratch)) scratch.write(name, with_crlf(text));
  scratch.write("atom_num.dat", " 38 0 and whatever follows\n");
  scratch.write("type.dat", " 0 2\n");
  const SessionResult result = scratch.run("\n\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find(kSaved), std::string::npos);
  EXPECT_EQ(scratch.read("atom_num.dat"), "          38           0\n");
  EXPECT_EQ(scratch.read("type.dat"), "           0           2\n");
}

TEST(BadFiles, MaterialsLibraryMissingOrWithoutItsEndMarker) {
  for (const std::string& library : std::vector<std::string>{"MISSING", " Ag 0.1 1.2 10 3 2.9\n Cu 0.1 1.2 10 3 2.5\n"}) {
    ScratchConfig scratch;
    if (library == "MISSING") {
      scratch.remove("enrgpmt.dat");
    } else {
      scratch.write("enrgpmt.dat", library);
    }
    const Files before = snapshot(scratch);
    // Option 7: keep the structure, many-body pure: the library is listed.
    const SessionResult result = scratch.run("7\n2\n1\ngo\nAg\n\ny\n");
    expect_fatal(scratch, before, result, {"enrgpmt.dat"}, library);
    EXPECT_NE(result.out.find(kMenuLine), std::string::npos);
  }
}

TEST(BadKeyboard, EndOfInputAnywhereIsFatalAndWritesNothing) {
  const std::string scripts[] = {
      "",             // at the main menu
      "9\n",          // at the save question
      "1\n",          // in the seeding question
      "5\n1\n20\n",   // half-way through the ensemble questions
      "10\n",         // at the pause of the on-line help
      "7\n2\n1\ngo\n",  // at the material name
  };
  for (const std::string& script : scripts) {
    ScratchConfig scratch;
    const Files before = snapshot(scratch);
    expect_fatal(scratch, before, scratch.run(script), {"keyboard"}, "script \"" + script + "\"");
  }
}

TEST(BadKeyboard, UnreadableNumbersInAnEditorAreFatal) {
  for (const std::string& answer : std::vector<std::string>{"abc", "99999999999", "1.5", "'12'", "\x01\x02"}) {
    ScratchConfig scratch;
    const Files before = snapshot(scratch);
    // Option 1: the seeding number is an integer.
    expect_fatal(scratch, before, scratch.run("1\n" + answer + "\n\ny\n"), {"keyboard"}, "seed " + answer);
  }
}

TEST(BadKeyboard, MenuChoicesOutsideTheMenuRepeatIt) {
  const std::string long_line(100000, 'x');
  for (const std::string& choice :
       std::vector<std::string>{"ab", "123", "-1", "99", "+", long_line, std::string("\0\0", 2), "\xff"}) {
    ScratchConfig scratch;
    const Files before = snapshot(scratch);
    const SessionResult result = scratch.run(choice + "\n8\n");
    EXPECT_EQ(result.status, 0) << choice.substr(0, 10);
    const std::size_t error = result.out.find(kInputError);
    ASSERT_NE(error, std::string::npos) << choice.substr(0, 10);
    EXPECT_NE(result.out.find(kMenuLine, error), std::string::npos) << "the menu again after the message";
    EXPECT_NE(result.out.find(" Load the previous configuration !\n"), std::string::npos);
    EXPECT_EQ(snapshot(scratch), before);
  }
}

TEST(BadKeyboard, APauseAnsweredWithAnotherWordEndsQuietly) {
  for (const std::string word : {"stop", "Go", "go ", ""}) {
    ScratchConfig scratch;
    const Files before = snapshot(scratch);
    const SessionResult result = scratch.run("10\n" + word + "\n\ny\n");
    EXPECT_EQ(result.status, 0) << word;
    EXPECT_EQ(result.out.find(kSaved), std::string::npos) << word;
    EXPECT_EQ(result.out.find(kMenuLine), result.out.rfind(kMenuLine)) << word << ": nothing after the pause";
    EXPECT_EQ(snapshot(scratch), before) << word;
  }
}

TEST(BadKeyboard, SaveAnswersOtherThanYOrNReturnToTheMenu) {
  for (const std::string answer : {"Y", "yes", " y", "N", "q"}) {
    ScratchConfig scratch;
    const Files before = snapshot(scratch);
    const SessionResult result = scratch.run("9\n" + answer + "\n8\n");
    EXPECT_EQ(result.status, 0) << answer;
    EXPECT_NE(result.out.find(kInputError), std::string::npos) << answer;
    EXPECT_EQ(snapshot(scratch), before) << answer;
  }
}

}  // namespace
}  // namespace cfg

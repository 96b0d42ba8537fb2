#include <gtest/gtest.h>

#include <string>

#include "support/session_harness.h"
#include "support/screen_texts.h"

namespace cfg {
namespace {

using testing::ScratchConfig;

const std::string kBlank45(45, ' ');

const std::string kStartBanner = "\n\n\n"
                                 " " + kBlank45 + "\n"
                                 "    TORVALEMBRIX For VARIOUS POTENTAIL        \n"
                                 "    Configuration editor for the optimizer    \n"
                                 " " + kBlank45 + "\n"
                                 "              VERSION  v2.8                   \n"
                                 " " + kBlank45 + "\n"
                                 "\n\n";

const std::string kMainMenu =
    " Choose an option between 1 - 11.\n"
    "\n"
    " 1.  Change Seeding number.. \n"
    " 2.  Change minimization method..\n"
    " 3.  Change record/backup method..\n"
    " 4.  Change Program accuracy..\n"
    " 5.  Change ensemble parameters.. \n"
    " 6.  Change the ratio of moving..\n"
    " 7.  Change energy parameters (for Many body)\n"
    " 8.  Quit without save and see previous data\n"
    " 9.  Quit and save !\n"
    " 10. On-line help !\n"
    " 11.Change recover method..\n"
    " Press [ENTER] for default choice:'9. Quit and save!'\n";

const std::string& kInputError = testing::kInputErrorText;

const std::string kClosingBanner = "\n"
                                   " " + kBlank45 + "\n"
                                   "    Configuration finished. Good luck!        \n"
                                   " " + kBlank45 + "\n"
                                   "\n";

const std::string kSaveQuestion = "\n"
                                  " " + std::string(41, ' ') + "\n"
                                  "    Quit and Save the config. file ? (y/n)\n"
                                  " " + std::string(41, ' ') + "\n"
                                  " Press n for NO. Press [ENTER] for yes\n";

std::size_t count_of(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST(MainMenu, StartUpPrintsTheBannerTheNoticeAndTheMenu) {
  ScratchConfig scratch;
  const auto result = scratch.run("8\n");
  EXPECT_EQ(result.status, 0);
  const std::string start = kStartBanner + " Previous data is needed when you are using seeding\n" + kMainMenu;
  EXPECT_EQ(result.out.substr(0, start.size()), start);
  // Option 8 ends with the notice, the report and the closing banner.
  EXPECT_EQ(result.out.substr(start.size(), 35), " Load the previous configuration !\n");
  EXPECT_EQ(result.out.substr(result.out.size() - kClosingBanner.size()), kClosingBanner);
  EXPECT_EQ(result.err, "");
}

TEST(MainMenu, EnterAndZeroStandForNine) {
  for (const std::string choice : {"", "0", "  ", " 0", "00", "+0"}) {
    ScratchConfig scratch;
    const auto result = scratch.run(choice + "\nn\n");
    EXPECT_EQ(result.status, 0) << "choice '" << choice << "'";
    EXPECT_EQ(count_of(result.out, kMainMenu), 1u) << "choice '" << choice << "'";
    EXPECT_NE(result.out.find(kMainMenu + " ic = [ENTER] = 9\n"), std::string::npos) << "choice '" << choice << "'";
    EXPECT_NE(result.out.find(kSaveQuestion), std::string::npos);
  }
}

TEST(MainMenu, NineGoesToSavingWithoutTheEnterLine) {
  for (const std::string choice : {"9", " 9", "9 ", "+9", "09", "9 and more"}) {
    ScratchConfig scratch;
    const auto result = scratch.run(choice + "\nn\n");
    EXPECT_EQ(result.status, 0) << "choice '" << choice << "'";
    EXPECT_EQ(result.out.find("ic = [ENTER] = 9"), std::string::npos) << "choice '" << choice << "'";
    EXPECT_NE(result.out.find(kSaveQuestion), std::string::npos) << "choice '" << choice << "'";
  }
}

TEST(MainMenu, UnknownChoicesPrintTheInputErrorAndTheMenuAgain) {
  // 123 reads as 12; "1-" and a lone sign are not numbers; a slash or comma is no number either.
  for (const std::string choice : {"12", "123", "-1", "99", "ab", "1-", "-", "/", ",", "a9", "13"}) {
    ScratchConfig scratch;
    const auto result = scratch.run(choice + "\n8\n");
    EXPECT_EQ(result.status, 0) << "choice '" << choice << "'";
    EXPECT_NE(result.out.find(kMainMenu + kInputError + kMainMenu + " Load the previous configuration !"),
              std::string::npos)
        << "choice '" << choice << "'\n"
        << result.out;
  }
}

TEST(MainMenu, EndOfKeyboardInputAtTheMenuIsFatalAndWritesNothing) {
  ScratchConfig scratch;
  const std::string data_before = scratch.read("data.dat");
  const auto result = scratch.run("");
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("keyboard"), std::string::npos) << result.err;
  EXPECT_EQ(count_of(result.out, kMainMenu), 1u) << "no loop at the end of input";
  EXPECT_EQ(scratch.read("data.dat"), data_before);
}

TEST(MainMenu, QuitWithoutSavingReadsTheFilesAgainAndWritesNone) {
  ScratchConfig scratch;
  const std::string data_before = scratch.read("data.dat");
  // Choice 9 recomputes func_bc in memory; a wrong save answer returns to the menu; 8 discards it.
  const auto result = scratch.run("9\nY\n8\n");
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.out.find(kSaveQuestion + "\n" + kInputError + kMainMenu + " Load the previous configuration !\n"),
            std::string::npos)
      << result.out;
  EXPECT_EQ(scratch.read("data.dat"), data_before);
}

TEST(MainMenu, OptionEightReportsTheSeedStoredOnDisk) {
  ScratchConfig scratch;
  scratch.write("atom_num.dat", "38 5\n");
  const std::string seed_line_37 = " @ seeding number=           37 ,(0 for no seeding)\n";
  const std::string seed_line_5 = " @ seeding number=            5 ,(0 for no seeding)\n";
  const auto before_save = scratch.run("\nn\n");
  EXPECT_NE(before_save.out.find(seed_line_37), std::string::npos) << "start-up proposes particle_count - 1";
  const auto reloaded = scratch.run("8\n");
  EXPECT_NE(reloaded.out.find(seed_line_5), std::string::npos) << "the reload applies no start-up rule";

  // What a save stored is what a later option 8 shows.
  ASSERT_EQ(scratch.run("\n\n").status, 0);
  EXPECT_NE(scratch.run("8\n").out.find(seed_line_37), std::string::npos);
}

TEST(StartUp, AShortDataFileStopsBeforeTheMenu) {
  ScratchConfig scratch;
  scratch.write("data.dat", scratch.read("data.dat").substr(0, 40));
  const auto result = scratch.run("8\n");
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.out.find("Previous data is needed when you are using seeding"), std::string::npos);
  EXPECT_EQ(result.out.find("Choose an option"), std::string::npos);
  EXPECT_NE(result.err.find("data.dat"), std::string::npos) << result.err;
}

}  // namespace
}  // namespace cfg

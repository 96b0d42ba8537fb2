// The record of a save's intent: its form, a torn record, and records another
// user of a shared directory forged.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "driver/save_journal.h"
#include "io/file_system.h"
#include "support/cli_harness.h"
#include "support/session_harness.h"

namespace cfg {
namespace {

namespace fs = std::filesystem;
using testing::ScratchConfig;

SaveRecord a_record() {
  SaveRecord record;
  record.files.push_back({"data.dat", "data.dat", ".config-tmp.h.1.1", digest_of("new\n"), ".config-tmp.h.1.2",
                          "data.dat~"});
  record.files.push_back({"eam_bb.dat", "../shared dir/eam_bb.dat", "../shared dir/.config-tmp.h.1.3",
                          digest_of(""), "", ""});
  record.removals.push_back({"protein1.dat", "protein1.dat~"});
  return record;
}

TEST(SaveRecord, ReadsBackWhatWasWrittenAndATornRecordIsNone) {
  const std::string text = save_record_text(a_record());
  const std::optional<SaveRecord> read = parse_save_record(text);
  ASSERT_TRUE(read);
  EXPECT_EQ(save_record_text(*read), text);
  EXPECT_EQ(read->files[1].target, "../shared dir/eam_bb.dat");
  // Every shorter prefix, and one changed byte, fails its checksum.
  for (std::size_t length = 0; length < text.size(); ++length) {
    EXPECT_FALSE(parse_save_record(text.substr(0, length))) << length;
  }
  std::string changed = text;
  changed[20] ^= 1;
  EXPECT_FALSE(parse_save_record(changed));
}

// A record in the form of the program's own, with a valid checksum, naming
// what is no file of this configuration: the start refuses it, touches
// nothing, and leaves the record where it is.
TEST(SaveRecord, AForgedRecordNamingAnotherFileTouchesNothing) {
  ScratchConfig outside;
  outside.write("thesis.tex", "years of work\n");
  outside.write(".config-tmp.h.1.9", "forged\n");
  const std::string elsewhere = (outside.dir() / "thesis.tex").string();
  const std::string planted = (outside.dir() / ".config-tmp.h.1.9").string();
  struct Forgery {
    const char* what;
    SaveRecord::File file;
    SaveRecord::Removal removal;
  };
  const Forgery forgeries[] = {
      {"a target outside", {"data.dat", elsewhere, planted, digest_of("forged\n"), "", ""}, {}},
      {"a temporary outside", {"data.dat", "data.dat", planted, digest_of("forged\n"), "", ""}, {}},
      {"an old content outside", {"data.dat", "data.dat", ".config-tmp.h.1.9", digest_of("x"), elsewhere, ""}, {}},
      {"a backup elsewhere", {"data.dat", "data.dat", ".config-tmp.h.1.9", digest_of("x"), "", elsewhere}, {}},
      {"a name of no configuration file", {"thesis.tex", "thesis.tex", ".config-tmp.h.1.9", digest_of("x"), "", ""}, {}},
      {"a removal outside", {}, {"protein1.dat", elsewhere}},
  };
  for (const Forgery& forgery : forgeries) {
    ScratchConfig scratch;
    const std::string data = scratch.read("data.dat");
    SaveRecord record;
    if (!forgery.file.name.empty()) record.files.push_back(forgery.file);
    if (!forgery.removal.name.empty()) record.removals.push_back(forgery.removal);
    scratch.write(".config-save", save_record_text(record));
    const auto result = scratch.run("\nn\n");
    EXPECT_EQ(result.status, 2) << forgery.what;
    EXPECT_NE(result.err.find(": an interrupted save could not be completed: the save's record .config-save names "),
              std::string::npos)
        << forgery.what << ": " << result.err;
    EXPECT_EQ(result.out, "") << forgery.what << ": nothing is read";
    EXPECT_EQ(outside.read("thesis.tex"), "years of work\n") << forgery.what;
    EXPECT_TRUE(outside.exists(".config-tmp.h.1.9")) << forgery.what;
    EXPECT_EQ(scratch.read("data.dat"), data) << forgery.what;
    EXPECT_EQ(scratch.read(".config-save"), save_record_text(record)) << forgery.what << ": the record stays";
  }
}

// What each command does with a record it cannot carry out: a command that
// reads the configuration stops before reading, check reports it, and the
// commands that read no configuration leave it alone and do their work.
TEST(SaveRecord, EachCommandFinishesReportsOrLeavesIt) {
  ScratchConfig outside;
  outside.write("thesis.tex", "years of work\n");
  SaveRecord record;
  record.files.push_back({"data.dat", (outside.dir() / "thesis.tex").string(), ".config-tmp.h.1.9",
                          digest_of("forged\n"), "", ""});
  const struct {
    std::vector<std::string> args;
    int status;
    const char* err;  // a part of standard error; "" for none at all
  } cases[] = {
      {{"get", "seed"}, 2, ": an interrupted save could not be completed: "},
      {{"set", "seed=3"}, 2, ": an interrupted save could not be completed: "},
      {{"check"}, 2, "a save was interrupted"},
      {{"keys", "box_width"}, 0, ""},
      {{"completion", "bash"}, 0, ""},
  };
  for (const auto& c : cases) {
    ScratchConfig scratch;
    scratch.write(".config-save", save_record_text(record));
    const testing::CliResult result = testing::run_cli(scratch, c.args);
    EXPECT_EQ(result.status, c.status) << c.args[0];
    if (*c.err == '\0') {
      EXPECT_EQ(result.err, "") << c.args[0];
    } else {
      EXPECT_NE(result.err.find(c.err), std::string::npos) << c.args[0] << ": " << result.err;
    }
    EXPECT_EQ(scratch.read(".config-save"), save_record_text(record)) << c.args[0] << ": the record stays";
    EXPECT_EQ(outside.read("thesis.tex"), "years of work\n") << c.args[0];
  }
}

TEST(HeldSignals, ACtrlCWaitsUntilTheyAreReleased) {
  static volatile int caught = 0;
  struct sigaction action {}, before {};
  action.sa_handler = [](int) { caught = caught + 1; };
  sigaction(SIGINT, &action, &before);
  {
    const HeldSignals held;
    raise(SIGINT);
    EXPECT_EQ(caught, 0);
  }
  EXPECT_EQ(caught, 1);
  sigaction(SIGINT, &before, nullptr);
}

}  // namespace
}  // namespace cfg

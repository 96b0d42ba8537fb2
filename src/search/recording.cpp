#include "search/search_editors.h"

namespace cfg {

namespace {

void ask_record_mode(Session& session) {
  Terminal& term = session.term;
  std::int32_t& record_mode = session.config.record_mode;
  for (;;) {
    term.say("Select a recording mode:(default=0)");
    term.say("0.Normal recording(For lowest rec purpose)");
    term.say("1.Step recording(For step evolution)");
    term.say("2.Record nothing(faster)!");
    term.ask(record_mode);
    if (record_mode >= 0 && record_mode <= 2) return;
    term.input_error();
  }
}

void ask_step_recording(Session& session) {
  Terminal& term = session.term;
  ConfigRecord& config = session.config;
  for (;;) {
    term.say("1.Step record in PDB Animation file");
    term.say("2.Step record in seperate files");
    term.ask(config.step_record_kind);
    if (config.step_record_kind == 1 || config.step_record_kind == 2) break;
    term.input_error();
  }
  term.say("Input the recording ratio:(default=1.D-6)");
  term.ask(config.record_ratio);
}

void ask_backup_of_parents(Session& session) {
  Terminal& term = session.term;
  ConfigRecord& config = session.config;
  for (;;) {
    term.say("Do you want to backup the parents(y/n)?(default=y)");
    term.say("Note:This may increase the computing time!");
    term.ask(session.answer);
    if (session.answer == "y") {
      config.backup_parents = 1;
      term.say("Please input the recover ratio(default=1.D-4)");
      term.ask(config.recover_ratio);
      return;
    }
    if (session.answer == "n") {
      config.backup_parents = 0;
      config.recover_ratio = 1.0E-4;
      return;
    }
    term.input_error();
  }
}

}  // namespace

// Main-menu option 3.
void edit_recording_and_backup(Session& session) {
  ask_record_mode(session);
  if (session.config.record_mode == 1) ask_step_recording(session);
  ask_backup_of_parents(session);
}

}  // namespace cfg

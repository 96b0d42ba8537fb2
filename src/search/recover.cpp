#include "search/search_editors.h"

namespace cfg {

namespace {

void ask_recover_latest_job(Session& session) {
  Terminal& term = session.term;
  for (;;) {
    term.say("Do you want to recover your job?");
    term.say("Please make sure you set the right material and");
    term.say("particle number(VERY IMPORTANT)");
    term.say("Note:This function can only recover the latest job");
    term.say("You may check 8 to see the previous parameters first");
    term.say("Attention!!");
    term.say("Before you run the main program(GA),please");
    term.say("backup the recover files,once you run the program");
    term.say("The backup file will lost!");
    term.say("Recover the latest job?(y/n)");
    term.ask(session.answer);
    if (session.answer == "y") {
      term.say("You have turned on the recover mode");
      term.say("Good Luck!!!");
      session.config.recover = 1;
      return;
    }
    if (session.answer == "n") {
      session.config.recover = 0;
      return;
    }
    term.input_error();
  }
}

void ask_start_from_guided_data(Session& session) {
  Terminal& term = session.term;
  for (;;) {
    term.say("Start from the guided data?");
    term.say("It require the previous guided data");
    term.say("Start from the Guided data(y/n)(default=n)");
    term.ask(session.answer);
    if (session.answer == "y") {
      session.config.guided_start = 1;
      return;
    }
    if (session.answer == "n") {
      session.config.guided_start = 0;
      return;
    }
    term.input_error();
  }
}

}  // namespace

// Main-menu option 11.
void edit_recover_method(Session& session) {
  ask_recover_latest_job(session);
  ask_start_from_guided_data(session);
}

}  // namespace cfg

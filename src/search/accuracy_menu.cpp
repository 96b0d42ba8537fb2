#include "search/accuracy_items.h"
#include "search/search_editors.h"

namespace cfg {

// Main-menu option 4. Any choice but 1 to 3 goes back without a message.
void edit_program_accuracy(Session& session) {
  Terminal& term = session.term;
  for (;;) {
    term.say("If you are not sure for some parameter..");
    term.say("Please type in the default value !");
    term.say("1.Change local minima serching parameters");
    term.say("2.Change the Monte Carlo depent parameters");
    term.say("3.Change the Guided Function parameters");
    term.say("4.Back to main menu");
    switch (term.ask_choice()) {
      case 1: ask_local_minimum_questions(session); break;
      case 2: run_monte_carlo_menu(session); break;
      case 3: ask_guided_function(session); break;
      default: return;
    }
  }
}

}  // namespace cfg

#include "driver/main_menu.h"

#include <optional>

#include "driver/banners.h"
#include "driver/saving.h"
#include "driver/startup.h"
#include "energy/energy_editors.h"
#include "report/summary_report.h"
#include "search/search_editors.h"

namespace cfg {

namespace {

void print_main_menu(Terminal& term) {
  term.say("Choose an option between 1 - 11.");
  term.blank_line();
  term.say("1.  Change Seeding number.. ");
  term.say("2.  Change minimization method..");
  term.say("3.  Change record/backup method..");
  term.say("4.  Change Program accuracy..");
  term.say("5.  Change ensemble parameters.. ");
  term.say("6.  Change the ratio of moving..");
  term.say("7.  Change energy parameters (for Many body)");
  term.say("8.  Quit without save and see previous data");
  term.say("9.  Quit and save !");
  term.say("10. On-line help !");
  term.say("11.Change recover method..");
  term.say("Press [ENTER] for default choice:'9. Quit and save!'");
}

// Runs one choice; true when the program ends with it.
bool dispatch(Session& session, std::int32_t choice) {
  switch (choice) {
    case 0:
      session.term.say("ic = [ENTER] = 9");
      return quit_and_save(session);
    case 1: edit_seeding_number(session); return false;
    case 2: edit_minimization_method(session); return false;
    case 3: edit_recording_and_backup(session); return false;
    case 4: edit_program_accuracy(session); return false;
    case 5: edit_ensemble_parameters(session); return false;
    case 6: edit_ratio_of_moving(session); return false;
    case 7: edit_energy_parameters(session); return false;
    case 8: quit_without_saving(session); return true;
    case 9: return quit_and_save(session);
    case 10: show_online_help(session); return false;
    case 11: edit_recover_method(session); return false;
    default: session.term.input_error(); return false;
  }
}

}  // namespace

void run_main_menu(Session& session) {
  for (;;) {
    print_main_menu(session.term);
    const std::optional<std::int32_t> choice = session.term.read_menu_choice();
    if (!choice) {
      session.term.input_error();
      continue;
    }
    if (dispatch(session, *choice)) return;
  }
}

void quit_without_saving(Session& session) {
  reload_stored_configuration(session);
  session.term.say("Load the previous configuration !");
  print_summary_report(session, ReportVariant::after_reload);
  print_closing_banner(session.term);
}

}  // namespace cfg

#include "driver/saving.h"

#include <string>
#include <utility>
#include <vector>

#include "config/config_files.h"
#include "config/configuration_rules.h"
#include "driver/banners.h"
#include "io/errors.h"
#include "report/summary_report.h"

namespace cfg {

namespace {

void ask_save_question(Terminal& term) {
  term.blank_line();
  term.say("                                         ");  // 41 blanks
  term.say("   Quit and Save the config. file ? (y/n)");
  term.say("                                         ");
  term.say("Press n for NO. Press [ENTER] for yes");
}

void tell(Terminal& term, const std::string& line) {
  term.out().flush();
  term.err() << "config: " << line << '\n';
  term.err().flush();
}

bool overwrite_confirmed(Terminal& term, const ChangedOnDisk& changed) {
  term.say(" These files have changed on disk since config read them:");
  for (const ChangedOnDisk::File& file : changed.files()) term.say(file.name);
  term.say("   Overwrite them ? (y/n)");
  return term.read_answer_line() == "y";
}

// The save of option 9. The locks are never held while the user is asked:
// after a yes they are taken again, and the files compared again, so that a
// change made meanwhile is asked about too. False when nothing was saved and
// the main menu comes next.
bool save_asking_before_overwriting(Session& session) {
  for (;;) {
    try {
      for (const std::string& note : save_configuration(session)) tell(session.term, note);
      return true;
    } catch (const ChangedOnDisk& changed) {
      if (!overwrite_confirmed(session.term, changed)) return false;
      changed.accept(session.ledger);
    } catch (const FatalError& failure) {
      tell(session.term, failure.what());
      return false;
    }
  }
}

}  // namespace

bool quit_and_save(Session& session) {
  Terminal& term = session.term;
  ConfigRecord& config = session.config;
  apply_save_rules(config, session.particle_count);
  print_summary_report(session, ReportVariant::before_save);
  ask_save_question(term);
  session.answer = term.read_answer_line();
  if (session.answer.is_blank()) session.answer = FixedText<4>("y");
  term.blank_line();
  if (session.answer == "y") {
    if (!save_asking_before_overwriting(session)) return false;
    term.say("config. dat has been saved !");
    print_closing_banner(term);
    return true;
  }
  if (session.answer == "n") {
    term.blank_line();
    term.say("Load the previous configuration and quit !");
    print_closing_banner(term);
    return true;
  }
  term.input_error();
  return false;
}

const std::vector<std::string>& configuration_file_names() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> all = {"data.dat", "atom_num.dat"};
    for (std::string& name : energy_file_names()) all.push_back(std::move(name));
    return all;
  }();
  return names;
}

FileTexts configuration_texts(const Session& session) {
  FileTexts files;
  files.emplace_back("data.dat", data_file_text(session.config));
  files.emplace_back("atom_num.dat", atom_count_file_text(session.particle_count, session.seed));
  for (const std::string& name : energy_files_to_save(session.model.potential_type)) {
    files.emplace_back(name, energy_file_text(session.model, name));
  }
  return files;
}

SaveNotes save_configuration(Session& session) {
  const FileTexts texts = configuration_texts(session);
  SaveLocks locks(session.files);
  return save_files(session.files, locks, texts);
}

}  // namespace cfg

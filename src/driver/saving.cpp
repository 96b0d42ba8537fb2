#include "driver/saving.h"

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "config/config_files.h"
#include "driver/banners.h"
#include "io/errors.h"
#include "report/summary_report.h"

namespace cfg {

double close_pack_value(std::int32_t particle_count) {
  const double n = static_cast<double>(particle_count);
  const double radius = (std::pow(n * 3.0 / 17.77153175, 0.3333333333333333) + 1.0) * 1.122462048309373;
  return radius * radius;
}

namespace {

void ask_save_question(Terminal& term) {
  term.blank_line();
  term.say("                                         ");  // 41 blanks
  term.say("   Quit and Save the config. file ? (y/n)");
  term.say("                                         ");
  term.say("Press n for NO. Press [ENTER] for yes");
}

}  // namespace

bool quit_and_save(Session& session) {
  Terminal& term = session.term;
  ConfigRecord& config = session.config;
  if (config.min_method == 5) {
    config.func_bc = close_pack_value(session.particle_count);
    if (config.close_pack == 1) config.box_width = config.func_bc;
  }
  print_summary_report(session, ReportVariant::before_save);
  ask_save_question(term);
  session.answer = term.read_answer_line();
  if (session.answer.is_blank()) session.answer = FixedText<4>("y");
  term.blank_line();
  if (session.answer == "y") {
    save_configuration(session);
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

void save_configuration(Session& session) {
  std::vector<std::pair<std::string, std::string>> files;
  files.emplace_back("data.dat", data_file_text(session.config));
  files.emplace_back("atom_num.dat", atom_count_file_text(session.particle_count, session.seed));
  for (const std::string& name : energy_files_to_save(session.model.potential_type)) {
    files.emplace_back(name, energy_file_text(session.model, name));
  }
  // data.dat is created when missing; the others must be there already, and a
  // missing one stops the save before anything is written.
  for (const auto& [name, text] : files) {
    if (name != "data.dat" && must_exist_before_save(name) && !session.files.exists(name)) {
      throw FatalError(name + ": the file does not exist; nothing was saved");
    }
  }
  for (const auto& [name, text] : files) replace_file(session.files, name, text);
}

}  // namespace cfg

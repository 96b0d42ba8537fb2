#include "search/search_editors.h"

namespace cfg {

// Main-menu option 10. The files listed are the optimizer's outputs.
void show_online_help(Session& session) {
  Terminal& term = session.term;
  term.say("              Welcome to online help !          ");
  term.blank_line();
  term.say("If you are not sure how to change the accuracy");
  term.say("Please input the default value");
  term.say("Program will produce several files: (# is particle number)");
  term.say("#.dat    =>final result !");
  term.say("#.pos    =>particle position !");
  term.say("#.xyz    =>for xmakemol !");
  term.say("#.rec    =>the latest result !");
  term.say("#_both.sed =>time data, conj. grad., simplex with seeding ");
  term.say("#_simp.sed =>time data,simplex with seeding !");
  term.say("#_conj.sed =>time data,conjugate gradient with seeding !");
  term.say("#_both.sed.ini =>time data, initial time recording !");
  term.say("#_both.sed.genper =>time data,mean time per generation !");
  term.say("#_both.nos =>like '#_both.sed' but without seeding !");
  term.blank_line();
  term.say("Tip1: You can change parents number and same number");
  term.say("Tip2: Please refer 'enrgpmt.dat'");
  term.pause();
  term.say("              END OF HELP                     ");
}

}  // namespace cfg

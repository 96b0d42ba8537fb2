#pragma once

#include "config/session.h"

namespace cfg {

// The first question of the EAM and Q-SC editors. A pure system has as many
// A atoms as particles.
inline void ask_a_atom_count(Session& session) {
  session.term.say("Please input the # of A atoms");
  session.term.say("(for pure,A=total atom number)");
  session.term.ask(session.model.a_atom_count);
}

inline bool is_pure_system(const Session& session) {
  return session.model.a_atom_count == session.particle_count;
}

}  // namespace cfg

#pragma once

#include <cstdint>

#include "config/config_record.h"
#include "config/energy_model.h"
#include "config/wrapping_arithmetic.h"
#include "io/file_system.h"
#include "io/fixed_text.h"
#include "io/terminal.h"

namespace cfg {

// Everything one run of the program works on: the configuration in memory and
// the terminal and disk it talks to. Created at start-up, lives to the end.
struct Session {
  Session(Terminal& terminal, FileSystem& disk) : term(terminal), files(disk) { files.lend_ledger(&ledger); }
  ~Session() {
    if (files.ledger() == &ledger) files.lend_ledger(nullptr);
  }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  Terminal& term;
  FileSystem& files;
  // What was read from each file, and where its links led: a save compares it
  // with the disk before it overwrites anything.
  ReadLedger ledger;

  ConfigRecord config;
  EnergyModel model;
  std::int32_t particle_count = 0;
  std::int32_t seed = 0;  // 0: no seeding
  // The yes/no answers and the A material name are read into this buffer.
  FixedText<4> answer{"n"};
  // The B material name of an alloy lookup; kept for the run like answer.
  FixedText<2> b_atom_name;
};

// Particles that are not A atoms; the subtraction wraps like the optimizer's
// 32-bit integers rather than overflowing.
inline std::int32_t b_atom_count(const Session& session) {
  return wrapping_sub(session.particle_count, session.model.a_atom_count);
}

}  // namespace cfg

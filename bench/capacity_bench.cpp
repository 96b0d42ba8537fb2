// The configuration at the capacity of the model (10000 residue sets and 10000
// neutral-bond sets) against one of 1000 sets: start-up load, the report, the
// save, the long report lines, and whole sessions run in-process. Files live
// in memory, so disk syncs are left out; sessions.sh measures them.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "bench_support.h"
#include "config/energy_model.h"
#include "driver/run_config.h"
#include "driver/saving.h"
#include "config/session.h"
#include "driver/startup.h"
#include "io/fixed_text.h"
#include "io/line_source.h"
#include "io/list_writer.h"
#include "io/terminal.h"
#include "report/summary_report.h"

namespace {

using cfg::bench::DiscardWriter;

std::int32_t potential_type_of(const benchmark::State& state) { return static_cast<std::int32_t>(state.range(0)); }
std::int32_t sets_of(const benchmark::State& state) { return static_cast<std::int32_t>(state.range(1)); }

// A session loaded from the large configuration, talking to nothing.
struct LoadedSession {
  explicit LoadedSession(const benchmark::State& state)
      : files(cfg::bench::large_files(potential_type_of(state), sets_of(state))),
        keyboard("keyboard", ""),
        term(keyboard, out, err),
        session(std::make_unique<cfg::Session>(term, files)) {
    cfg::start_up(*session);
  }
  cfg::bench::MemoryDisk files;
  cfg::TextLines keyboard;
  DiscardWriter out, err;
  cfg::Terminal term;
  std::unique_ptr<cfg::Session> session;
};

bool loaded_every_set(benchmark::State& state, const cfg::Session& session) {
  if (session.model.residue_set_count == sets_of(state) && session.model.ch_count == sets_of(state)) return true;
  state.SkipWithError("the large configuration did not load all its sets");
  return false;
}

void BM_StartupLoad(benchmark::State& state) {
  LoadedSession loaded(state);
  if (!loaded_every_set(state, *loaded.session)) return;
  for (auto _ : state) {
    auto session = std::make_unique<cfg::Session>(loaded.term, loaded.files);
    cfg::start_up(*session);
    benchmark::DoNotOptimize(session.get());
  }
}

void BM_Report(benchmark::State& state) {
  LoadedSession loaded(state);
  if (!loaded_every_set(state, *loaded.session)) return;
  const std::int64_t before = loaded.out.bytes();
  for (auto _ : state) cfg::print_summary_report(*loaded.session, cfg::ReportVariant::before_save);
  state.SetBytesProcessed(loaded.out.bytes() - before);
}

void BM_Save(benchmark::State& state) {
  LoadedSession loaded(state);
  if (!loaded_every_set(state, *loaded.session)) return;
  for (auto _ : state) {
    cfg::save_configuration(*loaded.session);
    benchmark::ClobberMemory();
  }
}

// The program from start to exit, in-process, with the keyboard input given:
// "\n\n" (ENTER at the main menu, ENTER for yes: load, report, save) or "8\n"
// (load, reload, report).
void run_session(benchmark::State& state, const char* keyboard_text) {
  cfg::bench::MemoryDisk files = cfg::bench::large_files(potential_type_of(state), sets_of(state));
  DiscardWriter out, err;
  for (auto _ : state) {
    cfg::TextLines keyboard("keyboard", keyboard_text);
    if (cfg::run_config(keyboard, out, err, files) != 0) {
      state.SkipWithError("the session did not end normally");
      return;
    }
  }
}

void BM_SessionSave(benchmark::State& state) { run_session(state, "\n\n"); }
void BM_SessionQuitWithoutSaving(benchmark::State& state) { run_session(state, "8\n"); }

// The two report lines that grow with the sets, as the report prints them.
// After " @ ", a residue set takes 16 characters (blank, "LBB", blank, 11), the
// first one a blank fewer, and a neutral-bond set 27 ("(", blank, 11, blank,
// 11, blank, ")"); the line end follows.
void print_long_line(benchmark::State& state, void (*say)(cfg::Terminal&, const cfg::EnergyModel&),
                     std::size_t length_without_sets, std::size_t set_width) {
  const auto sets = static_cast<std::size_t>(state.range(0));
  cfg::EnergyModel model;
  model.residue_set_count = static_cast<std::int32_t>(sets);
  model.ch_count = static_cast<std::int32_t>(sets);
  model.make_room_for_residue_sets(model.residue_set_count);
  model.make_room_for_neutral_bond_sets(model.ch_count);
  for (std::size_t k = 0; k < sets; ++k) {
    model.residues_type[k] = cfg::FixedText<3>("LBB");
    model.residues_num[k] = static_cast<std::int32_t>(k % 50 + 1);
    model.ch_st[k] = static_cast<std::int32_t>(2 * k + 1);
    model.ch_end[k] = static_cast<std::int32_t>(2 * k + 6);
  }
  cfg::TextLines keyboard("keyboard", "");
  DiscardWriter out, err;
  cfg::Terminal term(keyboard, out, err);
  say(term, model);
  if (out.bytes() != static_cast<std::int64_t>(length_without_sets + set_width * sets + 1)) {
    state.SkipWithError("the line is not as long as it should be");
    return;
  }
  const std::int64_t before = out.bytes();
  for (auto _ : state) say(term, model);
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
  state.SetBytesProcessed(out.bytes() - before);
}

void BM_ResidueLine(benchmark::State& state) { print_long_line(state, cfg::say_residue_line, 2, 16); }
void BM_NeutralBondLine(benchmark::State& state) { print_long_line(state, cfg::say_neutral_bond_line, 3, 27); }

// Potential type 3 (the residue line, protein files saved) and type 8 (the
// neutral-bond line, Chen-Imamura files saved), each at 1000 and 10000 sets.
void at_both_sizes(benchmark::internal::Benchmark* b) {
  b->ArgNames({"type", "sets"})->ArgsProduct({{3, 8}, {1000, cfg::kSetCapacity}})->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_StartupLoad)->Apply(at_both_sizes);
BENCHMARK(BM_Report)->Apply(at_both_sizes);
BENCHMARK(BM_Save)->Apply(at_both_sizes);
BENCHMARK(BM_SessionSave)->Apply(at_both_sizes);
BENCHMARK(BM_SessionQuitWithoutSaving)->Apply(at_both_sizes);
BENCHMARK(BM_ResidueLine)->ArgName("sets")->Arg(1000)->Arg(cfg::kSetCapacity)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NeutralBondLine)->ArgName("sets")->Arg(1000)->Arg(cfg::kSetCapacity)->Unit(benchmark::kMicrosecond);

}  // namespace

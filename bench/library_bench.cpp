// Looking a material up in the materials library, with the material at the
// end of a library of 1000 and of 10000 entries: the lookup reads the library
// once from the top, so its cost grows with the entries before the match.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "bench_support.h"
#include "config/energy_model.h"
#include "config/materials_library.h"
#include "io/fixed_text.h"
#include "io/line_source.h"
#include "io/terminal.h"

namespace {

// Entries named X0 to X9 over and over (none of them "Ag"), then Ag and the end marker.
std::string library_text(std::int64_t entries) {
  std::string text;
  for (std::int64_t i = 0; i < entries; ++i) {
    text += " X" + std::to_string(i % 10) + " 0.1031 1.1895 10.85 3.18 2.8921\n";
  }
  text += " Ag 0.1028 1.178 10.928 3.139 2.889\n";
  text += " end 0.0 0.0 0.0 0.0 0.0\n";
  return text;
}

void BM_LibraryLookup(benchmark::State& state) {
  cfg::bench::MemoryDisk files = cfg::bench::example_files();
  files.files[cfg::kMaterialsLibraryFile] = library_text(state.range(0));
  cfg::TextLines keyboard("keyboard", "");
  cfg::bench::DiscardWriter out, err;
  cfg::Terminal term(keyboard, out, err);
  cfg::EnergyModel model;
  const cfg::FixedText<4> a_name("Ag");
  const cfg::FixedText<2> b_name("  ");
  for (auto _ : state) {
    if (!cfg::look_up_materials(files, term, model, 1, a_name, b_name)) {
      state.SkipWithError("the material was not found");
      return;
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

BENCHMARK(BM_LibraryLookup)->ArgName("entries")->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace

// data.dat load and save, in memory.

#include <benchmark/benchmark.h>

#include <string>

#include "bench_support.h"
#include "config/config_files.h"
#include "config/config_record.h"
#include "io/file_system.h"

namespace {

// Loads data.dat from `files` over and over.
void time_loads(benchmark::State& state, cfg::bench::MemoryDisk& files) {
  cfg::ConfigRecord config;
  for (auto _ : state) {
    cfg::load_data_file(files, config);
    benchmark::DoNotOptimize(&config);
  }
}

// The example as shipped: short values such as 10.3 and 1.0D-12.
void BM_DataFileLoadExample(benchmark::State& state) {
  cfg::bench::MemoryDisk files = cfg::bench::example_files();
  time_loads(state, files);
}

// The file as a save writes it: every real in its 25-character field.
void BM_DataFileLoadSaved(benchmark::State& state) {
  cfg::bench::MemoryDisk files = cfg::bench::example_files();
  cfg::ConfigRecord config;
  cfg::load_data_file(files, config);
  files.files["data.dat"] = cfg::data_file_text(config);
  time_loads(state, files);
}

void BM_DataFileSave(benchmark::State& state) {
  cfg::bench::MemoryDisk files = cfg::bench::example_files();
  cfg::ConfigRecord config;
  cfg::load_data_file(files, config);
  for (auto _ : state) {
    cfg::replace_file(files, "data.dat", cfg::data_file_text(config));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(files.files["data.dat"].size()));
}

BENCHMARK(BM_DataFileLoadExample)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DataFileLoadSaved)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DataFileSave)->Unit(benchmark::kMicrosecond);

}  // namespace

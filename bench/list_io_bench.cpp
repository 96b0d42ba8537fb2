// Writing and reading list-directed reals and integers: values per second.
// The values are written eight to a record, as data.dat holds them, and read
// back record by record from the text the writer made.

#include <benchmark/benchmark.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "io/line_source.h"
#include "io/list_writer.h"
#include "io/record_reader.h"

namespace {

using cfg::ListLine;
using cfg::RecordReader;
using cfg::TextLines;

constexpr std::size_t kValueCount = 8192;
constexpr std::size_t kPerRecord = 8;

// Reals of every magnitude a configuration holds, 1e-8 to 1e8 spread evenly
// over the exponents, both signs: both the fixed and the exponent notation.
std::vector<double> sample_reals() {
  std::mt19937_64 random(20240601);
  std::uniform_real_distribution<double> exponent(-8.0, 8.0);
  std::bernoulli_distribution negative(0.5);
  std::vector<double> values(kValueCount);
  for (double& value : values) {
    value = std::pow(10.0, exponent(random));
    if (negative(random)) value = -value;
  }
  return values;
}

std::vector<std::int32_t> sample_integers() {
  std::mt19937 random(20240601);
  std::uniform_int_distribution<std::int32_t> any;
  std::vector<std::int32_t> values(kValueCount);
  for (std::int32_t& value : values) value = any(random);
  return values;
}

template <class T>
std::string records_of(const std::vector<T>& values) {
  std::string text;
  for (std::size_t i = 0; i < values.size(); i += kPerRecord) {
    ListLine line;
    for (std::size_t j = i; j < i + kPerRecord; ++j) line << values[j];
    text += line.str();
    text += '\n';
  }
  return text;
}

// Reads every record of the text back; the values in the order read.
template <class T>
std::vector<T> read_back(TextLines& lines) {
  lines.rewind();
  RecordReader reader(lines);
  std::vector<T> values(kValueCount);
  for (std::size_t i = 0; i < values.size(); i += kPerRecord) {
    T* v = &values[i];
    reader.read(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
  }
  return values;
}

template <class T>
bool same_bits(const std::vector<T>& a, const std::vector<T>& b) {
  for (std::size_t i = 0; i < a.size(); ++i) {
    if constexpr (std::is_same_v<T, double>) {
      if (std::bit_cast<std::uint64_t>(a[i]) != std::bit_cast<std::uint64_t>(b[i])) return false;
    } else {
      if (a[i] != b[i]) return false;
    }
  }
  return true;
}

template <class T>
void write_records(benchmark::State& state, const std::vector<T>& values) {
  for (auto _ : state) {
    std::string text = records_of(values);
    benchmark::DoNotOptimize(text.data());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(values.size()));
}

template <class T>
void read_records(benchmark::State& state, const std::vector<T>& values) {
  TextLines lines("values.dat", records_of(values));
  if (!same_bits(read_back<T>(lines), values)) {
    state.SkipWithError("the values read back differ from those written");
    return;
  }
  for (auto _ : state) {
    std::vector<T> read = read_back<T>(lines);
    benchmark::DoNotOptimize(read.data());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(values.size()));
}

void BM_WriteReals(benchmark::State& state) { write_records(state, sample_reals()); }
void BM_ReadReals(benchmark::State& state) { read_records(state, sample_reals()); }
void BM_WriteIntegers(benchmark::State& state) { write_records(state, sample_integers()); }
void BM_ReadIntegers(benchmark::State& state) { read_records(state, sample_integers()); }

// The single conversions under the records, to tell them from the record handling.
void BM_FormatReal(benchmark::State& state) {
  const std::vector<double> values = sample_reals();
  for (auto _ : state) {
    for (const double value : values) {
      std::string field = cfg::format_real(value);
      benchmark::DoNotOptimize(field.data());
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(values.size()));
}

void BM_ParseReal(benchmark::State& state) {
  const std::vector<double> values = sample_reals();
  std::vector<std::string> fields;
  for (const double value : values) {
    std::string field = cfg::format_real(value);
    field.erase(0, field.find_first_not_of(' '));
    field.erase(field.find_last_not_of(' ') + 1);
    fields.push_back(field);
  }
  for (auto _ : state) {
    for (const std::string& field : fields) {
      double value = 0;
      benchmark::DoNotOptimize(cfg::parse_real(field, value));
      benchmark::DoNotOptimize(value);
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(fields.size()));
}

BENCHMARK(BM_WriteReals);
BENCHMARK(BM_ReadReals);
BENCHMARK(BM_WriteIntegers);
BENCHMARK(BM_ReadIntegers);
BENCHMARK(BM_FormatReal);
BENCHMARK(BM_ParseReal);

}  // namespace

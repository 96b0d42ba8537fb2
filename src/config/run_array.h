#pragma once

#include <array>
#include <cstddef>

namespace cfg {

// A value kept once per Monte Carlo run, indexed by the run number 1, 2, 3.
template <class T>
struct RunArray {
  std::array<T, 3> values{};

  T& operator[](int run) { return values.at(static_cast<std::size_t>(run - 1)); }
  const T& operator[](int run) const { return values.at(static_cast<std::size_t>(run - 1)); }
  bool operator==(const RunArray&) const = default;
};

}  // namespace cfg

#pragma once

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "config/config_fields.h"

namespace cfg {

// One stored value under the key `get` takes, as `get` prints it and as
// `show --json` types it.
struct ListedValue {
  std::string key;    // mc_steps[2], mb_aa.e0, residues_type[4]
  std::string named;  // what a JSON object names to give it: mc_steps, mb_aa.e0, residues_type
  std::size_t place = 0;  // the value's place in file order; the sets of a column share one
  std::int32_t set = 0;   // the set of a column's element, from 1
  std::string text;
  bool json_string = false;  // show --json writes it as a string: a text, or a real JSON has no number for

  // As show --json writes it.
  std::string json() const;
};

// A configuration as its values, in file order: each set file's count, then
// its columns set by set. A listing of some values (from a JSON object) holds
// what the object named, and is compared on that alone.
struct ValueListing {
  std::vector<ListedValue> values;
  bool partial = false;
  std::set<std::string> named;  // of a partial listing
};

ValueListing list_values(ConstConfigurationRefs whole);
inline ValueListing list_values(ConfigurationRefs whole) {
  return list_values(ConstConfigurationRefs{whole.config, whole.model, whole.particle_count, whole.seed});
}

// One key whose values differ; a side without the value is null.
struct ValueDifference {
  std::string key;
  const ListedValue* a = nullptr;
  const ListedValue* b = nullptr;
};

// The keys whose values differ, in file order. A listing of some values
// compares only on what it names.
std::vector<ValueDifference> differences(const ValueListing& a, const ValueListing& b);

// "key: A -> B", a line each, "(none)" for a missing side.
std::string difference_lines(const std::vector<ValueDifference>& found);
// {"key": [a, b], ...}, null for a missing side.
std::string difference_json(const std::vector<ValueDifference>& found);

}  // namespace cfg

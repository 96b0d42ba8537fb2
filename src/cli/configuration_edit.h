#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "cli/stored_configuration.h"
#include "cli/stored_values.h"
#include "config/config_record.h"
#include "config/energy_model.h"
#include "driver/save_locks.h"
#include "io/fixed_text.h"
#include "io/file_system.h"
#include "io/output_writer.h"

namespace cfg {

// One change of the stored configuration by the command line, as `set` and
// `apply` make it: the values given are assigned, each checked as the files
// would read it; the rules then derive what they derive, and a derived value
// that was given must be the one its rule gives. At the end the files whose
// text changed are written through option 9's save, all or none, or, for a
// dry run, the changes are printed in diff's form and nothing is written.
class ConfigurationEdit {
 public:
  ConfigurationEdit(FileSystem& files, OutputWriter& out, OutputWriter& err, bool dry_run);

  ConfigurationRefs whole() { return stored_.whole(); }
  EnergyModel& model() { return stored_.session().model; }

  // Notes that `key` was given a value; the sets of a set file are compared
  // and written only when one of them was.
  void given(const std::string& key, const ValueInfo& info);
  bool was_given(std::string_view key) const { return given_.count(key) != 0; }

  // Derives what the rules derive; the reason a given value cannot stand, or
  // "" when every one can.
  std::string apply_rules();

  // Writes the files that changed, or prints the changes of a dry run; the
  // exit status.
  int finish();

 private:
  FileSystem& files_;
  OutputWriter& out_;
  OutputWriter& err_;
  bool dry_run_;
  // Held from the read to the last rename, so that concurrent commands and
  // saves each see what the one before them wrote.
  std::optional<SaveLocks> locks_;
  StoredConfiguration stored_;
  // The values as they were read.
  ConfigRecord config_before_;
  EnergyModel model_before_;
  std::int32_t particle_count_before_;
  std::int32_t seed_before_;
  std::set<std::string, std::less<>> given_;
  std::set<std::string> set_files_;
};

// The reason a stored value cannot take `candidate` ("" when it can): one of
// its codes, and a value that its file reads back as it is. Set and apply
// both check every value with this.
std::string value_refusal(const ValueInfo& info, std::int32_t candidate);
std::string value_refusal(const ValueInfo& info, double candidate);
template <std::size_t N>
std::string value_refusal(const ValueInfo& info, const FixedText<N>& candidate);

// Whether two stored values are the same: reals bit for bit, NaN as NaN.
bool same_value(std::int32_t a, std::int32_t b);
bool same_value(double a, double b);
template <std::size_t N>
bool same_value(const FixedText<N>& a, const FixedText<N>& b) {
  return a.view() == b.view();
}

}  // namespace cfg

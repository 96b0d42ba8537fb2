// The files against a layout typed by hand from the tables of the file
// formats: tests/config/golden holds each file written in the order of its
// fields, and values.txt every value by key. Nothing here comes from the
// program's own table of fields, so a key moved to another position of its
// file fails a test.
#include <gtest/gtest.h>

#include <fstream>
#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/keys.h"
#include "cli/value_text.h"
#include "config/config_files.h"
#include "io/single_item.h"
#include "support/memory_file_system.h"

namespace cfg::testing {
namespace {

const std::string kGolden = CONFIG_TESTS_DIR "/config/golden/";

std::string golden_text(const std::string& name) {
  std::ifstream in(kGolden + name, std::ios::binary);
  EXPECT_TRUE(in) << name;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

struct TypedValue {
  std::string file;
  std::string key;
  std::string value;
};

std::vector<TypedValue> typed_values() {
  std::vector<TypedValue> values;
  std::istringstream lines(golden_text("values.txt"));
  for (std::string line; std::getline(lines, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    TypedValue typed;
    words >> typed.file >> typed.key >> typed.value;
    values.push_back(typed);
  }
  return values;
}

// A configuration of its own, as the files fill it.
struct Whole {
  ConfigRecord config;
  std::unique_ptr<EnergyModel> model = std::make_unique<EnergyModel>();
  std::int32_t particle_count = 0;
  std::int32_t seed = 0;
  ConfigurationRefs refs() { return {config, *model, particle_count, seed}; }
};

TEST(GoldenFiles, EachFileLoadsEveryKeyToItsTypedValue) {
  MemoryFileSystem files;
  for (const std::string& name : startup_file_names()) files.files[name] = golden_text(name);
  Whole whole;
  for (const std::string& name : startup_file_names()) load_configuration_file(files, whole.refs(), name);
  const std::vector<TypedValue> values = typed_values();
  ConfigurationRefs refs = whole.refs();
  std::size_t stored = 0;
  walk_stored_values(
      refs, [&](const ValueInfo& info, const auto&) { stored += info.counts_lines ? 0 : 1; },
      [&](const ValueInfo&, const auto&, std::size_t rows) { stored += rows; });
  EXPECT_EQ(values.size(), stored) << "values.txt names every stored value once";
  for (const TypedValue& typed : values) {
    std::string loaded;
    std::string file;
    with_stored_value(refs, *parse_key(typed.key), [&](const ValueInfo& info, const auto& value) {
      loaded = value_text(value);
      file = info.file;
    });
    EXPECT_EQ(loaded, typed.value) << typed.key;
    EXPECT_EQ(file, typed.file) << typed.key;
  }
}

// The typed values, saved, are the golden files byte for byte; qscff.dat
// under the Q-SC type holds the count of A atoms in place of its own.
TEST(GoldenFiles, SavingTheTypedValuesWritesEachFileByteForByte) {
  Whole whole;
  ConfigurationRefs refs = whole.refs();
  const std::vector<TypedValue> values = typed_values();
  for (const TypedValue& typed : values) {
    const FieldKey key = *parse_key(typed.key);
    if (key.base == "residues_num") whole.model->residue_set_count = std::max(whole.model->residue_set_count, key.index);
    if (key.base == "ch_st") whole.model->ch_count = std::max(whole.model->ch_count, key.index);
  }
  whole.model->make_room_for_residue_sets(whole.model->residue_set_count);
  whole.model->make_room_for_neutral_bond_sets(whole.model->ch_count);
  for (const TypedValue& typed : values) {
    const Lookup lookup = with_stored_value(refs, *parse_key(typed.key), [&](const ValueInfo&, auto& value) {
      EXPECT_EQ(read_single_item(typed.value, item_ref(value)), SingleItem::read) << typed.key;
    });
    ASSERT_EQ(lookup, Lookup::found) << typed.key;
  }
  EXPECT_EQ(atom_count_file_text(whole.particle_count, whole.seed), golden_text("atom_num.dat"));
  EXPECT_EQ(data_file_text(whole.config), golden_text("data.dat"));
  for (const std::string& name : energy_file_names()) {
    EXPECT_EQ(energy_file_text(*whole.model, name), golden_text(name)) << name;
  }
  whole.model->potential_type = 1;
  EXPECT_EQ(energy_file_text(*whole.model, "qscff.dat"), golden_text("qscff.dat"));
  whole.model->potential_type = 9;
  EXPECT_EQ(energy_file_text(*whole.model, "qscff.dat"), golden_text("qscff_type9.dat"));
}

}  // namespace
}  // namespace cfg::testing

#include "search/search_session.h"

#include "config/config_fields.h"
#include "config/config_files.h"
#include "driver/saving.h"
#include "io/line_source.h"
#include "io/list_writer.h"
#include "io/record_reader.h"
#include "support/screen_texts.h"

namespace cfg::testing {

namespace {

const std::string kMenuEnd = " Press [ENTER] for default choice:'9. Quit and save!'\n";
const std::string kMenuStart = " Choose an option between 1 - 11.\n";

}  // namespace

Lines dialogue_after_menu(const std::string& out, std::size_t index) {
  std::size_t begin = 0;
  for (std::size_t i = 0; i <= index; ++i) {
    begin = out.find(kMenuEnd, begin);
    if (begin == std::string::npos) return {"<no main menu number " + std::to_string(index) + ">"};
    begin += kMenuEnd.size();
  }
  std::size_t end = out.find(kMenuStart, begin);
  if (end == std::string::npos) end = out.size();
  return lines_of(out.substr(begin, end - begin));
}

Lines join(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

std::string num(std::int32_t value) { return std::string(" ").append(format_integer(value)); }
std::string num(double value) { return std::string(" ").append(format_real(value)); }

const Lines kInputError = kInputErrorLines;

const Lines kAccuracyMenu = {" If you are not sure for some parameter..",    " Please type in the default value !",
                             " 1.Change local minima serching parameters",  " 2.Change the Monte Carlo depent parameters",
                             " 3.Change the Guided Function parameters",    " 4.Back to main menu"};

ConfigRecord config_from_text(const std::string& data_text) {
  TextLines lines("data.dat", data_text);
  RecordReader reader(lines);
  ConfigRecord config;
  visit_data_records(config, [&](auto&... fields) { reader.read(fields...); });
  return config;
}

ConfigRecord config_on_disk(const ScratchConfig& scratch) { return config_from_text(scratch.read("data.dat")); }

void put_config(const ScratchConfig& scratch, const ConfigRecord& config) {
  scratch.write("data.dat", data_file_text(config));
}

IntegerPair pair_on_disk(const ScratchConfig& scratch, const std::string& name) {
  TextLines lines(name, scratch.read(name));
  RecordReader reader(lines);
  IntegerPair pair;
  reader.read(pair.first, pair.second);
  return pair;
}

std::string saved_text_of(const ScratchConfig& scratch, ConfigRecord expected) {
  apply_save_rules(expected, pair_on_disk(scratch, "atom_num.dat").first);
  return data_file_text(expected);
}

}  // namespace cfg::testing

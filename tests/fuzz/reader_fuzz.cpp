// The list-directed reader over arbitrary bytes: the same text read as each
// kind of item and record the program reads, by files and by the keyboard.
// Each read either fills its items or fails with FatalError; nothing else may
// escape. Every value read must come back unchanged through the writer.

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "config/config_fields.h"
#include "fuzz/fuzz_support.h"
#include "io/list_writer.h"
#include "io/record_reader.h"

namespace cfg::fuzz {
namespace {

void check_round_trip(std::int32_t value) {
  std::int32_t back = 0;
  TextLines line("round trip", list_record(value));
  RecordReader(line).read(back);
  require(back == value, "an integer reads back as itself");
}

void check_round_trip(double value) {
  TextLines line("round trip", list_record(value));
  double back = 0;
  RecordReader(line).read(back);
  if (std::isnan(value)) {
    require(std::isnan(back), "a NaN reads back as a NaN");
  } else {
    require(std::memcmp(&back, &value, sizeof value) == 0, "a real reads back bit for bit");
  }
}

// Texts go to the files through file_text_item, which quotes those that
// would not read back bare; every text must then read back as itself.
template <std::size_t N>
void check_round_trip(const FixedText<N>& value) {
  TextLines line("round trip", list_record(file_text_item(value.view())));
  FixedText<N> back;
  RecordReader(line).read(back);
  require(back == value, "a text reads back as itself");
}

// Reads records of the given items until the text runs out or a read fails,
// checking each value read.
template <class... Items>
void read_all(const std::string& text, Items... items) {
  TextLines lines("fuzz.dat", text);
  RecordReader reader(lines);
  try {
    for (;;) {
      const long before = lines.line_number();
      reader.read(items...);
      require(lines.line_number() > before, "every read takes at least one line");
      (check_round_trip(items), ...);
    }
  } catch (const FatalError& error) {
    require(std::strstr(error.what(), "fuzz.dat") == error.what(), "a read error names the file first");
  }
}

// data.dat's twenty records, read into a ConfigRecord.
void read_as_data_file(const std::string& text) {
  TextLines lines("data.dat", text);
  RecordReader reader(lines);
  ConfigRecord config;
  try {
    visit_data_records(config, [&](auto&... fields) { reader.read(fields...); });
    visit_data_records(config, [&](auto&... fields) { (check_round_trip(fields), ...); });
  } catch (const FatalError&) {
  }
}

// The counted read: every line is a record, then the records from the top.
void read_counted(const std::string& text) {
  TextLines lines("protein2.dat", text);
  const long count = lines.count_lines();
  RecordReader reader(lines);
  long skipped = 0;
  while (reader.skip_record()) ++skipped;
  require(skipped == count, "count_lines counts what skip_record skips");
  lines.rewind();
  FixedText<3> type;
  std::int32_t number = 0;
  try {
    for (long k = 0; k < count; ++k) reader.read(type, number);
  } catch (const FatalError&) {
  }
}

// The same bytes as keyboard lines: the main-menu field, the answer line,
// list-directed answers and the pause, in turn, until the input ends.
void read_as_keyboard(const std::string& text) {
  TextLines keyboard("keyboard", text);
  StringWriter out;
  StringWriter err;
  Terminal term(keyboard, out, err);
  try {
    for (int turn = 0;; ++turn) {
      switch (turn % 5) {
        case 0: {
          const auto choice = term.read_menu_choice();
          if (choice) require(*choice >= -9 && *choice <= 99, "a menu choice has two characters");
          break;
        }
        case 1: term.read_answer_line(); break;
        case 2: term.ask_choice(); break;
        case 3: {
          double real = 0;
          std::int32_t integer = 0;
          FixedText<4> answer;
          term.ask(real, integer, answer);
          break;
        }
        case 4:
          try {
            term.pause();
          } catch (const ProgramStop& stop) {
            require(stop.status == 0, "a pause ends the program with status 0");
          }
          break;
      }
    }
  } catch (const FatalError& error) {
    require(std::strncmp(error.what(), "keyboard", 8) == 0, "a keyboard error names the keyboard");
  }
}

}  // namespace
}  // namespace cfg::fuzz

// The first byte chooses how the rest is read (its value modulo 10, so a
// readable seed starts with the digit of its plan).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace cfg;
  using namespace cfg::fuzz;
  if (size == 0) return 0;
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::int32_t integer = 0;
  double real = 0;
  FixedText<2> name;
  FixedText<3> residue;
  switch (data[0] % 10) {
    case 0: read_all(text, integer, integer, integer); break;
    case 1: read_all(text, real, real, real, real); break;
    case 2: read_all(text, name, residue, FixedText<4>()); break;
    case 3: read_all(text, name, real, real, real, real, real); break;  // many-body, EAM, Q-SC sets
    case 4: read_all(text, residue, integer); break;                    // protein2.dat
    case 5: read_all(text, integer, name); break;                       // qscff.dat, first record
    case 6: read_as_data_file(text); break;
    case 7: read_counted(text); break;
    case 8: read_as_keyboard(text); break;
    case 9:  // single values, as the fixed fields and the reader convert them
      if (parse_integer(text, integer)) check_round_trip(integer);
      if (parse_real(text, real)) check_round_trip(real);
      break;
  }
  return 0;
}

// Compares the list-directed writer and reader with a Fortran runtime's own
// list-directed WRITE and READ (tests/io/fortran/listdirected.f90, built with
// gfortran at test time). Skipped where gfortran is not installed.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <bit>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "io/errors.h"
#include "io/line_source.h"
#include "io/list_writer.h"
#include "io/record_reader.h"

namespace cfg {
namespace {

namespace fs = std::filesystem;

std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void write_file(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

// One record as the writer makes it, without its line end.
template <class... Items>
std::string record(const Items&... items) {
  std::string line = list_record(items...);
  line.pop_back();
  return line;
}

std::vector<std::string> split_lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The reference program, built once in a scratch directory.
class FortranReference {
 public:
  FortranReference() {
    if (std::system("command -v gfortran >/dev/null 2>&1") != 0) return;
    std::string pattern = (fs::temp_directory_path() / "listdirected-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return;
    dir_ = pattern;
    const std::string command = "gfortran -O0 -o '" + (dir_ / "listdirected").string() + "' '" CONFIG_TESTS_DIR
                                "/io/fortran/listdirected.f90' >'" +
                                (dir_ / "compile.log").string() + "' 2>&1";
    built_ = std::system(command.c_str()) == 0;
  }
  ~FortranReference() {
    std::error_code ignored;
    if (!dir_.empty()) fs::remove_all(dir_, ignored);
  }

  bool built() const { return built_; }
  std::string compile_log() const { return read_file(dir_ / "compile.log"); }
  const fs::path& dir() const { return dir_; }

  // Runs the program in the given mode on an input file; its standard output.
  std::string run(const std::string& mode, const fs::path& input) const {
    const fs::path output = dir_ / "output.txt";
    const std::string command = "'" + (dir_ / "listdirected").string() + "' " + mode + " '" + input.string() +
                                "' >'" + output.string() + "' 2>&1";
    if (std::system(command.c_str()) != 0) ADD_FAILURE() << "the reference program failed: " << read_file(output);
    return read_file(output);
  }

 private:
  fs::path dir_;
  bool built_ = false;
};

const FortranReference& reference() {
  static const FortranReference instance;
  return instance;
}

#define REQUIRE_GFORTRAN()                                                                    \
  do {                                                                                        \
    if (std::system("command -v gfortran >/dev/null 2>&1") != 0) {                            \
      /* CI sets this: there a missing gfortran is a failure, not a skip. */                  \
      const char* required = std::getenv("CONFIG_REQUIRE_FORTRAN");                           \
      if (required != nullptr && std::string_view(required) == "1") {                         \
        FAIL() << "gfortran is not on PATH and CONFIG_REQUIRE_FORTRAN=1";                      \
      }                                                                                       \
      GTEST_SKIP() << "gfortran is not on PATH";                                              \
    }                                                                                         \
    ASSERT_TRUE(reference().built()) << "gfortran could not build the reference program:\n" \
                                     << reference().compile_log();                            \
  } while (false)

// Reals of every kind and magnitude: the special values, the edges of the
// fixed notation, every power of two and of ten with its neighbours, exact
// rounding ties, and random bit patterns.
std::vector<double> sample_reals() {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  std::vector<double> reals = {0.0,
                               -0.0,
                               kInfinity,
                               -kInfinity,
                               std::numeric_limits<double>::quiet_NaN(),
                               -std::numeric_limits<double>::quiet_NaN(),
                               std::numeric_limits<double>::max(),
                               -std::numeric_limits<double>::max(),
                               std::numeric_limits<double>::min(),
                               std::numeric_limits<double>::denorm_min(),
                               5.5,
                               0.01,
                               1e16,
                               1.0 / 3.0,
                               -2.0 / 3.0};
  const auto add_with_neighbours = [&reals](double value, int steps) {
    double below = value;
    double above = value;
    reals.push_back(value);
    for (int i = 0; i < steps; ++i) {
      below = std::nextafter(below, 0.0);
      above = std::nextafter(above, kInfinity);
      reals.push_back(below);
      reals.push_back(-above);
    }
  };
  add_with_neighbours(0.1, 4);
  add_with_neighbours(1e17, 4);
  for (int exponent = -1074; exponent <= 1023; ++exponent) add_with_neighbours(std::ldexp(1.0, exponent), 1);
  for (int exponent = -324; exponent <= 308; ++exponent) {
    add_with_neighbours(std::strtod(("1e" + std::to_string(exponent)).c_str(), nullptr), 1);
  }
  // Exact ties at the 18th digit: odd multiples of 2^-25 and 2^-26.
  for (int odd = 1; odd < 64; odd += 2) {
    reals.push_back(std::ldexp(odd, -25));
    reals.push_back(std::ldexp(odd, -26));
  }
  std::mt19937_64 random(20240601);
  for (int i = 0; i < 20000; ++i) reals.push_back(std::bit_cast<double>(random()));
  std::uniform_real_distribution<double> mantissa(1.0, 10.0);
  std::uniform_int_distribution<int> decimal_exponent(-20, 20);
  for (int i = 0; i < 5000; ++i) {
    reals.push_back(mantissa(random) * std::pow(10.0, decimal_exponent(random)) * (i % 2 == 0 ? 1 : -1));
  }
  return reals;
}

std::vector<std::int32_t> sample_integers() {
  std::vector<std::int32_t> integers = {0, 1, -1, 9, -9, 10, 38, 99999, std::numeric_limits<std::int32_t>::max(),
                                        std::numeric_limits<std::int32_t>::min()};
  std::mt19937 random(7);
  for (int i = 0; i < 2000; ++i) integers.push_back(static_cast<std::int32_t>(random()));
  return integers;
}

TEST(FortranComparison, WriterMatchesTheFortranWriteByteForByte) {
  REQUIRE_GFORTRAN();
  const std::vector<double> reals = sample_reals();
  const std::vector<std::int32_t> integers = sample_integers();

  std::string values = std::to_string(reals.size()) + "\n";
  for (const double value : reals) values += std::to_string(std::bit_cast<std::int64_t>(value)) + "\n";
  values += std::to_string(integers.size()) + "\n";
  for (const std::int32_t value : integers) values += std::to_string(value) + "\n";
  const fs::path input = reference().dir() / "values.txt";
  write_file(input, values);
  const std::vector<std::string> expected = split_lines(reference().run("write", input));

  std::vector<std::string> ours;
  std::vector<std::string> what;
  for (const double value : reals) {
    ours.push_back(record(value));
    what.push_back("the real with bits " + std::to_string(std::bit_cast<std::uint64_t>(value)));
  }
  for (const std::int32_t value : integers) {
    ours.push_back(record(value));
    what.push_back("the integer " + std::to_string(value));
  }
  for (std::size_t k = 0; k < std::min(reals.size(), integers.size()); ++k) {
    ours.push_back(record("ab", integers[k], "c", "de", reals[k], reals[k], integers[k], "f"));
    what.push_back("mixed record " + std::to_string(k));
  }
  ours.push_back(record());
  what.push_back("the record without items");

  ASSERT_EQ(expected.size(), ours.size());
  int mismatches = 0;
  for (std::size_t i = 0; i < ours.size() && mismatches < 10; ++i) {
    if (ours[i] != expected[i]) {
      ++mismatches;
      ADD_FAILURE() << what[i] << ":\n  ours    \"" << ours[i] << "\"\n  Fortran \"" << expected[i] << "\"";
    }
  }
}

// A read of the reference program: its shape, how many records, the data.
struct ReadCase {
  std::string shape;
  int reads;
  std::string data;
};

std::string hex_bits(double value) {
  char text[24];
  std::snprintf(text, sizeof text, " %016" PRIX64, std::bit_cast<std::uint64_t>(value));
  return text;
}

// The same reads done by RecordReader, printed as the reference prints them.
std::string read_like_fortran(const ReadCase& read_case) {
  TextLines lines("case.dat", read_case.data);
  RecordReader reader(lines);
  std::string out;
  for (int k = 0; k < read_case.reads; ++k) {
    std::int32_t iv[4] = {-7777, -7777, -7777, -7777};
    double rv[5] = {-7777.0, -7777.0, -7777.0, -7777.0, -7777.0};
    const FixedText<3> zzz(std::string_view("zzz"));
    FixedText<3> tv[4] = {zzz, zzz, zzz, zzz};
    FixedText<2> name("zz");
    try {
      if (read_case.shape == "i4") reader.read(iv[0], iv[1], iv[2], iv[3]);
      if (read_case.shape == "r4") reader.read(rv[0], rv[1], rv[2], rv[3]);
      if (read_case.shape == "t4") reader.read(tv[0], tv[1], tv[2], tv[3]);
      if (read_case.shape == "m5") reader.read(name, rv[0], rv[1], rv[2], rv[3], rv[4]);
      if (read_case.shape == "p1") reader.read(tv[0], iv[0]);
    } catch (const FatalError&) {
      out += "fail\n";
      break;
    }
    if (read_case.shape == "i4") {
      for (const std::int32_t value : iv) out.append(" ").append(std::to_string(value));
    } else if (read_case.shape == "r4") {
      for (int n = 0; n < 4; ++n) out += hex_bits(rv[n]);
    } else if (read_case.shape == "t4") {
      for (const auto& text : tv) out += " [" + std::string(text.view()) + "]";
    } else if (read_case.shape == "m5") {
      out += " [" + std::string(name.view()) + "]";
      for (const double value : rv) out += hex_bits(value);
    } else {
      out += " [" + std::string(tv[0].view()) + "] " + std::to_string(iv[0]);
    }
    out += "\n";
  }
  return out;
}

std::vector<ReadCase> tricky_cases() {
  return {
      // separators, records over several lines, extra values, empty lines
      {"i4", 3, "1 2 3 4 5\n6 7 8 9\n"},
      {"i4", 3, "1 2\n3\n\n 4\n9 9 9 9\n"},
      {"i4", 2, "1\t2\t3\t4\n5 6 7 8\n"},
      {"i4", 2, "1,2,3,4,\n"},
      {"i4", 2, "1 2 3 4 abc\n"},
      {"i4", 2, "1 2 3 4, ,\n"},
      {"i4", 2, "5 6 7\n\n\n"},
      {"i4", 2, ""},
      {"i4", 2, "\n\n"},
      {"i4", 2, "1 2 3 4"},
      {"i4", 3, "1 2 3 4\r\n5 6 7 8\r\n"},
      {"i4", 2, "1 2 3 4\r"},
      {"i4", 2, "1 2\r3 4\n"},
      // null values, also by a comma that starts a line
      {"i4", 3, "1,,3,4\n,2,3,4\n"},
      {"i4", 2, "1 ,, 2 3 4\n"},
      {"i4", 2, " , 1 2 3 4\n"},
      {"i4", 2, "\t,1 2 3 4\n"},
      {"i4", 2, ",\n1 2 3 4\n"},
      {"i4", 2, "1 2,\n,4 5\n"},
      {"i4", 2, "1 2\n,4 5\n"},
      {"i4", 2, "1 2 ,\n ,4 5\n"},
      {"i4", 2, "1,\n\n,2 3\n"},
      {"i4", 2, "1\n,\n2 3\n"},
      {"i4", 3, "1 2 3 4 5\n, 2 3 4 5\n"},
      // slash
      {"i4", 3, "1/\n2 3/ 9\n1 2 3 4"},
      {"i4", 2, "1 2 3/\n"},
      {"i4", 3, "1 2\n/\n5 6 7 8\n"},
      {"i4", 2, "1 2 3 4/\n"},
      // repeat counts
      {"i4", 3, "3*5 7\n2* 8 9\n"},
      {"i4", 3, "2*,3,4\n4*\n"},
      {"i4", 3, "5*1\n1 2 3 4\n"},
      {"i4", 2, "2*-5 1 2\n"},
      {"i4", 2, "3* ,5\n"},
      {"i4", 2, "3*/\n"},
      {"i4", 2, "0*5 1 2 3\n"},
      {"i4", 2, "1*2*3 4 5 6\n"},
      {"i4", 2, " 2 * 5 1 2\n"},
      {"i4", 2, "+2*1 1 1 1\n"},
      {"i4", 2, "99999999999*1 1 1 1\n"},
      {"i4", 2, "2147483648*1 1 1 1\n"},
      // integers that are not, or are too large
      {"i4", 2, "-2147483648 +1 -0 +0\n"},
      {"i4", 2, "00000000000000000000001 1 1 1\n"},
      {"i4", 2, "5.0 1 2 3\n"},
      {"i4", 2, "2147483648 1 2 3\n"},
      {"i4", 2, "2147483647 -2147483649 1 1\n"},
      {"i4", 2, "--1 1 2 3\n"},
      {"i4", 2, "+-1 1 2 3\n"},
      {"i4", 2, "+ 1 2 3 4\n"},
      {"i4", 2, "abc 1 2 3\n"},
      {"i4", 2, "1e5 1 2 3\n"},
      {"i4", 2, "1 2 3 4x\n"},
      {"i4", 2, "1 2 3 1.\n"},
      {"i4", 2, "3 \"4\" 1 1\n"},
      // real forms
      {"r4", 2, "1.0+3 2.5-4 1d3 1D-3\n"},
      {"r4", 2, "1.0e+3 1.E5 .5 5.\n"},
      {"r4", 2, "1q3 1.0Q-2 1e+03 +.5e1\n"},
      {"r4", 2, "1.0E+003 -1.0D-003 1.0d+3 -1.0+3\n"},
      {"r4", 2, "1-3 1+3 -1-3 1.5+308\n"},
      {"r4", 2, "5 -0 +0. 0e0\n"},
      {"r4", 2, "2*1.5 2*\n"},
      {"r4", 2, "1,5 2 3 4\n"},
      {"r4", 2, "1.5/ 1 1 1\n"},
      {"r4", 2, "123456789012345678901234567890 0.000000000000000000000000000001 1 1\n"},
      // beyond the range of a double, subnormals, the edge of rounding to zero
      {"r4", 2, "1e400 -1e400 1e-400 -1e-400\n"},
      {"r4", 2, "1e5000000000 1e-5000000000 -1e5000000000 1\n"},
      {"r4", 2, "1e-310 2.4703282292062327e-324 2.4703282292062328e-324 4.9406564584124654E-324\n"},
      {"r4", 2, "1.7976931348623158e308 1.7976931348623159e308 -1.797693134862315807e308 2.2250738585072011e-308\n"},
      {"r4", 2, "00000000000000000000000000000000000000000000000001e-345 1e-345 1e309 0.00001e313\n"},
      {"r4", 2, "0.1e-322 -1.0d-320 1.0-320 1 1\n"},
      // infinities and NaNs
      {"r4", 2, "Inf -inf INFINITY +Infinity\n"},
      {"r4", 2, "nan NaN -NaN nAn\n"},
      {"r4", 2, "NaN() nan(123) nan(q) +nan\n"},
      {"r4", 2, "inf/ 1 1 1\n"},
      {"r4", 2, "infinity, 1 1 1\n"},
      // reals that are not
      {"r4", 2, "1e 1 1 1\n"},
      {"r4", 2, "1.0+ 1 1 1\n"},
      {"r4", 2, ". 1 1 1\n"},
      {"r4", 2, "+ 1 1 1\n"},
      {"r4", 2, "infin 1 1 1\n"},
      {"r4", 2, "inf. 1 1 1\n"},
      {"r4", 2, "nan( 1 1 1\n"},
      {"r4", 2, "nan(a,b) 1 1 1\n"},
      {"r4", 2, "nan(a b) 1 1 1\n"},
      {"r4", 2, "1.0e3x 1 1 1\n"},
      {"r4", 2, "1.5e3.5 1 1 1\n"},
      {"r4", 2, "1.0d 1 1 1\n"},
      {"r4", 2, "1.0e+-3 1 1 1\n"},
      {"r4", 2, "0x10 1 1 1\n"},
      {"r4", 2, "1_8 1 1 1\n"},
      {"r4", 2, "'1.5' 1 1 1\n"},
      // texts: words, quotes, doubled quotes, cutting and padding
      {"t4", 2, "ab cdef g h\n"},
      {"t4", 2, "'a b' \"c,d\" 'it''s' \"x\"\"y\"\n"},
      {"t4", 2, "'' b c d\n"},
      {"t4", 2, "ab'c d e f\n"},
      {"t4", 2, "ab\" cd e f\n"},
      {"t4", 2, "a*b c d e\n"},
      {"t4", 2, "12 3.5 -1 x\n"},
      {"t4", 2, "a/b c d e\n"},
      {"t4", 2, "a,,b c\nd\n"},
      {"t4", 2, "2*ab c d\n"},
      {"t4", 2, "2*'x y' c d\n"},
      {"t4", 2, "2*3 x y\n"},
      {"t4", 2, "'ab'/ 1 2 3\n"},
      {"t4", 2, "'ab',c d e\n"},
      {"t4", 2, "'ab'\tc d e\n"},
      {"t4", 2, "'ab'\n'cd' e f\n"},
      {"t4", 2, "'ab'c d e f\n"},
      {"t4", 2, "2*'ab'c d e\n"},
      // a quoted text goes on over line ends
      {"t4", 2, "'abc\ndef' 1 2 3\n"},
      {"t4", 2, "x 'it''\n''s' y z\n"},
      {"t4", 2, "x\n\n\n'ab\n\ncd'/\n"},
      {"t4", 2, "'ab\n"},
      // the shapes of the configuration files
      {"m5", 3, "Cu 0.5 1.2 3 4 5\nAg 1 2 3 4 5\n"},
      {"m5", 3, "Cu, 1.0D0, 2*, 3/ \nAg 5*2.5\n"},
      {"m5", 2, "Copper 1 2 3 4 5\n"},
      {"m5", 2, "'C u' 1 2 3 4\n 5 6 7\n"},
      {"p1", 4, "B 5\nLB 10\nLBB 3\n"},
      {"p1", 2, "LBBB 7\nB\n7\n"},
      {"p1", 2, "5 B\n"},
  };
}

// Random reals written in every exponent form a Fortran READ takes.
std::vector<ReadCase> random_real_cases() {
  std::mt19937_64 random(99);
  std::vector<ReadCase> cases;
  const char* const forms[] = {"%.17g", "%.17E", "%.20e", "%.15g", "%.25g"};
  for (int c = 0; c < 40; ++c) {
    ReadCase read_case{"r4", 25, ""};
    for (int line = 0; line < read_case.reads; ++line) {
      for (int n = 0; n < 4; ++n) {
        double value = std::bit_cast<double>(random());
        if (!std::isfinite(value)) value = 1.0;
        char text[64];
        std::snprintf(text, sizeof text, forms[(c + n) % 5], value);
        std::string written = text;
        const std::size_t e = written.find_first_of("eE");
        if (e != std::string::npos) {
          switch ((line + n) % 4) {
            case 0: written[e] = 'D'; break;
            case 1: written[e] = 'd'; break;
            case 2: if (written[e + 1] == '+' || written[e + 1] == '-') written.erase(e, 1); break;
            default: break;
          }
        }
        read_case.data += written + (n == 3 ? "\n" : n % 2 == 0 ? " " : ",");
      }
    }
    cases.push_back(read_case);
  }
  return cases;
}

void compare_reads(const std::vector<ReadCase>& cases) {
  std::string manifest;
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const fs::path data = reference().dir() / ("case" + std::to_string(i + 1) + ".dat");
    write_file(data, cases[i].data);
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "%-2s %5d ", cases[i].shape.c_str(), cases[i].reads);
    manifest += prefix + data.string() + "\n";
  }
  const fs::path manifest_path = reference().dir() / "cases.txt";
  write_file(manifest_path, manifest);
  const std::string fortran = reference().run("read", manifest_path);

  // The reference prints "case N" before the lines of each case.
  std::vector<std::string> expected(cases.size());
  int current = -1;
  for (const std::string& line : split_lines(fortran)) {
    if (line.rfind("case ", 0) == 0) {
      current = std::stoi(line.substr(5)) - 1;
      continue;
    }
    ASSERT_GE(current, 0) << fortran;
    expected[static_cast<std::size_t>(current)] += line + "\n";
  }
  for (std::size_t i = 0; i < cases.size(); ++i) {
    EXPECT_EQ(read_like_fortran(cases[i]), expected[i]) << "reading \"" << cases[i].data << "\" as " << cases[i].shape;
  }
}

TEST(FortranComparison, ReaderMatchesTheFortranReadOnTrickyInput) {
  REQUIRE_GFORTRAN();
  compare_reads(tricky_cases());
}

TEST(FortranComparison, ReaderMatchesTheFortranReadOnRandomRealsInEveryExponentForm) {
  REQUIRE_GFORTRAN();
  compare_reads(random_real_cases());
}

}  // namespace
}  // namespace cfg

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <tuple>
#include <type_traits>

namespace cfg {

// The name of one stored value: `box_width`, `mc_steps[2]`, `mb_ab.r0`.
// `member` names a field of a parameter set, `index` (from 1) an element of a
// per-run array or of a short array; both are empty or 0 otherwise.
struct FieldKey {
  std::string_view base;
  std::string_view member;
  int index = 0;
};

// Fails the constant evaluation of a table whose name does not fit.
void table_name_too_long();

// A name held in the table itself rather than pointed to: the table then
// holds no address, and the program start has nothing of it to relocate.
struct TableName {
  std::array<char, 24> chars{};
  std::size_t length = 0;

  constexpr TableName() = default;
  constexpr TableName(std::string_view text) : length(text.size()) {  // NOLINT: implicit on purpose
    if (text.size() > chars.size()) table_name_too_long();
    for (std::size_t i = 0; i < text.size(); ++i) chars[i] = text[i];
  }
  constexpr operator std::string_view() const { return {chars.data(), length}; }  // NOLINT
};

// A FieldKey as the table holds it.
struct TableKey {
  TableName base;
  TableName member;
  int index = 0;

  constexpr operator FieldKey() const { return {base, member, index}; }  // NOLINT
};

// The codes a coded integer accepts, one bit per code 0 to 31; no bit set
// means any 32-bit value.
struct AcceptedCodes {
  std::uint32_t bits = 0;

  constexpr bool any() const { return bits == 0; }
  constexpr bool accepts(std::int32_t value) const {
    return any() || (value >= 0 && value < 32 && ((bits >> value) & 1U) != 0);
  }
};

constexpr AcceptedCodes codes_from(std::int32_t low, std::int32_t high) {
  AcceptedCodes codes;
  for (std::int32_t code = low; code <= high; ++code) codes.bits |= 1U << code;
  return codes;
}

// The value a save writes is the value read, except where a field says
// otherwise (the count of qscff.dat).
struct WrittenAsRead {};

// One value of a file: its key, where it lives within the part of the
// configuration that its file holds (`get` returns a reference to it), the
// codes it accepts, and what it means: "local minimization method", followed
// for a coded value by each code and its meaning, each after a '|':
// "...|1 only Simplex|2 only Conjugate Gradient".
template <class Get, class Written = WrittenAsRead>
struct Field {
  TableKey key;
  Get get;
  AcceptedCodes codes{};
  Written written{};
  std::string_view meaning{};

  template <class Root>
  decltype(auto) written_value(Root& root) const {
    if constexpr (std::is_same_v<Written, WrittenAsRead>) {
      return get(root);
    } else {
      return written(root);
    }
  }
};

// One record: the fields of one list-directed read or write, in file order.
template <class... Fields>
struct Record {
  std::tuple<Fields...> fields;
};

// Records that repeat once per Monte Carlo run, for runs 1 to 3, with the
// same fields: each field's `get` takes the part and the run. One description
// read and written in a loop over the runs keeps the code as small as the
// records are alike.
inline constexpr int kRuns = 3;
template <class Get>
struct RunField {
  TableName name;
  Get get;
  std::string_view meaning{};
};
template <class... Fields>
struct PerRunRecords {
  std::tuple<Fields...> fields;
};

template <class T>
struct is_per_run : std::false_type {};
template <class... F>
struct is_per_run<PerRunRecords<F...>> : std::true_type {};

// A file of fixed records. `part` picks, from the whole configuration, the
// part that the file's fields live in.
template <class Part, class... Records>
struct RecordFile {
  TableName name;
  Part part;
  std::tuple<Records...> records;
  bool created_by_save = false;  // a save may create it; the others must exist
};

// A file of sets, one per line, as many as it has lines: the count is the
// number of lines, and each line is an element of two parallel columns.
template <class Part, class Count, class First, class Second>
struct SetFile {
  TableName name;
  Part part;
  TableName count_name;
  Count count;  // (part) -> count&
  std::string_view count_meaning;
  TableName first_name;
  First first;  // (part) -> the vector of the first column
  std::string_view first_meaning;
  TableName second_name;
  Second second;
  std::string_view second_meaning;
  bool created_by_save = false;
};

template <class T>
struct is_set_file : std::false_type {};
template <class P, class C, class F, class S>
struct is_set_file<SetFile<P, C, F, S>> : std::true_type {};

// Builders, so that a table reads as a list of names.
template <class Get>
constexpr auto field(std::string_view name, Get get, std::string_view meaning) {
  return Field<Get>{{name, {}, 0}, get, {}, {}, meaning};
}
template <class Get>
constexpr auto field(std::string_view name, Get get, AcceptedCodes codes, std::string_view meaning) {
  return Field<Get>{{name, {}, 0}, get, codes, {}, meaning};
}
template <class Get>
constexpr auto element(std::string_view name, int index, Get get, std::string_view meaning) {
  return Field<Get>{{name, {}, index}, get, {}, {}, meaning};
}
template <class Get>
constexpr auto element(std::string_view name, int index, Get get, AcceptedCodes codes, std::string_view meaning) {
  return Field<Get>{{name, {}, index}, get, codes, {}, meaning};
}
template <class Get>
constexpr auto member(std::string_view set, std::string_view name, Get get, std::string_view meaning) {
  return Field<Get>{{set, name, 0}, get, {}, {}, meaning};
}
template <class... Fields>
constexpr auto record(Fields... fields) {
  return Record<Fields...>{std::tuple<Fields...>{fields...}};
}
template <class Get>
constexpr auto run_field(std::string_view name, Get get, std::string_view meaning) {
  return RunField<Get>{name, get, meaning};
}
template <class... Fields>
constexpr auto per_run(Fields... fields) {
  return PerRunRecords<Fields...>{std::tuple<Fields...>{fields...}};
}
template <class Part, class... Records>
constexpr auto record_file(std::string_view name, Part part, Records... records) {
  return RecordFile<Part, Records...>{name, part, std::tuple<Records...>{records...}};
}

template <class Part, class Count, class First, class Second>
constexpr auto set_file(std::string_view name, Part part, std::string_view count_name, Count count,
                        std::string_view count_meaning, std::string_view first_name, First first,
                        std::string_view first_meaning, std::string_view second_name, Second second,
                        std::string_view second_meaning) {
  return SetFile<Part, Count, First, Second>{name,       part,          count_name, count,  count_meaning, first_name,
                                             first,      first_meaning, second_name, second, second_meaning};
}

// A file that a save creates when it is missing.
template <class File>
constexpr File created_when_missing(File file) {
  file.created_by_save = true;
  return file;
}

// Walks: each calls `f` once per item, in table order.
template <class Table, class F>
constexpr void for_each_file(const Table& table, F&& f) {
  std::apply([&](const auto&... files) { (f(files), ...); }, table);
}
template <class File, class F>
constexpr void for_each_record(const File& file, F&& f) {
  std::apply([&](const auto&... records) { (f(records), ...); }, file.records);
}
// Calls visit(values...) once per record read or written, with the values
// that a read fills (`Written` false) or that a save writes (true).
template <bool Written = false, class Rec, class Part, class Visit>
void visit_record(const Rec& rec, Part& part, Visit&& visit) {
  if constexpr (is_per_run<Rec>::value) {
    for (int run = 1; run <= kRuns; ++run) {
      std::apply([&](const auto&... fields) { visit(fields.get(part, run)...); }, rec.fields);
    }
  } else if constexpr (Written) {
    std::apply([&](const auto&... fields) { visit(fields.written_value(part)...); }, rec.fields);
  } else {
    std::apply([&](const auto&... fields) { visit(fields.get(part)...); }, rec.fields);
  }
}

// Calls f(key, codes, value) for each value of a record, in file order.
template <class Rec, class Part, class F>
void for_each_value(const Rec& rec, Part& part, F&& f) {
  if constexpr (is_per_run<Rec>::value) {
    for (int run = 1; run <= kRuns; ++run) {
      std::apply([&](const auto&... fields) { (f(FieldKey{fields.name, {}, run}, AcceptedCodes{}, fields.get(part, run)), ...); },
                 rec.fields);
    }
  } else {
    std::apply([&](const auto&... fields) { (f(FieldKey(fields.key), fields.codes, fields.get(part)), ...); }, rec.fields);
  }
}

// Calls f(key) for each value of a record, in file order.
template <class Rec, class F>
void for_each_key(const Rec& rec, F&& f) {
  if constexpr (is_per_run<Rec>::value) {
    for (int run = 1; run <= kRuns; ++run) {
      std::apply([&](const auto&... fields) { (f(FieldKey{fields.name, {}, run}), ...); }, rec.fields);
    }
  } else {
    std::apply([&](const auto&... fields) { (f(FieldKey(fields.key)), ...); }, rec.fields);
  }
}

}  // namespace cfg

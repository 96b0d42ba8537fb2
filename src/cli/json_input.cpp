#include "cli/json_input.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <vector>

#include "cli/configuration_edit.h"
#include "cli/keys.h"
#include "cli/stored_values.h"
#include "config/energy_model.h"
#include "io/errors.h"
#include "io/message_text.h"

namespace cfg {

using Json = nlohmann::ordered_json;

namespace {
constexpr int kDeepestJson = 16;
}  // namespace

nlohmann::ordered_json read_json_text(std::string_view text, std::string_view source) {
  // The keys of each object being read, and the key read last in each.
  std::vector<std::pair<std::set<std::string>, std::string>> objects;
  const auto check_keys = [&](int depth, Json::parse_event_t event, Json& parsed) {
    // A configuration nests two deep: far deeper text is refused at once,
    // before it costs time or memory.
    if (depth > kDeepestJson) {
      throw FatalError(concat(printable(source), ": nested deeper than ", std::to_string(kDeepestJson),
                              " levels, far deeper than a configuration"));
    }
    if (event == Json::parse_event_t::object_start) objects.emplace_back();
    if (event == Json::parse_event_t::object_end && !objects.empty()) objects.pop_back();
    if (event == Json::parse_event_t::key) {
      const std::string& key = parsed.get_ref<const std::string&>();
      if (!objects.back().first.insert(key).second) {
        std::string pointer;
        for (std::size_t i = 0; i + 1 < objects.size(); ++i) pointer.append("/").append(objects[i].second);
        pointer.append("/").append(key);
        throw FatalError(printable(source) + ": " + printable(pointer) + ": given twice");
      }
      objects.back().second = key;
    }
    return true;
  };
  try {
    return Json::parse(text.begin(), text.end(), check_keys);
  } catch (const nlohmann::json::exception& error) {
    // "[json.exception.parse_error.101] parse error at line 1, column 2: ..."
    std::string_view message = error.what();
    if (const std::size_t bracket = message.find("] "); message.starts_with("[json.") && bracket != message.npos) {
      message.remove_prefix(bracket + 2);
    }
    if (message.starts_with("parse error at ")) message.remove_prefix(15);
    // The parser's own words in full; what it quotes of the text, escaped.
    const std::size_t quoted = message.find("last read: ");
    if (quoted == std::string_view::npos) throw FatalError(printable(source) + ": " + printable(message));
    throw FatalError(printable(source) + ": " + std::string(message.substr(0, quoted + 11)) +
                     printable(message.substr(quoted + 11)));
  }
}

namespace {

std::string found_kind(const Json& value) {
  if (value.is_null()) return "null";
  if (value.is_boolean()) return "true or false";
  if (value.is_string()) return "a string";
  if (value.is_array()) return "an array";
  if (value.is_object()) return "an object";
  if (value.is_number_float()) return "a number with a fraction or an exponent";
  return "a number";
}

// The JSON value as the stored value's kind: the reason it cannot be, or "".
std::string convert(const Json& value, std::int32_t& out) {
  if (!value.is_number_integer()) return concat("expected an integer, found ", found_kind(value));
  const bool fits = value.is_number_unsigned()
                        ? value.get<std::uint64_t>() <= std::numeric_limits<std::int32_t>::max()
                        : value.get<std::int64_t>() >= std::numeric_limits<std::int32_t>::min() &&
                              value.get<std::int64_t>() <= std::numeric_limits<std::int32_t>::max();
  if (!fits) return concat("expected an integer within 32 bits, found ", value.dump());
  out = static_cast<std::int32_t>(value.get<std::int64_t>());
  return "";
}

std::string convert(const Json& value, double& out) {
  if (value.is_number()) {
    out = value.get<double>();
    return "";
  }
  if (value.is_string()) {
    const std::string& name = value.get_ref<const std::string&>();
    if (name == "Infinity" || name == "-Infinity" || name == "NaN") {
      out = name == "NaN" ? std::numeric_limits<double>::quiet_NaN()
                          : std::copysign(std::numeric_limits<double>::infinity(), name[0] == '-' ? -1.0 : 1.0);
      return "";
    }
  }
  return concat("expected a real number (or \"Infinity\", \"-Infinity\" or \"NaN\"), found ", found_kind(value));
}

template <std::size_t N>
std::string convert(const Json& value, FixedText<N>& out) {
  if (!value.is_string()) return concat("expected a text, found ", found_kind(value));
  const std::string& text = value.get_ref<const std::string&>();
  if (text.size() > N) return concat("a text longer than the field: at most ", std::to_string(N), " characters");
  out.assign(text);
  return "";
}

// The values that a top-level name of the object gives.
struct Family {
  enum class Shape { value, array, object, count, column } shape = Shape::value;
  std::vector<FieldKey> keys;  // of an array or object, in file order
};

std::map<std::string, Family, std::less<>> families_of(ConfigurationRefs whole) {
  std::map<std::string, Family, std::less<>> families;
  walk_stored_values(
      whole,
      [&](const ValueInfo& info, const auto&) {
        Family& family = families[std::string(info.key.base)];
        family.shape = info.counts_lines         ? Family::Shape::count
                       : !info.key.member.empty() ? Family::Shape::object
                       : info.key.index > 0       ? Family::Shape::array
                                                  : Family::Shape::value;
        family.keys.push_back(info.key);
      },
      [&](const ValueInfo& info, const auto&, std::size_t) {
        families[std::string(info.key.base)].shape = Family::Shape::column;
      });
  return families;
}

class JsonValues {
 public:
  JsonValues(std::string_view source, ConfigurationRefs whole, ConfigurationEdit* edit)
      : source_(source), whole_(whole), edit_(edit) {}

  std::set<std::string> take(const Json& object) {
    if (!object.is_object()) refuse("", concat("expected an object of keys, found ", found_kind(object)));
    const auto families = families_of(whole_);
    for (const auto& [name, value] : object.items()) {
      const std::string pointer = concat("/", name);
      const auto found = families.find(name);
      if (found == families.end()) refuse(pointer, "unknown key");
      const Family& family = found->second;
      switch (family.shape) {
        case Family::Shape::value:
          take_value(family.keys.front(), pointer, value);
          break;
        case Family::Shape::array:
          if (!value.is_array() || value.size() != family.keys.size()) {
            refuse(pointer, concat("expected an array of ", std::to_string(family.keys.size()), ", found ",
                                   value.is_array() ? concat("one of ", std::to_string(value.size())) : found_kind(value)));
          }
          for (std::size_t i = 0; i < family.keys.size(); ++i) {
            take_value(family.keys[i], concat(pointer, "/", std::to_string(i)), value[i]);
          }
          break;
        case Family::Shape::object:
          if (!value.is_object()) refuse(pointer, concat("expected an object of members, found ", found_kind(value)));
          for (const auto& [member_name, member] : value.items()) {
            const FieldKey* key = nullptr;
            for (const FieldKey& candidate : family.keys) {
              if (candidate.member == member_name) key = &candidate;
            }
            if (key == nullptr) refuse(pointer + "/" + member_name, "unknown key");
            take_value(*key, pointer + "/" + member_name, member);
          }
          break;
        case Family::Shape::count:
        case Family::Shape::column:
          sets_[name] = &value;
          break;
      }
    }
    for_each_file(kConfigurationFiles, [&](const auto& file) {
      if constexpr (is_set_file<std::decay_t<decltype(file)>>::value) take_sets(file);
    });
    return std::move(named_);
  }

 private:
  [[noreturn]] void refuse(const std::string& pointer, const std::string& problem) const {
    throw FatalError(concat(printable(source_), ": ", pointer.empty() ? "" : concat(printable(pointer), ": "), problem));
  }

  void take_value(const FieldKey& key, const std::string& pointer, const Json& json) {
    named_.insert(key.member.empty() ? std::string(key.base) : concat(key.base, ".", key.member));
    with_stored_value(whole_, key, [&](const ValueInfo& info, auto& value) {
      auto candidate = value;
      if (const std::string problem = convert(json, candidate); !problem.empty()) refuse(pointer, problem);
      if (edit_ == nullptr) {
        value = candidate;
        return;
      }
      if (same_value(candidate, value)) return;
      if (const std::string problem = value_refusal(info, candidate); !problem.empty()) refuse(pointer, problem);
      value = candidate;
      edit_->given(key_name(key), info);
    });
  }

  const Json* given(std::string_view name) const {
    const auto found = sets_.find(name);
    return found == sets_.end() ? nullptr : found->second;
  }

  // A column given as a JSON array, each element as the column's kind.
  template <class Column>
  Column column_of(std::string_view name, const Json& json) const {
    const std::string pointer = concat("/", name);
    if (!json.is_array()) refuse(pointer, concat("expected an array of sets, found ", found_kind(json)));
    Column column(json.size());
    for (std::size_t k = 0; k < json.size(); ++k) {
      if (const std::string problem = convert(json[k], column[k]); !problem.empty()) {
        refuse(concat(pointer, "/", std::to_string(k)), problem);
      }
    }
    return column;
  }

  // The sets of one set file: both columns of one length replace them, a
  // column alone keeps their number, and a count must be that number.
  template <class File>
  void take_sets(const File& file) {
    const Json* count = given(file.count_name);
    const Json* first = given(file.first_name);
    const Json* second = given(file.second_name);
    if (count == nullptr && first == nullptr && second == nullptr) return;
    auto& part = file.part(whole_);
    using First = std::decay_t<decltype(file.first(part))>;
    using Second = std::decay_t<decltype(file.second(part))>;
    const std::size_t rows = set_rows(file, part);
    const std::string first_name(file.first_name);
    const std::string second_name(file.second_name);
    const std::string count_name(file.count_name);
    First new_first = first != nullptr ? column_of<First>(first_name, *first) : First();
    Second new_second = second != nullptr ? column_of<Second>(second_name, *second) : Second();
    std::size_t sets = first != nullptr ? new_first.size() : second != nullptr ? new_second.size() : rows;
    if (first != nullptr && second != nullptr && new_first.size() != new_second.size()) {
      refuse(concat("/", second_name), concat(first_name, " and ", second_name, " differ in length: ",
                                              std::to_string(new_first.size()), " and ", std::to_string(new_second.size())));
    }
    if (count != nullptr) {
      std::int32_t counted = 0;
      if (const std::string problem = convert(*count, counted); !problem.empty()) refuse("/" + count_name, problem);
      if (first == nullptr && second == nullptr && edit_ == nullptr) {
        sets = static_cast<std::size_t>(std::max(counted, 0));
      } else if (counted < 0 || static_cast<std::size_t>(counted) != sets) {
        refuse(concat("/", count_name), concat(std::to_string(counted), " where there are ", std::to_string(sets), " sets"));
      }
      named_.insert(count_name);
    }
    if (sets > static_cast<std::size_t>(kSetCapacity)) {
      refuse(concat("/", first != nullptr ? first_name : second_name),
             concat(std::to_string(sets), " sets, more than the ", std::to_string(kSetCapacity), " a file may hold"));
    }
    if (edit_ != nullptr && (first == nullptr) != (second == nullptr) && sets != rows) {
      refuse(concat("/", first != nullptr ? first_name : second_name),
             concat(std::to_string(sets), " sets where there are ", std::to_string(rows),
                    ": a column given alone keeps the number of sets"));
    }
    if (first != nullptr) named_.insert(first_name);
    if (second != nullptr) named_.insert(second_name);

    auto& stored_first = file.first(part);
    auto& stored_second = file.second(part);
    // A column not given keeps its sets.
    if (first == nullptr) new_first = stored_first;
    if (second == nullptr) new_second = stored_second;
    new_first.resize(sets);
    new_second.resize(sets);
    if (edit_ != nullptr) {
      bool changed = sets != rows;
      for (std::size_t k = 0; k < sets && !changed; ++k) {
        changed = !same_value(new_first[k], stored_first[k]) || !same_value(new_second[k], stored_second[k]);
      }
      if (!changed) return;
      for (std::size_t k = 0; k < sets; ++k) {
        const auto check = [&](const std::string& name, const auto& value) {
          const ValueInfo info{{name, {}, static_cast<std::int32_t>(k + 1)}, file.name, {}, false, true};
          if (const std::string problem = value_refusal(info, value); !problem.empty()) {
            refuse(concat("/", name, "/", std::to_string(k)), problem);
          }
        };
        check(first_name, new_first[k]);
        check(second_name, new_second[k]);
      }
      edit_->given(first_name, ValueInfo{{file.first_name, {}, 0}, file.name, {}, false, true});
    }
    file.count(part) = static_cast<std::int32_t>(sets);
    stored_first = std::move(new_first);
    stored_second = std::move(new_second);
  }

  std::string_view source_;
  ConfigurationRefs whole_;
  ConfigurationEdit* edit_;
  std::set<std::string> named_;
  std::map<std::string, const Json*, std::less<>> sets_;
};

}  // namespace

std::set<std::string> take_json_values(const nlohmann::ordered_json& object, std::string_view source,
                                       ConfigurationRefs whole, ConfigurationEdit* edit) {
  return JsonValues(source, whole, edit).take(object);
}

}  // namespace cfg

#include <algorithm>
#include <string>

#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "cli/key_catalogue.h"
#include "cli/key_commands.h"
#include "io/output_writer.h"

namespace cfg {

namespace {

using Json = nlohmann::ordered_json;

// The keys that any of `patterns` matches, in file order; every key when
// there is no pattern.
std::vector<const KeyDescription*> matching_keys(const std::vector<std::string>& patterns) {
  std::vector<const KeyDescription*> listed;
  for (const KeyDescription& key : key_descriptions()) {
    const bool matched = patterns.empty() || std::any_of(patterns.begin(), patterns.end(), [&](const std::string& p) {
                           return key_matches(p, key.key);
                         });
    if (matched) listed.push_back(&key);
  }
  return listed;
}

// "text(3)" for a text, the kind alone otherwise.
std::string kind_text(const KeyDescription& key) {
  std::string text(key.kind);
  // Appended piece by piece: GCC 12 at -O3 takes "(" + std::string for an
  // overlapping copy (a false -Wrestrict).
  if (key.width > 0) text.append("(").append(std::to_string(key.width)).append(")");
  return text;
}

// The meaning, its codes after a colon, and set's refusal after a semicolon.
std::string description_text(const KeyDescription& key) {
  std::string text(key.meaning);
  for (std::size_t i = 0; i < key.codes.size(); ++i) {
    text.append(i == 0 ? ": " : ", ").append(std::to_string(key.codes[i].first)).append(" ");
    text.append(key.codes[i].second);
  }
  if (!key.refused.empty()) text.append("; set refuses it: ").append(key.refused);
  return text;
}

void append_padded(std::string& line, std::string_view text, std::size_t width) {
  line.append(text);
  line.append(width - std::min(width, text.size()) + 2, ' ');
}

// One line per key in columns as wide as their longest entry over all keys,
// so that a listing lines up the same whatever the patterns.
void print_lines(const std::vector<const KeyDescription*>& listed, OutputWriter& out) {
  std::size_t key_width = 0, kind_width = 0, file_width = 0;
  for (const KeyDescription& key : key_descriptions()) {
    key_width = std::max(key_width, key.key.size());
    kind_width = std::max(kind_width, kind_text(key).size());
    file_width = std::max(file_width, key.file.size());
  }
  for (const KeyDescription* key : listed) {
    std::string line;
    append_padded(line, key->key, key_width);
    append_padded(line, kind_text(*key), kind_width);
    append_padded(line, key->file, file_width);
    line.append(description_text(*key)).append("\n");
    out << line;
  }
}

Json key_object(const KeyDescription& key) {
  Json object = Json::object();
  object["key"] = key.key;
  object["kind"] = key.kind;
  if (key.width > 0) object["width"] = key.width;
  object["file"] = key.file;
  object["meaning"] = key.meaning;
  if (!key.codes.empty()) {
    Json codes = Json::object();
    for (const auto& [code, meaning] : key.codes) codes[std::to_string(code)] = meaning;
    object["codes"] = std::move(codes);
  }
  object["refused"] = key.refused.empty() ? Json(nullptr) : Json(key.refused);
  return object;
}

}  // namespace

int list_keys(FileSystem&, const std::vector<std::string>& patterns, OutputWriter& out, OutputWriter&) {
  const std::vector<const KeyDescription*> listed = matching_keys(patterns);
  print_lines(listed, out);
  return listed.empty() ? 1 : 0;
}

int list_keys_json(FileSystem&, const std::vector<std::string>& patterns, OutputWriter& out, OutputWriter&) {
  const std::vector<const KeyDescription*> listed = matching_keys(patterns);
  Json array = Json::array();
  for (const KeyDescription* key : listed) array.push_back(key_object(*key));
  out << array.dump(2) << "\n";
  return listed.empty() ? 1 : 0;
}

}  // namespace cfg

#pragma once

#include <set>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "config/config_fields.h"

namespace cfg {

class ConfigurationEdit;

// The whole of a JSON text, parsed. Malformed JSON throws FatalError
// "SOURCE: line L, column C: ...", and so does a key given twice in one
// object, which a parser would otherwise settle silently.
nlohmann::ordered_json read_json_text(std::string_view text, std::string_view source);

// Takes the values of an object shaped as `show --json` writes it, whole or
// in part, into `whole`; returns what it names (mc_steps, mb_aa.e0,
// residues_type). A wrong shape or kind, null and an unknown key throw
// FatalError "SOURCE: /POINTER: ...".
//
// With an edit (apply), each value is checked as `set` checks it, a value
// equal to the stored one is no change, and the edit learns of each one that
// changed. Without (a side of diff), the values are taken as they are, and a
// column of sets sets the count of its file.
std::set<std::string> take_json_values(const nlohmann::ordered_json& object, std::string_view source,
                                       ConfigurationRefs whole, ConfigurationEdit* edit);

}  // namespace cfg

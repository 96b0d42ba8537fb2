#pragma once

#include <string_view>

#include "io/record_reader.h"

namespace cfg {

// What reading a text as exactly one list-directed item found.
enum class SingleItem {
  read,         // one value of the item's kind, assigned
  empty,        // nothing but blanks
  null_value,   // a comma or r* first: a null, which would leave the item as it was
  slash,        // a slash first: the end of the record, which would leave it too
  more_items,   // something after the first value: a second item, a repeat count above 1, a comma
  wrong_kind,   // a value that is not an integer or real as the item needs, or a quoted number
  too_long,     // a text longer than its field, which a read would cut
};

// Reads `text` as one list-directed item into `item` by the rules of the
// files (blanks around it, apostrophes or quotes around a text, E or D
// exponents), and assigns it only when the answer is `read`.
SingleItem read_single_item(std::string_view text, const ItemRef& item);

}  // namespace cfg

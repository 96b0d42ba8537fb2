#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "io/single_item.h"

namespace cfg {
namespace {

struct IntegerCase {
  const char* text;
  SingleItem found;
  std::int32_t value;  // after the read: 7 when nothing was assigned
};

class SingleIntegerItem : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(SingleIntegerItem, ReadsExactlyOneItem) {
  std::int32_t value = 7;
  EXPECT_EQ(read_single_item(GetParam().text, item_ref(value)), GetParam().found) << GetParam().text;
  EXPECT_EQ(value, GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SingleIntegerItem,
    ::testing::Values(IntegerCase{"42", SingleItem::read, 42}, IntegerCase{"  -0 ", SingleItem::read, 0},
                      IntegerCase{"+2147483647", SingleItem::read, 2147483647},
                      IntegerCase{"-2147483648", SingleItem::read, -2147483647 - 1},
                      IntegerCase{"2147483648", SingleItem::wrong_kind, 7}, IntegerCase{"1*5", SingleItem::read, 5},
                      IntegerCase{"", SingleItem::empty, 7}, IntegerCase{"   ", SingleItem::empty, 7},
                      IntegerCase{"/", SingleItem::slash, 7}, IntegerCase{",", SingleItem::null_value, 7},
                      IntegerCase{"1*", SingleItem::null_value, 7}, IntegerCase{"2*5", SingleItem::more_items, 7},
                      IntegerCase{"1 2", SingleItem::more_items, 7}, IntegerCase{"1,", SingleItem::more_items, 7},
                      IntegerCase{"1/", SingleItem::more_items, 7}, IntegerCase{"1.5", SingleItem::wrong_kind, 7},
                      IntegerCase{"'1'", SingleItem::wrong_kind, 7}, IntegerCase{"x", SingleItem::wrong_kind, 7}));

struct RealCase {
  const char* text;
  SingleItem found;
  double value;  // after the read: 7 when nothing was assigned
};

class SingleRealItem : public ::testing::TestWithParam<RealCase> {};

TEST_P(SingleRealItem, ReadsExactlyOneItem) {
  double value = 7;
  EXPECT_EQ(read_single_item(GetParam().text, item_ref(value)), GetParam().found) << GetParam().text;
  EXPECT_EQ(value, GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Cases, SingleRealItem,
                         ::testing::Values(RealCase{"1.5D-3", SingleItem::read, 1.5e-3}, RealCase{"1e17", SingleItem::read, 1e17},
                                           RealCase{"-0", SingleItem::read, -0.0}, RealCase{"3", SingleItem::read, 3.0},
                                           RealCase{"inf", SingleItem::read, HUGE_VAL}, RealCase{"1e", SingleItem::wrong_kind, 7},
                                           RealCase{"1.5 2", SingleItem::more_items, 7}, RealCase{"/", SingleItem::slash, 7}));

TEST(SingleItem, KeepsTheSignOfMinusZero) {
  double value = 7;
  ASSERT_EQ(read_single_item("-0", item_ref(value)), SingleItem::read);
  EXPECT_TRUE(std::signbit(value));
}

struct TextCase {
  const char* text;
  SingleItem found;
  const char* value;  // the field after the read, blank-padded
};

class SingleTextItem : public ::testing::TestWithParam<TextCase> {};

TEST_P(SingleTextItem, ReadsExactlyOneItemThatFits) {
  FixedText<3> value("abc");
  EXPECT_EQ(read_single_item(GetParam().text, item_ref(value)), GetParam().found) << GetParam().text;
  EXPECT_EQ(std::string(value.view()), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Cases, SingleTextItem,
                         ::testing::Values(TextCase{"LB", SingleItem::read, "LB "}, TextCase{" LBB ", SingleItem::read, "LBB"},
                                           TextCase{"'a b'", SingleItem::read, "a b"}, TextCase{"'it''s'", SingleItem::too_long, "abc"},
                                           TextCase{"''", SingleItem::read, "   "}, TextCase{"'x'y", SingleItem::more_items, "abc"},
                                           TextCase{"'open", SingleItem::wrong_kind, "abc"}, TextCase{"LBBB", SingleItem::too_long, "abc"},
                                           TextCase{"L B", SingleItem::more_items, "abc"}, TextCase{"12", SingleItem::read, "12 "}));

}  // namespace
}  // namespace cfg

#include "calibration/numeric_fields.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "model/numeric_text.h"
#include "platform/message_boxes.h"

namespace vernium {
namespace {

// Types the keys one by one into an empty field, as the key-press handler
// would: refused characters are discarded, backspace removes the last one.
std::string Type(std::string_view keys) {
  std::string text;
  for (char key : keys) {
    if (!KeyFilter(key, text)) continue;
    if (key == kKeyBackspace) {
      if (!text.empty()) text.pop_back();
    } else {
      text += key;
    }
  }
  return text;
}

struct TypingCase {
  const char* keys;
  const char* expected;
};
std::ostream& operator<<(std::ostream& os, const TypingCase& c) {
  return os << "keys \"" << c.keys << "\"";
}

class Typing : public ::testing::TestWithParam<TypingCase> {};

TEST_P(Typing, OnlyAnUnsignedDecimalNumberGetsIn) {
  EXPECT_EQ(Type(GetParam().keys), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Keys, Typing,
                         ::testing::Values(TypingCase{"1.2.3", "1.23"}, TypingCase{"-5", "5"},
                                           TypingCase{"0123456789", "0123456789"},
                                           TypingCase{"1e3", "13"}, TypingCase{"+2,5 x", "25"},
                                           TypingCase{"12\b.5", "1.5"}, TypingCase{"1.\b.5", "1.5"},
                                           TypingCase{"7\r", "7"}));

TEST(KeyFilter, RefusesEverythingButDigitsPointAndBackspace) {
  int accepted = 0;
  for (int key = 0; key < 256; ++key) accepted += KeyFilter(key, "") ? 1 : 0;
  EXPECT_EQ(accepted, 12);  // ten digits, the point and backspace
  EXPECT_FALSE(KeyFilter('.', "0.5"));
  EXPECT_TRUE(KeyFilter(kKeyBackspace, "0.5"));
  EXPECT_FALSE(KeyFilter(kKeyEnter, "1"));
}

TEST(NumericFields, UnitsIsNotANumericField) {
  EXPECT_EQ(FindNumericField("txtUnits"), nullptr);
  EXPECT_EQ(FindNumericField("txtShuntCalValue"), &kNumericFields.back());
}

struct RangeCase {
  const char* field;
  const char* typed;
  bool outOfRange;
  const char* after;
};
std::ostream& operator<<(std::ostream& os, const RangeCase& c) {
  return os << c.field << " \"" << c.typed << "\"";
}

class LeavingAField : public ::testing::TestWithParam<RangeCase> {};

TEST_P(LeavingAField, HoldsTheValueToTheFieldsRange) {
  const NumericField* field = FindNumericField(GetParam().field);
  ASSERT_NE(field, nullptr);
  ScriptedMessageBoxes boxes;
  const RangeCheck check = ValidateRange(boxes, GetParam().typed, *field);
  EXPECT_EQ(check.outOfRange, GetParam().outOfRange);
  EXPECT_EQ(check.refocus, GetParam().outOfRange);
  EXPECT_EQ(check.text, GetParam().after);
  if (GetParam().outOfRange) {
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, "Value is out of range.");
    EXPECT_EQ(boxes.Shown()[0].title, "Strain Gage");
    EXPECT_EQ(boxes.Shown()[0].icon, MsgIcon::Critical);
  } else {
    EXPECT_TRUE(boxes.Shown().empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, LeavingAField,
    ::testing::Values(
        RangeCase{"txtExcite", "0.5", true, "1.5"}, RangeCase{"txtExcite", "1.5", false, "1.5"},
        RangeCase{"txtExcite", "10.5", false, "10.5"},
        RangeCase{"txtExcite", "10.51", true, "10.5"}, RangeCase{"txtExcite", "", true, "1.5"},
        RangeCase{"txtExcite", "10.", false, "10."}, RangeCase{"txtSense", "150", true, "100"},
        RangeCase{"txtSense", "100.000", false, "100.000"}, RangeCase{"txtSense", "", false, ""},
        RangeCase{"txtSense", ".", false, "."}, RangeCase{"txtMaxLoad", "100000", true, "99999"},
        RangeCase{"txtMaxLoad", "99999", false, "99999"},
        RangeCase{"txtMaxLoad", "99999.001", false, "99999.001"},  // same single
        RangeCase{"txtMaxLoad", "99999.01", true, "99999"},
        RangeCase{"txtFullLoad", "12abc", false, "12abc"},
        RangeCase{"txtFullLoad", "-3", true, "0"}, RangeCase{"txtOffset", "-0.001", true, "0"},
        RangeCase{"txtPnt1mVolts", "1e9", true, "100"},
        RangeCase{"txtPnt2Value", "1e400", true, "99999"},
        RangeCase{"txtShuntCalValue", "  42", false, "  42"}));

TEST(LeavingAField, TwelveAbcIsWorthTwelve) {
  const RangeCheck check = ValidateRange("12abc", *FindNumericField("txtFullLoad"));
  EXPECT_EQ(LeadingNumber(check.text), 12.0);
}

TEST(LeavingAField, BoundsGivenDirectlyAreUpperThenLower) {
  EXPECT_EQ(ValidateRange("5", 4.0f, 1.0f).text, "4");
  EXPECT_EQ(ValidateRange("0", 4.0f, 1.0f).text, "1");
}

struct UnitsCase {
  const char* typed;
  const char* kept;
};
std::ostream& operator<<(std::ostream& os, const UnitsCase& c) {
  return os << c.typed;
}

class UnitsField : public ::testing::TestWithParam<UnitsCase> {};

TEST_P(UnitsField, KeepsTheFirstEightCharacters) {
  EXPECT_EQ(UnitsRule(GetParam().typed), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(Texts, UnitsField,
                         ::testing::Values(UnitsCase{"Kilograms", "Kilogram"},
                                           UnitsCase{"Pounds", "Pounds"},
                                           UnitsCase{"12345678", "12345678"}, UnitsCase{"", ""},
                                           UnitsCase{"Newton meters", "Newton m"},
                                           UnitsCase{"\xC2\xB5strain gage", "\xC2\xB5strain "}));

}  // namespace
}  // namespace vernium

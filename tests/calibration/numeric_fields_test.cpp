#include "calibration/numeric_fields.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "calibration/headroom_planner.h"

#include <string>
#include <tuple>

namespace vernium {
namespace {

TEST(NumericFields, OnlyDigitsOneDecimalPointAndBackspaceMayBeTyped) {
  std::string accepted;
  for (int key = 0; key < 256; ++key) {
    if (KeyFilter(key, "12")) accepted += static_cast<char>(key);
  }
  EXPECT_EQ(accepted, "\b.0123456789");
  EXPECT_FALSE(KeyFilter('.', "1.2"));  // 1 . 2 . 3 gives 1.23
  EXPECT_TRUE(KeyFilter(kKeyBackspace, "1.2"));
}

TEST(NumericFields, LeavingAFieldHoldsTheValueToItsRange) {
  struct Row {
    const char* field;
    const char* typed;
    const char* after;  // nullptr: in range, left as typed
  };
  for (const Row& r :
       {Row{"txtExcite", "0.5", "1.5"}, Row{"txtExcite", "1.5", nullptr},
        Row{"txtExcite", "10.5", nullptr}, Row{"txtExcite", "10.51", "10.5"},
        Row{"txtExcite", "", "1.5"}, Row{"txtSense", "150", "100"}, Row{"txtSense", "", nullptr},
        Row{"txtMaxLoad", "100000", "99999"},
        Row{"txtMaxLoad", "99999.001", nullptr},  // the same single as 99999
        Row{"txtFullLoad", "12abc", nullptr}, Row{"txtFullLoad", "-3", "0"},
        Row{"txtPnt2Value", "1e400", "99999"}, Row{"txtShuntCalValue", "  42", nullptr}}) {
    SCOPED_TRACE(std::string(r.field) + " \"" + r.typed + "\"");
    ScriptedMessageBoxes boxes;
    const RangeCheck check = ValidateRange(boxes, r.typed, *FindNumericField(r.field));
    const bool out = r.after != nullptr;
    EXPECT_EQ(check.outOfRange, out);
    EXPECT_EQ(check.refocus, out);
    EXPECT_EQ(check.text, out ? r.after : r.typed);
    ASSERT_EQ(boxes.Shown().size(), out ? 1u : 0u);
    for (const ShownMessage& shown : boxes.Shown()) {
      EXPECT_EQ(std::tie(shown.text, shown.title, shown.icon),
                std::make_tuple("Value is out of range.", "Strain Gage", MsgIcon::Critical));
    }
  }
  EXPECT_EQ(ValidateRange("5", 4.0f, 1.0f).text, "4");  // upper bound first
  EXPECT_EQ(ValidateRange("0", 4.0f, 1.0f).text, "1");
  EXPECT_EQ(FindNumericField("txtUnits"), nullptr);
}

// The range a field's tooltip and the planner state, in the field's unit or
// the application's; the planner names an enabled entry outside it.
TEST(NumericFields, RangesAreSaidInTheFieldsUnitOrTheApplications) {
  for (const auto& [field, units, said] :
       {std::tuple{"txtExcite", "Pounds", "1.5 to 10.5 Volts"}, {"txtSense", "", "0 to 100 mV/V"},
        {"txtMaxLoad", "Pounds", "0 to 99999 Pounds"}, {"txtPnt1Value", "", "0 to 99999"}}) {
    EXPECT_EQ(RangeText(*FindNumericField(field), units), said) << field;
  }
  PreCalState entries;
  entries.txtExcite.text = "12";
  entries.txtSense.text = "150";
  entries.txtSense.enabled = false;
  const std::vector<std::string> warnings =
      PlanHeadroom(entries, kMethodNameplate, ChannelConfig{}).warnings;
  ASSERT_FALSE(warnings.empty());
  EXPECT_EQ(warnings.front(),
            "Excitation 12 is outside 1.5 to 10.5 Volts; leaving the field makes it 10.5.");
  EXPECT_EQ(std::count_if(warnings.begin(), warnings.end(),
                          [](const std::string& w) { return w.find("outside 0 to 100") != w.npos; }),
            0);
}

// Eight characters, not eight bytes (nine typed: the parameter window's test).
TEST(NumericFields, UnitsKeepTheFirstEightCharacters) {
  EXPECT_EQ(UnitsRule("\xC2\xB5strain gage"), "\xC2\xB5strain ");
}

}  // namespace
}  // namespace vernium

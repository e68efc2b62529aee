#pragma once
// The numeric entry fields of the Application Parameters window: which keys
// they accept, the range each one is held to when it is left, and the units
// field's length rule. The window binds these to its text boxes.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/message_boxes.h"

namespace vernium {

// Key codes the fields treat specially.
inline constexpr int kKeyBackspace = 8;
inline constexpr int kKeyEnter = 13;

// True when the typed character may enter a numeric field holding `text`:
// a digit, the decimal point while `text` has none, or backspace. Everything
// else, the minus sign and Enter included, is refused.
bool KeyFilter(int keyCode, std::string_view text);

// A numeric field, the range it is held to and the unit of its value (empty
// for a load, which is in the application's own units).
struct NumericField {
  std::string_view name;  // the text box, e.g. "txtExcite"
  float lower;
  float upper;
  std::string_view unit;
};

inline constexpr std::array<NumericField, 10> kNumericFields{{
    {"txtExcite", 1.5f, 10.5f, "Volts"},
    {"txtSense", 0.0f, 100.0f, "mV/V"},
    {"txtFullLoad", 0.0f, 99999.0f, ""},
    {"txtMaxLoad", 0.0f, 99999.0f, ""},
    {"txtOffset", 0.0f, 99999.0f, ""},
    {"txtPnt1mVolts", 0.0f, 100.0f, "mV"},
    {"txtPnt1Value", 0.0f, 99999.0f, ""},
    {"txtPnt2mVolts", 0.0f, 100.0f, "mV"},
    {"txtPnt2Value", 0.0f, 99999.0f, ""},
    {"txtShuntCalValue", 0.0f, 99999.0f, ""},
}};

// The field's range as said beside it: "1.5 to 10.5 Volts", a load's in the
// application's `units` ("0 to 99999 Pounds", or "0 to 99999" without any).
std::string RangeText(const NumericField& field, std::string_view units);
// True when the value of `text` lies outside the field's range, so that
// leaving the field will replace it.
bool OutOfRange(const NumericField& field, std::string_view text);

// The field of that name; nullptr for a name that is not a numeric field.
const NumericField* FindNumericField(std::string_view name);

// What leaving a numeric field does to it.
struct RangeCheck {
  bool outOfRange = false;  // message 12 ("Value is out of range.") shows
  std::string text;         // the field's text afterwards
  bool refocus = false;     // the focus goes back to the field
};

// The value of `text` (its leading number, as a 32-bit float) held to
// lower..upper: in range the text stays exactly as typed; below the range it
// becomes `lower`, above it `upper`, in the general number format.
RangeCheck ValidateRange(std::string_view text, float upper, float lower);
RangeCheck ValidateRange(std::string_view text, const NumericField& field);

// The same, showing message 12 when the value is out of range.
RangeCheck ValidateRange(MessageBoxes& boxes, std::string_view text, const NumericField& field);

// The units field keeps at most this many characters.
inline constexpr std::size_t kUnitsLength = 8;

// The units text cut to its first 8 characters (whole UTF-8 characters).
std::string UnitsRule(std::string_view text);

// The units go into each line of the scaling file between commas, before
// "m=": a comma, an equals sign or a control character there would break
// the line into other fields.
bool BreaksScalingRecord(char c);
// False for a key typed into txtUnits that would put such a character there.
bool UnitsKeyFilter(int keyCode);
// What is said of units that hold such a character (pasted, or read from a
// file), and the units without them.
inline constexpr std::string_view kUnitsRefused =
    "The units may not contain a comma, an equals sign or a control character.";
std::string WithoutRecordBreaks(std::string_view units);

}  // namespace vernium

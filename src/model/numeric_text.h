#pragma once
// Numbers as the technician types them and as the windows, reports and the
// scaling file show them.

#include <string>
#include <string_view>

namespace vernium {

// The value of a text: its longest leading decimal number, 0 when there is
// none. Leading blanks are skipped; an optional sign, digits with at most one
// decimal point, and an exponent ("e" or "E", optional sign, digits) are
// read. "12abc" is 12, "" and "." are 0, "-5" is -5, "1e3" is 1000.
double LeadingNumber(std::string_view text);

// The general number format of a 32-bit float: up to 7 significant digits,
// no leading blank, no trailing zeros. Plain decimal while the decimal
// exponent lies within -5..6 (0.00001 to 9999999); outside that the exponent
// form "1.234568E+07", "1E-06" with a sign and at least two exponent digits.
// Zero (either sign) is "0"; NaN is "NaN"; infinities "Infinity"/"-Infinity".
std::string GeneralFormat(float value);

// A fixed numeric format pattern: "#000.00", "0.000", "0.00", "0.0", "#.0",
// "#" and the like. Before the decimal point, each "0" is a digit always
// shown (leading zeros pad) and "#" a digit shown only when significant; after
// it, each digit place is always shown. Rounds half away from zero on the
// decimal value. A minus sign precedes a negative value whose rounded text is
// not zero, so -0.0004 under "0.000" shows "0.000". "#" of 0 is empty and
// "#.0" of 0.5 is ".5".
std::string FormatNumber(double value, std::string_view pattern);

// 1 when x is 0, else x.
double NonZero(double x);

// The calibration date as mm-dd-yyyy.
std::string CalibrationDate(int year, int month, int day);

// A number as text with a leading blank when it is not negative (the way the
// version numbers are joined in the About text).
std::string SignedNumberText(long value);

}  // namespace vernium

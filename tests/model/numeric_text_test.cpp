#include "model/numeric_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

namespace vernium {
namespace {

TEST(LeadingNumber, ReadsTheLongestLeadingNumber) {
  using P = std::pair<const char*, double>;
  for (auto [text, value] :
       {P{"12abc", 12}, P{"", 0}, P{".", 0}, P{"-", 0}, P{"abc", 0}, P{".5", 0.5}, P{"5.", 5},
        P{"-5", -5}, P{"+8", 8}, P{"  7.5 V", 7.5}, P{"1.2.3", 1.2}, P{"3-1-5", 3}, P{"1e3", 1000},
        P{"2E-3x", 0.002}, P{"3e", 3}, P{"4e+", 4}, P{"1e-400", 0}}) {
    EXPECT_DOUBLE_EQ(LeadingNumber(text), value) << '"' << text << '"';
  }
  EXPECT_EQ(LeadingNumber("-1e400"), -std::numeric_limits<double>::infinity());
}

TEST(GeneralFormat, ShowsUpToSevenSignificantDigits) {
  using P = std::pair<float, const char*>;
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  for (auto [value, text] :
       {P{12.5f, "12.5"}, P{1000.0f, "1000"}, P{0.0f, "0"}, P{-0.0f, "0"},
        P{0.33333334f, "0.3333333"}, P{9999999.0f, "9999999"}, P{12345678.0f, "1.234568E+07"},
        P{10000000.0f, "1E+07"}, P{3.4e38f, "3.4E+38"}, P{0.00001f, "0.00001"},
        P{0.0001234567f, "0.0001234567"}, P{0.000001f, "1E-06"}, P{1e-8f, "1E-08"},
        P{-2.5e-7f, "-2.5E-07"}, P{inf, "Infinity"}, P{-inf, "-Infinity"}, P{nan, "NaN"}}) {
    EXPECT_EQ(GeneralFormat(value), text);
  }
}

TEST(FormatNumber, FollowsThePatternRoundingHalfAwayFromZero) {
  struct Row {
    double value;
    const char* pattern;
    const char* text;
  };
  for (const Row& r :
       {Row{0, "#000.00", "000.00"}, Row{12.5, "#000.00", "012.50"},
        Row{1234.567, "#000.00", "1234.57"}, Row{-3.14159, "#000.00", "-003.14"},
        Row{999.996, "#000.00", "1000.00"}, Row{0.5, "#.0", ".5"}, Row{1.25, "#.0", "1.3"},
        Row{0, "#", ""}, Row{0.4, "#", ""}, Row{0.5, "#", "1"}, Row{-158.5, "#", "-159"},
        Row{-0.0005, "0.000", "-0.001"}, Row{-0.0004, "0.000", "0.000"},
        Row{1e-8, "0.000", "0.000"}, Row{static_cast<double>(0.0005f), "0.000", "0.001"},
        Row{2.675, "0.00", "2.68"}, Row{9.995, "0.00", "10.00"},
        Row{3.4e38, "0.0", "340000000000000000000000000000000000000.0"}}) {
    EXPECT_EQ(FormatNumber(r.value, r.pattern), r.text) << r.value << " as " << r.pattern;
  }
}

}  // namespace
}  // namespace vernium

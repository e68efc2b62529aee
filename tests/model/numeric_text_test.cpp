#include "model/numeric_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

namespace vernium {
namespace {

struct ParseCase {
  const char* text;
  double value;
  friend std::ostream& operator<<(std::ostream& os, const ParseCase& c) {
    return os << '"' << c.text << '"';
  }
};

class LeadingNumberTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(LeadingNumberTest, ReadsTheLongestLeadingNumber) {
  EXPECT_DOUBLE_EQ(LeadingNumber(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingNumberTest,
    ::testing::Values(ParseCase{"12abc", 12}, ParseCase{"", 0}, ParseCase{".", 0},
                      ParseCase{"abc", 0}, ParseCase{"1.23", 1.23}, ParseCase{".5", 0.5},
                      ParseCase{"5.", 5}, ParseCase{"-5", -5}, ParseCase{"  7.5 V", 7.5},
                      ParseCase{"1e3", 1000}, ParseCase{"2E-3x", 0.002}, ParseCase{"3e", 3},
                      ParseCase{"4e+", 4}, ParseCase{"1.2.3", 1.2}, ParseCase{"+8", 8},
                      ParseCase{"-", 0}, ParseCase{"3-1-5", 3}, ParseCase{"99999", 99999}));

struct GeneralCase {
  float value;
  const char* text;
  friend std::ostream& operator<<(std::ostream& os, const GeneralCase& c) { return os << c.text; }
};

class GeneralFormatTest : public ::testing::TestWithParam<GeneralCase> {};

TEST_P(GeneralFormatTest, ShowsUpToSevenSignificantDigits) {
  EXPECT_EQ(GeneralFormat(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, GeneralFormatTest,
    ::testing::Values(
        GeneralCase{12.5f, "12.5"}, GeneralCase{0.8f, "0.8"}, GeneralCase{147.0f, "147"},
        GeneralCase{0.002f, "0.002"}, GeneralCase{1000.0f, "1000"}, GeneralCase{0.0f, "0"},
        GeneralCase{-0.0f, "0"}, GeneralCase{1.5f, "1.5"}, GeneralCase{10.5f, "10.5"},
        GeneralCase{99999.0f, "99999"}, GeneralCase{1.0f / 3.0f, "0.3333333"},
        GeneralCase{2.0f / 3.0f, "0.6666667"}, GeneralCase{-12.25f, "-12.25"},
        GeneralCase{1e-8f, "1E-08"}, GeneralCase{3.4e38f, "3.4E+38"},
        GeneralCase{9999999.0f, "9999999"}, GeneralCase{12345678.0f, "1.234568E+07"},
        GeneralCase{10000000.0f, "1E+07"}, GeneralCase{0.00001f, "0.00001"},
        GeneralCase{0.000001f, "1E-06"}, GeneralCase{0.0001234567f, "0.0001234567"},
        GeneralCase{-2.5e-7f, "-2.5E-07"}, GeneralCase{158.1139f, "158.1139"},
        GeneralCase{0.1f, "0.1"}));

TEST(GeneralFormat, NonFiniteValuesHaveWords) {
  EXPECT_EQ(GeneralFormat(std::numeric_limits<float>::quiet_NaN()), "NaN");
  EXPECT_EQ(GeneralFormat(std::numeric_limits<float>::infinity()), "Infinity");
  EXPECT_EQ(GeneralFormat(-std::numeric_limits<float>::infinity()), "-Infinity");
}

struct FixedCase {
  double value;
  const char* pattern;
  const char* text;
  friend std::ostream& operator<<(std::ostream& os, const FixedCase& c) {
    return os << c.value << " as " << c.pattern;
  }
};

class FormatNumberTest : public ::testing::TestWithParam<FixedCase> {};

TEST_P(FormatNumberTest, FollowsThePattern) {
  const auto& c = GetParam();
  EXPECT_EQ(FormatNumber(c.value, c.pattern), c.text) << c.value << " " << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, FormatNumberTest,
    ::testing::Values(
        FixedCase{0, "#000.00", "000.00"}, FixedCase{158.11, "#000.00", "158.11"},
        FixedCase{12.5, "#000.00", "012.50"}, FixedCase{1234.567, "#000.00", "1234.57"},
        FixedCase{-3.14159, "#000.00", "-003.14"}, FixedCase{0.5, "#.0", ".5"},
        FixedCase{1.25, "#.0", "1.3"}, FixedCase{0, "#.0", ".0"}, FixedCase{0, "#", ""},
        FixedCase{0.4, "#", ""}, FixedCase{0.5, "#", "1"}, FixedCase{158.5, "#", "159"},
        FixedCase{-158.5, "#", "-159"}, FixedCase{2.5, "0.000", "2.500"},
        FixedCase{0.0005, "0.000", "0.001"}, FixedCase{-0.0005, "0.000", "-0.001"},
        FixedCase{-0.0004, "0.000", "0.000"}, FixedCase{1.0 / 3.0, "0.000", "0.333"},
        FixedCase{2.675, "0.00", "2.68"}, FixedCase{9.995, "0.00", "10.00"},
        FixedCase{0.05, "0.0", "0.1"}, FixedCase{-0.04, "0.0", "0.0"},
        FixedCase{4.99996, "0.00", "5.00"}, FixedCase{1e-8, "0.000", "0.000"},
        FixedCase{3.4e38, "0.0", "340000000000000000000000000000000000000.0"},
        FixedCase{999.996, "#000.00", "1000.00"}, FixedCase{0.0000004, "0.000", "0.000"},
        FixedCase{static_cast<double>(0.0005f), "0.000", "0.001"}));

TEST(NonZero, ZeroBecomesOneEverythingElseStays) {
  EXPECT_EQ(NonZero(0.0), 1.0);
  EXPECT_EQ(NonZero(-0.0), 1.0);
  EXPECT_EQ(NonZero(2.0), 2.0);
  EXPECT_EQ(NonZero(-0.5), -0.5);
}

TEST(CalibrationDate, IsMonthDayYearWithHyphens) {
  EXPECT_EQ(CalibrationDate(2026, 12, 5), "12-05-2026");
  EXPECT_EQ(CalibrationDate(1999, 1, 31), "01-31-1999");
}

TEST(SignedNumberText, NonNegativeNumbersGetALeadingBlank) {
  EXPECT_EQ(SignedNumberText(7), " 7");
  EXPECT_EQ(SignedNumberText(0), " 0");
  EXPECT_EQ(SignedNumberText(-3), "-3");
}

}  // namespace
}  // namespace vernium

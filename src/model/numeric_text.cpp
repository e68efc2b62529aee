#include "model/numeric_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace vernium {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A finite value as decimal digits and a decimal exponent: value =
// 0.d1d2d3... x 10^(exponent+1), i.e. digits[0] is the 10^exponent place.
struct Decimal {
  bool negative = false;
  std::string digits;  // significant digits, no leading zero
  int exponent = 0;
};

Decimal ToDecimal(double value, int significant) {
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value),
                           std::chars_format::scientific, significant - 1);
  std::string text(buf, res.ptr);
  Decimal d;
  d.negative = std::signbit(value);
  const auto e = text.find('e');
  for (std::size_t i = 0; i < e; ++i) {
    if (IsDigit(text[i])) d.digits += text[i];
  }
  d.exponent = std::atoi(text.c_str() + e + 1);
  return d;
}

}  // namespace

double LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  const std::size_t start = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t mantissaDigits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++mantissaDigits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++mantissaDigits;
  }
  if (mantissaDigits == 0) return 0.0;
  std::size_t end = i;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      end = j;
    }
  }
  std::string number(text.substr(start, end - start));
  if (!number.empty() && number[0] == '+') number.erase(0, 1);
  double value = 0.0;
  const auto res = std::from_chars(number.data(), number.data() + number.size(), value);
  if (res.ec == std::errc::result_out_of_range) {
    // Too large reads as an infinity of the right sign, too small as zero.
    const bool negative = !number.empty() && number[0] == '-';
    const bool tiny = number.find_first_of("eE") != std::string::npos &&
                      number.find("e-") != std::string::npos;
    if (tiny) return 0.0;
    return negative ? -HUGE_VAL : HUGE_VAL;
  }
  return value;
}

std::string GeneralFormat(float value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
  if (value == 0.0f) return "0";
  Decimal d = ToDecimal(static_cast<double>(value), 7);
  while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
  std::string out = d.negative ? "-" : "";
  if (d.exponent >= -5 && d.exponent <= 6) {
    if (d.exponent < 0) {
      out += "0.";
      out.append(static_cast<std::size_t>(-d.exponent - 1), '0');
      out += d.digits;
    } else {
      const auto intDigits = static_cast<std::size_t>(d.exponent + 1);
      if (d.digits.size() <= intDigits) {
        out += d.digits;
        out.append(intDigits - d.digits.size(), '0');
      } else {
        out += d.digits.substr(0, intDigits);
        out += '.';
        out += d.digits.substr(intDigits);
      }
    }
    return out;
  }
  out += d.digits[0];
  if (d.digits.size() > 1) {
    out += '.';
    out += d.digits.substr(1);
  }
  char exp[16];
  std::snprintf(exp, sizeof exp, "E%c%02d", d.exponent < 0 ? '-' : '+', std::abs(d.exponent));
  return out + exp;
}

std::string FormatNumber(double value, std::string_view pattern) {
  const auto point = pattern.find('.');
  const std::string_view intPattern = pattern.substr(0, point);
  const std::string_view fracPattern =
      point == std::string_view::npos ? std::string_view{} : pattern.substr(point + 1);
  std::size_t minInt = 0;
  for (char c : intPattern) minInt += (c == '0');
  const std::size_t decimals = fracPattern.size();
  std::size_t minDecimals = 0;
  for (char c : fracPattern) minDecimals += (c == '0');

  if (!std::isfinite(value)) return std::isnan(value) ? "NaN" : (value > 0 ? "Infinity" : "-Infinity");

  // Integer and fraction digits of |value| rounded half away from zero.
  std::string intDigits = "0";
  std::string fracDigits(decimals, '0');
  bool negative = std::signbit(value);
  if (value != 0.0) {
    const Decimal d = ToDecimal(value, 15);
    // Place the digits on a fixed grid: position p holds the 10^p digit.
    const int lowest = -static_cast<int>(decimals);
    const int highest = std::max(d.exponent, 0);
    std::string grid(static_cast<std::size_t>(highest - lowest + 1), '0');  // index 0 = 10^highest
    auto at = [&](int p) -> char& { return grid[static_cast<std::size_t>(highest - p)]; };
    bool roundUp = false;
    for (std::size_t i = 0; i < d.digits.size(); ++i) {
      const int p = d.exponent - static_cast<int>(i);
      if (p >= lowest) {
        at(p) = d.digits[i];
      } else if (p == lowest - 1) {
        roundUp = d.digits[i] >= '5';
        break;
      } else {
        break;
      }
    }
    if (roundUp) {
      int p = lowest;
      while (p <= highest && at(p) == '9') at(p++) = '0';
      if (p <= highest) {
        at(p) = static_cast<char>(at(p) + 1);
      } else {
        grid.insert(grid.begin(), '1');
      }
    }
    const std::size_t fracStart = grid.size() - decimals;
    intDigits = grid.substr(0, fracStart);
    fracDigits = grid.substr(fracStart);
  }
  // Integer part: drop leading zeros, then pad to the pattern's zeros.
  const auto firstNonZero = intDigits.find_first_not_of('0');
  intDigits = firstNonZero == std::string::npos ? "" : intDigits.substr(firstNonZero);
  if (intDigits.size() < minInt) intDigits.insert(0, minInt - intDigits.size(), '0');
  // Optional decimal places drop their trailing zeros.
  while (fracDigits.size() > minDecimals && fracDigits.back() == '0') fracDigits.pop_back();

  const bool zero = (intDigits + fracDigits).find_first_not_of('0') == std::string::npos;
  std::string out = (negative && !zero) ? "-" : "";
  out += intDigits;
  if (!fracPattern.empty()) {
    out += '.';
    out += fracDigits;
  }
  return out;
}

double NonZero(double x) { return x == 0.0 ? 1.0 : x; }

std::string CalibrationDate(int year, int month, int day) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d-%02d-%04d", month, day, year);
  return buf;
}

std::string SignedNumberText(long value) {
  return (value < 0 ? "" : " ") + std::to_string(value);
}

}  // namespace vernium

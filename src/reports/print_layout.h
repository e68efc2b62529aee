#pragma once
// The printed configuration summary laid out as a table on landscape pages:
// at the top of the first page the title "Card Configuration Summary" at 12
// points at tab column 70; two blank lines further down the seventeen
// headings in bold, each over its own column, and a blank line; then, not
// bold, one row per active card channel in channel-number order: a
// calibrated channel with its parameters, gains, filter, coupling and
// scaling line, an uncalibrated one with its label and "Yes" only. The title
// and headings are on the first page only; every page ends with a footer
// naming the unit, the date and the page.
//
// Each column is as wide as its widest value, and as its heading where the
// page has the room (a heading wraps at its blanks otherwise), so every
// value stands under its heading whatever its length. When the columns do
// not fit across the page at 7 points the font is made smaller until they
// do. The result is a list of texts with their page, position and font,
// which the printer draws as they are; everything here is in twips.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vernium {

struct Configuration;
struct PrintoutFacts;

struct PrintFont {
  double pointSize = 12.0;
  bool bold = true;
};

// The font's measures on the printer, in twips.
class PrintMetrics {
 public:
  virtual ~PrintMetrics() = default;
  virtual double AverageCharWidth(const PrintFont& font) const = 0;
  virtual double TextWidth(std::string_view text, const PrintFont& font) const = 0;
  virtual double LineHeight(const PrintFont& font) const = 0;
};

struct PrintedText {
  int page = 0;  // from 0
  double x = 0.0;
  double y = 0.0;  // top of the line
  std::string text;
  PrintFont font;
};

struct SummaryPrintout {
  std::vector<PrintedText> texts;
  int pages = 1;
  // The table's columns: each one's left edge and width, in heading order.
  std::vector<double> columnX;
  std::vector<double> columnWidth;
};

// The paper, in twips.
struct PrintPage {
  double width = 15840.0;  // landscape letter
  double height = 12240.0;
};

inline constexpr double kPrintMarginTwips = 400.0;
inline constexpr double kSummaryPointSize = 7.0;
inline constexpr double kSmallestPointSize = 4.0;
inline constexpr std::string_view kSummaryTitle = "Card Configuration Summary";
extern const std::array<std::string_view, 17> kSummaryHeadings;

// A number printed as a plain number: a blank for the sign when it is not
// negative, the general number format, and a trailing blank.
std::string PlainNumber(float value);

// The seventeen values of a channel's row, in heading order: all of them for
// a calibrated channel, its label and "Yes" for another.
std::array<std::string, 17> SummaryRow(const Configuration& config, int chan);

SummaryPrintout LayOutSummary(const Configuration& config, const PrintMetrics& metrics,
                              const PrintPage& page, const PrintoutFacts& facts);

}  // namespace vernium

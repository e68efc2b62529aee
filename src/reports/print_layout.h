#pragma once
// The printed configuration summary as a line printer lays it out: items
// written at the print position, items joined directly following one
// another, items joined by zone starting at the next print zone (zones 14
// average character widths apart), lines ending with the position back at
// the left margin one line further down, and a new page where the page ends.
// The result is a list of texts with their page, position and font, which
// the printer draws as they are; everything here is in twips.
//
// The summary: at 400/400 twips the title "Card Configuration Summary" at
// 12 points at tab column 70; at 7 points two blank lines, the seventeen
// headings joined directly and a blank line; then, not bold, one line per
// active card channel in channel-number order: a calibrated channel with
// its parameters, gains, filter, coupling and scaling line, an uncalibrated
// one with its label and "Yes" only. The title and headings are on the
// first page only.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vernium {

struct Configuration;

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
};

inline constexpr double kPrintMarginTwips = 400.0;
inline constexpr int kPrintZoneChars = 14;
inline constexpr std::string_view kSummaryTitle = "Card Configuration Summary";
extern const std::array<std::string_view, 17> kSummaryHeadings;

// A number printed as a plain number: a blank for the sign when it is not
// negative, the general number format, and a trailing blank.
std::string PlainNumber(float value);

// Lays the summary out on pages of the given height (twips).
SummaryPrintout LayOutSummary(const Configuration& config, const PrintMetrics& metrics,
                              double pageHeight);

// The line printer the layout runs on.
class LinePrinter {
 public:
  LinePrinter(const PrintMetrics& metrics, double pageHeight);

  void SetFont(PrintFont font) { font_ = font; }
  const PrintFont& Font() const { return font_; }
  void MoveTo(double x, double y) {
    x_ = x;
    y_ = y;
  }
  // Writes the text at the print position and leaves the position after it.
  void Write(std::string_view text);
  // Moves to the next print zone (one whole zone on from a zone's start).
  void NextZone();
  // Moves to tab column `column` (from 1) of the current font.
  void Tab(int column);
  // Ends the line: left margin, one line of the current font down; a line
  // that would pass the page's end starts the next page.
  void EndLine();

  double X() const { return x_; }
  double Y() const { return y_; }
  int Page() const { return page_; }
  SummaryPrintout Take() { return {std::move(texts_), page_ + 1}; }

 private:
  const PrintMetrics& metrics_;
  double pageHeight_;
  PrintFont font_;
  double x_ = kPrintMarginTwips;
  double y_ = kPrintMarginTwips;
  int page_ = 0;
  std::vector<PrintedText> texts_;
};

}  // namespace vernium

#include "reports/print_layout.h"

#include <algorithm>

#include "model/configuration.h"
#include "model/numeric_text.h"
#include "platform/configuration_printer.h"
#include "reports/summary_texts.h"

namespace vernium {

const std::array<std::string_view, 17> kSummaryHeadings{"Channel",
                                                        "        Active",
                                                        "        Excitation",
                                                        "        Sensitivity",
                                                        "      Sensor Full Rated Load ",
                                                        "      Tare",
                                                        "              Max",
                                                        "              Units",
                                                        "             Actual I/Gain",
                                                        "                    Calculated I/Gain",
                                                        "          Actual S/Gain",
                                                        "          Caculated S/Gain",
                                                        "          Offset(mV)",
                                                        "     Filter On",
                                                        "       Coupling",
                                                        "           M",
                                                        "                B"};

std::string PlainNumber(float value) {
  std::string text = GeneralFormat(value);
  if (text.empty() || text.front() != '-') text.insert(text.begin(), ' ');
  text += ' ';
  return text;
}

std::array<std::string, 17> SummaryRow(const Configuration& config, int chan) {
  const ChannelConfig& ch = config.Channels[chan];
  if (ch.Calibrated != "Yes") return {ch.ChannelLabel, "Yes"};
  std::array<std::string, 17> row{ch.ChannelLabel,          "Yes",
                                  PlainNumber(ch.Excitation), PlainNumber(ch.Sensitivity),
                                  PlainNumber(ch.FullLoad),   PlainNumber(ch.Tare),
                                  PlainNumber(ch.MaxLoad),    ch.Units};
  const std::array<std::string, 9> settings = SummarySettingTexts(config, chan);
  std::copy(settings.begin(), settings.end(), row.begin() + 8);
  return row;
}

namespace {

using Row = std::vector<std::string>;
using Headings = std::vector<std::string_view>;

// A channel that passed its check with known loads prints its verified
// line after M and B; with none, the printout is what it has always been.
constexpr std::array<std::string_view, 2> kVerifiedHeadings{"      Verified m", "      Verified b"};

bool AnyVerified(const Configuration& config) {
  for (int chan = kFirstChannel; chan <= kLastChannel; ++chan) {
    if (IsTrue(config.Channels[chan].Active) && config.Verified[chan].passed) return true;
  }
  return false;
}

// A heading's words: the blanks that placed it on a line printer go.
std::vector<std::string> Words(std::string_view heading) {
  std::vector<std::string> words;
  std::size_t at = 0;
  while ((at = heading.find_first_not_of(' ', at)) != std::string_view::npos) {
    const std::size_t end = std::min(heading.find(' ', at), heading.size());
    words.emplace_back(heading.substr(at, end - at));
    at = end;
  }
  return words;
}

// The words on one line, a blank between each two.
std::string OneLine(const std::vector<std::string>& words) {
  std::string line;
  for (const std::string& word : words) line += (line.empty() ? "" : " ") + word;
  return line;
}

// The words put on as few lines as fit in `width`; a word wider than that
// has a line of its own.
std::vector<std::string> Wrap(const std::vector<std::string>& words, double width,
                              const PrintMetrics& metrics, const PrintFont& font) {
  std::vector<std::string> lines;
  for (const std::string& word : words) {
    if (!lines.empty() && metrics.TextWidth(lines.back() + " " + word, font) <= width) {
      lines.back() += " " + word;
    } else {
      lines.push_back(word);
    }
  }
  return lines;
}

struct Table {
  PrintFont body{kSummaryPointSize, false};
  PrintFont head{kSummaryPointSize, true};
  double gap = 0.0;
  std::vector<double> width;
  std::vector<std::vector<std::string>> headingLines;
  double total = 0.0;
};

// The columns at `pointSize`: each as wide as its widest value and as its
// heading on one line, or, with `wrapHeadings`, as its heading's widest word.
Table FitColumns(const std::vector<Row>& rows, const Headings& headings,
                 const PrintMetrics& metrics, double pointSize, bool wrapHeadings) {
  Table t;
  t.body.pointSize = t.head.pointSize = pointSize;
  t.gap = 2.0 * metrics.AverageCharWidth(t.body);
  for (std::size_t c = 0; c < headings.size(); ++c) {
    double width = 0.0;
    for (const Row& row : rows) width = std::max(width, metrics.TextWidth(row[c], t.body));
    const std::vector<std::string> words = Words(headings[c]);
    if (wrapHeadings) {
      for (const std::string& word : words) width = std::max(width, metrics.TextWidth(word, t.head));
    } else {
      width = std::max(width, metrics.TextWidth(OneLine(words), t.head));
    }
    t.headingLines.push_back(Wrap(words, width, metrics, t.head));
    t.width.push_back(width);
    t.total += width + (c > 0 ? t.gap : 0.0);
  }
  return t;
}

// The largest table that fits across `usable` twips, down to the smallest
// font.
Table FitTable(const std::vector<Row>& rows, const Headings& headings,
               const PrintMetrics& metrics, double usable) {
  double size = kSummaryPointSize;
  for (;;) {
    Table t = FitColumns(rows, headings, metrics, size, false);
    if (t.total > usable) t = FitColumns(rows, headings, metrics, size, true);
    if (t.total <= usable || size <= kSmallestPointSize) return t;
    size = std::max(kSmallestPointSize, size * std::min(0.98, 0.99 * usable / t.total));
  }
}

}  // namespace

SummaryPrintout LayOutSummary(const Configuration& config, const PrintMetrics& metrics,
                              const PrintPage& page, const PrintoutFacts& facts) {
  const bool verified = AnyVerified(config);
  Headings headings(kSummaryHeadings.begin(), kSummaryHeadings.end());
  if (verified) headings.insert(headings.end(), kVerifiedHeadings.begin(), kVerifiedHeadings.end());
  std::vector<Row> rows;
  for (int chan = kFirstChannel; chan <= kLastChannel; ++chan) {
    if (!IsTrue(config.Channels[chan].Active)) continue;
    const std::array<std::string, 17> summary = SummaryRow(config, chan);
    Row row(summary.begin(), summary.end());
    if (verified) {
      const VerifiedLine& line = config.Verified[chan];
      row.push_back(line.passed ? PlainNumber(line.m) : std::string());
      row.push_back(line.passed ? PlainNumber(line.b) : std::string());
    }
    rows.push_back(std::move(row));
  }
  const Table table = FitTable(rows, headings, metrics, page.width - 2.0 * kPrintMarginTwips);
  SummaryPrintout out;
  double x = kPrintMarginTwips;
  for (std::size_t c = 0; c < table.width.size(); ++c) {
    out.columnX.push_back(x);
    out.columnWidth.push_back(table.width[c]);
    x += table.width[c] + table.gap;
  }
  int sheet = 0;
  double y = kPrintMarginTwips;
  auto put = [&](double at, std::string text, const PrintFont& font) {
    if (!text.empty()) out.texts.push_back({sheet, at, y, std::move(text), font});
  };

  const PrintFont titleFont{12.0, true};
  put(kPrintMarginTwips + 69.0 * metrics.AverageCharWidth(titleFont), std::string(kSummaryTitle),
      titleFont);
  y += metrics.LineHeight(titleFont) + 2.0 * metrics.LineHeight(table.body);
  const double headLine = metrics.LineHeight(table.head);
  std::size_t headLines = 0;
  for (std::size_t c = 0; c < table.headingLines.size(); ++c) {
    const double top = y;
    for (const std::string& line : table.headingLines[c]) {
      put(out.columnX[c], line, table.head);
      y += headLine;
    }
    headLines = std::max(headLines, table.headingLines[c].size());
    y = top;
  }
  const double line = metrics.LineHeight(table.body);
  y += static_cast<double>(headLines) * headLine + line;

  // The rows end a blank line above the footer.
  const PrintFont footFont{kSummaryPointSize, false};
  const double footerY = page.height - kPrintMarginTwips - metrics.LineHeight(footFont);
  for (const Row& row : rows) {
    if (y + line > footerY - metrics.LineHeight(footFont)) {
      ++sheet;
      y = kPrintMarginTwips;
    }
    for (std::size_t c = 0; c < row.size(); ++c) put(out.columnX[c], row[c], table.body);
    y += line;
  }

  out.pages = sheet + 1;
  y = footerY;
  for (sheet = 0; sheet < out.pages; ++sheet) {
    if (!facts.unitName.empty()) put(kPrintMarginTwips, "Unit " + facts.unitName, footFont);
    if (!facts.date.empty()) {
      const std::string date = "Printed " + facts.date;
      put((page.width - metrics.TextWidth(date, footFont)) / 2.0, date, footFont);
    }
    const std::string number =
        "Page " + std::to_string(sheet + 1) + " of " + std::to_string(out.pages);
    put(page.width - kPrintMarginTwips - metrics.TextWidth(number, footFont), number, footFont);
  }
  // In page order, as the printer takes them.
  std::stable_sort(out.texts.begin(), out.texts.end(),
                   [](const PrintedText& a, const PrintedText& b) { return a.page < b.page; });
  return out;
}

}  // namespace vernium

// The printed summary's table on a printer with a fixed-pitch font: every
// value under its heading and clear of the next column whatever its length,
// the font made smaller on a narrow page, pages that end above their
// footer. (The real font read back from a PDF: the printout's test and
// summary_print.scn.)
#include "reports/print_layout.h"

#include <gtest/gtest.h>

#include "platform/message_boxes.h"
#include "reports/card_config_form.h"

#include <algorithm>

#include "model/configuration.h"
#include "platform/configuration_printer.h"
#include "report_fixture.h"

namespace vernium {
namespace {

using testing_reports::Calibrate;
using testing_reports::Declare;

// Every character 10 twips a point wide; lines 20 twips a point high.
class FixedPitch : public PrintMetrics {
 public:
  double AverageCharWidth(const PrintFont& f) const override { return 10.0 * f.pointSize; }
  double TextWidth(std::string_view text, const PrintFont& f) const override {
    return 10.0 * f.pointSize * static_cast<double>(text.size());
  }
  double LineHeight(const PrintFont& f) const override { return 20.0 * f.pointSize; }
};

class PrintLayoutTest : public ::testing::Test {
 protected:
  PrintLayoutTest() {
    InitTables(config_);
    Declare(config_, 16, "SGC10", "0-0-0");  // a card, not active: left out
    Declare(config_, 48, "SGC50", "2-0-0");
    Calibrate(config_, 48, 12.3456f, 250.0f, -12.5f);
    config_.Channels[48].Sensitivity = 0.0012345f;  // seven digits
    config_.Channels[48].Units = "Kilogram";
    Declare(config_, 49, "SGC50", "2-0-1");
    config_.Channels[49].Active = kTrue16;  // active, not calibrated
  }

  // Each text of the table's rows (below the headings, above the footer)
  // starts at its column's left edge and ends inside the column.
  static void ExpectEveryValueInItsColumn(const SummaryPrintout& out, const FixedPitch& metrics,
                                          double pageWidth) {
    int values = 0;
    const double footerY = out.texts.back().y;
    for (const PrintedText& t : out.texts) {
      if (t.y == footerY || t.text == kSummaryTitle) continue;
      const auto col = std::find(out.columnX.begin(), out.columnX.end(), t.x);
      ASSERT_NE(col, out.columnX.end()) << t.text << " at " << t.x;
      const std::size_t c = static_cast<std::size_t>(col - out.columnX.begin());
      EXPECT_LE(metrics.TextWidth(t.text, t.font), out.columnWidth[c] + 1e-9) << t.text;
      if (c + 1 < out.columnX.size()) {
        EXPECT_LT(t.x + out.columnWidth[c], out.columnX[c + 1]);
      }
      EXPECT_LE(t.x + metrics.TextWidth(t.text, t.font), pageWidth - kPrintMarginTwips + 1e-9);
      ++values;
    }
    EXPECT_GT(values, 17);
  }

  Configuration config_;
  FixedPitch metrics_;
};

TEST_F(PrintLayoutTest, EachValueStandsUnderItsHeadingAndClearOfTheNext) {
  const PrintoutFacts facts{"SIM-PORTABLE", "12-07-2026"};
  const SummaryPrintout out = LayOutSummary(config_, metrics_, PrintPage{}, facts);
  ASSERT_EQ(out.columnX.size(), kSummaryHeadings.size());
  ExpectEveryValueInItsColumn(out, metrics_, PrintPage{}.width);

  // The row of the calibrated channel, item by item under the headings.
  const std::array<std::string, 17> row = SummaryRow(config_, 48);
  EXPECT_EQ(row[3], " 0.0012345 ");
  for (std::size_t c = 0; c < row.size(); ++c) {
    const auto at = std::find_if(out.texts.begin(), out.texts.end(), [&](const PrintedText& t) {
      return t.text == row[c] && t.x == out.columnX[c] && !t.font.bold;
    });
    EXPECT_NE(at, out.texts.end()) << c << " " << row[c];
  }
  // The uncalibrated channel: its label and "Yes" only.
  EXPECT_EQ(SummaryRow(config_, 49)[1], "Yes");
  EXPECT_EQ(SummaryRow(config_, 49)[2], "");

  const PrintedText& title = out.texts[0];
  EXPECT_EQ(title.text, kSummaryTitle);
  EXPECT_DOUBLE_EQ(title.x, 400 + 69 * 120.0);  // tab column 70 at 12 points
  EXPECT_EQ(title.font.pointSize, 12.0);
  // The footer: the unit, the date and the page.
  std::vector<std::string> footer;
  for (const PrintedText& t : out.texts) {
    if (t.y == out.texts.back().y) footer.push_back(t.text);
  }
  EXPECT_EQ(footer, (std::vector<std::string>{"Unit SIM-PORTABLE", "Printed 12-07-2026",
                                              "Page 1 of 1"}));
}

// The verified line stands after B, under headings of its own, on the
// verified channel's row only; the window's grid shows it the same way.
TEST_F(PrintLayoutTest, AVerifiedChannelPrintsItsVerifiedLineAfterMAndB) {
  config_.Verified[48] = {true, 146.8f, 65.01f, "Nameplate"};
  const SummaryPrintout out = LayOutSummary(config_, metrics_, PrintPage{}, {});
  ASSERT_EQ(out.columnX.size(), kSummaryHeadings.size() + 2);
  ExpectEveryValueInItsColumn(out, metrics_, PrintPage{}.width);
  std::vector<std::string> verified;
  for (const PrintedText& t : out.texts) {
    if ((t.x == out.columnX[17] || t.x == out.columnX[18]) && !t.font.bold) {
      verified.push_back(t.text);
    }
  }
  EXPECT_EQ(verified, (std::vector<std::string>{" 146.8 ", " 65.01 "}));

  ScriptedMessageBoxes boxes;
  RecordedConfigurationPrinter printer;
  Grid grdChannel;
  CardConfigForm form{config_, grdChannel, boxes, printer};
  form.Load();
  const auto& cells = form.grdConfig.cells;
  ASSERT_EQ(form.grdConfig.Cols(), 19);
  EXPECT_EQ(std::vector<std::string>(cells[0].end() - 2, cells[0].end()),
            (std::vector<std::string>{"Verified m", "Verified b"}));
  EXPECT_EQ(std::vector<std::string>(cells[2].end() - 2, cells[2].end()),
            (std::vector<std::string>{"146.8", "65.01"}));  // 2-0-0, after 0-0-0
  EXPECT_EQ(cells[3][18], "");
  config_.Verified[48].passed = false;
  form.Load();
  EXPECT_EQ(form.grdConfig.Cols(), 17);
}

TEST_F(PrintLayoutTest, ANarrowPageWrapsTheHeadingsAndMakesTheFontSmaller) {
  const PrintPage narrow{9000.0, 12240.0};
  const SummaryPrintout out = LayOutSummary(config_, metrics_, narrow, {});
  ExpectEveryValueInItsColumn(out, metrics_, narrow.width);
  EXPECT_LT(out.texts[1].font.pointSize, kSummaryPointSize);  // the first heading
  // "Sensor Full Rated Load" on more than one line of its column.
  int lines = 0;
  for (const PrintedText& t : out.texts) lines += t.font.bold && t.x == out.columnX[4];
  EXPECT_GT(lines, 1);
}

TEST_F(PrintLayoutTest, RowsBreakOntoPagesAboveTheFooterAndEveryPageIsNumbered) {
  for (int chan = kFirstChannel; chan <= kLastChannel; ++chan) {
    Declare(config_, chan, "SGC10", "x-x-x");
    Calibrate(config_, chan, 10.0f, 1.0f, 0.0f);
  }
  const PrintPage page;
  const SummaryPrintout out = LayOutSummary(config_, metrics_, page, {});
  const double footerY = page.height - 400 - 140;
  const int onFirst = static_cast<int>((footerY - 140 - (400 + 240 + 140 * 4)) / 140);
  const int perPage = static_cast<int>((footerY - 140 - 400) / 140);
  EXPECT_EQ(out.pages, 1 + (256 - onFirst + perPage - 1) / perPage);
  int numbers = 0;
  for (const PrintedText& t : out.texts) {
    if (t.text.starts_with("Page ")) {
      EXPECT_EQ(t.text, "Page " + std::to_string(t.page + 1) + " of " + std::to_string(out.pages));
      EXPECT_DOUBLE_EQ(t.y, footerY);
      ++numbers;
    } else {
      EXPECT_LE(t.y + 140, footerY - 140 + 1e-6) << t.text << " page " << t.page;
    }
  }
  EXPECT_EQ(numbers, out.pages);
  EXPECT_TRUE(std::is_sorted(out.texts.begin(), out.texts.end(),
                             [](const auto& a, const auto& b) { return a.page < b.page; }));
}

}  // namespace
}  // namespace vernium

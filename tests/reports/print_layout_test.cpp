// The printed summary's layout on a line printer with a fixed-pitch font:
// where the title, the headings and every item of a channel line land, and
// which channels are printed, and where pages break. (The headings on the
// first page only, with the printer's own metrics: the printout's test.)
#include "reports/print_layout.h"

#include <gtest/gtest.h>

#include "model/configuration.h"
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

constexpr double kZone = 14 * 70.0;  // at 7 points
constexpr double kFirstChannelY = 400 + 240 + 140 * 4;

std::vector<PrintedText> LineAt(const SummaryPrintout& out, int page, double y) {
  std::vector<PrintedText> line;
  for (const auto& t : out.texts) {
    if (t.page == page && t.y == y) line.push_back(t);
  }
  return line;
}

class PrintLayoutTest : public ::testing::Test {
 protected:
  PrintLayoutTest() { InitTables(config_); }
  Configuration config_;
  FixedPitch metrics_;
};

TEST_F(PrintLayoutTest, TitleAndHeadingsAsWrittenAtTheirSizes) {
  const SummaryPrintout out = LayOutSummary(config_, metrics_, 12240);
  ASSERT_EQ(out.texts.size(), 18u);  // no active channel: title and headings only
  EXPECT_EQ(out.pages, 1);
  const PrintedText& title = out.texts[0];
  EXPECT_EQ(title.text, "Card Configuration Summary");
  EXPECT_DOUBLE_EQ(title.x, 400 + 69 * 120.0);  // tab column 70 at 12 points
  EXPECT_DOUBLE_EQ(title.y, 400);
  EXPECT_EQ(title.font.pointSize, 12.0);

  // The headings joined directly, after two carriage returns, at 7 points.
  std::string joined;
  std::size_t chars = 0;
  for (std::size_t i = 1; i < out.texts.size(); ++i) {
    const PrintedText& h = out.texts[i];
    EXPECT_DOUBLE_EQ(h.x, 400 + 70.0 * static_cast<double>(chars)) << i;
    EXPECT_DOUBLE_EQ(h.y, 400 + 240 + 2 * 140.0);
    EXPECT_EQ(h.font.pointSize, 7.0);
    joined += h.text + "|";
    chars += h.text.size();
  }
  EXPECT_EQ(joined.rfind("Channel|        Active|        Excitation|", 0), 0u);  // (the rest: the printout)
}

TEST_F(PrintLayoutTest, ChannelLinesByZoneCalibratedInFullUncalibratedLabelOnly) {
  Declare(config_, 16, "SGC10", "0-0-0");  // a card, not active: left out
  Declare(config_, 48, "SGC50", "2-0-0");
  Calibrate(config_, 48, 12.3456f, 250.0f, -12.5f);
  config_.Channels[48].FilterOn = kTrue16;
  config_.Channels[48].FilterOption = std::string(kFilterX2);
  config_.Channels[48].Tare = -5.0f;
  Declare(config_, 49, "SGC50", "2-0-1");
  config_.Channels[49].Active = kTrue16;  // active, not calibrated
  const SummaryPrintout out = LayOutSummary(config_, metrics_, 12240);

  const auto calibrated = LineAt(out, 0, kFirstChannelY);
  // item -> its zone
  const std::vector<std::pair<std::string, int>> items{
      {"2-0-0", 0},  {"Yes", 1},    {" 10 ", 2},   {" 0.002 ", 3},  {" 1000 ", 4},  {"-5 ", 5},
      {" 800 ", 6},  {"Pounds", 7}, {"012.60", 8}, {"012.35", 10},  {"2.500", 12},  {"2.500", 14},
      {"0.000", 15}, {"On X2", 16}, {"DC", 17},    {"250.000", 18}, {"-12.500", 19}};
  ASSERT_EQ(calibrated.size(), items.size());
  for (std::size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(calibrated[i].text, items[i].first) << i;
    EXPECT_DOUBLE_EQ(calibrated[i].x, 400 + kZone * items[i].second) << i;
    EXPECT_FALSE(calibrated[i].font.bold);
  }
  const auto uncalibrated = LineAt(out, 0, kFirstChannelY + 140);
  ASSERT_EQ(uncalibrated.size(), 2u);
  EXPECT_EQ(uncalibrated[0].text, "2-0-1");
  EXPECT_EQ(uncalibrated[1].text, "Yes");
  EXPECT_DOUBLE_EQ(uncalibrated[1].x, 400 + kZone);
  EXPECT_EQ(out.texts.size(), 18u + items.size() + 2u);
}

TEST_F(PrintLayoutTest, AnItemPastItsZoneMovesTheNextOneAZoneFurther) {
  LinePrinter out(metrics_, 12240);
  out.SetFont({7.0, false});
  out.Write(std::string(15, 'x'));  // 1050 twips: past the first zone
  out.NextZone();
  EXPECT_DOUBLE_EQ(out.X(), 400 + 2 * kZone);
  out.NextZone();  // an empty item
  EXPECT_DOUBLE_EQ(out.X(), 400 + 3 * kZone);
}

// Every line ends above the bottom margin, and each page is filled.
TEST_F(PrintLayoutTest, PagesBreakBeforeTheBottomMargin) {
  for (int chan = kFirstChannel; chan <= kLastChannel; ++chan) {
    Declare(config_, chan, "SGC10", "x-x-x");
    Calibrate(config_, chan, 10.0f, 1.0f, 0.0f);
  }
  const double pageHeight = 12240;
  const SummaryPrintout out = LayOutSummary(config_, metrics_, pageHeight);
  const int perPage = static_cast<int>((pageHeight - 800) / 140);  // lines of 7 points
  const int onFirst = static_cast<int>((pageHeight - 400 - kFirstChannelY) / 140);
  EXPECT_EQ(out.pages, 1 + (256 - onFirst + perPage - 1) / perPage);
  for (const auto& t : out.texts) EXPECT_LE(t.y + 140, pageHeight - 400 + 1e-6) << t.page;
}

}  // namespace
}  // namespace vernium

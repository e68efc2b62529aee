// The configuration summary window: its rows in channel-number order, each
// cell in its format, and the check before printing.
#include <gtest/gtest.h>

#include "model/configuration.h"
#include "platform/configuration_printer.h"
#include "platform/message_boxes.h"
#include "report_fixture.h"
#include "reports/card_config_form.h"

namespace vernium {
namespace {

using testing_reports::Calibrate;
using testing_reports::Declare;

class CardConfigTest : public ::testing::Test {
 protected:
  CardConfigTest() {
    InitTables(config_);
    grdChannel_.Resize(3, 6);
    grdChannel_.Cell(1, 5) = "SGC50";
    grdChannel_.Cell(2, 5) = "No Card";
  }
  std::vector<std::string> Row(int r) const {
    return form_.grdConfig.cells[static_cast<std::size_t>(r)];
  }

  Configuration config_;
  Grid grdChannel_;
  ScriptedMessageBoxes boxes_;
  RecordedConfigurationPrinter printer_;
  CardConfigForm form_{config_, grdChannel_, boxes_, printer_};
};

TEST_F(CardConfigTest, OneRowPerCardChannelInChannelOrderEachCellInItsFormat) {
  // Declared out of order: the rows still come in channel-number order.
  Declare(config_, 49, "SGC50", "2-0-1");
  Declare(config_, 17, "SGC10", "0-0-1");
  Declare(config_, 48, "SGC50", "2-0-0");
  Calibrate(config_, 48, 12.3456f, 250.0f, -12.5f);
  ChannelConfig& ch = config_.Channels[48];
  ch.FilterOn = kTrue16;
  ch.FilterOption = std::string(kFilterX1);
  ch.DCCoupled = kFalse16;
  ch.Units = "Kg";
  config_.Channels[49].FilterOn = kTrue16;
  config_.Channels[49].FilterOption = std::string(kFilterX2);
  form_.Load();

  ASSERT_EQ(form_.grdConfig.Rows(), 4);
  // A card channel without parameters: the reset values, zero gains.
  EXPECT_EQ(Row(1), (std::vector<std::string>{"0-0-1", "No", "10", "0.002", "1000", "65", "800",
                                              "Pounds", "000.00", "000.00", "0.000", "0.000",
                                              "0.000", "Bypass", "DC", "0.000", "0.000"}));
  EXPECT_EQ(Row(2), (std::vector<std::string>{"2-0-0", "Yes", "10", "0.002", "1000", "65", "800",
                                              "Kg", "012.60", "012.35", "2.500", "2.500", "0.000",
                                              "On X1", "AC", "250.000", "-12.500"}));
  EXPECT_EQ(Row(3)[0], "2-0-1");
  EXPECT_EQ(Row(3)[13], "On X2");

  // Opening again shows the configuration as it is then, not added to.
  Declare(config_, 17, "No Card", "");
  form_.Load();
  EXPECT_EQ(form_.grdConfig.Rows(), 3);
  EXPECT_EQ(Row(1)[0], "2-0-0");
}

TEST_F(CardConfigTest, PrintChecksTheMainWindowsSelectedRow) {
  Declare(config_, 48, "SGC50", "2-0-0");
  form_.Load();
  config_.CurrentRow = 2;  // "No Card"
  form_.PrintChartClick();
  EXPECT_EQ(printer_.Printed(), 0);
  ASSERT_EQ(boxes_.Shown().size(), 1u);
  EXPECT_EQ(boxes_.Shown()[0].text, "There are no cards configured for this base channel");
  EXPECT_EQ(boxes_.Shown()[0].title, "Attention!");
  EXPECT_EQ(boxes_.Shown()[0].icon, MsgIcon::Information);
  config_.CurrentRow = 1;
  form_.PrintChartClick();
  EXPECT_EQ(printer_.Printed(), 1);
  EXPECT_EQ(boxes_.Shown().size(), 1u);
  form_.ExitMainClick();
  EXPECT_TRUE(form_.closeRequested);
}

}  // namespace
}  // namespace vernium

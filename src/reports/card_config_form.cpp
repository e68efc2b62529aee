#include "reports/card_config_form.h"

#include "model/configuration.h"
#include "model/numeric_text.h"
#include "platform/configuration_printer.h"
#include "platform/message_boxes.h"
#include "reports/summary_texts.h"

namespace vernium {

namespace {

constexpr int kDesignRows = 2;  // the header row and one empty row
constexpr int kDesignColWidthTwips = 1000;
constexpr int kColCardTypeOfMain = 5;  // "Card Type" in the main window's grid
constexpr std::string_view kNoCards = "There are no cards configured for this base channel";

int ColumnWidthTwips(int col) {
  if (col == 0) return 700;
  if (col == 5) return 600;
  if (col == 7) return 800;
  if (col == 12) return 900;
  return 100 * static_cast<int>(kConfigHeaders[static_cast<std::size_t>(col)].size());
}

std::string General(float value) {
  return GeneralFormat(value);
}

}  // namespace

const std::array<std::string_view, kConfigCols> kConfigHeaders{"Channel",
                                                               "Active",
                                                               "Excitation",
                                                               "Sensitivity",
                                                               "Sensor Full Rated Load",
                                                               "Tare",
                                                               "Application Max Load",
                                                               "Units",
                                                               "Actual I/Gain",
                                                               "Cal I/Gain",
                                                               "Actual S/Gain",
                                                               "Cal S/Gain",
                                                               "Offset(mV)",
                                                               "Filter On",
                                                               "Coupling",
                                                               "    M    ",
                                                               "    B    "};

CardConfigForm::CardConfigForm(const Configuration& config, const Grid& grdChannel,
                               MessageBoxes& messages, ConfigurationPrinter& printer,
                               std::function<PrintoutFacts()> facts)
    : config_(config),
      grdChannel_(grdChannel),
      messages_(messages),
      printer_(printer),
      facts_(std::move(facts)) {
  caption = "Card Configurations";
  cmdPrintChart.caption = "&Print";
  cmdExitMain.caption = "&Exit";
  SetDesignState();
}

void CardConfigForm::SetDesignState() {
  grdConfig = Grid{};
  grdConfig.Resize(kDesignRows, kConfigCols);
  for (int& width : grdConfig.colWidthsTwips) width = kDesignColWidthTwips;
  grdConfig.row = 1;
  grdConfig.rowSel = 1;
}

void CardConfigForm::Load() {
  closeRequested = false;
  SetDesignState();
  grdConfig.col = 0;
  bool first = true;
  for (int chan = kFirstChannel; chan <= kLastChannel; ++chan) {
    if (config_.Channels[chan].CardType == kNoCard) continue;
    if (first) {
      for (int c = 0; c < kConfigCols; ++c) {
        grdConfig.Cell(0, c) = std::string(kConfigHeaders[static_cast<std::size_t>(c)]);
        grdConfig.colWidthsTwips[static_cast<std::size_t>(c)] = ColumnWidthTwips(c);
      }
      first = false;
    } else {
      grdConfig.Resize(grdConfig.Rows() + 1, kConfigCols);
    }
    FillRow(grdConfig.Rows() - 1, chan);
  }
  AddVerifiedColumns();
}

// A channel that passed its check with known loads shows its verified line
// beside M and B; with none, the grid is the summary it has always been.
void CardConfigForm::AddVerifiedColumns() {
  bool any = false;
  for (int chan = kFirstChannel; chan <= kLastChannel; ++chan) {
    any = any || (config_.Channels[chan].CardType != kNoCard && config_.Verified[chan].passed);
  }
  if (!any) return;
  grdConfig.Resize(grdConfig.Rows(), kConfigCols + 2);
  grdConfig.Cell(0, kConfigCols) = "Verified m";
  grdConfig.Cell(0, kConfigCols + 1) = "Verified b";
  grdConfig.colWidthsTwips[kConfigCols] = 1100;
  grdConfig.colWidthsTwips[kConfigCols + 1] = 1100;
  int row = 1;
  for (int chan = kFirstChannel; chan <= kLastChannel; ++chan) {
    if (config_.Channels[chan].CardType == kNoCard) continue;
    const VerifiedLine& line = config_.Verified[chan];
    if (line.passed) {
      grdConfig.Cell(row, kConfigCols) = GeneralFormat(line.m);
      grdConfig.Cell(row, kConfigCols + 1) = GeneralFormat(line.b);
    }
    ++row;
  }
}

void CardConfigForm::FillRow(int row, int chan) {
  const ChannelConfig& ch = config_.Channels[chan];
  const std::array<std::string, 8> cells{ch.ChannelLabel,          IsTrue(ch.Active) ? "Yes" : "No",
                                         General(ch.Excitation),   General(ch.Sensitivity),
                                         General(ch.FullLoad),     General(ch.Tare),
                                         General(ch.MaxLoad),      ch.Units};
  const std::array<std::string, 9> settings = SummarySettingTexts(config_, chan);
  for (int c = 0; c < kConfigCols; ++c) {
    const auto i = static_cast<std::size_t>(c);
    grdConfig.Cell(row, c) = i < cells.size() ? cells[i] : settings[i - cells.size()];
  }
}

void CardConfigForm::PrintChartClick() {
  PrintCheckedConfiguration(config_, grdChannel_, messages_, printer_,
                            facts_ ? facts_() : PrintoutFacts{});
}

void CardConfigForm::ExitMainClick() {
  closeRequested = true;
}

void PrintCheckedConfiguration(const Configuration& config, const Grid& grdChannel,
                               MessageBoxes& messages, ConfigurationPrinter& printer,
                               const PrintoutFacts& facts) {
  const int row = config.CurrentRow;
  const bool onGrid = row >= 0 && row < grdChannel.Rows() && kColCardTypeOfMain < grdChannel.Cols();
  if (onGrid && grdChannel.Cell(row, kColCardTypeOfMain) == kNoCard) {
    messages.Show(kNoCards, "Attention!", MsgIcon::Information, MsgButtons::OK);
    return;
  }
  printer.PrintSummary(config, facts);
}

}  // namespace vernium

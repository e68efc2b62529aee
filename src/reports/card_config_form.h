#pragma once
// The configuration summary "Card Configurations": one grid row per card
// channel, in channel-number order, with its application parameters, the
// calculated and reached gains, filter, coupling and scaling line. Print
// hands the configuration to the printer after the main window's check;
// Exit closes the window. The window only reads the configuration.

#include <array>
#include <functional>
#include <string_view>

#include "platform/configuration_printer.h"
#include "platform/controls.h"

namespace vernium {

struct Configuration;
class ConfigurationPrinter;
class MessageBoxes;

inline constexpr int kConfigCols = 17;
// The header texts of grdConfig, column by column.
extern const std::array<std::string_view, kConfigCols> kConfigHeaders;

class CardConfigForm {
 public:
  // `grdChannel` is the main window's channel grid (its selected row decides
  // whether there is anything to print).
  // `facts` gives what the printout's footer tells (none: nothing).
  CardConfigForm(const Configuration& config, const Grid& grdChannel, MessageBoxes& messages,
                 ConfigurationPrinter& printer, std::function<PrintoutFacts()> facts = {});

  // ---- controls ----
  std::string caption;
  Grid grdConfig;
  Button cmdPrintChart;
  Button cmdExitMain;

  // ---- handlers ----
  // Fills the grid from the configuration (each time the window opens).
  void Load();
  void PrintChartClick();
  void ExitMainClick();

  // Set by Exit: the window is to close.
  bool closeRequested = false;

 private:
  void SetDesignState();
  void FillRow(int row, int chan);
  void AddVerifiedColumns();

  const Configuration& config_;
  const Grid& grdChannel_;
  MessageBoxes& messages_;
  ConfigurationPrinter& printer_;
  std::function<PrintoutFacts()> facts_;
};

// Prints the summary when the main window's selected row carries a card;
// otherwise says there are no cards. Print in the summary window and the
// main window's print command both do this.
void PrintCheckedConfiguration(const Configuration& config, const Grid& grdChannel,
                               MessageBoxes& messages, ConfigurationPrinter& printer,
                               const PrintoutFacts& facts);

}  // namespace vernium

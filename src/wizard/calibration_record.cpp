#include "wizard/calibration_record.h"

#include <string>
#include <string_view>

#include "model/configuration.h"
#include "model/numeric_text.h"
#include "platform/controls.h"

namespace vernium {

namespace {

int DigitValue(std::string_view label, std::size_t pos) {
  return static_cast<int>(LeadingNumber(label.substr(pos, 1)));
}

}  // namespace

std::int16_t CardChannelNumber(const Grid& grdChannel, int row) {
  const std::string& label = grdChannel.Cell(row, 1);
  const std::string& cardType = grdChannel.Cell(row, 5);
  if (!IsCardType(cardType) || label.empty()) return 0;
  // The card is the first of the label's last three characters, the channel
  // on the card its last one.
  const std::size_t cardPos = label.size() >= 3 ? label.size() - 3 : 0;
  const int card = DigitValue(label, cardPos);
  const int channel = DigitValue(label, label.size() - 1);
  if (cardType == kSGC10) return static_cast<std::int16_t>(2 * card + channel + 1);
  return static_cast<std::int16_t>(card == 1 ? channel + 9 : channel + 1);
}

int CardDesignatorNumber(int cardChannelNumber) {
  return cardChannelNumber > 8 ? cardChannelNumber - 8 : cardChannelNumber;
}

void MarkUncalibrated(Configuration& config, Grid& grdChannel) {
  const int row = config.CurrentRow;
  grdChannel.row = row;
  grdChannel.rowSel = row;
  const std::string label = grdChannel.Cell(row, 1);
  const int b = BaseOfLabel(label);
  const int n = CardChannelNumber(grdChannel, row);
  grdChannel.Cell(row, 4) = "No";

  const int chan = config.CurrentChannel;
  config.Channels[chan].Calibrated = "No";
  config.Actual[chan].InputGain = 0.0f;
  config.Calc[chan].InputGain = 0.0f;
  config.Actual[chan].ScalingGain = 0.0f;
  config.Calc[chan].ScalingGain = 0.0f;
  config.Actual[chan].Offset = 0.0f;

  config.Base[b].CalStatus[n - 1] = "No";
}

}  // namespace vernium

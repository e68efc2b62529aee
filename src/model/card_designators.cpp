#include "model/card_designators.h"

#include "model/configuration.h"
#include "model/numeric_text.h"

namespace vernium {

namespace {

int DigitValue(std::string_view label, std::size_t pos) {
  return static_cast<int>(LeadingNumber(label.substr(pos, 1)));
}

}  // namespace

CardDesignators DesignatorsOf(bool sgc10, int channel) {
  if (sgc10) {
    if (channel % 2 != 0) return {"R44", "JP4", "JP3"};
    return {"R46", "JP5", "JP2"};
  }
  const std::string x = std::to_string(channel % 8 + 1);
  return {"R" + x + "44", "JP" + x + "04", "JP" + x + "03"};
}

std::int16_t CardChannelNumber(std::string_view label, std::string_view cardType) {
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

}  // namespace vernium

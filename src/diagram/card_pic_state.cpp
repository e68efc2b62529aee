#include "diagram/card_pic_state.h"

#include "model/configuration.h"
#include "platform/mouse_pointer.h"

namespace vernium {

int CardKindOf(std::string_view cardType) {
  return IsSgc50Family(cardType) ? 1 : 0;
}

CardPicState::CardPicState() {
  whichCard[0].caption = "SGC10";
  whichCard[1].caption = "SGC50";
  whichCard[2].caption = "SGC50A/SGC50B";
}

std::string CardPicInstruction(std::string_view cardType) {
  if (cardType == kSGC10) return "Make sure your SGC10 matches this diagram";
  if (cardType == kSGC50) return "Make sure your SGC50 matches this diagram";
  if (cardType == kSGC50A || cardType == kSGC50B) {
    return "Make sure your SGC50A/SGC50B matches this diagram";
  }
  return {};
}

void SelectCardOption(CardPicState& cardPic, std::string_view cardType) {
  int option = -1;
  if (cardType == kSGC10) option = 0;
  if (cardType == kSGC50) option = 1;
  if (cardType == kSGC50A || cardType == kSGC50B) option = 2;
  if (option < 0) return;
  for (int i = 0; i < 3; ++i) cardPic.whichCard[static_cast<std::size_t>(i)].value = i == option;
}

void ShowCardSettings(CardPicState& cardPic, const Configuration& config, MousePointer& pointer) {
  ClsWaitCursor wait(pointer);
  int chan = config.CurrentChannel;
  if (!ChannelTable::InBounds(chan)) chan = kFirstChannel;
  const ChannelConfig& channel = config.Channels[chan];
  // The card option chosen on the diagram decides the card kind; before any
  // is chosen, the channel's own card type does.
  int kind = CardKindOf(channel.CardType);
  if (cardPic.whichCard[0].value) kind = 0;
  if (cardPic.whichCard[1].value || cardPic.whichCard[2].value) kind = 1;
  const auto k = static_cast<std::size_t>(kind);
  cardPic.lblChanNumber.caption = channel.ChannelLabel;
  cardPic.FilterGainResistor[k].pressed = !IsTrue(channel.GainX2);
  cardPic.FilterShunt[k].pressed = IsTrue(channel.FilterOn);
  cardPic.CouplingShunt[k].pressed = IsTrue(channel.DCCoupled);
}

}  // namespace vernium

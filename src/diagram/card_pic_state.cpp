#include "diagram/card_pic_state.h"

#include "model/card_designators.h"
#include "model/configuration.h"
#include "model/numeric_text.h"
#include "platform/message_boxes.h"
#include "platform/mouse_pointer.h"

namespace vernium {

namespace {

namespace L = card_layout;

// The card's index on its base channel: the middle number of b-c-k.
int CardIndexOfLabel(std::string_view label) {
  const auto first = label.find('-');
  if (first == std::string_view::npos) return 0;
  return static_cast<int>(LeadingNumber(label.substr(first + 1)));
}

Placement Scaled(const CardPicState& s, double left, double top, double width, double height) {
  return {left * s.scaleX, top * s.scaleY, width * s.scaleX, height * s.scaleY};
}

// Puts the shunts, the resistor and their labels of one card kind at the
// place of the channel whose section starts at `x0`, with the shunts' tops at
// `top`.
void PlaceChannelControls(CardPicState& s, int kind, double x0, double top) {
  const auto k = static_cast<std::size_t>(kind);
  const double filterLeft = x0 + L::kFilterShuntOffset;
  const double labelHeight = 200;
  s.CouplingShunt[k].at = Scaled(s, x0, top, L::kShuntWidth, L::kShuntHeight);
  s.FilterShunt[k].at = Scaled(s, filterLeft, top, L::kShuntWidth, L::kShuntHeight);
  s.lblCouplingAcDc[k].at = Scaled(s, x0, top + L::kShuntHeight + 20, L::kShuntWidth, labelHeight);
  s.lblFilterOnOff[k].at =
      Scaled(s, filterLeft, top + L::kShuntHeight + 20, L::kShuntWidth, labelHeight);
  const double resistorTop = top + L::kShuntHeight + L::kResistorGap;
  s.FilterGainResistor[k].at = Scaled(s, x0, resistorTop, L::kResistorWidth, L::kResistorHeight);
  s.lblCouplingDesignator.at = Scaled(s, x0, top - labelHeight - 20, L::kShuntWidth, labelHeight);
  s.lblFilterDesignator.at =
      Scaled(s, filterLeft, top - labelHeight - 20, L::kShuntWidth, labelHeight);
  s.lblFilterGainDesignator.at =
      Scaled(s, x0, resistorTop + L::kResistorHeight + 20, L::kResistorWidth, labelHeight);
}

}  // namespace

int CardKindOf(std::string_view cardType) {
  return IsSgc50Family(cardType) ? 1 : 0;
}

CardPicState::CardPicState() {
  caption = "Card Diagram";
  whichCard[0].caption = "SGC10";
  whichCard[1].caption = "SGC50";
  whichCard[2].caption = "SGC50A/SGC50B";
  picSGC50.visible = false;
  for (std::size_t k = 0; k < 2; ++k) {
    lblCouplingAcDc[k].caption = "DC";
    lblFilterOnOff[k].caption = "Bypass";
  }
  for (int j = 0; j < 6; ++j) {
    cmdAddress[static_cast<std::size_t>(j)].caption = j < 3 ? "0" : "1";
  }
  cmdOK.caption = "&OK";
  cmdDone.caption = "&Done";
  cmdCancel.caption = "&Cancel";
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

int CurrentCardKind(const CardPicState& cardPic, const Configuration& config) {
  if (cardPic.whichCard[0].value) return 0;
  if (cardPic.whichCard[1].value || cardPic.whichCard[2].value) return 1;
  int chan = config.CurrentChannel;
  if (!ChannelTable::InBounds(chan)) chan = kFirstChannel;
  return CardKindOf(config.Channels[chan].CardType);
}

void CouplingShuntClick(CardPicState& cardPic, int kind) {
  const auto k = static_cast<std::size_t>(kind);
  cardPic.lblCouplingAcDc[k].caption = cardPic.CouplingShunt[k].pressed ? "DC" : "AC";
}

void FilterShuntClick(CardPicState& cardPic, int kind) {
  const auto k = static_cast<std::size_t>(kind);
  cardPic.lblFilterOnOff[k].caption = cardPic.FilterShunt[k].pressed ? "Filter" : "Bypass";
}

void ShowCardSettings(CardPicState& cardPic, const Configuration& config, MousePointer& pointer,
                      MessageBoxes& messages) {
  ClsWaitCursor wait(pointer);
  const int kind = CurrentCardKind(cardPic, config);
  const auto k = static_cast<std::size_t>(kind);
  int chan = config.CurrentChannel;
  if (!ChannelTable::InBounds(chan)) chan = kFirstChannel;
  const ChannelConfig& channel = config.Channels[chan];
  CardPicState& s = cardPic;

  s.lblChanNumber.caption = channel.ChannelLabel;

  // The base channel on the connector and the group of eight channels.
  const int b = chan / 16 - 1;
  s.picJP1[0].at = Scaled(s, L::kJP1ColumnLeft - 60, 2685.0 - 135.0 * b, 300, 110);
  s.picJP1[1].at = Scaled(s, 5250.0 + 106.0 * b, L::kJP1RowTop - 60, 90, 300);
  s.picUpperLowerShunt.at =
      Scaled(s, L::kUpperLowerLeft, chan % 16 < 8 ? 2070.0 : 2220.0, 150, 280);

  // The card's index on its base channel, one bit per address jumper.
  const int c = CardIndexOfLabel(channel.ChannelLabel);
  for (int j = 0; j < 3; ++j) {
    const double left = L::kAddressLeft + L::kAddressPitch * j;
    s.cmdAddress[static_cast<std::size_t>(j)].at =
        Scaled(s, left, L::kAddressTop, L::kAddressSize, L::kAddressSize);
    s.cmdAddress[static_cast<std::size_t>(j + 3)].at =
        Scaled(s, left, L::kAddressTop + L::kAddressSetOffset, L::kAddressSize, L::kAddressSize);
  }
  if (c >= 8) {
    messages.Show(kInvalidChannel, kAppTitle, MsgIcon::Critical, MsgButtons::OK);
  } else {
    for (int j = 0; j < 3; ++j) {
      const bool set = ((c >> j) & 1) != 0;
      s.cmdAddress[static_cast<std::size_t>(j)].visible = !set;
      s.cmdAddress[static_cast<std::size_t>(j + 3)].visible = set;
    }
  }

  // The designators, and the shunts moved to the channel's place.
  const CardDesignators designators = DesignatorsOf(kind == 0, chan);
  s.lblFilterGainDesignator.caption = designators.filterGainResistor;
  s.lblFilterDesignator.caption = designators.filterJumper;
  s.lblCouplingDesignator.caption = designators.couplingJumper;
  if (kind == 0) {
    const bool odd = chan % 2 != 0;
    s.placeOnCard = odd ? 1 : 0;
    PlaceChannelControls(s, 0, L::kSgc10SectionLeft[odd ? 1u : 0u], L::kSgc10ShuntTop);
  } else {
    s.placeOnCard = chan % 8;
    PlaceChannelControls(s, 1, L::kSgc50DetailLeft, L::kSgc50ShuntTop);
  }

  s.FilterGainResistor[k].pressed = !IsTrue(channel.GainX2);
  s.FilterShunt[k].pressed = IsTrue(channel.FilterOn);
  s.CouplingShunt[k].pressed = IsTrue(channel.DCCoupled);
  // Setting a drawn button's state runs its click, so the labels follow.
  CouplingShuntClick(s, kind);
  FilterShuntClick(s, kind);
}

}  // namespace vernium

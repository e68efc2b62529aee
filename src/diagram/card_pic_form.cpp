#include "diagram/card_pic_form.h"

#include "model/configuration.h"
#include "platform/mouse_pointer.h"

namespace vernium {

CardPicForm::CardPicForm(Configuration& config, CardPicState& state, MessageBoxes& messages,
                         MousePointer& pointer)
    : config_(config), s_(state), messages_(messages), pointer_(pointer) {}

ChannelConfig& CardPicForm::Channel() {
  const int chan = ChannelTable::InBounds(config_.CurrentChannel) ? config_.CurrentChannel
                                                                   : kFirstChannel;
  return config_.Channels[chan];
}

void CardPicForm::Activate(double scaleX, double scaleY) {
  closeRequested = false;
  s_.scaleX = scaleX;
  s_.scaleY = scaleY;
  const std::string& cardType = Channel().CardType;
  int option = -1;
  if (cardType == kSGC10) option = 0;
  if (cardType == kSGC50) option = 1;
  if (cardType == kSGC50A || cardType == kSGC50B) option = 2;
  if (option >= 0) {
    for (int i = 0; i < 3; ++i) {
      auto& button = s_.whichCard[static_cast<std::size_t>(i)];
      button.value = i == option;
      button.visible = i == option;
    }
    WhichCardClick(option);
  }
  ShowCardSettings();
}

void CardPicForm::WhichCardClick(int index) {
  if (index < 0 || index > 2) return;
  for (int i = 0; i < 3; ++i) s_.whichCard[static_cast<std::size_t>(i)].value = i == index;
  s_.picSGC10.visible = index == 0;
  s_.picSGC50.visible = index != 0;
}

void CardPicForm::CouplingShuntClick(int kind) {
  auto& button = s_.CouplingShunt[static_cast<std::size_t>(kind)];
  button.pressed = !button.pressed;
  vernium::CouplingShuntClick(s_, kind);
}

void CardPicForm::FilterShuntClick(int kind) {
  auto& button = s_.FilterShunt[static_cast<std::size_t>(kind)];
  button.pressed = !button.pressed;
  vernium::FilterShuntClick(s_, kind);
}

void CardPicForm::FilterGainResistorClick(int kind) {
  auto& button = s_.FilterGainResistor[static_cast<std::size_t>(kind)];
  button.pressed = !button.pressed;
}

void CardPicForm::AcceptDrawing() {
  const int kind = CurrentCardKind(s_, config_);
  const auto k = static_cast<std::size_t>(kind);
  ChannelConfig& channel = Channel();
  channel.Active = kTrue16;
  config_.NoCardsFlag = kFalse16;
  {
    ClsWaitCursor wait(pointer_);
    channel.FilterOn = ToBool16(s_.FilterShunt[k].pressed);
    channel.DCCoupled = ToBool16(s_.CouplingShunt[k].pressed);
    channel.GainX2 = ToBool16(!s_.FilterGainResistor[k].pressed);
  }
  ShowCardSettings();
}

void CardPicForm::OKClick() {
  AcceptDrawing();
}

void CardPicForm::DoneClick() {
  AcceptDrawing();
}

void CardPicForm::CancelClick() {
  closeRequested = true;
}

void CardPicForm::ShowCardSettings() {
  vernium::ShowCardSettings(s_, config_, pointer_, messages_);
}

}  // namespace vernium

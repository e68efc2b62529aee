#pragma once
// The card diagram window's handlers: activation (the card option of the
// channel's card type, the controls laid out for the screen, the settings
// shown), the card options, the drawn shunts and resistor, OK and Done
// (the drawing accepted into the channel record; the window stays open) and
// Cancel.

#include "diagram/card_pic_state.h"

namespace vernium {

struct ChannelConfig;
struct Configuration;
class MessageBoxes;
class MousePointer;

class CardPicForm {
 public:
  CardPicForm(Configuration& config, CardPicState& state, MessageBoxes& messages,
              MousePointer& pointer);

  CardPicState& state() { return s_; }
  const CardPicState& state() const { return s_; }

  // ---- handlers ----
  void Activate(double scaleX, double scaleY);
  void WhichCardClick(int index);
  void CouplingShuntClick(int kind);
  void FilterShuntClick(int kind);
  void FilterGainResistorClick(int kind);
  void OKClick();
  void DoneClick();
  void CancelClick();
  void ShowCardSettings();

  // Set by Cancel: the window is to close.
  bool closeRequested = false;

 private:
  void AcceptDrawing();
  // The current channel's record (the first card channel's while the current
  // channel is none).
  ChannelConfig& Channel();

  Configuration& config_;
  CardPicState& s_;
  MessageBoxes& messages_;
  MousePointer& pointer_;
};

}  // namespace vernium

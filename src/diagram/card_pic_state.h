#pragma once
// The card diagram's controls that other windows set before or without
// showing it: the instruction line, the card option buttons and the drawn
// filter-gain resistors. The card diagram window builds on this state.

#include <array>
#include <string>
#include <string_view>

#include "platform/controls.h"

namespace vernium {

struct Configuration;
class MousePointer;

// A drawn two-state button on the card picture (a shunt or the resistor).
struct ShuntButton : Control {
  bool pressed = false;
};

// Index of the card diagram's control arrays: 0 for the SGC10, 1 for the
// SGC50 family.
int CardKindOf(std::string_view cardType);

struct CardPicState {
  CardPicState();

  Label lblInstruction;                           // "Make sure your ... matches this diagram"
  std::array<OptionButton, 3> whichCard;          // 0 "SGC10", 1 "SGC50", 2 SGC50A/SGC50B
  std::array<ShuntButton, 2> FilterGainResistor;  // pressed = resistor removed (gain X1)
  std::array<ShuntButton, 2> FilterShunt;         // pressed = filter on
  std::array<ShuntButton, 2> CouplingShunt;       // pressed = DC
  Label lblChanNumber;                            // the channel's b-c-k label
};

// The instruction line for a card type ("Make sure your SGC10 matches this
// diagram", ...); empty for a text that is no card type.
std::string CardPicInstruction(std::string_view cardType);

// Selects the card option of a grid row's card type (SGC10 0, SGC50 1,
// SGC50A and SGC50B 2); other texts change nothing.
void SelectCardOption(CardPicState& cardPic, std::string_view cardType);

// Shows the current channel's label and its filter, filter-gain and coupling
// settings on the drawing. (The address jumpers, markers and designators are
// the card diagram window's own.)
void ShowCardSettings(CardPicState& cardPic, const Configuration& config, MousePointer& pointer);

}  // namespace vernium

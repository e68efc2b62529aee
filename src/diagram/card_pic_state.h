#pragma once
// The card diagram "CardPic": the strain-gage card of the current channel
// with the address jumpers that place it on its base channel, the base
// channel and channel-group markers on its connector, the coupling and filter
// shunts and the filter-gain resistor with the designators printed on the
// board. The main window and the coupling and filter changes set this state
// before (or without) showing the window; the window shows it.
//
// Positions are in twips on the window, already multiplied by the screen's
// scale factors; the Qt window turns them into pixels.

#include <array>
#include <string>
#include <string_view>

#include "platform/controls.h"

namespace vernium {

struct Configuration;
class MessageBoxes;
class MousePointer;

// Where a control sits on the drawing, in twips.
struct Placement {
  double left = 0.0;
  double top = 0.0;
  double width = 0.0;
  double height = 0.0;
};

// A drawn two-state button on the card picture (a shunt or the resistor).
struct ShuntButton : Control {
  bool pressed = false;
  Placement at;
};

struct PlacedLabel : Label {
  Placement at;
};

// A marker drawn over a header on the card (a jumper shunt in its place).
struct Marker : Control {
  Placement at;
};

struct AddressJumper : Button {
  Placement at;
};

// Index of the card diagram's control arrays: 0 for the SGC10, 1 for the
// SGC50 family.
int CardKindOf(std::string_view cardType);

inline constexpr std::string_view kInvalidChannel = "Invalid channel ";

struct CardPicState {
  CardPicState();

  std::string caption;                            // the window's caption
  Label lblInstruction;                           // "Make sure your ... matches this diagram"
  std::array<OptionButton, 3> whichCard;          // 0 "SGC10", 1 "SGC50", 2 SGC50A/SGC50B
  Picture picSGC10, picSGC50;                     // the two card drawings
  std::array<ShuntButton, 2> FilterGainResistor;  // pressed = resistor removed (gain X1)
  std::array<ShuntButton, 2> FilterShunt;         // pressed = filter on
  std::array<ShuntButton, 2> CouplingShunt;       // pressed = DC
  std::array<PlacedLabel, 2> lblCouplingAcDc;     // "AC" / "DC"
  std::array<PlacedLabel, 2> lblFilterOnOff;      // "Filter" / "Bypass"
  PlacedLabel lblCouplingDesignator, lblFilterDesignator, lblFilterGainDesignator;
  Label lblChanNumber;                            // the channel's b-c-k label
  std::array<Marker, 2> picJP1;                   // base channel on the connector
  Marker picUpperLowerShunt;                      // first or second eight channels
  std::array<AddressJumper, 6> cmdAddress;        // jumper j: j bit clear, j + 3 bit set
  Button cmdOK, cmdDone, cmdCancel;

  // The screen's twips per pixel divided by 15, read when the window is
  // activated.
  double scaleX = 1.0;
  double scaleY = 1.0;
  // Which channel's place on the card the designators and shunts show: 0 or
  // 1 (even, odd) on the SGC10, 0 to 7 on an SGC50-family card.
  int placeOnCard = 0;
};

// Design positions, in twips at a scale of 1.
namespace card_layout {
inline constexpr double kBoardLeft = 240, kBoardTop = 480, kBoardRight = 7200, kBoardBottom = 3480;
// SGC10: the even channel's circuit on the left, the odd one's beside it.
inline constexpr std::array<double, 2> kSgc10SectionLeft{420, 1920};
// SGC50 family: eight narrow channel strips across the top, the settings of
// the current channel in a detail block below them.
inline constexpr double kSgc50StripLeft = 420, kSgc50StripWidth = 372;
inline constexpr double kSgc50DetailLeft = 900;
inline constexpr double kSgc10ShuntTop = 1560, kSgc50ShuntTop = 1980;
inline constexpr double kShuntWidth = 480, kShuntHeight = 300, kFilterShuntOffset = 720;
inline constexpr double kResistorGap = 540, kResistorWidth = 1200, kResistorHeight = 240;
// The card's address header: three jumpers, each a bit of the card index.
inline constexpr double kAddressLeft = 3660, kAddressPitch = 300, kAddressTop = 780,
                        kAddressSetOffset = 240, kAddressSize = 210;
// The base-channel markers: one along a column of sixteen pins, one along a
// row of sixteen pins, and the two-position group shunt.
inline constexpr double kJP1ColumnLeft = 4920, kJP1RowTop = 3000;
inline constexpr double kUpperLowerLeft = 4440;
inline constexpr double kCanvasWidth = 7440, kCanvasHeight = 3720;
}  // namespace card_layout

// The instruction line for a card type ("Make sure your SGC10 matches this
// diagram", ...); empty for a text that is no card type.
std::string CardPicInstruction(std::string_view cardType);

// Selects the card option of a grid row's card type (SGC10 0, SGC50 1,
// SGC50A and SGC50B 2); other texts change nothing.
void SelectCardOption(CardPicState& cardPic, std::string_view cardType);

// The card kind the diagram shows: the selected card option's, or with none
// selected the current channel's card type's.
int CurrentCardKind(const CardPicState& cardPic, const Configuration& config);

// Shows the current channel on the drawing: its label, the base channel and
// group markers, the card's index on the address jumpers (a message for an
// index of 8 or more), the designators of its coupling jumper, filter jumper
// and filter-gain resistor in that channel's place, and the shunts and
// resistor as the channel record has them.
void ShowCardSettings(CardPicState& cardPic, const Configuration& config, MousePointer& pointer,
                      MessageBoxes& messages);

// The labels beside the shunts follow their buttons: "DC"/"AC",
// "Filter"/"Bypass".
void CouplingShuntClick(CardPicState& cardPic, int kind);
void FilterShuntClick(CardPicState& cardPic, int kind);

}  // namespace vernium

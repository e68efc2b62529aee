#pragma once
// The calibration wizard's controls. They outlive the wizard's window
// because the application-parameter form writes the method's directions into
// lblDirections before the wizard first shows, and the wizard shows them
// until the technician presses Next.

#include <array>
#include <cstdint>
#include <string>

#include "model/card_designators.h"
#include "platform/controls.h"

namespace vernium {

// A picture placed by its top-left corner, in twips.
struct PlacedPicture : Control {
  double left = 0.0;
  double top = 0.0;
  double width = 0.0;
  double height = 0.0;
};

// The card pictures: 0 and 1 the SGC10 card for its even and odd channel,
// 2 the SGC50-family card.
inline constexpr int kPicSgc10Even = 0;
inline constexpr int kPicSgc10Odd = 1;
inline constexpr int kPicSgc50 = 2;

// The highlight marker over a trimpot, in twips.
inline constexpr double kMarkerSizeTwips = 195.0;

// What the card picture shown names of the channel: the card's type, the
// designators of the channel's jumpers and filter-gain resistor beside its
// trimpots, and on the SGC10 those of the card's other channel beside its
// own. On the SGC50 family every part carries the channel's place x on the
// card (Rx44, JPx04): `partPrefix` is that x; empty on the SGC10.
struct CardPictureTexts {
  std::string cardType;
  CardDesignators channel;
  CardDesignators otherChannel;
  std::string partPrefix;
  bool operator==(const CardPictureTexts&) const = default;
};

struct CalibratorState {
  CalibratorState();

  std::string caption;  // "Calibration", then "Adjusting Channel " + label
  Frame fraCalibrator;  // "Potentiometer", then the step title
  std::array<Picture, 3> picPots;
  std::array<PlacedPicture, 3> picPotOn;  // each lies on picPots of its index
  PlacedPicture lblOverlayChan;           // on the SGC50 picture
  std::string lblOverlayChanCaption;      // "CHANNEL 16"
  CardPictureTexts picPotsTexts;          // names drawn on the picture shown
  Frame fraSetting;                       // "Setting Adjustment"
  Label Label3, lblgage, lblVolts;        // "Channel Value", reading, "Volts"
  Label Label1, lblTarget, Label2;        // "Target", target, "Volts"
  Frame fraInstructions;                  // "Instructions"
  Label lblDirections;
  // At the completion, what the calibration reached: the gains and the
  // offset measured against those calculated, the scaling line y = M x + B
  // recorded and the line the scaling file will carry for the channel.
  Label lblSummary;
  Label lblStep;  // "Step 3 of 6" while stepping; empty before the first step
  Button cmdPrevious, cmdNext, cmdExitMain;
  Button cmdVerify;  // at the completion: checks the channel with known loads
  Timer tmrGage;

  std::int16_t WizardStep = 0;
};

}  // namespace vernium

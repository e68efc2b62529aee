#pragma once
// The application-parameter form's state that the main window fills before
// showing it: the calibration method options and the eleven text boxes. The
// parameter window builds on this state.

#include <array>

#include "platform/controls.h"

namespace vernium {

struct Configuration;
struct Grid;
class MousePointer;

inline constexpr int kMethodNameplate = 0;
inline constexpr int kMethodTwoPoint = 1;
inline constexpr int kMethodShuntCal = 2;

struct PreCalState {
  PreCalState();

  std::array<OptionButton, 3> optCalMethod;  // Nameplate, Two Point, Shunt Cal
  TextBox txtExcite;
  TextBox txtSense;
  TextBox txtUnits;
  TextBox txtFullLoad;
  TextBox txtMaxLoad;
  TextBox txtOffset;
  TextBox txtPnt1mVolts;
  TextBox txtPnt1Value;
  TextBox txtPnt2mVolts;
  TextBox txtPnt2Value;
  TextBox txtShuntCalValue;

  // The method whose option is on.
  int SelectedMethod() const;
};

// Switches exactly the option `index` on.
void SwitchMethodOption(PreCalState& preCal, int index);

// Fills the form's text boxes from the record of channel `chan`. A base
// channel number (0..15) stands for the channel of the grid's selected row.
// The hourglass shows while the boxes are filled.
void LoadParameterForm(const Configuration& config, const Grid& grdChannel, PreCalState& preCal,
                       MousePointer& pointer, int chan);

}  // namespace vernium

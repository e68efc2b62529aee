#pragma once
// The application-parameter window's controls. The main window fills the
// method options and the eleven text boxes before showing it, and the wizard
// reads the boxes, so the state lives in the session.

#include <array>

#include "platform/controls.h"

namespace vernium {

struct ChannelConfig;
struct Configuration;
struct Grid;
class MousePointer;

inline constexpr int kMethodNameplate = 0;
inline constexpr int kMethodTwoPoint = 1;
inline constexpr int kMethodShuntCal = 2;
// "Nameplate", "Two Point" or "Shunt Cal".
std::string MethodName(int method);

struct PreCalState {
  PreCalState();

  std::string caption;
  Frame Frame3D2;                            // "Calibration Method"
  Frame fraTwoPoint;                         // "Application parameters"
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

  // Captions beside the fields; each follows its field's enabled state.
  Label lblExcite, lblSense, lblUnitsCaption, lblFullLoad, lblMaxLoad, lblOffset;
  Label lblPnt1mVolts, lblPnt1Value, lblPnt2mVolts, lblPnt2Value, lblShuntCalValue;
  Label lblExciteUnit;  // "Volts"
  Label lblSenseUnit;   // "mV/V"
  // The units text beside the full load, maximum load, tare, point values
  // and shunt value.
  std::array<Label, 5> lblUnits;
  Button cmdContinue;
  Button cmdAnyCalCancel;
  // The sensor library: fill the fields from a saved sensor, or keep them
  // as one (disabled when there is nowhere to keep sensors).
  Button cmdSensors;
  Button cmdSaveSensor;
  // "Show calculation": the headroom planner under the fields, closed at
  // first; it stays as the technician leaves it until the program ends.
  CheckBox chkShowCalculation;

  // The method whose option is on.
  int SelectedMethod() const;
};

// The entries as typed, put into a channel record the way Continue stores
// them (each box's leading number; the sensitivity and the point outputs
// from millivolts to volts).
void EntriesInto(const PreCalState& preCal, ChannelConfig& record);

// Continue's first check of the entries, before any arithmetic: a numeric
// field holding nothing but a decimal point ("Please enter valid data.",
// the focus to txtExcite), then an empty maximum load, tare or shunt value
// (" Please enter valid data.").
enum class EntryCheck { Usable, LoneDecimalPoint, EmptyEntry };
EntryCheck CheckEntries(const PreCalState& preCal);

// The shunt output Continue checks: v = 5 (S - T) / (M - T), the volts the
// shunt load gives at the acquisition input once the span fills 5 V, from
// the shunt value S, tare T and maximum load M. With S - T and M - T both 0
// v is 0; a maximum load not above the tare gives no v. `outOfRange` as
// Continue refuses it: below -5 V for every method, above 5 V for Shunt Cal.
struct ShuntOutput {
  bool maxAboveTare = true;
  double v = 0.0;
  bool outOfRange = false;
};
ShuntOutput CheckShuntOutput(double shunt, double tare, double maxLoad, int method);

// Switches exactly the option `index` on.
void SwitchMethodOption(PreCalState& preCal, int index);

// Fills the form's text boxes from the record of channel `chan`. A base
// channel number (0..15) stands for the channel of the grid's selected row.
// The hourglass shows while the boxes are filled.
void LoadParameterForm(const Configuration& config, const Grid& grdChannel, PreCalState& preCal,
                       MousePointer& pointer, int chan);

}  // namespace vernium

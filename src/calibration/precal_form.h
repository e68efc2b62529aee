#pragma once
// The application-parameter window "PreCal": the technician picks how the
// strain gage is described (Nameplate, Two Point, Shunt Cal) and enters the
// application's parameters; Continue checks them, gives the jumper advice,
// stores them in the channel's record, computes the target gains and opens
// the calibration wizard. The form runs every handler, the numeric fields'
// included, on the window's state (PreCalState), which the main window also
// fills from the selected channel's record.

#include <string>
#include <string_view>

#include "calibration/precal_state.h"
#include "model/configuration.h"
#include "platform/controls.h"

namespace vernium {

class MessageBoxes;
class MousePointer;
class SensorLibrary;
class WindowOpener;
struct Sensor;

inline constexpr std::string_view kDataValidationTitle = "Data Validation Error";

// The directions of each method, as the wizard shows them before its first
// step. `card` is the card type of the grid's selected row.
std::string MethodDirections(int method, std::string_view card);

class PreCalForm {
 public:
  // `wizardDirections` is the wizard's lblDirections: choosing a method
  // writes that method's directions there, and the wizard shows them before
  // its first step.
  PreCalForm(Configuration& config, PreCalState& state, Label& wizardDirections,
             const Grid& grdChannel, MessageBoxes& messages, MousePointer& pointer,
             WindowOpener& windows);

  PreCalState& state() { return s_; }
  const PreCalState& state() const { return s_; }

  // ---- handlers ----
  void Activate();  // each time the window shows
  void SelectMethod(int index);
  void MethodClick(int index) { SelectMethod(index); }
  void ContinueClick();
  void AnyCalCancelClick();
  // "Show calculation" clicked: the planner opens or closes.
  void ShowCalculationClick();
  // The headroom planner's text for the entries as they stand (nothing is
  // stored).
  std::string CalculationText() const;
  void StoreAppParams(int channel);

  // The numeric fields and txtUnits, by control name.
  void FieldGotFocus(std::string_view name);
  // True when the typed character may enter the field.
  bool FieldKeyPress(std::string_view name, int keyCode);
  // True when the key should sound the beep (Enter).
  bool FieldKeyDown(std::string_view name, int keyCode);
  void FieldLostFocus(std::string_view name);

  // The text box of that name, or nullptr.
  TextBox* Field(std::string_view name);

  // ---- the sensor library ----
  // Where sensors are kept (none: Sensors... and Save as Sensor... are
  // disabled).
  void SetSensorLibrary(SensorLibrary* library) { sensors_ = library; }
  SensorLibrary* Sensors() const { return sensors_; }
  void SensorsClick();
  void SaveSensorClick();
  // What the sensor window was last opened for: to save the fields.
  bool SavingSensor() const { return savingSensor_; }
  // The sensor's fields as they are entered (name and serial number empty).
  Sensor EnteredSensor() const;
  // Types the sensor's entries into the fields the method lets the
  // technician type in, each through its key filter, then leaves the field
  // (its range check or the units rule runs).
  void FillFromSensor(const Sensor& sensor);

  // The control that is to get the focus after a handler ("" none); the
  // window moves the focus there and clears it.
  std::string focusRequest;

 private:
  void ApplyFieldStates(int method);
  void ShowUnits(const std::string& units);
  std::string JumperAdvice(int p) const;

  Configuration& config_;
  PreCalState& s_;
  Label& wizardDirections_;
  const Grid& grdChannel_;
  MessageBoxes& messages_;
  MousePointer& pointer_;
  WindowOpener& windows_;
  SensorLibrary* sensors_ = nullptr;
  bool savingSensor_ = false;
};

}  // namespace vernium

#pragma once
// The sensor library window "frmSensors", opened from the application
// parameter window: "Sensors..." lists the saved sensors and Use fills the
// parameter fields from the one chosen, as if its entries were typed there
// (only the fields the method lets the technician type in, each held to its
// range on leaving); "Save as Sensor..." keeps the fields as entered under a
// name and serial number. Delete removes a saved sensor.

#include <string>
#include <vector>

#include "calibration/sensor_library.h"
#include "platform/controls.h"

namespace vernium {

class MessageBoxes;
class PreCalForm;

// Columns of grdSensors (row 0 the headers).
inline constexpr int kSensorColName = 1;
inline constexpr int kSensorCols = 8;

struct SensorState {
  std::string caption;
  Grid grdSensors;
  Label lblSensorName;
  TextBox txtSensorName;
  Label lblSerialNumber;
  TextBox txtSerialNumber;
  Label lblEntries;  // saving: the entries that will be kept
  Button cmdUse;
  Button cmdSave;
  Button cmdDelete;
  Button cmdClose;
};

class SensorForm {
 public:
  SensorForm(SensorLibrary& library, PreCalForm& preCal, MessageBoxes& messages);

  SensorState& state() { return s_; }
  const SensorState& state() const { return s_; }

  // ---- handlers ----
  void Load();  // each time the window shows, as the parameter window asked
  void GridClick(int row);
  void UseClick();
  void SaveClick();
  void DeleteClick();
  void CloseClick() { closeRequested = true; }
  bool closeRequested = false;

 private:
  void Fill();
  const Sensor* Selected() const;

  SensorLibrary& library_;
  PreCalForm& preCal_;
  MessageBoxes& messages_;
  SensorState s_;
  std::vector<Sensor> sensors_;
  bool saving_ = false;
};

}  // namespace vernium

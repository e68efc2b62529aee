#include "calibration/sensor_form.h"

#include <algorithm>

#include "calibration/precal_form.h"
#include "platform/message_boxes.h"

namespace vernium {
namespace {

constexpr std::string_view kSensorsTitle = "Sensors";

}  // namespace

SensorForm::SensorForm(SensorLibrary& library, PreCalForm& preCal, MessageBoxes& messages)
    : library_(library), preCal_(preCal), messages_(messages) {
  s_.lblSensorName.caption = "Name:";
  s_.lblSerialNumber.caption = "Serial number:";
  s_.cmdUse.caption = "&Use Sensor";
  s_.cmdSave.caption = "&Save";
  s_.cmdDelete.caption = "&Delete";
  s_.cmdClose.caption = "&Close";
  s_.grdSensors.Resize(1, kSensorCols);
  s_.grdSensors.cells[0] = {"",
                            "Name",
                            "Serial number",
                            "Excitation (V)",
                            "Sensitivity (mV/V)",
                            "Full rated load",
                            "Units",
                            "Shunt cal value"};
  s_.grdSensors.colWidthsTwips = {400, 2000, 1600, 1400, 1800, 1600, 1000, 1600};
}

void SensorForm::Load() {
  closeRequested = false;
  saving_ = preCal_.SavingSensor();
  s_.caption = saving_ ? "Save as Sensor" : "Sensors";
  s_.txtSensorName.text.clear();
  s_.txtSerialNumber.text.clear();
  for (Control* c :
       {static_cast<Control*>(&s_.lblSensorName), static_cast<Control*>(&s_.txtSensorName),
        static_cast<Control*>(&s_.lblSerialNumber), static_cast<Control*>(&s_.txtSerialNumber),
        static_cast<Control*>(&s_.lblEntries), static_cast<Control*>(&s_.cmdSave)}) {
    c->visible = saving_;
  }
  s_.cmdUse.visible = !saving_;
  const Sensor entered = preCal_.EnteredSensor();
  s_.lblEntries.caption = "Excitation " + entered.excitation + " V, sensitivity " +
                          entered.sensitivity + " mV/V, full rated load " + entered.fullLoad + " " +
                          entered.units + ", shunt cal value " + entered.shuntCalValue;
  sensors_ = library_.Sensors();
  Fill();
}

void SensorForm::Fill() {
  Grid& grid = s_.grdSensors;
  grid.Resize(static_cast<int>(sensors_.size()) + 1, kSensorCols);
  for (std::size_t i = 0; i < sensors_.size(); ++i) {
    const Sensor& s = sensors_[i];
    grid.cells[i + 1] = {std::to_string(i + 1), s.name,     s.serialNumber, s.excitation,
                         s.sensitivity,         s.fullLoad, s.units,        s.shuntCalValue};
  }
  grid.row = grid.rowSel = 0;
  GridClick(0);
}

const Sensor* SensorForm::Selected() const {
  const int row = s_.grdSensors.row;
  if (row < 1 || row > static_cast<int>(sensors_.size())) return nullptr;
  return &sensors_[static_cast<std::size_t>(row - 1)];
}

void SensorForm::GridClick(int row) {
  s_.grdSensors.row = s_.grdSensors.rowSel = row >= 1 && row < s_.grdSensors.Rows() ? row : 0;
  const Sensor* sensor = Selected();
  s_.cmdUse.enabled = sensor != nullptr;
  s_.cmdDelete.enabled = sensor != nullptr;
  // Saving over a sensor already kept starts from its name and number.
  if (saving_ && sensor != nullptr) {
    s_.txtSensorName.text = sensor->name;
    s_.txtSerialNumber.text = sensor->serialNumber;
  }
}

void SensorForm::UseClick() {
  const Sensor* sensor = Selected();
  if (sensor == nullptr) return;
  const Sensor chosen = *sensor;
  closeRequested = true;
  preCal_.FillFromSensor(chosen);
}

void SensorForm::SaveClick() {
  Sensor sensor = preCal_.EnteredSensor();
  sensor.name = s_.txtSensorName.text;
  sensor.serialNumber = s_.txtSerialNumber.text;
  const auto blank = sensor.name.find_first_not_of(' ') == std::string::npos;
  if (blank) {
    messages_.Show("Enter a name for the sensor.", kSensorsTitle, MsgIcon::Information,
                   MsgButtons::OK);
    return;
  }
  const bool known = std::any_of(sensors_.begin(), sensors_.end(),
                                 [&](const Sensor& s) { return s.name == sensor.name; });
  if (known &&
      messages_.Show("A sensor named " + sensor.name + " is already saved. Replace it?",
                     kSensorsTitle, MsgIcon::Question, MsgButtons::YesNo) != MsgAnswer::Yes) {
    return;
  }
  if (library_.SaveSensor(sensor)) closeRequested = true;
}

void SensorForm::DeleteClick() {
  const Sensor* sensor = Selected();
  if (sensor == nullptr) return;
  if (messages_.Show("Delete the sensor " + sensor->name + "?", kSensorsTitle, MsgIcon::Question,
                     MsgButtons::YesNo) != MsgAnswer::Yes) {
    return;
  }
  if (library_.RemoveSensor(sensor->name)) {
    sensors_ = library_.Sensors();
    Fill();
  }
}

}  // namespace vernium

#pragma once
// The sensor library: load cells and strain gages the technician has saved
// from the application parameter window, each with the entries that describe
// it there. The parameter window fills its fields from one; where they are
// kept is not its business (the history database keeps them between runs).

#include <string>
#include <vector>

namespace vernium {

// A saved sensor. The numbers are the field texts as they were entered
// (sensitivity in mV/V, as typed); choosing the sensor types them again.
struct Sensor {
  std::string name;
  std::string serialNumber;
  std::string excitation;
  std::string sensitivity;
  std::string fullLoad;
  std::string units;
  std::string shuntCalValue;
};

class SensorLibrary {
 public:
  virtual ~SensorLibrary() = default;
  // False when there is nowhere to keep sensors (no data folder).
  virtual bool Available() const = 0;
  // The sensors, by name. A library that cannot be read has said why and
  // gives none.
  virtual std::vector<Sensor> Sensors() = 0;
  // Saves the sensor, replacing the one of the same name. False when it
  // could not be written (said why).
  virtual bool SaveSensor(const Sensor& sensor) = 0;
  virtual bool RemoveSensor(const std::string& name) = 0;
};

}  // namespace vernium

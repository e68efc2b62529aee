#pragma once
// What one run of Vernium holds for its whole length: the configuration, the
// acquisition library and the opened device, the counts-to-volts functions,
// the software delay and the wizard's scan list, plus the state of the
// windows that the main window fills before showing them. Every window's
// form gets the session and the services it uses passed in.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

#include "acquisition/acq_lib.h"
#include "calibration/precal_state.h"
#include "calibration/xfer_func.h"
#include "diagram/card_pic_state.h"
#include "model/configuration.h"

namespace vernium {

class MessageBoxes;
class MousePointer;
class WindowOpener;
class HelpViewer;
class ConfigurationPrinter;

// The ways the program reaches outside itself.
struct Services {
  MessageBoxes& messages;
  MousePointer& pointer;
  WindowOpener& windows;
  HelpViewer& help;
  ConfigurationPrinter& printer;
};

class Session {
 public:
  // `library` is the acquisition library the program talks to (owned by
  // main(), the simulated unit unless another is plugged in); it becomes
  // AcqObject when the main window loads.
  explicit Session(AcqLibObject& library) : library_(&library) {}

  Configuration config;

  // The process-wide objects: they exist from the main window's load to its
  // unload (AcqObject null and the optionals empty outside that span).
  AcqLibObject* AcqObject = nullptr;
  std::shared_ptr<const AcqDevice> Device;  // the device opened by the selection
  std::int16_t DeviceSelState = 0;  // 0 undecided, 1 chosen, 2 cancelled
  std::optional<clsXferFunc> UnsignedCountsToVolts;
  std::optional<clsXferFunc> SignedCountsToVolts;

  // Where the scaling file is written at exit.
  std::filesystem::path scalingFileDirectory = std::filesystem::current_path();

  // Windows the main window fills before showing them.
  PreCalState preCal;
  CardPicState cardPic;

  AcqLibObject& Library() const { return *library_; }
  const AcqDevice* OpenDevice() const { return Device.get(); }

 private:
  AcqLibObject* library_;
};

}  // namespace vernium

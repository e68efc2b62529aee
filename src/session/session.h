#pragma once
// What one run of Vernium holds for its whole length and every window reads:
// the configuration, the acquisition library and the opened device, the
// counts-to-volts functions, the software delay, the wizard's scan list and
// where the scaling file goes. The windows' own states belong to the windows;
// where one window fills another's, the program passes that state to both
// when it puts the windows together.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

#include "acquisition/acq_lib.h"
#include "acquisition/gauge_acquisition.h"
#include "acquisition/sw_delay.h"
#include "calibration/xfer_func.h"
#include "model/configuration.h"
#include "platform/clock.h"

namespace vernium {

class Session {
 public:
  // `library` is the acquisition library the program talks to (owned by
  // main(), the simulated unit unless another is plugged in); it becomes
  // AcqObject when the main window loads. `clock` is what the software delay
  // calibrates itself against; without one the machine's clock is used.
  explicit Session(AcqLibObject& library) : library_(&library), clock_(&systemClock_) {}
  Session(AcqLibObject& library, const Clock& clock) : library_(&library), clock_(&clock) {}
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  Configuration config;

  // The process-wide objects: they exist from the main window's load to its
  // unload (AcqObject null and the optionals empty outside that span).
  AcqLibObject* AcqObject = nullptr;
  std::shared_ptr<const AcqDevice> Device;  // the device opened by the selection
  std::int16_t DeviceSelState = 0;          // 0 undecided, 1 chosen, 2 cancelled
  std::optional<clsXferFunc> UnsignedCountsToVolts;
  std::optional<clsXferFunc> SignedCountsToVolts;
  // The software delay times itself against the clock for a second or two
  // when it is made, so it is made on first use (UseSwDelay) rather than
  // holding up the start; it is released with the other objects.
  std::optional<clsSwDelay> SwDelay;
  // The wizard's scan list; its flags are set when the main window loads.
  ::vernium::GageScanList GageScanList;

  // Where the scaling file is written at exit.
  std::filesystem::path scalingFileDirectory = std::filesystem::current_path();

  AcqLibObject& Library() const { return *library_; }
  const Clock& SystemTime() const { return *clock_; }
  clsSwDelay& UseSwDelay() {
    if (!SwDelay) SwDelay.emplace(*clock_);
    return *SwDelay;
  }
  const AcqDevice* OpenDevice() const { return Device.get(); }

 private:
  AcqLibObject* library_;
  SystemClock systemClock_;
  const Clock* clock_;
};

}  // namespace vernium

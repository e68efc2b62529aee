#pragma once
// clsSwDelay: a busy wait calibrated against the system clock. On creation
// it counts how many times the clock's seconds since midnight, rounded to
// whole seconds, can be read between two consecutive changes of that value,
// and keeps count / 1000 + 1, rounded (halves to even), as its loops per
// millisecond. Wait(n) then performs n x loops-per-millisecond clock reads;
// it does not yield to anything.
//
// A clock that never changes would keep the calibration waiting for ever, so
// the calibration gives up after maxCalibrationReads reads in all (on a
// desktop machine the default allows several seconds, where a working clock
// needs two at most) and then uses kFallbackLoopsPerMs. It gives up the same
// way when asked to stop (its window closing while it times itself).
//
// Pause(n) is the same wait for a worker thread: it reads the same clock
// but sleeps between reads instead of spinning, so that waiting between the
// diagnostics passes costs no processor time.

#include <cstdint>
#include <stop_token>

#include "platform/clock.h"

namespace vernium {

class clsSwDelay {
 public:
  static constexpr std::int64_t kDefaultMaxCalibrationReads = 200'000'000;
  // Roughly the clock reads a desktop machine performs in a millisecond.
  static constexpr std::int64_t kFallbackLoopsPerMs = 10'000;

  explicit clsSwDelay(const Clock& clock,
                      std::int64_t maxCalibrationReads = kDefaultMaxCalibrationReads,
                      std::stop_token stop = {});

  // Busy-waits about `milliseconds` ms; nothing for 0 or less.
  void Wait(std::int64_t milliseconds) const;
  // Sleeps until the clock shows `milliseconds` ms later than on entry
  // (across midnight too); nothing for 0 or less. A clock that stands still
  // cannot hold it for more than twice the time asked for on the machine's
  // steady clock.
  void Pause(std::int64_t milliseconds) const;

  std::int64_t LoopsPerMs() const { return loopsPerMs_; }
  // False when the clock did not change twice within the calibration's reads.
  bool Calibrated() const { return calibrated_; }

 private:
  const Clock& clock_;
  std::int64_t loopsPerMs_ = kFallbackLoopsPerMs;
  bool calibrated_ = false;
};

}  // namespace vernium

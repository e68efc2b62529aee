#include "acquisition/sw_delay.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

#include "model/invariant.h"

namespace vernium {
namespace {

constexpr double kSecondsPerDay = 86400.0;
// The longest single sleep: short enough that the clock is read often.
constexpr double kLongestSleepSeconds = 0.02;

double WholeSeconds(const Clock& clock) { return std::nearbyint(clock.SecondsSinceMidnight()); }

}  // namespace

clsSwDelay::clsSwDelay(const Clock& clock, std::int64_t maxCalibrationReads, std::stop_token stop)
    : clock_(clock) {
  VERNIUM_EXPECTS(maxCalibrationReads >= 0);
  // The stop is looked at once every so many reads, so that the count is of
  // clock reads, as Wait's loop makes them.
  constexpr std::int64_t kReadsBetweenStopChecks = 4096;
  const auto giveUp = [&](std::int64_t reads) {
    return reads > maxCalibrationReads ||
           (reads % kReadsBetweenStopChecks == 0 && stop.stop_requested());
  };
  std::int64_t reads = 0;
  // Wait for the first change, so that counting starts on a fresh second.
  const double start = WholeSeconds(clock_);
  double current = start;
  while (current == start) {
    if (giveUp(++reads)) return;
    current = WholeSeconds(clock_);
  }
  // Count the reads that still show that second, up to the next change.
  std::int64_t count = 0;
  for (;;) {
    if (giveUp(++reads)) return;
    if (WholeSeconds(clock_) != current) break;
    ++count;
  }
  loopsPerMs_ = std::llrint(static_cast<double>(count) / 1000.0 + 1.0);
  calibrated_ = true;
}

void clsSwDelay::Wait(std::int64_t milliseconds) const {
  if (milliseconds <= 0) return;
  const std::int64_t loops = milliseconds * loopsPerMs_;
  for (std::int64_t i = 0; i < loops; ++i) static_cast<void>(clock_.SecondsSinceMidnight());
}

void clsSwDelay::Pause(std::int64_t milliseconds) const {
  if (milliseconds <= 0) return;
  using Steady = std::chrono::steady_clock;
  const auto giveUp = Steady::now() + std::chrono::milliseconds(2 * milliseconds);
  const double wait = static_cast<double>(milliseconds) / 1000.0;
  const double start = clock_.SecondsSinceMidnight();
  for (;;) {
    double elapsed = clock_.SecondsSinceMidnight() - start;
    if (elapsed < 0.0) elapsed += kSecondsPerDay;  // past midnight
    const double left = wait - elapsed;
    if (left <= 0.0 || Steady::now() >= giveUp) return;
    std::this_thread::sleep_for(
        std::chrono::duration<double>(std::min(left, kLongestSleepSeconds)));
  }
}

}  // namespace vernium

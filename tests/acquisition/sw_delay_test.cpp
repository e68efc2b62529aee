#include "acquisition/sw_delay.h"

#include <gtest/gtest.h>

#include <ostream>

namespace vernium {
namespace {

// A clock that shows `before` for `lead` reads, then `first` for `count`
// more reads plus the one that first shows it, then `first` + 1 for ever
// (or `first` for ever when `frozen`).
class SteppedClock : public Clock {
 public:
  SteppedClock(long lead, long count, bool frozen = false)
      : lead_(lead), count_(count), frozen_(frozen) {}
  CalendarDate Today() const override { return {}; }
  double SecondsSinceMidnight() const override {
    const long n = reads_++;
    if (n < lead_) return 41.8;                                  // rounds to 42
    if (frozen_ || n <= lead_ + count_) return 43.2;             // 43
    return 44.1;                                                  // 44
  }
  long Reads() const { return reads_; }

 private:
  long lead_;
  long count_;
  bool frozen_;
  mutable long reads_ = 0;
};

struct CalibrationCase {
  long count;  // reads between the two changes
  std::int64_t loopsPerMs;
  friend std::ostream& operator<<(std::ostream& os, const CalibrationCase& c) {
    return os << c.count << " reads";
  }
};

class SwDelayCalibration : public ::testing::TestWithParam<CalibrationCase> {};

TEST_P(SwDelayCalibration, KeepsReadsPerThousandPlusOneRoundedToEven) {
  SteppedClock clock(5, GetParam().count);
  const clsSwDelay delay(clock);
  EXPECT_TRUE(delay.Calibrated());
  EXPECT_EQ(delay.LoopsPerMs(), GetParam().loopsPerMs);
}

INSTANTIATE_TEST_SUITE_P(Counts, SwDelayCalibration,
                         ::testing::Values(CalibrationCase{0, 1}, CalibrationCase{499, 1},
                                           CalibrationCase{500, 2},   // 1.5 -> 2
                                           CalibrationCase{1500, 2},  // 2.5 -> 2
                                           CalibrationCase{2500, 4},  // 3.5 -> 4
                                           CalibrationCase{1048576, 1050}));

TEST(SwDelay, CountsOnlyBetweenTwoChangesOfTheWholeSecond) {
  // Starting at 1/2^21 and stepping 1/2^20 s a read, every whole second
  // spans exactly 2^20 reads and no read falls on a half second.
  ScriptedClock clock;
  clock.SetSeconds(1.0 / (1 << 21));
  clock.SetStepPerRead(1.0 / (1 << 20));
  const clsSwDelay delay(clock);
  EXPECT_EQ(delay.LoopsPerMs(), 1050);  // 1048576 / 1000 + 1
  const long before = clock.Reads();
  delay.Wait(10);
  EXPECT_EQ(clock.Reads() - before, 10 * 1050);
}

TEST(SwDelay, WaitsNothingForZeroOrLess) {
  SteppedClock clock(5, 3000);
  const clsSwDelay delay(clock);
  const long before = clock.Reads();
  delay.Wait(0);
  delay.Wait(-20);
  EXPECT_EQ(clock.Reads(), before);
}

TEST(SwDelay, GivesUpOnAClockThatNeverChanges) {
  ScriptedClock stopped;
  const clsSwDelay delay(stopped, 5000);
  EXPECT_FALSE(delay.Calibrated());
  EXPECT_EQ(delay.LoopsPerMs(), clsSwDelay::kFallbackLoopsPerMs);
  EXPECT_LE(stopped.Reads(), 5001);
  delay.Wait(2);
  EXPECT_EQ(stopped.Reads() - 5001, 2 * clsSwDelay::kFallbackLoopsPerMs);
}

TEST(SwDelay, GivesUpOnAClockThatStopsAfterOneChange) {
  SteppedClock clock(10, 0, /*frozen=*/true);
  const clsSwDelay delay(clock, 5000);
  EXPECT_FALSE(delay.Calibrated());
  EXPECT_EQ(delay.LoopsPerMs(), clsSwDelay::kFallbackLoopsPerMs);
  EXPECT_LE(clock.Reads(), 5001);
}

}  // namespace
}  // namespace vernium

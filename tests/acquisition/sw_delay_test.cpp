#include "acquisition/sw_delay.h"

#include <gtest/gtest.h>

namespace vernium {
namespace {

// Shows 41.8 (42) for `lead` reads, 43.2 for `count` more reads plus the one
// that first shows it, then 44.1 for ever (43.2 for ever when `frozen`).
class SteppedClock : public Clock {
 public:
  SteppedClock(long lead, long count, bool frozen = false)
      : lead_(lead), count_(count), frozen_(frozen) {}
  CalendarDate Today() const override { return {}; }
  double SecondsSinceMidnight() const override {
    const long n = reads_++;
    if (n < lead_) return 41.8;
    return frozen_ || n <= lead_ + count_ ? 43.2 : 44.1;
  }
  long Reads() const { return reads_; }

 private:
  long lead_, count_;
  bool frozen_;
  mutable long reads_ = 0;
};

TEST(SwDelay, KeepsReadsBetweenTwoChangesPerThousandPlusOneRoundedToEven) {
  const std::pair<long, std::int64_t> cases[] = {{499, 1}, {500, 2}, {1500, 2}, {2500, 4}};
  for (const auto& [count, loopsPerMs] : cases) {
    SteppedClock clock(5, count);
    const clsSwDelay delay(clock);
    EXPECT_TRUE(delay.Calibrated());
    EXPECT_EQ(delay.LoopsPerMs(), loopsPerMs) << count;
  }
}

TEST(SwDelay, WaitReadsTheClockLoopsPerMsTimesAMillisecond) {
  // From 1/2^21 s stepping 1/2^20 s a read, every whole second spans
  // exactly 2^20 reads and no read falls on a half second.
  ScriptedClock clock;
  clock.SetSeconds(1.0 / (1 << 21));
  clock.SetStepPerRead(1.0 / (1 << 20));
  const clsSwDelay delay(clock);
  EXPECT_EQ(delay.LoopsPerMs(), 1050);  // 1048576 / 1000 + 1
  const long before = clock.Reads();
  delay.Wait(10);
  EXPECT_EQ(clock.Reads() - before, 10 * 1050);
  delay.Wait(0);
  delay.Wait(-20);
  EXPECT_EQ(clock.Reads() - before, 10 * 1050);
}

// Waiting then takes the fallback's reads a millisecond, as Wait takes
// LoopsPerMs' however they were found.
TEST(SwDelay, GivesUpOnAClockThatStopsChanging) {
  ScriptedClock stopped;
  SteppedClock changesOnce(10, 0, /*frozen=*/true);
  for (const Clock* clock : std::initializer_list<const Clock*>{&stopped, &changesOnce}) {
    const clsSwDelay delay(*clock, 5000);
    EXPECT_FALSE(delay.Calibrated());
    EXPECT_EQ(delay.LoopsPerMs(), clsSwDelay::kFallbackLoopsPerMs);
  }
  EXPECT_LE(changesOnce.Reads(), 5001);
  EXPECT_LE(stopped.Reads(), 5001);
}

}  // namespace
}  // namespace vernium

// The strip chart's history: a minute of passes, anew when the clock goes
// back, and a bridge scale that never shrinks below +-1 mV.
#include "diagnostics/strip_history.h"

#include <gtest/gtest.h>

namespace vernium {
namespace {

PassReadings Bridge(float volts) {
  PassReadings r;
  r.Bridge = volts;
  r.V = {volts * 500.0f, 1.0f, 2.0f, 3.0f};
  return r;
}

TEST(StripHistory, KeepsAMinuteAndScalesTheBridgeAroundItsReadings) {
  StripHistory strip;
  EXPECT_EQ(strip.BridgeRange(), std::make_pair(-0.001, 0.001));
  for (int i = 0; i <= 700; ++i) strip.Add(i * 0.2, Bridge(0.0100f));
  EXPECT_EQ(strip.Points().size(), 301u);  // 80 s .. 140 s
  EXPECT_DOUBLE_EQ(strip.Points().front().seconds, 80.0);
  auto [low, high] = strip.BridgeRange();
  EXPECT_NEAR(high - low, 0.002, 1e-9) << "a steady bridge keeps the minimum span";
  EXPECT_NEAR((high + low) / 2, 0.01, 1e-6);
  strip.Add(140.2, Bridge(0.0200f));
  std::tie(low, high) = strip.BridgeRange();
  EXPECT_LT(low, 0.0100);
  EXPECT_GT(high, 0.0200);
  EXPECT_FLOAT_EQ(strip.Points().back().V[0], 10.0f);
  strip.Add(3.0, Bridge(0.0f));  // past midnight
  EXPECT_EQ(strip.Points().size(), 1u);
}

}  // namespace
}  // namespace vernium

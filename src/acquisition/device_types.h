#pragma once
// What a device type says about how a unit is addressed: units of types 9,
// 10, 17, 18, 22, 23, 36 and 37 number their read-back gain codes 4 to 7
// instead of 0 to 3. The acquisition routines send codes by this rule and the
// simulated unit reads them by it.

#include <cstdint>

namespace vernium {

constexpr bool UsesShiftedGainCodes(std::int32_t deviceType) {
  switch (deviceType) {
    case 9:
    case 10:
    case 17:
    case 18:
    case 22:
    case 23:
    case 36:
    case 37:
      return true;
    default:
      return false;
  }
}

}  // namespace vernium

#pragma once
// Which base channels an acquisition unit offers to cards. Units of type 23
// with subtype 3 keep base channels 0 and 1 for themselves; units of type 36
// keep 0 to 7. Every other unit, and a run with no unit open, offers all 16.

#include "acquisition/acq_lib.h"

namespace vernium {

// True for the two kinds of unit that keep some base channels.
inline bool IsRestrictedDevice(const AcqDevice* device) {
  if (device == nullptr) return false;
  return (device->DeviceType == 23 && device->DeviceSubType == 3) || device->DeviceType == 36;
}

inline bool IsBaseChannelAvailable(const AcqDevice* device, int baseChannel) {
  if (device == nullptr) return true;
  if (device->DeviceType == 23 && device->DeviceSubType == 3) return baseChannel > 1;
  if (device->DeviceType == 36) return baseChannel > 7;
  return true;
}

}  // namespace vernium

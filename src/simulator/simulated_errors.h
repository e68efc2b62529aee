#pragma once
// The error codes of the simulated acquisition unit and their texts.
//
//   2, 3, 5  transient transfer troubles; the unit never raises them by
//            itself, the bench injects them (a reading retries on them)
//   115      the device is not online (acqOnlineStatus; every device
//            operation of an acquisition while the unit is offline)
//   201..207 the unit's own refusals, listed below

#include <string>

#include "acquisition/acq_lib.h"

namespace vernium {

inline constexpr AcqStatus kSimTransferTimeout = 2;
inline constexpr AcqStatus kSimDeviceBusy = 3;
inline constexpr AcqStatus kSimDataOverrun = 5;
inline constexpr AcqStatus kSimNotOnline = kAcqNotOnline;      // 115
inline constexpr AcqStatus kSimNoDeviceOpen = 201;             // no device has been opened
inline constexpr AcqStatus kSimUnknownDevice = 202;            // no unit of that name
inline constexpr AcqStatus kSimInvalidArgument = 203;          // a count, size or rate out of range
inline constexpr AcqStatus kSimGainCodeOutOfRange = 204;       // not a code this unit reads
inline constexpr AcqStatus kSimChannelOutOfRange = 205;        // channel outside 0..271
inline constexpr AcqStatus kSimOutOfSequence = 206;            // call out of the acquisition order
inline constexpr AcqStatus kSimBufferTooSmall = 207;           // buffer shorter than the transfer

// The text of a code; a generic text names codes the unit does not know.
std::string SimErrorText(AcqStatus code);

}  // namespace vernium

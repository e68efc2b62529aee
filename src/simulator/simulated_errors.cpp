#include "simulator/simulated_errors.h"

namespace vernium {

std::string SimErrorText(AcqStatus code) {
  switch (code) {
    case kAcqOk:
      return "No error.";
    case kSimTransferTimeout:
      return "The data transfer timed out.";
    case kSimDeviceBusy:
      return "The device is busy.";
    case kSimDataOverrun:
      return "Data overrun: samples were lost during the transfer.";
    case kSimNotOnline:
      return "Device is not online.";
    case kSimNoDeviceOpen:
      return "No device is open.";
    case kSimUnknownDevice:
      return "No device of that name is known.";
    case kSimInvalidArgument:
      return "An argument is out of range.";
    case kSimGainCodeOutOfRange:
      return "The gain code is not valid for this device.";
    case kSimChannelOutOfRange:
      return "The channel number is not valid for this device.";
    case kSimOutOfSequence:
      return "The call is out of sequence for this acquisition.";
    case kSimBufferTooSmall:
      return "The transfer buffer is too small for the acquisition.";
    default:
      return "Unknown error code " + std::to_string(code) + ".";
  }
}

}  // namespace vernium

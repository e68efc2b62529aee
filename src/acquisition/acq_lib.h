#pragma once
// The acquisition library: one library object through which Vernium lists,
// opens and reads the acquisition unit. Every operation returns a status:
// 0 for success, otherwise the library's error code, after which
// acqLastErrorCode gives that code and acqErrorText its message. The
// simulated acquisition unit is the default implementation; a vendor
// library plugs in behind the same interface.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vernium {

using AcqStatus = std::int32_t;
inline constexpr AcqStatus kAcqOk = 0;
// acqOnlineStatus: the device answers but is not online.
inline constexpr std::int32_t kAcqNotOnline = 115;

// One acquisition unit as the library describes it.
struct AcqDevice {
  std::int32_t DeviceType = 0;
  std::string DeviceName;
  std::int32_t DeviceSubType = 0;
  std::string DeviceDescription;
};

// Receives a line after each library call of an acquisition; emits nothing
// unless a subclass records or prints the lines.
class TraceSink {
 public:
  virtual ~TraceSink() = default;
  virtual void Trace(std::string_view /*line*/) {}
};

class AcqLibObject {
 public:
  virtual ~AcqLibObject() = default;

  virtual AcqStatus acqAdcPrepare(std::int32_t mode, std::int32_t option) = 0;
  virtual AcqStatus acqDeviceCount(std::int32_t& count) = 0;
  virtual AcqStatus acqDeviceNames(std::vector<std::string>& names, std::int32_t& count) = 0;
  virtual AcqStatus acqDeviceByName(const std::string& name,
                                    std::shared_ptr<const AcqDevice>& device) = 0;
  virtual AcqStatus acqCloseDevice() = 0;
  virtual AcqStatus acqOpenDevice(const std::string& name) = 0;
  // 0 online, 115 not online, any other value an error code.
  virtual std::int32_t acqOnlineStatus(std::string& empty) = 0;
  virtual AcqStatus acqLastErrorCode(std::int32_t& code) = 0;
  virtual AcqStatus acqErrorText(std::int32_t code, std::string& text) = 0;

  // Scan list: parallel arrays of channel, gain code and flag, `count` entries.
  virtual AcqStatus acqAdcSetScan(std::span<const std::int32_t> channels,
                                  std::span<const std::int32_t> gainCodes,
                                  std::span<const std::int32_t> flags, std::int16_t count) = 0;
  virtual AcqStatus acqAdcSetAcq(std::int32_t preTrigger, std::int32_t postTrigger,
                                 std::int32_t scanCount) = 0;
  virtual AcqStatus acqSetTriggerEvent(const std::array<std::int32_t, 9>& values) = 0;
  virtual AcqStatus acqAdcSetFreq(float frequency) = 0;
  // The buffer receives the samples scan after scan, one unsigned 16-bit
  // word per scan entry (0..65535 spanning -5 V..+5 V).
  virtual AcqStatus acqAdcTransferSetBuffer(std::span<std::uint16_t> buffer,
                                            std::int32_t scanCount, std::int32_t mode) = 0;
  virtual AcqStatus acqAdcTransferStart() = 0;
  virtual AcqStatus acqAdcArm() = 0;
  virtual AcqStatus acqAdcTransferGetStat(std::int16_t& active, std::int32_t& transferred) = 0;
  virtual AcqStatus acqAdcTransferEnd() = 0;
  virtual AcqStatus acqAdcRelease() = 0;
};

}  // namespace vernium

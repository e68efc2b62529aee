#pragma once
// The simulated acquisition unit: the library object the program runs on
// when no acquisition hardware is attached. It lists a handful of units
// (SimulatedBench::DefaultUnits), opens one, and acquires the read-back
// points of the cards on the bench (simulated_card.h) as 16-bit samples,
// paced in real time at the frequency set or all at once.
//
// An acquisition runs, in this order:
//   acqAdcPrepare            starts a new acquisition; abandons any earlier one
//   acqAdcSetScan, acqAdcSetAcq, acqSetTriggerEvent, acqAdcSetFreq,
//   acqAdcTransferSetBuffer  in any order, each as often as wanted
//   acqAdcTransferStart      needs the scan list, the scan count and the buffer
//   acqAdcArm                the scans start arriving
//   acqAdcTransferGetStat    polled; copies the scans arrived into the buffer
//   acqAdcTransferEnd        stops the transfer
//   acqAdcRelease            ends the acquisition (allowed any time after Prepare)
// A call out of this order fails with 206 and changes nothing. The buffer is
// written only inside acqAdcTransferGetStat, on the caller's thread. One
// acquisition runs at a time; every call takes the bench's lock, so the
// bench may be changed from another thread meanwhile.
//
// Gain codes: a unit whose DeviceType is 9, 10, 17, 18, 22, 23, 36 or 37
// reads code c as the read-back point c - 4 (codes 4..7); every other unit
// reads 0..3 as they are. Error codes: simulated_errors.h.

#include <chrono>
#include <memory>
#include <vector>

#include "acquisition/acq_lib.h"
#include "acquisition/device_types.h"
#include "simulator/simulated_bench.h"

namespace vernium {


class SimulatedAcqLib : public AcqLibObject {
 public:
  SimulatedAcqLib() = default;

  SimulatedBench& Bench() { return bench_; }
  const SimulatedBench& Bench() const { return bench_; }

  AcqStatus acqAdcPrepare(std::int32_t mode, std::int32_t option) override;
  AcqStatus acqDeviceCount(std::int32_t& count) override;
  AcqStatus acqDeviceNames(std::vector<std::string>& names, std::int32_t& count) override;
  AcqStatus acqDeviceByName(const std::string& name,
                            std::shared_ptr<const AcqDevice>& device) override;
  AcqStatus acqCloseDevice() override;
  // Opening while another unit is open closes that one first.
  AcqStatus acqOpenDevice(const std::string& name) override;
  std::int32_t acqOnlineStatus(std::string& empty) override;
  AcqStatus acqLastErrorCode(std::int32_t& code) override;
  AcqStatus acqErrorText(std::int32_t code, std::string& text) override;

  AcqStatus acqAdcSetScan(std::span<const std::int32_t> channels,
                          std::span<const std::int32_t> gainCodes,
                          std::span<const std::int32_t> flags, std::int16_t count) override;
  AcqStatus acqAdcSetAcq(std::int32_t preTrigger, std::int32_t postTrigger,
                         std::int32_t scanCount) override;
  AcqStatus acqSetTriggerEvent(const std::array<std::int32_t, 9>& values) override;
  AcqStatus acqAdcSetFreq(float frequency) override;
  AcqStatus acqAdcTransferSetBuffer(std::span<std::uint16_t> buffer, std::int32_t scanCount,
                                    std::int32_t mode) override;
  AcqStatus acqAdcTransferStart() override;
  AcqStatus acqAdcArm() override;
  AcqStatus acqAdcTransferGetStat(std::int16_t& active, std::int32_t& transferred) override;
  AcqStatus acqAdcTransferEnd() override;
  AcqStatus acqAdcRelease() override;

  // The unit currently open, or null.
  std::shared_ptr<const AcqDevice> OpenDevice() const;

 private:
  enum class Phase { Idle, Prepared, Started, Armed, Ended };

  struct Entry {
    std::int32_t channel = 0;
    int point = 0;  // read-back point 0..3, the gain code unshifted
  };

  struct Acquisition {
    Phase phase = Phase::Idle;
    std::vector<Entry> entries;
    std::int32_t scanCount = 0;  // from acqAdcSetAcq; 0 until set
    double frequency = 1000.0;
    std::span<std::uint16_t> buffer;
    std::int32_t bufferScans = 0;  // 0 until a buffer is set
    TransferFaultPlan fault;
    std::chrono::steady_clock::time_point armedAt;
    std::int32_t filled = 0;  // scans copied into the buffer so far
  };

  // All of these expect the bench's lock held.
  AcqStatus FailLocked(AcqStatus code);
  // Injected fault, no open unit, offline unit, or phase other than `need`.
  AcqStatus CheckAcquisitionCallLocked(std::string_view operation, Phase need);
  std::int32_t ArrivedScansLocked() const;
  void FillBufferLocked(std::int32_t upTo);

  SimulatedBench bench_;
  std::shared_ptr<const AcqDevice> open_;
  AcqStatus lastError_ = kAcqOk;
  Acquisition acq_;
};

}  // namespace vernium

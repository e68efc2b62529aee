#pragma once
// The bench behind the simulated acquisition unit: the rack of strain-gage
// cards with their load cells, the list of units the library offers, the
// pacing and noise of the samples, and the faults ordered for the next
// calls. Tests drive it directly; a bench window and the scenario runner
// turn its trimpots and flip its switches while readings run on another
// thread, so every operation takes the bench's lock.
//
// Channel-addressed operations return false, and change nothing, when the
// channel holds no card (or is outside 16..271), when the card lacks the
// part named (a CAL switch the model does not have, the bench shunt of a
// card that switches its shunt by CAL switch), or when a value is out of
// range (a trimpot position outside 0..1, a non-finite number).

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <random>
#include <string_view>
#include <vector>

#include "acquisition/acq_lib.h"
#include "simulator/simulated_card.h"
#include "simulator/simulated_faults.h"

namespace vernium {

enum class Pacing {
  Realtime,  // scans arrive at the frequency set, measured on the steady clock
  Instant,   // the whole transfer is there at the first status poll
};

// The true state of a channel, for checking what the program measured.
struct ChannelReadback {
  SimCardModel card = SimCardModel::None;
  double excitation = 0.0;   // volts
  double inputGain = 0.0;
  double scaleGain = 0.0;
  double filterGain = 1.0;   // 1 bypassed or engaged without the resistor, 2 engaged with it
  double offsetVolts = 0.0;  // Voff, the correction at the input stage's output
  double load = 0.0;         // applied load, sensor units
  bool shuntIn = false;
  double bridgeVolts = 0.0;  // the load cell's output, shunt and imbalance included
  double outputVolts = 0.0;  // the card's output (what gain code 0 reads)
};

inline constexpr double kDefaultNoiseCounts = 2.0;
inline constexpr std::uint64_t kDefaultNoiseSeed = 1;

class SimulatedBench {
 public:
  SimulatedBench();
  SimulatedBench(const SimulatedBench&) = delete;
  SimulatedBench& operator=(const SimulatedBench&) = delete;

  // The units as delivered, in list order.
  static std::vector<AcqDevice> DefaultUnits();

  // --- Cards -------------------------------------------------------------
  bool SetTrimpot(int channel, Trimpot trimpot, double position);
  // Turns by `turns` (negative: the other way); 25 turns cross the whole
  // travel and the wiper stops at either end.
  bool TurnTrimpot(int channel, Trimpot trimpot, double turns);
  std::optional<double> TrimpotPosition(int channel, Trimpot trimpot) const;
  bool SetLoad(int channel, double load);
  bool SetFilterJumper(int channel, FilterJumper position);
  bool SetFilterGainResistor(int channel, bool inPlace);
  bool SetCoupling(int channel, Coupling coupling);
  bool SetCalNorm(int channel, CalSwitch position);  // SGC50A
  bool SetCal1(int channel, CalSwitch position);     // SGC50B
  bool SetCal2(int channel, CalSwitch position);     // SGC50B
  bool SetShunt(int channel, bool in);               // SGC10 and SGC50

  std::optional<SimChannel> Channel(int channel) const;
  std::optional<ChannelReadback> Readback(int channel) const;
  // Volts a scan entry with the unshifted gain code 0..3 reads now, before
  // sampling and noise; a channel without a card reads the floating input.
  double PointVolts(int channel, int code) const;

  // --- Samples -----------------------------------------------------------
  void SetPacing(Pacing pacing);
  Pacing GetPacing() const;
  // Standard deviation of the Gaussian noise on every sample, in counts;
  // false for a negative or non-finite value.
  bool SetNoise(double sigmaCounts);
  double Noise() const;
  void SetSeed(std::uint64_t seed);

  // --- Units -------------------------------------------------------------
  std::vector<AcqDevice> Units() const;
  void SetUnits(const std::vector<AcqDevice>& units);
  // False when no unit has that name.
  bool MoveUnitToFront(std::string_view name);
  // Offline, the open unit answers acqOnlineStatus with 115 and fails every
  // acquisition call from acqAdcSetScan to acqAdcTransferGetStat with 115.
  void SetOnline(bool online);
  bool IsOnline() const;

  // --- Faults ------------------------------------------------------------
  // The named operation fails with `code` (at its next call, or at every
  // call until cleared) before it does anything. False for a name that is
  // no library operation.
  bool FailOperation(std::string_view operation, AcqStatus code,
                     FaultRepeat repeat = FaultRepeat::Once);
  void ClearOperationFault(std::string_view operation);
  // The next transfer armed (or every one until cleared) stalls or ends
  // short after `afterScans` scans. False for a negative count.
  bool SetTransferFault(TransferFault kind, std::int32_t afterScans,
                        FaultRepeat repeat = FaultRepeat::Once);
  void ClearFaults();

 private:
  friend class SimulatedAcqLib;

  template <typename Change>
  bool ChangeChannel(int channel, Change change);
  // The following expect mutex_ held.
  SimChannel* FindLocked(int channel);
  const SimChannel* FindLocked(int channel) const;
  double PointVoltsLocked(int channel, int code) const;
  double NextNoiseCountsLocked();

  mutable std::mutex mutex_;
  std::vector<SimChannel> channels_;  // index = channel - 16
  std::vector<std::shared_ptr<const AcqDevice>> units_;
  bool online_ = true;
  Pacing pacing_ = Pacing::Realtime;
  double noiseCounts_ = kDefaultNoiseCounts;
  std::mt19937_64 rng_{kDefaultNoiseSeed};
  std::optional<double> spareNormal_;
  FaultTable faults_;
};

}  // namespace vernium

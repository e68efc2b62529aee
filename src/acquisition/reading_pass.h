#pragma once
// The diagnostics reading loop, one pass at a time. Each pass acquires a
// block of scans of the four read-back points of one card channel, turns the
// mean counts into volts, derives the card's actual input gain, scale gain,
// offset and bridge output, the valid input range with and without the
// filter's gain, the bridge extremes and the rail headroom, shows them and
// records the gains and offset in the channel's ActualSettings.
//
// A pass is split in two so that a window can keep its user interface
// responsive: Acquire() talks to the acquisition library only (it may run
// off the user-interface thread, never two at once), Apply() computes and
// shows the result on the user-interface thread. RunPass() does both in a
// row; RunReadingLoop() runs the whole loop in the calling thread.
//
// Failed readings: codes 2, 3 and 5 are transient; up to four of them in a
// row are passed over as retries (nothing shown or stored), the fifth ends
// the loop. Any other code ends the loop at once. Ending shows
// "Error:" + code + "  Lost communications with device." (critical icon, OK)
// and stops the loop. A failure of the library's preparation call or an
// arithmetic fault in the conversions ends the loop the same way, with the
// code of the last acquisition that returned (0 if none has yet); the values
// shown stay as they were.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stop_token>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "acquisition/acq_lib.h"
#include "acquisition/gauge_acquisition.h"
#include "calibration/xfer_func.h"
#include "model/configuration.h"
#include "platform/clock.h"
#include "platform/controls.h"
#include "platform/message_boxes.h"

namespace vernium {

class clsSwDelay;

// RailState values.
inline constexpr std::int16_t kRailFine = 1;
inline constexpr std::int16_t kRailClose = 2;
inline constexpr std::int16_t kRailRailed = 3;

// The pictures the rail image shows (Picture::pictureIndex of imgRail).
inline constexpr int kRailPictureClear = 1;
inline constexpr int kRailPictureOK = 2;
inline constexpr int kRailPictureCaution = 3;
inline constexpr int kRailPictureStop = 4;

// Bridge extremes after a reset: any reading replaces them.
inline constexpr float kMinBridgeReset = 5.0f;
inline constexpr float kMaxBridgeReset = -5.0f;

// Milliseconds between passes.
inline constexpr std::int64_t kPassDelayMs = 100;

// The largest block a pass takes (the scan count is a 16-bit integer).
inline constexpr std::int16_t kMaxScanCount = 32767;

// The loop state the diagnostics window sets and the passes read.
struct ReadingLoopState {
  bool Running = false;
  bool UpdateOnce = false;
  std::int16_t RailState = kRailFine;
  float MinBridge = kMinBridgeReset;  // volts
  float MaxBridge = kMaxBridgeReset;

  // Running false, RailState 1: the loop ends at its next test of Running.
  void Stop() {
    Running = false;
    RailState = kRailFine;
  }
  void ResetBridgeExtremes() {
    MinBridge = kMinBridgeReset;
    MaxBridge = kMaxBridgeReset;
  }
};

// The controls a pass writes, under the diagnostics window's names. Index 0
// of the range labels is the "Bypass" column (filter factor 1), index 1 the
// "Filter" column (factor 2).
struct ReadingControls {
  std::array<Label, 2> lblMaximum;
  std::array<Label, 2> lblMinimum;
  std::array<Label, 2> lblRange;
  Label lblMaxBridge;
  Label lblMinBridge;
  Label lblScalingGain;
  Label lblOffset;
  Label lblInputGain;
  Label lblCurBridge;
  std::array<Label, 4> lblOutVolts;
  Picture imgRail;
};

// Everything one good block gives, in volts and single precision.
struct PassReadings {
  std::array<float, 4> V{};  // V0 card output .. V3 input stage with 5 mV reference
  float Gin = 0.0f;
  float Gs = 0.0f;
  float Off = 0.0f;     // offset referred to the bridge input
  float Bridge = 0.0f;  // bridge output referred to the input
  std::array<float, 2> High{};  // valid input range for filter factor 1 and 2
  std::array<float, 2> Low{};
  float BlockMinBridge = 0.0f;  // extremes of this block, referred to the input
  float BlockMaxBridge = 0.0f;
  float Headroom = 0.0f;  // smallest distance of V0..V3 to a rail
  std::int16_t RailState = kRailFine;
};

// The scan count a txtAverage text asks for: its leading number rounded to
// an integer (halves to even); nothing when that is not 1..32767.
std::optional<std::int16_t> ScanCountFromText(std::string_view txtAverage);

// The smallest distance of the voltages to the -5 V or +5 V rail (20 when
// there are none).
float Headroom(std::span<const float> volts);
// 1 above 0.1 V of headroom, 3 at 0.02 V or less, 2 between.
std::int16_t RailStateFor(float headroom);
int RailPictureFor(std::int16_t railState);

// Derives a pass's values from the four mean voltages and the lowest and
// highest raw count of the card output in the block. Throws ArithmeticFault
// when a result is not a finite number.
PassReadings DeriveReadings(const std::array<float, 4>& volts, std::uint16_t minCardCount,
                            std::uint16_t maxCardCount);

// Averages a block of `scanCount` four-entry scans, converts the means with
// `unsignedCountsToVolts`.yo and derives the pass's values. Throws
// ArithmeticFault as the conversions and DeriveReadings do.
PassReadings ComputeReadings(std::span<const std::uint16_t> buffer, std::int16_t scanCount,
                             const clsXferFunc& unsignedCountsToVolts);

// Shows a pass's values in the controls (bridge extremes from `state`).
void ShowReadings(const PassReadings& readings, const ReadingLoopState& state,
                  ReadingControls& controls);

// What one acquisition handed back.
struct AcquiredBlock {
  AcquisitionResult result = 0;
  std::int16_t scanCount = 0;
  std::vector<std::uint16_t> buffer;  // 4 x scanCount + 1 words
};

enum class PassOutcome {
  Shown,    // a good block, shown and stored
  Retried,  // a transient failure passed over
  Failed,   // the failure report was shown and the loop stopped
};

// The failure report's text for a code.
std::string LostCommunicationsText(AcquisitionResult code);

class ReadingPass {
 public:
  // What a pass works with; all of it outlives the pass.
  struct Context {
    AcqLibObject& acq;
    TraceSink& trace;
    const clsXferFunc& unsignedCountsToVolts;
    MessageBoxes& boxes;
    const Clock& clock;  // times the acquisition's stall check
  };

  explicit ReadingPass(Context context) : ctx_(context) {}

  // The start of the loop, for the acquisition channel `channel` on
  // `device` with the scan count the txtAverage text asks for. Refuses a
  // scan count outside 1..32767 with a message and returns false. Clears
  // the failure counter and the last acquisition's code.
  bool Start(std::int16_t channel, std::string_view txtAverage,
             std::shared_ptr<const AcqDevice> device);

  // Runs one acquisition into `block` (its buffer is reused). Touches only
  // the acquisition library, the trace sink and the clock, so it may run
  // off the user-interface thread while nothing else uses them. A stop asked
  // of `stop` ends the transfer early (kAcqReadStopped).
  void Acquire(AcquiredBlock& block, std::stop_token stop = {}) const;

  // On the user-interface thread: computes, shows and stores a block's
  // values, or takes its failure (retry or failure report).
  PassOutcome Apply(const AcquiredBlock& block, ReadingLoopState& state,
                    ReadingControls& controls, ActualSettings& actual);

  // Acquire then Apply, with the pass's own buffer.
  PassOutcome RunPass(ReadingLoopState& state, ReadingControls& controls,
                      ActualSettings& actual);

  std::int16_t ScanCount() const { return scanCount_; }
  std::int16_t Channel() const { return channel_; }
  int FailureCount() const { return failures_; }
  AcquisitionResult LastResult() const { return lastResult_; }
  // What the last pass shown derived.
  const PassReadings& LastReadings() const { return lastReadings_; }

 private:
  PassOutcome Fail(AcquisitionResult code, ReadingLoopState& state);

  Context ctx_;
  std::int16_t channel_ = 0;
  std::int16_t scanCount_ = 0;
  std::shared_ptr<const AcqDevice> device_;
  int failures_ = 0;
  AcquisitionResult lastResult_ = 0;
  AcquiredBlock block_;
  PassReadings lastReadings_;
};

// After the window has processed its events: an "Update Once" pass stops
// the loop here (UpdateOnce cleared, Running false, RailState 1).
void FinishPass(ReadingLoopState& state);

// The whole loop in the calling thread, as the diagnostics window's button
// handler runs it: while state.Running, one pass; a failure leaves at once;
// otherwise `processEvents` runs once, an "Update Once" pass stops the loop,
// and `delay` waits 100 ms before Running is tested again. The caller sets
// Running (and UpdateOnce) and has called pass.Start first.
void RunReadingLoop(ReadingPass& pass, ReadingLoopState& state, ReadingControls& controls,
                    ActualSettings& actual, const std::function<void()>& processEvents,
                    const clsSwDelay& delay);

}  // namespace vernium

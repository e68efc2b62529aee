#include "acquisition/reading_pass.h"

#include <algorithm>
#include <cmath>

#include "acquisition/sw_delay.h"
#include "calibration/arithmetic_fault.h"
#include "model/invariant.h"
#include "model/numeric_text.h"

namespace vernium {
namespace {

// 1 / 0.005: the 5 mV reference turns a voltage difference into a gain.
constexpr float kReferenceGain = 200.0f;
constexpr float kRail = 5.0f;
constexpr float kHeadroomStart = 20.0f;
// Compared in single precision, as the voltages are.
constexpr float kHeadroomFine = 0.1f;
constexpr float kHeadroomRailed = 0.02f;
constexpr int kRetriesPassedOver = 4;

bool IsTransient(AcquisitionResult code) { return code == 2 || code == 3 || code == 5; }

// An unsigned count as volts, 0..65535 spanning -5..+5 V.
double CountVolts(std::uint16_t count) { return count * 10.0 / 65535.0 - 5.0; }

void RequireFinite(float value, const char* what) {
  if (!std::isfinite(value)) throw ArithmeticFault(std::string("not a finite number: ") + what);
}

std::string Millivolts(float volts) { return FormatNumber(volts * 1000.0f, "0.0"); }

}  // namespace

std::optional<std::int16_t> ScanCountFromText(std::string_view txtAverage) {
  const double count = std::nearbyint(LeadingNumber(txtAverage));
  if (!(count >= 1.0 && count <= kMaxScanCount)) return std::nullopt;
  return static_cast<std::int16_t>(count);
}

float Headroom(std::span<const float> volts) {
  float m = kHeadroomStart;
  for (const float v : volts) m = std::min(m, v <= 0.0f ? v + kRail : kRail - v);
  return m;
}

std::int16_t RailStateFor(float headroom) {
  if (headroom > kHeadroomFine) return kRailFine;
  if (headroom <= kHeadroomRailed) return kRailRailed;
  return kRailClose;
}

int RailPictureFor(std::int16_t railState) {
  switch (railState) {
    case kRailFine:
      return kRailPictureOK;
    case kRailClose:
      return kRailPictureCaution;
    case kRailRailed:
      return kRailPictureStop;
    default:
      return kRailPictureClear;
  }
}

PassReadings DeriveReadings(const std::array<float, 4>& volts, std::uint16_t minCardCount,
                            std::uint16_t maxCardCount) {
  PassReadings r;
  r.V = volts;
  const auto& V = r.V;
  r.Gin = (V[3] - V[1]) * kReferenceGain;
  r.Gs = V[3] == 0.0f ? 0.0f : V[2] / V[3];
  if (r.Gin == 0.0f) {
    r.Off = 0.0f;
    r.Bridge = 0.0f;
  } else {
    r.Off = -V[1] / r.Gin;
    r.Bridge = r.Gs == 0.0f ? 0.0f : (V[0] - V[1] * r.Gs) / (r.Gs * r.Gin);
  }
  const float gain = r.Gs * r.Gin;
  for (std::size_t i = 0; i < 2; ++i) {
    const float p = gain * static_cast<float>(i + 1);
    if (p == 0.0f) {
      r.High[i] = 0.0f;
      r.Low[i] = 0.0f;
    } else {
      r.High[i] = kRail / p + r.Off;
      r.Low[i] = -kRail / p + r.Off;
    }
  }
  if (gain != 0.0f) {
    r.BlockMinBridge = static_cast<float>(CountVolts(minCardCount) / gain + r.Off);
    r.BlockMaxBridge = static_cast<float>(CountVolts(maxCardCount) / gain + r.Off);
  }
  r.Headroom = Headroom(r.V);
  r.RailState = RailStateFor(r.Headroom);

  for (const float v : r.V) RequireFinite(v, "voltage");
  RequireFinite(r.Gin, "input gain");
  RequireFinite(r.Gs, "scale gain");
  RequireFinite(r.Off, "offset");
  RequireFinite(r.Bridge, "bridge output");
  for (std::size_t i = 0; i < 2; ++i) {
    RequireFinite(r.High[i], "input range");
    RequireFinite(r.Low[i], "input range");
    RequireFinite(r.High[i] - r.Low[i], "input range");
  }
  RequireFinite(r.BlockMinBridge, "bridge minimum");
  RequireFinite(r.BlockMaxBridge, "bridge maximum");
  return r;
}

PassReadings ComputeReadings(std::span<const std::uint16_t> buffer, std::int16_t scanCount,
                             const clsXferFunc& unsignedCountsToVolts) {
  VERNIUM_EXPECTS(scanCount >= 1);
  const auto scans = static_cast<std::size_t>(scanCount);
  VERNIUM_EXPECTS(buffer.size() >= 4 * scans);
  std::array<float, 4> means{};
  AverageScans(buffer, scanCount, 4, means);
  std::array<float, 4> volts{};
  for (std::size_t i = 0; i < 4; ++i) {
    volts[i] = static_cast<float>(unsignedCountsToVolts.yo(means[i]));
  }
  std::uint16_t lowest = buffer[0];
  std::uint16_t highest = buffer[0];
  for (std::size_t s = 1; s < scans; ++s) {
    const std::uint16_t count = buffer[4 * s];
    lowest = std::min(lowest, count);
    highest = std::max(highest, count);
  }
  return DeriveReadings(volts, lowest, highest);
}

void ShowReadings(const PassReadings& r, const ReadingLoopState& state,
                  ReadingControls& controls) {
  for (std::size_t i = 0; i < 2; ++i) {
    controls.lblMaximum[i].caption = Millivolts(r.High[i]);
    controls.lblMinimum[i].caption = Millivolts(r.Low[i]);
    controls.lblRange[i].caption = Millivolts(r.High[i] - r.Low[i]);
  }
  controls.lblMaxBridge.caption = Millivolts(state.MaxBridge);
  controls.lblMinBridge.caption = Millivolts(state.MinBridge);
  controls.imgRail.pictureIndex = RailPictureFor(state.RailState);
  controls.lblScalingGain.caption = FormatNumber(r.Gs, "#.0");
  controls.lblOffset.caption = Millivolts(-r.Off);
  controls.lblInputGain.caption = FormatNumber(r.Gin, "#");
  controls.lblCurBridge.caption = Millivolts(r.Bridge);
  for (std::size_t i = 0; i < 4; ++i) controls.lblOutVolts[i].caption = FormatNumber(r.V[i], "0.00");
}

std::string LostCommunicationsText(AcquisitionResult code) {
  return "Error:" + std::to_string(code) + "  Lost communications with device.";
}

bool ReadingPass::Start(std::int16_t channel, std::string_view txtAverage,
                        std::shared_ptr<const AcqDevice> device) {
  const auto scanCount = ScanCountFromText(txtAverage);
  if (!scanCount) {
    ctx_.boxes.Show(
        "The Averaging Coefficient must be a whole number of scans from 1 to 32767.",
        "Data Validation Error", MsgIcon::Exclamation, MsgButtons::OK);
    return false;
  }
  channel_ = channel;
  scanCount_ = *scanCount;
  device_ = std::move(device);
  failures_ = 0;
  lastResult_ = 0;
  return true;
}

void ReadingPass::Acquire(AcquiredBlock& block, std::stop_token stop) const {
  VERNIUM_EXPECTS(scanCount_ >= 1);
  block.scanCount = scanCount_;
  block.buffer.resize(4 * static_cast<std::size_t>(scanCount_) + 1);
  block.result = getGageReadings(ctx_.acq, device_.get(), ctx_.trace, block.buffer, scanCount_,
                                 channel_, ctx_.clock, std::move(stop));
}

PassOutcome ReadingPass::Apply(const AcquiredBlock& block, ReadingLoopState& state,
                               ReadingControls& controls, ActualSettings& actual) {
  // The preparation call failing is not a reading's code: report the last one.
  if (block.result == kAcqPrepareFailed) return Fail(lastResult_, state);
  lastResult_ = block.result;
  if (block.result != 0) {
    if (IsTransient(block.result) && ++failures_ <= kRetriesPassedOver) return PassOutcome::Retried;
    return Fail(block.result, state);
  }
  failures_ = 0;

  PassReadings r;
  try {
    r = ComputeReadings(block.buffer, block.scanCount, ctx_.unsignedCountsToVolts);
  } catch (const ArithmeticFault&) {
    return Fail(lastResult_, state);
  }
  state.MinBridge = std::min(state.MinBridge, r.BlockMinBridge);
  state.MaxBridge = std::max(state.MaxBridge, r.BlockMaxBridge);
  // A stop that arrived while the block was being acquired has the last word.
  if (state.Running) state.RailState = r.RailState;
  ShowReadings(r, state, controls);
  lastReadings_ = r;
  actual.ScalingGain = r.Gs;
  actual.InputGain = r.Gin;
  actual.Offset = -r.Off * 1000.0f;  // millivolts
  return PassOutcome::Shown;
}

PassOutcome ReadingPass::RunPass(ReadingLoopState& state, ReadingControls& controls,
                                 ActualSettings& actual) {
  Acquire(block_);
  return Apply(block_, state, controls, actual);
}

PassOutcome ReadingPass::Fail(AcquisitionResult code, ReadingLoopState& state) {
  ctx_.boxes.Show(LostCommunicationsText(code), kAppTitle, MsgIcon::Critical, MsgButtons::OK);
  state.Stop();
  return PassOutcome::Failed;
}

void FinishPass(ReadingLoopState& state) {
  if (!state.UpdateOnce) return;
  state.UpdateOnce = false;
  state.Stop();
}

void RunReadingLoop(ReadingPass& pass, ReadingLoopState& state, ReadingControls& controls,
                    ActualSettings& actual, const std::function<void()>& processEvents,
                    const clsSwDelay& delay) {
  while (state.Running) {
    if (pass.RunPass(state, controls, actual) == PassOutcome::Failed) return;
    if (processEvents) processEvents();
    FinishPass(state);
    delay.Wait(kPassDelayMs);
  }
}

}  // namespace vernium

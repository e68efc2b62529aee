#pragma once
// What the wizard's completion leaves for the calibration history: the
// channel's record, settings and scaling line as the calibration left them.
// The history keeps them between runs; the wizard knows nothing of how. A
// history that cannot be written says so itself and never stops the
// completion.

namespace vernium {

class Session;

class CalibrationHistory {
 public:
  virtual ~CalibrationHistory() = default;
  // The calibration of `channel` in `session` has completed.
  virtual void CalibrationCompleted(const Session& session, int channel) = 0;
};

}  // namespace vernium

#pragma once
// What the wizard's Shunt Cal completion asks of the diagnostics window: a
// continuous update started, stopped, and the window left. That pass
// measures the scale gain the channel's scaling line needs. The diagnostics
// window offers these; the wizard drives them through this interface and
// knows nothing else of that window.

namespace vernium {

class DiagnosticsActions {
 public:
  virtual ~DiagnosticsActions() = default;
  virtual void StartUpdate() = 0;
  virtual void StopUpdate() = 0;
  virtual void ExitDiagnostics() = 0;
};

}  // namespace vernium

#pragma once
// One entry of the calibration history: a completed calibration or a check
// with known loads, with everything its certificate is printed from. The
// wizard's completion and the verification window make them; the history
// keeps them; the history window lists them and prints a certificate again
// from one.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/configuration.h"
#include "verify/verify_fit.h"
#include "wizard/calibration_history.h"

namespace vernium {

enum class HistoryKind { Calibration, Verification };

struct HistoryEntry {
  std::int64_t id = 0;  // its number in the history; 0 until kept
  HistoryKind kind = HistoryKind::Calibration;
  std::string recordedAt;  // local time, "2026-12-07 16:30:05"
  std::string unit;        // the acquisition unit's name; empty: none open
  int channel = 0;
  // The channel record as it stood: label, card type, units, the
  // application parameters, coupling and filter, M and B.
  ChannelConfig record;
  std::string method;  // "Nameplate", "Two Point" or "Shunt Cal"
  CalcSettings calc;
  ActualSettings actual;
  std::optional<LoadLine> scalingLine;  // the scaling file's line for it
  // A verification: the points with their errors, the fit and the verdict.
  double tolerancePercent = 0.0;
  VerifyResult result;
  std::optional<double> acBefore, acAfter;  // the AC output zeroed, volts
  std::string operatorName;
  std::string certificate;  // its number; empty: none was made

  bool IsVerification() const { return kind == HistoryKind::Verification; }
};

// "2026-12-07 16:30:05" from the session's clock.
std::string RecordedNow(const Session& session);

// The calibration of `channel` as it stands in `session`, now.
HistoryEntry CalibrationEntryOf(const Session& session, int channel);

// The whole history as the verification window reaches it: besides the
// wizard's completions, it keeps each check (its id set once kept).
class VerificationHistory : public CalibrationHistory {
 public:
  virtual void Append(HistoryEntry& entry) = 0;
  // How many certificates the history holds: a run numbers its certificates
  // on from there, so that no number is given twice.
  virtual int CertificatesKept() = 0;
};

// The certificate's lines, as printed, from a verification entry.
std::vector<std::string> CertificateLines(const HistoryEntry& entry);

}  // namespace vernium

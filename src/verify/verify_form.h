#pragma once
// The verification window "frmVerify": checks a calibrated channel with
// known loads. The technician applies each planned load (the tare, then 25,
// 50, 75 and 100 % of the way to the maximum load), reads the card's output
// for it and sees each point through the channel record's M and B, the
// scaling file's line and the verified line (the best straight line through
// the points), with the errors, the fit and the verdict. A passing check
// leaves its verified line in the configuration, which the scaling file
// carries when the technician asks for it. An AC-coupled channel is checked
// with its coupling jumper fitted (DC), then zeroed with the jumper off.
//
// Each reading is averaged and taken off the user-interface thread on the
// background runner; one at a time. Done never waits for it: the read in
// flight is stopped and its result dropped.

#include <cstdint>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "acquisition/acq_lib.h"
#include "platform/background_runner.h"
#include "platform/controls.h"
#include "platform/message_boxes.h"
#include "session/session.h"
#include "verify/history_entry.h"
#include "verify/verify_fit.h"
#include "wizard/turn_guidance.h"

namespace vernium {

class ConfigurationPrinter;

// What the verification remembers from one opening to the next until the
// program ends: the operator named on the certificates and how many
// certificates have been made.
struct VerifyRun {
  std::string operatorName;
  int certificates = 0;
};

// Columns of grdPoints (row 0 the headers).
inline constexpr int kPtColApplied = 1;
inline constexpr int kPtColVolts = 2;
inline constexpr int kPtColRecord = 3;
inline constexpr int kPtColFile = 4;
inline constexpr int kPtColVerified = 5;
inline constexpr int kPtColRecordError = 6;
inline constexpr int kPtColFileError = 7;
inline constexpr int kPtColVerifiedError = 8;
inline constexpr int kPointCols = 9;

// Where an AC-coupled channel's check stands.
enum class AcStep {
  None,         // DC coupled: nothing to do
  JumperOn,     // reading the points with the coupling jumper fitted
  Zeroing,      // jumper off again: the offset trimpot turned for 0 V, live
  Done,         // the AC output zeroed
};

struct VerifyState {
  std::string caption;  // "Verify Channel " + label
  Label lblSpan;
  Label lblInstructions;
  TextBox txtApplied;
  Button cmdReadPoint;
  Grid grdPoints;
  Button cmdRemovePoint;
  TextBox txtTolerance;
  TextBox txtOperator;
  Label lblFit;
  Label lblVerdict;
  Label lblLive;         // AC zeroing: the live reading
  Button cmdZeroOffset;  // AC zeroing: starts and ends it
  Button cmdCertificate;
  Button cmdDone;
  Timer tmrLive;
};

class VerifyForm {
 public:
  VerifyForm(Session& session, VerifyRun& run, MessageBoxes& messages, BackgroundRunner& reader,
             ConfigurationPrinter& printer);
  ~VerifyForm();
  VerifyForm(const VerifyForm&) = delete;
  VerifyForm& operator=(const VerifyForm&) = delete;

  VerifyState& state() { return s_; }
  const VerifyState& state() const { return s_; }

  // ---- handlers ----
  void Load();  // for config.CurrentChannel
  void ReadPointClick();
  void RemovePointClick();  // the grid's current row, else the last point
  void ToleranceChange();
  void ZeroOffsetClick();
  void LiveTimerTick();
  void CertificateClick();
  void DoneClick();
  bool closeRequested = false;

  // ---- the reading ----
  bool ReadInFlight() const { return readInFlight_; }
  void StopRead();
  const VerifyResult& Result() const { return result_; }
  const std::vector<VerifyPoint>& Points() const { return points_; }
  AcStep Ac() const { return ac_; }
  // AC zeroing: the output with the jumper off before and after the offset
  // was turned (none until read).
  std::optional<double> ResidualBefore() const { return residualBefore_; }
  std::optional<double> ResidualAfter() const { return residualAfter_; }
  // How the live reading stands against 0 V while the offset is turned.
  TurnAdvice Advice() const;

  // Where each check is kept (none: it is not kept). A check is kept when
  // its certificate is made, and at Done when it has a fit that was not
  // kept as it stands.
  void SetHistory(VerificationHistory* history) { history_ = history; }

  // The check as it stands, as the history keeps it, with the certificate
  // number `number` (empty: none made).
  HistoryEntry Entry(const std::string& number) const;
  // The certificate's lines, as printed (what CertificateClick prints).
  std::vector<std::string> CertificateLines(const std::string& number) const;

 private:
  struct ReadResult {
    AcquisitionResult status = 0;
    float count = 0.0f;
  };
  ChannelConfig& Channel();
  VerifySpan Span() const;
  void StartRead(bool live);
  void ReadDone(std::uint64_t generation, bool live, const ReadResult& result);
  void AddPoint(double volts);
  void Recheck();
  void ShowGrid();
  void ShowFit();
  void NextPlannedLoad();
  void ShowAcInstructions();
  // Keeps the check in the history unless it was kept as it stands.
  void Keep(HistoryEntry& entry);

  Session& session_;
  VerifyRun& run_;
  MessageBoxes& messages_;
  BackgroundRunner& reader_;
  ConfigurationPrinter& printer_;
  VerifyState s_;
  int chan_ = 0;
  std::vector<VerifyPoint> points_;
  // A point has been read since the window opened.
  bool checkBegun_ = false;
  VerifyResult result_;
  AcStep ac_ = AcStep::None;
  std::optional<double> residualBefore_, residualAfter_;
  TurnGuidance guidance_;
  VerificationHistory* history_ = nullptr;
  // The points and tolerance of the check last kept this opening.
  std::optional<std::pair<std::vector<VerifyPoint>, double>> kept_;

  bool readInFlight_ = false;
  double pendingApplied_ = 0.0;
  std::stop_source readStop_;
  std::uint64_t generation_ = 0;
  TraceSink trace_;
};

}  // namespace vernium

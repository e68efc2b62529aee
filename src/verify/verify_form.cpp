// The verification window's handlers, the readings and the points. The
// certificate's text is in verify_certificate.cpp.
#include "verify/verify_form.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

#include "acquisition/device_selection.h"
#include "acquisition/gauge_acquisition.h"
#include "calibration/arithmetic_fault.h"
#include "calibration/scaling_file.h"
#include "model/card_designators.h"
#include "model/numeric_text.h"
#include "model/trimpot_sense.h"
#include "platform/configuration_printer.h"

namespace vernium {
namespace {

constexpr double kDefaultTolerancePercent = 0.5;


}  // namespace

VerifyForm::VerifyForm(Session& session, VerifyRun& run, MessageBoxes& messages,
                       BackgroundRunner& reader, ConfigurationPrinter& printer)
    : session_(session), run_(run), messages_(messages), reader_(reader), printer_(printer) {}

VerifyForm::~VerifyForm() {
  StopRead();
}

void VerifyForm::StopRead() {
  readStop_.request_stop();
  reader_.WaitIdle();
}

ChannelConfig& VerifyForm::Channel() {
  return session_.config.Channels[chan_];
}

VerifySpan VerifyForm::Span() const {
  const ChannelConfig& record = session_.config.Channels[chan_];
  VerifySpan span;
  span.tare = record.Tare;
  span.maxLoad = record.MaxLoad;
  span.units = record.Units;
  span.record = LoadLine{record.M, record.B};
  if (const auto line = MeasuredScalingLine(record, session_.config.Actual[chan_])) {
    span.file = LoadLine{line->m, line->b};
  }
  const double tolerance = LeadingNumber(s_.txtTolerance.text);
  span.tolerancePercent = tolerance > 0.0 ? tolerance : kDefaultTolerancePercent;
  return span;
}

void VerifyForm::Load() {
  StopRead();
  ++generation_;
  readInFlight_ = false;
  closeRequested = false;
  chan_ = session_.config.CurrentChannel;
  const ChannelConfig& record = Channel();
  s_ = VerifyState{};
  s_.caption = "Verify Channel " + record.ChannelLabel;
  s_.lblSpan.caption = "Tare " + GeneralFormat(record.Tare) + " to maximum " +
                       GeneralFormat(record.MaxLoad) + " " + record.Units;
  s_.cmdReadPoint.caption = "&Read Point";
  s_.cmdRemovePoint.caption = "Re&move Point";
  s_.txtTolerance.text = FormatNumber(kDefaultTolerancePercent, "0.0");
  s_.txtOperator.text = run_.operatorName;
  s_.cmdZeroOffset.caption = "&Zero AC Output";
  s_.cmdZeroOffset.visible = false;
  s_.lblLive.visible = false;
  s_.cmdCertificate.caption = "&Certificate...";
  s_.cmdDone.caption = "&Done";
  s_.tmrLive.intervalMs = 100;
  s_.grdPoints.Resize(1, kPointCols);
  s_.grdPoints.colWidthsTwips = {500, 1300, 1100, 1500, 1500, 1300, 1400, 1200, 1500};
  const std::string u = " (" + record.Units + ")";
  s_.grdPoints.cells[0] = {"Point",        "Applied" + u,  "Output (V)",
                           "Record M, B" + u, "Scaling file" + u, "Verified" + u,
                           "Record err (%)", "File err (%)", "Verified err (%)"};
  points_.clear();
  checkBegun_ = false;
  kept_.reset();
  residualBefore_.reset();
  residualAfter_.reset();
  guidance_.Reset();
  ac_ = IsTrue(record.DCCoupled) ? AcStep::None : AcStep::JumperOn;
  Recheck();
  NextPlannedLoad();
  ShowAcInstructions();
}

void VerifyForm::NextPlannedLoad() {
  const std::vector<double> planned = PlannedLoads(Channel().Tare, Channel().MaxLoad);
  const std::size_t next = std::min(points_.size(), planned.size() - 1);
  s_.txtApplied.text = Fixed(planned[next], LoadDecimals(Span().Span()));
}

void VerifyForm::ShowAcInstructions() {
  const CardDesignators parts = DesignatorsOf(Channel().CardType == kSGC10, chan_);
  const std::string jumper = parts.couplingJumper;
  switch (ac_) {
    case AcStep::None:
      s_.lblInstructions.caption =
          "Apply each load to the load cell, then press Read Point.";
      break;
    case AcStep::JumperOn:
      s_.cmdZeroOffset.visible = false;
      s_.lblInstructions.caption =
          "This channel is AC coupled: a static load does not pass the card. Fit " + jumper +
          " (DC coupling) for the check, apply each load, then press Read Point.";
      if (points_.size() >= PlannedLoads(0, 1).size()) {
        s_.lblInstructions.caption =
            "The points are read. Remove " + jumper +
            " again for AC coupling and leave the load as it is, then press Zero AC Output.";
        s_.cmdZeroOffset.visible = true;
      }
      break;
    case AcStep::Zeroing:
      s_.lblInstructions.caption =
          "With " + jumper + " removed and no load change, adjust the offset for a reading of "
          "0.000 V on the live reading, then press Finish Zeroing.";
      break;
    case AcStep::Done:
      s_.lblInstructions.caption = "The AC-coupled output was " +
                                   Fixed(residualBefore_.value_or(0.0), 4) + " V before zeroing and " +
                                   Fixed(residualAfter_.value_or(0.0), 4) + " V after.";
      break;
  }
}

void VerifyForm::ReadPointClick() {
  // Once the AC output is zeroed the jumper is off: a static load no longer
  // passes the card, and a point read now would spoil the check.
  if (readInFlight_ || ac_ == AcStep::Zeroing || ac_ == AcStep::Done) return;
  pendingApplied_ = LeadingNumber(s_.txtApplied.text);
  StartRead(false);
}

void VerifyForm::StartRead(bool live) {
  AcqLibObject* acq = session_.AcqObject;
  if (acq == nullptr) return;
  readInFlight_ = true;
  s_.cmdReadPoint.enabled = false;
  // The card's output: read-back point 0 on every entry of the scan list.
  GageScanList list;
  list.channels.fill(chan_);
  list.gainCodes.fill(ReadBackGainCode(session_.OpenDevice(), 0));
  list.flags.fill(kScanFlag);
  auto result = std::make_shared<ReadResult>();
  const std::uint64_t generation = generation_;
  readStop_ = std::stop_source();
  reader_.Run(
      [acq, list, result, stop = readStop_.get_token(), this] {
        result->status = getOneScanAveraged(*acq, trace_, list.channels, list.gainCodes,
                                            list.flags, 4, false, result->count, stop);
      },
      [this, generation, live, result] { ReadDone(generation, live, *result); });
}

void VerifyForm::ReadDone(std::uint64_t generation, bool live, const ReadResult& result) {
  if (generation != generation_) return;  // a reading of an earlier opening
  readInFlight_ = false;
  s_.cmdReadPoint.enabled = ac_ != AcStep::Zeroing && ac_ != AcStep::Done;
  if (result.status != 0) {
    s_.tmrLive.enabled = false;
    if (result.status == kAcqReadStopped) return;
    const std::string text = session_.AcqObject != nullptr
                                 ? AcquisitionErrorText(*session_.AcqObject, result.status)
                                 : std::string();
    messages_.Show(AcqLibErrorMessage(result.status, text), kAppTitle, MsgIcon::None,
                   MsgButtons::OK);
    return;
  }
  if (!session_.SignedCountsToVolts) return;
  double volts = 0.0;
  try {
    volts = static_cast<float>(session_.SignedCountsToVolts->yo(result.count));
  } catch (const ArithmeticFault&) {
    return;
  }
  if (!live) {
    AddPoint(volts);
    return;
  }
  if (ac_ != AcStep::Zeroing) return;
  if (!residualBefore_) residualBefore_ = volts;
  residualAfter_ = volts;
  s_.lblLive.caption = FormatNumber(volts, "0.000") + " V";
  guidance_.Add(session_.SystemTime().SecondsSinceMidnight(), volts, 0.0,
                std::fabs(volts) >= kRailedVolts);
}

void VerifyForm::AddPoint(double volts) {
  points_.push_back(VerifyPoint{pendingApplied_, volts});
  checkBegun_ = true;
  Recheck();
  NextPlannedLoad();
  ShowAcInstructions();
}

void VerifyForm::RemovePointClick() {
  if (points_.empty()) return;
  const int row = s_.grdPoints.row;
  std::size_t index = points_.size() - 1;
  if (row >= 1 && row <= static_cast<int>(points_.size())) index = static_cast<std::size_t>(row - 1);
  points_.erase(points_.begin() + static_cast<std::ptrdiff_t>(index));
  s_.grdPoints.row = 0;
  Recheck();
  NextPlannedLoad();
  ShowAcInstructions();
}

void VerifyForm::ToleranceChange() {
  Recheck();
}

void VerifyForm::Recheck() {
  result_ = CheckPoints(points_, Span());
  ShowGrid();
  ShowFit();
  s_.cmdRemovePoint.enabled = !points_.empty();
  // Opening the window leaves an earlier verification as it is; once a point
  // is read this check replaces it, and only a passing check leaves a line
  // to hand on.
  if (!checkBegun_) return;
  VerifiedLine& verified = session_.config.Verified[chan_];
  verified.passed = result_.passed && result_.verified.has_value();
  verified.m = verified.passed ? static_cast<float>(result_.verified->m) : 0.0f;
  verified.b = verified.passed ? static_cast<float>(result_.verified->b) : 0.0f;
}

void VerifyForm::ShowGrid() {
  Grid& grid = s_.grdPoints;
  grid.Resize(static_cast<int>(result_.points.size()) + 1, kPointCols);
  auto optional = [](const std::optional<double>& value, int decimals, bool sign) {
    if (!value) return std::string("-");
    return sign ? Signed(*value, decimals) : Fixed(*value, decimals);
  };
  const int decimals = LoadDecimals(Span().Span());
  for (std::size_t i = 0; i < result_.points.size(); ++i) {
    const PointCheck& check = result_.points[i];
    auto& row = grid.cells[i + 1];
    row[0] = std::to_string(i + 1);
    row[kPtColApplied] = Fixed(check.point.applied, decimals);
    row[kPtColVolts] = Fixed(check.point.volts, 4) + (check.railed ? " (rail)" : "");
    row[kPtColRecord] = Fixed(check.recordLoad, decimals);
    row[kPtColFile] = optional(check.fileLoad, decimals, false);
    row[kPtColVerified] = optional(check.verifiedLoad, decimals, false);
    row[kPtColRecordError] = Signed(check.recordError, 2);
    row[kPtColFileError] = optional(check.fileError, 2, true);
    row[kPtColVerifiedError] = optional(check.verifiedError, 2, true);
  }
}

void VerifyForm::ShowFit() {
  s_.lblVerdict.caption = result_.verdict;
  if (!result_.verified) {
    // Why there is no line yet: no verdict either.
    s_.lblFit.caption = result_.verdict;
    s_.lblVerdict.caption.clear();
  } else {
    const LoadLine& line = *result_.verified;
    s_.lblFit.caption = "Verified line y = m x + b: m=" +
                        GeneralFormat(static_cast<float>(line.m)) +
                        ", b=" + GeneralFormat(static_cast<float>(line.b)) + "\nLinearity " +
                        Fixed(result_.linearityPercent, 2) + " % of span, zero error " +
                        Signed(result_.zeroErrorPercent, 2) + " % of span, span error " +
                        Signed(result_.spanErrorPercent, 2) + " % of span";
  }
  if (!result_.fileWarning.empty()) {
    s_.lblVerdict.caption += (s_.lblVerdict.caption.empty() ? "" : "\n") + result_.fileWarning;
  }
  s_.cmdCertificate.enabled = result_.verified.has_value();
}

void VerifyForm::ZeroOffsetClick() {
  if (ac_ == AcStep::JumperOn) {
    ac_ = AcStep::Zeroing;
    s_.cmdZeroOffset.caption = "&Finish Zeroing";
    s_.cmdReadPoint.enabled = false;
    s_.lblLive.visible = true;
    s_.lblLive.caption = "";
    guidance_.Reset();
    s_.tmrLive.enabled = true;
  } else if (ac_ == AcStep::Zeroing) {
    s_.tmrLive.enabled = false;
    StopRead();
    ++generation_;
    readInFlight_ = false;
    ac_ = AcStep::Done;
    s_.cmdZeroOffset.visible = false;
    s_.cmdReadPoint.enabled = false;
  }
  ShowAcInstructions();
}

void VerifyForm::LiveTimerTick() {
  if (!s_.tmrLive.enabled || readInFlight_) return;
  StartRead(true);
}

TurnAdvice VerifyForm::Advice() const {
  if (ac_ != AcStep::Zeroing) return {};
  TurnedTrimpot turned;
  turned.sense = ClockwiseSense(session_.config.Channels[chan_].CardType, Trimpot::Offset);
  return guidance_.Advice(turned);
}

void VerifyForm::CertificateClick() {
  if (!result_.verified) return;
  if (s_.txtOperator.text.empty()) {
    messages_.Show("Enter the operator's name for the certificate.", "Attention!",
                   MsgIcon::Information, MsgButtons::OK);
    return;
  }
  run_.operatorName = s_.txtOperator.text;
  if (history_ != nullptr) {
    run_.certificates = std::max(run_.certificates, history_->CertificatesKept());
  }
  ++run_.certificates;
  const CalendarDate today = session_.SystemTime().Today();
  char date[16];
  std::snprintf(date, sizeof date, "%04d%02d%02d", today.year, today.month, today.day);
  const std::string number = Channel().ChannelLabel + "-" + date + "-" +
                             std::to_string(run_.certificates);
  // The certificate is printed from the entry the history keeps, so that a
  // reprint from the history reads the same.
  HistoryEntry entry = Entry(number);
  if (history_ != nullptr) {
    history_->Append(entry);
    kept_.emplace(points_, Span().tolerancePercent);
  }
  printer_.PrintDocument(::vernium::CertificateLines(entry),
                         "Calibration Certificate " + Channel().ChannelLabel + ".pdf");
}

HistoryEntry VerifyForm::Entry(const std::string& number) const {
  HistoryEntry entry = CalibrationEntryOf(session_, chan_);
  entry.kind = HistoryKind::Verification;
  entry.tolerancePercent = Span().tolerancePercent;
  entry.result = result_;
  if (residualAfter_) {
    entry.acBefore = residualBefore_;
    entry.acAfter = residualAfter_;
  }
  entry.operatorName = s_.txtOperator.text.empty() ? run_.operatorName : s_.txtOperator.text;
  entry.certificate = number;
  return entry;
}

std::vector<std::string> VerifyForm::CertificateLines(const std::string& number) const {
  return ::vernium::CertificateLines(Entry(number));
}

void VerifyForm::Keep(HistoryEntry& entry) {
  if (history_ == nullptr || !result_.verified) return;
  const double tolerance = Span().tolerancePercent;
  if (kept_ && kept_->second == tolerance && kept_->first.size() == points_.size() &&
      std::equal(points_.begin(), points_.end(), kept_->first.begin(),
                 [](const VerifyPoint& a, const VerifyPoint& b) {
                   return a.applied == b.applied && a.volts == b.volts;
                 })) {
    return;
  }
  history_->Append(entry);
  kept_.emplace(points_, tolerance);
}

void VerifyForm::DoneClick() {
  if (!closeRequested && result_.verified) {
    HistoryEntry entry = Entry("");
    Keep(entry);
  }
  s_.tmrLive.enabled = false;
  StopRead();
  ++generation_;
  readInFlight_ = false;
  closeRequested = true;
}

}  // namespace vernium

// The calibration certificate of a verified channel: one page of text in a
// fixed-pitch face, so that its columns line up on paper as they do here.
#include <cstdio>
#include <string>
#include <vector>

#include "calibration/scaling_file.h"
#include "model/numeric_text.h"
#include "verify/verify_form.h"

namespace vernium {
namespace {

constexpr int kLabelWidth = 28;

std::string Pad(std::string text, std::size_t width) {
  // Widths count characters: the true minus sign is three bytes of one.
  std::size_t shown = 0;
  for (unsigned char c : text) shown += (c & 0xC0) != 0x80 ? 1 : 0;
  if (shown < width) text.insert(0, width - shown, ' ');
  return text;
}

std::string Fact(const std::string& label, const std::string& value) {
  std::string line = "  " + label;
  line.resize(kLabelWidth, ' ');
  return line + value;
}

}  // namespace

std::vector<std::string> VerifyForm::CertificateLines(const std::string& number) const {
  const Configuration& config = session_.config;
  const ChannelConfig& record = config.Channels[chan_];
  const ActualSettings& actual = config.Actual[chan_];
  const CalcSettings& calc = config.Calc[chan_];
  const VerifySpan span = Span();
  const std::string& u = record.Units;
  const CalendarDate today = session_.SystemTime().Today();
  const double seconds = session_.SystemTime().SecondsSinceMidnight();
  char when[40];
  std::snprintf(when, sizeof when, "%04d-%02d-%02d %02d:%02d", today.year, today.month, today.day,
                static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60) % 60);
  const AcqDevice* device = session_.OpenDevice();
  const std::string method = config.Verified[chan_].method.empty()
                                 ? std::string("not recorded")
                                 : config.Verified[chan_].method;

  std::vector<std::string> lines;
  auto add = [&lines](std::string line) { lines.push_back(std::move(line)); };
  add("CALIBRATION CERTIFICATE");
  add("Certificate No. " + number);
  add("");
  add("Instrument");
  add(Fact("Acquisition unit", device != nullptr ? device->DeviceName : "none open"));
  add(Fact("Card type", record.CardType));
  add(Fact("Channel", record.ChannelLabel + " (channel " + std::to_string(chan_) + ")"));
  add(Fact("Coupling / filter", std::string(IsTrue(record.DCCoupled) ? "DC" : "AC") + " / " +
                                    (IsTrue(record.FilterOn) ? record.FilterOption : "Bypass")));
  add("");
  add("Calibration method: " + method);
  add(Fact("Excitation", GeneralFormat(record.Excitation) + " V"));
  add(Fact("Sensitivity", GeneralFormat(record.Sensitivity * 1000.0f) + " mV/V"));
  add(Fact("Sensor full rated load", GeneralFormat(record.FullLoad) + " " + u));
  add(Fact("Tare", GeneralFormat(record.Tare) + " " + u));
  add(Fact("Application maximum load", GeneralFormat(record.MaxLoad) + " " + u));
  if (method == "Shunt Cal") add(Fact("Shunt cal value", GeneralFormat(record.ShuntCalValue) + " " + u));
  if (method == "Two Point") {
    add(Fact("Point 1", GeneralFormat(record.Pnt1Volts * 1000.0f) + " mV = " +
                            GeneralFormat(record.Pnt1Value) + " " + u));
    add(Fact("Point 2", GeneralFormat(record.Pnt2Volts * 1000.0f) + " mV = " +
                            GeneralFormat(record.Pnt2Value) + " " + u));
  }
  add("");
  add("                              Calculated      Measured");
  add("  Input gain              " + Pad(FormatNumber(calc.InputGain, "0.000"), 14) +
      Pad(FormatNumber(actual.InputGain, "0.000"), 14));
  add("  Scale gain              " + Pad(FormatNumber(calc.ScalingGain, "0.000"), 14) +
      Pad(FormatNumber(actual.ScalingGain, "0.000"), 14));
  add("  Offset (V)              " + Pad(FormatNumber(calc.Offset, "0.0000"), 14) +
      Pad(FormatNumber(actual.Offset, "0.0000"), 14));
  add("");
  add("Scaling lines, load (" + u + ") = m x output (V) + b");
  add(Fact("Channel record M, B", "M=" + GeneralFormat(record.M) + ", B=" + GeneralFormat(record.B)));
  if (const auto line = MeasuredScalingLine(record, actual)) {
    add(Fact("Legacy scaling file line", "m=" + GeneralFormat(line->m) + ", b=" + GeneralFormat(line->b)));
  }
  if (result_.verified) {
    add(Fact("Verified line", "m=" + GeneralFormat(static_cast<float>(result_.verified->m)) +
                                  ", b=" + GeneralFormat(static_cast<float>(result_.verified->b))));
  }
  add("");
  add("As-left readings (errors in % of span " + GeneralFormat(static_cast<float>(span.Span())) +
      " " + u + ")");
  // Each column right-aligned under its heading; units are at most eight
  // characters, so the widest heading fits its column.
  add(Pad("Applied (" + u + ")", 20) + Pad("Output (V)", 12) + Pad("Verified (" + u + ")", 22) +
      Pad("Error (%)", 12) + Pad("File err (%)", 14));
  const int decimals = LoadDecimals(span.Span());
  for (const PointCheck& check : result_.points) {
    add(Pad(Fixed(check.point.applied, decimals), 20) + Pad(Fixed(check.point.volts, 4), 12) +
        Pad(check.verifiedLoad ? Fixed(*check.verifiedLoad, decimals) : "-", 22) +
        Pad(check.verifiedError ? Signed(*check.verifiedError, 2) : "-", 12) +
        Pad(check.fileError ? Signed(*check.fileError, 2) : "-", 14));
  }
  add("");
  add(Fact("Linearity", Fixed(result_.linearityPercent, 2) + " % of span"));
  add(Fact("Zero error", Signed(result_.zeroErrorPercent, 2) + " % of span"));
  add(Fact("Span error", Signed(result_.spanErrorPercent, 2) + " % of span"));
  add(Fact("Tolerance", Fixed(span.tolerancePercent, 2) + " % of span"));
  if (residualAfter_) {
    add(Fact("AC output before zeroing", Fixed(residualBefore_.value_or(0.0), 4) + " V"));
    add(Fact("AC output after zeroing", Fixed(*residualAfter_, 4) + " V"));
  }
  add(Fact("Verdict", result_.verdict));
  if (!result_.fileWarning.empty()) add("  " + result_.fileWarning);
  add("");
  add(Fact("Date and time", when));
  add(Fact("Operator", run_.operatorName));
  add("");
  add("");
  add("  Signature: ______________________________      Date: ______________");
  return lines;
}

}  // namespace vernium

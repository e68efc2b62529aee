// The calibration certificate of a verified channel, from its history
// entry: one page of text in a fixed-pitch face, so that its columns line up
// on paper as they do here.
#include <string>
#include <vector>

#include "model/numeric_text.h"
#include "verify/history_entry.h"

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

std::vector<std::string> CertificateLines(const HistoryEntry& entry) {
  const ChannelConfig& record = entry.record;
  const ActualSettings& actual = entry.actual;
  const CalcSettings& calc = entry.calc;
  const VerifyResult& result = entry.result;
  const std::string& u = record.Units;
  const double span = static_cast<double>(record.MaxLoad) - record.Tare;
  // The date and time to the minute.
  const std::string when = entry.recordedAt.substr(0, 16);
  const std::string method = entry.method.empty() ? std::string("not recorded") : entry.method;
  const std::string number = entry.certificate;

  std::vector<std::string> lines;
  auto add = [&lines](std::string line) { lines.push_back(std::move(line)); };
  add("CALIBRATION CERTIFICATE");
  add("Certificate No. " + number);
  add("");
  add("Instrument");
  add(Fact("Acquisition unit", !entry.unit.empty() ? entry.unit : "none open"));
  add(Fact("Card type", record.CardType));
  add(Fact("Channel", record.ChannelLabel + " (channel " + std::to_string(entry.channel) + ")"));
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
  if (const auto& line = entry.scalingLine) {
    add(Fact("Legacy scaling file line", "m=" + GeneralFormat(static_cast<float>(line->m)) +
                                             ", b=" + GeneralFormat(static_cast<float>(line->b))));
  }
  if (result.verified) {
    add(Fact("Verified line", "m=" + GeneralFormat(static_cast<float>(result.verified->m)) +
                                  ", b=" + GeneralFormat(static_cast<float>(result.verified->b))));
  }
  add("");
  add("As-left readings (errors in % of span " + GeneralFormat(static_cast<float>(span)) +
      " " + u + ")");
  // Each column right-aligned under its heading; units are at most eight
  // characters, so the widest heading fits its column.
  add(Pad("Applied (" + u + ")", 20) + Pad("Output (V)", 12) + Pad("Verified (" + u + ")", 22) +
      Pad("Error (%)", 12) + Pad("File err (%)", 14));
  const int decimals = LoadDecimals(span);
  for (const PointCheck& check : result.points) {
    add(Pad(Fixed(check.point.applied, decimals), 20) + Pad(Fixed(check.point.volts, 4), 12) +
        Pad(check.verifiedLoad ? Fixed(*check.verifiedLoad, decimals) : "-", 22) +
        Pad(check.verifiedError ? Signed(*check.verifiedError, 2) : "-", 12) +
        Pad(check.fileError ? Signed(*check.fileError, 2) : "-", 14));
  }
  add("");
  add(Fact("Linearity", Fixed(result.linearityPercent, 2) + " % of span"));
  add(Fact("Zero error", Signed(result.zeroErrorPercent, 2) + " % of span"));
  add(Fact("Span error", Signed(result.spanErrorPercent, 2) + " % of span"));
  add(Fact("Tolerance", Fixed(entry.tolerancePercent, 2) + " % of span"));
  if (entry.acAfter) {
    add(Fact("AC output before zeroing", Fixed(entry.acBefore.value_or(0.0), 4) + " V"));
    add(Fact("AC output after zeroing", Fixed(*entry.acAfter, 4) + " V"));
  }
  add(Fact("Verdict", result.verdict));
  if (!result.fileWarning.empty()) add("  " + result.fileWarning);
  add("");
  add(Fact("Date and time", when));
  add(Fact("Operator", entry.operatorName));
  add("");
  add("");
  add("  Signature: ______________________________      Date: ______________");
  return lines;
}

}  // namespace vernium

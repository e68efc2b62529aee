#include "reports/print_layout.h"

#include <cmath>

#include "model/configuration.h"
#include "model/numeric_text.h"
#include "reports/summary_texts.h"

namespace vernium {

const std::array<std::string_view, 17> kSummaryHeadings{"Channel",
                                                        "        Active",
                                                        "        Excitation",
                                                        "        Sensitivity",
                                                        "      Sensor Full Rated Load ",
                                                        "      Tare",
                                                        "              Max",
                                                        "              Units",
                                                        "             Actual I/Gain",
                                                        "                    Calculated I/Gain",
                                                        "          Actual S/Gain",
                                                        "          Caculated S/Gain",
                                                        "          Offset(mV)",
                                                        "     Filter On",
                                                        "       Coupling",
                                                        "           M",
                                                        "                B"};

std::string PlainNumber(float value) {
  std::string text = GeneralFormat(value);
  if (text.empty() || text.front() != '-') text.insert(text.begin(), ' ');
  text += ' ';
  return text;
}

LinePrinter::LinePrinter(const PrintMetrics& metrics, double pageHeight)
    : metrics_(metrics), pageHeight_(pageHeight) {}

void LinePrinter::Write(std::string_view text) {
  if (text.empty()) return;
  texts_.push_back({page_, x_, y_, std::string(text), font_});
  x_ += metrics_.TextWidth(text, font_);
}

void LinePrinter::NextZone() {
  const double zone = kPrintZoneChars * metrics_.AverageCharWidth(font_);
  if (zone <= 0.0) return;
  const double done = std::floor((x_ - kPrintMarginTwips) / zone + 1e-9);
  x_ = kPrintMarginTwips + (done + 1.0) * zone;
}

void LinePrinter::Tab(int column) {
  const double at = kPrintMarginTwips + (column - 1) * metrics_.AverageCharWidth(font_);
  if (x_ > at) EndLine();
  x_ = at;
}

void LinePrinter::EndLine() {
  const double height = metrics_.LineHeight(font_);
  x_ = kPrintMarginTwips;
  y_ += height;
  if (y_ + height > pageHeight_ - kPrintMarginTwips) {
    ++page_;
    y_ = kPrintMarginTwips;
  }
}

SummaryPrintout LayOutSummary(const Configuration& config, const PrintMetrics& metrics,
                              double pageHeight) {
  LinePrinter out(metrics, pageHeight);
  out.MoveTo(kPrintMarginTwips, kPrintMarginTwips);

  out.SetFont({12.0, true});
  out.Tab(70);
  out.Write(kSummaryTitle);
  out.EndLine();

  out.SetFont({7.0, true});
  out.EndLine();  // the two carriage returns
  out.EndLine();
  for (std::string_view heading : kSummaryHeadings) out.Write(heading);
  out.EndLine();
  out.EndLine();  // one carriage return

  out.SetFont({7.0, false});
  for (int chan = kFirstChannel; chan <= kLastChannel; ++chan) {
    const ChannelConfig& ch = config.Channels[chan];
    if (!IsTrue(ch.Active)) continue;
    if (ch.Calibrated == "Yes") {
      const CalcSettings& calc = config.Calc[chan];
      const ActualSettings& actual = config.Actual[chan];
      const std::array<std::string, 20> items{ch.ChannelLabel,
                                              "Yes",
                                              PlainNumber(ch.Excitation),
                                              PlainNumber(ch.Sensitivity),
                                              PlainNumber(ch.FullLoad),
                                              PlainNumber(ch.Tare),
                                              PlainNumber(ch.MaxLoad),
                                              ch.Units,
                                              FormatNumber(actual.InputGain, "#000.00"),
                                              "",
                                              FormatNumber(calc.InputGain, "#000.00"),
                                              "",
                                              FormatNumber(actual.ScalingGain, "0.000"),
                                              "",
                                              FormatNumber(calc.ScalingGain, "0.000"),
                                              FormatNumber(actual.Offset, "0.000"),
                                              SummaryFilterText(ch),
                                              SummaryCouplingText(ch),
                                              FormatNumber(ch.M, "0.000"),
                                              FormatNumber(ch.B, "0.000")};
      for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) out.NextZone();
        out.Write(items[i]);
      }
      out.NextZone();  // the closing empty item, then the carriage return
      out.EndLine();
    } else {
      out.Write(ch.ChannelLabel);
      out.NextZone();
      out.Write("Yes");
      for (int i = 0; i < 16; ++i) out.NextZone();
      out.EndLine();
    }
  }
  return out.Take();
}

}  // namespace vernium

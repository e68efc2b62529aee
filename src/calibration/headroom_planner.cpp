#include "calibration/headroom_planner.h"

#include <cmath>
#include <cstdio>
#include <array>
#include <tuple>
#include <string_view>

#include "calibration/numeric_fields.h"
#include "model/numeric_text.h"

namespace vernium {

namespace {

std::string Num(double value, const char* format = "%.6g") {
  char text[48];
  std::snprintf(text, sizeof text, format, value);
  std::string shown = text;
  // A value that rounds to nothing shows without a sign: "0.0000", not "-0.0000".
  if (shown.starts_with('-') && shown.find_first_not_of("0.", 1) == std::string::npos) {
    shown.erase(0, 1);
  }
  return shown;
}

std::string Volts(double value) { return Num(value, "%.4f") + " V"; }

// The output stage is made to reach 5 V at the maximum load: that is the
// full scale the calculation aims at, not a stage running out of room, so
// it only counts when it goes past it (by more than the float arithmetic's
// millivolt). The inner stages need their margin.
StageVolts Stage(std::string name, double atTare, double atMax, bool output = false) {
  StageVolts s{std::move(name), atTare, atMax, false, false};
  const double clipsAbove = output ? kRailVoltsPlanned + 0.001 : kRailVoltsPlanned;
  for (double v : {atTare, atMax}) {
    if (std::fabs(v) > clipsAbove) s.clips = true;
    if (!output && std::fabs(v) > kRailVoltsPlanned - kRailMarginVolts) s.nearRail = true;
  }
  s.nearRail = s.nearRail || s.clips;
  return s;
}

// Each enabled numeric entry outside its field's range, with the range and
// what leaving the field will make of it.
void RangeWarnings(const PreCalState& e, std::vector<std::string>& warnings) {
  struct Entry {
    std::string_view name;
    const TextBox PreCalState::*box;
    const Label PreCalState::*caption;
  };
  const std::array<Entry, kNumericFields.size()> entries{{
      {"txtExcite", &PreCalState::txtExcite, &PreCalState::lblExcite},
      {"txtSense", &PreCalState::txtSense, &PreCalState::lblSense},
      {"txtFullLoad", &PreCalState::txtFullLoad, &PreCalState::lblFullLoad},
      {"txtMaxLoad", &PreCalState::txtMaxLoad, &PreCalState::lblMaxLoad},
      {"txtOffset", &PreCalState::txtOffset, &PreCalState::lblOffset},
      {"txtPnt1mVolts", &PreCalState::txtPnt1mVolts, &PreCalState::lblPnt1mVolts},
      {"txtPnt1Value", &PreCalState::txtPnt1Value, &PreCalState::lblPnt1Value},
      {"txtPnt2mVolts", &PreCalState::txtPnt2mVolts, &PreCalState::lblPnt2mVolts},
      {"txtPnt2Value", &PreCalState::txtPnt2Value, &PreCalState::lblPnt2Value},
      {"txtShuntCalValue", &PreCalState::txtShuntCalValue, &PreCalState::lblShuntCalValue},
  }};
  for (const Entry& entry : entries) {
    const TextBox& box = e.*entry.box;
    const NumericField& field = *FindNumericField(entry.name);
    if (!box.enabled || !OutOfRange(field, box.text)) continue;
    warnings.push_back((e.*entry.caption).caption + " " + box.text + " is outside " +
                       RangeText(field, e.lblUnits[0].caption) + "; leaving the field makes it " +
                       ValidateRange(box.text, field).text + ".");
  }
}

}  // namespace

HeadroomPlan PlanHeadroom(const PreCalState& entries, int method, const ChannelConfig& channel) {
  HeadroomPlan plan;
  RangeWarnings(entries, plan.warnings);
  // Continue looks at nothing else while an entry is unusable.
  switch (CheckEntries(entries)) {
    case EntryCheck::LoneDecimalPoint:
      plan.refusals.push_back("\"Please enter valid data.\" (a field holds only a decimal point)");
      return plan;
    case EntryCheck::EmptyEntry:
      plan.refusals.push_back(
          "\"Please enter valid data.\" (the maximum load, the tare or the shunt value is empty)");
      return plan;
    case EntryCheck::Usable:
      break;
  }
  ChannelConfig record = channel;
  EntriesInto(entries, record);
  auto line = [&](std::string what, std::string formula, std::string numbers, std::string result) {
    plan.lines.push_back({std::move(what), std::move(formula), std::move(numbers), std::move(result)});
  };

  if (method != kMethodNameplate) {
    // The millivolts as typed, as Continue hands them over.
    auto typed = [](const TextBox& box) { return static_cast<float>(LeadingNumber(box.text)); };
    const NameplateFromPoints reduced =
        ReducePoints(record.Excitation, typed(entries.txtPnt1mVolts), record.Pnt1Value,
                     typed(entries.txtPnt2mVolts), record.Pnt2Value);
    if (!reduced.enoughPoints) {
      // Continue says so and goes on with the Nameplate entries as they stand.
      plan.warnings.push_back(
          "Two points are needed: an output and a value for at least one non-zero point. "
          "Continue will report that and then use the Nameplate entries.");
    } else if (reduced.sensitivityAndFullLoad) {
      std::tie(record.Sensitivity, record.FullLoad) = *reduced.sensitivityAndFullLoad;
      line("Sensitivity from the point", "S = output / E",
           "output / " + Num(record.Excitation), Num(record.Sensitivity * 1000.0) + " mV/V");
      line("Full load from the point", "F = the point's value", "", Num(record.FullLoad));
    }
  }

  plan.gains = PlanGains(record);
  const GainPlan& g = plan.gains;
  const std::string load = Num(record.FullLoad) + " x " + Num(record.Excitation) + " x " +
                           Num(record.Sensitivity);
  line("Bridge at tare", "VT = T / F x E x S", Num(record.Tare) + " / " + load, Volts(g.vt));
  line("Bridge at maximum load", "VM = M / F x E x S", Num(record.MaxLoad) + " / " + load,
       Volts(g.vm));
  line("Span", "VM - VT", Num(g.vm) + " - " + Num(g.vt), Volts(g.span));
  line("Filter gain", "2 with the filter on at gain X2, else 1",
       !IsTrue(record.FilterOn) ? "(filter bypassed)"
       : IsTrue(record.GainX2)  ? "(filter on, X2)"
                                : "(filter on, X1)",
       Num(g.filterGain));

  switch (g.outcome) {
    case GainOutcome::SpanOutOfRange:
      plan.refusals.push_back("The span " + Volts(g.span) + " is outside " + Num(kMinSpanVolts) +
                              " to " + Num(kMaxSpanVolts) + " V.");
      break;
    case GainOutcome::Fault:
      plan.refusals.push_back("The parameters give a division by zero or an overflow.");
      break;
    case GainOutcome::RatioOutOfRange:
    case GainOutcome::Fits: {
      line("Gain ratio", "G = sqrt(0.05 / span), within 1 to 3.161",
           "sqrt(0.05 / " + Num(g.span) + ")", Num(g.g, "%.4f"));
      if (g.outcome == GainOutcome::RatioOutOfRange) {
        plan.refusals.push_back("The gain ratio " + Num(g.g, "%.4f") +
                                " is outside 1 to 3.161 (the span must be about 0.005 V or more).");
        break;
      }
      const std::string root = " / sqrt(" + Num(g.filterGain) + ")";
      line("Input gain", "G x 100 / sqrt(filter gain)", Num(g.g, "%.4f") + " x 100" + root,
           Num(g.inputGain, "%.2f"));
      line("Scale gain", "G / sqrt(filter gain)", Num(g.g, "%.4f") + root, Num(g.scalingGain, "%.4f"));
      line("Offset", "VT x input gain", Num(g.vt) + " x " + Num(g.inputGain, "%.2f"),
           Volts(g.offset));
      // The stages at the tare and at the maximum load, as the card will be set.
      const double input[2] = {g.inputGain * static_cast<double>(g.vt) - g.offset,
                               g.inputGain * static_cast<double>(g.vm) - g.offset};
      const double filter[2] = {input[0] * g.filterGain, input[1] * g.filterGain};
      plan.stages.push_back(Stage("Input stage (after offset correction)", input[0], input[1]));
      plan.stages.push_back(Stage("Filter stage", filter[0], filter[1]));
      plan.stages.push_back(
          Stage("Scale stage (output)", filter[0] * g.scalingGain, filter[1] * g.scalingGain, true));
      for (const StageVolts& s : plan.stages) {
        if (s.clips) {
          plan.warnings.push_back(s.stage + " goes beyond the 5 V rail at the maximum load (" +
                                  Volts(s.atMax) + "): the output clips.");
        } else if (s.nearRail) {
          plan.warnings.push_back(s.stage + " comes within " + Num(kRailMarginVolts) +
                                  " V of a rail (" + Volts(s.atMax) + ").");
        }
      }
      break;
    }
  }

  const ShuntOutput shunt =
      CheckShuntOutput(LeadingNumber(entries.txtShuntCalValue.text),
                       LeadingNumber(entries.txtOffset.text), LeadingNumber(entries.txtMaxLoad.text),
                       method);
  if (!shunt.maxAboveTare) {
    plan.refusals.insert(plan.refusals.begin(),
                         "The maximum load must be greater than the tare.");
  } else {
    line("Shunt output", "v = 5 x (S - T) / (M - T)",
         "5 x (" + entries.txtShuntCalValue.text + " - " + entries.txtOffset.text + ") / (" +
             entries.txtMaxLoad.text + " - " + entries.txtOffset.text + ")",
         Volts(shunt.v));
    if (shunt.outOfRange) {
      plan.refusals.insert(plan.refusals.begin(),
                           "The shunt output v = " + Volts(shunt.v) +
                               (method == kMethodShuntCal ? " is outside -5 to 5 V."
                                                          : " is below -5 V."));
    }
  }
  return plan;
}

std::string HeadroomText(const HeadroomPlan& plan) {
  // The verdict and its warnings first, where the box shows them without
  // scrolling; the arithmetic after them.
  std::string text;
  for (const std::string& r : plan.refusals) text += "Continue will refuse: " + r + "\n";
  if (plan.refusals.empty() && plan.gains.outcome == GainOutcome::Fits) {
    text += plan.warnings.empty()
                ? "The application fits the card.\n"
                : "Continue will accept these entries, but mind the warning below.\n";
  }
  for (const std::string& w : plan.warnings) text += "Warning: " + w + "\n";
  if (!plan.lines.empty()) text += "\n";
  for (const PlannerLine& l : plan.lines) {
    text += l.what + ": " + l.formula;
    // Numbers put into the formula follow "="; a note on them, in brackets.
    if (!l.numbers.empty()) text += (l.numbers.front() == '(' ? " " : " = ") + l.numbers;
    text += " = " + l.result + "\n";
  }
  if (!plan.stages.empty()) {
    text += "\nStage outputs (tare / maximum load, rails at \xC2\xB1" "5 V):\n";
    for (const StageVolts& s : plan.stages) {
      text += "  " + s.stage + ": " + Volts(s.atTare) + " / " + Volts(s.atMax) +
              (s.clips ? "  CLIPS" : s.nearRail ? "  near the rail" : "") + "\n";
    }
  }
  return text;
}

}  // namespace vernium

#include "scenario_runner/technician.h"

#include <string_view>

#include "simulator/simulated_unit.h"
#include "model/numeric_text.h"
#include "scenario_runner/scenario_messages.h"
#include "scenario_runner/widget_access.h"

namespace vernium::scenario {
namespace {

bool Has(const std::string& text, std::string_view part) {
  return text.find(part) != std::string::npos;
}

std::string Shows(const std::string& control, std::string* error) {
  const auto ref = ParseControlRef(control, false);
  ControlRef withText = *ref;
  withText.property = "text";
  return ReadProperty(withText, error).value_or("");
}

bool Enabled(const std::string& control) {
  auto ref = ParseControlRef(control, false);
  ref->property = "enabled";
  std::string error;
  return ReadProperty(*ref, &error).value_or("false") == "true";
}

// Does what a message tells about the switches and jumpers of the card; a
// part the card does not have is left alone, as a person would.
void Obey(const std::string& text, SimulatedBench& bench, int channel) {
  if (Has(text, "CAL/NORM switch to CAL")) bench.SetCalNorm(channel, CalSwitch::Cal);
  if (Has(text, "CAL/NORM switch to NORM")) bench.SetCalNorm(channel, CalSwitch::Run);
  if (Has(text, "CAL1 switch to the RUN position and turn the CAL2 switch to the CAL")) {
    bench.SetCal1(channel, CalSwitch::Run);
    bench.SetCal2(channel, CalSwitch::Cal);
  } else if (Has(text, "CAL1 and CAL2 switch")) {
    const CalSwitch to = Has(text, "CAL position") ? CalSwitch::Cal : CalSwitch::Run;
    bench.SetCal1(channel, to);
    bench.SetCal2(channel, to);
  }
  if (Has(text, "remove resistor R")) bench.SetFilterGainResistor(channel, false);
  if (Has(text, "Make sure resistor R")) bench.SetFilterGainResistor(channel, true);
  if (Has(text, "to filter position")) bench.SetFilterJumper(channel, FilterJumper::Engaged);
  if (Has(text, "to bypass position")) bench.SetFilterJumper(channel, FilterJumper::Bypass);
}

void ReadNewMessages(ScenarioHost& host, TechnicianState& s, int channel) {
  const auto& shown = host.Messages().Shown();
  for (; s.messagesRead < shown.size(); ++s.messagesRead) {
    Obey(shown[s.messagesRead].text, host.Unit().Bench(), channel);
  }
}

std::optional<Step> AdjustStep(const std::string& line) {
  std::string error;
  auto tokens = Tokenize(line, &error);
  if (!tokens) return std::nullopt;
  Step step;
  step.source = line;
  step.tokens = std::move(*tokens);
  return step;
}

}  // namespace

std::optional<std::string> RunTechnician(const Step& step, ScenarioHost& host, TechnicianState& s) {
  using Phase = TechnicianState::Phase;
  if (step.Arg(1) != "calibrates" || step.Arg(2).empty()) {
    return std::string("technician calibrates CHANNEL");
  }
  const int channel = static_cast<int>(LeadingNumber(step.Arg(2)));
  SimulatedBench& bench = host.Unit().Bench();
  if (!s.active) {
    s = TechnicianState{};
    s.active = true;
    ReadNewMessages(host, s, channel);  // the jumper advice, if nobody read it yet
  }
  auto fail = [&s](std::string why) {
    s = TechnicianState{};
    return std::optional<std::string>(std::move(why));
  };

  if (s.phase == Phase::Adjusting) {
    auto done = RunBenchStep(s.adjust, host, s.bench);
    if (!done) return std::nullopt;
    if (!done->empty()) return fail("at \"" + s.adjust.source + "\": " + *done);
    s.phase = Phase::Next;
  }

  if (s.phase == Phase::Next) {
    // Next, answering and obeying each switch message it brings.
    if (++s.nexts > 12) return fail("the wizard did not come to its completion");
    for (int i = 0; i < 3; ++i) host.Messages().Queue(MsgAnswer::OK);
    const std::string clicked = Click(*ParseControlRef("cmdNext", false), false);
    host.Messages().DropQueuedAnswers();
    if (!clicked.empty()) return fail(clicked);
    ReadNewMessages(host, s, channel);
    s.phase = Phase::Reading;
    return std::nullopt;
  }

  std::string error;
  const std::string caption = Shows("fraCalibrator", &error);
  if (!error.empty()) return fail("no wizard on screen: " + error);
  const std::string directions = Shows("lblDirections", &error);
  if (!Enabled("cmdNext")) {
    // Completion: what the directions still ask, and the shunt taken off.
    if (Has(directions, "for AC coupling")) bench.SetCoupling(channel, Coupling::AC);
    if (s.shuntAttached) bench.SetShunt(channel, false);
    s = TechnicianState{};
    return std::string();
  }

  // The step on screen: the bench set up as the directions say, then the
  // highlighted trimpot turned.
  if (Has(directions, "quiesent load applied")) {
    bench.SetLoad(channel, LeadingNumber(Shows("txtOffset", &error)));
  }
  if (Has(directions, "in filter position")) bench.SetFilterJumper(channel, FilterJumper::Engaged);
  const bool shunt = Has(directions, "shunt resistor in place");
  if (shunt) {
    bench.SetLoad(channel, 0.0);
    if (bench.SetShunt(channel, true)) s.shuntAttached = true;
  }
  const std::string ch = std::to_string(channel);
  std::string line;
  if (caption == "Excitation" && Has(directions, "voltmeter")) {
    const auto at = directions.find("excitation voltage of ");
    if (at == std::string::npos) return fail("no excitation voltage in the directions");
    const double volts = LeadingNumber(directions.substr(at + 22));
    line = "bench adjust " + ch + " excitation until voltmeter excitation reads " +
           GeneralFormat(static_cast<float>(volts)) + " 0.0005";
  } else if (caption == "Excitation" && Has(directions, "digital indicator")) {
    line = "bench adjust " + ch + " excitation until lblgage reads lblTarget 0.002";
  } else if (caption == "Offset" || caption == "Tare Offset") {
    line = "bench adjust " + ch + " offset until lblgage reads lblTarget";
  } else if (caption == "Input Gain") {
    line = "bench adjust " + ch + (shunt ? " scale" : " input") + " until lblgage reads lblTarget";
  } else if (caption == "Scale Gain") {
    line = "bench adjust " + ch + " scale until lblgage reads lblTarget";
  }
  if (line.empty()) {
    s.phase = Phase::Next;
    return std::nullopt;
  }
  s.adjust = *AdjustStep(line);
  s.bench = BenchStepState{};
  s.phase = Phase::Adjusting;
  return std::nullopt;
}

}  // namespace vernium::scenario

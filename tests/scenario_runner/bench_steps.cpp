#include "scenario_runner/bench_steps.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string_view>

#include "simulator/simulated_unit.h"
#include "model/numeric_text.h"
#include "scenario_runner/widget_access.h"

namespace vernium::scenario {
namespace {

std::optional<Trimpot> TrimpotNamed(std::string_view name) {
  if (name == "excitation") return Trimpot::Excitation;
  if (name == "offset") return Trimpot::Offset;
  if (name == "input") return Trimpot::InputGain;
  if (name == "scale") return Trimpot::ScaleGain;
  return std::nullopt;
}

bool IsNumber(const std::string& text) {
  if (text.empty()) return false;
  const char c = text[0];
  return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.';
}

std::string Refused(const Step& step) {
  return "the bench refused \"" + step.source + "\" (no card there, or no such part)";
}

// The number a control shows, or what a voltmeter on the bench reads.
std::optional<double> Reading(const std::vector<Token>& t, std::size_t at, ScenarioHost& host,
                              int channel, std::string* shown, std::string* error) {
  if (t[at].text == "voltmeter" && at + 1 < t.size()) {
    const auto back = host.Unit().Bench().Readback(channel);
    if (!back) {
      *error = "no card on channel " + std::to_string(channel);
      return std::nullopt;
    }
    if (t[at + 1].text == "excitation") return back->excitation;
    if (t[at + 1].text == "output") return back->outputVolts;
    *error = "a voltmeter reads excitation or output";
    return std::nullopt;
  }
  const auto ref = ParseControlRef(t[at].text, false);
  if (!ref) {
    *error = "cannot read the control name " + t[at].text;
    return std::nullopt;
  }
  ControlRef withText = *ref;
  withText.property = "text";
  const auto text = ReadProperty(withText, error);
  if (!text) return std::nullopt;
  if (shown) *shown = *text;
  // A number may carry a real minus sign (U+2212), as the guidance shows it.
  std::string number = *text;
  if (number.rfind("\xE2\x88\x92", 0) == 0) number.replace(0, 3, "-");
  if (!IsNumber(number)) {
    *error = t[at].text + " shows no number: \"" + *text + "\"";
    return std::nullopt;
  }
  return LeadingNumber(number);
}

// While the wizard's guidance says the reading is on the rail, the way it
// says to turn the trimpot: +1 clockwise, -1 counter-clockwise; nothing
// when it says otherwise, is not on screen or knows no turn sense.
std::optional<double> GuidanceWayOffTheRail() {
  auto shows = [](const char* name) {
    ControlRef ref = *ParseControlRef(name, false);
    ref.property = "text";
    std::string error;
    return ReadProperty(ref, &error).value_or("");
  };
  if (shows("lblGuideSettle") != "On the rail") return std::nullopt;
  const std::string way = shows("lblGuideWay");
  if (way.find("turn counter-clockwise") != std::string::npos) return -1.0;
  if (way.find("turn clockwise") != std::string::npos) return 1.0;
  return std::nullopt;
}

// Turning a trimpot by feedback from a reading, as a careful person would:
// a trial turn to learn which way and how fast the reading moves, then
// turns sized from that, waiting for the display to show a fresh reading
// after each. A reading on the rail shows no movement: while the wizard's
// guidance says so, the trimpot is turned the way it says, twice as far
// each time, until the reading comes off the rail; a turn that moved
// nothing otherwise is tried the other way and twice as far. `readAt` is
// the token of NAME in "... until NAME reads VALUE [TOL]"; `turn` turns the
// trimpot by a signed number of turns (clockwise up).
using TurnBy = std::function<std::string(double turns)>;
std::optional<std::string> Feedback(const Step& step, std::size_t readAt, int channel,
                                    const TurnBy& turn, ScenarioHost& host, BenchStepState& s) {
  const auto& t = step.tokens;
  const bool voltmeter = t[readAt].text == "voltmeter";
  const std::size_t readsAt = readAt + (voltmeter ? 2 : 1);
  if (t.size() <= readsAt + 1 || t[readsAt].text != "reads") {
    return std::string("... until NAME reads VALUE [TOL]");
  }
  std::string error;
  double target = 0.0;
  if (IsNumber(t[readsAt + 1].text)) {
    target = LeadingNumber(t[readsAt + 1].text);
  } else {
    const auto value = Reading(t, readsAt + 1, host, channel, nullptr, &error);
    if (!value) return error;
    target = *value;
  }
  const double tol = t.size() > readsAt + 2 ? LeadingNumber(t[readsAt + 2].text) : 0.0005;

  const auto now = std::chrono::steady_clock::now();
  if (!s.active) {
    s = BenchStepState{};
    s.active = true;
    s.settleUntil = now;  // a blank display gets its grace time from here
  } else if (now < s.settleUntil) {
    return std::nullopt;
  }
  std::string shown;
  const auto reading = Reading(t, readAt, host, channel, &shown, &error);
  if (!reading) {
    // The display may be blank between readings; give it time.
    if (s.iterations < 200 && now < s.settleUntil + std::chrono::seconds(3)) return std::nullopt;
    return error;
  }
  // After a turn, wait until the display has taken a new reading.
  if (!voltmeter && s.lastReading && shown == s.shownBefore &&
      now < s.settleUntil + std::chrono::seconds(2)) {
    return std::nullopt;
  }
  if (std::fabs(*reading - target) <= tol) {
    s = BenchStepState{};
    return std::string();
  }
  if (++s.iterations > 60) {
    s = BenchStepState{};
    return "gave up: " + t[readAt].text + " reads " + std::to_string(*reading) + ", target " +
           std::to_string(target);
  }
  const std::optional<double> offTheRail =
      voltmeter ? std::nullopt : GuidanceWayOffTheRail();
  double turns = 0.5;  // the trial turn
  bool stuck = false;  // the last turn moved nothing
  // A turn from or onto the rail moved the reading less than the trimpot
  // moves it: it tells nothing of the slope.
  if (s.lastReading && s.lastTurns != 0.0 && !offTheRail && !s.lastRailed) {
    const double measured = (*reading - *s.lastReading) / s.lastTurns;
    if (std::fabs(measured) > 1e-9) s.slope = measured;
    stuck = std::fabs(measured) <= 1e-9;
  }
  if (offTheRail) {
    const bool again = s.lastRailed && s.lastTurns * *offTheRail > 0.0;
    turns = *offTheRail * (again ? std::min(2.0 * std::fabs(s.lastTurns), kTrimpotTurns) : 2.0);
  } else if (s.slope) {
    turns = (target - *reading) / *s.slope;
    turns = std::clamp(turns, -6.0, 6.0);
    if (std::fabs(turns) < 1e-6) turns = turns < 0 ? -1e-6 : 1e-6;
  } else if (stuck) {
    turns = std::clamp(-2.0 * s.lastTurns, -kTrimpotTurns, kTrimpotTurns);
  }
  if (std::string refused = turn(turns); !refused.empty()) {
    s = BenchStepState{};
    return refused;
  }
  s.lastReading = reading;
  s.lastTurns = turns;
  s.lastRailed = offTheRail.has_value();
  s.shownBefore = shown;
  s.settleUntil = now + std::chrono::milliseconds(voltmeter ? 0 : 150);
  return std::nullopt;
}

// bench adjust CHANNEL POT until NAME reads VALUE [TOL]: turns the bench's
// trimpot directly.
std::optional<std::string> Adjust(const Step& step, ScenarioHost& host, BenchStepState& s) {
  const auto& t = step.tokens;
  if (t.size() < 7 || t[4].text != "until") {
    return std::string("bench adjust CHANNEL POT until NAME reads VALUE [TOL]");
  }
  const int channel = static_cast<int>(LeadingNumber(t[2].text));
  const auto pot = TrimpotNamed(t[3].text);
  if (!pot) return "no trimpot " + t[3].text;
  return Feedback(
      step, 5, channel,
      [&](double turns) {
        return host.Unit().Bench().TurnTrimpot(channel, *pot, turns) ? std::string()
                                                                     : Refused(step);
      },
      host, s);
}

}  // namespace

std::optional<std::string> RunBenchStep(const Step& step, ScenarioHost& host,
                                        BenchStepState& state) {
  const auto& t = step.tokens;
  if (t.size() < 2) return std::string("bench what?");
  const std::string& what = t[1].text;
  SimulatedBench& bench = host.Unit().Bench();
  auto arg = [&](std::size_t i) { return i < t.size() ? t[i].text : std::string(); };
  auto channel = [&] { return static_cast<int>(LeadingNumber(arg(2))); };
  auto done = [&](bool ok) { return ok ? std::string() : Refused(step); };

  if (what == "adjust") return Adjust(step, host, state);
  if (what == "unit") {
    if (host.Started()) return std::string("bench unit is for before the start");
    return bench.MoveUnitToFront(arg(2)) ? std::string() : "no simulated unit " + arg(2);
  }
  if (what == "pacing") {
    if (arg(2) == "realtime") bench.SetPacing(Pacing::Realtime);
    else if (arg(2) == "instant") bench.SetPacing(Pacing::Instant);
    else return std::string("bench pacing realtime|instant");
    return std::string();
  }
  if (what == "noise") return done(bench.SetNoise(LeadingNumber(arg(2))));
  if (what == "load") return done(bench.SetLoad(channel(), LeadingNumber(arg(3))));
  if (what == "trimpot" || what == "turn") {
    const auto pot = TrimpotNamed(arg(3));
    if (!pot) return "no trimpot " + arg(3);
    const double value = LeadingNumber(arg(4));
    return done(what == "trimpot" ? bench.SetTrimpot(channel(), *pot, value)
                                  : bench.TurnTrimpot(channel(), *pot, value));
  }
  if (what == "filter") {
    if (arg(3) != "bypass" && arg(3) != "engaged") return std::string("bypass|engaged");
    return done(bench.SetFilterJumper(
        channel(), arg(3) == "bypass" ? FilterJumper::Bypass : FilterJumper::Engaged));
  }
  if (what == "resistor") {
    if (arg(3) != "in" && arg(3) != "out") return std::string("in|out");
    return done(bench.SetFilterGainResistor(channel(), arg(3) == "in"));
  }
  if (what == "coupling") {
    if (arg(3) != "DC" && arg(3) != "AC") return std::string("DC|AC");
    return done(bench.SetCoupling(channel(), arg(3) == "DC" ? Coupling::DC : Coupling::AC));
  }
  if (what == "shunt") {
    if (arg(3) != "in" && arg(3) != "out") return std::string("in|out");
    return done(bench.SetShunt(channel(), arg(3) == "in"));
  }
  if (what == "switch") {
    const std::string& name = arg(3);
    const std::string& position = arg(4);
    const bool cal = position == "CAL";
    if (!cal && position != "NORM" && position != "RUN") return std::string("CAL|NORM|RUN");
    const CalSwitch value = cal ? CalSwitch::Cal : CalSwitch::Run;
    if (name == "CALNORM") return done(bench.SetCalNorm(channel(), value));
    if (name == "CAL1") return done(bench.SetCal1(channel(), value));
    if (name == "CAL2") return done(bench.SetCal2(channel(), value));
    return "no switch " + name;
  }
  if (what == "fault") {
    const std::string& repeat = arg(4);
    if (repeat != "once" && repeat != "always") return std::string("once|always");
    return bench.FailOperation(arg(2), static_cast<AcqStatus>(LeadingNumber(arg(3))),
                               repeat == "once" ? FaultRepeat::Once : FaultRepeat::UntilCleared)
               ? std::string()
               : "no library operation " + arg(2);
  }
  if (what == "clear") {
    bench.ClearFaults();
    bench.SetOnline(true);
    return std::string();
  }
  if (what == "offline") {
    bench.SetOnline(false);
    return std::string();
  }
  return "unknown bench step " + what;
}

// adjust FIELD until NAME reads VALUE [TOL]: turns a trimpot of the bench
// window the way a person at the keyboard does, typing each new position
// (turns from the low end) into its field FIELD and pressing Enter.
std::optional<std::string> RunAdjustField(const Step& step, ScenarioHost& host,
                                          BenchStepState& state) {
  const auto& t = step.tokens;
  if (t.size() < 5 || t[2].text != "until") {
    return std::string("adjust FIELD until NAME reads VALUE [TOL]");
  }
  const auto field = ParseControlRef(t[1].text, false);
  if (!field) return "cannot read the control name " + t[1].text;
  ControlRef text = *field;
  text.property = "text";
  auto turn = [&](double turns) -> std::string {
    std::string error;
    const auto shown = ReadProperty(text, &error);
    if (!shown) return error;
    const double from = LeadingNumber(*shown);
    const double to = std::clamp(from + turns, 0.0, kTrimpotTurns);
    if (to == from) return t[1].text + " is at the end of its travel (" + *shown + ")";
    char typed[32];
    std::snprintf(typed, sizeof typed, "%.4f", to);
    if (std::string e = SetText(*field, typed); !e.empty()) return e;
    return PressKey(*field, "Enter");
  };
  return Feedback(step, 3, 0, turn, host, state);
}

std::string ExpectBench(const Step& step, std::size_t first, ScenarioHost& host) {
  const auto& t = step.tokens;
  if (t.size() < first + 6 || t[first + 1].text != "output" || t[first + 3].text != "~") {
    return "expect bench output CHANNEL ~ VOLTS TOL";
  }
  const int channel = static_cast<int>(LeadingNumber(t[first + 2].text));
  const auto back = host.Unit().Bench().Readback(channel);
  if (!back) return "no card on channel " + t[first + 2].text;
  const double want = LeadingNumber(t[first + 4].text);
  const double tol = LeadingNumber(t[first + 5].text);
  if (std::fabs(back->outputVolts - want) <= tol) return "";
  return "the card's output is " + std::to_string(back->outputVolts) + " V, expected " +
         t[first + 4].text + " within " + t[first + 5].text;
}

}  // namespace vernium::scenario

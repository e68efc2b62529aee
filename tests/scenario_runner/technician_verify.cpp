// The virtual technician in the verification window.
#include <string_view>

#include "model/numeric_text.h"
#include "scenario_runner/technician.h"
#include "scenario_runner/widget_access.h"
#include "simulator/simulated_unit.h"

namespace vernium::scenario {
namespace {

constexpr int kPlannedPoints = 5;

std::optional<std::string> Read(const std::string& control, const std::string& property,
                                std::string* error) {
  auto ref = ParseControlRef(control, false);
  if (!ref) return std::nullopt;
  ref->property = property;
  return ReadProperty(*ref, error);
}

std::string Text(const std::string& control) {
  std::string error;
  return Read(control, "text", &error).value_or("");
}

int Rows() {
  std::string error;
  return static_cast<int>(LeadingNumber(Read("grdPoints", "count", &error).value_or("0")));
}

bool Enabled(const std::string& control) {
  std::string error;
  return Read(control, "enabled", &error).value_or("false") == "true";
}

bool Has(const std::string& text, std::string_view part) {
  return text.find(part) != std::string::npos;
}

}  // namespace

std::optional<std::string> RunVerifier(const Step& step, ScenarioHost& host, VerifierState& s) {
  using Phase = VerifierState::Phase;
  if (step.Arg(2).empty()) return std::string("technician verifies CHANNEL");
  const int channel = static_cast<int>(LeadingNumber(step.Arg(2)));
  SimulatedBench& bench = host.Unit().Bench();
  auto finish = [&s](std::string result) {
    s = VerifierState{};
    return std::optional<std::string>(std::move(result));
  };
  std::string error;
  if (!Read("lblSpan", "text", &error)) return finish("no verification window: " + error);

  switch (s.phase) {
    case Phase::Start:
      if (Has(Text("lblInstructions"), "AC coupled")) bench.SetCoupling(channel, Coupling::DC);
      s.phase = Phase::Load;
      return std::nullopt;
    case Phase::Load: {
      if (Rows() >= kPlannedPoints) {
        if (!Has(Text("lblInstructions"), "Zero AC Output")) return finish("");
        bench.SetCoupling(channel, Coupling::AC);
        const std::string clicked = Click(*ParseControlRef("cmdZeroOffset", false), false);
        if (!clicked.empty()) return finish(clicked);
        std::string e;
        s.adjust.source = "bench adjust " + std::to_string(channel) +
                          " offset until lblLive reads 0 0.0005";
        s.adjust.tokens = *Tokenize(s.adjust.source, &e);
        s.bench = BenchStepState{};
        s.phase = Phase::Zeroing;
        return std::nullopt;
      }
      bench.SetLoad(channel, LeadingNumber(Text("txtApplied")));
      s.rows = Rows();
      const std::string clicked = Click(*ParseControlRef("cmdReadPoint", false), false);
      if (!clicked.empty()) return finish(clicked);
      s.phase = Phase::Reading;
      return std::nullopt;
    }
    case Phase::Reading:
      if (Rows() > s.rows) {
        s.phase = Phase::Load;
      } else if (Enabled("cmdReadPoint")) {
        // Back without a row: the reading failed (its message says why).
        return finish("the reading of a point failed");
      }
      return std::nullopt;
    case Phase::Zeroing: {
      auto done = RunBenchStep(s.adjust, host, s.bench);
      if (!done) return std::nullopt;
      if (!done->empty()) return finish("zeroing the AC output: " + *done);
      const std::string clicked = Click(*ParseControlRef("cmdZeroOffset", false), false);
      return finish(clicked);
    }
    case Phase::Done:
      break;
  }
  return finish("");
}

}  // namespace vernium::scenario

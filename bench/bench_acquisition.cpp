// Timing of the diagnostics reading on the simulated unit.
//
//   pass_cpu_us_100_scans     CPU time of one reading pass of 100 scans:
//                             the acquisition on the unit in instant mode,
//                             the averaging, the computation and the texts
//   pass_cpu_us_10000_scans   the same for 10,000 scans
//   acq_100_scans_paced_ms    wall time of one acquisition of 100 scans on
//                             the unit paced in real time (1000 scans/s)
//
// Each figure is the median of many runs.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "acquisition/gauge_acquisition.h"
#include "acquisition/reading_pass.h"
#include "simulator/simulated_unit.h"
#include "calibration/xfer_func.h"
#include "platform/clock.h"
#include "platform/message_boxes.h"

namespace {

using namespace vernium;

double CpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

// An SGC50 channel with its trimpots where they start and a load applied.
constexpr std::int16_t kChannel = 34;

struct Rig {
  Rig() {
    sim.Bench().SetLoad(kChannel, 250.0);
    sim.acqOpenDevice("SIM-PORTABLE");
    RangeCountsToVolts(unsignedCountsToVolts, signedCountsToVolts);
  }
  SimulatedAcqLib sim;
  TraceSink trace;
  SystemClock clock;
  clsXferFunc unsignedCountsToVolts;
  clsXferFunc signedCountsToVolts;
  ScriptedMessageBoxes boxes;
};

double PassCpuMicroseconds(int scans, int runs) {
  Rig rig;
  rig.sim.Bench().SetPacing(Pacing::Instant);
  ReadingPass pass({rig.sim, rig.trace, rig.unsignedCountsToVolts, rig.boxes, rig.clock});
  if (!pass.Start(kChannel, std::to_string(scans), rig.sim.OpenDevice())) return -1.0;
  ReadingLoopState state;
  state.Running = true;
  ReadingControls controls;
  ActualSettings actual;
  for (int i = 0; i < 5; ++i) pass.RunPass(state, controls, actual);  // warm up
  std::vector<double> times;
  times.reserve(static_cast<std::size_t>(runs));
  for (int i = 0; i < runs; ++i) {
    const double start = CpuSeconds();
    const PassOutcome outcome = pass.RunPass(state, controls, actual);
    const double end = CpuSeconds();
    if (outcome != PassOutcome::Shown) return -1.0;
    times.push_back((end - start) * 1e6);
  }
  return Median(times);
}

double PacedAcquisitionMilliseconds(int runs) {
  Rig rig;
  rig.sim.Bench().SetPacing(Pacing::Realtime);
  const auto device = rig.sim.OpenDevice();
  std::vector<std::uint16_t> buffer(4 * 100 + 1);
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    const AcquisitionResult result =
        getGageReadings(rig.sim, device.get(), rig.trace, buffer, 100, kChannel, rig.clock);
    const auto end = std::chrono::steady_clock::now();
    if (result != 0) return -1.0;
    times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
  }
  return Median(times);
}

}  // namespace

int main() {
  std::printf("pass_cpu_us_100_scans: %.0f\n", PassCpuMicroseconds(100, 2001));
  std::printf("pass_cpu_us_10000_scans: %.0f\n", PassCpuMicroseconds(10000, 201));
  std::printf("acq_100_scans_paced_ms: %.1f\n", PacedAcquisitionMilliseconds(25));
  return 0;
}

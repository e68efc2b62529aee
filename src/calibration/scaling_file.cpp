#include "calibration/scaling_file.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>

#include "model/numeric_text.h"

namespace vernium {
namespace {

constexpr const char* kHeaderLines[] = {
    ";SGC 10 mx+b file",
    ";This file specifies the conversion from the Acquibox or Acquiboard voltage (x)",
    ";to the user's units (y) in the form of y=mx+b",
};

struct ScalingLine {
  float m = 0.0f;
  float b = 0.0f;
};

// Single-precision arithmetic that reports a fault (an empty result) for a
// zero divisor or a result that is not finite, as the calculation would trap.
std::optional<float> Finite(float value) {
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<float> Divide(std::optional<float> numerator, float divisor) {
  if (!numerator || divisor == 0.0f || !std::isfinite(divisor)) return std::nullopt;
  return Finite(*numerator / divisor);
}

// m and b of one channel from its parameters and the gains the wizard
// measured; empty on an arithmetic fault.
std::optional<ScalingLine> ScalingOf(const ChannelConfig& channel, const ActualSettings& actual) {
  // User units per volt of bridge output.
  const std::optional<float> k =
      Divide(Divide(Finite(channel.FullLoad), channel.Excitation), channel.Sensitivity);
  if (!k) return std::nullopt;
  const std::optional<float> totalGain =
      Finite(actual.InputGain * actual.ScalingGain * static_cast<float>(actual.FilterGain));
  if (!totalGain) return std::nullopt;

  ScalingLine line;
  if (*totalGain != 0.0f) {
    const std::optional<float> m = Divide(k, *totalGain);
    if (!m) return std::nullopt;
    line.m = *m;
  }
  if (actual.InputGain != 0.0f) {
    const std::optional<float> b = Divide(Finite(*k * actual.Offset), actual.InputGain);
    if (!b) return std::nullopt;
    line.b = *b;
  }
  return line;
}

std::string ChannelLine(int channel, const ChannelConfig& record, const ScalingLine& line) {
  char number[8];
  std::snprintf(number, sizeof number, "%03d", channel);
  return "CH" + std::string(number) + "," + record.Units + ",m=" + GeneralFormat(line.m) +
         ",b=" + GeneralFormat(line.b);
}

bool WriteLine(std::ofstream& out, const std::string& text) {
  out << text << "\r\n";
  out.flush();
  return static_cast<bool>(out);
}

// Writes the whole file; false at the first failure, with what was written
// before it flushed to the file.
bool WriteAll(const Configuration& config, const std::filesystem::path& path) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out.is_open()) return false;
  for (const char* header : kHeaderLines) {
    if (!WriteLine(out, header)) return false;
  }
  for (int channel = kFirstChannel; channel <= kLastChannel; ++channel) {
    const ChannelConfig& record = config.Channels[channel];
    if (!IsTrue(record.Active) || record.Calibrated == "No") continue;
    const std::optional<ScalingLine> line = ScalingOf(record, config.Actual[channel]);
    if (!line) return false;
    if (!WriteLine(out, ChannelLine(channel, record, *line))) return false;
  }
  out.close();
  return !out.fail();
}

}  // namespace

void WriteScalingFile(const Configuration& config, MessageBoxes& boxes, MousePointer& pointer,
                      const std::filesystem::path& directory) {
  bool written = false;
  {
    // The hourglass covers the write; the pointer is back before any message.
    ClsWaitCursor wait(pointer);
    written = WriteAll(config, directory / kScalingFileName);
  }
  if (!written) boxes.Show(kScalingErrorText, kScalingErrorTitle, MsgIcon::None, MsgButtons::OK);
}

}  // namespace vernium

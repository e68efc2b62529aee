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

bool WriteLine(std::ofstream& out, const std::string& text) {
  out << text << "\r\n";
  out.flush();
  return static_cast<bool>(out);
}

// Writes the whole file; false at the first failure, with what was written
// before it flushed to the file.
bool WriteAll(const Configuration& config, const std::filesystem::path& path,
              bool writeVerified) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out.is_open()) return false;
  for (const char* header : kHeaderLines) {
    if (!WriteLine(out, header)) return false;
  }
  for (int channel = kFirstChannel; channel <= kLastChannel; ++channel) {
    const ChannelConfig& record = config.Channels[channel];
    if (!IsTrue(record.Active) || record.Calibrated == "No") continue;
    const VerifiedLine& verified = config.Verified[channel];
    if (writeVerified && verified.passed) {
      if (!WriteLine(out, ScalingFileLine(channel, record, ScalingLine{verified.m, verified.b}))) {
        return false;
      }
      continue;
    }
    const std::optional<std::string> line =
        ScalingFileLine(channel, record, config.Actual[channel]);
    if (!line) return false;
    if (!WriteLine(out, *line)) return false;
  }
  out.close();
  return !out.fail();
}

}  // namespace

std::optional<ScalingLine> MeasuredScalingLine(const ChannelConfig& record,
                                               const ActualSettings& actual) {
  return ScalingOf(record, actual);
}

std::string ScalingFileLine(int channel, const ChannelConfig& record, const ScalingLine& line) {
  char number[8];
  std::snprintf(number, sizeof number, "%03d", channel);
  return "CH" + std::string(number) + "," + record.Units + ",m=" + GeneralFormat(line.m) +
         ",b=" + GeneralFormat(line.b);
}

std::optional<std::string> ScalingFileLine(int channel, const ChannelConfig& record,
                                           const ActualSettings& actual) {
  const std::optional<ScalingLine> line = ScalingOf(record, actual);
  if (!line) return std::nullopt;
  return ScalingFileLine(channel, record, *line);
}

void WriteScalingFile(const Configuration& config, MessageBoxes& boxes, MousePointer& pointer,
                      const std::filesystem::path& directory, bool writeVerified) {
  bool written = false;
  {
    // The hourglass covers the write; the pointer is back before any message.
    ClsWaitCursor wait(pointer);
    // The lines go to a new file beside the old one, which is then renamed
    // over it: the program ending in the middle of the write (killed, power
    // lost) leaves the old file whole, never half of the new one. A write
    // that fails (a full disk) never replaces an old file: what it wrote
    // before the failure stays beside it under the new file's name. With no
    // old file, that part takes the file's place, as a write straight into
    // the file would leave it.
    const std::filesystem::path path = directory / kScalingFileName;
    std::filesystem::path fresh = path;
    fresh += kScalingFileNewSuffix;
    std::error_code error;
    if (std::ofstream(fresh, std::ios::binary | std::ios::trunc).is_open()) {
      written = WriteAll(config, fresh, writeVerified);
      if (written || !std::filesystem::exists(path, error)) {
        std::filesystem::rename(fresh, path, error);
        if (error) {
          written = false;
          std::filesystem::remove(fresh, error);
        }
      }
    }
  }
  if (!written) boxes.Show(kScalingErrorText, kScalingErrorTitle, MsgIcon::None, MsgButtons::OK);
}

std::string ScalingDirectoryProblem(const std::filesystem::path& directory) {
  std::error_code error;
  const auto status = std::filesystem::status(directory, error);
  if (error || !std::filesystem::exists(status)) return "it does not exist";
  if (!std::filesystem::is_directory(status)) return "it is not a directory";
  // Trying is the only sure test: permissions, a read-only file system and
  // the user's rights all come into it.
  std::filesystem::path probe = directory / kScalingFileName;
  probe += ".probe";
  const bool writable = std::ofstream(probe, std::ios::binary | std::ios::trunc).is_open();
  std::filesystem::remove(probe, error);
  return writable ? std::string() : "a file cannot be written in it";
}

}  // namespace vernium

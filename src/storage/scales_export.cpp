#include "storage/scales_export.h"

#include <optional>

#include "calibration/scaling_file.h"
#include "model/numeric_text.h"

namespace vernium {

namespace {

constexpr std::string_view kCrLf = "\r\n";

bool Exported(const ChannelConfig& channel) {
  return IsTrue(channel.Active) && channel.Calibrated != "No";
}

// The date the grid shows for the channel: its base channel's slot text.
std::string CalibrationDateOf(const Configuration& config, int chan) {
  const int b = (chan - kFirstChannel) / kSlots;
  const int slot = (chan - kFirstChannel) % kSlots;
  return config.Base[b].CalStatus[slot];
}

}  // namespace

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

int ExportedChannelCount(const Configuration& config) {
  int count = 0;
  for (int n = kFirstChannel; n <= kLastChannel; ++n) count += Exported(config.Channels[n]) ? 1 : 0;
  return count;
}

std::string ScalesCsv(const Configuration& config) {
  std::string out = "Label,Card,Units,Legacy m,Legacy b,Verified m,Verified b,Date";
  out += kCrLf;
  for (int n = kFirstChannel; n <= kLastChannel; ++n) {
    const ChannelConfig& channel = config.Channels[n];
    if (!Exported(channel)) continue;
    const std::optional<ScalingLine> legacy = MeasuredScalingLine(channel, config.Actual[n]);
    const VerifiedLine& verified = config.Verified[n];
    out += CsvField(channel.ChannelLabel) + "," + CsvField(channel.CardType) + "," +
           CsvField(channel.Units) + ",";
    out += legacy ? GeneralFormat(legacy->m) + "," + GeneralFormat(legacy->b) : std::string(",");
    out += ",";
    out += verified.passed ? GeneralFormat(verified.m) + "," + GeneralFormat(verified.b)
                           : std::string(",");
    out += "," + CsvField(CalibrationDateOf(config, n));
    out += kCrLf;
  }
  return out;
}

}  // namespace vernium

#include "verify/history_entry.h"

#include <cstdio>

#include "calibration/scaling_file.h"
#include "session/session.h"

namespace vernium {

std::string RecordedNow(const Session& session) {
  const CalendarDate today = session.SystemTime().Today();
  const auto seconds = static_cast<long>(session.SystemTime().SecondsSinceMidnight());
  char when[32];
  std::snprintf(when, sizeof when, "%04d-%02d-%02d %02ld:%02ld:%02ld", today.year, today.month,
                today.day, seconds / 3600 % 24, seconds / 60 % 60, seconds % 60);
  return when;
}

HistoryEntry CalibrationEntryOf(const Session& session, int channel) {
  const Configuration& config = session.config;
  HistoryEntry entry;
  entry.kind = HistoryKind::Calibration;
  entry.recordedAt = RecordedNow(session);
  if (const AcqDevice* device = session.OpenDevice()) entry.unit = device->DeviceName;
  entry.channel = channel;
  entry.record = config.Channels[channel];
  entry.method = config.Verified[channel].method;
  entry.calc = config.Calc[channel];
  entry.actual = config.Actual[channel];
  if (const auto line = MeasuredScalingLine(entry.record, entry.actual)) {
    entry.scalingLine = LoadLine{line->m, line->b};
  }
  return entry;
}

}  // namespace vernium

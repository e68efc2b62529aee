#include "platform/clock.h"

#include <chrono>
#include <ctime>

namespace vernium {

CalendarDate SystemClock::Today() const {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

double SystemClock::SecondsSinceMidnight() const {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t t = system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&t, &local);
  const auto fraction = duration_cast<microseconds>(now.time_since_epoch()) % seconds(1);
  return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec +
         static_cast<double>(fraction.count()) / 1e6;
}

}  // namespace vernium

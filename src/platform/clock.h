#pragma once
// The system clock: today's date for the calibrated record and the seconds
// since midnight that the software delay calibrates itself against.

namespace vernium {

struct CalendarDate {
  int year = 2000;
  int month = 1;
  int day = 1;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual CalendarDate Today() const = 0;
  virtual double SecondsSinceMidnight() const = 0;
};

// The machine's own clock (local time).
class SystemClock : public Clock {
 public:
  CalendarDate Today() const override;
  double SecondsSinceMidnight() const override;
};

// A clock that shows what it is set to, and optionally advances by a fixed
// step on every read of the time (so a busy wait that reads it progresses).
class ScriptedClock : public Clock {
 public:
  CalendarDate Today() const override { return date_; }
  double SecondsSinceMidnight() const override {
    const double now = seconds_;
    seconds_ += stepPerRead_;
    ++reads_;
    return now;
  }
  void SetToday(CalendarDate date) { date_ = date; }
  void SetSeconds(double seconds) { seconds_ = seconds; }
  void SetStepPerRead(double step) { stepPerRead_ = step; }
  long Reads() const { return reads_; }

 private:
  CalendarDate date_{2026, 12, 5};
  mutable double seconds_ = 0.0;
  double stepPerRead_ = 0.0;
  mutable long reads_ = 0;
};

}  // namespace vernium

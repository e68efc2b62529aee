#pragma once
// The check of a calibrated channel with known loads: each point is a load
// applied on the channel's load cell and the card's output read for it. The
// best straight line through the points (least squares, load against volts)
// is the verified line; each point is also read through the channel
// record's M and B and through the scaling file's line, so the technician
// sees which of the three describes the card. Errors are in % of the span,
// the maximum load less the tare.

#include <optional>
#include <string>
#include <vector>

namespace vernium {

// A load = m x volts + b line, in the channel's units.
struct LoadLine {
  double m = 0.0;
  double b = 0.0;
  double LoadAt(double volts) const { return m * volts + b; }
};

struct VerifyPoint {
  double applied = 0.0;  // load applied, channel units
  double volts = 0.0;    // the card's output read for it
};

// What the check is measured against.
struct VerifySpan {
  double tare = 0.0;
  double maxLoad = 0.0;
  std::string units;
  LoadLine record;                 // the channel record's M and B
  std::optional<LoadLine> file;    // the scaling file's line (none: it cannot be worked out)
  double tolerancePercent = 0.5;   // of span
  double Span() const { return maxLoad - tare; }
};

// One point read through each line; errors are line − applied, % of span.
struct PointCheck {
  VerifyPoint point;
  // On the unit's input rail: the output is at least the rail, so the point
  // stays out of the fit and only shows whether the line agrees with that.
  bool railed = false;
  double recordLoad = 0.0, recordError = 0.0;
  std::optional<double> fileLoad, fileError;
  std::optional<double> verifiedLoad, verifiedError;
};

struct VerifyResult {
  std::vector<PointCheck> points;
  std::optional<LoadLine> verified;  // none with fewer than two usable points
  double linearityPercent = 0.0;     // largest deviation from the verified line
  double zeroErrorPercent = 0.0;     // the verified line's load at 0 V against the tare
  double spanErrorPercent = 0.0;     // its load across 5 V against the span
  bool passed = false;
  std::string verdict;      // "PASS", "FAIL: ..." or why there is no fit
  std::string fileWarning;  // the scaling file's line against the points; empty when it agrees
};

// The output at or beyond which a reading sits on the unit's input rail:
// within three counts of its full scale. A card set for 5 V at the maximum
// load reads about there, so the top point of the plan often lands on it.
inline constexpr double kVerifyRailVolts = 4.9995;
// The output the span fills.
inline constexpr double kSpanVolts = 5.0;

// The points of the plan: the tare, then 25, 50, 75 and 100 % of the way to
// the maximum load.
std::vector<double> PlannedLoads(double tare, double maxLoad);

// Fits, reads and judges the points. The verified line is worked out in
// double precision and then rounded to the scaling file's 32-bit numbers, as
// it would be handed on; its errors are of that rounded line.
VerifyResult CheckPoints(const std::vector<VerifyPoint>& points, const VerifySpan& span);

// A number for the window and the certificate: `decimals` places, with a
// true minus sign.
std::string Signed(double value, int decimals);
std::string Fixed(double value, int decimals);
// The decimals loads are shown with over `span`: a tenth of a percent of
// the span resolved, and at least one.
int LoadDecimals(double span);

}  // namespace vernium

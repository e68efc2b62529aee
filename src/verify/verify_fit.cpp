#include "verify/verify_fit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace vernium {
namespace {

// Least squares of load against volts; none when the points do not spread
// over the output (fewer than two, or all at one voltage).
std::optional<LoadLine> FitLine(const std::vector<const VerifyPoint*>& points) {
  if (points.size() < 2) return std::nullopt;
  double meanV = 0.0;
  double meanLoad = 0.0;
  for (const VerifyPoint* p : points) {
    meanV += p->volts;
    meanLoad += p->applied;
  }
  meanV /= static_cast<double>(points.size());
  meanLoad /= static_cast<double>(points.size());
  double sxx = 0.0;
  double sxy = 0.0;
  for (const VerifyPoint* p : points) {
    sxx += (p->volts - meanV) * (p->volts - meanV);
    sxy += (p->volts - meanV) * (p->applied - meanLoad);
  }
  if (!(sxx > 1e-12)) return std::nullopt;
  LoadLine line;
  line.m = sxy / sxx;
  line.b = meanLoad - line.m * meanV;
  return line;
}

double PercentOfSpan(double loadError, double span) {
  return span != 0.0 ? 100.0 * loadError / span : 0.0;
}

std::string Load(double value, const VerifySpan& span) {
  return Fixed(value, LoadDecimals(span.Span())) + " " + span.units;
}

}  // namespace

std::string Fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, std::fabs(value));
  // A value that rounds to zero carries no sign.
  const bool negative = value < 0.0 && std::string(text).find_first_not_of("0.") != std::string::npos;
  return (negative ? "\u2212" : "") + std::string(text);
}

std::string Signed(double value, int decimals) {
  const std::string text = Fixed(value, decimals);
  return text.rfind("\u2212", 0) == 0 ? text : "+" + text;
}

int LoadDecimals(double span) {
  const double resolution = std::fabs(span) * 1e-3;
  if (!(resolution > 0.0)) return 1;
  return std::clamp(static_cast<int>(std::ceil(-std::log10(resolution))), 1, 6);
}

std::vector<double> PlannedLoads(double tare, double maxLoad) {
  std::vector<double> loads;
  for (int quarter = 0; quarter <= 4; ++quarter) {
    loads.push_back(tare + (maxLoad - tare) * quarter / 4.0);
  }
  return loads;
}

VerifyResult CheckPoints(const std::vector<VerifyPoint>& points, const VerifySpan& span) {
  VerifyResult result;
  const double spanLoad = span.Span();
  if (!(std::fabs(spanLoad) > 0.0)) {
    result.verdict = "The tare and the maximum load are equal: there is no span to check.";
    return result;
  }
  std::vector<const VerifyPoint*> usable;
  for (const VerifyPoint& point : points) {
    PointCheck check;
    check.point = point;
    check.railed = std::fabs(point.volts) >= kVerifyRailVolts;
    check.recordLoad = span.record.LoadAt(point.volts);
    check.recordError = PercentOfSpan(check.recordLoad - point.applied, spanLoad);
    if (span.file) {
      check.fileLoad = span.file->LoadAt(point.volts);
      check.fileError = PercentOfSpan(*check.fileLoad - point.applied, spanLoad);
    }
    if (!check.railed) usable.push_back(&point);
    result.points.push_back(check);
  }

  // The scaling file's line against what the card does, at the point where
  // it is furthest off; railed points tell nothing of it.
  const PointCheck* fileWorst = nullptr;
  for (const PointCheck& check : result.points) {
    if (check.railed || !check.fileError) continue;
    if (fileWorst == nullptr || std::fabs(*check.fileError) > std::fabs(*fileWorst->fileError)) {
      fileWorst = &check;
    }
  }
  if (fileWorst != nullptr && std::fabs(*fileWorst->fileError) > span.tolerancePercent) {
    result.fileWarning = "The scaling file's line reads " + Load(*fileWorst->fileLoad, span) +
                         " at " + Load(fileWorst->point.applied, span) + " applied (" +
                         Signed(*fileWorst->fileError, 1) + " % of span).";
  }

  const std::optional<LoadLine> fit = FitLine(usable);
  if (!fit) {
    result.verdict = usable.size() < 2 ? "At least two points off the rail are needed for a fit."
                                       : "The points all read one output: no line fits them.";
    return result;
  }
  // Handed on as the scaling file's 32-bit numbers.
  const LoadLine verified{static_cast<float>(fit->m), static_cast<float>(fit->b)};
  result.verified = verified;
  result.zeroErrorPercent = PercentOfSpan(verified.b - span.tare, spanLoad);
  result.spanErrorPercent = PercentOfSpan(verified.m * kSpanVolts - spanLoad, spanLoad);

  const PointCheck* worst = nullptr;
  const PointCheck* railed = nullptr;
  for (PointCheck& check : result.points) {
    check.verifiedLoad = verified.LoadAt(check.point.volts);
    check.verifiedError = PercentOfSpan(*check.verifiedLoad - check.point.applied, spanLoad);
    if (check.railed) {
      // The true output lies beyond the rail: the line must put the applied
      // load at or beyond the rail's load too, within the tolerance. Which
      // way is beyond depends on the rail and on the line's slope.
      const bool loadRisesPastRail = check.point.volts * verified.m > 0.0;
      const double beyond = loadRisesPastRail ? -*check.verifiedError : *check.verifiedError;
      if (beyond < -span.tolerancePercent && railed == nullptr) railed = &check;
      continue;
    }
    const double deviation = PercentOfSpan(fit->LoadAt(check.point.volts) - check.point.applied,
                                           spanLoad);
    result.linearityPercent = std::max(result.linearityPercent, std::fabs(deviation));
    if (worst == nullptr || std::fabs(*check.verifiedError) > std::fabs(*worst->verifiedError)) {
      worst = &check;
    }
  }
  const bool pointsWithin = worst != nullptr &&
                            std::fabs(*worst->verifiedError) <= span.tolerancePercent;
  result.passed = railed == nullptr && pointsWithin &&
                  result.linearityPercent <= span.tolerancePercent;
  if (result.passed) {
    result.verdict = "PASS";
  } else if (railed != nullptr) {
    result.verdict = "FAIL: at " + Load(railed->point.applied, span) +
                     " applied the output is on the rail (" + Fixed(railed->point.volts, 4) +
                     " V), where the line puts " + Load(*railed->verifiedLoad, span);
  } else {
    result.verdict = "FAIL: at " + Load(worst->point.applied, span) +
                     " applied the verified line reads " + Load(*worst->verifiedLoad, span) +
                     " (" + Signed(*worst->verifiedError, 2) + " % of span)";
  }
  return result;
}

}  // namespace vernium

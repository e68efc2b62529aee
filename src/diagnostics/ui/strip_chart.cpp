#include "diagnostics/ui/strip_chart.h"

#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace vernium::qtui {

namespace {

// Card output, point 1, point 2, point 3.
const QColor kSeries[4] = {QColor(20, 20, 20), QColor(200, 60, 40), QColor(40, 120, 200),
                           QColor(40, 150, 70)};
const char* const kSeriesNames[4] = {"Output", "Point 1", "Point 2", "Point 3"};
constexpr double kRail = 5.0;
constexpr double kCaution = 0.1;  // the rail warning's first step

}  // namespace

StripChart::StripChart(QWidget* parent) : QWidget(parent) {
  setObjectName("picStrip");
  setMinimumSize(360, 180);
  setAccessibleName(QStringLiteral("Strip chart of the bridge and the intermediate voltages"));
}

void StripChart::SetHistory(const StripHistory& history) {
  const auto& points = history.Points();
  if (points.size() == points_.size() &&
      (points.empty() || points.back().seconds == points_.back().seconds)) {
    return;
  }
  points_.assign(points.begin(), points.end());
  bridgeRange_ = history.BridgeRange();
  update();
}

void StripChart::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(rect(), palette().color(QPalette::Base));
  QFont small = font();
  small.setPointSizeF(small.pointSizeF() * 0.85);
  p.setFont(small);
  const double left = 56, right = width() - 8.0;
  const QRectF bridgeArea(left, 18, right - left, height() * 0.28);
  const QRectF voltArea(left, bridgeArea.bottom() + 22, right - left,
                        height() - bridgeArea.bottom() - 40);
  const double now = points_.empty() ? 0.0 : points_.back().seconds;
  auto x = [&](const QRectF& a, double t) { return a.right() - (now - t) / kStripSeconds * a.width(); };
  auto plot = [&](const QRectF& area, double low, double high,
                  const std::function<double(const StripPoint&)>& value, const QColor& color) {
    QPainterPath line;
    for (std::size_t i = 0; i < points_.size(); ++i) {
      const double v = std::clamp(value(points_[i]), low, high);
      const QPointF at(x(area, points_[i].seconds), area.bottom() - (v - low) / (high - low) * area.height());
      if (i == 0) line.moveTo(at);
      else line.lineTo(at);
    }
    p.save();
    p.setClipRect(area.adjusted(-2, -2, 2, 2));
    p.setPen(QPen(color, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(line);
    p.restore();
  };
  auto frame = [&](const QRectF& area, const QString& title) {
    p.setPen(palette().color(QPalette::Mid));
    p.setBrush(Qt::NoBrush);
    p.drawRect(area);
    p.setPen(palette().color(QPalette::Text));
    p.drawText(QRectF(area.left(), area.top() - 16, area.width(), 14), Qt::AlignLeft, title);
  };

  // The bridge, in millivolts on its own scale.
  frame(bridgeArea, QStringLiteral("Bridge (mV), last 60 s"));
  const auto [bLow, bHigh] = bridgeRange_;
  for (double v : {bLow, bHigh}) {
    const double y = v == bLow ? bridgeArea.bottom() : bridgeArea.top();
    p.drawText(QRectF(0, y - 8, left - 4, 16), Qt::AlignRight | Qt::AlignVCenter,
               QString::number(v * 1000.0, 'f', 3));
  }
  plot(bridgeArea, bLow, bHigh, [](const StripPoint& s) { return s.bridge; }, QColor(120, 60, 160));

  // The four voltages between the rails, the caution band shaded.
  frame(voltArea, QString());
  auto y = [&](double v) { return voltArea.bottom() - (v + kRail) / (2 * kRail) * voltArea.height(); };
  const QColor caution(230, 150, 20, 60);
  p.fillRect(QRectF(QPointF(voltArea.left(), y(kRail)), QPointF(voltArea.right(), y(kRail - kCaution))), caution);
  p.fillRect(QRectF(QPointF(voltArea.left(), y(-kRail + kCaution)), QPointF(voltArea.right(), y(-kRail))), caution);
  p.setPen(QPen(QColor(200, 40, 30), 1.5, Qt::DashLine));
  for (double rail : {kRail, -kRail}) p.drawLine(QPointF(voltArea.left(), y(rail)), QPointF(voltArea.right(), y(rail)));
  p.setPen(palette().color(QPalette::Text));
  for (double v : {kRail, 0.0, -kRail}) {
    p.drawText(QRectF(0, y(v) - 8, left - 4, 16), Qt::AlignRight | Qt::AlignVCenter,
               QString::number(v, 'f', 1) + " V");
  }
  for (std::size_t i = 0; i < 4; ++i) {
    plot(voltArea, -kRail, kRail, [i](const StripPoint& s) { return s.V[i]; }, kSeries[i]);
  }
  // The legend, across the top of the voltage pane.
  double lx = voltArea.left();
  for (std::size_t i = 0; i < 4; ++i) {
    p.setPen(QPen(kSeries[i], 3));
    p.drawLine(QPointF(lx, voltArea.top() - 8), QPointF(lx + 14, voltArea.top() - 8));
    p.setPen(palette().color(QPalette::Text));
    p.drawText(QPointF(lx + 18, voltArea.top() - 4), QString::fromLatin1(kSeriesNames[i]));
    lx += 80;
  }
}

}  // namespace vernium::qtui

#include "wizard/ui/guidance_view.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>

#include "platform/ui/control_binding.h"

namespace vernium::qtui {

namespace {

const QColor kOnTarget(30, 150, 70);
const QColor kOff(214, 120, 20);
const QColor kBand(60, 170, 90, 45);

}  // namespace

GuidancePanel::GuidancePanel(QWidget* parent)
    : QWidget(parent),
      error_(new QLabel(this)),
      way_(new QLabel(this)),
      settle_(new QLabel(this)),
      rate_(new QLabel(this)) {
  error_->setObjectName("lblGuideError");
  way_->setObjectName("lblGuideWay");
  settle_->setObjectName("lblGuideSettle");
  rate_->setObjectName("lblGuideRate");
  QFont big = error_->font();
  big.setPointSizeF(big.pointSizeF() * 1.6);
  big.setBold(true);
  error_->setFont(big);
  QFont bold = way_->font();
  bold.setBold(true);
  way_->setFont(bold);
  settle_->setFont(bold);
  settle_->setAlignment(Qt::AlignCenter);
  // Each label has the room its longest text needs at the font in use.
  settle_->setMinimumWidth(settle_->fontMetrics().horizontalAdvance("Steady, off target") + 20);
  error_->setMinimumWidth(error_->fontMetrics().horizontalAdvance("\u22129999.9 mV") + 4);
  way_->setMinimumWidth(
      way_->fontMetrics().horizontalAdvance("raise the reading: turn counter-clockwise") + 4);
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(52, 4, 4, 4);  // the arrow's place on the left
  grid->addWidget(error_, 0, 0);
  grid->addWidget(settle_, 0, 1, Qt::AlignRight);
  grid->addWidget(way_, 1, 0);
  grid->addWidget(rate_, 1, 1, Qt::AlignRight);
  // No width of its own: the labels' room decides it.
}

void GuidancePanel::SetAdvice(const TurnAdvice& advice) {
  advice_ = advice;
  setVisible(advice.shown);
  // Hidden, it holds no texts: nothing of an earlier step reads as current.
  error_->setText(ToQt(advice.errorText));
  way_->setText(ToQt(advice.wayText));
  settle_->setText(ToQt(advice.settleText));
  rate_->setText(advice.rateText.empty() ? QString() : ToQt(advice.rateText) + " ");
  if (!advice.shown) return;
  const QColor tone = advice.way == TurnWay::OnTarget ? kOnTarget : kOff;
  error_->setStyleSheet(QStringLiteral("color: %1;").arg(tone.name()));
  settle_->setStyleSheet(
      QStringLiteral("color: white; background: %1; border-radius: 8px; padding: 2px 8px;")
          .arg((advice.steady ? kOnTarget : QColor(120, 120, 130)).name()));
  setToolTip(advice.steady ? QStringLiteral("Steady on target: press Next")
                           : QStringLiteral("Turn the highlighted trimpot"));
  update();
}

void GuidancePanel::paintEvent(QPaintEvent*) {
  if (!advice_.shown) return;
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF box(6, height() / 2.0 - 20, 36, 40);
  const QPointF c = box.center();
  if (advice_.way == TurnWay::OnTarget) {
    // A check mark in a ring.
    p.setPen(QPen(kOnTarget, 3));
    p.drawEllipse(c, 17, 17);
    QPainterPath tick;
    tick.moveTo(c + QPointF(-9, 0));
    tick.lineTo(c + QPointF(-2, 7));
    tick.lineTo(c + QPointF(10, -7));
    p.drawPath(tick);
    return;
  }
  // An arrow the way the reading must go.
  const double s = advice_.way == TurnWay::Raise ? -1.0 : 1.0;
  QPainterPath arrow;
  arrow.moveTo(c + QPointF(0, 18 * s));
  arrow.lineTo(c + QPointF(-16, 0));
  arrow.lineTo(c + QPointF(-6, 0));
  arrow.lineTo(c + QPointF(-6, -18 * s));
  arrow.lineTo(c + QPointF(6, -18 * s));
  arrow.lineTo(c + QPointF(6, 0));
  arrow.lineTo(c + QPointF(16, 0));
  arrow.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(kOff);
  p.drawPath(arrow);
}

TrendPlot::TrendPlot(QWidget* parent) : QWidget(parent) {
  setObjectName("picTrend");
  setMinimumSize(240, 110);
  setAccessibleName(QStringLiteral("Trend of the reading"));
}

void TrendPlot::SetTrend(const TurnGuidance& guidance, bool shown) {
  setVisible(shown);
  if (!shown) return;
  const auto& trend = guidance.Trend();
  const bool changed = trend.size() != samples_.size() || guidance.Target() != target_ ||
                       (!trend.empty() && trend.back().seconds != samples_.back().seconds);
  if (!changed) return;
  samples_.assign(trend.begin(), trend.end());
  target_ = guidance.Target();
  range_ = guidance.TrendRange();
  update();
}

void TrendPlot::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF area = QRectF(rect()).adjusted(54, 6, -6, -18);
  p.fillRect(rect(), palette().color(QPalette::Base));
  p.setPen(palette().color(QPalette::Mid));
  p.drawRect(area);
  if (samples_.empty() || range_.second <= range_.first) return;

  const double now = samples_.back().seconds;
  auto x = [&](double t) { return area.right() - (now - t) / kTrendSeconds * area.width(); };
  auto y = [&](double v) {
    return area.bottom() - (v - range_.first) / (range_.second - range_.first) * area.height();
  };
  // The tolerance band, the target line, the scale.
  p.fillRect(QRectF(QPointF(area.left(), y(target_ + kOnTargetVolts)),
                    QPointF(area.right(), y(target_ - kOnTargetVolts))),
             kBand);
  p.setPen(QPen(kOnTarget, 1.5, Qt::DashLine));
  p.drawLine(QPointF(area.left(), y(target_)), QPointF(area.right(), y(target_)));
  p.setPen(palette().color(QPalette::Text));
  QFont small = font();
  small.setPointSizeF(small.pointSizeF() * 0.85);
  p.setFont(small);
  for (double v : {range_.second, target_, range_.first}) {
    p.drawText(QRectF(0, y(v) - 8, area.left() - 4, 16), Qt::AlignRight | Qt::AlignVCenter,
               QString::number(v, 'f', 4));
  }
  p.drawText(QRectF(area.left(), area.bottom() + 2, area.width(), 14), Qt::AlignLeft,
             QStringLiteral("-20 s"));
  p.drawText(QRectF(area.left(), area.bottom() + 2, area.width(), 14), Qt::AlignRight,
             QStringLiteral("now"));
  // The readings.
  QPainterPath line;
  for (std::size_t i = 0; i < samples_.size(); ++i) {
    const QPointF point(x(samples_[i].seconds), y(samples_[i].volts));
    if (i == 0) line.moveTo(point);
    else line.lineTo(point);
  }
  p.setClipRect(area);
  p.setPen(QPen(QColor(40, 90, 200), 2));
  p.drawPath(line);
  p.setBrush(QColor(40, 90, 200));
  p.drawEllipse(QPointF(x(now), y(samples_.back().volts)), 3.5, 3.5);
}

}  // namespace vernium::qtui

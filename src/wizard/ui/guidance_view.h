#pragma once
// What the wizard adds beside its "Setting Adjustment" frame while a
// trimpot is turned: the guidance panel (error, which way, on target,
// steady or settling, rate) and the trend of the last 20 s of readings
// against the target and its tolerance band. Both only draw what the
// form's guidance says.

#include <QWidget>

#include "wizard/turn_guidance.h"

class QLabel;

namespace vernium::qtui {

class GuidancePanel : public QWidget {
  Q_OBJECT
 public:
  explicit GuidancePanel(QWidget* parent = nullptr);
  void SetAdvice(const TurnAdvice& advice);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TurnAdvice advice_;
  QLabel* error_;
  QLabel* way_;
  QLabel* settle_;
  QLabel* rate_;
};

class TrendPlot : public QWidget {
  Q_OBJECT
 public:
  explicit TrendPlot(QWidget* parent = nullptr);
  // Copies what the plot needs; repaints only when something changed.
  void SetTrend(const TurnGuidance& guidance, bool shown);
  QSize sizeHint() const override { return {360, 150}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<TrendSample> samples_;
  double target_ = 0.0;
  std::pair<double, double> range_{0.0, 0.0};
};

}  // namespace vernium::qtui

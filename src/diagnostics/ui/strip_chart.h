#pragma once
// The diagnostics window's strip chart, drawn from the form's history of
// passes: above, the bridge voltage on its own scale; below, the card output
// and the three read-back points against the -5 V and +5 V rails, with the
// caution band where the rail warning starts.

#include <QWidget>
#include <vector>

#include "diagnostics/strip_history.h"

namespace vernium::qtui {

class StripChart : public QWidget {
  Q_OBJECT
 public:
  explicit StripChart(QWidget* parent = nullptr);
  // Copies the history; repaints when a pass was added.
  void SetHistory(const StripHistory& history);
  QSize sizeHint() const override { return {520, 220}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<StripPoint> points_;
  std::pair<double, double> bridgeRange_{-0.001, 0.001};
};

}  // namespace vernium::qtui

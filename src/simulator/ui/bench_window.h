#pragma once
// The "Simulated Bench" window: a top-level window of its own, never modal,
// so that it stays usable beside the application parameters, the wizard and
// the diagnostics window. A thin view over BenchForm; a timer reads the
// meters while the window shows. It opens at the bench's size, or the
// screen's where that is smaller, and keeps it whichever card it shows;
// below the channel chooser the bench scrolls.

#include <QDialog>
#include <QTimer>
#include <array>
#include <vector>

#include "simulator/bench_form.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace vernium::qtui {

class BenchPart;
class TrimpotDial;
class VoltmeterDisplay;

class BenchWindow : public QDialog {
  Q_OBJECT
 public:
  explicit BenchWindow(BenchForm& form, QWidget* parent = nullptr);
  ~BenchWindow() override;

  BenchForm& form() { return form_; }
  void Redraw();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  struct DialWidgets {
    Trimpot trimpot;
    TrimpotDial* dial;
    QLabel* caption;
    QLabel* value;
    QLineEdit* turns;
  };
  template <typename Handler>
  void Forward(Handler&& handler);
  QWidget* MakeDial(Trimpot trimpot, const char* name, const char* turnsName,
                    const char* accessible);
  QWidget* MakeLoad();
  QWidget* MakeMeters();
  QWidget* MakeFaults();

  BenchForm& form_;
  QTimer meters_;
  QComboBox* cboBenchChannel_ = nullptr;
  QLabel* lblBenchChannel_ = nullptr;
  QCheckBox* chkFollowGrid_ = nullptr;
  std::array<QGroupBox*, 5> frames_{};
  std::vector<DialWidgets> dials_;
  QLineEdit* txtLoad_ = nullptr;
  QSlider* sldLoad_ = nullptr;
  QPushButton* cmdZeroLoad_ = nullptr;
  QLabel* lblLoadRange_ = nullptr;
  std::vector<std::pair<BenchPart*, PartControl*>> parts_;
  VoltmeterDisplay* lblVoltmeterExcitation_ = nullptr;
  VoltmeterDisplay* lblVoltmeterOutput_ = nullptr;
  QCheckBox* chkOffline_ = nullptr;
  QComboBox* cboFaultOperation_ = nullptr;
  QLineEdit* txtFaultCode_ = nullptr;
  QPushButton* cmdFailNext_ = nullptr;
  QPushButton* cmdStallTransfer_ = nullptr;
  QPushButton* cmdClearFaults_ = nullptr;
  QLabel* lblFaultStatus_ = nullptr;
};

}  // namespace vernium::qtui

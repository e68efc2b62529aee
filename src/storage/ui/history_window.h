#pragma once
// The calibration history window "frmHistory": the channel filter, the
// entries, the selected entry in full with its as-found and as-left checks,
// Reprint Certificate, Export CSV and Close. A thin view over HistoryForm.

#include <QDialog>

#include "storage/history_form.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace vernium::qtui {

class GridView;

class HistoryWindow : public QDialog {
  Q_OBJECT
 public:
  explicit HistoryWindow(HistoryForm& form, QWidget* parent = nullptr);

  HistoryForm& form() { return form_; }
  void Redraw();

 protected:
  void showEvent(QShowEvent* event) override;

 public slots:
  void reject() override;  // Esc and the frame's close are Close

 private:
  template <typename Handler>
  void Forward(Handler&& handler);

  HistoryForm& form_;
  QLabel* lblChannelFilter_ = nullptr;
  QComboBox* cboChannelFilter_ = nullptr;
  GridView* grdHistory_ = nullptr;
  QLabel* lblDetails_ = nullptr;
  QPushButton* cmdReprint_ = nullptr;
  QPushButton* cmdExport_ = nullptr;
  QPushButton* cmdClose_ = nullptr;
};

}  // namespace vernium::qtui

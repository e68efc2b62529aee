#pragma once
// The configuration summary window "Card Configurations": the grid
// grdConfig with one row per card channel, Print and Exit. A thin view over
// CardConfigForm; the grid is filled each time the window opens.

#include <QDialog>

#include "reports/card_config_form.h"

class QPushButton;

namespace vernium::qtui {

class GridView;

class CardConfigWindow : public QDialog {
  Q_OBJECT
 public:
  CardConfigWindow(CardConfigForm& form, QWidget* parent = nullptr);

  CardConfigForm& form() { return form_; }
  void Redraw();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  template <typename Handler>
  void Forward(Handler&& handler);

  CardConfigForm& form_;
  GridView* grdConfig_ = nullptr;
  QPushButton* cmdPrintChart_ = nullptr;
  QPushButton* cmdExitMain_ = nullptr;
};

}  // namespace vernium::qtui

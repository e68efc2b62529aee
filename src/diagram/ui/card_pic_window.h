#pragma once
// The card diagram window "CardPic": the painted card with its live parts
// laid over it (shunts, filter-gain resistor, designators, address jumpers
// and markers), the instruction line, the channel label, the card options
// and OK / Done / Cancel. A thin view over CardPicForm.

#include <QDialog>
#include <array>

#include "diagram/card_pic_form.h"

class QLabel;
class QPushButton;
class QRadioButton;

namespace vernium::qtui {

class CardDrawing;
class DrawnPart;
class ShuntMarker;

class CardPicWindow : public QDialog {
  Q_OBJECT
 public:
  CardPicWindow(CardPicForm& form, QWidget* parent = nullptr);

  CardPicForm& form() { return form_; }
  void Redraw();

 protected:
  void showEvent(QShowEvent* event) override;

 public slots:
  void reject() override;

 private:
  template <typename Handler>
  void Forward(Handler&& handler);

  CardPicForm& form_;
  QLabel* lblInstruction_ = nullptr;
  QLabel* lblChanNumber_ = nullptr;
  std::array<QRadioButton*, 3> whichCard_{};
  std::array<CardDrawing*, 2> pictures_{};  // picSGC10, picSGC50
  std::array<DrawnPart*, 2> couplingShunt_{};
  std::array<DrawnPart*, 2> filterShunt_{};
  std::array<DrawnPart*, 2> filterGainResistor_{};
  std::array<QLabel*, 2> lblCouplingAcDc_{};
  std::array<QLabel*, 2> lblFilterOnOff_{};
  QLabel* lblCouplingDesignator_ = nullptr;
  QLabel* lblFilterDesignator_ = nullptr;
  QLabel* lblFilterGainDesignator_ = nullptr;
  std::array<ShuntMarker*, 2> picJP1_{};
  ShuntMarker* picUpperLowerShunt_ = nullptr;
  std::array<QPushButton*, 6> cmdAddress_{};
  QPushButton* cmdOK_ = nullptr;
  QPushButton* cmdDone_ = nullptr;
  QPushButton* cmdCancel_ = nullptr;
};

}  // namespace vernium::qtui

#include "platform/ui/qt_message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

namespace vernium {

MsgAnswer QtMessageBoxes::Show(std::string_view text, std::string_view title, MsgIcon icon,
                               MsgButtons buttons) {
  QMessageBox box(QApplication::activeWindow());
  box.setObjectName("MessageBox");
  box.setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  box.setWindowTitle(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
  switch (icon) {
    case MsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
  }
  switch (buttons) {
    case MsgButtons::OK: box.setStandardButtons(QMessageBox::Ok); break;
    case MsgButtons::OKCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case MsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
  }
  switch (box.exec()) {
    case QMessageBox::Cancel: return MsgAnswer::Cancel;
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    default: return buttons == MsgButtons::OKCancel && box.clickedButton() == nullptr
                        ? MsgAnswer::Cancel
                        : MsgAnswer::OK;
  }
}

}  // namespace vernium

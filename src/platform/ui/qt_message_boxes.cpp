#include "platform/ui/qt_message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

namespace vernium {

namespace {

MsgAnswer EscapeAnswer(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::OKCancel: return MsgAnswer::Cancel;
    case MsgButtons::YesNo: return MsgAnswer::No;
    case MsgButtons::SaveDiscardCancel: return MsgAnswer::Cancel;
    case MsgButtons::OK: break;
  }
  return MsgAnswer::OK;
}

}  // namespace

void QtMessageBoxes::EndQuietly() {
  quiet_ = true;
  for (QPointer<QMessageBox>& box : open_) {
    if (box) box->reject();
  }
}

MsgAnswer QtMessageBoxes::Show(std::string_view text, std::string_view title, MsgIcon icon,
                               MsgButtons buttons) {
  if (quiet_) return EscapeAnswer(buttons);
  // Over the window that raised it (the modal one in front, else the active
  // one) and modal to that window only, so that the bench beside it keeps
  // taking input: a box may tell the technician to do something there.
  QWidget* over = QApplication::activeModalWidget();
  if (over == nullptr) over = QApplication::activeWindow();
  QMessageBox box(over);
  box.setWindowModality(over != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
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
    case MsgButtons::SaveDiscardCancel:
      box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
      box.setDefaultButton(QMessageBox::Save);
      box.setEscapeButton(QMessageBox::Cancel);
      break;
  }
  open_.emplace_back(&box);
  const int answer = box.exec();
  std::erase_if(open_, [&box](const QPointer<QMessageBox>& p) { return p == &box || !p; });
  if (quiet_) return EscapeAnswer(buttons);
  switch (answer) {
    case QMessageBox::Cancel: return MsgAnswer::Cancel;
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    case QMessageBox::Save: return MsgAnswer::Save;
    case QMessageBox::Discard: return MsgAnswer::Discard;
    default: return buttons == MsgButtons::OKCancel && box.clickedButton() == nullptr
                        ? MsgAnswer::Cancel
                        : MsgAnswer::OK;
  }
}

}  // namespace vernium

#include "platform/ui/qt_file_chooser.h"

#include <QApplication>
#include <QFileDialog>

namespace vernium {

std::optional<std::string> QtFileChooser::Choose(const FileQuestion& question) {
  QWidget* over = QApplication::activeModalWidget();
  if (over == nullptr) over = QApplication::activeWindow();
  QFileDialog dialog(over, QString::fromStdString(question.caption),
                     QString::fromStdString(question.suggested),
                     QString::fromStdString(question.filter));
  dialog.setObjectName("FileDialog");
  dialog.setWindowModality(over != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
  const bool saving = question.action == FileAction::Save;
  dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  // A name typed without its extension gets the one the filter lists.
  const qsizetype star = question.filter.find("(*.") == std::string::npos
                             ? -1
                             : static_cast<qsizetype>(question.filter.find("(*.")) + 3;
  if (star > 0) {
    const QString filter = QString::fromStdString(question.filter);
    dialog.setDefaultSuffix(filter.mid(star, filter.indexOf(QLatin1Char(')'), star) - star)
                                .section(QLatin1Char(' '), 0, 0));
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return dialog.selectedFiles().first().toStdString();
}

}  // namespace vernium

#include "acquisition/ui/device_window.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSvgWidget>
#include <QVBoxLayout>

#include "acquisition/ui/device_pictures.h"
#include "platform/ui/control_binding.h"

namespace vernium::qtui {

DeviceWindow::DeviceWindow(IfcSelForm& form, QWidget* parent) : QDialog(parent), form_(form) {
  setObjectName("frmIfcSel");
  setModal(true);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  frame1_ = new QGroupBox(this);
  frame1_->setObjectName("Frame1");
  devInventList_ = new QListWidget(frame1_);
  devInventList_->setObjectName("DevInventList");
  devInventList_->setSelectionMode(QAbstractItemView::SingleSelection);
  devInventList_->setMinimumWidth(200);
  auto* frameLayout = new QVBoxLayout(frame1_);
  frameLayout->setContentsMargins(8, 8, 8, 8);
  frameLayout->addWidget(devInventList_);

  picture1_ = new QSvgWidget(this);
  picture1_->setObjectName("Picture1");
  picture1_->setFixedSize(240, 180);

  devTypeLabel_ = new QLabel(this);
  devTypeLabel_->setObjectName("DevTypeLabel");
  devTypeLabel_->setTextFormat(Qt::PlainText);
  devTypeLabel_->setWordWrap(true);
  devTypeLabel_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  devTypeLabel_->setFixedWidth(240);
  devTypeLabel_->setMinimumHeight(devTypeLabel_->fontMetrics().lineSpacing() * 2);
  QFont descriptionFont = devTypeLabel_->font();
  descriptionFont.setBold(true);
  devTypeLabel_->setFont(descriptionFont);

  for (int i = 0; i < 2; ++i) {
    command1_[static_cast<std::size_t>(i)] = new QPushButton(this);
    command1_[static_cast<std::size_t>(i)]->setObjectName(ArrayName("Command1", i));
    command1_[static_cast<std::size_t>(i)]->setMinimumWidth(90);
    connect(command1_[static_cast<std::size_t>(i)], &QPushButton::clicked, this,
            [this, i] { OnCommand(i); });
  }
  command1_[0]->setDefault(true);
  command1_[0]->setAutoDefault(true);
  command1_[1]->setAutoDefault(false);

  auto* pictureColumn = new QVBoxLayout;
  pictureColumn->setSpacing(6);
  pictureColumn->addWidget(picture1_, 0, Qt::AlignHCenter);
  pictureColumn->addWidget(devTypeLabel_, 0, Qt::AlignHCenter);
  pictureColumn->addStretch(1);

  auto* top = new QHBoxLayout;
  top->setSpacing(12);
  top->addWidget(frame1_, 1);
  top->addLayout(pictureColumn);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(command1_[0]);
  buttons->addWidget(command1_[1]);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 12, 12, 12);
  layout->setSpacing(12);
  layout->addLayout(top, 1);
  layout->addLayout(buttons);

  connect(devInventList_, &QListWidget::currentRowChanged, this, &DeviceWindow::OnListChanged);

  form_.Load();
  Redraw();
  adjustSize();
}

void DeviceWindow::Redraw() {
  setWindowTitle(ToQt(form_.Caption));
  Draw(frame1_, form_.Frame1);
  Draw(devInventList_, form_.DevInventList);
  DrawCommon(picture1_, form_.Picture1);
  if (form_.Picture1.pictureIndex != drawnPicture_) {
    const QString path = DevicePicturePath(form_.Picture1.pictureIndex);
    if (path.isEmpty()) {
      picture1_->load(QByteArray());
    } else {
      picture1_->load(path);
    }
    drawnPicture_ = form_.Picture1.pictureIndex;
  }
  Draw(devTypeLabel_, form_.DevTypeLabel);
  for (std::size_t i = 0; i < command1_.size(); ++i) Draw(command1_[i], form_.Command1[i]);
}

void DeviceWindow::OnListChanged(int row) {
  if (row < 0 || row == form_.DevInventList.listIndex) return;
  form_.DevInventList.Select(row);
  form_.ListClick();
  Redraw();
}

void DeviceWindow::OnCommand(int index) {
  form_.Command1Click(index);
  Redraw();
  HideWhenFormHid();
}

void DeviceWindow::HideWhenFormHid() {
  if (!form_.Visible && isVisible()) done(QDialog::Accepted);
}

void DeviceWindow::showEvent(QShowEvent* event) {
  form_.Visible = true;
  QDialog::showEvent(event);
  emit shown();
}

void DeviceWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    if (command1_[1]->isVisible() && command1_[1]->isEnabled()) command1_[1]->click();
    return;
  }
  QDialog::keyPressEvent(event);
}

void DeviceWindow::reject() {
  form_.Visible = false;
  QDialog::reject();
}

}  // namespace vernium::qtui

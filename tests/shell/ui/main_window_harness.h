#pragma once
// The whole program's windows on the simulated unit, offscreen, with
// scripted message boxes and a recorded printer: the device selection opens
// from the start-up and the test decides there what the technician does.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>

#include "acquisition/simulated_unit.h"
#include "acquisition/ui/device_window.h"
#include "platform/configuration_printer.h"
#include "platform/message_boxes.h"
#include "platform/ui/grid_view.h"
#include "shell/ui/main_window.h"
#include "shell/ui/vernium_app.h"
#include "support/qt_events.h"

namespace vernium::qtui {

class MainWindowHarness : public ::testing::Test {
 protected:
  using DeviceAction = std::function<void(DeviceWindow&)>;

  static void ClickOk(DeviceWindow& w) {
    auto* ok = w.findChild<QPushButton*>("Command1(0)");
    ASSERT_NE(ok, nullptr);
    testing_qt::Click(ok, ok->rect().center());
  }
  static void ClickCancel(DeviceWindow& w) {
    auto* cancel = w.findChild<QPushButton*>("Command1(1)");
    ASSERT_NE(cancel, nullptr);
    testing_qt::Click(cancel, cancel->rect().center());
  }

  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    app_ = std::make_unique<VerniumApp>(unit_, &boxes_, &printer_);
    app_->session().scalingFileDirectory = dir_.path().toStdString();
    app_->OnDeviceWindowMade([this](DeviceWindow& w) {
      deviceWindow_ = &w;
      QObject::connect(&w, &DeviceWindow::shown, &w, [this, &w] {
        QTimer::singleShot(0, &w, [this, &w] {
          if (deviceAction_) deviceAction_(w);
        });
      });
    });
  }

  void TearDown() override {
    if (app_ && !app_->Ended()) app_->mainWindow().close();
    app_.reset();
  }

  // Starts the program; the technician does `action` in the device window.
  void Start(DeviceAction action = ClickOk) {
    deviceAction_ = std::move(action);
    app_->Start();
    testing_qt::ProcessEvents();
  }

  MainWindow& Main() { return app_->mainWindow(); }
  MainForm& Form() { return app_->form(); }
  GridView* Grid() { return Main().grid(); }

  template <typename T>
  T* Find(const QString& name) {
    T* found = Main().findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
  }

  void ClickButton(const QString& name) {
    testing_qt::ProcessEvents();  // the window settles between a person's clicks
    auto* button = Find<QAbstractButton>(name);
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isVisibleTo(&Main())) << name.toStdString() << " is hidden";
    ASSERT_TRUE(button->isEnabled()) << name.toStdString() << " is disabled";
    // A check box takes clicks on its box and caption only.
    const bool box = button->inherits("QCheckBox") || button->inherits("QRadioButton");
    testing_qt::Click(button, box ? QPoint(8, button->height() / 2) : button->rect().center());
  }

  // A mouse click on a grid cell, by the grid's own row and column numbers.
  void ClickCell(int row, int col) {
    testing_qt::ProcessEvents();
    const QRect cell = Grid()->CellRect(row, col, Grid()->viewport());
    ASSERT_FALSE(cell.isEmpty()) << "row " << row << " col " << col;
    testing_qt::Click(Grid()->viewport(), cell.center());
  }
  void DoubleClickCell(int row, int col) {
    testing_qt::ProcessEvents();
    const QRect cell = Grid()->CellRect(row, col, Grid()->viewport());
    ASSERT_FALSE(cell.isEmpty()) << "row " << row << " col " << col;
    testing_qt::DoubleClick(Grid()->viewport(), cell.center());
  }

  std::string CellText(int row, int col) {
    QTableWidgetItem* item = Grid()->item(GridView::TableRow(row), col);
    return item != nullptr ? item->text().toStdString() : std::string("<none>");
  }

  // Adds a card of box `box` (1 SGC10 .. 4 SGC50B) on the base channel of
  // grid row `row`, by clicks.
  void AddCard(int row, int box) {
    ClickCell(row, 1);
    ClickButton("cmdAddCard");
    ClickButton(QStringLiteral("ctCheck1(%1)").arg(box));
    ClickButton("cmdOK");
  }

  bool SavePng(const char* name) {
    const QString dir = testing_qt::PngDir();
    if (dir.isEmpty()) return false;
    return Main().grab().toImage().save(QDir(dir).filePath(QString::fromLatin1(name)));
  }

  QTemporaryDir dir_;
  SimulatedAcqLib unit_;
  ScriptedMessageBoxes boxes_;
  RecordedConfigurationPrinter printer_;
  std::unique_ptr<VerniumApp> app_;
  DeviceAction deviceAction_;
  DeviceWindow* deviceWindow_ = nullptr;
};

}  // namespace vernium::qtui

// The device selection window on the simulated unit: its controls, the list
// of supported units, the picture and description of the unit clicked, and
// the ways it closes. Clicks are real widget clicks.
#include "acquisition/ui/device_window.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QSvgWidget>
#include <QTimer>
#include <optional>

#include "acquisition/simulated_unit.h"
#include "acquisition/ui/device_pictures.h"
#include "platform/ui/qt_window_opener.h"
#include "support/qt_events.h"

namespace vernium::qtui {
namespace {

class DeviceWindowTest : public ::testing::Test {
 protected:
  DeviceWindowTest() {
    form.emplace(
        DeviceSelectionContext{&unit, device, selState, unsignedXfer, signedXfer, boxes, pointer});
  }

  DeviceWindow& Window() {
    if (!window) window = std::make_unique<DeviceWindow>(*form);
    return *window;
  }
  template <typename T>
  T* Find(const char* name) {
    T* found = Window().findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  QListWidget* List() { return Find<QListWidget>("DevInventList"); }
  QPushButton* Ok() { return Find<QPushButton>("Command1(0)"); }
  QPushButton* Cancel() { return Find<QPushButton>("Command1(1)"); }
  void ClickListRow(int row) {
    QListWidget* list = List();
    testing_qt::Click(list->viewport(), list->visualItemRect(list->item(row)).center());
  }

  SimulatedAcqLib unit;
  std::shared_ptr<const AcqDevice> device;
  std::int16_t selState = kDeviceSelUndecided;
  clsXferFunc unsignedXfer;
  clsXferFunc signedXfer;
  ScriptedMessageBoxes boxes;
  RecordedMousePointer pointer;
  std::optional<IfcSelForm> form;
  std::unique_ptr<DeviceWindow> window;
};

TEST_F(DeviceWindowTest, ControlsCarryTheirNamesAndCaptions) {
  DeviceWindow& w = Window();
  EXPECT_EQ(w.objectName(), QStringLiteral("frmIfcSel"));
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Vernium - Select Device"));
  EXPECT_EQ(Find<QGroupBox>("Frame1")->title(), QStringLiteral("Device Inventory"));
  EXPECT_EQ(Ok()->text(), QStringLiteral("&OK"));
  EXPECT_EQ(Cancel()->text(), QStringLiteral("&Cancel"));
  EXPECT_TRUE(Ok()->isDefault()) << "Enter confirms the device";
  EXPECT_NE(Find<QSvgWidget>("Picture1"), nullptr);
  EXPECT_NE(Find<QLabel>("DevTypeLabel"), nullptr);
}

TEST_F(DeviceWindowTest, ListsTheSupportedUnitsAndOpensTheFirst) {
  DeviceWindow& w = Window();
  QListWidget* list = List();
  QStringList names;
  for (int i = 0; i < list->count(); ++i) names << list->item(i)->text();
  EXPECT_EQ(names, (QStringList{"SIM-PORTABLE", "SIM-BOARD-23", "SIM-BOARD-36", "SIM-BOARD-17"}));
  EXPECT_EQ(list->currentRow(), 0);
  ASSERT_NE(unit.OpenDevice(), nullptr);
  EXPECT_EQ(unit.OpenDevice()->DeviceName, "SIM-PORTABLE");
  EXPECT_EQ(Find<QLabel>("DevTypeLabel")->text().toStdString(),
            unit.OpenDevice()->DeviceDescription);
  EXPECT_EQ(w.DrawnPicture(), 1);
}

TEST_F(DeviceWindowTest, ClickingAUnitOpensItAndShowsItsPicture) {
  DeviceWindow& w = Window();
  testing_qt::ShowAndWait(&w);
  ClickListRow(3);  // SIM-BOARD-17: the rack picture
  ASSERT_NE(unit.OpenDevice(), nullptr);
  EXPECT_EQ(unit.OpenDevice()->DeviceName, "SIM-BOARD-17");
  EXPECT_EQ(w.DrawnPicture(), 3);
  EXPECT_EQ(Find<QLabel>("DevTypeLabel")->text().toStdString(),
            unit.OpenDevice()->DeviceDescription);
  ClickListRow(1);  // type 23 leaves the picture as it was
  EXPECT_EQ(unit.OpenDevice()->DeviceName, "SIM-BOARD-23");
  EXPECT_EQ(w.DrawnPicture(), 3);
  EXPECT_EQ(List()->currentRow(), 1);
  EXPECT_TRUE(boxes.Shown().empty());
}

struct CloseCase {
  const char* name;
  enum { OkButton, CancelButton, Escape, Frame } how;
  std::int16_t selState;
};

std::ostream& operator<<(std::ostream& os, const CloseCase& c) {
  return os << c.name;
}

class DeviceWindowCloseTest : public DeviceWindowTest,
                              public ::testing::WithParamInterface<CloseCase> {};

TEST_P(DeviceWindowCloseTest, RunsModallyUntilTheTechnicianDecides) {
  const CloseCase& c = GetParam();
  QtWindowOpener opener;
  opener.Register(WindowId::frmIfcSel, [this] { return new DeviceWindow(*form); });
  bool acted = false;
  QTimer::singleShot(0, [&] {
    auto* w = static_cast<DeviceWindow*>(opener.Loaded(WindowId::frmIfcSel));
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(w->isVisible());
    acted = true;
    switch (c.how) {
      case CloseCase::OkButton:
        testing_qt::Click(w->findChild<QPushButton*>("Command1(0)"), {5, 5});
        break;
      case CloseCase::CancelButton:
        testing_qt::Click(w->findChild<QPushButton*>("Command1(1)"), {5, 5});
        break;
      case CloseCase::Escape:
        testing_qt::KeyClick(w, Qt::Key_Escape);
        break;
      case CloseCase::Frame:
        w->close();
        break;
    }
  });
  opener.ShowModal(WindowId::frmIfcSel);  // returns once the window is hidden
  EXPECT_TRUE(acted);
  EXPECT_EQ(selState, c.selState);
  EXPECT_TRUE(opener.Loaded(WindowId::frmIfcSel)->isHidden());
  EXPECT_FALSE(form->Visible);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, DeviceWindowCloseTest,
    ::testing::Values(CloseCase{"ok_chooses", CloseCase::OkButton, kDeviceSelChosen},
                      CloseCase{"cancel_cancels", CloseCase::CancelButton, kDeviceSelCancelled},
                      CloseCase{"escape_cancels", CloseCase::Escape, kDeviceSelCancelled},
                      CloseCase{"frame_leaves_undecided", CloseCase::Frame, kDeviceSelUndecided}),
    [](const auto& paramInfo) { return std::string(paramInfo.param.name); });

TEST_F(DeviceWindowTest, AUnitNotOnlineKeepsTheWindowOpen) {
  DeviceWindow& w = Window();
  testing_qt::ShowAndWait(&w);
  unit.Bench().SetOnline(false);
  Ok()->click();
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].text, "Device is not online.");
  EXPECT_EQ(boxes.Shown()[0].title, "Vernium");
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(selState, kDeviceSelUndecided);
  unit.Bench().SetOnline(true);
  Ok()->click();
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(selState, kDeviceSelChosen);
}

TEST_F(DeviceWindowTest, NoUnitsLeavesTheListEmptyAndOkDoesNothing) {
  unit.Bench().SetUnits({});
  DeviceWindow& w = Window();
  testing_qt::ShowAndWait(&w);
  EXPECT_EQ(List()->count(), 0);
  EXPECT_EQ(w.DrawnPicture(), 0);
  Ok()->click();
  EXPECT_TRUE(w.isVisible());
  EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(DeviceWindowTest, SavesAPicture) {
  DeviceWindow& w = Window();
  testing_qt::ShowAndWait(&w);
  const QString dir = testing_qt::PngDir();
  ASSERT_FALSE(dir.isEmpty());
  const QImage image = w.grab().toImage();
  ASSERT_FALSE(image.isNull());
  EXPECT_TRUE(image.save(QDir(dir).filePath("device_window.png")));
}

class DevicePictureTest : public ::testing::TestWithParam<int> {};

TEST_P(DevicePictureTest, IsAValidDrawingThatPaintsSomething) {
  const QString path = DevicePicturePath(GetParam());
  ASSERT_FALSE(path.isEmpty());
  QSvgRenderer renderer(path);
  ASSERT_TRUE(renderer.isValid()) << path.toStdString();
  QImage image(240, 180, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  renderer.render(&painter);
  painter.end();
  int painted = 0;
  for (int y = 0; y < image.height(); y += 4) {
    for (int x = 0; x < image.width(); x += 4) painted += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
  }
  EXPECT_GT(painted, 60 * 45 / 4) << "at least a quarter of the area is drawn";
}

INSTANTIATE_TEST_SUITE_P(Pictures, DevicePictureTest, ::testing::Values(1, 2, 3, 4));

}  // namespace
}  // namespace vernium::qtui

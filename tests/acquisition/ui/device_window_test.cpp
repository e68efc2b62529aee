// The device selection window on the simulated unit: the picture and
// description of the unit clicked, and the ways it closes. Clicks and keys
// are real widget events.
#include "acquisition/ui/device_window.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QSvgRenderer>
#include <QTimer>

#include "acquisition/ui/device_pictures.h"
#include "platform/ui/qt_window_opener.h"
#include "simulator/simulated_unit.h"
#include "support/qt_events.h"

namespace vernium::qtui {
namespace {

struct DeviceFixture {
  template <typename T>
  T* Find(const char* name) {
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  void ClickListRow(int row) {
    auto* list = Find<QListWidget>("DevInventList");
    testing_qt::Click(list->viewport(), list->visualItemRect(list->item(row)).center());
  }
  std::string Description() { return Find<QLabel>("DevTypeLabel")->text().toStdString(); }

  SimulatedAcqLib unit;
  std::shared_ptr<const AcqDevice> device;
  std::int16_t selState = kDeviceSelUndecided;
  clsXferFunc unsignedXfer, signedXfer;
  ScriptedMessageBoxes boxes;
  RecordedMousePointer pointer;
  IfcSelForm form{{&unit, device, selState, unsignedXfer, signedXfer, boxes, pointer}};
  DeviceWindow window{form};
};

struct DeviceWindowTest : DeviceFixture, ::testing::Test {};

TEST_F(DeviceWindowTest, ClickingAUnitOpensItAndDrawsItsPicture) {
  testing_qt::ShowAndWait(&window);
  EXPECT_EQ(unit.OpenDevice()->DeviceName, "SIM-PORTABLE");
  EXPECT_EQ(window.DrawnPicture(), 1);
  ClickListRow(3);
  EXPECT_EQ(unit.OpenDevice()->DeviceName, "SIM-BOARD-17");
  EXPECT_EQ(window.DrawnPicture(), 3);
  EXPECT_EQ(Description(), unit.OpenDevice()->DeviceDescription);
  ClickListRow(1);  // type 23 leaves the picture as it was
  EXPECT_EQ(unit.OpenDevice()->DeviceName, "SIM-BOARD-23");
  EXPECT_EQ(window.DrawnPicture(), 3);
  EXPECT_EQ(Description(), unit.OpenDevice()->DeviceDescription);
  EXPECT_TRUE(boxes.Shown().empty());

  const QString dir = testing_qt::PngDir();
  ASSERT_FALSE(dir.isEmpty());
  EXPECT_TRUE(window.grab().toImage().save(QDir(dir).filePath("device_window.png")));
}

enum class Close { Enter, Escape, Frame };

// The OK and Cancel buttons clicked: the start-up scenarios.
TEST(DeviceWindowClose, RunsModallyUntilTheTechnicianDecides) {
  const std::pair<Close, int> cases[] = {{Close::Enter, kDeviceSelChosen},
                                         {Close::Escape, kDeviceSelCancelled},
                                         {Close::Frame, kDeviceSelUndecided}};
  for (const auto& [how, wantState] : cases) {
    DeviceFixture t;
    QtWindowOpener opener;
    opener.Register(WindowId::frmIfcSel, [&t] { return new DeviceWindow(t.form); });
    bool acted = false;
    QTimer::singleShot(0, [&, how = how] {
      auto* w = static_cast<DeviceWindow*>(opener.Loaded(WindowId::frmIfcSel));
      ASSERT_TRUE(w != nullptr && w->isVisible());
      acted = true;
      QTimer::singleShot(2000, w, [w] { w->done(QDialog::Rejected); });  // a window left open
      if (how == Close::Enter) testing_qt::KeyClick(w, Qt::Key_Return);
      if (how == Close::Escape) testing_qt::KeyClick(w, Qt::Key_Escape);
      if (how == Close::Frame) w->close();
    });
    opener.ShowModal(WindowId::frmIfcSel);  // returns once the window is hidden
    EXPECT_TRUE(acted);
    EXPECT_EQ(t.selState, wantState);
    EXPECT_TRUE(opener.Loaded(WindowId::frmIfcSel)->isHidden());
    EXPECT_FALSE(t.form.Visible);
  }
}

TEST(DevicePictures, AreValidDrawings) {
  for (int index = 1; index <= 4; ++index) {
    EXPECT_TRUE(QSvgRenderer(DevicePicturePath(index)).isValid()) << index;
  }
  EXPECT_TRUE(DevicePicturePath(5).isEmpty());
}

}  // namespace
}  // namespace vernium::qtui

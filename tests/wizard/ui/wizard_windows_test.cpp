// The application-parameter window and the wizard window bound to their
// forms, offscreen: keys and focus reach the field handlers, options and
// buttons reach theirs, and every label, picture and marker shows the form's
// state. (The live reading drawn as it comes back from the worker: the
// calibration scenarios, whose technician reads it.) Pictures of each method
// and each wizard step go to the build's screens folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "simulator/simulated_unit.h"
#include "calibration/ui/precal_window.h"
#include "calibration/xfer_func.h"
#include "platform/message_boxes.h"
#include "platform/mouse_pointer.h"
#include "platform/ui/control_binding.h"
#include "platform/windows.h"
#include "support/qt_events.h"
#include "wizard/ui/calibrator_window.h"

namespace vernium::qtui {
namespace {

class WizardWindowsTest : public ::testing::Test {
 protected:
  SimulatedAcqLib unit;
  Session session{unit};
  PreCalState preCal;
  CalibratorState calibrator;
  Grid grid;
  ScriptedMessageBoxes boxes;
  RecordedMousePointer pointer;
  ScriptedWindowOpener windows;

  // One card channel in grid row 1, as the main window leaves it when the
  // technician presses Calibrate.
  void Channel(int chan, const std::string& label, const std::string& card) {
    unit.Bench().SetPacing(Pacing::Instant);
    ASSERT_EQ(unit.acqOpenDevice("SIM-PORTABLE"), 0);
    session.AcqObject = &unit;
    session.Device = unit.OpenDevice();
    session.UnsignedCountsToVolts.emplace();
    session.SignedCountsToVolts.emplace();
    RangeCountsToVolts(*session.UnsignedCountsToVolts, *session.SignedCountsToVolts);
    session.GageScanList.flags.fill(kScanFlag);
    grid.Resize(2, 6);
    grid.Cell(1, 1) = label;
    grid.Cell(1, 5) = card;
    session.config.CurrentChannel = static_cast<std::int16_t>(chan);
    session.config.Channels[chan].CardType = card;
    session.config.Channels[chan].ChannelLabel = label;
    session.config.Calc[chan] = {160.0f, 1.6f, 0.0f};
    session.config.Actual[chan].FilterGain = 1;
    LoadParameterForm(session.config, grid, preCal, pointer, chan);
  }
};

TEST_F(WizardWindowsTest, ParameterFieldsTakeTheirKeysAndRangesFromTheForm) {
  Channel(33, "1-0-1", "SGC50");
  PreCalForm form(session.config, preCal, calibrator.lblDirections, grid, boxes, pointer,
                  windows);
  PreCalWindow window(form);
  window.show();
  QApplication::setActiveWindow(&window);
  auto* excite = window.findChild<QLineEdit*>("txtExcite");
  auto* sense = window.findChild<QLineEdit*>("txtSense");
  ASSERT_TRUE(excite && sense);
  excite->setFocus();
  testing_qt::ProcessEvents();
  EXPECT_EQ(excite->selectedText(), "10");  // entering a field selects it
  QTest::keyClicks(excite, "1.2-.3");
  EXPECT_EQ(excite->text(), "1.23");
  sense->setFocus();  // leaving: 1.23 is below 1.5
  testing_qt::ProcessEvents();
  EXPECT_EQ(excite->text(), "1.5");
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].text, "Value is out of range.");
  EXPECT_TRUE(excite->hasFocus());
  sense->setFocus();
  sense->selectAll();
  QTest::keyClicks(sense, "150");
  QTest::keyClick(sense, Qt::Key_Return);  // Enter checks, and Continue does not run
  EXPECT_EQ(sense->text(), "100");
  EXPECT_EQ(sense->selectedText(), "100");
  EXPECT_TRUE(window.isVisible());
  auto* units = window.findChild<QLineEdit*>("txtUnits");
  units->setFocus();
  units->selectAll();
  QTest::keyClicks(units, "Kilo,gr=ams");  // no comma or "=": they would break a scaling line
  excite->setFocus();  // leaving the units: cut to eight characters, shown by the loads
  testing_qt::ProcessEvents();
  EXPECT_EQ(units->text(), "Kilogram");
  EXPECT_EQ(window.findChild<QLabel*>("lblUnits(4)")->text(), "Kilogram");

  // The calculation opened and closed again: the window is back to its size.
  const QSize closed = window.size();
  auto* showCalculation = window.findChild<QAbstractButton*>("chkShowCalculation");
  showCalculation->click();
  showCalculation->click();
  EXPECT_EQ(window.size(), closed);
  testing_qt::Save(window, "PreCal");
  window.findChild<QPushButton*>("cmdAnyCalCancel")->click();
  EXPECT_EQ(windows.Hidden().back(), WindowId::PreCal);
}

struct WizardRun {
  int chan;
  const char* label;
  const char* card;
  int picture;
};

class WizardStepsTest : public WizardWindowsTest,
                        public ::testing::WithParamInterface<WizardRun> {};

TEST_P(WizardStepsTest, EveryStepShowsTheFormsTextsAndMarker) {
  const WizardRun& r = GetParam();
  Channel(r.chan, r.label, r.card);
  CalibratorWindow window(session, calibrator, preCal, grid, boxes);
  window.show();
  testing_qt::ProcessEvents();
  const auto* marker = window.findChild<QWidget*>(ArrayName("picPotOn", r.picture));
  auto* next = window.findChild<QPushButton*>("cmdNext");
  ASSERT_TRUE(marker && next);
  EXPECT_TRUE(window.findChild<QWidget*>(ArrayName("picPots", r.picture))->isVisibleTo(&window));
  testing_qt::Save(window, QString("Calibrator-%1-step0").arg(r.card));
  const QSize opened = window.size();
  for (int step = 1; step <= 6; ++step) {
    // Enter presses Next as a click does.
    if (step % 2 == 1) {
      QTest::keyClick(&window, Qt::Key_Return);
    } else {
      next->click();
    }
    // The guidance shows with the first reading of a live step: the window
    // keeps its size.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return step != 2 || window.findChild<QWidget*>("fraGuidance")->isVisible(); }));
    EXPECT_EQ(window.size(), opened) << "step " << step;
    const CalibratorState& s = calibrator;
    EXPECT_EQ(window.findChild<QLabel*>("lblTarget")->text().toStdString(), s.lblTarget.caption);
    EXPECT_EQ(window.findChild<QLabel*>("lblDirections")->text().contains('\r'), false);
    EXPECT_EQ(window.findChild<QLabel*>("lblStep")->text(), QString("Step %1 of 6").arg(step));
    if (step <= 5) {
      // The marker lands where the form put it, in twips scaled to the picture.
      const double twips = r.picture == kPicSgc50
                               ? s.picPotOn[kPicSgc50].left
                               : s.picPotOn[static_cast<std::size_t>(r.picture)].top;
      const int pixel = r.picture == kPicSgc50 ? marker->x() : marker->y();
      EXPECT_NEAR(pixel, twips / 15.0 * CalibratorWindow::kPictureZoom, 1.0);
    }
    testing_qt::Save(window, QString("Calibrator-%1-step%2").arg(r.card).arg(step));
  }
  EXPECT_FALSE(next->isEnabled());
  EXPECT_EQ(session.config.Channels[r.chan].Calibrated, "Yes");
  window.findChild<QPushButton*>("cmdExitMain")->click();
  EXPECT_FALSE(window.isVisible());
}

INSTANTIATE_TEST_SUITE_P(Cards, WizardStepsTest,
                         ::testing::Values(WizardRun{17, "0-0-1", "SGC10", kPicSgc10Odd},
                                           WizardRun{48, "2-0-0", "SGC50A", kPicSgc50}),
                         [](const auto& param) { return std::string(param.param.card); });

}  // namespace
}  // namespace vernium::qtui

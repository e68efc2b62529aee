// The bench window offscreen: the dials turn the simulated trimpots by the
// steps a person expects from keys, the wheel and a drag.
#include <gtest/gtest.h>

#include <QScrollArea>
#include <QWheelEvent>

#include "simulator/simulated_unit.h"
#include "simulator/ui/bench_widgets.h"
#include "simulator/ui/bench_window.h"
#include "support/qt_events.h"

namespace vernium::qtui {
namespace {

constexpr int kSgc10Odd = 17;  // 0-0-1

class BenchWindowTest : public ::testing::Test {
 protected:
  SimulatedAcqLib unit;
  int gridChannel = kSgc10Odd;
  BenchForm form{unit.Bench(), [this] { return gridChannel; }};
  BenchWindow window{form};

  double TurnsOf(Trimpot t) const {
    return *unit.Bench().TrimpotPosition(form.Channel(), t) * kTrimpotTurns;
  }
};

TEST_F(BenchWindowTest, DialKeysAndWheelTurnTheTrimpotByTheirSteps) {
  window.show();
  auto* dial = window.findChild<TrimpotDial*>("dialInputGain");
  ASSERT_NE(dial, nullptr);
  EXPECT_FALSE(dial->accessibleName().isEmpty());
  dial->setFocus();
  struct Case {
    const char* what;
    std::function<void()> act;
    double turns;
  };
  auto wheel = [dial](int eighths, Qt::KeyboardModifiers modifiers) {
    const QPointF at(dial->width() / 2.0, dial->height() / 2.0);
    QWheelEvent event(at, dial->mapToGlobal(at), QPoint(), QPoint(0, eighths), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(dial, &event);
  };
  using testing_qt::KeyClick;
  // clang-format off
  const std::vector<Case> cases = {
      {"Up",            [&] { KeyClick(dial, Qt::Key_Up); },                          0.05},
      {"Left",          [&] { KeyClick(dial, Qt::Key_Left); },                       -0.05},
      {"Alt+Down",      [&] { KeyClick(dial, Qt::Key_Down, Qt::AltModifier); },     -0.0005},
      {"Page Up",       [&] { KeyClick(dial, Qt::Key_PageUp); },                      1.0},
      {"wheel notch",   [&] { wheel(120, Qt::NoModifier); },                          0.05},
      {"Shift+wheel",   [&] { wheel(120, Qt::ShiftModifier); },                       1.0},
  };
  // clang-format on
  for (const Case& c : cases) {
    const double before = TurnsOf(Trimpot::InputGain);
    c.act();
    EXPECT_NEAR(TurnsOf(Trimpot::InputGain) - before, c.turns, 1e-9) << c.what;
    EXPECT_DOUBLE_EQ(dial->Turns(), TurnsOf(Trimpot::InputGain)) << c.what << ": redrawn";
  }
  KeyClick(dial, Qt::Key_End);
  KeyClick(dial, Qt::Key_PageUp);  // the wiper stops at the end of its travel
  EXPECT_DOUBLE_EQ(TurnsOf(Trimpot::InputGain), kTrimpotTurns);
  KeyClick(dial, Qt::Key_Home);
  EXPECT_DOUBLE_EQ(TurnsOf(Trimpot::InputGain), 0.0);
}

TEST_F(BenchWindowTest, DraggingOnceAroundClockwiseIsOneTurnUp) {
  window.show();
  auto* dial = window.findChild<TrimpotDial*>("dialOffset");
  ASSERT_NE(dial, nullptr);
  const double before = TurnsOf(Trimpot::Offset);
  const QPoint c = dial->rect().center();
  const int r = dial->width() / 3;
  using testing_qt::SendMouse;
  SendMouse(dial, QEvent::MouseButtonPress, c + QPoint(0, -r));
  // A quarter turn at a time, clockwise from 12 o'clock back to it.
  for (QPoint p : {QPoint(r, 0), QPoint(0, r), QPoint(-r, 0), QPoint(0, -r)}) {
    SendMouse(dial, QEvent::MouseMove, c + p);
  }
  SendMouse(dial, QEvent::MouseButtonRelease, c + QPoint(0, -r));
  EXPECT_NEAR(TurnsOf(Trimpot::Offset) - before, 1.0, 0.02);
}

TEST_F(BenchWindowTest, FollowingAWiderCardKeepsTheSizeAndScrollsToEveryPart) {
  window.show();  // following the SGC10
  const QSize opened = window.size();
  gridChannel = 71;  // an SGC50B, the card with the most parts
  form.MeterTick();
  window.Redraw();
  QApplication::processEvents();
  EXPECT_EQ(window.size(), opened);
  EXPECT_TRUE(QRect(0, 0, 1024, 768).contains(QRect(QPoint(), opened)));
  const QWidget* bench = window.findChild<QScrollArea*>()->widget();
  EXPECT_TRUE(bench->isAncestorOf(window.findChild<QWidget*>("optCal2")));
  EXPECT_TRUE(bench->isAncestorOf(window.findChild<QWidget*>("fraMeters")));
}

}  // namespace
}  // namespace vernium::qtui

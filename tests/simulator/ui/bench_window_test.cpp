// The bench window offscreen: the dials turn the simulated trimpots by the
// steps a person expects from keys and the wheel, typed positions and the
// parts reach the bench, the meters follow. Pictures go to the screens
// folder.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QWheelEvent>

#include "simulator/simulated_unit.h"
#include "simulator/ui/bench_widgets.h"
#include "simulator/ui/bench_window.h"
#include "support/qt_events.h"

namespace vernium::qtui {
namespace {

constexpr int kSgc10Odd = 17;    // 0-0-1
constexpr int kSgc50B = 69;      // 3-0-5

class BenchWindowTest : public ::testing::Test {
 protected:
  SimulatedAcqLib unit;
  int gridChannel = kSgc10Odd;
  BenchForm form{unit.Bench(), [this] { return gridChannel; }};
  BenchWindow window{form};

  double TurnsOf(Trimpot t) const {
    return *unit.Bench().TrimpotPosition(form.Channel(), t) * kTrimpotTurns;
  }
  template <typename W>
  W* Find(const char* name) {
    auto* w = window.findChild<W*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
};

TEST_F(BenchWindowTest, DialKeysAndWheelTurnTheTrimpotByTheirSteps) {
  window.show();
  auto* dial = Find<TrimpotDial>("dialInputGain");
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
      {"Ctrl+Right",    [&] { KeyClick(dial, Qt::Key_Right, Qt::ControlModifier); }, 0.005},
      {"Page Up",       [&] { KeyClick(dial, Qt::Key_PageUp); },                      1.0},
      {"Page Down",     [&] { KeyClick(dial, Qt::Key_PageDown); },                   -1.0},
      {"wheel notch",   [&] { wheel(120, Qt::NoModifier); },                          0.05},
      {"two notches",   [&] { wheel(-240, Qt::NoModifier); },                        -0.10},
      {"half notches",  [&] { wheel(60, Qt::NoModifier); wheel(60, Qt::NoModifier); }, 0.05},
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
  EXPECT_DOUBLE_EQ(TurnsOf(Trimpot::InputGain), kTrimpotTurns);
  KeyClick(dial, Qt::Key_Home);
  EXPECT_DOUBLE_EQ(TurnsOf(Trimpot::InputGain), 0.0);
}

TEST_F(BenchWindowTest, DraggingOnceAroundClockwiseIsOneTurnUp) {
  window.show();
  auto* dial = Find<TrimpotDial>("dialOffset");
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

TEST_F(BenchWindowTest, TypedPositionsLoadAndPartsReachTheBenchAndThePicturesAreSaved) {
  window.show();
  auto* turns = Find<QLineEdit>("txtScaleGainTurns");
  turns->setFocus();
  turns->selectAll();
  QTest::keyClicks(turns, "12.5");
  QTest::keyClick(turns, Qt::Key_Return);
  EXPECT_DOUBLE_EQ(TurnsOf(Trimpot::ScaleGain), 12.5);
  EXPECT_EQ(turns->text(), "12.500");

  auto* load = Find<QLineEdit>("txtLoad");
  load->setFocus();
  load->selectAll();
  QTest::keyClicks(load, "400");
  QTest::keyClick(load, Qt::Key_Return);
  EXPECT_DOUBLE_EQ(unit.Bench().Channel(kSgc10Odd)->load, 400.0);

  auto* filter = Find<BenchPart>("optFilter");
  testing_qt::Click(filter, filter->rect().center());
  EXPECT_EQ(unit.Bench().Channel(kSgc10Odd)->filter, FilterJumper::Engaged);
  testing_qt::ProcessEvents();
  const auto back = unit.Bench().Readback(kSgc10Odd);
  auto* output = Find<QLabel>("lblVoltmeterOutput");
  EXPECT_EQ(output->text(), QString::number(back->outputVolts, 'f', 4) + " V");
  testing_qt::Save(window, "bench-sgc10-odd");

  gridChannel = kSgc50B;
  QTest::qWait(kBenchMeterIntervalMs * 3);  // the meters' timer follows the main grid
  EXPECT_EQ(form.Channel(), kSgc50B);
  EXPECT_TRUE(Find<BenchPart>("optCal2")->isVisibleTo(&window));
  EXPECT_FALSE(Find<BenchPart>("chkShunt")->isVisibleTo(&window));
  testing_qt::Save(window, "bench-sgc50b");
}

}  // namespace
}  // namespace vernium::qtui

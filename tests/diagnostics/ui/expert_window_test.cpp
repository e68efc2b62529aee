// The diagnostics window on a small screen: it fits 1024 x 768 (its layout
// keeps the buttons inside it). (What it shows: the form's tests and
// diagnostics.scn.)
#include "diagnostics/ui/expert_window.h"

#include <gtest/gtest.h>

#include "calibration/precal_state.h"
#include "platform/message_boxes.h"
#include "session/session.h"
#include "simulator/simulated_unit.h"
#include "support/qt_events.h"

namespace vernium::qtui {
namespace {

TEST(ExpertWindowTest, FitsA1024By768Screen) {
  SimulatedAcqLib unit;
  Session session(unit);
  const PreCalState preCal;
  Grid grid;
  grid.Resize(2, 6);
  ScriptedMessageBoxes boxes;
  ExpertWindow window(session, preCal, grid, boxes);
  window.show();
  testing_qt::ProcessEvents();
  // The window frame and a desktop panel take about 60 pixels of the height.
  EXPECT_LE(window.width(), 1024);
  EXPECT_LE(window.height(), 768 - 60);
}

}  // namespace
}  // namespace vernium::qtui

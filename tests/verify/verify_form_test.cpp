// The verification window's form on the simulated unit: the planned loads,
// the points read off the window's thread, a failed reading, removing a
// point, the verified line left in the configuration. (The AC-coupled steps
// are the scenario verify_ac_certificate's.)
#include "verify/verify_form.h"

#include <gtest/gtest.h>

#include "calibration/xfer_func.h"
#include "platform/configuration_printer.h"
#include "simulator/simulated_unit.h"

namespace vernium {
namespace {

constexpr int kChannel = 32;

class VerifyFormTest : public ::testing::Test {
 protected:
  VerifyFormTest() {
    unit.Bench().SetPacing(Pacing::Instant);
    unit.Bench().SetNoise(0.0);
    EXPECT_EQ(unit.acqOpenDevice("SIM-PORTABLE"), 0);
    session.AcqObject = &unit;
    session.Device = unit.OpenDevice();
    session.UnsignedCountsToVolts.emplace();
    session.SignedCountsToVolts.emplace();
    RangeCountsToVolts(*session.UnsignedCountsToVolts, *session.SignedCountsToVolts);
    session.config.CurrentChannel = kChannel;
    ChannelConfig& record = session.config.Channels[kChannel];
    record.CardType = "SGC50";
    record.ChannelLabel = "1-0-0";
    record.Calibrated = "Yes";
    record.M = 147.0f;
    record.B = 65.0f;
  }
  // Applies the proposed load on the bench and reads the point.
  void ReadPlanned() {
    unit.Bench().SetLoad(kChannel, LeadingNumberOf(form.state().txtApplied.text));
    form.ReadPointClick();
    EXPECT_TRUE(form.ReadInFlight());
    EXPECT_FALSE(form.state().cmdReadPoint.enabled);
    runner.Deliver();
  }
  static double LeadingNumberOf(const std::string& text) { return std::stod(text); }

  SimulatedAcqLib unit;
  Session session{unit};
  DeferredRunner runner;
  ScriptedMessageBoxes boxes;
  RecordedConfigurationPrinter printer;
  VerifyRun run;
  VerifyForm form{session, run, boxes, runner, printer};
};

TEST_F(VerifyFormTest, ReadsThePlanKeepsPointsThroughAFailedReadingAndRemovesOne) {
  form.Load();
  EXPECT_EQ(form.state().caption, "Verify Channel 1-0-0");
  EXPECT_EQ(form.state().lblFit.caption, "At least two points off the rail are needed for a fit.");
  for (const char* planned : {"65.0", "248.8", "432.5"}) {
    EXPECT_EQ(form.state().txtApplied.text, planned);
    ReadPlanned();
  }
  ASSERT_EQ(form.state().grdPoints.Rows(), 4);
  EXPECT_EQ(form.state().grdPoints.Cell(3, kPtColApplied), "432.5");
  // A passing check leaves its line, which opening the window again keeps
  // until a point is read.
  ASSERT_TRUE(session.config.Verified[kChannel].passed) << form.Result().verdict;
  EXPECT_FLOAT_EQ(session.config.Verified[kChannel].m, static_cast<float>(form.Result().verified->m));
  const VerifiedLine passed = session.config.Verified[kChannel];
  form.Load();
  EXPECT_TRUE(session.config.Verified[kChannel].passed);
  EXPECT_EQ(session.config.Verified[kChannel].b, passed.b);
  for (int i = 0; i < 3; ++i) ReadPlanned();

  unit.Bench().FailOperation("acqAdcArm", 54);
  form.ReadPointClick();
  runner.Deliver();
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].text.rfind("AcqLib Error #54: ", 0), 0u) << boxes.Shown()[0].text;
  EXPECT_EQ(form.Points().size(), 3u);
  EXPECT_TRUE(form.state().cmdReadPoint.enabled);

  form.state().grdPoints.row = 1;  // the tare's row
  form.RemovePointClick();
  ASSERT_EQ(form.Points().size(), 2u);
  EXPECT_EQ(form.Points()[0].applied, 248.8);
  form.RemovePointClick();  // no row selected: the last
  EXPECT_EQ(form.Points().size(), 1u);
  EXPECT_FALSE(session.config.Verified[kChannel].passed);
  EXPECT_FALSE(form.state().cmdCertificate.enabled);
}

}  // namespace
}  // namespace vernium

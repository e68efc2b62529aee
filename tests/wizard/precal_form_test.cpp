// The application-parameter form: method field states, activation, and the
// checks, advice and calculation that Continue runs in order.
#include <gtest/gtest.h>

#include "wizard/wizard_fixture.h"

namespace vernium::testing {
namespace {

TEST_F(WizardTest, MethodsEnableTheirFieldsAndDirections) {
  Declare(1, 2);
  OpenParameters("1-0-0");
  struct Row {
    int method;
    bool sense, points, shunt;
    const char* directionsStart;
  };
  for (const Row& r : {Row{kMethodNameplate, true, false, false, "Nameplate calibration allows"},
                       Row{kMethodTwoPoint, false, true, false, "Two point calibration allows"},
                       Row{kMethodShuntCal, false, true, true, "Shunt calibration allows"}}) {
    SCOPED_TRACE(r.method);
    precal.MethodClick(r.method);
    EXPECT_EQ(p.SelectedMethod(), r.method);
    EXPECT_TRUE(p.txtExcite.enabled && p.txtMaxLoad.enabled && p.txtOffset.enabled);
    EXPECT_EQ(p.txtFullLoad.enabled && p.lblSense.enabled, r.sense);
    EXPECT_EQ(p.txtPnt2Value.enabled && p.lblPnt1mVolts.enabled, r.points);
    EXPECT_EQ(p.lblShuntCalValue.enabled, r.shunt);
    EXPECT_EQ(w.lblDirections.caption.rfind(r.directionsStart, 0), 0u);
  }
}

TEST_F(WizardTest, ActivationNamesTheChannelAndKeepsShuntCalOffSgc10) {
  Declare(0, 1);
  config.Channels[17].Units = "Newtons";
  SwitchMethodOption(p, kMethodShuntCal);
  Click("0-0-1");
  precal.Activate();
  EXPECT_EQ(p.caption, "Application Parameters - Channel 0-0-1");
  EXPECT_FALSE(p.optCalMethod[kMethodShuntCal].visible);
  EXPECT_EQ(p.SelectedMethod(), kMethodNameplate);
  EXPECT_EQ(p.lblUnits[4].caption, "Newtons");
}

struct ContinueCase {
  const char* name;
  int box;  // 1 SGC10, 2 SGC50
  const char* label;
  int method;
  const char* field;  // set to `value` before Continue ("" none)
  const char* value;
  const char* filter;  // the grid's filter text ("" leave)
  bool ac;
  const char* message;  // "" none
  const char* title;
  MsgIcon icon;
  bool wizardOpens;
};

class ContinueTest : public WizardTest, public ::testing::WithParamInterface<ContinueCase> {};

TEST_P(ContinueTest, ChecksAdviceAndCalculation) {
  const ContinueCase& c = GetParam();
  Declare(c.box == 1 ? 0 : 1, c.box, 2);
  Click(c.label);
  if (*c.filter) config.Channels[config.CurrentChannel].FilterOn = kTrue16;
  if (c.ac) config.Channels[config.CurrentChannel].DCCoupled = kFalse16;
  OpenParameters(c.label, c.method);
  if (*c.field) precal.Field(c.field)->text = c.value;
  boxes.Clear();
  EXPECT_EQ(Continue(), c.wizardOpens);
  if (*c.message) {
    ASSERT_FALSE(boxes.Shown().empty());
    EXPECT_EQ(boxes.Shown().front().text, c.message);
    EXPECT_EQ(boxes.Shown().front().title, c.title);
    EXPECT_EQ(boxes.Shown().front().icon, c.icon);
  } else {
    EXPECT_TRUE(boxes.Shown().empty()) << LastMessage();
  }
}

constexpr auto I = MsgIcon::Information;
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Continue, ContinueTest,
    ::testing::Values(
        ContinueCase{"LonePoint", 2, "1-0-0", kMethodNameplate, "txtPnt2Value", " . ", "", false,
                     "Please enter valid data.", "Data Validation Error", I, false},
        ContinueCase{"EmptyShunt", 2, "1-0-0", kMethodNameplate, "txtShuntCalValue", "", "",
                     false, " Please enter valid data.", "Data Validation Error", I, false},
        ContinueCase{"MaxBelowTare", 2, "1-0-0", kMethodNameplate, "txtMaxLoad", "60", "", false,
                     " The Application Max Load value must be greater than the Quiescent/Tare "
                     "value.",
                     "Data Validation Error", MsgIcon::Exclamation, false},
        ContinueCase{"NameplateNegativeShunt", 2, "1-0-0", kMethodNameplate, "txtOffset", "600",
                     "", false,
                     " Proper gains cannot be determined for this application. The desired gains "
                     "may be achieved by performing a manual adjustment of the strain gage card. "
                     "See the examples in the User's Manual for more information.",
                     "Attention!", I, false},
        ContinueCase{"ShuntAtFullScale", 2, "1-0-0", kMethodShuntCal, "txtShuntCalValue", "800",
                     "", false, "", "", I, true},
        ContinueCase{"Sgc10OddAc", 1, "0-0-0", kMethodNameplate, "", "", "", true,
                     "Channel needs to be set to DC coupling for calibration. Install jumper JP2",
                     "Attention!", I, true},
        ContinueCase{"Sgc10EvenFilterAc", 1, "0-0-1", kMethodNameplate, "", "", "X2", true,
                     "Filter must be bypassed while calibrating unit, Move jumper JP4 to bypass "
                     "position.\r\n\r\nChannel needs to be set to DC coupling for calibration. "
                     "Install jumper JP3\r\n\r\nAll jumpers will be set to user defined settings "
                     "in the final steps of calibration.",
                     "Attention!", I, true},
        ContinueCase{"SecondCardShuntFilter", 2, "1-1-3", kMethodShuntCal, "txtShuntCalValue",
                     "500", "X2", false,
                     "Filter must be engaged while calibrating unit, move jumper JP404 to filter "
                     "position\r\n\r\nAll jumpers will be set to user defined settings in the "
                     "final steps of calibration.",
                     "Attention!", I, true}),
    [](const auto& param) { return std::string(param.param.name); });
// clang-format on

TEST_F(WizardTest, ContinueStoresWhatCancelDoesNotAndTheFormShowsItAgain) {
  Declare(1, 2);
  OpenParameters("1-0-0");
  p.txtExcite.text = "5";
  p.txtSense.text = "0.1";  // no gains fit: stored, but no wizard
  p.txtPnt1mVolts.text = "12.5";
  precal.AnyCalCancelClick();
  EXPECT_EQ(config.Channels[32].Excitation, 10.0f);
  EXPECT_FALSE(Continue());
  EXPECT_EQ(config.Channels[32].Excitation, 5.0f);
  EXPECT_FLOAT_EQ(config.Channels[32].Sensitivity, 0.0001f);
  EXPECT_EQ(windows.Hidden().back(), WindowId::PreCal);
  EXPECT_EQ(pointer.Get(), PointerShape::Normal);
  OpenParameters("1-0-0");  // the stored values shown again, in millivolts
  EXPECT_EQ(p.txtPnt1mVolts.text, "12.5");
}

}  // namespace
}  // namespace vernium::testing

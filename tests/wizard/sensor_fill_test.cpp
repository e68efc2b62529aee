// A sensor chosen from the library fills the parameter fields as if its
// entries were typed: only the fields the method lets one type in, each
// through its key filter and its range check.
#include <gtest/gtest.h>

#include "calibration/sensor_library.h"
#include "wizard/wizard_fixture.h"

namespace vernium::testing {
namespace {

struct FillCase {
  int method;
  Sensor sensor;
  const char *excite, *sense, *fullLoad, *units, *shunt;
  std::size_t outOfRange;  // message 12 shown this often
};

TEST_F(WizardTest, ASensorFillsTheMethodsFieldsThroughTheirChecks) {
  Declare(1, 2);
  const Sensor wide{"LC", "1", "12", "150", "500", "Kilograms", "900"};
  const FillCase cases[] = {
      {kMethodNameplate, wide, "10.5", "100", "500", "Kilogram", "0", 2},
      {kMethodTwoPoint, wide, "10.5", "2", "1000", "Kilogram", "0", 1},
      {kMethodShuntCal, wide, "10.5", "2", "1000", "Kilogram", "900", 1},
      {kMethodNameplate,
       {"LC", "2", "5.0.1x", "-3", "", "N,m=1", "7"},
       "5.01",
       "3",
       "",
       "Nm1",
       "0",
       0},
      {kMethodNameplate, {"LC", "3", "", "2", "1e3", "lbf", "0"}, "1.5", "2", "13", "lbf", "0", 1},
  };
  for (const FillCase& c : cases) {
    SCOPED_TRACE(c.sensor.serialNumber + " method " + std::to_string(c.method));
    OpenParameters("1-0-0", c.method);
    boxes.Clear();
    precal.FillFromSensor(c.sensor);
    EXPECT_EQ(p.txtExcite.text, c.excite);
    EXPECT_EQ(p.txtSense.text, c.sense);
    EXPECT_EQ(p.txtFullLoad.text, c.fullLoad);
    EXPECT_EQ(p.txtUnits.text, c.units);
    EXPECT_EQ(p.lblUnits[0].caption, c.units);
    EXPECT_EQ(p.txtShuntCalValue.text, c.shunt);
    EXPECT_EQ(boxes.Shown().size(), c.outOfRange);
    for (const ShownMessage& box : boxes.Shown()) EXPECT_EQ(box.text, "Value is out of range.");
    precal.AnyCalCancelClick();
  }
}

}  // namespace
}  // namespace vernium::testing

#include "acquisition/device_selection.h"

#include <gtest/gtest.h>

#include "acq_test_support.h"

namespace vernium {
namespace {

using namespace testing;

// The picture of each type is a fixed table; the device window's test sees
// those of the simulated unit's types.
TEST(DeviceTypes, AreListedWithTheirReadBackGainCodes) {
  // Types 0..40: 'l' listed, 's' listed and numbering its read-back gain codes
  // 4..7 instead of 0..3, '.' not listed.
  constexpr std::string_view kTable = "llllllll.ss......ss...ss............ss...";
  for (int type = -1; type <= 41; ++type) {
    const char want = type >= 0 && type <= 40 ? kTable[static_cast<std::size_t>(type)] : '.';
    EXPECT_EQ(IsListedDeviceType(type), want != '.') << type;
    const AcqDevice device{type, "", 0, ""};
    EXPECT_EQ(ReadBackGainCode(&device, 3), want == 's' ? 7 : 3) << type;
  }
  EXPECT_EQ(ReadBackGainCode(nullptr, 2), 2);
}

// Over the simulated unit, which offers SIM-PORTABLE (type 0), SIM-BOARD-23,
// SIM-BOARD-36, SIM-BOARD-17 and SIM-UNSUPPORTED-50, and whose bench orders
// the library's failures. Opening a unit clicked, its picture and its
// description: the device window's test.
struct Selection {
  DeviceSelectionContext Context(AcqLibObject* lib) {
    return {lib, Device, DeviceSelState, unsignedToVolts, signedToVolts, boxes, pointer};
  }
  void Click(int row) {
    form.DevInventList.Select(row);
    form.ListClick();
  }

  SimulatedAcqLib unit;
  SimulatedBench& bench = unit.Bench();
  std::shared_ptr<const AcqDevice> Device;
  std::int16_t DeviceSelState = kDeviceSelUndecided;
  clsXferFunc unsignedToVolts, signedToVolts;
  ScriptedMessageBoxes boxes;
  RecordedMousePointer pointer;
  IfcSelForm form{Context(&unit)};
};

struct DeviceSelection : Selection, ::testing::Test {};

const Strings kSupported = {"SIM-PORTABLE", "SIM-BOARD-23", "SIM-BOARD-36", "SIM-BOARD-17"};

TEST_F(DeviceSelection, LoadListsTheSupportedUnitsAndOpensTheFirst) {
  form.Load();
  EXPECT_EQ(form.DevInventList.items, kSupported);
  EXPECT_EQ(unit.OpenDevice()->DeviceName, "SIM-PORTABLE");
  EXPECT_TRUE(boxes.Shown().empty()) << "closing while nothing is open yet is passed over";
}

// Units of unsupported types left out: the type table and the simulated unit's type 50.
TEST_F(DeviceSelection, WithoutAUnitOrALibraryNothingIsListedOpenedOrOnline) {
  bench.SetUnits({});
  form.Load();
  EXPECT_TRUE(form.DevInventList.items.empty());
  form.Command1Click(0);  // the online check gets an empty name: no box, no call
  EXPECT_TRUE(form.Visible);
  IfcSelForm orphan{Context(nullptr)};
  orphan.Load();
  EXPECT_TRUE(orphan.DevInventList.items.empty());
  EXPECT_FALSE(orphan.IsDeviceOnline("SIM-PORTABLE"));
  EXPECT_EQ(unit.OpenDevice(), nullptr);
  EXPECT_EQ(Device, nullptr);
  EXPECT_TRUE(boxes.Shown().empty());
  EXPECT_EQ(DeviceSelState, kDeviceSelUndecided);
}

// Cancel and the other ways the window closes: the device window's test.
TEST(DeviceSelectionOk, ChoosesTheUnitOnlyWhenItIsOnline) {
  // The unit offline, the code the online check fails with, whether the
  // library has no text for it, and the box shown ("": none).
  const std::tuple<bool, AcqStatus, bool, std::string> cases[] = {
      {false, 0, false, ""},
      {true, 0, true, "Device is not online."},  // the form's own text for 115
      {false, 3, false, "The device is busy."},
      {false, 3, true, "AcqLib Error #3"}};
  for (const auto& [offline, code, textFails, message] : cases) {
    Selection f;
    f.form.Load();
    f.bench.SetOnline(!offline);
    if (code != 0) f.bench.FailOperation("acqOnlineStatus", code);
    if (textFails) f.bench.FailOperation("acqErrorText", 1);
    f.form.Command1Click(0);
    EXPECT_EQ(f.DeviceSelState, message.empty() ? kDeviceSelChosen : kDeviceSelUndecided);
    EXPECT_EQ(f.form.Visible, !message.empty()) << message;
    const Strings box{message + "|Vernium|information|OK"};
    EXPECT_EQ(Boxes(f.boxes), message.empty() ? Strings{} : box) << message;
  }
}

TEST(DeviceSelectionFailures, EndTheProcedureWithTheLibrarysCodeAndText) {
  const std::pair<const char*, Strings> cases[] = {{"acqDeviceCount", {}},
                                                   {"acqDeviceNames", {}},
                                                   {"acqDeviceByName", {}},
                                                   {"acqOpenDevice", kSupported}};
  for (const auto& [operation, listed] : cases) {
    Selection f;
    f.bench.FailOperation(operation, 3);
    f.form.Load();
    EXPECT_EQ(f.form.DevInventList.items, listed) << operation;
    EXPECT_EQ(Boxes(f.boxes), Strings{"AcqLib Error #3: The device is busy.|Vernium|none|OK"});
    EXPECT_EQ(f.unit.OpenDevice(), nullptr) << operation;
  }
  Selection f;  // no last error code: the failing status
  f.bench.FailOperation("acqOpenDevice", 99);
  f.bench.FailOperation("acqLastErrorCode", 1);
  f.form.Load();
  EXPECT_EQ(Boxes(f.boxes), Strings{"AcqLib Error #99: Unknown error code 99.|Vernium|none|OK"});
}

TEST_F(DeviceSelection, ALookUpFailureOnClickKeepsTheDeviceItHad) {
  form.Load();
  bench.FailOperation("acqDeviceByName", 202);
  Click(3);
  EXPECT_EQ(Device->DeviceName, "SIM-PORTABLE");
  EXPECT_TRUE(boxes.Shown().empty());
  // With no device yet there is nothing to open: the library's last code is reported.
  Device.reset();
  bench.FailOperation("acqDeviceByName", 202);
  Click(3);
  EXPECT_EQ(Boxes(boxes),
            Strings{"AcqLib Error #202: No device of that name is known.|Vernium|none|OK"});
}

}  // namespace
}  // namespace vernium

#include "acquisition/device_selection.h"

#include <gtest/gtest.h>

#include "acq_test_support.h"
#include "acquisition/gauge_acquisition.h"

namespace vernium {
namespace {

using namespace testing;

TEST(DeviceTypes, AreListedWithTheirPictureAndReadBackGainCodes) {
  // Types 0..40: the picture, 'n' listed without a picture, '.' not listed;
  // 's' where the unit numbers its read-back gain codes 4..7 instead of 0..3.
  constexpr std::string_view kTable = "11111222.44......33...3n............11...";
  constexpr std::string_view kShifted = ".........ss......ss...ss............ss...";
  for (int type = -1; type <= 41; ++type) {
    const auto i = static_cast<std::size_t>(type);
    const bool inTable = type >= 0 && type <= 40;
    const auto picture = DevicePictureIndex(type);
    const char got =
        picture ? static_cast<char>('0' + *picture) : (IsListedDeviceType(type) ? 'n' : '.');
    EXPECT_EQ(got, inTable ? kTable[i] : '.') << type;
    const AcqDevice device{type, "", 0, ""};
    EXPECT_EQ(ReadBackGainCode(&device, 3), inTable && kShifted[i] == 's' ? 7 : 3) << type;
  }
  EXPECT_EQ(ReadBackGainCode(nullptr, 2), 2);
}

const std::string kError61 = "AcqLib Error #61: Sixty-one.|Vernium|none|OK";

struct Selection {
  Selection() {
    acq.devices = {{0, "P", 0, "portable"},
                   {50, "X", 0, "unsupported"},
                   {17, "Q", 0, "board"},
                   {23, "R", 3, "board 23"}};
    acq.errorTexts[61] = "Sixty-one.";
    acq.lastErrorCode = 61;
  }
  DeviceSelectionContext Context(AcqLibObject* lib) {
    return {lib, Device, DeviceSelState, unsignedToVolts, signedToVolts, boxes, pointer};
  }
  void Click(int row) {
    form.DevInventList.Select(row);
    form.ListClick();
  }

  ScriptedAcqLib acq;
  std::shared_ptr<const AcqDevice> Device;
  std::int16_t DeviceSelState = kDeviceSelUndecided;
  clsXferFunc unsignedToVolts, signedToVolts;
  ScriptedMessageBoxes boxes;
  RecordedMousePointer pointer;
  IfcSelForm form{Context(&acq)};
};

struct DeviceSelection : Selection, ::testing::Test {};

// The pictures and descriptions a click shows are the device window's test.
TEST_F(DeviceSelection, LoadOpensTheFirstSupportedUnitAndAClickSwitchesUnits) {
  form.Load();
  EXPECT_EQ(form.DevInventList.items, (Strings{"P", "Q", "R"}));
  EXPECT_EQ(acq.opened, "P");
  EXPECT_EQ(unsignedToVolts.yo(65535), 5.0);
  EXPECT_EQ(signedToVolts.yo(-32768), -5.0);
  EXPECT_GE(pointer.HourglassCount(), 1);
  EXPECT_EQ(pointer.Get(), PointerShape::Normal);
  acq.calls.clear();
  Click(2);
  EXPECT_EQ(acq.calls, (Strings{"acqDeviceByName", "acqCloseDevice", "acqOpenDevice"}));
  EXPECT_EQ(acq.opened, "R");
  EXPECT_EQ(form.DevTypeLabel.caption, "board 23");
  EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(DeviceSelection, WithoutASupportedUnitOrALibraryNothingIsListedOpenedOrOnline) {
  for (const auto& devices : {std::vector<AcqDevice>{}, {{50, "A", 0, ""}, {8, "B", 0, ""}}}) {
    acq.devices = devices;
    form.Load();
    EXPECT_TRUE(form.DevInventList.items.empty());
    form.Command1Click(0);  // the online check gets an empty name
    EXPECT_TRUE(form.Visible);
  }
  IfcSelForm orphan{Context(nullptr)};
  orphan.Load();
  EXPECT_TRUE(orphan.DevInventList.items.empty());
  EXPECT_FALSE(orphan.IsDeviceOnline("P"));
  EXPECT_EQ(acq.Count("acqOpenDevice") + acq.Count("acqOnlineStatus"), 0);
  EXPECT_EQ(Device, nullptr);
  EXPECT_TRUE(boxes.Shown().empty());
  EXPECT_EQ(DeviceSelState, kDeviceSelUndecided);
}

TEST_F(DeviceSelection, CommandButtonsDecideOnlyWhenTheDeviceIsOnline) {
  const std::tuple<int, std::int32_t, std::int16_t, const char*> cases[] = {
      {0, 0, kDeviceSelChosen, nullptr},
      {0, 115, kDeviceSelUndecided, "Device is not online."},
      {0, 61, kDeviceSelUndecided, "Sixty-one."},
      {0, 62, kDeviceSelUndecided, "AcqLib Error #62"},  // the library has no text for it
      {1, 115, kDeviceSelCancelled, nullptr}};
  form.Load();
  for (const auto& [button, onlineStatus, selState, message] : cases) {
    boxes.Clear();
    form.Visible = true;
    DeviceSelState = kDeviceSelUndecided;
    acq.onlineStatus = onlineStatus;
    form.Command1Click(button);
    EXPECT_EQ(DeviceSelState, selState) << onlineStatus;
    EXPECT_EQ(form.Visible, message != nullptr) << onlineStatus;
    const Strings box{std::string(message ? message : "") + "|Vernium|information|OK"};
    EXPECT_EQ(Boxes(boxes), message ? box : Strings{}) << onlineStatus;
  }
}

TEST(DeviceSelectionFailures, EndTheProcedureWithTheLibrarysCodeAndText) {
  const std::tuple<const char*, ScriptedAcqLib::Failure, Strings, std::string> cases[] = {
      {"acqDeviceCount", {99}, {}, kError61},
      {"acqDeviceNames", {99}, {}, kError61},
      {"acqDeviceByName", {99, 3}, {"P"}, kError61},  // the third look-up
      {"acqOpenDevice", {99}, {"P", "Q", "R"}, kError61},
      {"acqCloseDevice", {201}, {"P", "Q", "R"}, ""}};  // passed over
  for (const auto& [operation, failure, listed, box] : cases) {
    Selection f;
    f.acq.failures[operation] = failure;
    f.form.Load();
    EXPECT_EQ(f.form.DevInventList.items, listed) << operation;
    EXPECT_EQ(Boxes(f.boxes), box.empty() ? Strings{} : Strings{box}) << operation;
    EXPECT_EQ(f.acq.opened, box.empty() ? "P" : "") << operation;
  }
  Selection f;  // no last error code: the failing status, whose text is unknown
  f.acq.failures["acqOpenDevice"] = {99};
  f.acq.lastErrorCodeStatus = 1;
  f.form.Load();
  EXPECT_EQ(Boxes(f.boxes), Strings{"AcqLib Error #99: |Vernium|none|OK"});
}

TEST_F(DeviceSelection, ALookUpFailureOnClickKeepsTheDeviceItHad) {
  form.Load();
  acq.failures["acqDeviceByName"] = {202};
  Click(1);
  EXPECT_EQ(Device->DeviceName, "P");
  EXPECT_TRUE(boxes.Shown().empty());
  Device.reset();  // with no device yet there is nothing to open: reported
  Click(1);
  EXPECT_EQ(Boxes(boxes), Strings{kError61});
  EXPECT_EQ(acq.Count("acqOpenDevice"), 2);
}

}  // namespace
}  // namespace vernium

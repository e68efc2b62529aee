#include "acquisition/device_selection.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "acq_call_recorder.h"
#include "acquisition/simulated_unit.h"

namespace vernium {
namespace {

using testing::AcqCallRecorder;
using testing::ScriptedAcqLib;
using Strings = std::vector<std::string>;

// --- Which types are listed, with which picture ------------------------------

struct TypeCase {
  std::int32_t type;
  bool listed;
  std::optional<int> picture;
  friend std::ostream& operator<<(std::ostream& os, const TypeCase& c) {
    return os << "type " << c.type;
  }
};

class DeviceTypes : public ::testing::TestWithParam<TypeCase> {};

TEST_P(DeviceTypes, AreListedWithTheirPicture) {
  EXPECT_EQ(IsListedDeviceType(GetParam().type), GetParam().listed);
  EXPECT_EQ(DevicePictureIndex(GetParam().type), GetParam().picture);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DeviceTypes,
    ::testing::Values(TypeCase{0, true, 1}, TypeCase{4, true, 1}, TypeCase{5, true, 2},
                      TypeCase{7, true, 2}, TypeCase{8, false, std::nullopt},
                      TypeCase{9, true, 4}, TypeCase{10, true, 4},
                      TypeCase{11, false, std::nullopt}, TypeCase{16, false, std::nullopt},
                      TypeCase{17, true, 3}, TypeCase{18, true, 3}, TypeCase{22, true, 3},
                      TypeCase{23, true, std::nullopt}, TypeCase{24, false, std::nullopt},
                      TypeCase{36, true, 1}, TypeCase{37, true, 1},
                      TypeCase{38, false, std::nullopt}, TypeCase{50, false, std::nullopt},
                      TypeCase{-1, false, std::nullopt}));

// --- The form on the simulated unit -----------------------------------------

struct OnSimulatedUnit : ::testing::Test {
  DeviceSelectionContext Context() {
    return {&recorder, Device, DeviceSelState, unsignedCountsToVolts, signedCountsToVolts,
            boxes,     pointer};
  }

  SimulatedAcqLib sim;
  AcqCallRecorder recorder{sim};
  std::shared_ptr<const AcqDevice> Device;
  std::int16_t DeviceSelState = kDeviceSelUndecided;
  clsXferFunc unsignedCountsToVolts;
  clsXferFunc signedCountsToVolts;
  ScriptedMessageBoxes boxes;
  RecordedMousePointer pointer;
  IfcSelForm form{Context()};
};

TEST_F(OnSimulatedUnit, LoadListsTheSupportedUnitsAndOpensTheFirst) {
  form.Load();
  EXPECT_EQ(form.DevInventList.items,
            (Strings{"SIM-PORTABLE", "SIM-BOARD-23", "SIM-BOARD-36", "SIM-BOARD-17"}));
  EXPECT_EQ(form.DevInventList.listIndex, 0);
  ASSERT_NE(Device, nullptr);
  EXPECT_EQ(Device->DeviceName, "SIM-PORTABLE");
  EXPECT_EQ(form.DevTypeLabel.caption, Device->DeviceDescription);
  EXPECT_EQ(form.Picture1.pictureIndex, 1);
  ASSERT_NE(sim.OpenDevice(), nullptr);
  EXPECT_EQ(sim.OpenDevice()->DeviceName, "SIM-PORTABLE");
  // The transfer functions are ranged for the +-5 V input.
  EXPECT_DOUBLE_EQ(unsignedCountsToVolts.yo(0), -5.0);
  EXPECT_DOUBLE_EQ(unsignedCountsToVolts.yo(65535), 5.0);
  EXPECT_DOUBLE_EQ(signedCountsToVolts.yo(-32768), -5.0);
  EXPECT_DOUBLE_EQ(signedCountsToVolts.yo(32767), 5.0);
  // The hourglass showed and the pointer is back.
  EXPECT_GE(pointer.HourglassCount(), 1);
  EXPECT_EQ(pointer.Get(), PointerShape::Normal);
  EXPECT_TRUE(boxes.Shown().empty());
  EXPECT_EQ(DeviceSelState, kDeviceSelUndecided);
}

TEST_F(OnSimulatedUnit, ClickingASecondDeviceClosesTheFirstBeforeOpeningIt) {
  form.Load();
  recorder.calls.clear();
  form.DevInventList.Select(3);
  form.ListClick();
  EXPECT_EQ(recorder.calls, (Strings{"acqDeviceByName", "acqCloseDevice", "acqOpenDevice"}));
  EXPECT_EQ(recorder.openedNames.back(), "SIM-BOARD-17");
  EXPECT_EQ(sim.OpenDevice()->DeviceName, "SIM-BOARD-17");
  EXPECT_EQ(Device->DeviceType, 17);
  EXPECT_EQ(form.Picture1.pictureIndex, 3);
}

TEST_F(OnSimulatedUnit, TheType23UnitLeavesThePictureAsItWas) {
  form.Load();
  form.DevInventList.Select(3);  // type 17: picture 3
  form.ListClick();
  form.DevInventList.Select(1);  // type 23
  form.ListClick();
  EXPECT_EQ(Device->DeviceType, 23);
  EXPECT_EQ(form.Picture1.pictureIndex, 3);
  EXPECT_EQ(form.DevTypeLabel.caption, Device->DeviceDescription);
}

TEST_F(OnSimulatedUnit, OkWithTheDeviceOnlineChoosesItAndHidesTheWindow) {
  form.Load();
  form.Command1Click(0);
  EXPECT_EQ(DeviceSelState, kDeviceSelChosen);
  EXPECT_FALSE(form.Visible);
  EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(OnSimulatedUnit, OkWithTheDeviceOfflineSaysSoAndKeepsTheWindowOpen) {
  form.Load();
  sim.Bench().SetOnline(false);
  form.Command1Click(0);
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].text, "Device is not online.");
  EXPECT_EQ(boxes.Shown()[0].title, "Vernium");
  EXPECT_EQ(boxes.Shown()[0].icon, MsgIcon::Information);
  EXPECT_EQ(boxes.Shown()[0].buttons, MsgButtons::OK);
  EXPECT_EQ(DeviceSelState, kDeviceSelUndecided);
  EXPECT_TRUE(form.Visible);
}

TEST_F(OnSimulatedUnit, CancelEndsTheSelection) {
  form.Load();
  form.Command1Click(1);
  EXPECT_EQ(DeviceSelState, kDeviceSelCancelled);
  EXPECT_FALSE(form.Visible);
}

TEST_F(OnSimulatedUnit, NoDevicesLeaveAnEmptyListAndOkDoesNothing) {
  sim.Bench().SetUnits({});
  form.Load();
  EXPECT_TRUE(form.DevInventList.items.empty());
  EXPECT_EQ(Device, nullptr);
  EXPECT_EQ(std::count(recorder.calls.begin(), recorder.calls.end(), "acqOpenDevice"), 0);
  form.Command1Click(0);
  EXPECT_TRUE(form.Visible);
  EXPECT_TRUE(boxes.Shown().empty());
  EXPECT_EQ(DeviceSelState, kDeviceSelUndecided);
  EXPECT_EQ(std::count(recorder.calls.begin(), recorder.calls.end(), "acqOnlineStatus"), 0);
}

TEST_F(OnSimulatedUnit, OnlyUnsupportedUnitsLeaveAnEmptyList) {
  sim.Bench().SetUnits({AcqDevice{50, "A", 0, "a"}, AcqDevice{8, "B", 0, "b"}});
  form.Load();
  EXPECT_TRUE(form.DevInventList.items.empty());
  EXPECT_EQ(Device, nullptr);
}

TEST_F(OnSimulatedUnit, AFailedOpenIsReportedWithTheLibrarysCodeAndText) {
  ASSERT_TRUE(sim.Bench().FailOperation("acqOpenDevice", 203));
  form.Load();
  ASSERT_EQ(boxes.Shown().size(), 1u);
  std::string text;
  sim.acqErrorText(203, text);
  EXPECT_EQ(boxes.Shown()[0].text, "AcqLib Error #203: " + text);
  EXPECT_EQ(boxes.Shown()[0].title, "Vernium");
  EXPECT_EQ(boxes.Shown()[0].icon, MsgIcon::None);
  EXPECT_EQ(sim.OpenDevice(), nullptr);
  EXPECT_EQ(form.DevInventList.items.size(), 4u);
}

// --- Failures on a scripted library -----------------------------------------

struct OnScriptedLibrary : ::testing::Test {
  OnScriptedLibrary() {
    acq.devices = {AcqDevice{0, "P", 0, "portable"}, AcqDevice{9, "Q", 0, "board"},
                   AcqDevice{23, "R", 3, "board 23"}};
    acq.errorTexts[61] = "Sixty-one.";
  }
  ScriptedAcqLib acq;
  std::shared_ptr<const AcqDevice> Device;
  std::int16_t DeviceSelState = kDeviceSelUndecided;
  clsXferFunc unsignedCountsToVolts;
  clsXferFunc signedCountsToVolts;
  ScriptedMessageBoxes boxes;
  RecordedMousePointer pointer;
  IfcSelForm form{{&acq, Device, DeviceSelState, unsignedCountsToVolts, signedCountsToVolts,
                   boxes, pointer}};
};

class LoadFailure : public OnScriptedLibrary, public ::testing::WithParamInterface<const char*> {};

TEST_P(LoadFailure, EndsTheLoadWithTheAcqLibErrorMessage) {
  acq.failures[GetParam()] = 99;
  acq.lastErrorCode = 61;
  form.Load();
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].text, "AcqLib Error #61: Sixty-one.");
  EXPECT_EQ(boxes.Shown()[0].icon, MsgIcon::None);
  EXPECT_TRUE(form.DevInventList.items.empty());
  EXPECT_EQ(acq.Count("acqOpenDevice"), 0);
}

INSTANTIATE_TEST_SUITE_P(Calls, LoadFailure,
                         ::testing::Values("acqDeviceCount", "acqDeviceNames"));

TEST_F(OnScriptedLibrary, AFailedLookUpKeepsTheNamesListedSoFar) {
  acq.failByNameAtCall = 3;
  acq.failByNameStatus = 99;
  acq.lastErrorCode = 61;
  form.Load();
  EXPECT_EQ(form.DevInventList.items, (Strings{"P", "Q"}));
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].text, "AcqLib Error #61: Sixty-one.");
  EXPECT_EQ(acq.Count("acqOpenDevice"), 0) << "the load ended before selecting";
}

TEST_F(OnScriptedLibrary, AClosingFailureIsPassedOver) {
  acq.failures["acqCloseDevice"] = 201;
  form.Load();
  EXPECT_TRUE(boxes.Shown().empty());
  EXPECT_EQ(acq.openName, "P");
}

TEST_F(OnScriptedLibrary, ALookUpFailureOnClickKeepsTheDeviceItHad) {
  form.Load();
  acq.failures["acqDeviceByName"] = 202;
  form.DevInventList.Select(1);
  form.ListClick();
  EXPECT_EQ(Device->DeviceName, "P");
  EXPECT_EQ(acq.openName, "P");
  EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(OnScriptedLibrary, ALookUpFailureWithNoDeviceYetIsReported) {
  acq.failures["acqDeviceByName"] = 202;
  acq.lastErrorCode = 61;
  form.DevInventList.AddItem("P");
  form.DevInventList.Select(0);
  form.ListClick();
  EXPECT_EQ(Device, nullptr);
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].text, "AcqLib Error #61: Sixty-one.");
  EXPECT_EQ(acq.Count("acqOpenDevice"), 0);
}

struct OnlineCase {
  std::int32_t status;
  bool online;
  std::optional<std::string> message;
  friend std::ostream& operator<<(std::ostream& os, const OnlineCase& c) {
    return os << "status " << c.status;
  }
};

class OnlineStatus : public OnScriptedLibrary, public ::testing::WithParamInterface<OnlineCase> {};

TEST_P(OnlineStatus, DecidesAndExplains) {
  acq.onlineStatus = GetParam().status;
  EXPECT_EQ(form.IsDeviceOnline("P"), GetParam().online);
  if (GetParam().message) {
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, *GetParam().message);
    EXPECT_EQ(boxes.Shown()[0].title, "Vernium");
    EXPECT_EQ(boxes.Shown()[0].icon, MsgIcon::Information);
  } else {
    EXPECT_TRUE(boxes.Shown().empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, OnlineStatus,
    ::testing::Values(OnlineCase{0, true, std::nullopt},
                      OnlineCase{115, false, "Device is not online."},
                      OnlineCase{61, false, "Sixty-one."},
                      // A status the library has no text for is named by its code.
                      OnlineCase{62, false, "AcqLib Error #62"}));

TEST_F(OnScriptedLibrary, AnEmptyNameOrNoLibraryIsNeverOnline) {
  EXPECT_FALSE(form.IsDeviceOnline(""));
  EXPECT_EQ(acq.Count("acqOnlineStatus"), 0);
  IfcSelForm orphan{{nullptr, Device, DeviceSelState, unsignedCountsToVolts, signedCountsToVolts,
                     boxes, pointer}};
  EXPECT_FALSE(orphan.IsDeviceOnline("P"));
  orphan.Load();
  EXPECT_TRUE(orphan.DevInventList.items.empty());
  EXPECT_TRUE(boxes.Shown().empty());
}

}  // namespace
}  // namespace vernium

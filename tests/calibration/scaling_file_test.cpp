#include "calibration/scaling_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <ostream>
#include <random>
#include <string>

#include "model/configuration.h"
#include "platform/message_boxes.h"
#include "platform/mouse_pointer.h"

namespace vernium {
namespace {

namespace fs = std::filesystem;

const std::string kHeader =
    ";SGC 10 mx+b file\r\n"
    ";This file specifies the conversion from the Acquibox or Acquiboard voltage (x)\r\n"
    ";to the user's units (y) in the form of y=mx+b\r\n";

// A fresh, empty directory per test, removed afterwards.
class ScalingFile : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device seed;
    dir_ = fs::temp_directory_path() /
           ("vernium-scaling-" + std::to_string(seed()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }

  fs::path File() const { return dir_ / "sgc10.ini"; }

  std::string Contents() const {
    std::ifstream in(File(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  void Write() { WriteScalingFile(config_, boxes_, pointer_, dir_); }

  // A calibrated, active channel with its parameters and measured gains.
  void Calibrate(int channel, const char* units, float fullLoad, float excitation,
                 float sensitivity, float inputGain, float scalingGain, std::int16_t filterGain,
                 float offset) {
    ChannelConfig& c = config_.Channels[channel];
    c.Active = kTrue16;
    c.Calibrated = "Yes";
    c.Units = units;
    c.FullLoad = fullLoad;
    c.Excitation = excitation;
    c.Sensitivity = sensitivity;
    config_.Actual[channel] = {inputGain, scalingGain, offset, filterGain};
  }

  void ExpectErrorMessage() const {
    ASSERT_EQ(boxes_.Shown().size(), 1u);
    const ShownMessage& shown = boxes_.Shown()[0];
    EXPECT_EQ(shown.title, "Wave-Studio Data Output");
    EXPECT_EQ(shown.text, "An error occured during the output of Wave-Studio data");
    EXPECT_EQ(shown.icon, MsgIcon::None);
    EXPECT_EQ(shown.buttons, MsgButtons::OK);
  }

  fs::path dir_;
  Configuration config_;
  ScriptedMessageBoxes boxes_;
  RecordedMousePointer pointer_;
};

TEST_F(ScalingFile, NoCalibratedChannelWritesTheHeaderOnly) {
  Write();
  EXPECT_EQ(Contents(), kHeader);
  EXPECT_TRUE(boxes_.Shown().empty());
}

TEST_F(ScalingFile, OneLinePerCalibratedChannelInChannelOrder) {
  // k = 1000 / 10 / 0.002 = 50000 units per volt, less a little in single
  // precision (0.002 has no exact single): m = k / 500 is 99.99999.
  Calibrate(16, "Pounds", 1000.0f, 10.0f, 0.002f, 200.0f, 2.5f, 1, 0.5f);
  // k = 500 / 5 / 0.001 = 100000; total gain 160 x 2 x 2; b = k x -0.32 / 160.
  Calibrate(17, "Kilogram", 500.0f, 5.0f, 0.001f, 160.0f, 2.0f, 2, -0.32f);
  // m = 50000 / 3 in seven significant digits.
  Calibrate(271, "N", 1000.0f, 10.0f, 0.002f, 1.0f, 3.0f, 1, 0.001f);
  // Calibrated but no longer active, and active but not calibrated.
  Calibrate(100, "Pounds", 1000.0f, 10.0f, 0.002f, 200.0f, 2.5f, 1, 0.5f);
  config_.Channels[100].Active = kFalse16;
  Calibrate(101, "Pounds", 1000.0f, 10.0f, 0.002f, 200.0f, 2.5f, 1, 0.5f);
  config_.Channels[101].Calibrated = "No";
  Write();
  EXPECT_EQ(Contents(), kHeader +
                            "CH016,Pounds,m=99.99999,b=125\r\n"
                            "CH017,Kilogram,m=156.25,b=-200\r\n"
                            "CH271,N,m=16666.67,b=50\r\n");
  EXPECT_TRUE(boxes_.Shown().empty());
}

TEST_F(ScalingFile, AnyCalibratedTextButNoCounts) {
  Calibrate(40, "lbf", 1000.0f, 10.0f, 0.002f, 200.0f, 2.5f, 1, 0.0f);
  config_.Channels[40].Calibrated = "05-17-2024";
  Calibrate(41, "lbf", 1000.0f, 10.0f, 0.002f, 200.0f, 2.5f, 1, 0.0f);
  config_.Channels[41].Active = 1;  // any non-zero value is true
  Write();
  EXPECT_EQ(Contents(), kHeader + "CH040,lbf,m=99.99999,b=0\r\nCH041,lbf,m=99.99999,b=0\r\n");
}

TEST_F(ScalingFile, MeasuredInputGainZeroGivesZeroSlopeAndIntercept) {
  Calibrate(20, "Pounds", 1000.0f, 10.0f, 0.002f, 0.0f, 2.5f, 1, 0.5f);
  Write();
  EXPECT_EQ(Contents(), kHeader + "CH020,Pounds,m=0,b=0\r\n");
  EXPECT_TRUE(boxes_.Shown().empty());
}

TEST_F(ScalingFile, SmallAndLargeValuesUseTheExponentForm) {
  // k = 1e-3 / 10 / 0.1 = 1e-3; m = 1e-3 / 1000 = 1E-06.
  Calibrate(30, "t", 0.001f, 10.0f, 0.1f, 100.0f, 10.0f, 1, 0.0f);
  // k = 99999 / 1.5 / 1e-6 = 6.6666E+10 units per volt.
  Calibrate(31, "g", 99999.0f, 1.5f, 0.000001f, 1.0f, 1.0f, 1, 0.0f);
  Write();
  EXPECT_EQ(Contents(), kHeader + "CH030,t,m=1E-06,b=0\r\nCH031,g,m=6.6666E+10,b=0\r\n");
}

TEST_F(ScalingFile, ReplacesAnEarlierFileWhole) {
  std::ofstream(File(), std::ios::binary) << std::string(1000, 'x');
  Write();
  EXPECT_EQ(Contents(), kHeader);
}

// An arithmetic fault in a channel's values ends the write; the lines before
// it stay.
struct FaultCase {
  const char* name;
  float fullLoad, excitation, sensitivity, inputGain, scalingGain, offset;
};
std::ostream& operator<<(std::ostream& os, const FaultCase& c) {
  return os << c.name;
}

class ScalingFileFault : public ScalingFile, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(ScalingFileFault, KeepsTheLinesWrittenBeforeAndShowsTheMessage) {
  const FaultCase& c = GetParam();
  Calibrate(16, "Pounds", 1000.0f, 10.0f, 0.002f, 200.0f, 2.5f, 1, 0.5f);
  Calibrate(50, "Pounds", c.fullLoad, c.excitation, c.sensitivity, c.inputGain, c.scalingGain, 1,
            c.offset);
  Calibrate(60, "Pounds", 1000.0f, 10.0f, 0.002f, 200.0f, 2.5f, 1, 0.5f);
  Write();
  EXPECT_EQ(Contents(), kHeader + "CH016,Pounds,m=99.99999,b=125\r\n");
  ExpectErrorMessage();
  EXPECT_EQ(pointer_.Get(), PointerShape::Normal);
}

const float kNaN = std::numeric_limits<float>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Values, ScalingFileFault,
    ::testing::Values(FaultCase{"ExcitationZero", 1000.0f, 0.0f, 0.002f, 200.0f, 2.5f, 0.5f},
                      FaultCase{"SensitivityZero", 1000.0f, 10.0f, 0.0f, 200.0f, 2.5f, 0.5f},
                      FaultCase{"ZeroOverZero", 0.0f, 0.0f, 0.002f, 0.0f, 0.0f, 0.0f},
                      FaultCase{"UnitsPerVoltOverflow", 99999.0f, 1e-30f, 1e-20f, 1.0f, 1.0f, 0.0f},
                      FaultCase{"TotalGainOverflow", 1000.0f, 10.0f, 0.002f, 1e30f, 1e30f, 0.0f},
                      FaultCase{"NaNOffset", 1000.0f, 10.0f, 0.002f, 200.0f, 2.5f, kNaN},
                      FaultCase{"NaNFullLoad", kNaN, 10.0f, 0.002f, 200.0f, 2.5f, 0.5f}),
    [](const ::testing::TestParamInfo<FaultCase>& param) { return param.param.name; });

TEST_F(ScalingFile, UnwritableLocationShowsTheMessage) {
  // A directory in the file's place cannot be opened for output, whoever runs
  // the test.
  fs::create_directory(File());
  Write();
  ExpectErrorMessage();
}

TEST_F(ScalingFile, MissingDirectoryShowsTheMessage) {
  WriteScalingFile(config_, boxes_, pointer_, dir_ / "not-there");
  ExpectErrorMessage();
  EXPECT_FALSE(fs::exists(dir_ / "not-there"));
}

TEST_F(ScalingFile, WriteErrorShowsTheMessage) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this system";
  fs::create_symlink("/dev/full", File());
  Calibrate(16, "Pounds", 1000.0f, 10.0f, 0.002f, 200.0f, 2.5f, 1, 0.5f);
  Write();
  ExpectErrorMessage();
}

TEST_F(ScalingFile, HourglassWhileWritingThenThePreviousPointer) {
  Write();
  EXPECT_EQ(pointer_.HourglassCount(), 1);
  EXPECT_EQ(pointer_.Get(), PointerShape::Normal);

  pointer_.Set(PointerShape::Hourglass);
  fs::create_directory(dir_ / "sub");
  fs::create_directory(dir_ / "sub" / "sgc10.ini");
  WriteScalingFile(config_, boxes_, pointer_, dir_ / "sub");
  EXPECT_EQ(pointer_.Get(), PointerShape::Hourglass);
}

// The pointer is back to normal before the error message shows.
class PointerAwareBoxes : public ScriptedMessageBoxes {
 public:
  explicit PointerAwareBoxes(const MousePointer& pointer) : pointer_(pointer) {}
  MsgAnswer Show(std::string_view text, std::string_view title, MsgIcon icon,
                 MsgButtons buttons) override {
    shapeAtShow = pointer_.Get();
    return ScriptedMessageBoxes::Show(text, title, icon, buttons);
  }
  PointerShape shapeAtShow = PointerShape::Hourglass;

 private:
  const MousePointer& pointer_;
};

TEST_F(ScalingFile, ErrorMessageShowsWithTheNormalPointer) {
  PointerAwareBoxes boxes(pointer_);
  WriteScalingFile(config_, boxes, pointer_, dir_ / "not-there");
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.shapeAtShow, PointerShape::Normal);
}

}  // namespace
}  // namespace vernium

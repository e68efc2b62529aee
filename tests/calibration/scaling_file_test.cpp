#include "calibration/scaling_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <limits>
#include <random>
#include <string>
#include <tuple>

namespace vernium {
namespace {

namespace fs = std::filesystem;

const std::string kHeader =
    ";SGC 10 mx+b file\r\n"
    ";This file specifies the conversion from the Acquibox or Acquiboard voltage (x)\r\n"
    ";to the user's units (y) in the form of y=mx+b\r\n";

// Notes the pointer's shape whenever a box shows.
struct PointerAwareBoxes : ScriptedMessageBoxes {
  MsgAnswer Show(std::string_view text, std::string_view title, MsgIcon icon,
                 MsgButtons buttons) override {
    shapeAtShow = pointer.Get();
    return ScriptedMessageBoxes::Show(text, title, icon, buttons);
  }
  RecordedMousePointer pointer;
  PointerShape shapeAtShow = PointerShape::Hourglass;
};

// A fresh, empty directory per test, removed afterwards.
class ScalingFile : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(dir_); }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Contents() const {
    std::ifstream in(dir_ / "sgc10.ini", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  void Write(const fs::path& dir) { WriteScalingFile(config_, boxes_, boxes_.pointer, dir); }

  // An active, calibrated channel with its parameters and measured gains.
  void Calibrate(int channel, const char* units, float fullLoad, float excitation,
                 float sensitivity, float inputGain, float scalingGain, float offset) {
    ChannelConfig& c = config_.Channels[channel];
    std::tie(c.Active, c.Calibrated, c.Units, c.FullLoad, c.Excitation, c.Sensitivity) =
        std::make_tuple(kTrue16, "Yes", units, fullLoad, excitation, sensitivity);
    config_.Actual[channel] = {inputGain, scalingGain, offset, 1};
  }

  void ExpectErrorMessage() const {
    ASSERT_EQ(boxes_.Shown().size(), 1u);
    const ShownMessage& shown = boxes_.Shown()[0];
    EXPECT_EQ(std::tie(shown.title, shown.text, shown.icon, shown.buttons),
              std::make_tuple("Wave-Studio Data Output",
                              "An error occured during the output of Wave-Studio data",
                              MsgIcon::None, MsgButtons::OK));
    EXPECT_EQ(boxes_.shapeAtShow, PointerShape::Normal);
  }

  const fs::path dir_ =
      fs::temp_directory_path() / ("vernium-scaling-" + std::to_string(std::random_device{}()));
  Configuration config_;
  PointerAwareBoxes boxes_;
};

// The file of a configuration without calibrated channels, the header
// alone, is the exit scenario's.
TEST_F(ScalingFile, OneLinePerActiveCalibratedChannelInChannelOrder) {
  // k = 1000 / 10 / 0.002 = 50000 units per volt, less a little in single
  // precision: m = k / 500 is 99.99999.
  Calibrate(16, "Pounds", 1000.0f, 10.0f, 0.002f, 200.0f, 2.5f, 0.5f);
  // k = 100000; total gain 160 x 2 x 2; b = k x -0.32 / 160.
  Calibrate(17, "Kilogram", 500.0f, 5.0f, 0.001f, 160.0f, 2.0f, -0.32f);
  config_.Actual[17].FilterGain = 2;
  Calibrate(20, "Pounds", 1000.0f, 10.0f, 0.002f, 0.0f, 2.5f, 0.5f);  // input gain 0
  Calibrate(30, "t", 0.001f, 10.0f, 0.1f, 100.0f, 10.0f, 0.0f);       // m = 1E-06
  Calibrate(40, "lbf", 1000.0f, 10.0f, 0.002f, 200.0f, 2.5f, 0.0f);
  config_.Channels[40].Calibrated = "05-17-2024";  // any text but "No"
  config_.Channels[40].Active = 1;                 // any non-zero value
  Calibrate(100, "Pounds", 1000.0f, 10.0f, 0.002f, 200.0f, 2.5f, 0.5f);
  config_.Channels[100].Active = kFalse16;
  Calibrate(101, "Pounds", 1000.0f, 10.0f, 0.002f, 200.0f, 2.5f, 0.5f);
  config_.Channels[101].Calibrated = "No";
  Calibrate(271, "N", 1000.0f, 10.0f, 0.002f, 1.0f, 3.0f, 0.001f);  // m = 50000 / 3
  // A longer earlier file is replaced; the pointer found before comes back.
  std::ofstream(dir_ / "sgc10.ini", std::ios::binary) << std::string(1000, 'x');
  boxes_.pointer.Set(PointerShape::Hourglass);
  Write(dir_);
  EXPECT_EQ(boxes_.pointer.HourglassCount(), 3) << "ours, the write's and its putting back";
  EXPECT_EQ(boxes_.pointer.Get(), PointerShape::Hourglass);
  EXPECT_EQ(Contents(), kHeader +
                            "CH016,Pounds,m=99.99999,b=125\r\n"
                            "CH017,Kilogram,m=156.25,b=-200\r\n"
                            "CH020,Pounds,m=0,b=0\r\n"
                            "CH030,t,m=1E-06,b=0\r\n"
                            "CH040,lbf,m=99.99999,b=0\r\n"
                            "CH271,N,m=16666.67,b=50\r\n");
  EXPECT_TRUE(boxes_.Shown().empty());
}

// Only with the verified lines asked for does a channel whose check passed
// carry its verified line; one whose check failed keeps the usual line.
TEST_F(ScalingFile, VerifiedLinesOnlyWhenAskedAndOnlyForAPassingCheck) {
  Calibrate(16, "Pounds", 1000.0f, 10.0f, 0.002f, 200.0f, 2.5f, 0.5f);
  Calibrate(17, "Pounds", 1000.0f, 10.0f, 0.002f, 200.0f, 2.5f, 0.5f);
  config_.Verified[16] = {true, 146.8f, 65.01f, "Nameplate"};
  config_.Verified[17] = {false, 146.8f, 65.01f, "Nameplate"};
  const std::string legacy = kHeader +
                             "CH016,Pounds,m=99.99999,b=125\r\n"
                             "CH017,Pounds,m=99.99999,b=125\r\n";
  for (const bool verified : {false, true}) {
    WriteScalingFile(config_, boxes_, boxes_.pointer, dir_, verified);
    EXPECT_EQ(Contents(), verified ? kHeader +
                                         "CH016,Pounds,m=146.8,b=65.01\r\n"
                                         "CH017,Pounds,m=99.99999,b=125\r\n"
                                   : legacy);
  }
}

TEST_F(ScalingFile, ArithmeticFaultEndsTheWriteKeepingTheLinesBefore) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  // Full load, excitation, sensitivity, input gain, scale gain, offset.
  const float rows[][6] = {{1000, 0, 0.002f, 200, 2.5f, 0.5f},   // excitation zero
                           {1000, 10, 0, 200, 2.5f, 0.5f},       // sensitivity zero
                           {99999, 1e-30f, 1e-20f, 1, 1, 0},     // units per volt overflow
                           {1000, 10, 0.002f, 1e30f, 1e30f, 0},  // total gain overflow
                           {1000, 10, 0.002f, 200, 2.5f, nan},   // offset NaN
                           {nan, 10, 0.002f, 200, 2.5f, 0.5f}};  // full load NaN
  Calibrate(16, "Pounds", 1000.0f, 10.0f, 0.002f, 200.0f, 2.5f, 0.5f);
  Calibrate(60, "Pounds", 1000.0f, 10.0f, 0.002f, 200.0f, 2.5f, 0.5f);
  for (const auto& r : rows) {
    boxes_.Clear();
    Calibrate(50, "Pounds", r[0], r[1], r[2], r[3], r[4], r[5]);
    Write(dir_);
    EXPECT_EQ(Contents(), kHeader + "CH016,Pounds,m=99.99999,b=125\r\n") << &r - rows;
    ExpectErrorMessage();
  }
}

TEST_F(ScalingFile, AMissingOrUnwritableDirectoryOrAWriteErrorShowsTheMessage) {
  std::ofstream(dir_ / "sgc10.ini", std::ios::binary) << "the earlier file";
  Write(dir_ / "not-there");
  ExpectErrorMessage();
  EXPECT_FALSE(fs::exists(dir_ / "not-there"));
  // A directory no one may write in, even the superuser.
  if (fs::is_directory("/proc/self")) {
    boxes_.Clear();
    Write("/proc/self");
    ExpectErrorMessage();
  }
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this system";
  // The disk fills up under the new file: the earlier file stays whole, and
  // what was written is left beside it.
  boxes_.Clear();
  fs::create_symlink("/dev/full", dir_ / "sgc10.ini.new");
  Calibrate(16, "Pounds", 1000.0f, 10.0f, 0.002f, 200.0f, 2.5f, 0.5f);
  Write(dir_);
  ExpectErrorMessage();
  ASSERT_FALSE(fs::is_symlink(dir_ / "sgc10.ini"));
  EXPECT_EQ(Contents(), "the earlier file");
  EXPECT_TRUE(fs::is_symlink(dir_ / "sgc10.ini.new"));
}

}  // namespace
}  // namespace vernium

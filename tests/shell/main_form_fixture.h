#pragma once
// A main window form on scripted services, with the steps a technician takes
// (click a row, add a card through the panel, remove one) as helpers.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "acquisition/base_availability.h"
#include "model/configuration.h"
#include "platform/configuration_printer.h"
#include "platform/help_viewer.h"
#include "platform/message_boxes.h"
#include "platform/mouse_pointer.h"
#include "platform/windows.h"
#include "shell/main_form.h"
#include "shell/session.h"

namespace vernium::testing {

// An acquisition library that succeeds at everything and counts the calls
// the main window makes.
class FakeAcqLib : public AcqLibObject {
 public:
  int prepares = 0;
  int closes = 0;
  std::int32_t lastPrepareMode = -1;
  std::int32_t lastPrepareOption = -1;
  bool closeThrows = false;

  AcqStatus acqAdcPrepare(std::int32_t mode, std::int32_t option) override {
    ++prepares;
    lastPrepareMode = mode;
    lastPrepareOption = option;
    return kAcqOk;
  }
  AcqStatus acqDeviceCount(std::int32_t& count) override {
    count = 0;
    return kAcqOk;
  }
  AcqStatus acqDeviceNames(std::vector<std::string>& names, std::int32_t& count) override {
    names.clear();
    count = 0;
    return kAcqOk;
  }
  AcqStatus acqDeviceByName(const std::string&, std::shared_ptr<const AcqDevice>&) override {
    return kAcqOk;
  }
  AcqStatus acqCloseDevice() override {
    ++closes;
    if (closeThrows) throw std::runtime_error("device gone");
    return 7;  // a failure the shut-down must ignore
  }
  AcqStatus acqOpenDevice(const std::string&) override { return kAcqOk; }
  std::int32_t acqOnlineStatus(std::string&) override { return 0; }
  AcqStatus acqLastErrorCode(std::int32_t& code) override {
    code = 0;
    return kAcqOk;
  }
  AcqStatus acqErrorText(std::int32_t, std::string& text) override {
    text.clear();
    return kAcqOk;
  }
  AcqStatus acqAdcSetScan(std::span<const std::int32_t>, std::span<const std::int32_t>,
                          std::span<const std::int32_t>, std::int16_t) override {
    return kAcqOk;
  }
  AcqStatus acqAdcSetAcq(std::int32_t, std::int32_t, std::int32_t) override { return kAcqOk; }
  AcqStatus acqSetTriggerEvent(const std::array<std::int32_t, 9>&) override { return kAcqOk; }
  AcqStatus acqAdcSetFreq(float) override { return kAcqOk; }
  AcqStatus acqAdcTransferSetBuffer(std::span<std::uint16_t>, std::int32_t,
                                    std::int32_t) override {
    return kAcqOk;
  }
  AcqStatus acqAdcTransferStart() override { return kAcqOk; }
  AcqStatus acqAdcArm() override { return kAcqOk; }
  AcqStatus acqAdcTransferGetStat(std::int16_t& active, std::int32_t& transferred) override {
    active = 0;
    transferred = 0;
    return kAcqOk;
  }
  AcqStatus acqAdcTransferEnd() override { return kAcqOk; }
  AcqStatus acqAdcRelease() override { return kAcqOk; }
};

inline AcqDevice MakeDevice(std::int32_t type, std::int32_t subType = 0) {
  AcqDevice device;
  device.DeviceType = type;
  device.DeviceSubType = subType;
  device.DeviceName = "Unit" + std::to_string(type);
  return device;
}

class MainFormTest : public ::testing::Test {
 protected:
  FakeAcqLib acq;
  ScriptedClock clock;
  Session session{acq, clock};
  ScriptedMessageBoxes boxes;
  RecordedMousePointer pointer;
  ScriptedWindowOpener windows;
  RecordedHelpViewer help;
  RecordedConfigurationPrinter printout;
  MainForm form{session, Services{boxes, pointer, windows, help, printout}};
  Configuration& config = session.config;

  MainFormTest() { clock.SetStepPerRead(0.4); }

  // Loads the main window; the device selection picks `device` (none: the
  // window is closed by its frame without a device) with result `selState`.
  void Load(std::optional<AcqDevice> device = MakeDevice(1), std::int16_t selState = 1) {
    windows.OnShow(WindowId::frmIfcSel, [this, device, selState] {
      if (device) session.Device = std::make_shared<const AcqDevice>(*device);
      session.DeviceSelState = selState;
    });
    form.LoadMain();
    boxes.Clear();
  }

  const std::string& Cell(int row, int col) const { return form.grdChannel.Cell(row, col); }

  // Data rows' texts of one column.
  std::vector<std::string> Column(int col) const {
    std::vector<std::string> texts;
    for (int r = 1; r < form.grdChannel.Rows(); ++r) texts.push_back(Cell(r, col));
    return texts;
  }

  int RowOf(const std::string& label) const {
    for (int r = 1; r < form.grdChannel.Rows(); ++r) {
      if (Cell(r, kColChannel) == label) return r;
    }
    ADD_FAILURE() << "no row " << label;
    return 1;
  }
  int FirstRowOfBase(int b) const {
    for (int r = 1; r < form.grdChannel.Rows(); ++r) {
      if (BaseOfLabel(Cell(r, kColChannel)) == b) return r;
    }
    ADD_FAILURE() << "no row for base channel " << b;
    return 1;
  }
  // The labels of base channel b's rows, in grid order.
  std::vector<std::string> LabelsOfBase(int b) const {
    std::vector<std::string> labels;
    for (int r = 1; r < form.grdChannel.Rows(); ++r) {
      if (BaseOfLabel(Cell(r, kColChannel)) == b) labels.push_back(Cell(r, kColChannel));
    }
    return labels;
  }

  void Click(int row, int col = kColChannel) { form.GridClick(row, col); }
  void Click(const std::string& label, int col = kColChannel) { Click(RowOf(label), col); }

  // The technician's way of adding a card: select a row of the base
  // channel, press AddCard, tick the card's box, press OK.
  void AddCard(int b, int box) {
    Click(FirstRowOfBase(b));
    form.AddCardClick();
    form.CardBoxClick(box);
    form.OKClick();
  }
  void AddCards(int b, int box, int count) {
    for (int i = 0; i < count; ++i) AddCard(b, box);
  }
  void RemoveCardFromRow(int row) {
    Click(row);
    form.RemoveCardClick();
    form.OKClick();
  }

  // Records the channel of `label` as calibrated, as the wizard leaves it.
  void MarkCalibrated(const std::string& label, const std::string& date = "12-05-2026") {
    Click(label);
    const int row = config.CurrentRow;
    const int b = BaseOfLabel(label);
    const int n = form.CardChannelNumber();
    form.grdChannel.Cell(row, kColCalibrated) = date;
    config.Base[b].CalStatus[n - 1] = date;
    const int chan = config.CurrentChannel;
    config.Channels[chan].Calibrated = "Yes";
    config.Calc[chan] = {2.5f, 1.5f, 0.25f};
    config.Actual[chan] = {2.4f, 1.4f, 0.01f, 2};
  }

  int ExpectedGridRows() const {
    int rows = 1;
    for (int b = 0; b < kBaseChannels; ++b) rows += std::max<int>(1, config.Base[b].ChanCount);
    return rows;
  }
};

}  // namespace vernium::testing

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
#include "calibration/precal_state.h"
#include "diagram/card_pic_state.h"
#include "simulator/simulated_unit.h"
#include "platform/configuration_printer.h"
#include "platform/help_viewer.h"
#include "platform/message_boxes.h"
#include "platform/mouse_pointer.h"
#include "platform/windows.h"
#include "shell/main_form.h"

namespace vernium::testing {

// The simulated unit, counting the calls the main window makes itself.
class CountingAcqLib : public SimulatedAcqLib {
 public:
  int prepares = 0;
  int closes = 0;
  bool closeThrows = false;
  AcqStatus acqAdcPrepare(std::int32_t mode, std::int32_t option) override {
    ++prepares;
    return SimulatedAcqLib::acqAdcPrepare(mode, option);
  }
  AcqStatus acqCloseDevice() override {
    ++closes;
    if (closeThrows) throw std::runtime_error("device gone");
    return SimulatedAcqLib::acqCloseDevice();
  }
};

inline AcqDevice MakeDevice(std::int32_t type, std::int32_t subType = 0) {
  AcqDevice device;
  device.DeviceType = type;
  device.DeviceSubType = subType;
  return device;
}

class MainFormTest : public ::testing::Test {
 protected:
  CountingAcqLib acq;
  ScriptedClock clock;
  Session session{acq, clock};
  ScriptedMessageBoxes boxes;
  RecordedMousePointer pointer;
  ScriptedWindowOpener windows;
  RecordedHelpViewer help;
  RecordedConfigurationPrinter printout;
  PreCalState preCal;
  CardPicState cardPic;
  MainForm form{session, Services{boxes, pointer, windows, help, printout}, preCal, cardPic};
  Configuration& config = session.config;

  MainFormTest() { clock.SetStepPerRead(0.4); }

  // Loads the main window; the device selection leaves `device` open (none:
  // closed by its frame before any was clicked) and `selState`.
  void Load(std::optional<AcqDevice> device = MakeDevice(1), std::int16_t selState = 1) {
    windows.OnShow(WindowId::frmIfcSel, [this, device, selState] {
      if (device) session.Device = std::make_shared<const AcqDevice>(*device);
      session.DeviceSelState = selState;
    });
    form.LoadMain();
    boxes.Clear();
  }

  const std::string& Cell(int row, int col) const { return form.grdChannel.Cell(row, col); }
  int DataRows() const { return form.grdChannel.Rows() - 1; }
  int RowOf(const std::string& label) const {
    for (int r = 1; r <= DataRows(); ++r) {
      if (Cell(r, kColChannel) == label) return r;
    }
    ADD_FAILURE() << "no row " << label;
    return 1;
  }
  std::vector<std::string> LabelsOfBase(int b) const {
    std::vector<std::string> labels;
    for (int r = 1; r <= DataRows(); ++r) {
      if (BaseOfLabel(Cell(r, kColChannel)) == b) labels.push_back(Cell(r, kColChannel));
    }
    return labels;
  }
  int FirstRowOfBase(int b) const { return RowOf(LabelsOfBase(b).at(0)); }

  void Click(int row, int col = kColChannel) { form.GridClick(row, col); }
  void Click(const std::string& label, int col = kColChannel) { Click(RowOf(label), col); }

  // Select a row of the base channel, AddCard, tick the card's box, OK.
  void AddCard(int b, int box, int count = 1) {
    for (int i = 0; i < count; ++i) {
      Click(FirstRowOfBase(b));
      form.AddCardClick();
      form.CardBoxClick(box);
      form.OKClick();
    }
  }
  void RemoveCardFromRow(int row) {
    Click(row);
    form.RemoveCardClick();
    form.OKClick();
  }
  void ChooseBase(int b) {
    form.cboChannel.Select(b);
    form.ChannelListClick();
  }

  // Records the channel of `label` as calibrated, as the wizard leaves it.
  void MarkCalibrated(const std::string& label, const std::string& date = "12-05-2026") {
    Click(label);
    form.grdChannel.Cell(config.CurrentRow, kColCalibrated) = date;
    config.Base[BaseOfLabel(label)].CalStatus[form.CardChannelNumber() - 1] = date;
    const int chan = config.CurrentChannel;
    config.Channels[chan].Calibrated = "Yes";
    config.Channels[chan].M = 2.0f;
    config.Channels[chan].B = 3.0f;
    config.Calc[chan] = {2.5f, 1.5f, 0.25f};
    config.Actual[chan] = {2.4f, 1.4f, 0.01f, 2};
  }

  // The one message shown so far, with its text, title and icon.
  void ExpectOneMessage(const std::string& text, const std::string& title = "Attention!",
                        MsgIcon icon = MsgIcon::Information) {
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, text);
    EXPECT_EQ(boxes.Shown()[0].title, title);
    EXPECT_EQ(boxes.Shown()[0].icon, icon);
  }
};

}  // namespace vernium::testing

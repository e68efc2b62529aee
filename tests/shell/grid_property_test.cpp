// Random sessions of adds, removes, File New, clicks and edits, each step
// taken only where the window lets the technician take it. After every step
// the grid and the records must agree: one row per card channel and one per
// empty base channel, every card row's label naming a channel of that card
// type, in order, the slots and channel records no card holds empty, the
// card panel's controls hidden while it is closed, and an open in-place list
// over the current row. An index outside its table aborts the program, so
// finishing is part of it.
#include <random>
#include <sstream>

#include "main_form_fixture.h"

namespace vernium::testing {
namespace {

class GridPropertyTest : public MainFormTest,
                         public ::testing::WithParamInterface<std::tuple<unsigned, int, int>> {
 protected:
  std::mt19937 rng;
  std::ostringstream log;
  std::vector<bool> carded = std::vector<bool>(kLastChannel + 1);  // before the step
  bool renewed = false;                                            // the step was File New

  int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
  void ClickBox(int box) {
    if (form.ctCheck1[static_cast<std::size_t>(box)].visible) form.CardBoxClick(box);
  }
  void OkIfShown() {
    if (form.cmdOK.visible && form.cmdOK.enabled) form.OKClick();
  }

  void Step() {
    const int step = Pick(0, 9);
    const int row = Pick(1, DataRows());
    const int col = Pick(1, 5);
    const int box = Pick(1, 4);
    log << step << ":" << row << "," << col << "," << box << " ";
    switch (step) {
      case 0:
      case 1:  // add a card on the base channel of a row
        Click(row, col);
        if (!form.cmdAddCard.enabled) break;
        form.AddCardClick();
        ClickBox(box);
        OkIfShown();
        break;
      case 2:  // remove, perhaps clicking elsewhere while the panel is open
        Click(row);
        if (!form.cmdRemoveCard.enabled) break;
        form.RemoveCardClick();
        if (box == 1) Click(Pick(1, DataRows()));
        OkIfShown();
        break;
      case 3:
        renewed = box == 1;
        if (renewed) form.NewConfiguration();
        break;
      case 4:  // choose a base channel while the panel is open
        if (!form.cboChannel.visible) break;
        form.cboChannel.Select(Pick(0, 15));
        form.ChannelListClick();
        if (col < 3) {
          ClickBox(box);
          OkIfShown();
        }
        break;
      case 5:  // double-click a filter or coupling cell
        Click(row, col % 2 == 0 ? kColFilter : kColCoupling);
        if (box == 1) boxes.QueueAnswer(MsgAnswer::Cancel);
        form.GridDblClick();
        break;
      case 6:  // pick from an in-place list
        Click(row, col % 2 == 0 ? kColFilter : kColCoupling);
        if (form.cboFIlter.visible) {
          form.cboFIlter.Select(box % 3);
          form.FilterListClick();
        } else if (form.cboCoupling.visible) {
          form.cboCoupling.Select(box % 2);
          form.CouplingListClick();
        }
        break;
      case 7:  // the wizard finishes a channel
        if (IsCardType(Cell(row, kColCardType))) MarkCalibrated(Cell(row, kColChannel));
        break;
      case 8:  // the other buttons and commands
        Click(row, col);
        if (form.cmdViewCard.enabled) form.ViewCardClick();
        if (form.CmdCalibrate.enabled) form.CalibrateClick();
        form.ActivateMain();
        form.WaveStudClick();
        form.ShowDiagnostics();
        break;
      default:  // open the panel and cancel it
        Click(row);
        if (form.cmdAddCard.enabled) form.AddCardClick();
        if (form.cmdCancel.visible) form.CancelClick();
        break;
    }
  }

  void CheckInvariants() {
    int expectedRows = 1;
    for (int b = 0; b < kBaseChannels; ++b) {
      const BaseChannel& base = config.Base[b];
      expectedRows += std::max<int>(1, base.ChanCount);
      const std::vector<std::string> labels = LabelsOfBase(b);
      const int perCard = base.CardType[0] == kSGC10 ? 2 : 8;
      for (int s = 0; s < base.ChanCount; ++s) {
        ASSERT_EQ(IsSgc50Family(base.CardType[s]), IsSgc50Family(base.CardType[0])) << log.str();
        ASSERT_EQ(labels.at(static_cast<std::size_t>(s)), std::to_string(b) + "-" +
                                                              std::to_string(s / perCard) + "-" +
                                                              std::to_string(s % perCard))
            << log.str();
      }
      for (int s = base.ChanCount; s < kSlots; ++s) {
        ASSERT_EQ(base.CardType[s] + base.CalStatus[s] + base.Filter[s] + base.Coupling[s],
                  "No CardNoBypassDC")
            << b << " " << log.str();
      }
      if (IsRestrictedDevice(session.OpenDevice()) &&
          !IsBaseChannelAvailable(session.OpenDevice(), b)) {
        ASSERT_EQ(base.ChanCount, 0) << "cards on unavailable base channel " << b;
      }
    }
    ASSERT_EQ(form.grdChannel.Rows(), expectedRows) << log.str();
    ASSERT_EQ(config.GridRowCount, form.grdChannel.Rows() - 1) << log.str();
    ASSERT_GE(config.CurrentRow, 1);
    ASSERT_LE(config.CurrentRow, config.GridRowCount);
    // An open in-place list sits over the current row and edits its channel.
    if (form.cboFIlter.visible || form.cboCoupling.visible) {
      ASSERT_EQ(form.grdChannel.row, config.CurrentRow) << log.str();
      ASSERT_EQ(ChannelFromLabel(Cell(config.CurrentRow, kColChannel),
                                 Cell(config.CurrentRow, kColCardType)),
                config.CurrentChannel)
          << log.str();
    }
    int cardRows = 0;
    for (int r = 1; r < form.grdChannel.Rows(); ++r) {
      const std::string& label = Cell(r, kColChannel);
      const std::string& type = Cell(r, kColCardType);
      if (!IsCardType(type)) {
        ASSERT_LE(label.size(), 2u) << "row " << r << " " << log.str();
        continue;
      }
      ++cardRows;
      const int chan = ChannelFromLabel(label, type);
      ASSERT_GE(chan, kFirstChannel);
      ASSERT_LE(chan, kLastChannel);
      ASSERT_EQ(config.Channels[chan].CardType, type) << label << " " << log.str();
      const ChannelConfig& ch = config.Channels[chan];
      ASSERT_EQ(ch.ChannelLabel, label);
      // The record's switches follow the row's filter and coupling texts.
      const std::string& filter = Cell(r, kColFilter);
      ASSERT_EQ(IsTrue(ch.FilterOn), filter == kFilterX1 || filter == kFilterX2) << log.str();
      ASSERT_EQ(IsTrue(ch.GainX2), filter == kFilterX2) << log.str();
      ASSERT_EQ(IsTrue(ch.DCCoupled), Cell(r, kColCoupling) == kCouplingDC) << log.str();
      ASSERT_EQ(chan / 16 - 1, BaseOfLabel(label));
    }
    // Every other channel record has no card; a removal empties the records
    // it takes off (File New keeps their parameters).
    int cardRecords = 0;
    for (int n = kFirstChannel; n <= kLastChannel; ++n) {
      const ChannelConfig& ch = config.Channels[n];
      const bool card = ch.CardType != kNoCard;
      cardRecords += card;
      if (carded[static_cast<std::size_t>(n)] && !card && !renewed) {
        ASSERT_TRUE(ch.Calibrated == "No" && ch.M == 0.0f && ch.B == 0.0f && !IsTrue(ch.Active) &&
                    !IsTrue(ch.FilterOn) && IsTrue(ch.DCCoupled))
            << n << " " << log.str();
      }
      carded[static_cast<std::size_t>(n)] = card;
    }
    renewed = false;
    ASSERT_EQ(cardRecords, cardRows) << log.str();
    ASSERT_EQ(IsTrue(config.NoCardsFlag), cardRows == 0) << log.str();
    ASSERT_EQ(pointer.Get(), PointerShape::Normal) << log.str();
    if (form.Panel() == PanelMode::Closed) {
      ASSERT_FALSE(form.cmdOK.visible || form.cmdCancel.visible || form.cboChannel.visible ||
                   form.lblAddOrDel.visible || form.ctCheck1[1].visible)
          << log.str();
    }
    // Nothing enables Open, Save or Save As, nor unchecks the scaling option.
    ASSERT_FALSE(form.opener.enabled || form.saver.enabled || form.saverAs.enabled);
    ASSERT_TRUE(form.WaveStud.checked && form.printer.enabled);
  }
};

TEST_P(GridPropertyTest, GridAndRecordsAgreeAfterEveryStep) {
  const auto [seed, deviceType, deviceSubType] = GetParam();
  rng.seed(seed);
  Load(MakeDevice(deviceType, deviceSubType));
  for (int i = 0; i < 400; ++i) {
    Step();
    CheckInvariants();
    if (HasFatalFailure()) return;
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, GridPropertyTest,
                         ::testing::Values(std::tuple{1u, 1, 0}, std::tuple{2u, 1, 0},
                                           std::tuple{3u, 23, 3}, std::tuple{4u, 36, 0},
                                           std::tuple{5u, 5, 0}, std::tuple{6u, 23, 3},
                                           std::tuple{7u, 36, 0}, std::tuple{8u, 9, 0}));

}  // namespace
}  // namespace vernium::testing

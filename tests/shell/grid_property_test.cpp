// Random sessions of adds, removes, File New and clicks, each step taken only
// where the window lets the technician take it. After every step the grid
// and the records must agree: one row per card channel and one per empty base
// channel, every card row's label naming a channel of that card type. An
// index outside its table aborts the program, so finishing is part of it.
#include <random>
#include <sstream>

#include "main_form_fixture.h"

namespace vernium::testing {
namespace {

struct PropertyCase {
  unsigned seed;
  std::int32_t deviceType;
  std::int32_t deviceSubType;
};
std::ostream& operator<<(std::ostream& os, const PropertyCase& c) {
  return os << "seed " << c.seed << " device " << c.deviceType << "/" << c.deviceSubType;
}

class GridPropertyTest : public MainFormTest, public ::testing::WithParamInterface<PropertyCase> {
 protected:
  std::mt19937 rng;
  std::ostringstream log;

  int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

  void Step() {
    switch (Pick(0, 9)) {
      case 0:
      case 1: {  // add a card on a random base channel
        const int b = Pick(0, 15);
        const int box = Pick(1, 4);
        log << "add " << b << " box " << box << "; ";
        Click(FirstRowOfBase(b), Pick(1, 5));
        if (!form.cmdAddCard.enabled) break;
        form.AddCardClick();
        if (form.ctCheck1[static_cast<std::size_t>(box)].visible) form.CardBoxClick(box);
        if (form.cmdOK.visible && form.cmdOK.enabled) form.OKClick();
        break;
      }
      case 2: {  // remove from a random row
        const int row = Pick(1, DataRows());
        log << "remove row " << row << "; ";
        Click(row);
        if (!form.cmdRemoveCard.enabled) break;
        form.RemoveCardClick();
        if (Pick(0, 3) == 0) Click(Pick(1, DataRows()));  // the grid stays usable
        if (form.cmdOK.visible && form.cmdOK.enabled) form.OKClick();
        break;
      }
      case 3:
        if (Pick(0, 4) == 0) {
          log << "new; ";
          form.NewConfiguration();
        }
        break;
      case 4: {  // choose a base channel while the panel is open
        log << "list; ";
        if (!form.cboChannel.visible) break;
        form.cboChannel.Select(Pick(0, 15));
        form.ChannelListClick();
        if (form.cmdOK.visible && form.cmdOK.enabled && Pick(0, 1) == 0) {
          const int box = Pick(1, 4);
          if (form.ctCheck1[static_cast<std::size_t>(box)].visible) form.CardBoxClick(box);
          form.OKClick();
        }
        break;
      }
      case 5: {  // double-click a filter or coupling cell
        const int row = Pick(1, DataRows());
        const int col = Pick(kColFilter, kColCoupling);
        log << "dblclick " << row << "," << col << "; ";
        Click(row, col);
        if (Pick(0, 2) == 0) boxes.QueueAnswer(MsgAnswer::Cancel);
        form.GridDblClick();
        break;
      }
      case 6: {  // pick from an in-place list
        const int row = Pick(1, DataRows());
        const int col = Pick(kColFilter, kColCoupling);
        log << "list " << row << "," << col << "; ";
        Click(row, col);
        if (form.cboFIlter.visible) {
          form.cboFIlter.Select(Pick(0, 2));
          form.FilterListClick();
        } else if (form.cboCoupling.visible) {
          form.cboCoupling.Select(Pick(0, 1));
          form.CouplingListClick();
        }
        break;
      }
      case 7: {  // the wizard finishes a channel
        const int row = Pick(1, DataRows());
        log << "calibrate " << row << "; ";
        Click(row);
        if (IsCardType(Cell(row, kColCardType))) MarkCalibrated(Cell(row, kColChannel));
        break;
      }
      case 8: {  // the other buttons
        log << "buttons; ";
        Click(Pick(1, DataRows()), Pick(1, 5));
        if (form.cmdViewCard.enabled) form.ViewCardClick();
        if (form.CmdCalibrate.enabled) form.CalibrateClick();
        form.ActivateMain();
        break;
      }
      default: {  // open the panel and cancel it
        log << "cancel; ";
        Click(Pick(1, DataRows()));
        if (form.cmdAddCard.enabled) form.AddCardClick();
        if (form.cmdCancel.visible) form.CancelClick();
        break;
      }
    }
  }

  void CheckInvariants() {
    int expectedRows = 1;
    for (int b = 0; b < kBaseChannels; ++b)
      expectedRows += std::max<int>(1, config.Base[b].ChanCount);
    ASSERT_EQ(form.grdChannel.Rows(), expectedRows) << log.str();
    ASSERT_EQ(config.GridRowCount, form.grdChannel.Rows() - 1) << log.str();
    ASSERT_GE(config.CurrentRow, 1);
    ASSERT_LE(config.CurrentRow, config.GridRowCount);
    bool anyCard = false;
    for (int r = 1; r < form.grdChannel.Rows(); ++r) {
      const std::string& label = Cell(r, kColChannel);
      const std::string& type = Cell(r, kColCardType);
      if (!IsCardType(type)) {
        ASSERT_LE(label.size(), 2u) << "row " << r << " " << log.str();
        continue;
      }
      anyCard = true;
      const int chan = ChannelFromLabel(label, type);
      ASSERT_GE(chan, kFirstChannel);
      ASSERT_LE(chan, kLastChannel);
      ASSERT_EQ(config.Channels[chan].CardType, type) << label << " " << log.str();
      ASSERT_EQ(config.Channels[chan].ChannelLabel, label);
      ASSERT_EQ(chan / 16 - 1, BaseOfLabel(label));
    }
    ASSERT_EQ(IsTrue(config.NoCardsFlag), !anyCard) << log.str();
    for (int b = 0; b < kBaseChannels; ++b) {
      const BaseChannel& base = config.Base[b];
      for (int s = 1; s < base.ChanCount; ++s) {
        ASSERT_EQ(IsSgc50Family(base.CardType[s]), IsSgc50Family(base.CardType[0])) << log.str();
      }
      if (IsRestrictedDevice(session.OpenDevice()) &&
          !IsBaseChannelAvailable(session.OpenDevice(), b)) {
        ASSERT_EQ(base.ChanCount, 0) << "cards on unavailable base channel " << b;
      }
    }
    ASSERT_EQ(pointer.Get(), PointerShape::Normal) << log.str();
  }
};

TEST_P(GridPropertyTest, GridAndRecordsAgreeAfterEveryStep) {
  rng.seed(GetParam().seed);
  Load(MakeDevice(GetParam().deviceType, GetParam().deviceSubType));
  for (int i = 0; i < 400; ++i) {
    Step();
    CheckInvariants();
    if (HasFatalFailure()) return;
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, GridPropertyTest,
                         ::testing::Values(PropertyCase{1, 1, 0}, PropertyCase{2, 1, 0},
                                           PropertyCase{3, 23, 3}, PropertyCase{4, 36, 0},
                                           PropertyCase{5, 5, 0}, PropertyCase{6, 23, 3},
                                           PropertyCase{7, 36, 0}, PropertyCase{8, 9, 0}),
                         [](const auto& p) {
                           return "Seed" + std::to_string(p.param.seed) + "Type" +
                                  std::to_string(p.param.deviceType);
                         });

}  // namespace
}  // namespace vernium::testing

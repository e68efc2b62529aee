// The channel grid: the copy of its rows into the channel records, row
// clicks, the in-place lists and Calibrate. (How the filter and coupling texts
// set the record: the property test.)
#include "main_form_fixture.h"

namespace vernium::testing {
namespace {

TEST_F(MainFormTest, UncalibratedChannelsReturnToDefaultsOnRefillCalibratedOnesKeepThem) {
  Load();
  AddCard(0, 2);
  const int plain = ChannelFromLabel("0-0-0", kSGC50);
  const int calibrated = ChannelFromLabel("0-0-1", kSGC50);
  config.Channels[plain].Excitation = 5.0f;
  config.Channels[plain].Units = "kg";
  config.Calc[plain] = {150.0f, 1.5f, 0.2f};
  config.Actual[plain] = {149.0f, 1.49f, 0.1f, 2};
  config.Channels[calibrated].Excitation = 6.0f;
  MarkCalibrated("0-0-1");
  AddCard(5, 1);  // any accepted change refills the grid
  EXPECT_FLOAT_EQ(config.Channels[plain].Excitation, 10.0f);
  EXPECT_EQ(config.Channels[plain].Units + config.Channels[plain].CardType, "PoundsSGC50");
  EXPECT_EQ(config.Calc[plain].Offset + config.Actual[plain].ScalingGain, 0.0f);
  EXPECT_FLOAT_EQ(config.Channels[calibrated].Excitation, 6.0f);
  EXPECT_FLOAT_EQ(config.Calc[calibrated].InputGain, 2.5f);
  EXPECT_EQ(Cell(RowOf("0-0-1"), kColCalibrated), "12-05-2026");
}

TEST_F(MainFormTest, CardRowClickMakesItsChannelCurrentBaseRowClickLeavesIt) {
  Load();
  AddCard(6, 4, 2);
  config.Channels[ChannelFromLabel("6-1-2", kSGC50B)].MaxLoad = 1234.0f;
  form.cmdAddCard.enabled = true;
  Click("6-1-2", kColCalibrated);
  EXPECT_EQ(config.CurrentRow, RowOf("6-1-2"));
  EXPECT_EQ(config.CurrentCol, kColCalibrated);
  EXPECT_EQ(config.CurrentChannel, 16 * 6 + 8 + 2 + 16);
  EXPECT_EQ(preCal.txtMaxLoad.text, "1234");
  EXPECT_TRUE(form.CmdCalibrate.enabled && form.cmdRemoveCard.enabled && form.cmdViewCard.enabled);
  EXPECT_FALSE(form.cmdAddCard.enabled);  // the base channel is full
  EXPECT_TRUE(form.ctCheck1[4].checked && !form.ctCheck1[4].visible);
  EXPECT_EQ(form.cboChannel.text, "Channel 6");
  EXPECT_EQ(form.grdChannel.rowSel, RowOf("6-1-2"));
  EXPECT_EQ(form.grdChannel.col, kColCalibrated);

  const auto channel = config.CurrentChannel;
  Click("9");
  EXPECT_EQ(config.CurrentChannel, channel);
  EXPECT_FALSE(form.CmdCalibrate.enabled || form.cmdRemoveCard.enabled ||
               form.cmdViewCard.enabled || form.ctCheck1[4].checked);
  EXPECT_TRUE(form.cmdAddCard.enabled);
}

// The lists over a card channel's cells show the list's own entry for the
// cell's text; a base channel's row and other columns show none.
TEST_F(MainFormTest, ListsAppearOverTheCardChannelsFilterAndCouplingCellsOnly) {
  Load();
  AddCard(1, 2);
  form.grdChannel.Cell(RowOf("1-0-3"), kColCoupling) = "AC";
  for (const auto& [label, col] : {std::pair{"1-0-3", kColCardType}, std::pair{"5", kColFilter},
                                   std::pair{"5", kColCoupling}}) {
    Click(label, col);
    EXPECT_FALSE(form.cboFIlter.visible || form.lblFilterOption.visible ||
                 form.cboCoupling.visible || form.lblDCACcoupling.visible)
        << label << " " << col;
  }
  Click("1-0-3", kColCoupling);
  EXPECT_TRUE(form.lblDCACcoupling.visible && !form.lblFilterOption.visible);
  EXPECT_EQ(form.cboCoupling.text + "|" + std::to_string(form.cboCoupling.listIndex), "AC|1");
  Click("1-0-3", kColFilter);
  EXPECT_TRUE(form.lblFilterOption.visible && !form.cboCoupling.visible);
  EXPECT_EQ(form.cboFIlter.text + "|" + std::to_string(form.cboFIlter.listIndex), "Bypass|0");
  form.GridDblClick();  // the list follows the cell's new text
  EXPECT_EQ(form.cboFIlter.text + "|" + std::to_string(form.cboFIlter.listIndex),
            "On, optional gain X1|1");
}

// A list edits the row it was opened over. When the current row moves by any
// other way than a click on a cell, the list and its caption close, and a
// choice made afterwards reaches neither the new row nor the old channel.
enum class RowMove { AddCard, RemoveCard, BaseList, FileNew };

class InPlaceListTest : public MainFormTest,
                        public ::testing::WithParamInterface<std::tuple<RowMove, int>> {};

TEST_P(InPlaceListTest, ClosesWhenTheCurrentRowMovesWithoutAClick) {
  const auto [move, col] = GetParam();
  const bool filter = col == kColFilter;
  Load();
  AddCard(3, 1, 2);
  Click("3-1-1", col);  // not the base channel's first row
  const int chan = config.CurrentChannel;
  ASSERT_TRUE(filter ? form.cboFIlter.visible : form.cboCoupling.visible);
  if (move == RowMove::AddCard) form.AddCardClick();
  if (move == RowMove::RemoveCard) form.RemoveCardClick();
  if (move == RowMove::BaseList) ChooseBase(3);
  if (move == RowMove::FileNew) form.NewConfiguration();
  EXPECT_FALSE(form.cboFIlter.visible || form.lblFilterOption.visible || form.cboCoupling.visible ||
               form.lblDCACcoupling.visible);

  const auto cells = form.grdChannel.cells;
  const ChannelConfig before = config.Channels[chan];
  boxes.Clear();
  (filter ? form.cboFIlter : form.cboCoupling).Select(1);
  filter ? form.FilterListClick() : form.CouplingListClick();
  EXPECT_EQ(form.grdChannel.cells, cells);
  const ChannelConfig& after = config.Channels[chan];
  EXPECT_EQ(std::tuple(after.FilterOption, after.FilterOn, after.GainX2, after.DCCoupled),
            std::tuple(before.FilterOption, before.FilterOn, before.GainX2, before.DCCoupled));
  EXPECT_TRUE(boxes.Shown().empty());
}

INSTANTIATE_TEST_SUITE_P(Moves, InPlaceListTest,
                         ::testing::Combine(::testing::Values(RowMove::AddCard, RowMove::RemoveCard,
                                                              RowMove::BaseList, RowMove::FileNew),
                                            ::testing::Values(kColFilter, kColCoupling)));

TEST_F(MainFormTest, CalibrateOpensTheParameterFormForTheRowsChannelByNameplate) {
  Load();
  AddCard(2, 2);
  Click("2-0-5", kColCoupling);
  SwitchMethodOption(preCal, kMethodShuntCal);
  preCal.txtExcite.text = "";
  form.CalibrateClick();
  const int chan = ChannelFromLabel("2-0-5", kSGC50);
  EXPECT_EQ(config.CurrentChannel, chan);
  EXPECT_EQ(windows.Shown().back(), WindowId::PreCal);
  EXPECT_EQ(preCal.SelectedMethod(), kMethodNameplate);
  EXPECT_EQ(preCal.txtExcite.text, "10");
  EXPECT_TRUE(IsTrue(config.Channels[chan].Active));
  EXPECT_EQ(cardPic.lblChanNumber.caption, "2-0-5");
  EXPECT_EQ(form.grdChannel.col, kColCoupling);
}

}  // namespace
}  // namespace vernium::testing

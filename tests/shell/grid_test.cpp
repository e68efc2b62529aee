// The channel grid: its layout and fill, the copy into the channel records,
// row clicks, the double-click editors and the in-place lists.
#include "main_form_fixture.h"

namespace vernium::testing {
namespace {

TEST_F(MainFormTest, EmptyConfigurationShowsSixteenBaseChannelRows) {
  Load();
  const Grid& g = form.grdChannel;
  EXPECT_EQ(g.Rows(), 17);
  EXPECT_EQ(g.colWidthsTwips, (std::vector<int>{1, 1000, 2000, 1100, 1100, 1200}));
  EXPECT_TRUE(g.fontBold);
  EXPECT_EQ(g.cells[0], (std::vector<std::string>{"", "Channel", "Filter/Gain", "Coupling",
                                                  "Calibrated", "Card Type"}));
  for (std::size_t b = 0; b < 16; ++b) {
    EXPECT_EQ(g.cells[b + 1],
              (std::vector<std::string>{"", std::to_string(b), "Bypass", "DC", "No", "No Card"}));
  }
  EXPECT_EQ(config.GridRowCount, 16);
  EXPECT_TRUE(IsTrue(config.NoCardsFlag));
}

struct SyncCase {
  const char* name;
  const char* filter;
  const char* coupling;
  bool filterOn;
  bool gainX2;
  bool dcCoupled;
};
std::ostream& operator<<(std::ostream& os, const SyncCase& c) {
  return os << c.name;
}

class SyncRecordsTest : public MainFormTest, public ::testing::WithParamInterface<SyncCase> {};

TEST_P(SyncRecordsTest, RowTextsSetTheRecord) {
  const SyncCase& c = GetParam();
  Load();
  AddCard(0, 3);
  const int row = RowOf("0-0-6");
  const int chan = ChannelFromLabel("0-0-6", kSGC50A);
  config.Channels[chan].DCCoupled = kFalse16;  // an unknown coupling text leaves it
  form.grdChannel.Cell(row, kColFilter) = c.filter;
  form.grdChannel.Cell(row, kColCoupling) = c.coupling;
  form.grdChannel.Cell(row, kColCalibrated) = "01-01-2026";  // keeps the record
  form.SyncRecordsFromGrid();
  const ChannelConfig& ch = config.Channels[chan];
  EXPECT_EQ(IsTrue(ch.FilterOn), c.filterOn);
  EXPECT_EQ(IsTrue(ch.GainX2), c.gainX2);
  EXPECT_EQ(IsTrue(ch.DCCoupled), c.dcCoupled);
  EXPECT_EQ(ch.FilterOption, c.filter);
  EXPECT_EQ(ch.CardType + " " + ch.ChannelLabel, "SGC50A 0-0-6");
  EXPECT_TRUE(IsTrue(ch.Active));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SyncRecordsTest,
    ::testing::Values(SyncCase{"X1AC", "On, optional gain X1", "AC", true, false, false},
                      SyncCase{"X2DC", "On, standard gain X2", "DC", true, true, true},
                      SyncCase{"BypassAC", "Bypass", "AC", false, false, false},
                      SyncCase{"ComboBypassOther", "ByPass", "??", false, false, false}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(MainFormTest, UncalibratedChannelsReturnToDefaultsOnRefillCalibratedOnesKeepThem) {
  Load();
  AddCard(0, 2);
  const int plain = ChannelFromLabel("0-0-0", kSGC50);
  const int calibrated = ChannelFromLabel("0-0-1", kSGC50);
  config.Channels[plain].Excitation = 5.0f;
  config.Channels[plain].Units = "kg";
  config.Channels[calibrated].Excitation = 6.0f;
  MarkCalibrated("0-0-1");

  AddCard(5, 1);  // any accepted change refills the grid

  EXPECT_FLOAT_EQ(config.Channels[plain].Excitation, 10.0f);
  EXPECT_EQ(config.Channels[plain].Units, "Pounds");
  EXPECT_EQ(config.Channels[plain].CardType, "SGC50");
  EXPECT_FLOAT_EQ(config.Channels[calibrated].Excitation, 6.0f);
  EXPECT_FLOAT_EQ(config.Calc[calibrated].InputGain, 2.5f);
  EXPECT_EQ(Cell(RowOf("0-0-1"), kColCalibrated), "12-05-2026");
}

TEST_F(MainFormTest, CardRowClickMakesItsChannelCurrent) {
  Load();
  AddCard(6, 4, 2);
  config.Channels[ChannelFromLabel("6-1-2", kSGC50B)].MaxLoad = 1234.0f;
  form.cmdAddCard.enabled = true;
  Click("6-1-2", kColCalibrated);
  EXPECT_EQ(config.CurrentRow, RowOf("6-1-2"));
  EXPECT_EQ(config.CurrentCol, kColCalibrated);
  EXPECT_EQ(config.CurrentChannel, 16 * 6 + 8 + 2 + 16);
  EXPECT_EQ(session.preCal.txtMaxLoad.text, "1234");
  EXPECT_TRUE(form.CmdCalibrate.enabled && form.cmdRemoveCard.enabled && form.cmdViewCard.enabled);
  EXPECT_FALSE(form.cmdAddCard.enabled);  // the base channel is full
  EXPECT_TRUE(form.ctCheck1[4].checked && !form.ctCheck1[4].visible);
  EXPECT_EQ(form.cboChannel.text, "Channel 6");
  EXPECT_EQ(form.grdChannel.rowSel, RowOf("6-1-2"));
  EXPECT_EQ(form.grdChannel.col, kColCalibrated);
}

TEST_F(MainFormTest, BaseChannelRowClickLeavesTheCurrentChannelAndDisablesCalibrate) {
  Load();
  AddCard(2, 1);
  Click("2-0-1");
  const auto channel = config.CurrentChannel;
  form.cmdAddCard.enabled = false;
  Click("9");
  EXPECT_EQ(config.CurrentChannel, channel);
  EXPECT_FALSE(form.CmdCalibrate.enabled || form.cmdRemoveCard.enabled ||
               form.cmdViewCard.enabled || form.ctCheck1[1].checked);
  EXPECT_TRUE(form.cmdAddCard.enabled);
}

TEST_F(MainFormTest, EmptyRowClickDisablesTheMenusAndAnotherClickEnablesThem) {
  Load(MakeDevice(23, 3));
  form.AddCardClick();  // base channel 0: unavailable, lblInfo00 shown
  form.grdChannel.Resize(form.grdChannel.Rows() + 1, kGridCols);  // a row nothing fills
  Click(17);
  const MenuEntry* menus[] = {&form.filer, &form.editer, &form.optioner, &form.diag, &form.helper};
  for (const MenuEntry* menu : menus) EXPECT_FALSE(menu->enabled) << menu->caption;
  EXPECT_FALSE(form.cmdAddCard.enabled || form.cmdRemoveCard.enabled || form.cmdViewCard.enabled ||
               form.CmdCalibrate.enabled);
  EXPECT_FALSE(form.lblInfo00.visible || form.cboChannel.visible || form.cmdOK.visible);
  Click(3);
  for (const MenuEntry* menu : menus) EXPECT_TRUE(menu->enabled) << menu->caption;
}

struct ListCase {
  const char* name;
  const char* label;  // the row clicked
  int col;
  bool filterList;
  bool couplingList;
};
std::ostream& operator<<(std::ostream& os, const ListCase& c) {
  return os << c.name;
}

class InPlaceListTest : public MainFormTest, public ::testing::WithParamInterface<ListCase> {};

TEST_P(InPlaceListTest, ListsAppearOverTheCardChannelsFilterAndCouplingCells) {
  const ListCase& c = GetParam();
  Load();
  AddCard(1, 2);
  form.grdChannel.Cell(RowOf("1-0-3"), kColCoupling) = "AC";
  Click(c.label, c.col);
  EXPECT_EQ(form.cboFIlter.visible, c.filterList);
  EXPECT_EQ(form.lblFilterOption.visible, c.filterList);
  EXPECT_EQ(form.cboCoupling.visible, c.couplingList);
  EXPECT_EQ(form.lblDCACcoupling.visible, c.couplingList);
  if (c.filterList) {
    EXPECT_EQ(form.cboFIlter.text, "Bypass");
    EXPECT_EQ(form.cboFIlter.listIndex, 0);
  }
  if (c.couplingList) {
    EXPECT_EQ(form.cboCoupling.text, "AC");
    EXPECT_EQ(form.cboCoupling.listIndex, 1);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cells, InPlaceListTest,
    ::testing::Values(ListCase{"CardFilter", "1-0-3", kColFilter, true, false},
                      ListCase{"CardCoupling", "1-0-3", kColCoupling, false, true},
                      ListCase{"CardType", "1-0-3", kColCardType, false, false},
                      ListCase{"BaseFilter", "5", kColFilter, false, false},
                      ListCase{"BaseCoupling", "5", kColCoupling, false, false}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(MainFormTest, FilterDoubleClicksCycleBypassX1X2) {
  Load();
  AddCard(3, 1);
  Click("3-0-0", kColFilter);
  std::vector<std::string> seen;
  for (int i = 0; i < 4; ++i) {
    form.GridDblClick();
    seen.push_back(Cell(config.CurrentRow, kColFilter));
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"On, optional gain X1", "On, standard gain X2",
                                            "Bypass", "On, optional gain X1"}));
  EXPECT_EQ(form.cboFIlter.text, "On, optional gain X1");
}

TEST_F(MainFormTest, CouplingDoubleClickedTwiceReturnsToItsFirstValue) {
  Load();
  AddCard(3, 2);
  Click("3-0-4", kColCoupling);
  const ChannelConfig& ch = config.Channels[ChannelFromLabel("3-0-4", kSGC50)];
  form.GridDblClick();
  EXPECT_EQ(Cell(config.CurrentRow, kColCoupling), "AC");
  EXPECT_FALSE(IsTrue(ch.DCCoupled));
  form.GridDblClick();
  EXPECT_EQ(Cell(config.CurrentRow, kColCoupling), "DC");
  EXPECT_TRUE(IsTrue(ch.DCCoupled));
  EXPECT_EQ(config.Base[3].Coupling[4], "DC");
  EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(MainFormTest, DoubleClickOnABaseChannelRowChangesNothing) {
  Load();
  AddCard(3, 2);
  const auto cells = form.grdChannel.cells;
  for (int col : {kColFilter, kColCoupling}) {
    Click("8", col);
    form.GridDblClick();
  }
  EXPECT_EQ(form.grdChannel.cells, cells);
  EXPECT_EQ(config.Base[8].Filter[0] + config.Base[8].Coupling[0], "BypassDC");
  EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(MainFormTest, CalibrateOpensTheParameterFormForTheRowsChannelByNameplate) {
  Load();
  AddCard(2, 2);
  Click("2-0-5", kColCoupling);
  SwitchMethodOption(session.preCal, kMethodShuntCal);
  session.preCal.txtExcite.text = "";
  form.CalibrateClick();
  const int chan = ChannelFromLabel("2-0-5", kSGC50);
  EXPECT_EQ(config.CurrentChannel, chan);
  EXPECT_EQ(windows.Shown().back(), WindowId::PreCal);
  EXPECT_EQ(session.preCal.SelectedMethod(), kMethodNameplate);
  EXPECT_EQ(session.preCal.txtExcite.text, "10");
  EXPECT_TRUE(IsTrue(config.Channels[chan].Active));
  EXPECT_EQ(session.cardPic.lblChanNumber.caption, "2-0-5");
  EXPECT_EQ(form.grdChannel.col, kColCoupling);
}

}  // namespace
}  // namespace vernium::testing

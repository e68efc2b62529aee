// Adding and removing cards on a base channel through the main window's card
// panel: family limits, labels, grid rows, refusals and the removed records.
#include "main_form_fixture.h"

namespace vernium::testing {
namespace {

std::vector<std::string> Labels(int b, int cards, int perCard) {
  std::vector<std::string> labels;
  for (int c = 0; c < cards; ++c) {
    for (int k = 0; k < perCard; ++k) {
      labels.push_back(std::to_string(b) + "-" + std::to_string(c) + "-" + std::to_string(k));
    }
  }
  return labels;
}

// ---- a base channel filled to its limit ----

struct FullCase {
  const char* name;
  int box;
  int cards;       // cards that fill a base channel
  int perCard;     // channels a card
  const char* type;
  const char* message;
  const char* title;
  void (MainForm::*add)(int);
};
std::ostream& operator<<(std::ostream& os, const FullCase& c) { return os << c.name; }

class FullBaseTest : public MainFormTest, public ::testing::WithParamInterface<FullCase> {};

TEST_P(FullBaseTest, FillsSixteenRowsThenRefusesAnotherCard) {
  const FullCase& c = GetParam();
  Load();
  AddCards(5, c.box, c.cards);
  EXPECT_TRUE(boxes.Shown().empty());
  EXPECT_EQ(LabelsOfBase(5), Labels(5, c.cards, c.perCard));
  EXPECT_EQ(form.grdChannel.Rows(), 1 + 15 + 16);
  EXPECT_EQ(config.Base[5].ChanCount, 16);
  for (int r = FirstRowOfBase(5); r < FirstRowOfBase(5) + 16; ++r) {
    EXPECT_EQ(Cell(r, kColCardType), c.type);
  }
  EXPECT_FALSE(form.cmdAddCard.enabled);
  EXPECT_EQ(Cell(FirstRowOfBase(6), kColChannel), "6");

  form.cmdAddCard.enabled = true;
  const auto cellsBefore = form.grdChannel.cells;
  (form.*c.add)(5);
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].text, c.message);
  EXPECT_EQ(boxes.Shown()[0].title, c.title);
  EXPECT_EQ(boxes.Shown()[0].icon, MsgIcon::Information);
  EXPECT_EQ(boxes.Shown()[0].buttons, MsgButtons::OK);
  EXPECT_FALSE(form.cmdAddCard.enabled);
  EXPECT_EQ(config.Base[5].ChanCount, 16);
  EXPECT_EQ(form.grdChannel.cells, cellsBefore);
  EXPECT_EQ(pointer.Get(), PointerShape::Normal);
}

INSTANTIATE_TEST_SUITE_P(
    Families, FullBaseTest,
    ::testing::Values(FullCase{"EightSGC10", 1, 8, 2, "SGC10", "Allowed  only  eight(8)  SGC10 ",
                               "Attention!", &MainForm::AddSGC10Card},
                      FullCase{"TwoSGC50", 2, 2, 8, "SGC50",
                               "Only two SGC50 or 50A's per base channel.",
                               "Channel Limitations Exceeded", &MainForm::AddSGC50Card},
                      FullCase{"TwoSGC50A", 3, 2, 8, "SGC50A",
                               "Only two SGC50 or 50A's per base channel.",
                               "Channel Limitations Exceeded", &MainForm::AddSGC50Card},
                      FullCase{"TwoSGC50B", 4, 2, 8, "SGC50B", "Only two SGC50B's per base channel.",
                               "Channel Limitations Exceeded", &MainForm::AddSGC50BCard}),
    [](const auto& p) { return std::string(p.param.name); });

// ---- which second card a base channel accepts ----

struct MixCase {
  const char* name;
  int firstBox;
  int secondBox;
  bool added;
  bool refusedWithMessage;
  std::vector<std::string> secondTypes;  // card types of slots 8.. when added
};
std::ostream& operator<<(std::ostream& os, const MixCase& c) { return os << c.name; }

class CardMixTest : public MainFormTest, public ::testing::WithParamInterface<MixCase> {};

TEST_P(CardMixTest, SecondCardOnTheSameBaseChannel) {
  const MixCase& c = GetParam();
  Load();
  AddCard(9, c.firstBox);
  const auto cellsBefore = form.grdChannel.cells;
  const int countBefore = config.Base[9].ChanCount;

  AddCard(9, c.secondBox);

  if (c.refusedWithMessage) {
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text,
              "Different module types are not allowed in the same base channel");
    EXPECT_EQ(boxes.Shown()[0].title, "Attention!");
    EXPECT_EQ(boxes.Shown()[0].icon, MsgIcon::Information);
  } else {
    EXPECT_TRUE(boxes.Shown().empty());
  }
  if (c.added) {
    EXPECT_EQ(config.Base[9].ChanCount, countBefore * 2);
    std::vector<std::string> types;
    for (int s = countBefore; s < config.Base[9].ChanCount; ++s) {
      types.push_back(config.Base[9].CardType[s]);
    }
    EXPECT_EQ(types, c.secondTypes);
    EXPECT_EQ(LabelsOfBase(9).back(), countBefore == 8 ? "9-1-7" : "9-1-1");
  } else {
    EXPECT_EQ(config.Base[9].ChanCount, countBefore);
    EXPECT_EQ(form.grdChannel.cells, cellsBefore);
  }
  EXPECT_EQ(form.Panel(), PanelMode::Closed);
  EXPECT_FALSE(form.cboChannel.visible);
  EXPECT_FALSE(form.lblAddOrDel.visible);
  EXPECT_EQ(pointer.Get(), PointerShape::Normal);
}

const std::vector<std::string> kEight50A(8, "SGC50A");
const std::vector<std::string> kEight50(8, "SGC50");

INSTANTIATE_TEST_SUITE_P(
    Families, CardMixTest,
    ::testing::Values(MixCase{"SGC50AbesideSGC50B", 4, 3, true, false, kEight50A},
                      MixCase{"SGC50besideSGC50A", 3, 2, true, false, kEight50},
                      MixCase{"SGC10besideSGC10", 1, 1, true, false, {"SGC10", "SGC10"}},
                      MixCase{"SGC50BbesideSGC50", 2, 4, false, false, {}},
                      MixCase{"SGC50BbesideSGC50A", 3, 4, false, false, {}},
                      MixCase{"SGC50BbesideSGC10", 1, 4, false, false, {}},
                      MixCase{"SGC50besideSGC10", 1, 2, false, true, {}},
                      MixCase{"SGC50AbesideSGC10", 1, 3, false, true, {}},
                      MixCase{"SGC10besideSGC50", 2, 1, false, true, {}},
                      MixCase{"SGC10besideSGC50B", 4, 1, false, true, {}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(MainFormTest, OneSgc50CardMovesTheLaterBaseChannelsDownBySeven) {
  Load();
  AddCard(2, 2);
  for (int k = 0; k < 8; ++k) EXPECT_EQ(Cell(3 + k, kColChannel), "2-0-" + std::to_string(k));
  EXPECT_EQ(Cell(11, kColChannel), "3");
  EXPECT_EQ(Cell(23, kColChannel), "15");
  EXPECT_EQ(form.grdChannel.Rows(), 24);
  EXPECT_TRUE(form.cmdRemoveCard.enabled);
  EXPECT_TRUE(form.cmdViewCard.enabled);
  EXPECT_TRUE(form.CmdCalibrate.enabled);
  EXPECT_TRUE(form.cmdAddCard.enabled);
  EXPECT_FALSE(IsTrue(config.NoCardsFlag));
}

// ---- removing ----

class RemoveFromRowTest : public MainFormTest, public ::testing::WithParamInterface<int> {};

TEST_P(RemoveFromRowTest, RemoveTakesTheLastCardWhicheverRowIsSelected) {
  Load();
  AddCards(2, 1, 3);  // 2-0-0 ... 2-2-1
  RemoveCardFromRow(FirstRowOfBase(2) + GetParam());
  EXPECT_EQ(LabelsOfBase(2), Labels(2, 2, 2));
  EXPECT_EQ(form.grdChannel.Rows(), 1 + 15 + 4);
  EXPECT_EQ(config.Channels[ChannelFromLabel("2-2-0", kSGC10)].CardType, "No Card");
  EXPECT_EQ(config.Channels[ChannelFromLabel("2-1-1", kSGC10)].CardType, "SGC10");
  EXPECT_EQ(form.Panel(), PanelMode::Closed);
}

INSTANTIATE_TEST_SUITE_P(Rows, RemoveFromRowTest, ::testing::Values(0, 1, 2, 3, 4, 5));

TEST_F(MainFormTest, RemovingTheOnlyCardGivesTheBaseChannelItsOwnRowBack) {
  Load();
  AddCard(7, 3);
  RemoveCardFromRow(RowOf("7-0-4"));
  EXPECT_EQ(LabelsOfBase(7), std::vector<std::string>{"7"});
  EXPECT_EQ(form.grdChannel.Rows(), 17);
  EXPECT_EQ(Column(kColChannel).size(), 16u);
  EXPECT_EQ(Cell(RowOf("7"), kColCardType), "No Card");
  EXPECT_FALSE(form.cmdRemoveCard.enabled);
  EXPECT_FALSE(form.cmdViewCard.enabled);
  EXPECT_FALSE(form.CmdCalibrate.enabled);
  EXPECT_TRUE(form.cmdAddCard.enabled);
  EXPECT_TRUE(IsTrue(config.NoCardsFlag));
}

TEST_F(MainFormTest, RemovedChannelsRecordsAreEmptied) {
  Load();
  AddCards(1, 2, 2);
  Click("1-1-3", kColFilter);
  form.GridDblClick();  // filter on: "On, optional gain X1"
  MarkCalibrated("1-1-3");
  ASSERT_EQ(config.Channels[ChannelFromLabel("1-1-3", kSGC50)].FilterOption,
            "On, optional gain X1");
  const int removed = ChannelFromLabel("1-1-3", kSGC50);
  config.Channels[removed].M = 2.0f;
  config.Channels[removed].B = 3.0f;

  RemoveCardFromRow(RowOf("1-0-0"));

  for (int k = 0; k < 8; ++k) {
    const ChannelConfig& ch = config.Channels[ChannelFromLabel("1-1-" + std::to_string(k), kSGC50)];
    EXPECT_EQ(ch.CardType, "No Card");
    EXPECT_EQ(ch.Calibrated, "No");
    EXPECT_EQ(ch.FilterOption, "No");
    EXPECT_FLOAT_EQ(ch.M, 0.0f);
    EXPECT_FLOAT_EQ(ch.B, 0.0f);
    EXPECT_TRUE(IsTrue(ch.DCCoupled));
    EXPECT_FALSE(IsTrue(ch.FilterOn));
    EXPECT_FALSE(IsTrue(ch.Active));
  }
  for (int s = 8; s < 16; ++s) {
    EXPECT_EQ(config.Base[1].CardType[s], "No Card");
    EXPECT_EQ(config.Base[1].CalStatus[s], "No");
    EXPECT_EQ(config.Base[1].Filter[s], "Bypass");
    EXPECT_EQ(config.Base[1].Coupling[s], "DC");
  }
  EXPECT_EQ(config.Channels[ChannelFromLabel("1-0-3", kSGC50)].CardType, "SGC50");
}

TEST_F(MainFormTest, RemoveOnABaseChannelRowDisablesTheButtonOnly) {
  Load();
  Click(4);
  form.cmdRemoveCard.enabled = true;
  form.RemoveCardClick();
  EXPECT_FALSE(form.cmdRemoveCard.enabled);
  EXPECT_FALSE(form.cmdOK.visible);
  EXPECT_FALSE(form.cboChannel.visible);
  EXPECT_EQ(form.Panel(), PanelMode::Closed);
}

// ---- the panel ----

TEST_F(MainFormTest, AddCardOpensThePanelForTheSelectedRowsBaseChannel) {
  Load();
  AddCard(6, 1);
  Click("6-0-1");
  form.AddCardClick();
  EXPECT_EQ(form.Panel(), PanelMode::Adding);
  EXPECT_EQ(form.lblAddOrDel.caption, "Add Cards to Base");
  EXPECT_TRUE(form.lblAddOrDel.visible);
  for (int i = 1; i <= 4; ++i) {
    EXPECT_TRUE(form.ctCheck1[static_cast<std::size_t>(i)].visible);
    EXPECT_FALSE(form.ctCheck1[static_cast<std::size_t>(i)].checked);
  }
  EXPECT_TRUE(form.cboChannel.visible);
  EXPECT_EQ(form.cboChannel.listIndex, 6);
  EXPECT_EQ(form.cboChannel.text, "Channel 6");
  EXPECT_EQ(config.CurrentRow, RowOf("6-0-0"));
  EXPECT_TRUE(form.cmdOK.visible);
  EXPECT_TRUE(form.cmdCancel.visible);
  EXPECT_TRUE(form.cmdRemoveCard.enabled);

  form.CardBoxClick(3);
  form.CardBoxClick(1);
  EXPECT_TRUE(form.ctCheck1[1].checked);
  for (int i = 2; i <= 4; ++i) EXPECT_FALSE(form.ctCheck1[static_cast<std::size_t>(i)].checked);
  EXPECT_TRUE(form.cmdOK.enabled);
}

TEST_F(MainFormTest, RemoveOpensThePanelInRemovingMode) {
  Load();
  AddCards(11, 1, 2);
  Click("11-1-1");
  form.RemoveCardClick();
  EXPECT_EQ(form.Panel(), PanelMode::Removing);
  EXPECT_EQ(form.lblAddOrDel.caption, "Remove Card From Base");
  EXPECT_TRUE(form.lblAddOrDel.visible);
  EXPECT_FALSE(form.ctCheck1[1].visible);
  EXPECT_TRUE(form.cboChannel.visible);
  EXPECT_EQ(form.cboChannel.text, "Channel 11");
  EXPECT_TRUE(form.cmdOK.visible && form.cmdOK.enabled);
  EXPECT_TRUE(form.cmdCancel.visible && form.cmdCancel.enabled);
  EXPECT_TRUE(form.cmdAddCard.enabled);
  EXPECT_EQ(config.CurrentRow, RowOf("11-0-0"));
}

TEST_F(MainFormTest, CancelClosesThePanelAndChangesNothing) {
  Load();
  AddCard(4, 2);
  Click("4-0-2");
  form.AddCardClick();
  form.CardBoxClick(2);
  const auto cells = form.grdChannel.cells;
  form.CancelClick();
  EXPECT_EQ(form.Panel(), PanelMode::Closed);
  for (int i = 1; i <= 4; ++i) {
    EXPECT_FALSE(form.ctCheck1[static_cast<std::size_t>(i)].visible);
    EXPECT_FALSE(form.ctCheck1[static_cast<std::size_t>(i)].checked);
  }
  EXPECT_FALSE(form.cmdOK.visible || form.cmdCancel.visible || form.cboChannel.visible ||
               form.lblAddOrDel.visible);
  EXPECT_EQ(form.grdChannel.cells, cells);
  EXPECT_EQ(config.Base[4].ChanCount, 8);
}

TEST_F(MainFormTest, OkInAddingModeWithNoBoxCheckedChangesNothing) {
  Load();
  AddCard(8, 4);
  Click("8-0-0");
  form.AddCardClick();
  const auto cells = form.grdChannel.cells;
  form.OKClick();
  EXPECT_EQ(form.grdChannel.cells, cells);
  EXPECT_EQ(config.Base[8].ChanCount, 8);
  EXPECT_EQ(form.Panel(), PanelMode::Closed);
  EXPECT_FALSE(form.cboChannel.visible);
  EXPECT_TRUE(boxes.Shown().empty());
  EXPECT_EQ(pointer.Get(), PointerShape::Normal);
}

TEST_F(MainFormTest, ChoosingAFullBaseChannelInTheListClosesThePanel) {
  Load();
  AddCards(3, 2, 2);
  Click(1);
  form.AddCardClick();
  form.cboChannel.Select(3);
  form.ChannelListClick();
  EXPECT_EQ(config.CurrentRow, RowOf("3-0-0"));
  EXPECT_EQ(form.Panel(), PanelMode::Closed);
  EXPECT_FALSE(form.ctCheck1[1].visible || form.cmdOK.visible || form.cboChannel.visible);
  EXPECT_FALSE(form.cmdAddCard.enabled);
  EXPECT_TRUE(form.cmdRemoveCard.enabled && form.cmdViewCard.enabled && form.CmdCalibrate.enabled);
}

// ---- viewing a card ----

struct ViewCase {
  const char* name;
  int box;
  const char* instruction;
  int option;
};
std::ostream& operator<<(std::ostream& os, const ViewCase& c) { return os << c.name; }

class ViewCardTest : public MainFormTest, public ::testing::WithParamInterface<ViewCase> {};

TEST_P(ViewCardTest, SetsTheDiagramsInstructionAndCardOptionThenShowsIt) {
  const ViewCase& c = GetParam();
  Load();
  AddCard(12, c.box);
  Click(RowOf("12-0-1"));
  form.ViewCardClick();
  EXPECT_EQ(session.cardPic.lblInstruction.caption, c.instruction);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(session.cardPic.whichCard[static_cast<std::size_t>(i)].value, i == c.option) << i;
  }
  EXPECT_EQ(windows.Shown().back(), WindowId::CardPic);
  EXPECT_EQ(config.CurrentChannel, ChannelFromLabel("12-0-1", Cell(RowOf("12-0-1"), 5)));
  EXPECT_EQ(form.grdChannel.row, RowOf("12-0-1"));
  EXPECT_EQ(form.grdChannel.col, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cards, ViewCardTest,
    ::testing::Values(ViewCase{"SGC10", 1, "Make sure your SGC10 matches this diagram", 0},
                      ViewCase{"SGC50", 2, "Make sure your SGC50 matches this diagram", 1},
                      ViewCase{"SGC50A", 3, "Make sure your SGC50A/SGC50B matches this diagram", 2},
                      ViewCase{"SGC50B", 4, "Make sure your SGC50A/SGC50B matches this diagram",
                               2}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(MainFormTest, ViewOnABaseChannelRowOpensNothing) {
  Load();
  Click(5);
  form.cmdViewCard.enabled = true;
  form.ViewCardClick();
  EXPECT_FALSE(form.cmdViewCard.enabled);
  EXPECT_TRUE(windows.Shown().size() == 1u);  // the device selection only
}

// ---- restricted units ----

struct RestrictedCase {
  const char* name;
  std::int32_t type;
  std::int32_t subType;
  int base;
  bool available;
  bool entriesUnavailable;  // cboChannel entries 0 and 1 read "Unavailable"
};
std::ostream& operator<<(std::ostream& os, const RestrictedCase& c) { return os << c.name; }

class RestrictedUnitTest : public MainFormTest,
                           public ::testing::WithParamInterface<RestrictedCase> {};

TEST_P(RestrictedUnitTest, UnavailableBaseChannelsCannotTakeCards) {
  const RestrictedCase& c = GetParam();
  Load(MakeDevice(c.type, c.subType));
  Click(FirstRowOfBase(c.base));
  form.AddCardClick();
  EXPECT_EQ(form.cmdOK.enabled, c.available);
  EXPECT_EQ(form.lblInfo00.visible, !c.available);
  EXPECT_EQ(form.ctCheck1[1].visible, c.available);
  EXPECT_EQ(form.cboChannel.items[0] == "Unavailable", c.entriesUnavailable);
  EXPECT_EQ(form.cboChannel.items[1] == "Unavailable", c.entriesUnavailable);
  EXPECT_EQ(form.cboChannel.items[2], "Channel 2");
}

INSTANTIATE_TEST_SUITE_P(
    Units, RestrictedUnitTest,
    ::testing::Values(RestrictedCase{"T23S3Base0", 23, 3, 0, false, true},
                      RestrictedCase{"T23S3Base1", 23, 3, 1, false, true},
                      RestrictedCase{"T23S3Base2", 23, 3, 2, true, true},
                      RestrictedCase{"T36Base7", 36, 0, 7, false, false},
                      RestrictedCase{"T36Base8", 36, 0, 8, true, false},
                      RestrictedCase{"T23S1Base0", 23, 1, 0, true, false},
                      RestrictedCase{"T5Base0", 5, 0, 0, true, false}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(MainFormTest, ChoosingAnAvailableBaseChannelReopensTheAddingPanel) {
  Load(MakeDevice(36));
  Click(FirstRowOfBase(3));
  form.AddCardClick();
  ASSERT_FALSE(form.ctCheck1[1].visible);
  form.cboChannel.Select(10);
  form.ChannelListClick();
  EXPECT_TRUE(form.ctCheck1[1].visible);
  EXPECT_TRUE(form.cmdOK.visible && form.cmdOK.enabled);
  EXPECT_FALSE(form.lblInfo00.visible);
  form.CardBoxClick(2);
  form.OKClick();
  EXPECT_EQ(config.Base[10].ChanCount, 8);
  EXPECT_EQ(config.Base[3].ChanCount, 0);
}

TEST_F(MainFormTest, ChoosingAnotherBaseChannelKeepsTheRemovingPanelRemoving) {
  Load();
  AddCard(4, 1);
  AddCard(9, 2);
  Click("4-0-0");
  form.RemoveCardClick();
  form.cboChannel.Select(9);
  form.ChannelListClick();
  EXPECT_FALSE(form.ctCheck1[1].visible);
  EXPECT_EQ(form.Panel(), PanelMode::Removing);
  form.OKClick();
  EXPECT_EQ(config.Base[9].ChanCount, 0);
  EXPECT_EQ(config.Base[4].ChanCount, 2);
}

}  // namespace
}  // namespace vernium::testing

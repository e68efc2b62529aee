// Adding and removing cards on a base channel through the main window's card
// panel: family limits, refusals, the panel's modes and the restricted units.
// (Labels, row counts and the emptied records of removed cards: the property
// test.)
#include "main_form_fixture.h"

namespace vernium::testing {
namespace {

TEST_F(MainFormTest, FullBaseChannelRefusesAnotherCard) {
  struct Case {
    int box, cards;  // cards that fill a base channel
    const char* lastLabel;
    const char* message;
    const char* title;
    void (MainForm::*add)(int);
  };
  const Case cases[] = {
      {1, 8, "5-7-1", "Allowed  only  eight(8)  SGC10 ", "Attention!", &MainForm::AddSGC10Card},
      {2, 2, "6-1-7", "Only two SGC50 or 50A's per base channel.", "Channel Limitations Exceeded",
       &MainForm::AddSGC50Card},
      {4, 2, "7-1-7", "Only two SGC50B's per base channel.", "Channel Limitations Exceeded",
       &MainForm::AddSGC50BCard}};
  Load();
  int b = 5;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lastLabel);
    AddCard(b, c.box, c.cards);
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_EQ(LabelsOfBase(b).back(), c.lastLabel);
    EXPECT_FALSE(form.cmdAddCard.enabled);
    // The panel cannot reach a full base channel any more; the rule itself:
    form.cmdAddCard.enabled = true;
    const auto cellsBefore = form.grdChannel.cells;
    (form.*c.add)(b);
    ExpectOneMessage(c.message, c.title);
    EXPECT_FALSE(form.cmdAddCard.enabled);
    EXPECT_EQ(form.grdChannel.cells, cellsBefore);
    EXPECT_EQ(config.Base[b].ChanCount, 16);
    RemoveCardFromRow(RowOf(c.lastLabel));  // a full base channel takes cards again
    EXPECT_TRUE(form.cmdAddCard.enabled);
    EXPECT_EQ(config.Base[b++].ChanCount, c.box == 1 ? 14 : 8);
    boxes.Clear();
  }
}

// A second card of box `second` on a base channel holding one of box `first`:
// added with its type, silently not added, or refused with a message.
TEST_F(MainFormTest, SecondCardOnTheSameBaseChannel) {
  struct Case {
    int first, second;
    const char* addedType;  // empty: not added
    bool refused;
  };
  const Case cases[] = {
      {4, 3, "SGC50A", false}, {1, 4, "", false}, {1, 3, "", true}, {4, 1, "", true}};
  Load();
  int b = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.first) + " then " + std::to_string(c.second));
    boxes.Clear();
    AddCard(b, c.first);
    const int n = config.Base[b].ChanCount;
    AddCard(b, c.second);
    if (c.refused) {
      ExpectOneMessage("Different module types are not allowed in the same base channel");
    } else {
      EXPECT_TRUE(boxes.Shown().empty());
    }
    EXPECT_EQ(config.Base[b].ChanCount, *c.addedType != '\0' ? 2 * n : n);
    EXPECT_EQ(config.Base[b].CardType[2 * n - 1], *c.addedType != '\0' ? c.addedType : kNoCard);
    EXPECT_EQ(form.Panel(), PanelMode::Closed);
    ++b;
  }
}

TEST_F(MainFormTest, PanelOpensOnTheFirstRowOfTheSelectedRowsBaseChannel) {
  Load();
  AddCard(6, 1, 2);
  Click("6-1-1");
  form.AddCardClick();
  EXPECT_EQ(form.Panel(), PanelMode::Adding);
  EXPECT_EQ(config.CurrentRow, RowOf("6-0-0"));
  form.CardBoxClick(1);
  const auto cells = form.grdChannel.cells;
  form.CancelClick();
  EXPECT_EQ(form.Panel(), PanelMode::Closed);
  EXPECT_FALSE(form.ctCheck1[1].checked);
  EXPECT_EQ(form.grdChannel.cells, cells);

  Click("7");
  form.AddCardClick();
  form.OKClick();  // no box checked: closes without change
  EXPECT_EQ(form.Panel(), PanelMode::Closed);
  EXPECT_EQ(form.grdChannel.cells, cells);
  EXPECT_FALSE(form.cmdRemoveCard.enabled || form.cmdViewCard.enabled || form.CmdCalibrate.enabled);
  EXPECT_TRUE(boxes.Shown().empty());
}

// The panel, open on a restricted unit's base channel, on the one chosen in
// the list: refused, reopened in its mode, or closed when that base channel is
// full. (Opened on an unavailable one: restricted_units.scn.)
TEST_F(MainFormTest, ChoosingAnotherBaseChannelReopensThePanelInItsModeOrClosesItWhenFull) {
  Load(MakeDevice(36));
  AddCard(9, 2);
  AddCard(12, 1, 8);
  Click(FirstRowOfBase(10));
  form.AddCardClick();
  ChooseBase(7);  // the last base channel the unit keeps
  EXPECT_FALSE(form.ctCheck1[1].visible || form.cmdOK.enabled);
  EXPECT_TRUE(form.lblInfo00.visible && form.cboChannel.items[0] == "Channel 0");
  ChooseBase(10);
  EXPECT_TRUE(form.ctCheck1[1].visible && form.cmdOK.visible && form.cmdOK.enabled);
  EXPECT_FALSE(form.lblInfo00.visible);
  form.CardBoxClick(2);
  form.OKClick();
  EXPECT_EQ(config.Base[10].ChanCount, 8);

  Click("10-0-0");
  form.RemoveCardClick();
  ChooseBase(9);
  EXPECT_EQ(form.Panel(), PanelMode::Removing);
  EXPECT_FALSE(form.ctCheck1[1].visible);
  form.OKClick();
  EXPECT_EQ(config.Base[9].ChanCount, 0);
  EXPECT_EQ(config.Base[10].ChanCount, 8);

  form.AddCardClick();
  ChooseBase(12);
  EXPECT_EQ(config.CurrentRow, RowOf("12-0-0"));
  EXPECT_EQ(form.Panel(), PanelMode::Closed);
  EXPECT_FALSE(form.cmdAddCard.enabled);
}

// Type 23 lists base channels 0 and 1 as "Unavailable", and refuses cards
// there, for subtype 3 only. (Type 36's base channels: restricted_units.scn.)
TEST_F(MainFormTest, OnlySubtypeThreeOfType23ListsBaseChannelsUnavailable) {
  for (const auto& [subType, shown, entries] :
       {std::tuple{1, "Channel 1", "Channel 0Channel 1"},
        std::tuple{3, "Unavailable", "UnavailableUnavailable"}}) {
    Load(MakeDevice(23, subType));
    Click(2);  // base channel 1
    form.AddCardClick();
    EXPECT_EQ(form.cmdOK.enabled && form.ctCheck1[1].visible && !form.lblInfo00.visible,
              subType == 1);
    EXPECT_EQ(form.cboChannel.text, shown);
    EXPECT_EQ(form.cboChannel.items[0] + form.cboChannel.items[1], entries);
  }
}

}  // namespace
}  // namespace vernium::testing

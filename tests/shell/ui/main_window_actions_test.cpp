// Working the main window with real clicks and keys: adding and removing
// cards, the in-place lists over the clicked cell, the double-click editor,
// moving through the grid with the keys, and the menu commands.
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>

#include "main_window_harness.h"

namespace vernium::qtui {
namespace {

using MainActionsTest = MainWindowHarness;

TEST_F(MainActionsTest, AddAndRemoveACardWithClicks) {
  Start();
  ClickCell(3, 1);  // base channel 2
  ClickButton("cmdAddCard");
  auto* ok = Find<QPushButton>("cmdOK");
  EXPECT_FALSE(ok->isHidden());
  EXPECT_EQ(Find<QLabel>("lblAddOrDel")->text(), QStringLiteral("Add Cards to Base"));
  for (int i = 1; i <= 4; ++i) {
    EXPECT_FALSE(Find<QCheckBox>(QStringLiteral("ctCheck1(%1)").arg(i))->isHidden()) << i;
  }
  ClickButton("ctCheck1(2)");
  EXPECT_TRUE(Find<QCheckBox>("ctCheck1(2)")->isChecked());
  EXPECT_TRUE(ok->isEnabled());
  testing_qt::ProcessEvents();
  EXPECT_TRUE(SavePng("main_window_add_panel.png"));
  ClickButton("cmdOK");

  ASSERT_EQ(Grid()->rowCount(), 23);
  for (int k = 0; k < 8; ++k) {
    EXPECT_EQ(CellText(3 + k, 1), "2-0-" + std::to_string(k));
    EXPECT_EQ(CellText(3 + k, 5), "SGC50");
  }
  EXPECT_EQ(CellText(11, 1), "3");
  EXPECT_TRUE(ok->isHidden());
  EXPECT_TRUE(Find<QCheckBox>("ctCheck1(2)")->isHidden());
  EXPECT_TRUE(Find<QPushButton>("cmdRemoveCard")->isEnabled());

  ClickCell(6, 1);  // 2-0-3
  ClickButton("cmdRemoveCard");
  EXPECT_EQ(Find<QLabel>("lblAddOrDel")->text(), QStringLiteral("Remove Card From Base"));
  EXPECT_TRUE(Find<QCheckBox>("ctCheck1(1)")->isHidden());
  ClickButton("cmdOK");
  ASSERT_EQ(Grid()->rowCount(), 16);
  EXPECT_EQ(CellText(3, 1), "2");
  EXPECT_EQ(CellText(3, 5), "No Card");
  EXPECT_TRUE(boxes_.Shown().empty());
}

TEST_F(MainActionsTest, ARefusedCardShowsItsMessage) {
  Start();
  AddCard(5, 1);  // SGC10 on base channel 4
  ASSERT_EQ(CellText(5, 1), "4-0-0");
  ClickCell(5, 1);
  ClickButton("cmdAddCard");
  ClickButton("ctCheck1(2)");
  ClickButton("cmdOK");
  ASSERT_EQ(boxes_.Shown().size(), 1u);
  EXPECT_EQ(boxes_.Shown()[0].text,
            "Different module types are not allowed in the same base channel");
  EXPECT_EQ(boxes_.Shown()[0].title, "Attention!");
  EXPECT_EQ(Grid()->rowCount(), 17);
}

TEST_F(MainActionsTest, CancelClosesThePanelWithoutChange) {
  Start();
  ClickCell(2, 1);
  ClickButton("cmdAddCard");
  ClickButton("ctCheck1(1)");
  ClickButton("cmdCancel");
  EXPECT_EQ(Grid()->rowCount(), 16);
  EXPECT_TRUE(Find<QPushButton>("cmdOK")->isHidden());
  EXPECT_TRUE(Find<QComboBox>("cboChannel")->isHidden());
}

struct InPlaceCase {
  int row;
  int col;
  bool filterShown;
  bool couplingShown;
};

std::ostream& operator<<(std::ostream& os, const InPlaceCase& c) {
  return os << "row" << c.row << "_col" << c.col;
}

class InPlaceListTest : public MainWindowHarness,
                        public ::testing::WithParamInterface<InPlaceCase> {};

TEST_P(InPlaceListTest, ListAppearsOverTheClickedCell) {
  const InPlaceCase& c = GetParam();
  Start();
  AddCard(2, 2);  // SGC50 on base channel 1: rows 2..9
  ClickCell(c.row, c.col);
  auto* filter = Find<QComboBox>("cboFIlter");
  auto* coupling = Find<QComboBox>("cboCoupling");
  EXPECT_EQ(filter->isVisible(), c.filterShown);
  EXPECT_EQ(Find<QLabel>("lblFilterOption")->isVisible(), c.filterShown);
  EXPECT_EQ(coupling->isVisible(), c.couplingShown);
  EXPECT_EQ(Find<QLabel>("lblDCACcoupling")->isVisible(), c.couplingShown);
  QComboBox* shown = c.filterShown ? filter : c.couplingShown ? coupling : nullptr;
  if (shown != nullptr) {
    const QRect cell = Grid()->CellRect(c.row, c.col, Grid()->viewport());
    const QRect box(shown->mapTo(Grid()->viewport(), QPoint(0, 0)), shown->size());
    EXPECT_TRUE(box.contains(cell.center())) << "the list covers the cell it edits";
    EXPECT_EQ(box.left(), cell.left());
    // The list shows its own entry for the cell's text ("ByPass" for "Bypass").
    EXPECT_EQ(shown->currentText().compare(QString::fromStdString(CellText(c.row, c.col)),
                                           Qt::CaseInsensitive),
              0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cells, InPlaceListTest,
    ::testing::Values(InPlaceCase{4, 2, true, false}, InPlaceCase{9, 3, false, true},
                      InPlaceCase{4, 1, false, false}, InPlaceCase{4, 5, false, false},
                      InPlaceCase{1, 2, false, false}, InPlaceCase{12, 3, false, false}));

TEST_F(MainActionsTest, ChoosingACouplingInTheListChangesTheCell) {
  Start();
  AddCard(2, 1);  // SGC10 on base channel 1: rows 2 and 3
  ClickCell(3, 3);
  auto* coupling = Find<QComboBox>("cboCoupling");
  ASSERT_TRUE(coupling->isVisible());
  coupling->setFocus();
  testing_qt::KeyClick(coupling, Qt::Key_Down);  // DC -> AC
  EXPECT_EQ(CellText(3, 3), "AC");
  EXPECT_EQ(Form().config().Channels[ChannelFromLabel("1-0-1", "SGC10")].DCCoupled, kFalse16);
  EXPECT_TRUE(boxes_.Shown().empty()) << "an uncalibrated channel is not asked about";
}

TEST_F(MainActionsTest, DoubleClicksCycleTheCouplingCell) {
  Start();
  AddCard(2, 1);
  DoubleClickCell(2, 3);
  EXPECT_EQ(CellText(2, 3), "AC");
  DoubleClickCell(2, 3);
  EXPECT_EQ(CellText(2, 3), "DC");
  DoubleClickCell(4, 3);  // base channel 2, no card: nothing changes
  EXPECT_EQ(CellText(4, 3), "DC");
}

TEST_F(MainActionsTest, ArrowKeysMoveTheCurrentRow) {
  Start();
  ClickCell(2, 1);
  Grid()->setFocus();
  testing_qt::KeyClick(Grid(), Qt::Key_Down);
  EXPECT_EQ(Form().grdChannel.row, 3);
  EXPECT_EQ(Grid()->currentRow(), GridView::TableRow(3));
  testing_qt::KeyClick(Grid(), Qt::Key_Down);
  EXPECT_EQ(Form().grdChannel.row, 4);
}

TEST_F(MainActionsTest, DisplayCardDataWithoutCardsSaysSo) {
  Start();
  Find<QAction>("displayer")->trigger();
  ASSERT_EQ(boxes_.Shown().size(), 1u);
  EXPECT_EQ(boxes_.Shown()[0].text, "There are no cards configured for this base channel");
  EXPECT_EQ(boxes_.Shown()[0].title, "Attention!");
}

TEST_F(MainActionsTest, ScalingOptionStaysChecked) {
  Start();
  auto* option = Find<QAction>("WaveStud");
  option->trigger();
  EXPECT_TRUE(option->isChecked());
  option->trigger();
  EXPECT_TRUE(option->isChecked());
}

TEST_F(MainActionsTest, FileNewEmptiesTheGridWithoutAsking) {
  Start();
  AddCard(3, 4);
  ASSERT_EQ(Grid()->rowCount(), 23);
  Find<QAction>("newer")->trigger();
  EXPECT_EQ(Grid()->rowCount(), 16);
  EXPECT_FALSE(Find<QPushButton>("cmdRemoveCard")->isEnabled());
  EXPECT_TRUE(boxes_.Shown().empty());
  EXPECT_EQ(Find<QComboBox>("cboChannel")->count(), 16);
}

TEST_F(MainActionsTest, FileExitClosesAndWritesTheScalingFile) {
  Start();
  Find<QAction>("exiter")->trigger();
  testing_qt::ProcessEvents();
  EXPECT_TRUE(app_->Ended());
  EXPECT_FALSE(Main().isVisible());
  EXPECT_TRUE(QFile::exists(QDir(dir_.path()).filePath("sgc10.ini")));
}

TEST_F(MainActionsTest, ARestrictedUnitMarksItsBaseChannelsUnavailable) {
  Start([](DeviceWindow& w) {
    auto* list = w.findChild<QListWidget*>("DevInventList");
    ASSERT_NE(list, nullptr);
    testing_qt::Click(list->viewport(), list->visualItemRect(list->item(1)).center());
    ClickOk(w);
  });
  ASSERT_NE(unit_.OpenDevice(), nullptr);
  ASSERT_EQ(unit_.OpenDevice()->DeviceName, "SIM-BOARD-23");
  ClickCell(2, 1);  // base channel 1, kept by the board
  ClickButton("cmdAddCard");
  testing_qt::ProcessEvents();
  auto* info = Find<QLabel>("lblInfo00");
  EXPECT_TRUE(info->isVisible());
  EXPECT_FALSE(Find<QPushButton>("cmdOK")->isEnabled());
  EXPECT_FALSE(Find<QCheckBox>("ctCheck1(1)")->isVisible());
  auto* channels = Find<QComboBox>("cboChannel");
  EXPECT_EQ(channels->itemText(0), QStringLiteral("Unavailable"));
  EXPECT_EQ(channels->itemText(1), QStringLiteral("Unavailable"));
  EXPECT_TRUE(SavePng("main_window_unavailable.png"));
}

TEST_F(MainActionsTest, CardsOnThreeBaseChannels) {
  Start();
  AddCard(2, 2);   // SGC50 on base channel 1: rows 2..9
  AddCard(11, 1);  // SGC10 on base channel 3 (row 11 after the SGC50)
  AddCard(11, 1);  // a second SGC10 there: rows 11..14
  AddCard(20, 4);  // SGC50B on base channel 9
  ASSERT_EQ(Grid()->rowCount(), 16 + 7 + 3 + 7);
  EXPECT_EQ(CellText(2, 1), "1-0-0");
  EXPECT_EQ(CellText(11, 1), "3-0-0");
  EXPECT_EQ(CellText(14, 1), "3-1-1");
  EXPECT_EQ(CellText(20, 1), "9-0-0");
  EXPECT_EQ(CellText(20, 5), "SGC50B");
  ClickCell(5, 2);  // the filter list over 1-0-3
  EXPECT_TRUE(Find<QComboBox>("cboFIlter")->isVisible());
  EXPECT_TRUE(boxes_.Shown().empty());
  EXPECT_TRUE(SavePng("main_window_cards.png"));
}

}  // namespace
}  // namespace vernium::qtui

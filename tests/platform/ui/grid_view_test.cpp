// The grid drawn from its record: header row, hidden header column, widths
// converted from twips, bold font, selection of whole rows, the current cell.
#include "platform/ui/grid_view.h"

#include <gtest/gtest.h>

#include <QHeaderView>

#include "platform/ui/control_binding.h"
#include "support/qt_events.h"

namespace vernium::qtui {
namespace {

using testing_qt::SignalCounter;

struct TwipsCase {
  int twips;
  int dpi;
  int pixels;
};

std::ostream& operator<<(std::ostream& os, const TwipsCase& c) {
  return os << c.twips << "tw@" << c.dpi << "dpi";
}

class TwipsTest : public ::testing::TestWithParam<TwipsCase> {};

TEST_P(TwipsTest, ConvertsForTheScreen) {
  EXPECT_EQ(TwipsToPixels(GetParam().twips, GetParam().dpi), GetParam().pixels);
}

INSTANTIATE_TEST_SUITE_P(Widths, TwipsTest,
                         ::testing::Values(TwipsCase{1440, 96, 96}, TwipsCase{1000, 96, 66},
                                           TwipsCase{2000, 96, 133}, TwipsCase{1, 96, 0},
                                           TwipsCase{1100, 120, 91}, TwipsCase{1200, 144, 120}));

Grid ChannelGrid(int dataRows) {
  Grid grid;
  grid.Resize(dataRows + 1, 6);
  grid.colWidthsTwips = {1, 1000, 2000, 1100, 1100, 1200};
  const char* headers[] = {"", "Channel", "Filter/Gain", "Coupling", "Calibrated", "Card Type"};
  for (int c = 0; c < 6; ++c) grid.Cell(0, c) = headers[c];
  for (int r = 1; r <= dataRows; ++r) {
    grid.Cell(r, 1) = std::to_string(r - 1);
    grid.Cell(r, 2) = "Bypass";
    grid.Cell(r, 3) = "DC";
    grid.Cell(r, 4) = "No";
    grid.Cell(r, 5) = "No Card";
  }
  grid.fontBold = true;
  grid.row = 1;
  grid.rowSel = 1;
  grid.col = 1;
  return grid;
}

TEST(GridViewTest, HeaderRowDataRowsAndWidths) {
  GridView view;
  const Grid grid = ChannelGrid(16);
  view.Draw(grid);
  EXPECT_EQ(view.rowCount(), 16);
  EXPECT_EQ(view.columnCount(), 6);
  EXPECT_EQ(view.horizontalHeaderItem(1)->text(), QStringLiteral("Channel"));
  EXPECT_EQ(view.horizontalHeaderItem(5)->text(), QStringLiteral("Card Type"));
  EXPECT_EQ(view.item(0, 1)->text(), QStringLiteral("0"));
  EXPECT_EQ(view.item(15, 1)->text(), QStringLiteral("15"));
  EXPECT_EQ(view.item(15, 5)->text(), QStringLiteral("No Card"));
  EXPECT_TRUE(view.isColumnHidden(0));
  const int dpi = view.logicalDpiX();
  EXPECT_EQ(view.columnWidth(1), TwipsToPixels(1000, dpi));
  EXPECT_EQ(view.columnWidth(2), TwipsToPixels(2000, dpi));
  EXPECT_EQ(view.columnWidth(3), TwipsToPixels(1100, dpi));
  EXPECT_TRUE(view.font().bold());
  EXPECT_EQ(view.editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST(GridViewTest, RowCountFollowsTheRecordBothWays) {
  GridView view;
  Grid grid = ChannelGrid(16);
  view.Draw(grid);
  grid = ChannelGrid(23);
  grid.Cell(23, 1) = "15";
  view.Draw(grid);
  EXPECT_EQ(view.rowCount(), 23);
  EXPECT_EQ(view.item(22, 1)->text(), QStringLiteral("15"));
  grid = ChannelGrid(16);
  view.Draw(grid);
  EXPECT_EQ(view.rowCount(), 16);
  EXPECT_EQ(view.item(15, 1)->text(), QStringLiteral("15"));
}

struct SelectionCase {
  int row;
  int rowSel;
  int col;
  std::vector<int> selectedRecordRows;
};

std::ostream& operator<<(std::ostream& os, const SelectionCase& c) {
  return os << "row" << c.row << "_sel" << c.rowSel << "_col" << c.col;
}

class GridSelectionTest : public ::testing::TestWithParam<SelectionCase> {};

TEST_P(GridSelectionTest, SelectsWholeRowsAndTheCurrentCell) {
  const SelectionCase& c = GetParam();
  GridView view;
  Grid grid = ChannelGrid(16);
  grid.row = c.row;
  grid.rowSel = c.rowSel;
  grid.col = c.col;
  view.Draw(grid);
  std::vector<int> rows;
  for (const QModelIndex& index : view.selectionModel()->selectedRows()) {
    rows.push_back(GridView::RecordRow(index.row()));
  }
  std::sort(rows.begin(), rows.end());
  EXPECT_EQ(rows, c.selectedRecordRows);
  EXPECT_EQ(view.currentRow(), GridView::TableRow(c.row));
  EXPECT_EQ(view.currentColumn(), c.col);
}

INSTANTIATE_TEST_SUITE_P(Cases, GridSelectionTest,
                         ::testing::Values(SelectionCase{1, 1, 1, {1}}, SelectionCase{5, 5, 3, {5}},
                                           SelectionCase{3, 6, 2, {3, 4, 5, 6}},
                                           SelectionCase{6, 3, 1, {3, 4, 5, 6}},
                                           SelectionCase{16, 16, 5, {16}}));

TEST(GridViewTest, RedrawFiresNoCellSignals) {
  GridView view;
  SignalCounter changed(&view, &QTableWidget::currentCellChanged);
  SignalCounter selection(&view, &QTableWidget::itemSelectionChanged);
  Grid grid = ChannelGrid(16);
  view.Draw(grid);
  grid.row = grid.rowSel = 7;
  grid.col = 3;
  view.Draw(grid);
  EXPECT_EQ(changed.count(), 0);
  EXPECT_EQ(selection.count(), 0);
}

TEST(GridViewTest, ClickAndKeyReleaseReachTheirSignals) {
  GridView view;
  view.resize(500, 400);
  view.Draw(ChannelGrid(16));
  testing_qt::ShowAndWait(&view);
  std::vector<std::pair<int, int>> clicks;
  QObject::connect(&view, &QTableWidget::cellClicked,
                   [&](int row, int col) { clicks.emplace_back(GridView::RecordRow(row), col); });
  std::vector<int> keys;
  QObject::connect(&view, &GridView::keyReleased, [&](int key) { keys.push_back(key); });
  const QRect cell = view.CellRect(4, 3, view.viewport());
  ASSERT_FALSE(cell.isEmpty());
  testing_qt::Click(view.viewport(), cell.center());
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0], std::make_pair(4, 3));
  testing_qt::KeyClick(&view, Qt::Key_Down);
  EXPECT_EQ(keys, std::vector<int>{Qt::Key_Down});
}

}  // namespace
}  // namespace vernium::qtui

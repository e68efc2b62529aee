// The grid drawn from its record: header row, hidden header column, widths
// converted from twips, bold font, selection of whole rows, the current cell.
#include "platform/ui/grid_view.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <algorithm>

#include "support/qt_events.h"

namespace vernium::qtui {
namespace {

using testing_qt::SignalCounter;

// The main window's grid: a header row, then one row per base channel
// labelled 0, 1, ...
Grid ChannelGrid(int dataRows) {
  Grid grid;
  grid.Resize(dataRows + 1, 6);
  grid.colWidthsTwips = {1, 1000, 2000, 1100, 1100, 1200};
  grid.cells[0] = {"", "Channel", "Filter/Gain", "Coupling", "Calibrated", "Card Type"};
  for (int r = 1; r <= dataRows; ++r) {
    grid.cells[static_cast<std::size_t>(r)] = {
        "", std::to_string(r - 1), "Bypass", "DC", "No", "No Card"};
  }
  grid.fontBold = true;
  grid.row = grid.rowSel = grid.col = 1;
  return grid;
}

TEST(GridView, HeaderRowDataRowsAndWidthsFollowTheRecordBothWays) {
  GridView view;
  view.Draw(ChannelGrid(23));
  view.Draw(ChannelGrid(16));
  EXPECT_EQ(view.rowCount(), 16);
  EXPECT_EQ(view.horizontalHeaderItem(5)->text(), QStringLiteral("Card Type"));
  EXPECT_EQ(view.item(15, 1)->text(), QStringLiteral("15"));
  EXPECT_TRUE(view.isColumnHidden(0));
  EXPECT_EQ(TwipsToPixels(1000, 96), 66);
  EXPECT_EQ(view.columnWidth(2), TwipsToPixels(2000, view.logicalDpiX()));
  EXPECT_TRUE(view.font().bold());
  EXPECT_EQ(view.editTriggers(), QAbstractItemView::NoEditTriggers);
  Grid grown = ChannelGrid(23);
  grown.Cell(1, 5) = "SGC10";
  view.Draw(grown);
  EXPECT_EQ(view.rowCount(), 23);
  EXPECT_EQ(view.item(22, 1)->text(), QStringLiteral("22"));
  EXPECT_EQ(view.item(0, 5)->text(), QStringLiteral("SGC10"));
}

TEST(GridView, SelectsWholeRowsAndTheCurrentCellWithoutSignals) {
  struct Row {
    int row, rowSel, col;
    std::vector<int> selected;  // record rows
  };
  for (const Row& r : {Row{1, 1, 1, {1}}, Row{3, 6, 2, {3, 4, 5, 6}}, Row{6, 3, 1, {3, 4, 5, 6}},
                       Row{16, 16, 5, {16}}}) {
    GridView view;
    SignalCounter changed(&view, &QTableWidget::currentCellChanged);
    SignalCounter selection(&view, &QTableWidget::itemSelectionChanged);
    Grid grid = ChannelGrid(16);
    view.Draw(grid);
    grid.row = r.row;
    grid.rowSel = r.rowSel;
    grid.col = r.col;
    view.Draw(grid);
    std::vector<int> rows;
    for (const QModelIndex& index : view.selectionModel()->selectedRows()) {
      rows.push_back(GridView::RecordRow(index.row()));
    }
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(rows, r.selected);
    EXPECT_EQ(view.currentRow(), GridView::TableRow(r.row));
    EXPECT_EQ(view.currentColumn(), r.col);
    EXPECT_EQ(changed.count() + selection.count(), 0);
  }
}

TEST(GridView, ClickAndKeyReleaseReachTheirSignals) {
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
  EXPECT_EQ(clicks, (std::vector<std::pair<int, int>>{{4, 3}}));
  testing_qt::KeyClick(&view, Qt::Key_Down);
  EXPECT_EQ(keys, std::vector<int>{Qt::Key_Down});
}

}  // namespace
}  // namespace vernium::qtui

// The grid drawn from its record: widths converted from twips, selection of
// whole rows, the current cell.
#include "platform/ui/grid_view.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <algorithm>

#include "support/qt_events.h"

namespace vernium::qtui {
namespace {

using testing_qt::SignalCounter;

// The main window's grid: a header row (the first column hidden), then one
// row per base channel.
Grid ChannelGrid(int dataRows) {
  Grid grid;
  grid.Resize(dataRows + 1, 6);
  grid.colWidthsTwips = {1, 1000, 2000, 1100, 1100, 1200};
  grid.cells[0] = {"", "Channel", "Filter/Gain", "Coupling", "Calibrated", "Card Type"};
  grid.row = grid.rowSel = grid.col = 1;
  return grid;
}

// A header drawn with the grid's first draw. Headers changed later, the rows
// growing and shrinking, the cells' texts, the hidden header column and the
// bold font are the main window's tests and the scenarios'.
TEST(GridView, ColumnWidthsComeFromTwipsHeadersFromTheFirstRowAndCellsAreNotEdited) {
  GridView view;
  view.Draw(ChannelGrid(16));
  EXPECT_EQ(TwipsToPixels(1000, 96), 66);
  EXPECT_EQ(view.columnWidth(2), TwipsToPixels(2000, view.logicalDpiX()));
  EXPECT_EQ(view.editTriggers(), QAbstractItemView::NoEditTriggers);
  EXPECT_EQ(view.horizontalHeaderItem(5)->text(), QStringLiteral("Card Type"));
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

}  // namespace
}  // namespace vernium::qtui

#include "platform/ui/grid_view.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyle>
#include <algorithm>

#include "platform/ui/control_binding.h"

namespace vernium::qtui {

int TwipsToPixels(int twips, int logicalDpi) {
  return twips * logicalDpi / 1440;
}

GridView::GridView(QWidget* parent) : QTableWidget(parent) {
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setTabKeyNavigation(false);
  setWordWrap(false);
  setAlternatingRowColors(true);
  verticalHeader()->setVisible(false);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setSectionsClickable(false);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  horizontalHeader()->setMinimumSectionSize(0);
  horizontalHeader()->setStretchLastSection(true);
}

void GridView::Draw(const Grid& grid) {
  const QSignalBlocker blocker(this);
  const QSignalBlocker selectionBlocker(selectionModel());

  if (font().bold() != grid.fontBold) {
    QFont f = font();
    f.setBold(grid.fontBold);
    setFont(f);
    horizontalHeader()->setFont(f);
  }
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);

  const int cols = grid.Cols();
  const int rows = std::max(0, grid.Rows() - 1);
  if (columnCount() != cols) setColumnCount(cols);
  if (rowCount() != rows) setRowCount(rows);

  const bool fontChanged = contentWidth_.size() != static_cast<std::size_t>(cols) ||
                           measuredFont_ != font();
  if (fontChanged) {
    contentWidth_.assign(static_cast<std::size_t>(cols), 0);
    measuredFont_ = font();
  }
  // A column is measured again when one of its texts changed.
  std::vector<bool> remeasure(static_cast<std::size_t>(cols), fontChanged || rows != measuredRows_);
  measuredRows_ = rows;
  for (int c = 0; c < cols; ++c) {
    const QString header = ToQt(grid.Cell(0, c));
    QTableWidgetItem* headerItem = horizontalHeaderItem(c);
    if (headerItem == nullptr) {
      setHorizontalHeaderItem(c, new QTableWidgetItem(header));
      remeasure[static_cast<std::size_t>(c)] = true;
    } else if (headerItem->text() != header) {
      headerItem->setText(header);
      remeasure[static_cast<std::size_t>(c)] = true;
    }
  }

  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) {
      const QString text = ToQt(grid.Cell(RecordRow(r), c));
      QTableWidgetItem* cell = item(r, c);
      if (cell == nullptr) {
        cell = new QTableWidgetItem(text);
        cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        setItem(r, c, cell);
        remeasure[static_cast<std::size_t>(c)] = true;
      } else if (cell->text() != text) {
        cell->setText(text);
        remeasure[static_cast<std::size_t>(c)] = true;
      }
    }
  }

  for (int c = 0; c < cols; ++c) {
    const auto at = static_cast<std::size_t>(c);
    const int legacy = TwipsToPixels(grid.colWidthsTwips[at], logicalDpiX());
    setColumnHidden(c, legacy < 1);
    if (legacy < 1) continue;
    if (remeasure[at]) {
      int widest = HeaderWidth(horizontalHeaderItem(c)->text());
      for (int r = 0; r < rows; ++r) widest = std::max(widest, TextWidth(item(r, c)->text()));
      if (at < reserved_.size()) {
        for (const QString& text : reserved_[at]) widest = std::max(widest, TextWidth(text));
      }
      contentWidth_[at] = widest;
    }
    const int width = std::max(legacy, contentWidth_[at]);
    if (columnWidth(c) != width) setColumnWidth(c, width);
  }

  // The selection spans the rows row..rowSel; the current cell is row, col.
  clearSelection();
  if (grid.row >= 1 && grid.row < grid.Rows() && grid.col >= 0 && grid.col < cols) {
    const int first = TableRow(std::min(grid.row, std::max(grid.rowSel, 1)));
    const int last = TableRow(std::min(std::max(grid.row, grid.rowSel), grid.Rows() - 1));
    setCurrentCell(TableRow(grid.row), grid.col, QItemSelectionModel::NoUpdate);
    const QItemSelection selection(model()->index(first, 0), model()->index(last, cols - 1));
    selectionModel()->select(selection, QItemSelectionModel::Select);
    if (drawnRow_ != grid.row) scrollTo(model()->index(TableRow(grid.row), std::max(grid.col, 1)));
    drawnRow_ = grid.row;
    drawnCol_ = grid.col;
  }
  DrawCommon(this, grid);
  viewport()->update();
}

int GridView::TextWidth(const QString& text) const {
  // A cell's text sits inside the focus frame's margin on either side.
  const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
  return fontMetrics().horizontalAdvance(text) + 2 * margin + 2;
}

int GridView::HeaderWidth(const QString& text) const {
  const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, horizontalHeader());
  return horizontalHeader()->fontMetrics().horizontalAdvance(text) + 2 * margin + 2;
}

void GridView::ReserveWidth(int col, const QStringList& texts) {
  if (col < 0) return;
  const auto at = static_cast<std::size_t>(col);
  if (reserved_.size() <= at) reserved_.resize(at + 1);
  reserved_[at] += texts;
  contentWidth_.clear();  // measured again at the next drawing
}

int GridView::ColumnsWidth() const {
  int width = 0;
  for (int c = 0; c < columnCount(); ++c) {
    if (!isColumnHidden(c)) width += columnWidth(c);
  }
  return width;
}

QRect GridView::CellRect(int recordRow, int col, const QWidget* widget) const {
  const QModelIndex index = model()->index(TableRow(recordRow), col);
  QRect rect = visualRect(index);
  if (!index.isValid() || rect.isEmpty()) return {};
  rect.moveTopLeft(viewport()->mapTo(widget, rect.topLeft()));
  return rect;
}

// A click on a cell is reported by cellClicked, and the window redraws the
// current cell from the record before the event returns here; whatever else
// the event did to the current cell is reported now.
void GridView::ReportMoveAwayFromDrawnCell() {
  const QModelIndex current = currentIndex();
  if (!current.isValid()) return;
  if (RecordRow(current.row()) == drawnRow_ && current.column() == drawnCol_) return;
  emit cellReached(current.row(), current.column());
}

void GridView::keyPressEvent(QKeyEvent* event) {
  QTableWidget::keyPressEvent(event);
  ReportMoveAwayFromDrawnCell();
}

void GridView::mouseReleaseEvent(QMouseEvent* event) {
  QTableWidget::mouseReleaseEvent(event);
  ReportMoveAwayFromDrawnCell();
}

void GridView::keyReleaseEvent(QKeyEvent* event) {
  QTableWidget::keyReleaseEvent(event);
  if (!event->isAutoRepeat()) emit keyReleased(event->key());
}

void GridView::paintEvent(QPaintEvent* event) {
  QTableWidget::paintEvent(event);
  const QModelIndex current = currentIndex();
  if (!hasFocus() || !current.isValid()) return;
  QPainter painter(viewport());
  painter.setPen(QPen(palette().color(QPalette::Highlight).darker(130), 2));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(visualRect(current).adjusted(1, 1, -1, -1));
}

void GridView::focusInEvent(QFocusEvent* event) {
  QTableWidget::focusInEvent(event);
  viewport()->update();
}

void GridView::focusOutEvent(QFocusEvent* event) {
  QTableWidget::focusOutEvent(event);
  viewport()->update();
}

}  // namespace vernium::qtui

#pragma once
// A grid of texts drawn from a Grid record: record row 0 is the horizontal
// header, record rows 1.. are the table's rows 0..; record column c is table
// column c, so column numbers are the same on both sides. Column widths are
// given in twips and converted for the screen; a column narrower than one
// pixel (the header column of 1 twip) is hidden. A column is never narrower
// than its widest text (header or cell) at the font in use, nor than the
// texts reserved for it, so nothing is cut off at a large font.
//
// The current cell is the record's: the view moves it only by the user's own
// input, and reports every such move that does not end in a click (arrow and
// page keys, typing the start of a cell's text, a drag, the right button) as
// cellReached, so that the window can treat it as a click on that cell.
// While the grid has the keyboard focus its current cell is framed in the
// highlight colour, so that arrow keys have a visible place to start from.

#include <QStringList>
#include <QTableWidget>
#include <vector>

#include "platform/controls.h"

namespace vernium::qtui {

// Pixels for a length in twips at a screen's logical dots per inch.
int TwipsToPixels(int twips, int logicalDpi);

class GridView : public QTableWidget {
  Q_OBJECT
 public:
  explicit GridView(QWidget* parent = nullptr);

  void Draw(const Grid& grid);
  // Texts a column may come to show (the entries of an in-place list, a
  // date): the column is kept wide enough for each from the start, so that
  // it does not widen under the technician's hand.
  void ReserveWidth(int col, const QStringList& texts);
  // The width of every shown column together, as drawn.
  int ColumnsWidth() const;

  // The record's row and column of a table cell, and back.
  static int RecordRow(int tableRow) { return tableRow + 1; }
  static int TableRow(int recordRow) { return recordRow - 1; }

  // The table's rectangle of a record cell, in the coordinates of `widget`
  // (for placing an in-place editor over it); empty when not on screen.
  QRect CellRect(int recordRow, int col, const QWidget* widget) const;

 signals:
  void keyReleased(int key);
  // The user's input left the current cell on this table cell, other than
  // the one last drawn, without a click on it.
  void cellReached(int tableRow, int col);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void ReportMoveAwayFromDrawnCell();

  int TextWidth(const QString& text) const;
  int HeaderWidth(const QString& text) const;

  int drawnRow_ = -1;  // record row and column of the drawn current cell
  int drawnCol_ = -1;
  std::vector<QStringList> reserved_;  // by column
  std::vector<int> contentWidth_;  // the widest text of each column, as last measured
  QFont measuredFont_;             // the font they were measured at
  int measuredRows_ = -1;
};

}  // namespace vernium::qtui

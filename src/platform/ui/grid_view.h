#pragma once
// A grid of texts drawn from a Grid record: record row 0 is the horizontal
// header, record rows 1.. are the table's rows 0..; record column c is table
// column c, so column numbers are the same on both sides. Column widths are
// given in twips and converted for the screen; a column narrower than one
// pixel (the header column of 1 twip) is hidden.

#include <QTableWidget>

#include "platform/controls.h"

namespace vernium::qtui {

// Pixels for a length in twips at a screen's logical dots per inch.
int TwipsToPixels(int twips, int logicalDpi);

class GridView : public QTableWidget {
  Q_OBJECT
 public:
  explicit GridView(QWidget* parent = nullptr);

  void Draw(const Grid& grid);

  // The record's row and column of a table cell, and back.
  static int RecordRow(int tableRow) { return tableRow + 1; }
  static int TableRow(int recordRow) { return recordRow - 1; }

  // The table's rectangle of a record cell, in the coordinates of `widget`
  // (for placing an in-place editor over it); empty when not on screen.
  QRect CellRect(int recordRow, int col, const QWidget* widget) const;

 signals:
  void keyReleased(int key);

 protected:
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  int drawnRow_ = -1;
};

}  // namespace vernium::qtui

#pragma once
// The grid: rows and columns of texts with one fixed caption row, addressed the way the
// schedule editor counts (row 0 is the caption row, a cell's linear index is
// row x Cols + column).
//
// The selection is a rectangle between the current cell (Row, Col) and a moving corner
// (RowSel, ColSel) that may lie above or to the left of it. A click makes a cell current
// and collapses the selection onto it; a drag or a Shift click moves the corner; a click on
// a column's caption makes row 1 of that column current and puts the corner on the last
// row. Qt's own selection model only paints that rectangle. Setting Row or Col from code
// collapses the selection, as a click does.
//
//   platform::Grid grid{this};
//   grid.SetCols(6);
//   grid.SetRows(n + 1);
//   grid.SetTextMatrix(1, 1, path);
//   connect(&grid, &platform::Grid::EnterCell, this, &Form22::MSFlexGrid1_EnterCell);
#include <QStringList>
#include <QTableWidget>

#include "platform/controls_base.h"

namespace platform {

// Errors of the grid (VbError numbers).
constexpr int kErrGridRow = 30009;      // a row outside the grid
constexpr int kErrGridCol = 30010;      // a column outside the grid
constexpr int kErrGridLastRow = 30015;  // the last data row cannot be removed
constexpr int kErrGridSubscript = 381;  // a cell index outside the grid

class Grid : public ControlBase<QTableWidget> {
  Q_OBJECT

 public:
  explicit Grid(QWidget* parent);

  // ---- size (the caption row counts) ----------------------------------------------------
  int Rows() const { return rowCount() + 1; }
  // At least 1 (the caption row alone); new rows are empty, the current cell and the
  // corner stay inside.
  void SetRows(int rows);
  int Cols() const { return columnCount(); }
  void SetCols(int cols);
  int FixedRows() const { return 1; }

  // ---- current cell and selection -----------------------------------------------------------
  int Row() const { return row_; }
  int Col() const { return col_; }
  // Make a cell current and collapse the selection onto it; EnterCell follows a change.
  void SetRow(int row);
  void SetCol(int col);
  int RowSel() const { return rowSel_; }
  int ColSel() const { return colSel_; }
  // Move the corner only (RowSel = Row collapses the rows of the selection).
  void SetRowSel(int row);
  void SetColSel(int col);

  // ---- texts ---------------------------------------------------------------------------------
  QString TextArray(int index) const;
  void SetTextArray(int index, const QString& text);
  QString TextMatrix(int row, int col) const;
  void SetTextMatrix(int row, int col, const QString& text);
  // The current cell's text.
  QString Text() const { return TextMatrix(row_, col_); }

  // ---- columns and rows ----------------------------------------------------------------------
  int ColWidth(int col) const;  // twips
  void SetColWidth(int col, double twips);
  // Inserts a row at `index` (1..Rows; -1 appends) with `firstCellText` in column 0. The
  // current cell keeps its row number.
  void AddItem(const QString& firstCellText, int index = -1);
  // Removes data row `index`; the rows below move up. The current cell keeps its row
  // number while that row exists, else the last row becomes current.
  void RemoveItem(int index);

 signals:
  // The current cell changed (by the user or from code).
  void EnterCell();
  void GotFocus();
  void DblClick();
  // Before the grid moves on a key; a handler that sets keyCode to 0 keeps it from moving.
  void KeyDown(int& keyCode, int shift);
  // Something was dropped: `hasFiles` tells whether it carried a file list.
  void OLEDragDrop(bool hasFiles, const QStringList& paths);

 protected:
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dragMoveEvent(QDragMoveEvent* e) override;
  void dropEvent(QDropEvent* e) override;

 private:
  void CheckRow(int row) const;
  void CheckCol(int col) const;
  // Sets the current cell and the corner; EnterCell when the cell changed.
  void SetCurrent(int row, int col, int rowSel, int colSel);
  // Keeps the current cell and the corner inside the grid after a change of size.
  void ClampCells();
  // Shows the selection rectangle and the current cell through Qt's view.
  void Paint();
  // The data cell under a viewport point as (row, col), or row -1 when none.
  std::pair<int, int> CellAt(const QPoint& viewportPos) const;
  int LastDataRow() const { return Rows() - 1; }

  int row_ = 0;
  int col_ = 0;
  int rowSel_ = 0;
  int colSel_ = 0;
  bool dragging_ = false;
};

}  // namespace platform

#include "platform/grid.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QUrl>
#include <algorithm>

namespace platform {

namespace {

QTableWidgetItem* NewCell(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  return item;
}

bool CarriesFiles(const QMimeData* data) {
  if (!data || !data->hasUrls()) return false;
  const QList<QUrl> urls = data->urls();
  return std::any_of(urls.begin(), urls.end(), [](const QUrl& u) { return u.isLocalFile(); });
}

}  // namespace

Grid::Grid(QWidget* parent) : ControlBase(parent) {
  setRowCount(1);
  SetCols(2);
  row_ = rowSel_ = 1;
  verticalHeader()->setVisible(false);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setSectionsClickable(true);
  horizontalHeader()->setStretchLastSection(false);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  // The view only paints the rectangle kept here; the user's clicks are handled below.
  setSelectionMode(QAbstractItemView::NoSelection);
  setTabKeyNavigation(false);
  setWordWrap(false);
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
  setDragDropMode(QAbstractItemView::DropOnly);

  // A caption click takes the whole column, a drag over captions widens it.
  QHeaderView* header = horizontalHeader();
  QObject::disconnect(header, &QHeaderView::sectionPressed, this, nullptr);
  QObject::disconnect(header, &QHeaderView::sectionEntered, this, nullptr);
  connect(header, &QHeaderView::sectionPressed, this, [this](int col) {
    if (Rows() < 2) return;
    if (QApplication::keyboardModifiers() & Qt::ShiftModifier)
      SetCurrent(row_, col_, LastDataRow(), col);
    else
      SetCurrent(1, col, LastDataRow(), col);
  });
  connect(header, &QHeaderView::sectionEntered, this, [this](int col) {
    if (Rows() < 2 || !(QApplication::mouseButtons() & Qt::LeftButton)) return;
    SetCurrent(row_, col_, LastDataRow(), col);
  });
  Paint();
}

// ---- size ----------------------------------------------------------------------------------

void Grid::SetRows(int rows) {
  if (rows < 1) throw VbError(kErrInvalidPropertyValue, "Rows");
  setRowCount(rows - 1);
  ClampCells();
  Paint();
}

void Grid::SetCols(int cols) {
  if (cols < 1) throw VbError(kErrInvalidPropertyValue, "Cols");
  setColumnCount(cols);
  // A caption cell never set stays empty (Qt would number it).
  for (int c = 0; c < cols; ++c)
    if (!horizontalHeaderItem(c)) setHorizontalHeaderItem(c, new QTableWidgetItem(QString()));
  ClampCells();
  Paint();
}

void Grid::ClampCells() {
  if (Rows() < 2) {
    row_ = rowSel_ = 0;
  } else {
    // The first data row of a grid that had none becomes current.
    if (row_ == 0 && rowSel_ == 0) row_ = rowSel_ = 1;
    row_ = std::min(row_, LastDataRow());
    rowSel_ = std::min(rowSel_, LastDataRow());
  }
  col_ = std::clamp(col_, 0, Cols() - 1);
  colSel_ = std::clamp(colSel_, 0, Cols() - 1);
}

// ---- current cell and selection --------------------------------------------------------------

void Grid::CheckRow(int row) const {
  if (row < 0 || row >= Rows()) throw VbError(kErrGridRow, "Invalid Row value");
}

void Grid::CheckCol(int col) const {
  if (col < 0 || col >= Cols()) throw VbError(kErrGridCol, "Invalid Col value");
}

void Grid::SetRow(int row) {
  CheckRow(row);
  SetCurrent(row, col_, row, col_);
}

void Grid::SetCol(int col) {
  CheckCol(col);
  SetCurrent(row_, col, row_, col);
}

void Grid::SetRowSel(int row) {
  CheckRow(row);
  rowSel_ = row;
  Paint();
}

void Grid::SetColSel(int col) {
  CheckCol(col);
  colSel_ = col;
  Paint();
}

void Grid::SetCurrent(int row, int col, int rowSel, int colSel) {
  const bool moved = row != row_ || col != col_;
  row_ = row;
  col_ = col;
  rowSel_ = rowSel;
  colSel_ = colSel;
  Paint();
  if (row_ >= 1 && (moved || rowSel != row)) {
    const int shownRow = rowSel != row ? rowSel : row_;
    scrollTo(model()->index(shownRow - 1, colSel_));
  }
  if (moved) emit EnterCell();
}

void Grid::Paint() {
  QItemSelectionModel* selection = selectionModel();
  if (!selection) return;
  if (Rows() < 2 || Cols() < 1) {
    selection->clearSelection();
    return;
  }
  const int top = std::max(1, std::min(row_, rowSel_)) - 1;
  const int bottom = std::max(1, std::max(row_, rowSel_)) - 1;
  const int left = std::min(col_, colSel_);
  const int right = std::max(col_, colSel_);
  selection->select(QItemSelection(model()->index(top, left), model()->index(bottom, right)),
                    QItemSelectionModel::ClearAndSelect);
  if (row_ >= 1)
    selection->setCurrentIndex(model()->index(row_ - 1, col_), QItemSelectionModel::NoUpdate);
  viewport()->update();
}

// ---- texts ---------------------------------------------------------------------------------

QString Grid::TextArray(int index) const {
  if (index < 0 || index >= Rows() * Cols()) throw VbError(kErrGridSubscript, "TextArray");
  return TextMatrix(index / Cols(), index % Cols());
}

void Grid::SetTextArray(int index, const QString& text) {
  if (index < 0 || index >= Rows() * Cols()) throw VbError(kErrGridSubscript, "TextArray");
  SetTextMatrix(index / Cols(), index % Cols(), text);
}

QString Grid::TextMatrix(int row, int col) const {
  CheckRow(row);
  CheckCol(col);
  const QTableWidgetItem* cell = row == 0 ? horizontalHeaderItem(col) : item(row - 1, col);
  return cell ? cell->text() : QString();
}

void Grid::SetTextMatrix(int row, int col, const QString& text) {
  CheckRow(row);
  CheckCol(col);
  if (row == 0) {
    if (QTableWidgetItem* cell = horizontalHeaderItem(col))
      cell->setText(text);
    else
      setHorizontalHeaderItem(col, new QTableWidgetItem(text));
    return;
  }
  if (QTableWidgetItem* cell = item(row - 1, col))
    cell->setText(text);
  else
    setItem(row - 1, col, NewCell(text));
}

// ---- columns and rows ----------------------------------------------------------------------

int Grid::ColWidth(int col) const {
  CheckCol(col);
  return PixelsToTwipsX(columnWidth(col));
}

void Grid::SetColWidth(int col, double twips) {
  CheckCol(col);
  setColumnWidth(col, std::max(0, TwipsToPixelsX(twips)));
}

void Grid::AddItem(const QString& firstCellText, int index) {
  const int at = index < 0 ? Rows() : index;
  if (at < 1 || at > Rows()) throw VbError(kErrGridRow, "AddItem");
  insertRow(at - 1);
  if (!firstCellText.isEmpty()) setItem(at - 1, 0, NewCell(firstCellText));
  ClampCells();
  Paint();
}

void Grid::RemoveItem(int index) {
  if (index < 1 || index >= Rows()) throw VbError(kErrGridRow, "RemoveItem");
  if (Rows() == 2) throw VbError(kErrGridLastRow, "Cannot remove last non-fixed row");
  removeRow(index - 1);
  ClampCells();
  Paint();
}

// ---- the user's mouse and keys -------------------------------------------------------------

std::pair<int, int> Grid::CellAt(const QPoint& viewportPos) const {
  const QModelIndex index = indexAt(viewportPos);
  if (!index.isValid()) return {-1, -1};
  return {index.row() + 1, index.column()};
}

void Grid::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  const auto [row, col] = CellAt(e->position().toPoint());
  if (hasFocus() == false && isVisible() && isEnabled()) setFocus(Qt::MouseFocusReason);
  if (row < 0) return;
  dragging_ = true;
  if (e->modifiers() & Qt::ShiftModifier)
    SetCurrent(row_, col_, row, col);
  else
    SetCurrent(row, col, row, col);
}

void Grid::mouseMoveEvent(QMouseEvent* e) {
  if (!dragging_ || !(e->buttons() & Qt::LeftButton)) return;
  const auto [row, col] = CellAt(e->position().toPoint());
  if (row < 0 || (row == rowSel_ && col == colSel_)) return;
  SetCurrent(row_, col_, row, col);
}

void Grid::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) dragging_ = false;
}

void Grid::mouseDoubleClickEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  const auto [row, col] = CellAt(e->position().toPoint());
  if (row < 0) return;
  if (row != row_ || col != col_) SetCurrent(row, col, row, col);
  emit DblClick();
}

void Grid::keyPressEvent(QKeyEvent* e) {
  int code = VbKeyCode(e->key());
  const int shift = VbShiftState(e->modifiers());
  const int pressed = code;
  QPointer<Grid> self(this);
  emit KeyDown(code, shift);
  if (!self) return;
  if (code == 0 && pressed != 0) return;
  if (Rows() < 2) return;

  const bool extend = shift & 1;
  const bool ctrl = shift & 2;
  int r = extend ? rowSel_ : row_;
  int c = extend ? colSel_ : col_;
  const int page = std::max(1, viewport()->height() / std::max(1, rowHeight(0)) - 1);
  switch (pressed) {
    case vbKeyUp:
      r -= 1;
      break;
    case vbKeyDown:
      r += 1;
      break;
    case vbKeyLeft:
      c -= 1;
      break;
    case vbKeyRight:
      c += 1;
      break;
    case vbKeyPageUp:
      r -= page;
      break;
    case vbKeyPageDown:
      r += page;
      break;
    case vbKeyHome:
      c = 0;
      if (ctrl) r = 1;
      break;
    case vbKeyEnd:
      c = Cols() - 1;
      if (ctrl) r = LastDataRow();
      break;
    default:
      e->ignore();
      return;
  }
  r = std::clamp(r, 1, LastDataRow());
  c = std::clamp(c, 0, Cols() - 1);
  if (extend)
    SetCurrent(row_, col_, r, c);
  else
    SetCurrent(r, c, r, c);
}

void Grid::focusInEvent(QFocusEvent* e) {
  QTableWidget::focusInEvent(e);
  Paint();
  emit GotFocus();
}

// ---- drops -----------------------------------------------------------------------------------

void Grid::dragEnterEvent(QDragEnterEvent* e) {
  if (e->mimeData()->hasUrls() || e->mimeData()->hasText())
    e->acceptProposedAction();
  else
    e->ignore();
}

void Grid::dragMoveEvent(QDragMoveEvent* e) {
  if (e->mimeData()->hasUrls() || e->mimeData()->hasText())
    e->acceptProposedAction();
  else
    e->ignore();
}

void Grid::dropEvent(QDropEvent* e) {
  const QMimeData* data = e->mimeData();
  const bool hasFiles = CarriesFiles(data);
  QStringList paths;
  if (hasFiles) {
    for (const QUrl& url : data->urls())
      if (url.isLocalFile()) paths << url.toLocalFile();
  }
  e->acceptProposedAction();
  emit OLEDragDrop(hasFiles, paths);
}

}  // namespace platform

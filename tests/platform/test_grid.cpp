// The grid: cell indexes, the selection by a current cell and a moving corner under the
// user's clicks, drags and keys, rows inserted and removed, and file drops.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

#include "platform/form.h"
#include "platform/grid.h"

using namespace platform;

namespace {

class GridTest : public ::testing::Test {
 public:
  void SetUp() override {
    form.SetClientSize(12000, 9000);
    grid.Move(0, 0, 11000, 8000);
    grid.SetCols(6);
    grid.SetRows(8);  // caption row and 7 data rows
    for (int c = 0; c < 6; ++c) grid.SetColWidth(c, 1500);
    for (int r = 1; r < 8; ++r)
      for (int c = 0; c < 6; ++c) grid.SetTextMatrix(r, c, QStringLiteral("r%1c%2").arg(r).arg(c));
    form.Show();
    QApplication::processEvents();
    QObject::connect(&grid, &Grid::EnterCell, [this] { ++entered; });
  }

  // The viewport point in the middle of a data cell.
  QPoint CellPoint(int row, int col) {
    return grid.visualRect(grid.model()->index(row - 1, col)).center();
  }
  void Mouse(QEvent::Type type, int row, int col, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    const QPoint p = CellPoint(row, col);
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, p, grid.viewport()->mapToGlobal(p), Qt::LeftButton, held, mods);
    QApplication::sendEvent(grid.viewport(), &e);
  }
  void Click(int row, int col, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    Mouse(QEvent::MouseButtonPress, row, col, mods);
    Mouse(QEvent::MouseButtonRelease, row, col, mods);
  }
  void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent e(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(&grid, &e);
  }
  // Row, Col, RowSel, ColSel.
  std::array<int, 4> Cells() const {
    return {grid.Row(), grid.Col(), grid.RowSel(), grid.ColSel()};
  }
  // The cells Qt's view paints selected, as a bounding box (row, col, row, col; grid rows).
  std::array<int, 4> PaintedBox() const {
    const QModelIndexList sel = grid.selectionModel()->selectedIndexes();
    int r1 = 99, c1 = 99, r2 = -1, c2 = -1;
    for (const QModelIndex& i : sel) {
      r1 = std::min(r1, i.row() + 1), r2 = std::max(r2, i.row() + 1);
      c1 = std::min(c1, i.column()), c2 = std::max(c2, i.column());
    }
    return {r1, c1, r2, c2};
  }

  Form form;
  Grid grid{&form};
  int entered = 0;
};

TEST_F(GridTest, CellIndexRowTimesColsPlusColumn) {
  EXPECT_EQ(grid.TextArray(3 * 6 + 4), QStringLiteral("r3c4"));
  grid.SetTextArray(22, QStringLiteral("x"));
  EXPECT_EQ(grid.TextMatrix(3, 4), QStringLiteral("x"));
  grid.SetTextArray(2, QStringLiteral("追加日"));
  EXPECT_EQ(grid.horizontalHeaderItem(2)->text(), QStringLiteral("追加日"))
      << "row 0 is the caption";
  EXPECT_THROW(grid.TextArray(8 * 6), VbError);
  EXPECT_THROW(grid.SetRow(8), VbError);
  EXPECT_THROW(grid.SetCol(6), VbError);
}

struct SelectionCase {
  const char* name;
  std::function<void(GridTest&)> act;
  std::array<int, 4> cells;  // Row, Col, RowSel, ColSel afterwards
};

TEST_F(GridTest, SelectionFollowsTheAnchorAndTheMovingCorner) {
  const SelectionCase cases[] = {
      {"click", [](GridTest& t) { t.Click(3, 2); }, {3, 2, 3, 2}},
      {"shift click below",
       [](GridTest& t) {
         t.Click(3, 2);
         t.Click(5, 4, Qt::ShiftModifier);
       },
       {3, 2, 5, 4}},
      {"shift click above and left",
       [](GridTest& t) {
         t.Click(5, 4);
         t.Click(2, 1, Qt::ShiftModifier);
       },
       {5, 4, 2, 1}},
      {"drag upwards",
       [](GridTest& t) {
         t.Mouse(QEvent::MouseButtonPress, 6, 3);
         t.Mouse(QEvent::MouseMove, 4, 3);
         t.Mouse(QEvent::MouseMove, 2, 5);
         t.Mouse(QEvent::MouseButtonRelease, 2, 5);
       },
       {6, 3, 2, 5}},
      {"shift arrows move the corner",
       [](GridTest& t) {
         t.Click(4, 3);
         t.Key(Qt::Key_Down, Qt::ShiftModifier);
         t.Key(Qt::Key_Down, Qt::ShiftModifier);
         t.Key(Qt::Key_Right, Qt::ShiftModifier);
       },
       {4, 3, 6, 4}},
      {"an arrow collapses",
       [](GridTest& t) {
         t.Click(4, 3);
         t.Click(6, 5, Qt::ShiftModifier);
         t.Key(Qt::Key_Up);
       },
       {3, 3, 3, 3}},
      {"arrows stop at the edges and never reach the caption row",
       [](GridTest& t) {
         t.Click(1, 0);
         t.Key(Qt::Key_Up);
         t.Key(Qt::Key_Left);
       },
       {1, 0, 1, 0}},
      {"ctrl end",
       [](GridTest& t) {
         t.Click(2, 2);
         t.Key(Qt::Key_End, Qt::ControlModifier);
       },
       {7, 5, 7, 5}},
      {"caption click takes the column",
       [](GridTest& t) {
         t.Click(4, 1);
         emit t.grid.horizontalHeader()->sectionPressed(3);
       },
       {1, 3, 7, 3}},
      {"code sets the row: collapsed",
       [](GridTest& t) {
         t.Click(2, 2);
         t.Click(5, 4, Qt::ShiftModifier);
         t.grid.SetRow(6);
       },
       {6, 2, 6, 2}},
      {"code moves the corner only",
       [](GridTest& t) {
         t.Click(5, 2);
         t.grid.SetRowSel(3);
         t.grid.SetColSel(4);
       },
       {5, 2, 3, 4}},
  };
  for (const SelectionCase& c : cases) {
    grid.SetRow(1);
    grid.SetCol(0);
    c.act(*this);
    EXPECT_EQ(Cells(), c.cells) << c.name;
    const std::array<int, 4> box = {
        std::min(c.cells[0], c.cells[2]), std::min(c.cells[1], c.cells[3]),
        std::max(c.cells[0], c.cells[2]), std::max(c.cells[1], c.cells[3])};
    EXPECT_EQ(PaintedBox(), box) << c.name << ": the view paints the rectangle";
  }
}

TEST_F(GridTest, EnterCellOnlyWhenTheCurrentCellChanges) {
  Click(2, 2);
  entered = 0;
  Click(2, 2);
  Click(5, 3, Qt::ShiftModifier);
  EXPECT_EQ(entered, 0) << "the corner moved, the current cell did not";
  Key(Qt::Key_Down);
  grid.SetCol(4);
  EXPECT_EQ(entered, 2);
}

TEST_F(GridTest, KeyDownComesFirstAndCanKeepTheGridFromMoving) {
  Click(3, 2);
  std::vector<int> codes;
  QObject::connect(&grid, &Grid::KeyDown, [&](int& code, int shift) {
    codes.push_back(code * 10 + shift);
    if (code == 40 && shift == 0) code = 0;
  });
  Key(Qt::Key_Down);
  EXPECT_EQ(grid.Row(), 3) << "the handler kept it";
  Key(Qt::Key_Down, Qt::ShiftModifier);
  Key(Qt::Key_Delete);
  Key(Qt::Key_Return);
  Key(Qt::Key_Shift, Qt::ShiftModifier);
  EXPECT_EQ(codes, (std::vector<int>{400, 401, 460, 130, 160}));
  EXPECT_EQ(Cells(), (std::array<int, 4>{3, 2, 4, 2}));
}

TEST_F(GridTest, RowsInsertedAndRemoved) {
  grid.SetRow(3);
  grid.RemoveItem(3);
  EXPECT_EQ(grid.Rows(), 7);
  EXPECT_EQ(grid.Row(), 3);
  EXPECT_EQ(grid.TextMatrix(3, 1), QStringLiteral("r4c1"))
      << "the row below moved up into its place";
  grid.SetRow(6);
  grid.RemoveItem(6);
  EXPECT_EQ(grid.Row(), 5) << "the last row removed: the new last row is current";
  grid.AddItem(QStringLiteral("new"), 2);
  EXPECT_EQ(grid.TextMatrix(2, 0), QStringLiteral("new"));
  EXPECT_EQ(grid.TextMatrix(2, 1), QString());
  EXPECT_EQ(grid.TextMatrix(3, 1), QStringLiteral("r2c1"));
  grid.AddItem(QString());
  EXPECT_EQ(grid.Rows(), 8);

  grid.SetRows(2);
  EXPECT_EQ(grid.Row(), 1);
  EXPECT_THROW(grid.RemoveItem(1), VbError) << "the last data row stays";
  grid.SetRows(1);
  EXPECT_EQ(grid.Row(), 0) << "only the caption row";
  grid.SetRows(3);
  EXPECT_EQ(grid.Row(), 1);
  EXPECT_EQ(grid.TextMatrix(2, 3), QString());
}

TEST_F(GridTest, ColumnWidthsInTwips) {
  grid.SetColWidth(1, 5000);
  EXPECT_EQ(grid.columnWidth(1), 333);
  EXPECT_EQ(grid.ColWidth(1), 4995);
}

TEST_F(GridTest, DropsTellWhetherTheyCarryFiles) {
  std::vector<std::pair<bool, QStringList>> drops;
  QObject::connect(&grid, &Grid::OLEDragDrop,
                   [&](bool files, const QStringList& paths) { drops.emplace_back(files, paths); });
  auto drop = [&](QMimeData* data) {
    const QPoint p = CellPoint(2, 1);
    QDropEvent e(p, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    // Qt takes a drop only after the drag entered.
    QDragEnterEvent enter(p, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid.viewport(), &enter);
    QApplication::sendEvent(grid.viewport(), &e);
  };
  QMimeData files;
  files.setUrls({QUrl::fromLocalFile("/pics/a.jpg"), QUrl::fromLocalFile("/pics/b c.png")});
  drop(&files);
  QMimeData text;
  text.setText(QStringLiteral("hello"));
  drop(&text);
  ASSERT_EQ(drops.size(), 2u);
  EXPECT_TRUE(drops[0].first);
  EXPECT_EQ(drops[0].second, (QStringList{"/pics/a.jpg", "/pics/b c.png"}));
  EXPECT_FALSE(drops[1].first);
  EXPECT_TRUE(drops[1].second.isEmpty());
}

}  // namespace

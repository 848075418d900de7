// The schedule editor's row commands on a small list with schedules: ↑, ↓, 選択取消,
// リスト最適 and ソート.
#include <QDir>
#include <QFile>

#include "schedule_fixture.h"

namespace {

using namespace schedule_test;
using schedule::Form22;

class ScheduleRowsTest : public ScheduleEditorTest {
 public:
  static Form22& E() { return schedule::form22(); }
  // The paths of the rows, in order.
  static QStringList Paths() {
    QStringList paths;
    for (const QString& row : Rows()) paths << row.section(QLatin1Char('|'), 0, 0);
    return paths;
  }
  void Five() {
    SetSlides({"/p/1.jpg", "/p/2.jpg", "/p/3.jpg", "/p/4.jpg", "/p/5.jpg"},
              {Rec("2024/01/01"), Rec("2024/02/02"), Rec("2024/03/03"), Rec("2024/04/04"),
               Rec("2024/05/05")});
    Open();
  }
};

TEST_F(ScheduleRowsTest, UpAndDownMoveTheCurrentRowWithItsSchedule) {
  Five();
  Select(3, 2, 5, 2);
  E().Command5_Click();
  EXPECT_EQ(Paths(), (QStringList{"/p/1.jpg", "/p/3.jpg", "/p/2.jpg", "/p/4.jpg", "/p/5.jpg"}));
  EXPECT_EQ(Rows()[1], QStringLiteral("/p/3.jpg|2024/03/03|     |          |     "));
  EXPECT_EQ(E().MSFlexGrid1.Row(), 2);
  EXPECT_EQ(E().ScheduleChanged, -1);
  E().Command6_Click();
  E().Command6_Click();
  EXPECT_EQ(Paths(), (QStringList{"/p/1.jpg", "/p/2.jpg", "/p/4.jpg", "/p/3.jpg", "/p/5.jpg"}));
  EXPECT_EQ(E().MSFlexGrid1.Row(), 4);
}

TEST_F(ScheduleRowsTest, UpOnTheFirstRowAndDownOnTheLastDoNothing) {
  Five();
  Select(1, 1, 1, 1);
  E().Command5_Click();
  Select(5, 1, 5, 1);
  E().Command6_Click();
  EXPECT_EQ(Paths(), (QStringList{"/p/1.jpg", "/p/2.jpg", "/p/3.jpg", "/p/4.jpg", "/p/5.jpg"}));
  EXPECT_EQ(E().ScheduleChanged, 0);
}

struct RemoveCase {
  const char* name;
  int row, rowSel;
  QStringList left;
  int current;
};

TEST_F(ScheduleRowsTest, RemoveTakesTheSelectedRowsAndKeepsOne) {
  const RemoveCase cases[] = {
      {"one row", 2, 2, {"/p/1.jpg", "/p/3.jpg", "/p/4.jpg", "/p/5.jpg"}, 2},
      {"downwards", 2, 4, {"/p/1.jpg", "/p/5.jpg"}, 2},
      {"upwards", 4, 2, {"/p/1.jpg", "/p/5.jpg"}, 2},
      {"to the end", 4, 5, {"/p/1.jpg", "/p/2.jpg", "/p/3.jpg"}, 3},
      {"everything: the last selected row stays", 1, 5, {"/p/5.jpg"}, 1},
  };
  for (const RemoveCase& c : cases) {
    Five();
    Select(c.row, 1, c.rowSel, 5);
    E().Command7_Click();
    EXPECT_EQ(Paths(), c.left) << c.name;
    EXPECT_EQ(E().MSFlexGrid1.Row(), c.current) << c.name;
    EXPECT_EQ(E().MSFlexGrid1.RowSel(), c.current) << c.name << ": collapsed";
    EXPECT_EQ(E().ScheduleChanged, -1) << c.name;
    EXPECT_EQ(E().PreviewedPath, c.left[c.current - 1]) << c.name;
    E().ScheduleChanged = 0;
    E().Unload();
    platform::DestroyPendingNow();
  }
  EXPECT_TRUE(dialogs->Calls().empty()) << "no question";
}

TEST_F(ScheduleRowsTest, RemoveOnASingleRowKeepsItButMarksTheEdit) {
  SetSlides({"/p/only.jpg"});
  Open();
  E().Command7_Click();
  EXPECT_EQ(Paths(), QStringList{"/p/only.jpg"});
  EXPECT_EQ(E().ScheduleChanged, -1);
}

TEST_F(ScheduleRowsTest, TidyDropsGoneFilesAndPassedRowsButKeepsWhatItCannotLookAt) {
  const QString there = Picture("there.png");
  const QString also = Picture("also.png");
  const QString other = Picture("other.png");
  const QString gone = dir.filePath("gone.png");
  const QString unmounted = "/media/no-such-disk/photos/x.jpg";
  // The clock reads 2024/05/10 12:00.
  SetSlides({there, gone, also, unmounted, other, there, also},
            {Rec("", "", "2024/05/11"),           // tomorrow: stays
             Rec("", "", "2099/01/01"),           // file gone: goes
             Rec("", "", "2024/05/10"),           // today, midnight has passed: goes
             Rec("", "", "2024/05/11"),           // cannot be looked at now: stays
             Rec("", "", "2024/05/10", "12:30"),  // later today: stays
             Rec("2000/01/01", "", "", "11:00"),  // no until date: stays
             Rec("", "", "someday")});            // until cannot be read: stays
  Open();
  Select(3, 1, 6, 1);
  dialogs->Answer(platform::vbYes);
  E().Command8_Click();
  ASSERT_EQ(dialogs->Calls().size(), 1u);
  EXPECT_EQ(dialogs->Calls()[0].title, QStringLiteral("リスト最適"));
  EXPECT_EQ(
      dialogs->Calls()[0].text,
      QStringLiteral("スライドリストを最適状態にしますか?\n\r"
                     "(削除日時が過ぎたファイル及び読込不可のファイルをリストから消去します。)"));
  EXPECT_EQ(Paths(), (QStringList{there, unmounted, other, there, also}));
  EXPECT_EQ(E().MSFlexGrid1.RowSel(), E().MSFlexGrid1.Row());
  EXPECT_EQ(E().ScheduleChanged, -1);
  EXPECT_EQ(platform::ScreenMousePointer(), 0);
}

TEST_F(ScheduleRowsTest, TidyOfOnlyMissingFilesKeepsTheLastRow) {
  SetSlides({dir.filePath("x.png"), dir.filePath("y.png"), dir.filePath("z.png")});
  Open();
  dialogs->Answer(platform::vbYes);
  E().Command8_Click();
  EXPECT_EQ(Paths(), QStringList{dir.filePath("z.png")});
}

TEST_F(ScheduleRowsTest, TidyAnsweredNoOnlyCollapsesTheSelection) {
  SetSlides({dir.filePath("x.png"), dir.filePath("y.png")});
  Open();
  Select(1, 1, 2, 1);
  dialogs->Answer(platform::vbNo);
  E().Command8_Click();
  EXPECT_EQ(Paths().size(), 2);
  EXPECT_EQ(E().MSFlexGrid1.RowSel(), 1);
  EXPECT_EQ(E().ScheduleChanged, 0);
}

TEST_F(ScheduleRowsTest, SortOrdersByFullPathKeepingEachSchedule) {
  SetSlides({"C:/b/a.jpg", "C:/a/z.jpg", "/p/Zebra.jpg", "/p/apple.jpg", "/p/x,y.jpg", "/p/x.jpg",
             "/p/x.jpg"},
            {Rec("2024/01/01", "9:05"), Rec(""), Rec(""), Rec(""), Rec("2024/02/02"),
             Rec("2024/09/09"), Rec("2024/03/03")});
  Open();
  E().MSFlexGrid1.SetTextMatrix(4, 2, "");  // an emptied cell comes back as blanks
  dialogs->Answer(platform::vbYes);
  E().Command9_Click();
  EXPECT_EQ(dialogs->Calls()[0].title, QStringLiteral("ソート確認"));
  EXPECT_EQ(dialogs->Calls()[0].text,
            QStringLiteral("スライドリストをソートしますか?\n\r"
                           "(スライドリスト 画像ファイル名でソートします。)"));
  EXPECT_EQ(Rows(), (QStringList{
                        "/p/Zebra.jpg|          |     |          |     ",
                        "/p/apple.jpg|          |     |          |     ",
                        "/p/x,y.jpg|2024/02/02|     |          |     ",
                        "/p/x.jpg|2024/03/03|     |          |     ",
                        "/p/x.jpg|2024/09/09|     |          |     ",
                        "C:/a/z.jpg|          |     |          |     ",
                        "C:/b/a.jpg|2024/01/01|09:05|          |     ",
                    }));
  EXPECT_EQ(E().ScheduleChanged, -1);
}

TEST_F(ScheduleRowsTest, SortAnsweredNoChangesNothing) {
  Five();
  E().MSFlexGrid1.SetRow(5);
  dialogs->Answer(platform::vbNo);
  E().Command9_Click();
  EXPECT_EQ(Paths().first(), "/p/1.jpg");
  EXPECT_EQ(E().ScheduleChanged, 0);
}

}  // namespace

// The schedule editor's save, distribution save and open: round trips through the
// slideshow file, what a cancelled or failed save or open leaves, AVI rows, and a saved
// schedule that a show then honours.
#include "core/slideshow_file.h"
#include "engine/effects.h"
#include "engine/slideplayer.h"
#include "engine/surfaces.h"
#include "schedule_fixture.h"
#include "tests/support/files.h"
#include "tests/support/list_files.h"

namespace {

using namespace schedule_test;
using schedule::Form22;
using test_support::ReadBytes;
using test_support::ReadLines;

class ScheduleFilesTest : public ScheduleEditorTest {
 public:
  void SetUp() override {
    ScheduleEditorTest::SetUp();
    a = Picture("a.jpg", Qt::red);
    b = Picture("b.png", Qt::green);
    c = Picture("c.bmp", Qt::blue);
  }
  static Form22& E() { return schedule::form22(); }
  void SaveAs(const QString& path) {
    dialogs->AnswerText(path);
    E().Command1.DoClick();
  }
  void OpenFile(const QString& path) {
    dialogs->AnswerText(path);
    E().Command3.DoClick();
  }
  // Committed slide i: path, show-from and show-until moments.
  static QString Committed(int i) {
    const core::ListState& l = core::Lists();
    return l.SlidePaths[i] + "|" + l.SlideAddDateTimes[i] + "|" + l.SlideDeleteDateTimes[i];
  }
  QString a, b, c;
};

TEST_F(ScheduleFilesTest, SaveWritesTheGridAndOpenBringsItBackByteForByte) {
  SetSlides({a, b, c});
  Open();
  platform::Grid& g = E().MSFlexGrid1;
  g.SetTextMatrix(1, 2, "2024/05/01");
  g.SetTextMatrix(1, 3, "09:30");
  g.SetTextMatrix(2, 4, "2024/06/30");
  g.SetTextMatrix(2, 5, "12:345");  // too long: cut to its width
  g.SetTextMatrix(3, 3, "");        // a cleared cell is stored as blanks
  E().ScheduleChanged = -1;
  core::form1().Command1.SetEnabled(false);

  const QString file = dir.filePath("show.kvz");
  SaveAs(file);
  const QStringList lines = ReadLines(file);
  ASSERT_GE(lines.size(), 3);
  EXPECT_EQ(lines.mid(lines.size() - 3),
            (QStringList{"-" + Rec("2024/05/01", "09:30"), "-" + Rec("", "", "2024/06/30", "12:34"),
                         "-" + Rec("")}));
  listeditor::Form3& editor = listeditor::form3();
  EXPECT_EQ(editor.List1.Items(), (QStringList{a, b, c}));
  EXPECT_EQ(editor.Label4.Caption(), "3");
  EXPECT_EQ(E().ScheduleChanged, 0);
  EXPECT_EQ(Committed(1), a + "|2024/05/01 09:30|                ");
  EXPECT_EQ(Committed(2), b + "|                |2024/06/30 12:34");
  EXPECT_EQ(core::Lists().SlideEndIndex, 4);
  EXPECT_TRUE(core::form1().Command1.Enabled());
  EXPECT_FALSE(editor.Visible());
  EXPECT_TRUE(schedule::Form22IfLoaded() && E().Visible()) << "the editor stays open";

  // Opened again, the grid shows what was saved; saved again, the file is the same to the
  // byte once it has been through the reader (which brings the settings into their ranges).
  const QStringList expected = {a + "|2024/05/01|09:30|          |     ",
                                b + "|          |     |2024/06/30|12:34",
                                c + "|          |     |          |     "};
  OpenFile(file);
  EXPECT_EQ(Rows(), expected);
  SaveAs(file);
  const QByteArray saved = ReadBytes(file);
  SetSlides({});
  core::ResetAllState();
  OpenFile(file);
  EXPECT_EQ(Rows(), expected);
  SaveAs(file);
  EXPECT_EQ(ReadBytes(file), saved);
}

TEST_F(ScheduleFilesTest, ACancelledSaveChangesNothing) {
  SetSlides({a, b}, {Rec("2024/01/01"), Rec("")});
  Open();
  E().MSFlexGrid1.SetRow(2);
  E().Command5_Click();  // b above a
  dialogs->AnswerCancel();
  E().Command1.DoClick();
  listeditor::Form3& editor = listeditor::form3();
  EXPECT_EQ(editor.List1.Items(), (QStringList{a, b}));
  EXPECT_EQ(editor.List2.Items()[0], Rec("2024/01/01"));
  EXPECT_EQ(Committed(1), a + "|2024/01/01      |                ");
  EXPECT_EQ(E().ScheduleChanged, -1) << "the edits are still unsaved";
  dialogs->Answer(platform::vbNo);
  E().Command2.DoClick();
  EXPECT_EQ(Messages().last(), QStringLiteral("スライド・スケジュールを保存せずに終了しますか ?"));
}

TEST_F(ScheduleFilesTest, AFailedSaveChangesNothing) {
  SetSlides({a}, {Rec("2024/01/01")});
  Open();
  E().MSFlexGrid1.SetTextMatrix(1, 2, "2030/01/01");
  E().ScheduleChanged = -1;
  // A folder that is not there: the save cannot be done.
  dialogs->AnswerText(dir.filePath("missing/x.kvz"));
  E().Command1.DoClick();
  EXPECT_TRUE(Messages().last().contains(QStringLiteral("このファイル名は適合しません。")));
  EXPECT_EQ(listeditor::form3().List2.Items(), QStringList{Rec("2024/01/01")});
  EXPECT_EQ(Committed(1), a + "|2024/01/01      |                ");
  EXPECT_EQ(E().ScheduleChanged, -1);
}

TEST_F(ScheduleFilesTest, AnEmptyGridIsRefusedByTheSlideListEditorsSave) {
  core::form1().Command1.SetEnabled(true);
  Open();
  E().Command1.DoClick();
  EXPECT_EQ(Messages(), QStringList{"スライドリストがないので保存できんません。"});
  EXPECT_TRUE(dialogs->CallsOf(platform::DialogKind::kSaveFile).empty());
  EXPECT_TRUE(core::form1().Command1.Enabled()) << "nothing was saved or committed";
}

TEST_F(ScheduleFilesTest, DistributionSaveAsksAndWritesBareNames) {
  SetSlides({a, b});
  Open();
  dialogs->Answer(platform::vbNo);
  E().Command4.DoClick();
  EXPECT_TRUE(dialogs->CallsOf(platform::DialogKind::kSaveFile).empty());

  const QString file = dir.filePath("dist.kvz");
  dialogs->Answer(platform::vbYes);
  dialogs->AnswerText(file);
  E().Command4.DoClick();
  const QStringList lines = ReadLines(file);
  EXPECT_TRUE(lines.contains("a.jpg"));
  EXPECT_TRUE(lines.contains("b.png"));
  EXPECT_EQ(core::Lists().SlidePaths[1], a) << "the show keeps the full paths";
  EXPECT_EQ(E().ScheduleChanged, 0);
}

TEST_F(ScheduleFilesTest, OpenAsksBeforeItReplacesEditsAndACancelChangesNothing) {
  SetSlides({a});
  Open();
  core::Paths().OpenedFileFolder = "/before/";
  E().MSFlexGrid1.SetTextMatrix(1, 2, "2024/09/09");
  E().ScheduleChanged = -1;

  dialogs->Answer(platform::vbNo);
  E().Command3.DoClick();
  EXPECT_EQ(dialogs->Calls().back().title, QStringLiteral("開く"));
  EXPECT_TRUE(dialogs->CallsOf(platform::DialogKind::kOpenFile).empty());

  dialogs->Answer(platform::vbYes);
  dialogs->AnswerCancel();
  E().Command3.DoClick();
  ASSERT_EQ(dialogs->CallsOf(platform::DialogKind::kOpenFile).size(), 1u);
  EXPECT_EQ(dialogs->CallsOf(platform::DialogKind::kOpenFile)[0].title,
            QStringLiteral("スライドショー　ファイルを開く"));
  EXPECT_EQ(core::Paths().OpenedFileFolder, "/before/");
  EXPECT_EQ(E().MSFlexGrid1.TextMatrix(1, 2), "2024/09/09");
  EXPECT_EQ(E().ScheduleChanged, -1);
}

TEST_F(ScheduleFilesTest, AFileThatCannotBeReadLeavesTheGridAsItWas) {
  SetSlides({a, b});
  Open();
  const QString bad = dir.filePath("bad.kvz");
  test_support::WriteLines(bad, {"21pic3167893", bad, " 3000 ", " 1 "});  // ends half-way
  core::Paths().OpenedFileFolder = "/before/";
  OpenFile(bad);
  EXPECT_TRUE(Messages().last().endsWith(QStringLiteral("このファイル名は適合しません。")));
  EXPECT_EQ(E().MSFlexGrid1.Rows(), 3);
  EXPECT_EQ(listeditor::form3().List1.Items(), (QStringList{a, b}));
  EXPECT_EQ(core::Lists().SlidePaths[2], b);
  EXPECT_EQ(core::Paths().OpenedFileFolder, "/before/");
}

TEST_F(ScheduleFilesTest, OpenShowsTheFileAndCommitsIt) {
  SetSlides({a, b}, {Rec("2024/05/01"), Rec("", "", "2024/05/31", "23:00")});
  Open();
  const QString file = dir.filePath("two.kvz");
  SaveAs(file);
  SetSlides({c});
  E().FillGridFromEditorLists();
  core::Flags().SlideListEditorOpen = 1;
  core::Flags().ShowRunning = 1;
  core::Lists().CurrentSlideIndex = 2;
  OpenFile(file);
  EXPECT_EQ(core::Paths().OpenedFileFolder, dir.path() + "/");
  EXPECT_EQ(Rows(), (QStringList{a + "|2024/05/01|     |          |     ",
                                 b + "|          |     |2024/05/31|23:00"}));
  platform::Grid& g = E().MSFlexGrid1;
  EXPECT_EQ(g.Row(), 1);
  EXPECT_EQ(g.Col(), 1);
  EXPECT_EQ(E().PreviewedPath, a);
  EXPECT_EQ(listeditor::form3().Label4.Caption(), "2");
  EXPECT_EQ(core::Lists().SlideEndIndex, 3);
  EXPECT_EQ(core::Lists().CurrentSlideIndex, 0);
  EXPECT_EQ(core::Flags().ShowRunning, 0);
  EXPECT_EQ(core::Flags().SlideListEditorOpen, 0);
  EXPECT_EQ(E().ScheduleChanged, 0);
}

// AVI entries of an opened file stay in the show with their schedules and stay out of the
// grid and the editor's lists together: no schedule slips onto another slide.
TEST_F(ScheduleFilesTest, AviRowsNeverShiftPathsAgainstSchedules) {
  SetSlides({});
  Open();
  E().MSFlexGrid1_OLEDragDrop(true, {a, "/movies/clip.avi", b});
  platform::Grid& g = E().MSFlexGrid1;
  g.SetTextMatrix(1, 2, "2024/01/01");
  g.SetTextMatrix(2, 2, "2024/02/02");
  g.SetTextMatrix(3, 2, "2024/03/03");
  const QString file = dir.filePath("avi.kvz");
  SaveAs(file);
  EXPECT_EQ(Committed(2), "/movies/clip.avi|2024/02/02      |                ");

  OpenFile(file);
  EXPECT_EQ(Rows(), (QStringList{a + "|2024/01/01|     |          |     ",
                                 b + "|2024/03/03|     |          |     "}));
  EXPECT_EQ(Committed(1), a + "|2024/01/01      |                ");
  EXPECT_EQ(Committed(2), "/movies/clip.avi|2024/02/02      |                ");
  EXPECT_EQ(Committed(3), b + "|2024/03/03      |                ");

  // Saving the grid again commits what it holds, each path with its own schedule.
  SaveAs(file);
  EXPECT_EQ(Committed(1), a + "|2024/01/01      |                ");
  EXPECT_EQ(Committed(2), b + "|2024/03/03      |                ");
  EXPECT_EQ(core::Lists().SlideEndIndex, 3);
}

// A schedule set in the editor and saved is the one the show keeps to.
TEST_F(ScheduleFilesTest, TheSavedShowShowsASlideOnlyInsideItsTimeWindow) {
  SetSlides({a, b});
  Open();
  Select(1, 2, 1, 4);
  E().Calendar1.SetValue(QDate(2024, 5, 10));
  E().Calendar1_Click();  // from and until 2024/05/10
  Select(1, 3, 1, 3);
  int enter = 13;
  dialogs->AnswerText("1000");
  E().MSFlexGrid1_KeyDown(enter, 0);
  Select(1, 5, 1, 5);
  dialogs->AnswerText("14:00");
  E().MSFlexGrid1_KeyDown(enter, 0);
  const QString file = dir.filePath("timed.kvz");
  SaveAs(file);
  ASSERT_TRUE(core::LoadSlideshowFile(file));

  test_support::QuietShow(/*controlBoxOff=*/1, /*sizeAdjustMode=*/0);
  core::Settings().RepeatOff = 1;
  struct Moment {
    QTime time;
    bool shown;
  } moments[] = {{QTime(9, 59), false},
                 {QTime(10, 0), true},
                 {QTime(13, 30), true},
                 {QTime(14, 0), true},
                 {QTime(14, 1), false}};
  for (const Moment& m : moments) {
    platform::SetTestNow(QDateTime(QDate(2024, 5, 10), m.time));
    for (short slide : {1, 2}) {
      core::Flags().SlideSkipped = 0;
      core::form1().Command1.SetEnabled(false);
      core::Lists().CurrentSlideIndex = slide;
      engine::ShowCurrentSlide();
      const bool shown = core::Flags().SlideSkipped == 0;
      EXPECT_EQ(shown, slide == 2 || m.shown)
          << m.time.toString().toStdString() << " slide " << slide;
    }
  }
  engine::ReleasePictureDC();
  engine::SetEffectPacing(engine::EffectPacing::Default());
}

}  // namespace

// The schedule editor's window: the way in from the main window, the grid built from the
// slide list, the layout rule, the close question, the file drop and the commit.
#include "schedule_fixture.h"

namespace {

using namespace schedule_test;
using schedule::Form22;

TEST_F(ScheduleEditorTest,
       ScheduleButtonOpensTheEditorOverTheListAndClosingBringsTheMainWindowBack) {
  schedule::RegisterServices();
  SetSlides({"/p/a.jpg", "/p/b.jpg"}, {Rec("2024/05/01", "09:30", "2024/06/01", "18:00")});
  core::Form1& main = core::form1();
  main.Show();
  main.Command11.DoClick();
  ASSERT_NE(schedule::Form22IfLoaded(), nullptr);
  EXPECT_TRUE(schedule::form22().Visible());
  EXPECT_FALSE(main.Visible());
  EXPECT_EQ(schedule::form22().Caption(), QStringLiteral("スライド・スケジュール"));
  EXPECT_EQ(Rows(), (QStringList{"/p/a.jpg|2024/05/01|09:30|2024/06/01|18:00",
                                 "/p/b.jpg|          |     |          |     "}));
  EXPECT_EQ(platform::ScreenMousePointer(), 0);

  schedule::form22().Command2.DoClick();
  EXPECT_TRUE(dialogs->Calls().empty()) << "nothing edited: no question";
  EXPECT_EQ(schedule::Form22IfLoaded(), nullptr);
  EXPECT_TRUE(main.Visible());
}

TEST_F(ScheduleEditorTest, GridColumnsCaptionsAndRowsFromTheLists) {
  SetSlides({"/p/a.jpg", "/p/b.png", "/p/c.mp4"},
            {Rec("", "08:15"), Rec("2024/05/01", "9:05"), QString()});
  Form22& e = Open();
  platform::Grid& g = e.MSFlexGrid1;
  EXPECT_EQ(g.Cols(), 6);
  EXPECT_EQ(g.Rows(), 4);
  const QStringList captions = {"", "画像ファイル", "追加日", "追加時間", "削除日", "削除時間"};
  const int widths[] = {600, 1200, 950, 1200, 950};
  for (int c = 0; c < 6; ++c) EXPECT_EQ(g.TextArray(c), captions[c]);
  int w = 0;
  for (int c : {0, 2, 3, 4, 5}) EXPECT_NEAR(g.ColWidth(c), widths[w++], 15) << c;
  // A time alone keeps blanks for its date; a record too short still fills every cell with
  // blanks.
  EXPECT_EQ(Rows(), (QStringList{"/p/a.jpg|          |08:15|          |     ",
                                 "/p/b.png|2024/05/01|09:05|          |     ",
                                 "/p/c.mp4|          |     |          |     "}));
  EXPECT_EQ(e.ScheduleChanged, 0);
  EXPECT_TRUE(e.Check1.Value() == 1);
}

TEST_F(ScheduleEditorTest, AnEmptyListGivesTheCaptionRowOnly) {
  Form22& e = Open();
  EXPECT_EQ(e.MSFlexGrid1.Rows(), 1);
  EXPECT_EQ(e.MSFlexGrid1.Row(), 0);
}

TEST_F(ScheduleEditorTest, WindowSnapsToItsLeastSizeAndWidensItsGrid) {
  Form22& e = Open();
  e.SetWidth(9000);
  e.SetHeight(5000);
  platform::DoEvents();
  EXPECT_EQ(e.Width(), 14865);
  EXPECT_EQ(e.Height(), 9600);
  e.Move(0, 0, 18000, 11000);
  platform::DoEvents();
  EXPECT_NEAR(e.MSFlexGrid1.Width(), 18000 - 4530, 15);
  EXPECT_NEAR(e.MSFlexGrid1.Height(), 11000 - 1400, 15);
  EXPECT_NEAR(e.MSFlexGrid1.ColWidth(1), 18000 - 9865, 15);
  for (const platform::CommandButton* b : {&e.Command1, &e.Command5, &e.Command8, &e.Command2})
    EXPECT_NEAR(b->Top(), 11000 - 1160, 15);
  EXPECT_NEAR(e.Check2.Top(), 11000 - 1160 + 112, 15);
  EXPECT_NEAR(e.Frame1.Left(), 18000 - 4305, 15);
  EXPECT_NEAR(e.Calendar2.Left(), 18000 - 4305, 15);
  EXPECT_NEAR(e.Label1.Left(), 18000 - 4185, 15);
  EXPECT_GE(e.Label2.Left(), e.MSFlexGrid1.Left() + e.MSFlexGrid1.Width())
      << "the hint stays beside the grid";
}

TEST_F(ScheduleEditorTest, CloseAsksOnlyAfterAnEditAndNoKeepsEveryEdit) {
  SetSlides({"/p/a.jpg", "/p/b.jpg"});
  Form22& e = Open();
  e.MSFlexGrid1.SetRow(2);
  e.Command5.DoClick();  // ↑: an edit
  dialogs->Answer(platform::vbNo);
  e.Command2.DoClick();
  ASSERT_EQ(dialogs->Calls().size(), 1u);
  EXPECT_EQ(dialogs->Calls()[0].text,
            QStringLiteral("スライド・スケジュールを保存せずに終了しますか ?"));
  EXPECT_EQ(dialogs->Calls()[0].title, QStringLiteral("終了確認"));
  EXPECT_EQ(dialogs->Calls()[0].icon, platform::vbQuestion);
  EXPECT_EQ(dialogs->Calls()[0].buttons, platform::vbYesNo);
  ASSERT_NE(schedule::Form22IfLoaded(), nullptr);
  EXPECT_EQ(e.ScheduleChanged, -1);
  EXPECT_EQ(Rows()[0], QStringLiteral("/p/b.jpg|          |     |          |     "));

  // The close box asks the same question.
  dialogs->Answer(platform::vbNo);
  e.close();
  EXPECT_EQ(dialogs->Calls().size(), 2u);
  EXPECT_TRUE(schedule::Form22IfLoaded() && !e.IsClosed());

  dialogs->Answer(platform::vbYes);
  e.Command2.DoClick();
  EXPECT_EQ(dialogs->Calls().size(), 3u) << "asked once";
  EXPECT_EQ(schedule::Form22IfLoaded(), nullptr);
  EXPECT_TRUE(core::form1().Visible());
}

// ---- file drop ---------------------------------------------------------------------------------

class ScheduleDropTest : public ScheduleEditorTest {
 public:
  void Drop(const QStringList& paths) { schedule::form22().MSFlexGrid1_OLEDragDrop(true, paths); }
};

TEST_F(ScheduleDropTest, AppendTakesOnlyPicturesAndMoviesOfTheNamedKinds) {
  SetSlides({"/p/first.jpg"});
  Form22& e = Open();
  Drop({"/d/a.jpg", "/d/b.txt", "/d/c.jpeg", "/d/d.Mov"});
  EXPECT_EQ(Rows(), (QStringList{"/p/first.jpg|          |     |          |     ", "/d/a.jpg||||",
                                 "/d/d.Mov||||"}));
  EXPECT_EQ(e.ScheduleChanged, -1);
  EXPECT_EQ(e.PreviewedPath, QString()) << "the next preview draws again";
}

TEST_F(ScheduleDropTest, InsertPutsTheFilesBeforeTheCurrentRow) {
  SetSlides({"/p/1.jpg", "/p/2.jpg", "/p/3.jpg", "/p/4.jpg"});
  Form22& e = Open();
  e.Check2.SetValue(1);
  e.MSFlexGrid1.SetRow(3);
  Drop({"/d/x.png", "/d/y.bmp"});
  QStringList paths;
  for (const QString& row : Rows()) paths << row.section(QLatin1Char('|'), 0, 0);
  EXPECT_EQ(paths,
            (QStringList{"/p/1.jpg", "/p/2.jpg", "/d/x.png", "/d/y.bmp", "/p/3.jpg", "/p/4.jpg"}));
}

TEST_F(ScheduleDropTest, AnEmptyGridTakesTheFilesAsItsFirstRowsInEitherMode) {
  for (int insert : {0, 1}) {
    SetSlides({});
    Form22& e = Open();
    e.Check2.SetValue(insert);
    Drop({"/d/1.jpg", "/d/2.jpg", "/d/3.jpg"});
    EXPECT_EQ(Rows(), (QStringList{"/d/1.jpg||||", "/d/2.jpg||||", "/d/3.jpg||||"})) << insert;
    e.ScheduleChanged = 0;
    e.Unload();
    platform::DestroyPendingNow();
  }
}

TEST_F(ScheduleDropTest, AnEmptyOnlyRowIsFilledAndAFilledOneKept) {
  SetSlides({""});
  Open();
  Drop({"/d/1.jpg", "/d/2.jpg"});
  EXPECT_EQ(Rows(), (QStringList{"/d/1.jpg|          |     |          |     ", "/d/2.jpg||||"}));
}

TEST_F(ScheduleDropTest, FilesBeyondTheSlideLimitAreRefused) {
  QStringList many;
  for (int i = 0; i < schedule::kScheduleRowLimit - 1; ++i)
    many << QStringLiteral("/p/%1.jpg").arg(i);
  SetSlides(many);
  Form22& e = Open();
  Drop({"/d/last.jpg", "/d/over.jpg"});
  EXPECT_EQ(e.MSFlexGrid1.Rows() - 1, schedule::kScheduleRowLimit);
  EXPECT_EQ(e.MSFlexGrid1.TextMatrix(schedule::kScheduleRowLimit, 1),
            QStringLiteral("/d/last.jpg"));
  EXPECT_EQ(Messages(), QStringList{"これ以上登録できません"});
}

// ---- commit ------------------------------------------------------------------------------------

TEST_F(ScheduleEditorTest, CommitOfAnEmptyListDisablesTheShowButtons) {
  core::Form1& main = core::form1();
  for (auto* b : {&main.Command1, &main.Command2, &main.Command3, &main.Command4})
    b->SetEnabled(true);
  Form22& e = Open();
  e.s_set();
  EXPECT_EQ(core::Lists().SlideEndIndex, 1);
  for (auto* b : {&main.Command1, &main.Command2, &main.Command3, &main.Command4})
    EXPECT_FALSE(b->Enabled());
}

}  // namespace

// The four-up view: its pages and buttons, what each cell shows, clicks, and the deletion of
// a slide with the lists following.
#include <QFileInfo>

#include "engine/slidescreen.h"
#include "platform/clipboard.h"
#include "tests/listeditor/picture_tools_fixture.h"

namespace picture_tools_test {
namespace {

using listeditor::Form5;

class FourUpTest : public PictureToolsTest {
 protected:
  // n small pictures p1.png .. pn.png in the source folder.
  QStringList MakeSlides(int n) {
    QStringList paths;
    for (int i = 1; i <= n; ++i)
      paths << MakePicture(src_.filePath(QStringLiteral("p%1.png").arg(i)), 40, 30, "PNG");
    return paths;
  }

  struct Buttons {
    bool next, last, previous, first;
    bool operator==(const Buttons&) const = default;
  };
  static Buttons Enabled(Form5& view) {
    return {view.Command1.Enabled(), view.Command5.Enabled(), view.Command3.Enabled(),
            view.Command4.Enabled()};
  }
};

TEST_F(FourUpTest, PagesAndTheirButtons) {
  struct Step {
    void (Form5::*button)();  // nullptr: the first painting
    const char* label;
    Buttons buttons;  // next, last, previous, first
  };
  struct Case {
    int slides;
    std::vector<Step> steps;
  };
  const std::vector<Case> cases = {
      {3, {{nullptr, " 1/3～ 3/3", {false, false, false, false}}}},
      {4, {{nullptr, " 1/4～ 4/4", {false, false, false, false}}}},
      {5,
       {{nullptr, " 1/5～ 4/5", {true, true, false, false}},
        {&Form5::Command5_Click, " 5/5～ 5/5", {false, false, true, true}}}},
      {8, {{&Form5::Command5_Click, " 5/8～ 8/8", {false, false, true, true}}}},
      {9, {{&Form5::Command5_Click, " 9/9～ 9/9", {false, false, true, true}}}},
      {10,
       {{&Form5::Command1_Click, " 5/10～ 8/10", {true, true, true, true}},
        {&Form5::Command1_Click, " 9/10～ 10/10", {false, false, true, true}},
        {&Form5::Command3_Click, " 5/10～ 8/10", {true, true, true, true}},
        {&Form5::Command4_Click, " 1/10～ 4/10", {true, true, false, false}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.slides);
    SetSlides(MakeSlides(c.slides));
    Form5& view = OpenView();
    for (const Step& step : c.steps) {
      SCOPED_TRACE(step.label);
      if (step.button) {
        (view.*step.button)();
        ASSERT_TRUE(WaitForPage(view));
      }
      EXPECT_EQ(view.Label2.Caption(), QString::fromUtf8(step.label));
      EXPECT_TRUE(Enabled(view) == step.buttons);
      EXPECT_TRUE(view.Command2.Enabled());
      // Cells past the end of the list stay empty.
      const int first = listeditor::FourUp().FourUpPageOffset + 1;
      for (int k = 1; k <= 4; ++k)
        EXPECT_EQ(view.Image1(k).Picture().isNull(), first + k - 1 > c.slides) << k;
    }
    view.Command2_Click();
    platform::DestroyPendingNow();
    EXPECT_EQ(core::Flags().FourUpViewOpen, 0);
  }
}

TEST(FourUpFit, APictureFillsItsCellByWidthOrHeightAnchoredTopLeft) {
  struct Case {
    int cell;
    long long w, h;
    listeditor::CellPlacement expected;
  };
  const Case cases[] = {
      {1, 8000, 4000, {247, 600, 3557, 1780}},   // wider than the cell: its width
      {2, 4500, 9000, {4087, 600, 1332, 2670}},  // taller: its height
      {3, 6000, 4500, {247, 3480, 3557, 2670}},  // exactly 4:3: by height, filling the cell
      {4, 3560, 2670, {4087, 3480, 3557, 2670}},
  };
  for (const Case& c : cases) {
    const listeditor::CellPlacement p = listeditor::FitCell(c.cell, c.w, c.h);
    EXPECT_EQ(p.Left, c.expected.Left) << c.cell;
    EXPECT_EQ(p.Top, c.expected.Top) << c.cell;
    EXPECT_EQ(p.Width, c.expected.Width) << c.cell;
    EXPECT_EQ(p.Height, c.expected.Height) << c.cell;
  }
}

TEST_F(FourUpTest, EachCellShowsItsPictureOrSaysWhyNot) {
  const QString wide = MakePicture(src_.filePath(QStringLiteral("wide.jpg")), 800, 400);
  // A PNG named as a JPEG: the system loader refuses it, the imaging control reads it.
  const QString misnamed = MakePicture(src_.filePath(QStringLiteral("png.jpg")), 300, 600, "PNG");
  const QString movie = src_.filePath(QStringLiteral("clip.MP4"));
  test_support::WriteBytes(movie, "not a picture");
  const QString broken = src_.filePath(QStringLiteral("broken.png"));
  test_support::WriteBytes(broken, "\x89PNG but nothing else");
  SetSlides({wide, misnamed, movie, broken});
  Form5& view = OpenView();

  // The wide picture fills the width of cell 1, the tall one the height of cell 2.
  EXPECT_FALSE(view.Image1(1).Picture().isNull());
  EXPECT_NEAR(view.Image1(1).Width(), 3557, 15);
  EXPECT_NEAR(view.Image1(1).Height(), 1780, 15);
  EXPECT_FALSE(view.Image1(2).Picture().isNull());
  EXPECT_NEAR(view.Image1(2).Height(), 2670, 15);
  EXPECT_NEAR(view.Image1(2).Width(), 1332, 15);
  EXPECT_FALSE(view.Label1(1).Visible());
  EXPECT_FALSE(view.Label1(2).Visible());
  EXPECT_EQ(view.Label1(3).Caption(), QStringLiteral("動画ファイル"));
  EXPECT_TRUE(view.Label1(3).Visible());
  EXPECT_EQ(view.Label1(4).Caption(), QStringLiteral("読込みエラー"));
  EXPECT_TRUE(view.Label1(4).Visible());
  for (int k : {3, 4}) {
    EXPECT_TRUE(view.Image1(k).Picture().isNull());
    EXPECT_NEAR(view.Image1(k).Width(), 3015, 15);
  }

  // A left click on a failed cell or a movie opens nothing (were the dialog to open, the
  // guard closes it so that the failure shows instead of a hang).
  QTimer guard;
  guard.setInterval(2000);
  QObject::connect(&guard, &QTimer::timeout, [] {
    if (auto* d = listeditor::Form11IfLoaded()) d->Hide();
  });
  guard.start();
  view.Image1_MouseDown(3, 1, 0, 0, 0);
  view.Image1_MouseDown(4, 1, 0, 0, 0);
  EXPECT_EQ(listeditor::FourUp().FourUpChosenCell, 0);
  EXPECT_FALSE(listeditor::form11().isVisible());
}

TEST_F(FourUpTest, ClicksWhileAPageIsDrawnAreIgnored) {
  SetSlides(MakeSlides(6));
  Form5& view = OpenView();
  view.Command1_Click();  // the next page starts drawing
  ASSERT_TRUE(view.Timer1.Enabled());
  listeditor::FourUp().FourUpClickedCell = 0;
  view.Image1_MouseDown(1, 2, 0, 0, 0);
  EXPECT_TRUE(dialogs_.Calls().empty());
  EXPECT_EQ(listeditor::FourUp().FourUpClickedCell, 0);
  ASSERT_TRUE(WaitForPage(view));
  EXPECT_EQ(EditorPaths().size(), 6);
}

TEST_F(FourUpTest, DeletingASlideTakesItsFileAndItsRowAndKeepsTheOthersSchedules) {
  const QStringList records = {
      QStringLiteral("2024/01/0110:00") + QString(15, u' '),
      QStringLiteral("2024/02/0211:00") + QString(15, u' '),
      QStringLiteral("2024/03/0312:002024/12/3123:59"),
      QString(15, u' ') + QStringLiteral("2025/01/0100:00"),
      QStringLiteral("2024/05/0514:00") + QString(15, u' '),
  };
  const QStringList paths = MakeSlides(5);
  SetSlides(paths, records);
  Form5& view = OpenView();

  dialogs_.Answer(platform::vbYes);
  view.Image1_MouseDown(2, 2, 0, 0, 0);
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  EXPECT_EQ(dialogs_.Calls()[0].text, paths[1] + QStringLiteral("\r\nのファイルを削除しますか ?"));
  EXPECT_EQ(dialogs_.Calls()[0].title, QStringLiteral("p2.png の削除"));
  EXPECT_FALSE(QFileInfo::exists(paths[1]));

  const QStringList left = {paths[0], paths[2], paths[3], paths[4]};
  EXPECT_EQ(EditorPaths(), left);
  EXPECT_EQ(CommittedPaths(), left);
  const core::ListState& lists = core::Lists();
  EXPECT_EQ(lists.SlideEndIndex, 5);
  EXPECT_TRUE(lists.SlidePaths[5].isEmpty());
  listeditor::Form3& editor = listeditor::form3();
  for (int q = 1; q <= 4; ++q) {
    const QString record = records[q == 1 ? 0 : q];
    EXPECT_EQ(editor.List2.List(q - 1), record) << q;
    EXPECT_EQ(lists.SlideAddDateTimes[q], core::ScheduleAddMoment(record)) << q;
    EXPECT_EQ(lists.SlideDeleteDateTimes[q], core::ScheduleDeleteMoment(record)) << q;
  }
  EXPECT_EQ(editor.Label4.Caption(), QStringLiteral("4"));
  EXPECT_EQ(lists.LastShownSlideIndex, 0);
  // The same page is drawn again from the shorter list.
  ASSERT_TRUE(WaitForPage(view));
  EXPECT_EQ(view.Label2.Caption(), QStringLiteral(" 1/4～ 4/4"));
  EXPECT_FALSE(view.Command1.Enabled());
}

TEST_F(FourUpTest, AFailedOrDeclinedDeletionChangesNothing) {
  struct Case {
    const char* name;
    int answer;
    bool removeFirst;  // the file is gone before the click
    bool readOnly;     // the file lies on a read-only file system
    bool failureMessage;
  };
  const Case cases[] = {
      {"declined", platform::vbNo, false, false, false},
      {"missing file", platform::vbYes, true, false, true},
      {"read-only folder", platform::vbYes, false, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::unique_ptr<Mount> disk;
    QString folder = src_.path();
    if (c.readOnly) {
      disk = std::make_unique<Mount>(1024);
      if (!disk->Mounted()) continue;  // mounting needs root
      folder = disk->Path();
    }
    QStringList paths;
    for (int i = 1; i <= 3; ++i)
      paths << MakePicture(QDir(folder).filePath(QStringLiteral("d%1.png").arg(i)), 40, 30, "PNG");
    if (c.readOnly) ASSERT_TRUE(disk->MakeReadOnly());
    SetSlides(paths);
    Form5& view = OpenView();
    if (c.removeFirst) QFile::remove(paths[0]);
    dialogs_.ClearCalls();
    dialogs_.Answer(c.answer);
    view.Image1_MouseDown(1, 2, 0, 0, 0);
    if (c.failureMessage) {
      ASSERT_EQ(dialogs_.Calls().size(), 2u);
      EXPECT_EQ(dialogs_.Calls()[1].text, QStringLiteral("ファイルが削除できません。"));
      EXPECT_EQ(dialogs_.Calls()[1].title, QStringLiteral("ファイル削除エラー"));
    } else {
      EXPECT_EQ(dialogs_.Calls().size(), 1u);
    }
    EXPECT_EQ(QFileInfo::exists(paths[0]), !c.removeFirst);
    EXPECT_EQ(EditorPaths(), paths);
    EXPECT_EQ(CommittedPaths(), paths);
    EXPECT_EQ(platform::ScreenMousePointer(), 0);
    view.Command2_Click();
    platform::DestroyPendingNow();
  }
}

TEST_F(FourUpTest, DeletingTheOnlySlideOfTheLastPageLeavesThatPageEmpty) {
  SetSlides(MakeSlides(9));
  Form5& view = OpenView();
  view.Command5_Click();
  ASSERT_TRUE(WaitForPage(view));
  dialogs_.Answer(platform::vbYes);
  view.Image1_MouseDown(1, 2, 0, 0, 0);
  ASSERT_TRUE(WaitForPage(view));
  EXPECT_EQ(view.Label2.Caption(), QStringLiteral(" 9/8～ 8/8"));
  EXPECT_FALSE(view.Command1.Enabled());
  EXPECT_FALSE(view.Command5.Enabled());
  EXPECT_TRUE(view.Command3.Enabled());
  EXPECT_TRUE(view.Command4.Enabled());
  EXPECT_TRUE(view.Image1(1).Picture().isNull());
}

TEST_F(FourUpTest, DeletingTheLastSlideSaysSoAndDisablesTheShowButtons) {
  SetSlides(MakeSlides(1));
  Form5& view = OpenView();
  core::Form1& main = core::form1();
  main.Command1.SetEnabled(true);
  main.Command4.SetEnabled(true);
  dialogs_.Answer(platform::vbYes);
  view.Image1_MouseDown(1, 2, 0, 0, 0);
  ASSERT_EQ(dialogs_.Calls().size(), 2u);
  EXPECT_EQ(dialogs_.Calls()[1].text,
            QStringLiteral("スライドリストに　画像ファイルが見つかりません。"));
  EXPECT_EQ(dialogs_.Calls()[1].title, QStringLiteral("スライドショー"));
  EXPECT_TRUE(EditorPaths().isEmpty());
  for (platform::CommandButton* b :
       {&main.Command1, &main.Command2, &main.Command3, &main.Command4})
    EXPECT_FALSE(b->Enabled());
}

TEST_F(FourUpTest, TheMenuRefusesWhileAnEditorIsOpenAndTheFileMenuClosesTheView) {
  SetSlides(MakeSlides(2));
  core::Flags().SlideListEditorOpen = 1;
  listeditor::mnuICHI_Click();
  core::Flags().SlideListEditorOpen = 0;
  core::Flags().LinkEditorOpen = 1;
  listeditor::mnuICHI_Click();
  core::Flags().LinkEditorOpen = 0;
  ASSERT_EQ(Titles(), QStringList({QStringLiteral("４画面表示"), QStringLiteral("４画面表示")}));
  EXPECT_EQ(dialogs_.Calls()[0].text, QStringLiteral("ファイル選択を終了させてから行って下さい。"));
  EXPECT_EQ(dialogs_.Calls()[1].text, QStringLiteral("ＫＶＺリンクを終了させてから行って下さい。"));
  EXPECT_EQ(listeditor::Form5IfLoaded(), nullptr);

  Form5& view = OpenView();
  EXPECT_FALSE(core::form1().isVisible());
  // The file menu's New and Open close the view through the services.
  core::TheServices().CloseFourUpView();
  platform::DestroyPendingNow();
  EXPECT_EQ(listeditor::Form5IfLoaded(), nullptr);
  EXPECT_EQ(core::Flags().FourUpViewOpen, 0);
  EXPECT_TRUE(core::form1().isVisible());
  (void)view;
}

TEST_F(FourUpTest, AMoveFromTheViewPutsTheNewPathIntoBothLists) {
  QStringList paths = MakeSlides(6);
  SetSlides(paths);
  Form5& view = OpenView();
  view.Command1_Click();
  ASSERT_TRUE(WaitForPage(view));
  const QByteArray bytes = ReadBytes(paths[5]);
  LeftClickThen(view, 2, [this](listeditor::Form11& dialog) {
    dialog.Dir1.SetPath(dst_.path());
    dialog.Command4_Click();
  });
  const QString moved = dst_.filePath(QStringLiteral("p6.png"));
  EXPECT_TRUE(dialogs_.Calls().empty());
  EXPECT_FALSE(QFileInfo::exists(paths[5]));
  EXPECT_EQ(ReadBytes(moved), bytes);
  paths[5] = moved;
  EXPECT_EQ(EditorPaths(), paths);
  EXPECT_EQ(CommittedPaths(), paths);
  EXPECT_EQ(listeditor::FourUp().FourUpChosenCell, 2);
}

TEST_F(FourUpTest, TheClipboardGetsThePictureAtItsOwnSize) {
  const QString big = MakePicture(src_.filePath(QStringLiteral("big.jpg")), 1200, 900);
  SetSlides({big});
  Form5& view = OpenView();
  EXPECT_LT(view.Image1(1).Picture().width(), 1200);  // the cell holds a reduced picture
  platform::ClearClipboard();
  LeftClickThen(view, 1, [](listeditor::Form11& dialog) { dialog.Command3_Click(); });
  EXPECT_EQ(platform::ClipboardPicture().size(), QSize(1200, 900));
}

TEST_F(FourUpTest, TheFullScreenStartBeginsAtTheChosenSlide) {
  SetSlides(MakeSlides(12));
  Form5& view = OpenView();
  view.Command1_Click();
  ASSERT_TRUE(WaitForPage(view));
  view.Command1_Click();
  ASSERT_TRUE(WaitForPage(view));
  ASSERT_EQ(listeditor::FourUp().FourUpPageOffset, 8);
  LeftClickThen(view, 3, [](listeditor::Form11& dialog) { dialog.Command6_Click(); });
  EXPECT_EQ(core::Lists().ChosenStartSlide, 10);
  EXPECT_FALSE(view.isVisible());
  EXPECT_EQ(core::Flags().FourUpViewOpen, 1);  // hidden, not closed
  EXPECT_TRUE(WaitFor([] { return core::Paths().CurrentSlideFileName == u"p11.png"; }));
  EXPECT_EQ(core::Flags().FullScreenShowActive, 1);
}

}  // namespace
}  // namespace picture_tools_test

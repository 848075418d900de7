// Runs from the link-list editor: "START" plays the list file after file, "選択実行" and a
// double-click play one file and bring the editor back, "終了" commits without a show.
#include "core/monitors.h"
#include "engine/fullscreen_start.h"
#include "engine/slidescreen.h"
#include "engine/slidetimer.h"
#include "schedule/form9.h"
#include "tests/engine/test_slidescreen_fixture.h"

namespace {

using platform::DialogKind;
using show_test::ShowWindowTest;
using show_test::WaitFor;

class LinkRunTest : public ShowWindowTest {
 protected:
  void SetUp() override {
    ShowWindowTest::SetUp();
    if (auto* w = schedule::Form9IfLoaded()) w->Unload();
    platform::DestroyPendingNow();
    core::Flags().LinkEditorShown = 0;
    core::Settings().LinkRepeat = 0;
    dialogs_->ClearCalls();
  }
  void TearDown() override {
    core::Flags().LinkEditorShown = 0;
    if (auto* w = schedule::Form9IfLoaded()) w->Unload();
    ShowWindowTest::TearDown();
  }

  static schedule::Form9& Editor() { return schedule::form9(); }
  static bool ScreenUp() {
    return engine::SlidescreenIfLoaded() != nullptr && engine::slidescreen().isVisible();
  }

  // Three slideshow files of 2, 1 and 2 slides, in the editor's list.
  QStringList ThreeShows() {
    const QStringList files = {SaveShow("one.kvz", MakePictures(2, "a")),
                               SaveShow("two.kvz", MakePictures(1, "b")),
                               SaveShow("three.kvz", MakePictures(2, "c"))};
    SetSlides({});
    Editor().List1.SetItems(files);
    return files;
  }

  // The pictures a link run shows, one tick of the slide timer after another.
  static QStringList Played(int ticks) {
    QStringList shown = {Shown()};
    for (int i = 0; i < ticks && ScreenUp(); ++i) {
      engine::Timer1_Timer();
      shown << (ScreenUp() ? Shown() : QStringLiteral("end"));
    }
    return shown;
  }
};

TEST_F(LinkRunTest, StartCommitsAndAsksBeforeTheRun) {
  // An empty list: no question, no show, an empty link table.
  core::Lists().LinkListEntries[1] = "/old.kvz";
  Editor().Command1.DoClick();
  EXPECT_TRUE(dialogs_->Calls().empty());
  EXPECT_EQ(core::Lists().LinkEndIndex, 1);
  EXPECT_TRUE(core::Lists().LinkListEntries[1].isEmpty());

  // Answered No: the list stays committed, nothing starts.
  Editor().List1.SetItems({"/a.kvz", "/b.kvz", "/c.kvz"});
  dialogs_->Answer(platform::vbNo);
  Editor().Command1.DoClick();
  ASSERT_EQ(dialogs_->Calls().size(), 1u);
  EXPECT_EQ(
      dialogs_->Calls()[0].text,
      "ＫＶＺリンクをスタートしますか ?\r\n（リスト上のkvzファイルをリンクして実行します。）");
  EXPECT_EQ(dialogs_->Calls()[0].title, "ＫＶＺリンク");
  EXPECT_EQ(dialogs_->Calls()[0].icon, platform::vbQuestion);
  EXPECT_EQ(core::Lists().LinkEndIndex, 4);
  EXPECT_EQ(core::Lists().LinkListEntries[2], "/b.kvz");
  EXPECT_EQ(core::Lists().LinkRunActive, 0);
  EXPECT_FALSE(ScreenUp());
}

TEST_F(LinkRunTest, StartPlaysTheFilesInTurnWithAndWithoutRepetition) {
  for (short repeat : {0, 1}) {
    SCOPED_TRACE(repeat ? "repeated" : "once");
    CloseShowWindows();
    core::Flags().ShowRunning = 0;
    core::Lists().CurrentSlideIndex = 0;
    ThreeShows();
    Editor().Check2.SetValue(repeat);
    core::form1().Hide();
    Editor().Show();
    dialogs_->Answer(platform::vbYes);
    Editor().Command1.DoClick();
    EXPECT_FALSE(Editor().isVisible());
    EXPECT_EQ(core::Lists().LinkRunActive, 1);
    EXPECT_EQ(core::Lists().LinkSingleFileRun, 0);
    EXPECT_EQ(core::Flags().FullScreenShowActive, 1);
    ASSERT_TRUE(WaitFor([] { return core::Flags().ShowRunning == 1; }));

    // On the main window's monitor, from its own top.
    const core::TwipsRect monitor = core::MonitorRectTwips(core::MainMonitorIndex());
    EXPECT_EQ(engine::slidescreen().Top(), monitor.Top);
    EXPECT_EQ(engine::slidescreen().Left(), monitor.Left);

    if (repeat) {
      EXPECT_EQ(Played(6), QStringList({"a1.png", "a2.png", "b1.png", "c1.png", "c2.png", "a1.png",
                                        "a2.png"}));
      engine::slidescreen().Unload();  // the viewer closes the show
    } else {
      EXPECT_EQ(Played(6), QStringList({"a1.png", "a2.png", "b1.png", "c1.png", "c2.png", "end"}));
    }
    // The main window comes back, the editor stays hidden with its list.
    ASSERT_TRUE(WaitFor([] { return core::form1().isVisible(); }));
    EXPECT_FALSE(Editor().isVisible());
    EXPECT_EQ(core::Lists().LinkRunActive, 0);
    EXPECT_EQ(Editor().List1.ListCount(), 3);
  }
}

TEST_F(LinkRunTest, OneFilePlaysAloneAndTheEditorComesBack) {
  const QStringList files = ThreeShows();
  core::form1().Hide();
  Editor().Show();
  Editor().List1.SetListIndex(1);
  Editor().Command13.DoClick();
  EXPECT_EQ(core::Paths().OpenedFileFolder, dir_.path() + "/");
  EXPECT_EQ(core::Lists().LinkSingleFileRun, 1);
  EXPECT_EQ(core::Lists().LinkRunActive, 0);
  EXPECT_EQ(core::Flags().FullScreenShowActive, 1);
  EXPECT_EQ(listeditor::form3().Label4.Caption(), "1");
  ASSERT_TRUE(WaitFor([] { return core::Flags().ShowRunning == 1; }));
  EXPECT_EQ(Shown(), "b1.png");
  EXPECT_EQ(core::Lists().SlideEndIndex, 2);

  engine::slidescreen().Unload();
  ASSERT_TRUE(WaitFor([] { return Editor().isVisible(); }));
  EXPECT_FALSE(core::form1().isVisible());
  EXPECT_EQ(Editor().List1.Items(), files);
}

TEST_F(LinkRunTest, ARefusedSingleFileIsNotStarted) {
  QFile bad(dir_.filePath("bad.kvz"));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write("nothing\r\n");
  bad.close();
  Editor().List1.SetItems({bad.fileName()});
  Editor().Show();
  Editor().List1.SetListIndex(0);
  Editor().List1_DblClick();
  const auto warning = dialogs_->CallsOf(DialogKind::kMsgBox);
  ASSERT_EQ(warning.size(), 1u);
  EXPECT_EQ(warning[0].title, "ファイルを開く");
  EXPECT_EQ(core::Lists().LinkSingleFileRun, 0);
  EXPECT_EQ(core::Flags().FullScreenShowActive, 0);
  EXPECT_EQ(core::Flags().ShowEndRequested, 0);
  platform::DoEvents();
  EXPECT_FALSE(ScreenUp());
  EXPECT_TRUE(Editor().isVisible());
}

TEST_F(LinkRunTest, SingleRunsNeedOneSelectedEntry) {
  Editor().List1.SetItems({"/a.kvz", "/b.kvz"});
  for (const QList<int>& rows : {QList<int>{}, QList<int>{0, 1}}) {
    dialogs_->ClearCalls();
    for (int i = 0; i < 2; ++i) Editor().List1.SetSelected(i, rows.contains(i));
    Editor().Command13.DoClick();
    ASSERT_EQ(dialogs_->Calls().size(), 1u);
    EXPECT_EQ(dialogs_->Calls()[0].text, "リストから１項目だけ選んで行ってください。");
    EXPECT_EQ(dialogs_->Calls()[0].title, "選択実行不可");
    EXPECT_FALSE(ScreenUp());
  }
  // A double-click on an empty list plays nothing.
  Editor().List1.Clear();
  dialogs_->ClearCalls();
  Editor().List1_DblClick();
  EXPECT_TRUE(dialogs_->Calls().empty());
  EXPECT_FALSE(ScreenUp());
}

TEST_F(LinkRunTest, EndCommitsAndGoesBackToTheMainWindow) {
  Editor().List1.SetItems({"/a.kvz", "/b.kvz", "/c.kvz"});
  core::Lists().LinkSingleFileRun = 1;
  core::Flags().LinkEditorOpen = 1;
  core::form1().Hide();
  Editor().Show();
  Editor().Command2.DoClick();
  EXPECT_EQ(core::Lists().LinkEndIndex, 4);
  EXPECT_EQ(core::Lists().LinkListEntries[1], "/a.kvz");
  EXPECT_EQ(core::Lists().LinkListEntries[3], "/c.kvz");
  EXPECT_EQ(core::Lists().LinkSingleFileRun, 0);
  EXPECT_EQ(core::Flags().LinkEditorOpen, 0);
  EXPECT_TRUE(core::form1().isVisible());
  EXPECT_FALSE(Editor().isVisible());
  EXPECT_TRUE(dialogs_->Calls().empty());
}

}  // namespace

// Starting the show from the slide list window at the chosen row, in the main window and
// full screen, and the windows its launchers open.
#include <QTimer>

#include "core/form15.h"
#include "core/monitors.h"
#include "core/services.h"
#include "engine/slidescreen.h"
#include "form3_fixture.h"
#include "sound/form10.h"

namespace form3_test {
namespace {

class StartTest : public Form3Test {
 protected:
  // Three pictures as the rows of the open window; the list not yet committed.
  QStringList ThreeRows() {
    const QStringList paths = {Picture(QStringLiteral("one.png"), 1),
                               Picture(QStringLiteral("two.png"), 2),
                               Picture(QStringLiteral("three.png"), 3)};
    OpenEditor();
    SetRows(paths);
    return paths;
  }
  static QString Shown() { return core::Paths().CurrentSlideFileName; }
};

TEST_F(StartTest, StartPlaysTheCommittedListInTheMainWindowFromTheChosenRow) {
  const struct {
    int selected;
    const char* first;
  } cases[] = {{2, "three.png"}, {-1, "one.png"}, {1, "two.png"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.first);
    const QStringList paths = ThreeRows();
    listeditor::Form3& w = Editor();
    if (c.selected >= 0) w.List1.SetListIndex(c.selected);
    w.Command22.DoClick();

    EXPECT_EQ(Shown(), QString::fromLatin1(c.first));
    EXPECT_EQ(core::Lists().SlideEndIndex, 4);
    EXPECT_EQ(core::Lists().SlidePaths[3], paths[2]);
    EXPECT_EQ(core::Lists().CurrentSlideIndex, std::max(c.selected, 0) + 2);
    EXPECT_EQ(core::Lists().StartAtChosenSlide, 0);
    EXPECT_EQ(core::Flags().ShowRunning, 1);
    EXPECT_EQ(core::Flags().StartedFromListEditor, 1);
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(core::form1().isVisible());
    EXPECT_TRUE(core::form1().Timer1.Enabled());
    EXPECT_TRUE(Calls().empty());
    core::form1().Command3_Click();  // STOP
    test_support::CloseShowWindows();
  }
}

TEST_F(StartTest, StartUndoesWhatTheFirstSlideSetForTheNextOnes) {
  ThreeRows();
  core::Settings().VolumeAttenuationSetting = 200;
  // What a first slide's macro leaves behind.
  core::Services& services = core::TheServices();
  services.RunPictureMacro = [] {
    core::Sound().VolumeAttenuation = 700;
    core::Settings().PictureScale = 2;
    core::Settings().Borderless = 1;
    core::Settings().BorderColorIndex = 3;
    core::Settings().OverlayBackColorHex = QStringLiteral("FF0000");
  };
  core::Settings().TextMacroOff = 0;
  Editor().Command22.DoClick();
  core::ResetServices();
  EXPECT_EQ(Shown(), QStringLiteral("one.png"));
  EXPECT_EQ(core::Sound().VolumeAttenuation, 200);
  EXPECT_EQ(core::Settings().PictureScale, 0);
  EXPECT_EQ(core::Settings().Borderless, 0);
  EXPECT_EQ(core::Settings().BorderColorIndex, 0);
  EXPECT_TRUE(core::Settings().OverlayBackColorHex.isEmpty());
  core::form1().Command3_Click();
}

TEST_F(StartTest, FullScreenStartsOnTheMainWindowsMonitorAtTheChosenRow) {
  ThreeRows();
  listeditor::Form3& w = Editor();
  w.List1.SetListIndex(1);
  w.Command21.DoClick();
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(core::Lists().StartAtChosenSlide, 1);
  EXPECT_EQ(core::Lists().ChosenStartSlide, 1);
  EXPECT_EQ(core::Flags().StartedFromListEditor, 1);
  EXPECT_EQ(core::Flags().FullScreenShowActive, 1);
  EXPECT_EQ(core::Flags().SkipEraseEffect, 0);
  EXPECT_EQ(core::Lists().ScheduleDateText, QStringLiteral("2024/05/10"));
  engine::Slidescreen* screen = engine::SlidescreenIfLoaded();
  ASSERT_NE(screen, nullptr);
  EXPECT_TRUE(screen->isVisible());
  const core::TwipsRect monitor = core::MonitorRectTwips(core::MainMonitorIndex());
  EXPECT_EQ(screen->Left(), monitor.Left);
  EXPECT_EQ(screen->Top(), monitor.Top);
  EXPECT_EQ(screen->Width(), monitor.Width);
  EXPECT_EQ(screen->Height(), monitor.Height);
  EXPECT_EQ(screen->P2.BackColor(), QColor(Qt::black));

  // Its activation starts the show at the second row.
  ASSERT_TRUE(WaitFor([] { return !Shown().isEmpty(); }, 10000));
  EXPECT_EQ(Shown(), QStringLiteral("two.png"));
  EXPECT_EQ(core::Lists().StartAtChosenSlide, 0);

  // Leaving it brings the slide list window back.
  screen->Unload();
  platform::DestroyPendingNow();
  EXPECT_TRUE(WaitFor([&w] { return w.isVisible(); }, 5000));
  EXPECT_FALSE(core::form1().isVisible());
}

TEST_F(StartTest, FullScreenSkipsTheEraseEffectForAMovieRow) {
  const struct {
    const char* row;
    short skip;
  } cases[] = {{"/clips/a.avi", 1}, {"/clips/b.AVI", 1}, {"/clips/c.mp4", 1},
               {"/clips/d.wmv", 1}, {"/clips/e.mov", 1}, {"/pics/f.png", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.row);
    OpenEditor();
    SetRows({QString::fromLatin1(c.row)});
    core::Flags().SkipEraseEffect = 1 - c.skip;
    // Only the start's own steps: its activation is left in the queue.
    Editor().Command21_Click();
    EXPECT_EQ(core::Flags().SkipEraseEffect, c.skip);
    EXPECT_EQ(core::Lists().ChosenStartSlide, 0);
    test_support::CloseShowWindows();
    platform::DoEvents();
  }
}

TEST_F(StartTest, AnEmptyListStartsNothing) {
  listeditor::Form3& w = OpenEditor();
  w.Command22.DoClick();
  w.Command21.DoClick();
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(core::Flags().SlideListEditorOpen, 1);
  EXPECT_EQ(core::Lists().StartAtChosenSlide, 0);
  EXPECT_EQ(engine::SlidescreenIfLoaded() ? engine::SlidescreenIfLoaded()->isVisible() : false,
            false);
  EXPECT_TRUE(Calls().empty());
}

TEST_F(StartTest, LaunchersOpenTheirWindowsModally) {
  listeditor::Form3& w = OpenEditor();
  bool textSettingsShown = false;
  QTimer::singleShot(0, [&] {
    core::Form15* f = core::Form15IfLoaded();
    textSettingsShown = f && f->isVisible() && f->isModal();
    if (f) f->Command1_Click();  // 戻る
  });
  w.Command24.DoClick();
  EXPECT_TRUE(textSettingsShown);
  EXPECT_EQ(core::Form15IfLoaded(), nullptr);

  bool soundListShown = false;
  QTimer::singleShot(0, [&] {
    sound::Form10* f = sound::Form10IfLoaded();
    soundListShown = f && f->isVisible() && f->isModal();
    if (f) f->Hide();
  });
  w.Command23.DoClick();
  EXPECT_TRUE(soundListShown);

  int generatorShown = 0;
  core::TheServices().ShowCutoutMacroGenerator = [&generatorShown] { ++generatorShown; };
  w.Command25.SetEnabled(true);
  w.Command25.DoClick();
  core::ResetServices();
  EXPECT_EQ(generatorShown, 1);
}

}  // namespace
}  // namespace form3_test

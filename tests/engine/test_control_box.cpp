// The control box: its step buttons inside one slide list and across the files of a link
// run, play after a pause, stop, the gates, and that the user cannot close it.
#include <QCloseEvent>
#include <QCoreApplication>

#include "core/common.h"
#include "engine/effects.h"
#include "engine/form1_show.h"
#include "engine/fullscreen_start.h"
#include "test_slidescreen_fixture.h"

namespace {

using show_test::ShowWindowTest;
using show_test::WaitFor;

class ControlBoxTest : public ShowWindowTest {
 protected:
  // A full-screen show running with slide `shown` on the screen: the slide timer armed,
  // CurrentSlideIndex already past the slide, the main window's running buttons.
  void RunningOn(int shown) {
    core::ListState& lists = core::Lists();
    core::RunFlags& flags = core::Flags();
    lists.CurrentSlideIndex = static_cast<short>(shown + 1);
    flags.ShowRunning = 1;
    flags.PlayStarted = 1;
    flags.FullScreenShowActive = 1;
    core::Paths().CurrentSlideFileName =
        core::GetFileNameOfPath(lists.SlidePaths[static_cast<short>(shown)]);
    engine::SetMainButtonsRunning();
    core::form1().Timer1.SetEnabled(true);
    // Shown with the show under way: its activation only brings the control box.
    engine::ShowFullScreenWindow();
    ASSERT_TRUE(WaitFor([] { return engine::slidescreen().isVisible(); }));
    // The control box comes up with the window and copies the main window's buttons.
    ASSERT_TRUE(WaitFor([] {
      engine::Slidescreen2* box = engine::Slidescreen2IfLoaded();
      return box && box->isActiveWindow();
    }));
  }

  engine::Slidescreen2& Box() { return engine::slidescreen2(); }

  // Enabled state of ＞ ∥ ｜＜ ＞｜ □.
  std::vector<bool> BoxButtons() {
    engine::Slidescreen2& b = Box();
    return {b.Command2.Enabled(), b.Command3.Enabled(), b.Command4.Enabled(), b.Command5.Enabled(),
            b.Command1.Enabled()};
  }
};

TEST_F(ControlBoxTest, PauseStepsForwardAndPlayResumesAfterTheSlideShown) {
  SetSlides(MakePictures(10));
  RunningOn(5);

  Box().Command3.DoClick();  // ∥
  EXPECT_EQ(core::Flags().ShowRunning, 0);
  EXPECT_EQ(core::Lists().CurrentSlideIndex, 5);
  EXPECT_FALSE(core::form1().Timer1.Enabled());
  EXPECT_EQ(BoxButtons(), (std::vector<bool>{true, false, true, true, true}));
  EXPECT_TRUE(core::form1().Command1.Enabled());
  EXPECT_FALSE(core::form1().Command2.Enabled());

  Box().Command5.DoClick();  // ＞｜
  EXPECT_EQ(Shown(), "slide6.png");
  Box().Command5.DoClick();
  EXPECT_EQ(Shown(), "slide7.png");
  EXPECT_EQ(core::Lists().CurrentSlideIndex, 7);
  EXPECT_FALSE(core::form1().Timer1.Enabled());  // stepping never starts the timer

  Box().Command2.DoClick();  // ＞
  EXPECT_EQ(Shown(), "slide8.png");
  EXPECT_EQ(core::Lists().CurrentSlideIndex, 9);
  EXPECT_EQ(core::Flags().ShowRunning, 1);
  EXPECT_EQ(core::Flags().PlayStarted, 1);
  EXPECT_TRUE(core::form1().Timer1.Enabled());
  EXPECT_FALSE(core::form1().Command1.Enabled());
  EXPECT_TRUE(core::form1().Command2.Enabled());
  EXPECT_EQ(BoxButtons(), (std::vector<bool>{false, true, false, false, true}));
}

TEST_F(ControlBoxTest, AStopDuringTheSlideOfPlayLeavesTheShowStopped) {
  SetSlides(MakePictures(4));
  RunningOn(2);
  Box().Command3.DoClick();  // ∥
  // STOP while ＞'s slide is still being drawn.
  bool stopped = false;
  engine::SetEffectStepObserver([&stopped](const QRect&) {
    if (stopped) return;
    stopped = true;
    engine::Command3_Click();
  });
  Box().Command2.DoClick();  // ＞
  engine::SetEffectStepObserver({});
  ASSERT_TRUE(stopped);
  EXPECT_EQ(core::Flags().ShowStopped, 1);
  EXPECT_EQ(core::Flags().ShowRunning, 0);
  EXPECT_FALSE(core::form1().Timer1.Enabled());
  EXPECT_TRUE(core::form1().Command1.Enabled());   // START
  EXPECT_FALSE(core::form1().Command2.Enabled());  // PAUSE
}

TEST_F(ControlBoxTest, StepBackStopsAtTheFirstSlideOutsideALinkRun) {
  SetSlides(MakePictures(4));
  RunningOn(3);
  Box().Command3.DoClick();
  Box().Command4.DoClick();  // ｜＜
  EXPECT_EQ(Shown(), "slide2.png");
  EXPECT_TRUE(Box().Command4.Enabled());
  Box().Command4.DoClick();
  EXPECT_EQ(Shown(), "slide1.png");
  EXPECT_FALSE(Box().Command4.Enabled());
  EXPECT_FALSE(core::form1().Command5.Enabled());
  EXPECT_TRUE(Box().Command5.Enabled());
}

TEST_F(ControlBoxTest, PauseOnTheFirstAndLastSlideDisablesTheWayOut) {
  SetSlides(MakePictures(3));
  RunningOn(1);
  Box().Command3.DoClick();
  EXPECT_FALSE(Box().Command4.Enabled());
  EXPECT_TRUE(Box().Command5.Enabled());

  CloseShowWindows();
  RunningOn(3);
  Box().Command3.DoClick();
  EXPECT_TRUE(Box().Command4.Enabled());
  EXPECT_FALSE(Box().Command5.Enabled());
  EXPECT_FALSE(core::form1().Command7.Enabled());
}

TEST_F(ControlBoxTest, PlayPastTheLastSlideRepeatsOnTheNextTick) {
  SetSlides(MakePictures(3));
  RunningOn(3);
  Box().Command3.DoClick();
  Box().Command2.DoClick();
  EXPECT_EQ(core::Lists().CurrentSlideIndex, 1);  // the next tick shows slide 1
  EXPECT_EQ(core::Flags().ShowRunning, 1);
  EXPECT_TRUE(core::form1().Timer1.Enabled());
  EXPECT_EQ(Shown(), "slide3.png");
  EXPECT_NE(engine::SlidescreenIfLoaded(), nullptr);
}

TEST_F(ControlBoxTest, PlayPastTheLastSlideWithoutRepeatEndsTheShow) {
  core::Settings().RepeatOff = 1;
  SetSlides(MakePictures(3));
  RunningOn(3);
  Box().Command3.DoClick();
  Box().Command2.DoClick();
  EXPECT_EQ(engine::SlidescreenIfLoaded(), nullptr);
  EXPECT_EQ(core::Flags().ShowStopped, 1);
  EXPECT_EQ(core::Flags().ShowRunning, 0);
  EXPECT_EQ(core::Lists().CurrentSlideIndex, 0);
  EXPECT_FALSE(core::form1().Timer1.Enabled());
  EXPECT_FALSE(Box().isVisible());
  EXPECT_TRUE(core::form1().Command1.Enabled());  // the slide list is not empty
  EXPECT_TRUE(core::form1().mnuNEW.Enabled());
}

TEST_F(ControlBoxTest, StopEndsTheFullScreenShow) {
  SetSlides(MakePictures(3));
  RunningOn(2);
  Box().Show();
  Box().Command1.DoClick();  // □
  EXPECT_EQ(engine::SlidescreenIfLoaded(), nullptr);
  EXPECT_EQ(core::Flags().ShowStopped, 1);
  EXPECT_EQ(core::Flags().UnloadEndsShow, 0);
  EXPECT_EQ(core::Flags().FullScreenShowActive, 0);
  EXPECT_FALSE(Box().isVisible());
  EXPECT_EQ(BoxButtons(), (std::vector<bool>{false, false, false, false, true}));
  EXPECT_TRUE(core::form1().isVisible());
  EXPECT_EQ(core::form1().Timer1.Interval(), 3000);
}

// ---- link runs -----------------------------------------------------------------------------

class ControlBoxLinkTest : public ControlBoxTest {
 protected:
  // Three slideshow files of two slides each; the run stands in `file` (1..3), paused on
  // its slide `slide`.
  void PausedInFile(int file, int slide) {
    files_ = {SaveShow("one.kvz", MakePictures(2, "a")), SaveShow("two.kvz", MakePictures(2, "b")),
              SaveShow("three.kvz", MakePictures(2, "c"))};
    SetLinkRun(files_);
    core::Lists().LinkPosition = static_cast<short>(file);
    ASSERT_TRUE(engine::LoadLinkFileAtPosition());
    ASSERT_EQ(core::Lists().LinkPosition, file + 1);
    RunningOn(slide);
    Box().Command3.DoClick();
  }
  QStringList files_;
};

TEST_F(ControlBoxLinkTest, StepForwardFromTheLastSlideLoadsTheNextFile) {
  PausedInFile(2, 2);
  EXPECT_TRUE(Box().Command5.Enabled());  // a later file exists
  Box().Command5.DoClick();
  EXPECT_EQ(Shown(), "c1.png");
  EXPECT_EQ(core::Lists().LinkPosition, 4);
  EXPECT_EQ(core::Lists().CurrentSlideIndex, 1);
  EXPECT_EQ(core::Lists().SlidePaths[2], dir_.filePath("c2.png"));
  EXPECT_EQ(core::Flags().ShowRunning, 0);  // still paused

  Box().Command5.DoClick();
  EXPECT_EQ(Shown(), "c2.png");
  EXPECT_FALSE(Box().Command5.Enabled());  // the last slide of the last file
}

TEST_F(ControlBoxLinkTest, StepBackFromTheFirstSlideLoadsThePreviousFilesLastSlide) {
  PausedInFile(2, 1);
  EXPECT_TRUE(Box().Command4.Enabled());  // an earlier file exists
  Box().Command4.DoClick();
  EXPECT_EQ(Shown(), "a2.png");
  EXPECT_EQ(core::Lists().LinkPosition, 2);
  EXPECT_EQ(core::Lists().CurrentSlideIndex, 2);

  Box().Command4.DoClick();
  EXPECT_EQ(Shown(), "a1.png");
  EXPECT_FALSE(Box().Command4.Enabled());  // the first slide of the first file

  // Play goes on after the slide shown, in the file now loaded.
  Box().Command2.DoClick();
  EXPECT_EQ(Shown(), "a2.png");
}

TEST_F(ControlBoxLinkTest, AFileTheReaderRefusesEndsTheShow) {
  PausedInFile(2, 2);
  QFile bad(files_[2]);
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write("not a slideshow\r\n");
  bad.close();

  Box().Command5.DoClick();
  const auto warnings = dialogs_->CallsOf(platform::DialogKind::kMsgBox);
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0].title, "ファイルを開く");
  EXPECT_EQ(engine::SlidescreenIfLoaded(), nullptr);
  EXPECT_EQ(core::Flags().ShowEndRequested, 0);
  EXPECT_EQ(core::Lists().LinkRunActive, 0);
  EXPECT_EQ(core::Lists().LinkPosition, 0);
  EXPECT_EQ(core::Flags().ShowStopped, 1);
}

// ---- gates
// ----------------------------------------------------------------------------------------

TEST_F(ControlBoxTest, GatesLeaveTheShowAsItWasButStopTheEffect) {
  struct Case {
    const char* name;
    std::function<void()> set;
    std::vector<int> refused;  // buttons (1..5 = Command1..Command5) that must do nothing
  };
  const std::vector<Case> cases = {
      {"movie click guard", [] { listeditor::form3().Timer1.SetEnabled(true); }, {1, 3}},
      {"operation locked", [] { core::Flags().OperationLocked = 1; }, {1, 3}},
      {"busy pointer", [] { platform::SetScreenMousePointer(13); }, {1, 2, 3, 4, 5}},
      {"slide in progress", [] { core::Flags().SlideInProgress = 1; }, {2, 3, 4, 5}},
  };
  SetSlides(MakePictures(4));
  for (const Case& c : cases) {
    for (int button : c.refused) {
      SCOPED_TRACE(std::string(c.name) + ", Command" + std::to_string(button));
      CloseShowWindows();
      core::Flags() = {};
      platform::SetScreenMousePointer(0);
      listeditor::form3().Timer1.SetEnabled(false);
      RunningOn(2);
      if (button == 4 || button == 5) Box().Command3.DoClick();  // steps act while paused
      const short index = core::Lists().CurrentSlideIndex;
      const short running = core::Flags().ShowRunning;
      c.set();
      core::Flags().EffectStop = 0;
      platform::CommandButton* buttons[] = {nullptr,         &Box().Command1, &Box().Command2,
                                            &Box().Command3, &Box().Command4, &Box().Command5};
      buttons[button]->DoClick();
      EXPECT_EQ(core::Lists().CurrentSlideIndex, index);
      EXPECT_EQ(core::Flags().ShowRunning, running);
      EXPECT_NE(engine::SlidescreenIfLoaded(), nullptr);
      // Every gate but the movie guard comes after the effect's stop.
      EXPECT_EQ(core::Flags().EffectStop, c.name == std::string("movie click guard") ? 0 : 1);
    }
  }
  listeditor::form3().Timer1.SetEnabled(false);
}

TEST_F(ControlBoxTest, PlayIsRefusedWhileTheSlideListEditorIsOpen) {
  SetSlides(MakePictures(3));
  RunningOn(2);
  Box().Command3.DoClick();
  core::Flags().SlideListEditorOpen = 1;
  Box().Command2.DoClick();
  const auto calls = dialogs_->CallsOf(platform::DialogKind::kMsgBox);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].text, "ファイル選択を終了させてから行って下さい。");
  EXPECT_EQ(calls[0].title, "ファイル選択");
  EXPECT_EQ(calls[0].icon, platform::vbExclamation);
  EXPECT_EQ(core::Flags().ShowRunning, 0);
  EXPECT_TRUE(core::form1().Command1.Enabled());
}

TEST_F(ControlBoxTest, TheUserCannotCloseTheBox) {
  Box().Show();
  ASSERT_TRUE(WaitFor([this] { return Box().isVisible(); }));
  QCloseEvent close;
  QCoreApplication::sendEvent(&Box(), &close);
  EXPECT_TRUE(Box().isVisible());
  EXPECT_FALSE(Box().Unload());
  EXPECT_NE(engine::Slidescreen2IfLoaded(), nullptr);
}

TEST_F(ControlBoxTest, ActivationMirrorsTheMainWindowsButtonsAndPlacesTheBox) {
  core::Form1& f1 = core::form1();
  f1.Command1.SetEnabled(true);
  f1.Command2.SetEnabled(false);
  f1.Command5.SetEnabled(true);
  f1.Command7.SetEnabled(false);
  f1.Command3.SetEnabled(true);
  core::Settings().ControlBoxAtBottom = 1;
  Box().Show();
  ASSERT_TRUE(WaitFor([this] { return Box().isActiveWindow(); }));
  WaitFor([] { return false; }, 50);
  EXPECT_EQ(BoxButtons(), (std::vector<bool>{true, false, true, false, true}));
  const core::TwipsRect m = core::MonitorRectTwips(core::MainMonitorIndex());
  EXPECT_EQ(Box().Left() + Box().Width(), m.Left + m.Width);
  EXPECT_EQ(Box().Top() + Box().Height(), m.Top + m.Height);
}

}  // namespace

// The show window: the start of a show on its activation, clicks and keys (a running
// effect ends at once), the Yes and No answers, and its unload, which ends the show or
// lets it go on in the main window.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>
#include <chrono>

#include "core/common.h"
#include "engine/fullscreen_start.h"
#include "engine/surfaces.h"
#include "schedule/form9.h"
#include "test_slidescreen_fixture.h"

namespace {

using show_test::ShowWindowTest;
using show_test::SlideColour;
using show_test::WaitFor;

class SlidescreenShowTest : public ShowWindowTest {
 public:
  static engine::Slidescreen& Screen() { return engine::slidescreen(); }

 protected:
  // What a starter does; returns once the activation has begun the show (or given up).
  void Start(const std::function<bool()>& done = [] { return core::Flags().ShowRunning == 1; }) {
    engine::ShowFullScreenWindow();
    ASSERT_TRUE(WaitFor(done));
  }

  bool ScreenUp() { return engine::SlidescreenIfLoaded() != nullptr; }
  QRgb CentreOfP2() {
    const QImage& image = Screen().P2.Image();
    return image.pixel(image.width() / 2, image.height() / 2);
  }

  static void Click(QWidget* w) {
    const QPointF at(w->width() / 2.0, w->height() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
    QCoreApplication::sendEvent(w, &release);
  }
  static void Key(QWidget* w, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
  }
};

// ---- the start ----------------------------------------------------------------------------------

TEST_F(SlidescreenShowTest, ActivationStartsTheShowAfterItsNotice) {
  core::Settings().FullStartConfirmOff = 0;
  SetSlides(MakePictures(3));
  Start();

  const auto calls = dialogs_->CallsOf(platform::DialogKind::kMsgBox);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].text, "スライド画面全体表示スタート");
  EXPECT_EQ(calls[0].title, "スライドショー");
  EXPECT_EQ(calls[0].buttons, platform::vbOKOnly);
  EXPECT_EQ(calls[0].icon, 0);

  EXPECT_EQ(Shown(), "slide1.png");
  EXPECT_EQ(CentreOfP2(), SlideColour(1).rgb());
  EXPECT_EQ(core::Lists().CurrentSlideIndex, 2);
  EXPECT_EQ(core::Flags().FullScreenShowActive, 1);
  core::Form1& f1 = core::form1();
  EXPECT_TRUE(f1.Timer1.Enabled());
  EXPECT_EQ(f1.Timer1.Interval(), 3000);
  EXPECT_FALSE(f1.isVisible());
  EXPECT_FALSE(f1.Command1.Enabled());
  EXPECT_TRUE(f1.Command3.Enabled());
  EXPECT_FALSE(f1.mnuOPTION.Visible());
  EXPECT_FALSE(f1.mnuSAVE.Enabled());
  ASSERT_TRUE(WaitFor([] { return engine::slidescreen2().isVisible(); }));
  EXPECT_EQ(engine::slidescreen2().Caption(), "slide1.png");
}

TEST_F(SlidescreenShowTest, StartSlideOfTheContinueAndChosenStarts) {
  struct Case {
    const char* name;
    short continueStart;
    short lastShown;
    short chosen;  // -2: no chosen slide
    const char* first;
  };
  const std::vector<Case> cases = {
      {"continue after slide 4", 1, 4, -2, "slide5.png"},
      {"continue after the last slide", 1, 10, -2, "slide1.png"},
      {"from the start", 0, 4, -2, "slide1.png"},
      {"chosen slide index 2", 1, 4, 2, "slide3.png"},
  };
  const QStringList pictures = MakePictures(10);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CloseShowWindows();
    core::Flags() = {};
    core::Settings().FullStartConfirmOff = 0;
    core::Settings().ContinueStart = c.continueStart;
    core::Lists().CurrentSlideIndex = 0;
    core::Lists().LastShownSlideIndex = c.lastShown;
    core::Lists().StartAtChosenSlide = c.chosen >= -1 ? 1 : 0;
    core::Lists().ChosenStartSlide = c.chosen;
    SetSlides(pictures);
    dialogs_->ClearCalls();
    Start();
    EXPECT_EQ(Shown(), c.first);
    EXPECT_EQ(core::Lists().StartAtChosenSlide, 0);
    // A start at a chosen slide shows no notice.
    EXPECT_EQ(dialogs_->Calls().size(), c.chosen >= -1 ? 0u : 1u);
  }
}

TEST_F(SlidescreenShowTest, ALinkRunBeginsWithItsFirstFile) {
  core::Settings().FullStartConfirmOff = 0;
  const QString one = SaveShow("one.kvz", MakePictures(2, "a"));
  const QString two = SaveShow("two.kvz", MakePictures(3, "b"));
  SetSlides({});
  SetLinkRun({one, two});
  Start();
  EXPECT_TRUE(dialogs_->Calls().empty());  // no notice in a link run
  EXPECT_EQ(Shown(), "a1.png");
  EXPECT_EQ(core::Lists().LinkPosition, 2);
  EXPECT_EQ(core::Lists().SlideEndIndex, 3);
  EXPECT_EQ(core::Lists().SlidePaths[2], dir_.filePath("a2.png"));
  EXPECT_TRUE(core::Lists().SlidePaths[3].isEmpty());
}

TEST_F(SlidescreenShowTest, ARefusedFirstLinkFileClosesTheWindowAndEndsTheShow) {
  QFile bad(dir_.filePath("bad.kvz"));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write("nothing\r\n");
  bad.close();
  SetSlides(MakePictures(2));
  SetLinkRun({bad.fileName()});
  engine::ShowFullScreenWindow();
  ASSERT_TRUE(WaitFor([this] { return !ScreenUp(); }));
  ASSERT_EQ(dialogs_->Calls().size(), 1u);
  EXPECT_EQ(dialogs_->Calls()[0].title, "ファイルを開く");
  EXPECT_EQ(core::Flags().ShowEndRequested, 0);
  EXPECT_EQ(core::Flags().ShowStopped, 1);
  EXPECT_EQ(core::Lists().LinkRunActive, 0);
  EXPECT_TRUE(core::form1().isVisible());
}

TEST_F(SlidescreenShowTest, AnEmptyListLeavesTheWindowUpAndBlack) {
  Start([] { return engine::Slidescreen2IfLoaded() && engine::slidescreen2().isVisible(); });
  WaitFor([] { return false; }, 30);
  EXPECT_TRUE(ScreenUp());
  EXPECT_EQ(CentreOfP2(), qRgb(0, 0, 0));
  EXPECT_EQ(core::Lists().CurrentSlideIndex, 0);
  EXPECT_EQ(core::Flags().ShowRunning, 0);
  EXPECT_FALSE(core::form1().Timer1.Enabled());
}

TEST_F(SlidescreenShowTest, LaterActivationsNeverStartTheShowAgain) {
  core::Settings().FullStartConfirmOff = 0;
  SetSlides(MakePictures(3));
  // The notice gives the activation back to the window while the start is under way.
  dialogs_->OnNextCall([this](const platform::DialogCall&) { Screen().Form_Activate(); });
  Start();
  EXPECT_EQ(dialogs_->Calls().size(), 1u);
  EXPECT_EQ(core::Lists().CurrentSlideIndex, 2);

  // The control box has the activation; the show window gets it back, and its activation
  // brings the box up again.
  ASSERT_TRUE(WaitFor([] { return engine::slidescreen2().isActiveWindow(); }));
  engine::slidescreen2().Hide();
  Screen().activateWindow();
  ASSERT_TRUE(WaitFor([] { return engine::slidescreen2().isVisible(); }));
  EXPECT_EQ(core::Lists().CurrentSlideIndex, 2);
  EXPECT_EQ(Shown(), "slide1.png");
  EXPECT_EQ(dialogs_->Calls().size(), 1u);
}

TEST_F(SlidescreenShowTest, AFirstSlideThatEndsTheShowClosesTheWindow) {
  QStringList slides = MakePictures(2);
  QFile broken(dir_.filePath("broken.png"));
  ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
  broken.write("no picture here");
  broken.close();
  slides.prepend(broken.fileName());
  SetSlides(slides);
  dialogs_->Answer(platform::vbNo);  // keep the picture in the list: the show ends
  engine::ShowFullScreenWindow();
  ASSERT_TRUE(WaitFor([this] { return !ScreenUp(); }));
  EXPECT_EQ(dialogs_->Calls().at(0).title, "画像ファイル読込エラー");
  // Ended although the options would let a closed window's show go on.
  EXPECT_EQ(core::Flags().ShowStopped, 1);
  EXPECT_EQ(core::Flags().ShowRunning, 0);
  EXPECT_EQ(core::Lists().CurrentSlideIndex, 0);
  EXPECT_FALSE(core::form1().Timer1.Enabled());
}

TEST_F(SlidescreenShowTest, AWindowClosedDuringTheFirstSlideIsNotBroughtBack) {
  for (short alwaysFullScreenOff : {1, 0}) {
    SCOPED_TRACE(alwaysFullScreenOff);
    CloseShowWindows();
    core::Flags() = {};
    core::Lists().CurrentSlideIndex = 0;
    core::Settings().AlwaysFullScreenOff = alwaysFullScreenOff;
    core::Settings().DisplayEffect = engine::kEffectFromTop;
    SetSlides(MakePictures(3));
    // STOP or the slide timer closes the window while the first picture comes in.
    int steps = 0;
    engine::SetEffectStepObserver([&steps](const QRect&) {
      if (++steps == 3) Screen().Unload();
    });
    engine::ShowFullScreenWindow();
    ASSERT_TRUE(WaitFor([&steps] { return steps >= 3 && core::Flags().SlideInProgress == 0; }));
    WaitFor([] { return false; }, 30);
    engine::SetEffectStepObserver({});
    EXPECT_EQ(steps, 3);                                // nothing drawn after the close
    EXPECT_EQ(engine::SlidescreenIfLoaded(), nullptr);  // not loaded anew
    EXPECT_EQ(core::Flags().FullScreenShowActive, 0);
    if (alwaysFullScreenOff == 1) {
      // The show goes on in the main window.
      EXPECT_EQ(core::Flags().ShowRunning, 1);
      EXPECT_EQ(core::Lists().CurrentSlideIndex, 2);
      EXPECT_TRUE(core::form1().Timer1.Enabled());
    } else {
      EXPECT_EQ(core::Flags().ShowStopped, 1);
      EXPECT_EQ(core::Lists().CurrentSlideIndex, 0);
      EXPECT_FALSE(core::form1().Timer1.Enabled());
    }
    EXPECT_TRUE(core::form1().isVisible());
  }
}

// ---- clicks and keys
// ------------------------------------------------------------------------------

TEST_F(SlidescreenShowTest, ClicksAndKeys) {
  struct Case {
    const char* name;
    std::function<void(SlidescreenShowTest&)> set;
    std::function<void(SlidescreenShowTest&)> act;
    bool closes;
    short effectStop;
    bool controlBox;  // the control box is on screen afterwards
  };
  auto onP2 = [](SlidescreenShowTest& t) { Click(&t.Screen().P2); };
  auto escOnP2 = [](SlidescreenShowTest& t) { Key(&t.Screen().P2, Qt::Key_Escape); };
  const std::vector<Case> cases = {
      {"a click", [](auto&) {}, onP2, true, 1, false},
      {"a click while a choice is pending", [](auto&) { core::Flags().WaitingForChoice = 1; }, onP2,
       false, 1, true},
      {"a click with the Yes button up",
       [](SlidescreenShowTest& t) { t.Screen().Command1.SetVisible(true); }, onP2, false, 1, true},
      {"a click while locked", [](auto&) { core::Flags().OperationLocked = 1; }, onP2, false, 1,
       false},
      {"a click with the busy pointer", [](auto&) { platform::SetScreenMousePointer(13); }, onP2,
       false, 1, true},
      {"a click just after a movie", [](auto&) { listeditor::form3().Timer1.SetEnabled(true); },
       onP2, false, 0, false},
      {"a click on Picture2", [](SlidescreenShowTest& t) { t.Screen().Picture2.SetVisible(true); },
       [](SlidescreenShowTest& t) { Click(&t.Screen().Picture2); }, true, 0, false},
      {"Esc", [](auto&) {}, escOnP2, true, 1, false},
      {"another key", [](auto&) {},
       [](SlidescreenShowTest& t) { Key(&t.Screen().P2, Qt::Key_Space); }, false, 1, false},
      {"Esc while locked", [](auto&) { core::Flags().OperationLocked = 1; }, escOnP2, false, 1,
       false},
      {"Esc with the busy pointer", [](auto&) { platform::SetScreenMousePointer(13); }, escOnP2,
       false, 1, false},
      {"Esc on Picture2 while locked",
       [](SlidescreenShowTest& t) {
         core::Flags().OperationLocked = 1;
         t.Screen().Picture2.SetVisible(true);
       },
       [](SlidescreenShowTest& t) { Key(&t.Screen().Picture2, Qt::Key_Escape); }, false, 0, false},
      {"Esc on the window itself", [](auto&) {},
       [](SlidescreenShowTest& t) { Key(&t.Screen(), Qt::Key_Escape); }, true, 1, false},
  };
  SetSlides(MakePictures(3));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CloseShowWindows();
    core::Flags() = {};
    core::Lists().CurrentSlideIndex = 0;
    platform::SetScreenMousePointer(0);
    listeditor::form3().Timer1.SetEnabled(false);
    Start();
    engine::slidescreen2().Hide();  // the box shows again only when the rule shows it
    c.set(*this);
    core::Flags().EffectStop = 0;
    c.act(*this);
    EXPECT_EQ(!ScreenUp(), c.closes);
    EXPECT_EQ(core::Flags().EffectStop, c.effectStop);
    EXPECT_EQ(engine::slidescreen2().isVisible(), c.controlBox);
    if (c.closes) EXPECT_EQ(core::Flags().ShowScreenClosed, 1);
  }
  listeditor::form3().Timer1.SetEnabled(false);
  platform::SetScreenMousePointer(0);
}

TEST_F(SlidescreenShowTest, AKeyOrClickEndsARunningEffectAtOnce) {
  // A wide picture wiped in from the top at the normal pace: about two seconds. The slide
  // player shows the busy pointer meanwhile.
  core::ShowSettings& s = core::Settings();
  s.DisplayEffect = engine::kEffectFromTop;
  s.DisplayEffectSpeed = -30;
  s.ControlBoxOff = 1;
  // The effect's clock moves only by its pauses, so no step is ever late and each pause
  // processes events, however loaded the machine is.
  auto clock = std::chrono::steady_clock::now();
  engine::EffectPacing pacing = engine::EffectPacing::Default();
  pacing.now = [&clock] { return clock; };
  pacing.sleepUntil = [&clock](std::chrono::steady_clock::time_point until) {
    clock = std::max(clock, until);
  };
  engine::SetEffectPacing(pacing);
  struct Case {
    const char* name;
    int key;  // 0: a click
  };
  for (const Case& c : {Case{"a key", Qt::Key_Space}, Case{"a click", 0}}) {
    SCOPED_TRACE(c.name);
    CloseShowWindows();
    core::Flags() = {};
    core::Lists().CurrentSlideIndex = 0;
    const QString path = dir_.filePath("wide.png");
    QImage wide(1600, 1200, QImage::Format_RGB32);
    wide.fill(qRgb(10, 200, 30));
    wide.save(path);
    SetSlides({path, path});

    int steps = 0, stepsAfterInput = -1;
    engine::SetEffectStepObserver([&](const QRect&) {
      ++steps;
      if (stepsAfterInput >= 0) ++stepsAfterInput;
      if (steps == 20) {
        stepsAfterInput = 0;
        // Delivered by the effect's own event processing, as a user's input is.
        QWidget* p2 = &Screen().P2;
        const QPointF at(10, 10);
        if (c.key) {
          QCoreApplication::postEvent(p2, new QKeyEvent(QEvent::KeyPress, c.key, Qt::NoModifier));
        } else {
          QCoreApplication::postEvent(
              p2, new QMouseEvent(QEvent::MouseButtonPress, at, p2->mapToGlobal(at), Qt::LeftButton,
                                  Qt::LeftButton, Qt::NoModifier));
          QCoreApplication::postEvent(
              p2, new QMouseEvent(QEvent::MouseButtonRelease, at, p2->mapToGlobal(at),
                                  Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
        }
      }
    });
    Start([] { return core::Flags().ShowRunning == 1 && core::Flags().SlideInProgress == 0; });
    engine::SetEffectStepObserver({});
    EXPECT_GE(steps, 20);
    EXPECT_LE(stepsAfterInput, 2);  // ended at its next test
    EXPECT_EQ(core::Flags().EffectStop, 0);
    // The whole picture is shown; the slide player's busy pointer kept the click from
    // closing the window, and the show goes on full screen.
    const QImage& p2 = Screen().P2.Image();
    EXPECT_EQ(p2.pixel(p2.width() / 2, p2.height() - 2), qRgb(10, 200, 30));
    EXPECT_EQ(p2.pixel(2, 2), qRgb(10, 200, 30));
    EXPECT_TRUE(ScreenUp());
    EXPECT_EQ(core::Flags().ShowRunning, 1);
  }
  engine::SetEffectPacing(engine::EffectPacing::Default());  // its clock goes with this scope
}

TEST_F(SlidescreenShowTest, YesAndNoAnswerTheQuestion) {
  SetSlides(MakePictures(2));
  Start();
  Screen().Command1.DoClick();
  EXPECT_EQ(core::Flags().YesPressed, 1);
  EXPECT_EQ(core::Flags().NoPressed, 0);
  Screen().Command2.DoClick();
  EXPECT_EQ(core::Flags().NoPressed, 1);
  EXPECT_TRUE(ScreenUp());
}

// ---- the unload
// -----------------------------------------------------------------------------------

TEST_F(SlidescreenShowTest, UnloadEndsTheShowOrLetsItGoOn) {
  struct Case {
    const char* name;
    std::function<void()> set;
    bool ends;
    const char* back;  // the window shown afterwards: "Form1", "Form3" or "Form9"
  };
  const std::vector<Case> cases = {
      {"a show of the main window, always-full-screen off", [] {}, false, "Form1"},
      {"always full screen", [] { core::Settings().AlwaysFullScreenOff = 0; }, true, "Form1"},
      {"started from the slide list editor", [] { core::Flags().StartedFromListEditor = 1; }, true,
       "Form3"},
      {"a link run", [] { core::Lists().LinkRunActive = 1; }, true, "Form1"},
      {"one file of the link list", [] { core::Lists().LinkSingleFileRun = 1; }, true, "Form9"},
      {"the control box's stop", [] { core::Flags().UnloadEndsShow = 1; }, true, "Form1"},
      {"the first slide ended the show", [] { engine::slidescreen().EndShowOnClose = 1; }, true,
       "Form1"},
  };
  SetSlides(MakePictures(3));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CloseShowWindows();
    core::Flags() = {};
    core::Lists().CurrentSlideIndex = 0;
    core::Lists().LinkRunActive = 0;
    core::Lists().LinkSingleFileRun = 0;
    core::Settings().AlwaysFullScreenOff = 1;
    listeditor::form3().Hide();
    schedule::form9().Hide();
    core::form1().Picture1.ClearPicture();
    Start();
    Screen().Picture1(5).SetVisible(true);
    Screen().Command1.SetVisible(true);
    core::Buttons().PicButtonsShown[5] = 1;
    c.set();
    QPointer<engine::Slidescreen> screen(&Screen());
    screen->Unload();

    EXPECT_EQ(core::Flags().FullScreenShowActive, 0);
    EXPECT_EQ(core::Flags().ShowScreenClosed, 1);
    EXPECT_FALSE(engine::slidescreen2().isVisible());
    EXPECT_FALSE(screen->Picture1(5).Visible());
    EXPECT_FALSE(screen->Command1.Visible());
    EXPECT_EQ(core::Buttons().PicButtonsShown[5], 0);
    core::Form1& f1 = core::form1();
    if (c.ends) {
      EXPECT_EQ(core::Flags().ShowStopped, 1);
      EXPECT_EQ(core::Flags().ShowRunning, 0);
      EXPECT_EQ(core::Lists().CurrentSlideIndex, 0);
      EXPECT_EQ(core::Lists().LinkRunActive, 0);
      EXPECT_EQ(core::Lists().LinkPosition, 0);
      EXPECT_FALSE(f1.Timer1.Enabled());
      EXPECT_TRUE(f1.Picture1.Picture().isNull());
      EXPECT_TRUE(f1.Command1.Enabled());
      EXPECT_TRUE(f1.Command4.Enabled());
      EXPECT_FALSE(f1.Command2.Enabled());
      EXPECT_FALSE(f1.Command3.Enabled());
      EXPECT_TRUE(f1.Command6.Enabled());
      EXPECT_TRUE(f1.mnuOPTION.Visible());
      EXPECT_FALSE(f1.mnuICHI.Visible());
      EXPECT_TRUE(f1.mnuNEW.Enabled());
    } else {
      // The show goes on in the main window, with the last picture fitted into the
      // preview box.
      EXPECT_EQ(core::Flags().ShowRunning, 1);
      EXPECT_EQ(core::Lists().CurrentSlideIndex, 2);
      EXPECT_TRUE(f1.Timer1.Enabled());
      EXPECT_TRUE(f1.Command3.Enabled());
      const QImage& preview = f1.Picture1.Picture();
      ASSERT_FALSE(preview.isNull());
      EXPECT_GT(preview.width(), 160);
      EXPECT_NEAR(preview.width() * 3.0 / preview.height(), 4.0, 0.05);
      EXPECT_EQ(preview.pixel(preview.width() / 2, preview.height() / 2), SlideColour(1).rgb());
    }
    ASSERT_TRUE(WaitFor([&] {
      const bool f3 = listeditor::form3().isVisible(), f9 = schedule::form9().isVisible();
      return std::string(c.back) == "Form3"   ? f3 && !f1.isVisible()
             : std::string(c.back) == "Form9" ? f9
                                              : f1.isVisible() && !f3 && !f9;
    }));
  }
  listeditor::form3().Hide();
  schedule::form9().Hide();
}

TEST_F(SlidescreenShowTest, NoRefitWithoutSizeAdjustment) {
  core::Settings().SizeAdjustMode = 2;
  SetSlides(MakePictures(3));
  Start();
  core::form1().Picture1.ClearPicture();
  Screen().Unload();
  EXPECT_EQ(core::Flags().ShowRunning, 1);
  EXPECT_TRUE(core::form1().Picture1.Picture().isNull());
}

}  // namespace

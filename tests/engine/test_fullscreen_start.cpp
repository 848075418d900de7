// "画面全体": the full-screen start without a show under way, and carrying a running or
// paused show of the main window over to the show window; the demo show's file.
#include <QProcess>

#include "core/form4.h"
#include "engine/fullscreen_start.h"
#include "engine/picture_prep.h"
#include "engine/surfaces.h"
#include "platform/clock.h"
#include "platform/twips.h"
#include "test_slidescreen_fixture.h"

namespace {

using show_test::ShowWindowTest;
using show_test::WaitFor;

class FullScreenStartTest : public ShowWindowTest {
 protected:
  // A show under way in the main window, its current picture of w x h pixels loaded in
  // `colour` (the unscaled copy in Form4.Lead2); `running` or paused.
  void ShowUnderWay(int w, int h, QColor colour, bool running) {
    SetSlides(MakePictures(3));
    core::Form4& work = core::form4();
    QImage picture(w, h, QImage::Format_RGB32);
    picture.fill(colour);
    work.Lead2.SetImagePicture(picture);
    work.Picture1.SetPicture(picture.scaled(w / 4, h / 4));  // as fitted into the preview box
    core::Surfaces().LoadedPictureWidth = w * platform::TwipsPerPixelX;
    core::Surfaces().LoadedPictureHeight = h * platform::TwipsPerPixelY;
    core::Lists().CurrentSlideIndex = running ? 3 : 2;  // slide 2 on screen
    core::Flags().ShowRunning = running ? 1 : 0;
    core::Form1& f1 = core::form1();
    f1.Command1.SetEnabled(!running);
    f1.Timer1.SetEnabled(false);
  }

  static QSize Screen() {
    const core::TwipsRect m = core::MonitorRectTwips(core::MainMonitorIndex());
    return {platform::TwipsToPixelsX(m.Width), platform::TwipsToPixelsY(m.Height)};
  }
  static QRgb P2At(int x, int y) { return engine::slidescreen().P2.Image().pixel(x, y); }
};

TEST_F(FullScreenStartTest, WithoutAShowItOnlyPlacesAndShowsTheWindow) {
  SetSlides(MakePictures(3));
  core::Flags().ShowStopped = 1;
  core::form1().Timer1.SetEnabled(true);
  engine::FullScreenStart();

  engine::Slidescreen& screen = engine::slidescreen();
  EXPECT_TRUE(screen.isVisible());
  EXPECT_EQ(screen.geometry().size(), Screen());
  EXPECT_EQ(screen.P2.size(), Screen());
  EXPECT_EQ(core::Flags().FullScreenShowActive, 1);
  EXPECT_EQ(core::Flags().ShowStopped, 0);
  EXPECT_FALSE(core::form1().Timer1.Enabled());
  EXPECT_FALSE(core::form1().mnuOPEN.Enabled());
  EXPECT_EQ(core::Lists().ScheduleDateText, platform::Date().toString("yyyy/MM/dd"));
  // Nothing drawn by the start itself.
  EXPECT_EQ(P2At(Screen().width() / 2, Screen().height() / 2), qRgb(0, 0, 0));
}

TEST_F(FullScreenStartTest, TheAutomaticStartPlaysAtTheUsersVolume) {
  SetSlides(MakePictures(1));
  core::Settings().VolumeAttenuationSetting = 400;
  core::Sound().VolumeAttenuation = 0;
  engine::StartFullScreenShowAtStartup();
  EXPECT_EQ(core::Sound().VolumeAttenuation, 400);
}

TEST_F(FullScreenStartTest, TheMainWindowsButtonStartsTheShowFullScreen) {
  SetSlides(MakePictures(3));
  core::form1().Command4.SetEnabled(true);
  core::form1().Command4.DoClick();  // 画面全体
  ASSERT_TRUE(WaitFor([] { return core::Flags().ShowRunning == 1; }));
  EXPECT_TRUE(engine::slidescreen().isVisible());
  EXPECT_EQ(Shown(), "slide1.png");
  EXPECT_EQ(P2At(Screen().width() / 2, Screen().height() / 2), show_test::SlideColour(1).rgb());
  EXPECT_FALSE(core::form1().isVisible());
}

TEST_F(FullScreenStartTest, AShowUnderWayComesOverWithItsPictureFitted) {
  struct Case {
    bool running;
    bool timerAfter;
  };
  for (const Case& c : {Case{true, true}, Case{false, false}}) {
    SCOPED_TRACE(c.running ? "running" : "paused");
    CloseShowWindows();
    const QSize screen = Screen();
    // Twice the screen's width, as tall as the screen: fitted to the width.
    ShowUnderWay(screen.width() * 2, screen.height(), QColor(200, 40, 40), c.running);
    engine::FullScreenStart();

    const int fittedHeight = screen.height() / 2;
    const int top = (screen.height() - fittedHeight) / 2;
    EXPECT_EQ(core::form4().Picture1.Picture().size(), QSize(screen.width(), fittedHeight));
    EXPECT_EQ(P2At(screen.width() / 2, screen.height() / 2), qRgb(200, 40, 40));
    EXPECT_EQ(P2At(5, top + 2), qRgb(200, 40, 40));
    EXPECT_EQ(P2At(5, top - 3), qRgb(0, 0, 0));
    EXPECT_EQ(core::Flags().ShowScreenHasPicture, 1);
    EXPECT_EQ(core::Lists().CurrentSlideIndex, c.running ? 3 : 2);
    EXPECT_EQ(core::form1().Timer1.Enabled(), c.timerAfter);
    EXPECT_EQ(core::form1().Timer1.Interval(), 3000);
    EXPECT_EQ(platform::ScreenMousePointer(), 0);
  }
}

TEST_F(FullScreenStartTest, SizeRulesOfTheCarriedPicture) {
  struct Case {
    const char* name;
    short sizeMode;
    short adjust;
    QSize picture;   // as loaded, in screen widths and heights x 1/4
    QSize expected;  // holder size in the same units; (0, 0) = left as the slide player left it
  };
  const std::vector<Case> cases = {
      {"smaller than the screen is not enlarged", 0, 1, {2, 2}, {2, 2}},
      {"調整なし never resizes", 6, 1, {8, 8}, {8, 8}},
      {"60 % of the screen", 2, 0, {8, 8}, {0, 0}},
      {"no size adjustment keeps the holder", 0, 2, {8, 8}, {-1, -1}},
  };
  const QSize screen = Screen();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CloseShowWindows();
    core::Settings().PictureSizeMode = c.sizeMode;
    core::Settings().SizeAdjustMode = c.adjust;
    const QSize loaded(screen.width() * c.picture.width() / 4,
                       screen.height() * c.picture.height() / 4);
    ShowUnderWay(loaded.width(), loaded.height(), Qt::blue, false);
    const QSize before = core::form4().Picture1.Picture().size();
    engine::FullScreenStart();
    const QSize held = core::form4().Picture1.Picture().size();
    if (c.expected == QSize(-1, -1)) {
      EXPECT_EQ(held, before);
    } else if (c.expected == QSize(0, 0)) {
      EXPECT_EQ(held, QSize(int(screen.width() * 0.6), int(screen.height() * 0.6)));
    } else {
      EXPECT_EQ(held, QSize(screen.width() * c.expected.width() / 4,
                            screen.height() * c.expected.height() / 4));
    }
  }
}

// The main window's show decoded a large JPEG reduced, for its preview box; "調整なし"
// full screen shows it at the size it has in the file.
TEST_F(FullScreenStartTest, APictureDecodedReducedComesOverAtItsLoadedSize) {
  const QString path = dir_.filePath("large.jpg");
  QImage large(3200, 2400, QImage::Format_RGB32);
  large.fill(QColor(30, 90, 200));
  ASSERT_TRUE(large.save(path, "JPEG", 90));
  SetSlides({path, path});
  core::Settings().PictureSizeMode = 6;
  core::Settings().SizeAdjustMode = 1;
  core::Flags().FullScreenShowActive = 0;
  core::Lists().CurrentSlideIndex = 1;
  engine::PreparePicture();
  ASSERT_LT(core::form4().Lead2.ImageWidth(), 3200);  // the reduced decode
  core::Lists().CurrentSlideIndex = 2;
  engine::FullScreenStart();
  EXPECT_EQ(core::form4().Picture1.Picture().size(), QSize(3200, 2400));
  EXPECT_EQ(P2At(Screen().width() / 2, Screen().height() / 2), qRgb(30, 90, 200));
}

TEST_F(FullScreenStartTest, RefusedWhileTheSlideListEditorIsOpenOrASlideIsDrawn) {
  core::Flags().SlideInProgress = 1;
  engine::FullScreenStart();
  EXPECT_EQ(engine::SlidescreenIfLoaded(), nullptr);
  EXPECT_TRUE(dialogs_->Calls().empty());

  core::Flags().SlideInProgress = 0;
  core::Flags().SlideListEditorOpen = 1;
  engine::FullScreenStart();
  EXPECT_EQ(engine::SlidescreenIfLoaded(), nullptr);
  ASSERT_EQ(dialogs_->Calls().size(), 1u);
  EXPECT_EQ(dialogs_->Calls()[0].text, "ファイル選択を終了させてから行って下さい。");
  EXPECT_EQ(dialogs_->Calls()[0].title, "ファイル選択");
  EXPECT_EQ(dialogs_->Calls()[0].icon, platform::vbExclamation);
  EXPECT_EQ(core::Flags().FullScreenShowActive, 0);
}

TEST_F(FullScreenStartTest, TheDemoShowsFileReadsBack) {
  const QString script = QStringLiteral(FIXTURES_DIR "/../../samples/make-demo.sh");
  QProcess make;
  make.start("bash", {script, dir_.path()});
  ASSERT_TRUE(make.waitForFinished(60000));
  ASSERT_EQ(make.exitCode(), 0) << make.readAllStandardError().toStdString();

  core::Paths().OpenedFileFolder = dir_.path() + "/";
  core::LoadSlideshowFile(dir_.filePath("demo.kvz"));
  EXPECT_TRUE(dialogs_->Calls().empty());
  EXPECT_EQ(core::Flags().ShowEndRequested, 0);
  const listeditor::Form3& editor = listeditor::form3();
  ASSERT_EQ(editor.List1.ListCount(), 4);
  for (int i = 0; i < 4; ++i) {
    const QString path = editor.List1.List(i);
    EXPECT_EQ(path, dir_.filePath(QString("demo%1.jpg").arg(i + 1)));
    EXPECT_FALSE(QImage(path).isNull());
  }
  const core::ShowSettings& s = core::Settings();
  EXPECT_EQ(s.DisplayEffect, engine::kEffectInTurn);
  EXPECT_EQ(s.EraseEffect, engine::kEraseEffectLinked);
  EXPECT_EQ(s.DisplayEffectSpeed, -30);
  EXPECT_EQ(s.SlideIntervalSeconds, 4);
  EXPECT_EQ(s.SoundMode, 7);
  EXPECT_EQ(s.RepeatOff, 0);
  EXPECT_EQ(s.AlwaysFullScreenOff, 0);
}

}  // namespace

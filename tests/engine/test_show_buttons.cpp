// The main window's show buttons: the phases of a show (START, PAUSE, STOP, stepping),
// the start position, the refusals, and a whole show of pictures of every kind shown
// upright in the preview box.
#include <gtest/gtest.h>

#include "engine/form1_show.h"
#include "engine/slideplayer.h"
#include "engine/slidetimer.h"
#include "test_slideplayer_fixture.h"

namespace {

using namespace slideplayer_test;

class ShowButtonsTest : public MainWindowShowTest {
 protected:
  static core::Form1& F() { return core::form1(); }
  static short Index() { return core::Lists().CurrentSlideIndex; }

  // The enabled state of START, PAUSE, STOP, 画面全体, 前画面, 次画面, ｽﾗｲﾄﾞﾘｽﾄ, BGM,
  // ｽｹｼﾞｭｰﾙ as a string of 1 and 0.
  static std::string Buttons() {
    core::Form1& f = F();
    std::string s;
    for (platform::CommandButton* b :
         {&f.Command1, &f.Command2, &f.Command3, &f.Command4, &f.Command5, &f.Command7, &f.Command6,
          &f.Command10, &f.Command11})
      s += b->Enabled() ? '1' : '0';
    return s;
  }
};

TEST_F(ShowButtonsTest, StartPauseStepAndStopFollowThePhases) {
  SetSlides(MakeSlides(4));
  engine::Command1_Click();
  EXPECT_EQ(PreviewSlide(), 1);
  EXPECT_EQ(Buttons(), "011100000");  // running
  EXPECT_FALSE(F().mnuNEW.Enabled());
  EXPECT_FALSE(F().mnuOPTION.Visible());
  EXPECT_EQ(core::Flags().PlayStarted, 1);
  engine::Timer1_Timer();
  EXPECT_EQ(PreviewSlide(), 2);

  engine::Command2_Click();  // PAUSE at slide 2
  EXPECT_EQ(Index(), 2);
  EXPECT_EQ(Buttons(), "101111000");
  EXPECT_FALSE(F().Timer1.Enabled());
  EXPECT_EQ(core::Flags().ShowRunning, 0);
  EXPECT_EQ(core::Flags().PlayStarted, 0);

  engine::Command7_Click();  // 次画面
  EXPECT_EQ(PreviewSlide(), 3);
  EXPECT_EQ(Index(), 3);
  engine::Command7_Click();
  EXPECT_EQ(PreviewSlide(), 4);
  EXPECT_FALSE(F().Command7.Enabled());  // the last slide
  EXPECT_FALSE(F().Timer1.Enabled());    // stepping never switches the timer on
  engine::Command5_Click();              // 前画面
  engine::Command5_Click();
  engine::Command5_Click();
  EXPECT_EQ(PreviewSlide(), 1);
  EXPECT_FALSE(F().Command5.Enabled());
  EXPECT_TRUE(F().Command7.Enabled());

  engine::Command1_Click();  // START again: the slide after the one on screen
  EXPECT_EQ(PreviewSlide(), 2);
  EXPECT_EQ(Buttons(), "011100000");
  EXPECT_TRUE(F().Timer1.Enabled());

  engine::Command3_Click();  // STOP
  EXPECT_EQ(Buttons(), "100100111");
  EXPECT_EQ(core::Flags().ShowStopped, 1);
  EXPECT_EQ(Index(), 0);
  EXPECT_FALSE(F().Timer1.Enabled());
  EXPECT_TRUE(PreviewPicture().isNull());
  EXPECT_TRUE(F().mnuNEW.Enabled());
  EXPECT_TRUE(F().mnuOPTION.Visible());
  EXPECT_FALSE(F().mnuICHI.Visible());

  // A second STOP does nothing.
  F().Command6.SetEnabled(false);
  engine::Command3_Click();
  EXPECT_FALSE(F().Command6.Enabled());
}

TEST_F(ShowButtonsTest, PauseAtTheFirstSlideLeavesPreviousDisabled) {
  SetSlides(MakeSlides(2));
  engine::Command1_Click();
  engine::Command2_Click();
  EXPECT_EQ(Index(), 1);
  EXPECT_FALSE(F().Command5.Enabled());
  EXPECT_TRUE(F().Command7.Enabled());
}

TEST_F(ShowButtonsTest, PauseDoesNothingWhileBusyOrLocked) {
  SetSlides(MakeSlides(3));
  engine::Command1_Click();
  const std::string running = Buttons();
  platform::SetScreenMousePointer(13);
  engine::Command2_Click();
  platform::SetScreenMousePointer(0);
  core::Flags().SlideInProgress = 1;
  engine::Command2_Click();
  core::Flags().SlideInProgress = 0;
  core::Flags().OperationLocked = 1;
  engine::Command2_Click();
  engine::Command3_Click();  // STOP too
  EXPECT_EQ(Buttons(), running);
  EXPECT_EQ(core::Flags().ShowRunning, 1);
  EXPECT_TRUE(F().Timer1.Enabled());
}

TEST_F(ShowButtonsTest, NextStepsOverSlidesOutsideTheirSchedule) {
  const QString future = QStringLiteral("2030/01/0100:00") + QString(15, ' ');
  SetSlides(MakeSlides(4), {QString(), future, future, QString()});
  engine::Command1_Click();
  engine::Command2_Click();
  engine::Command7_Click();
  EXPECT_EQ(PreviewSlide(), 4);
  EXPECT_EQ(Index(), 4);
  EXPECT_FALSE(F().Command7.Enabled());
  engine::Command5_Click();
  EXPECT_EQ(PreviewSlide(), 1);
  EXPECT_EQ(Index(), 1);
}

TEST_F(ShowButtonsTest, StartWhileTheSlideListEditorIsOpenIsRefused) {
  SetSlides(MakeSlides(2));
  core::Flags().SlideListEditorOpen = 1;
  const std::string before = Buttons();
  engine::Command1_Click();
  ASSERT_EQ(Messages().size(), 1);
  EXPECT_EQ(Messages()[0], QStringLiteral("ファイル選択を終了させてから行って下さい。"));
  EXPECT_EQ(dialogs_->Calls()[0].title, QStringLiteral("ファイル選択"));
  EXPECT_EQ(dialogs_->Calls()[0].icon, platform::vbExclamation);
  EXPECT_EQ(Buttons(), before);
  EXPECT_EQ(core::Flags().ShowRunning, 0);
  EXPECT_EQ(PreviewSlide(), 0);
}

TEST_F(ShowButtonsTest, StartWhileAShowRunsOnlyDisablesTheButtons) {
  SetSlides(MakeSlides(2));
  engine::Command1_Click();
  engine::Command1_Click();
  EXPECT_EQ(Buttons(), "000000000");
  EXPECT_EQ(Index(), 2);
  EXPECT_FALSE(F().mnuSAVE.Enabled());
}

struct StartCase {
  const char* name;
  short continueStart;
  short lastShown;
  short chosen;  // -1: no chosen slide
  int firstShown;
};

TEST_F(ShowButtonsTest, StartPositionFollowsTheStartOptions) {
  const StartCase cases[] = {
      {"from the top", 0, 2, -1, 1},
      {"continue after slide 2", 1, 2, -1, 3},
      {"continue after the last slide", 1, 4, -1, 1},
      {"chosen slide", 1, 2, 1, 2},
  };
  const QStringList slides = MakeSlides(4);
  for (const StartCase& c : cases) {
    SetSlides(slides);
    core::Settings().ContinueStart = c.continueStart;
    core::Lists().LastShownSlideIndex = c.lastShown;
    core::Lists().StartAtChosenSlide = c.chosen >= 0 ? 1 : 0;
    core::Lists().ChosenStartSlide = c.chosen;
    engine::Command1_Click();
    EXPECT_EQ(PreviewSlide(), c.firstShown) << c.name;
    EXPECT_EQ(core::Lists().StartAtChosenSlide, 0) << c.name;
    engine::Command3_Click();
  }
}

TEST_F(ShowButtonsTest, StartPastTheEndRepeatsOrStops) {
  SetSlides(MakeSlides(2));
  for (short repeatOff : {0, 1}) {
    core::Settings().RepeatOff = repeatOff;
    engine::Command1_Click();
    engine::Timer1_Timer();
    engine::Command2_Click();  // paused at the last slide
    ASSERT_EQ(Index(), 2);
    F().Picture1.ClearPicture();
    engine::Command1_Click();
    if (repeatOff == 0) {
      EXPECT_EQ(core::Flags().ShowRunning, 1);
      EXPECT_EQ(Index(), 1);
      EXPECT_TRUE(F().Timer1.Enabled());
      EXPECT_EQ(Buttons(), "011100000");
      EXPECT_EQ(PreviewSlide(), 0);
      engine::Timer1_Timer();
      EXPECT_EQ(PreviewSlide(), 1);
      engine::Command3_Click();
    } else {
      EXPECT_EQ(core::Flags().ShowRunning, 0);
      EXPECT_EQ(core::Flags().ShowStopped, 1);
      EXPECT_FALSE(F().Timer1.Enabled());
      EXPECT_EQ(Buttons(), "100100111");
    }
  }
}

TEST_F(ShowButtonsTest, AStopDuringTheFirstSlideLeavesTheShowStopped) {
  const QString bad = Write(QStringLiteral("bad.png"), QByteArray("not a picture"));
  SetSlides({bad, MakeSlides(1)[0]});
  // STOP is pressed while the read-error question is up; the answer then is Yes.
  dialogs_->OnNextCall([](const platform::DialogCall&) { engine::Command3_Click(); });
  dialogs_->Answer(platform::vbYes);
  engine::Command1_Click();
  EXPECT_EQ(core::Flags().ShowStopped, 1);
  EXPECT_FALSE(F().Timer1.Enabled());
  EXPECT_EQ(Buttons(), "100100111");
}

TEST_F(ShowButtonsTest, AlwaysFullScreenStartsTheFullScreenShow) {
  SetSlides(MakeSlides(2));
  core::Settings().AlwaysFullScreenOff = 0;
  core::Flags().SlideListEditorOpen = 1;  // the full-screen start makes its own refusal
  engine::Command1_Click();
  ASSERT_EQ(Messages().size(), 1);
  EXPECT_EQ(core::Flags().PlayStarted, 0);
  core::Flags().SlideListEditorOpen = 0;
  engine::Command1_Click();
  EXPECT_EQ(core::Flags().FullScreenShowActive, 1);
  EXPECT_EQ(core::Flags().PlayStarted, 0);
}

// ---- a whole show -----------------------------------------------------------------------------

TEST_F(ShowButtonsTest, AShowOfEveryKindOfPictureShowsEachUprightAndRemovesTheUnreadable) {
  core::Settings().ErrorEntryAutoRemove = 1;
  const QImage upright = QuarterPicture(240, 160);
  const QString photo =
      Write(QStringLiteral("photo.jpg"), JpegWithOrientation(StoredForOrientation(upright, 6), 6));
  const QString turned =
      Write(QStringLiteral("turned.jpg"), JpegWithOrientation(StoredForOrientation(upright, 8), 8));
  const QString png = Save(QStringLiteral("p.png"), upright);
  const QString missing = dir_.filePath(QStringLiteral("missing.png"));
  const QString bmp = Save(QStringLiteral("p.bmp"), upright);
  const QString damaged =
      Write(QStringLiteral("damaged.jpg"), QByteArray("\xFF\xD8\xFF\xE0 broken", 11));
  const QString tif = Save(QStringLiteral("p.tif"), upright, "TIFF");
  const QString pcx = Write(QStringLiteral("p.pcx"), PcxOf(upright));
  const QString large = Save(QStringLiteral("large.png"), QuarterPicture(2400, 1600));
  SetSlides({photo, turned, png, missing, bmp, damaged, tif, pcx, large});

  const QString shownInOrder[] = {photo, turned, png, bmp, tif, pcx, large};
  engine::Command1_Click();
  int shown = 0;
  for (int tick = 0; tick < 20 && core::Flags().ShowRunning == 1; ++tick) {
    if (!PreviewPicture().isNull()) {
      ASSERT_LT(shown, 7);
      const std::string what = core::Paths().CurrentSlideFileName.toStdString();
      EXPECT_EQ(core::Lists().SlidePaths[Index() - 1], shownInOrder[shown]) << what;
      const QImage picture = PreviewPicture();
      const int w = picture.width(), h = picture.height();
      EXPECT_NEAR(w * 2, h * 3, 3) << what;  // landscape 3:2, upright
      EXPECT_TRUE(Near(picture.pixelColor(w / 4, h / 4), kTopLeft)) << what;
      EXPECT_TRUE(Near(picture.pixelColor(3 * w / 4, h / 4), kTopRight)) << what;
      EXPECT_TRUE(Near(picture.pixelColor(w / 4, 3 * h / 4), kBottomLeft)) << what;
      // Fitted into the preview box.
      EXPECT_LE(w, F().Picture1.Width() / platform::TwipsPerPixelX) << what;
      EXPECT_LE(h, F().Picture1.Height() / platform::TwipsPerPixelY) << what;
      ++shown;
      F().Picture1.ClearPicture();
    }
    engine::Timer1_Timer();
  }
  EXPECT_EQ(shown, 7);
  EXPECT_TRUE(Messages().isEmpty());
  EXPECT_EQ(core::Flags().ShowStopped, 1);
  EXPECT_EQ(listeditor::form3().List1.ListCount(), 7);
  EXPECT_EQ(core::Lists().SlideEndIndex, 8);
}

}  // namespace

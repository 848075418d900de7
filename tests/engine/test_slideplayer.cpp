// One pass of the slide player in the main window and full screen: the schedule test,
// random order, the movie branch, unreadable pictures (the question, the removal, the end
// of the show), and the guards a pass keeps.
#include <gtest/gtest.h>

#include "engine/picture_prep.h"
#include "engine/slideplayer.h"
#include "platform/vberror.h"
#include "test_slideplayer_fixture.h"

namespace {

using namespace slideplayer_test;

class SlidePlayerTest : public MainWindowShowTest {
 protected:
  // A pass at `index` as a caller makes it: the slide timer off, START disabled.
  void Pass(short index) {
    core::form1().Command1.SetEnabled(false);
    core::form1().Timer1.SetInterval(3000);
    core::Lists().CurrentSlideIndex = index;
    engine::ShowCurrentSlide();
  }
  static int Interval() { return core::form1().Timer1.Interval(); }
};

// ---- schedule -------------------------------------------------------------------------------

TEST(ScheduleMoment, ReadsDatesTimesAndEveryDayTimes) {
  const QString today = QStringLiteral("2024/05/10");
  EXPECT_FALSE(engine::ScheduleMoment(QStringLiteral("                "), today).has_value());
  EXPECT_EQ(*engine::ScheduleMoment(QStringLiteral("2024/05/01 10:30"), today),
            QDateTime(QDate(2024, 5, 1), QTime(10, 30)));
  EXPECT_EQ(*engine::ScheduleMoment(QStringLiteral("2024/05/01      "), today),
            QDateTime(QDate(2024, 5, 1), QTime(0, 0)));
  // A time without a date means every day: it is taken on the day of the pass.
  EXPECT_EQ(*engine::ScheduleMoment(QStringLiteral("           08:15"), today),
            QDateTime(QDate(2024, 5, 10), QTime(8, 15)));
  for (const char* bad : {"2024/13/01 10:00", "tomorrow", "2024/05/01 25:00"}) {
    try {
      engine::ScheduleMoment(QString::fromLatin1(bad), today);
      ADD_FAILURE() << bad;
    } catch (const platform::VbError& e) {
      EXPECT_EQ(e.Number(), platform::kErrTypeMismatch) << bad;
    }
  }
}

// A schedule record: show-from date (10) and time (5), show-until date and time.
QString Rec(const char* fromDate, const char* fromTime, const char* untilDate = "",
            const char* untilTime = "") {
  return QString::fromLatin1(fromDate).leftJustified(10) +
         QString::fromLatin1(fromTime).leftJustified(5) +
         QString::fromLatin1(untilDate).leftJustified(10) +
         QString::fromLatin1(untilTime).leftJustified(5);
}

struct ScheduleCase {
  const char* name;
  QString record;
  bool shown;
};

TEST_F(SlidePlayerTest, ScheduleDecidesWhetherTheSlideIsShown) {
  // The clock reads 2024/05/10 12:00:00.
  const ScheduleCase cases[] = {
      {"no schedule", Rec("", ""), true},
      {"start equals now", Rec("2024/05/10", "12:00"), true},
      {"end equals now", Rec("", "", "2024/05/10", "12:00"), true},
      {"start one minute later", Rec("2024/05/10", "12:01"), false},
      {"ended a minute ago", Rec("", "", "2024/05/10", "11:59"), false},
      {"inside both", Rec("2024/05/01", "00:00", "2024/06/01", "00:00"), true},
      {"start date alone, today", Rec("2024/05/10", ""), true},
      {"every day from 13:00", Rec("", "13:00"), false},
      {"every day until 11:00", Rec("", "", "", "11:00"), false},
      {"every day from 09:00", Rec("", "09:00"), true},
  };
  const QString picture = MakeSlides(1)[0];
  for (const ScheduleCase& c : cases) {
    SetSlides({picture}, {c.record});
    core::form1().Picture1.ClearPicture();
    core::Flags().SlideSkipped = 0;
    Pass(1);
    EXPECT_EQ(PreviewSlide() == 1, c.shown) << c.name;
    EXPECT_EQ(core::Flags().SlideSkipped, c.shown ? 0 : 1) << c.name;
    EXPECT_EQ(Interval(), c.shown ? 3000 : 1) << c.name;
    EXPECT_EQ(core::Flags().SlideInProgress, 0) << c.name;
    EXPECT_EQ(core::Lists().CurrentSlideIndex, 1) << c.name;
  }
}

TEST_F(SlidePlayerTest, OneSecondPastTheEndIsSkipped) {
  SetSlides(MakeSlides(1), {Rec("", "", "2024/05/10", "12:00")});
  platform::SetTestNow(QDateTime(QDate(2024, 5, 10), QTime(12, 0, 1)));
  Pass(1);
  EXPECT_EQ(core::Flags().SlideSkipped, 1);
}

TEST_F(SlidePlayerTest, APassKeepsTheMomentOfItsFirstSlide) {
  // Slide 2 is shown every day from 12:30; slide 1 was shown at 12:00.
  SetSlides(MakeSlides(2), {Rec("", ""), Rec("", "12:30")});
  Pass(1);
  platform::SetTestNow(QDateTime(QDate(2024, 5, 10), QTime(13, 0)));
  Pass(2);
  EXPECT_EQ(core::Flags().SlideSkipped, 1);
  // Back at slide 1 the date and time are taken anew.
  core::Flags().SlideSkipped = 0;
  Pass(1);
  Pass(2);
  EXPECT_EQ(core::Flags().SlideSkipped, 0);
  EXPECT_EQ(PreviewSlide(), 2);
}

// ---- random order ---------------------------------------------------------------------------

TEST(RandomSlide, EverySlideHasTheSameChance) {
  EXPECT_EQ(engine::RandomSlideIndex(0.0, 4), 1);
  EXPECT_EQ(engine::RandomSlideIndex(0.2499, 4), 1);
  EXPECT_EQ(engine::RandomSlideIndex(0.25, 4), 2);
  EXPECT_EQ(engine::RandomSlideIndex(0.9999, 4), 4);
  EXPECT_EQ(engine::RandomSlideIndex(0.5, 0), 1);
  EXPECT_EQ(engine::RandomSlideIndex(0.7, 1), 1);
  int counts[5] = {};
  platform::SeedRandom(7);
  for (int i = 0; i < 50000; ++i) ++counts[engine::RandomSlideIndex(platform::Rnd(), 5) - 1];
  for (int n : counts) EXPECT_NEAR(n, 10000, 500);
}

TEST_F(SlidePlayerTest, RandomPassTestsTheScheduleOfTheSlideItTakes) {
  core::Settings().RandomOrderOff = 0;
  // Slide 1 (where the caller stands) is outside its schedule, slide 3 inside; slide 2 is
  // outside too.
  SetSlides(MakeSlides(3), {Rec("2030/01/01", "00:00"), Rec("2030/01/01", "00:00"), Rec("", "")});
  platform::ScriptRandom({0.9});
  Pass(1);
  EXPECT_EQ(core::Lists().CurrentSlideIndex, 3);
  EXPECT_EQ(PreviewSlide(), 3);
  EXPECT_EQ(core::Flags().SlideSkipped, 0);

  core::form1().Picture1.ClearPicture();
  platform::ScriptRandom({0.5});
  Pass(3);
  EXPECT_EQ(core::Lists().CurrentSlideIndex, 2);
  EXPECT_EQ(core::Flags().SlideSkipped, 1);
  EXPECT_EQ(Interval(), 1);
  EXPECT_EQ(core::Flags().SlideInProgress, 0);
  EXPECT_EQ(PreviewSlide(), 0);
}

TEST_F(SlidePlayerTest, NoRandomChoiceWhileSteppingByHandOrInALinkRun) {
  core::Settings().RandomOrderOff = 0;
  SetSlides(MakeSlides(4));
  platform::ScriptRandom({0.99, 0.99});
  core::form1().Command1.SetEnabled(true);  // paused: START enabled
  core::Lists().CurrentSlideIndex = 2;
  engine::ShowCurrentSlide();
  EXPECT_EQ(PreviewSlide(), 2);
  core::Lists().LinkRunActive = 1;
  Pass(3);
  EXPECT_EQ(PreviewSlide(), 3);
  platform::ScriptRandom({});
}

// ---- movies -----------------------------------------------------------------------------------

TEST_F(SlidePlayerTest, MissingMovieEndsTheShowWithItsMessage) {
  const QString movie = dir_.filePath(QStringLiteral("gone.mp4"));
  SetSlides({movie});
  Pass(1);
  ASSERT_EQ(Messages().size(), 1);
  EXPECT_EQ(Messages()[0],
            movie + QStringLiteral(" 動画ファイルが再生できません。ファイルを確認してください。"));
  EXPECT_EQ(dialogs_->Calls()[0].title, QStringLiteral("動画ファイル再生エラー"));
  EXPECT_EQ(dialogs_->Calls()[0].icon, platform::vbExclamation);
  EXPECT_EQ(core::Flags().ShowEndRequested, 1);
  EXPECT_EQ(core::Flags().SlideInProgress, 0);
}

TEST_F(SlidePlayerTest, AMoviePlaysInTheMovieWindowAndTheNextSlideFollowsAfter100Ms) {
  const QString clip = dir_.filePath(QStringLiteral("clip.mp4"));
  ASSERT_TRUE(QFile::copy(QStringLiteral(FIXTURES_DIR "/clip.mp4"), clip));
  SetSlides({clip});
  Pass(1);
  EXPECT_TRUE(Messages().isEmpty());
  EXPECT_EQ(core::Flags().MovieAborted, 0);
  EXPECT_EQ(core::Flags().ShowEndRequested, 0);
  EXPECT_EQ(core::Flags().SkipEraseEffect, 1);
  EXPECT_EQ(Interval(), 100);
  EXPECT_EQ(core::Paths().CurrentSlideFileName, QStringLiteral("clip.mp4"));
  EXPECT_EQ(core::Flags().SlideInProgress, 0);
}

TEST_F(SlidePlayerTest, AMovieThatCannotBePlayedEndsTheShowInTheMainWindow) {
  SetSlides({Write(QStringLiteral("broken.mp4"), QByteArray(4096, '\x5a'))});
  Pass(1);
  ASSERT_EQ(Messages().size(), 1);
  EXPECT_EQ(dialogs_->Calls()[0].title, QStringLiteral("動画再生エラー"));
  EXPECT_EQ(core::Flags().MovieAborted, 1);
  EXPECT_EQ(core::Flags().ShowEndRequested, 1);
  EXPECT_EQ(core::Flags().UnloadEndsShow, 1);
  EXPECT_EQ(Interval(), 100);
}

// ---- unreadable pictures ------------------------------------------------------------------

class ReadErrorTest : public SlidePlayerTest {
 protected:
  void SetUp() override {
    SlidePlayerTest::SetUp();
    good_ = MakeSlides(3);
    bad_ = Write(QStringLiteral("bad.jpg"), QByteArrayLiteral("\xFF\xD8\xFF not a picture"));
  }
  QStringList good_;
  QString bad_;
};

TEST_F(ReadErrorTest, AnsweringYesRemovesTheEntryAndGoesOnAtOnce) {
  SetSlides({good_[0], bad_, good_[1]},
            {Rec("", ""), Rec("2024/01/01", "00:00"), Rec("", "", "2030/01/01", "00:00")});
  dialogs_->Answer(platform::vbYes);
  Pass(2);
  ASSERT_EQ(Messages().size(), 1);
  EXPECT_EQ(Messages()[0], bad_ + QStringLiteral("\r\n画像ファイルが読み込めません。\r\n"
                                                 "スライドリストから削除して継続しますか？"));
  EXPECT_EQ(dialogs_->Calls()[0].title, QStringLiteral("画像ファイル読込エラー"));
  EXPECT_EQ(dialogs_->Calls()[0].buttons, platform::vbYesNo);
  EXPECT_EQ(dialogs_->Calls()[0].icon, platform::vbQuestion);

  const core::ListState& lists = core::Lists();
  EXPECT_EQ(lists.CurrentSlideIndex, 1);  // the caller's +1 shows the slide that moved up
  EXPECT_EQ(lists.LastShownSlideIndex, 1);
  EXPECT_EQ(lists.SlideEndIndex, 3);
  EXPECT_EQ(lists.SlidePaths[2], good_[1]);
  EXPECT_TRUE(lists.SlidePaths[3].isEmpty());
  // The moved slide keeps its own schedule.
  EXPECT_EQ(lists.SlideDeleteDateTimes[2], QStringLiteral("2030/01/01 00:00"));
  EXPECT_TRUE(lists.SlideAddDateTimes[3].trimmed().isEmpty());
  EXPECT_EQ(listeditor::form3().List1.ListCount(), 2);
  EXPECT_EQ(listeditor::form3().List2.ListCount(), 2);
  EXPECT_EQ(listeditor::form3().Label4.Caption(), QStringLiteral("2"));
  EXPECT_EQ(Interval(), 10);
  EXPECT_EQ(core::Flags().ShowEndRequested, 0);
  EXPECT_EQ(core::Flags().SlideInProgress, 0);
  EXPECT_TRUE(PreviewPicture().isNull());
}

TEST_F(ReadErrorTest, AnsweringNoEndsTheShowAndKeepsTheList) {
  SetSlides({good_[0], bad_});
  dialogs_->Answer(platform::vbNo);
  Pass(2);
  EXPECT_EQ(core::Flags().ShowEndRequested, 1);
  EXPECT_EQ(core::Lists().SlideEndIndex, 3);
  EXPECT_EQ(listeditor::form3().List1.ListCount(), 2);
  EXPECT_EQ(Interval(), 3000);
}

TEST_F(ReadErrorTest, AutomaticRemovalAsksNothing) {
  core::Settings().ErrorEntryAutoRemove = 1;
  const QString missing = dir_.filePath(QStringLiteral("missing.png"));
  SetSlides({bad_, missing, good_[0]});
  Pass(1);
  EXPECT_EQ(core::Lists().CurrentSlideIndex, 0);
  Pass(1);
  EXPECT_EQ(core::Lists().CurrentSlideIndex, 0);
  Pass(1);
  EXPECT_EQ(PreviewSlide(), 1);
  EXPECT_TRUE(Messages().isEmpty());
  EXPECT_EQ(core::Lists().SlideEndIndex, 2);
}

TEST_F(ReadErrorTest, RemovingTheOnlySlideEndsTheShow) {
  core::Settings().ErrorEntryAutoRemove = 1;
  SetSlides({bad_});
  core::Form1& f1 = core::form1();
  for (auto* b : {&f1.Command2, &f1.Command3, &f1.Command4}) b->SetEnabled(true);
  Pass(1);
  ASSERT_EQ(Messages().size(), 1);
  EXPECT_EQ(Messages()[0], QStringLiteral("スライドリストに　画像ファイルが見つかりません。"));
  EXPECT_EQ(dialogs_->Calls()[0].title, QStringLiteral("スライドショー"));
  for (auto* b : {&f1.Command1, &f1.Command2, &f1.Command3, &f1.Command4})
    EXPECT_FALSE(b->Enabled());
  EXPECT_EQ(core::Flags().ShowEndRequested, 1);
  EXPECT_EQ(core::Lists().SlideEndIndex, 1);
}

TEST_F(ReadErrorTest, MinimisedMainWindowPassesTheSlideOverSilently) {
  SetSlides({bad_, good_[0]});
  core::form1().SetWindowState(1);
  Pass(1);
  EXPECT_TRUE(Messages().isEmpty());
  EXPECT_EQ(core::Lists().SlideEndIndex, 3);
  EXPECT_EQ(core::Flags().ShowEndRequested, 0);
  EXPECT_EQ(Interval(), 3000);
}

TEST_F(ReadErrorTest, AFailureOutsideThePictureDoesNotBlameIt) {
  // An overlay filter that fails on the picture still on the screen (the imaging control
  // holds none) leaves the new picture to be shown.
  engine::SelectPictureDC(PlainPicture(20, 20, Qt::red));
  core::Flags().ShowScreenHasPicture = 1;
  core::Settings().OverlayMode = 3;
  core::form4().Lead1.ReleaseImage();
  SetSlides(good_);
  Pass(2);
  EXPECT_TRUE(Messages().isEmpty());
  EXPECT_EQ(PreviewSlide(), 2);
  EXPECT_EQ(core::Lists().SlideEndIndex, 4);
}

TEST_F(ReadErrorTest, APassNeverRunsInsideAnother) {
  SetSlides({bad_, good_[0]});
  short indexDuringQuestion = -1;
  short inProgressDuringQuestion = -1;
  dialogs_->OnNextCall([&](const platform::DialogCall&) {
    core::Lists().CurrentSlideIndex = 2;
    engine::ShowCurrentSlide();  // would show slide 2 if it ran
    indexDuringQuestion = core::Lists().CurrentSlideIndex;
    inProgressDuringQuestion = core::Flags().SlideInProgress;
    core::Lists().CurrentSlideIndex = 1;
  });
  dialogs_->Answer(platform::vbNo);
  Pass(1);
  EXPECT_EQ(Messages().size(), 1);
  EXPECT_EQ(indexDuringQuestion, 2);
  EXPECT_EQ(inProgressDuringQuestion, 1);
  EXPECT_EQ(PreviewSlide(), 0);
}

// ---- flags a closed show leaves ------------------------------------------------------------

TEST_F(SlidePlayerTest, APassInTheMainWindowClearsTheClosedShowWindowsFlag) {
  SetSlides(MakeSlides(1));
  core::Flags().ShowScreenClosed = 1;
  Pass(1);
  EXPECT_EQ(core::Flags().ShowScreenClosed, 0);
  EXPECT_EQ(PreviewSlide(), 1);
}

TEST_F(SlidePlayerTest, StoppedShowShowsNothing) {
  SetSlides(MakeSlides(1));
  core::Flags().ShowStopped = 1;
  Pass(1);
  EXPECT_EQ(PreviewSlide(), 0);
  EXPECT_EQ(core::Flags().SlideInProgress, 0);
  EXPECT_EQ(core::Lists().LastShownSlideIndex, 1);
}

TEST_F(SlidePlayerTest, AOnePassTickerThatNoLongerMovesIsNotWaitedFor) {
  SetSlides(MakeSlides(1));
  core::Flags().TelopOnceRunning = 1;  // its window closed: no ticker timer runs
  Pass(1);
  EXPECT_EQ(core::Flags().TelopOnceRunning, 0);
  EXPECT_EQ(PreviewSlide(), 1);
}

TEST_F(SlidePlayerTest, TheTickerWaitGivesTheSlideUpWhenStartIsEnabledAgain) {
  SetSlides(MakeSlides(1));
  core::Form1& f1 = core::form1();
  core::Flags().TelopOnceRunning = 1;
  f1.Timer4.SetInterval(500);
  f1.Timer4.SetEnabled(true);
  QTimer::singleShot(30, &f1, [&f1] { f1.Command1.SetEnabled(true); });  // PAUSE
  Pass(1);
  EXPECT_EQ(PreviewSlide(), 0);
  EXPECT_EQ(core::Flags().TelopOnceRunning, 0);
  EXPECT_FALSE(f1.Timer4.Enabled());
  EXPECT_EQ(core::Flags().SlideInProgress, 0);
}

TEST_F(SlidePlayerTest, EmptyPathEndsThePassQuietly) {
  SetSlides(MakeSlides(1));
  Pass(5);
  EXPECT_TRUE(Messages().isEmpty());
  EXPECT_EQ(core::Flags().SlideInProgress, 0);
  EXPECT_EQ(PreviewSlide(), 0);
}

// ---- full screen ---------------------------------------------------------------------------

TEST_F(SlidePlayerTest, FullScreenPassPutsThePictureCentredOnTheShowSurface) {
  const core::TwipsRect monitor = core::MonitorRectTwips(0);
  const int monW = monitor.Width / platform::TwipsPerPixelX;
  const int monH = monitor.Height / platform::TwipsPerPixelY;
  SetSlides({Save(QStringLiteral("wide.png"), PlainPicture(monW * 2, monH, SlideColour(4)))});
  core::Flags().FullScreenShowActive = 1;
  engine::Slidescreen& screen = engine::slidescreen();
  Pass(1);
  EXPECT_EQ(core::Flags().ShowScreenHasPicture, 1);
  EXPECT_EQ(core::Surfaces().PictureMemDCInUse, 1);
  // Fitted to the monitor's width, half its height, in the middle.
  const QImage& p2 = screen.P2.Image();
  EXPECT_TRUE(Near(p2.pixelColor(monW / 2, monH / 2), SlideColour(4), 12));
  EXPECT_TRUE(Near(p2.pixelColor(monW / 2, 5), Qt::black, 0));
  EXPECT_EQ(core::Surfaces().PictureTop, monH / 4);
  EXPECT_EQ(core::Paths().CurrentSlideFileName, QStringLiteral("wide.png"));
}

}  // namespace

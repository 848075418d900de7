// The slide timer's tick: the next slide at each tick, the end of the list (stop or
// repeat), the interval rule, the reload of a changed slideshow file, link-list chaining,
// and a show carried by the real timer.
#include <gtest/gtest.h>

#include "core/slideshow_file.h"
#include "engine/form1_show.h"
#include "engine/slidetimer.h"
#include "test_slideplayer_fixture.h"

namespace {

using namespace slideplayer_test;

class SlideTimerTest : public MainWindowShowTest {
 protected:
  static void Start() { engine::Command1_Click(); }
  static void Tick() { engine::Timer1_Timer(); }
  static core::Form1& F() { return core::form1(); }
  static short Index() { return core::Lists().CurrentSlideIndex; }

  // A slideshow file of `paths`, written as the editor's 保存 writes it, and opened.
  QString SaveAndOpen(const QString& name, const QStringList& paths) {
    SetSlides(paths);
    QString path = dir_.filePath(name);
    core::Paths().DistributionSave = 0;
    core::SaveSlideshowFile(path);
    core::Paths().OpenedFileFolder = dir_.path() + QLatin1Char('/');
    core::LoadSlideshowFile(path);
    return path;
  }

  static void ExpectStopped(const char* where) {
    const core::Form1& f = F();
    EXPECT_EQ(core::Flags().ShowStopped, 1) << where;
    EXPECT_EQ(core::Flags().ShowRunning, 0) << where;
    EXPECT_EQ(core::Flags().PlayStarted, 0) << where;
    EXPECT_EQ(Index(), 0) << where;
    EXPECT_FALSE(f.Timer1.Enabled()) << where;
    EXPECT_TRUE(f.Command1.Enabled()) << where;
    EXPECT_TRUE(f.Command4.Enabled()) << where;
    EXPECT_FALSE(f.Command2.Enabled()) << where;
    EXPECT_FALSE(f.Command3.Enabled()) << where;
    EXPECT_FALSE(f.Command5.Enabled()) << where;
    EXPECT_FALSE(f.Command7.Enabled()) << where;
    EXPECT_TRUE(f.Command6.Enabled()) << where;
    EXPECT_TRUE(f.mnuOPTION.Visible()) << where;
    EXPECT_TRUE(PreviewPicture().isNull()) << where;
  }
};

TEST_F(SlideTimerTest, EachTickShowsTheNextSlideUntilTheListEnds) {
  SetSlides(MakeSlides(3));
  Start();
  EXPECT_EQ(PreviewSlide(), 1);
  EXPECT_EQ(Index(), 2);
  EXPECT_TRUE(F().Timer1.Enabled());
  for (int slide = 2; slide <= 3; ++slide) {
    Tick();
    EXPECT_EQ(PreviewSlide(), slide);
    EXPECT_EQ(Index(), slide + 1);
    EXPECT_TRUE(F().Timer1.Enabled());
    EXPECT_EQ(F().Timer1.Interval(), 3000);
  }
  Tick();
  ExpectStopped("end of the list");
}

TEST_F(SlideTimerTest, WithRepeatTheListStartsAgainInTheSameTick) {
  core::Settings().RepeatOff = 0;
  SetSlides(MakeSlides(2));
  Start();
  Tick();
  EXPECT_EQ(PreviewSlide(), 2);
  Tick();
  EXPECT_EQ(PreviewSlide(), 1);
  EXPECT_EQ(Index(), 2);
  EXPECT_TRUE(F().Timer1.Enabled());
  EXPECT_EQ(core::Flags().ShowRunning, 1);
}

TEST_F(SlideTimerTest, AListOfOneSlideEndsAtTheFirstTick) {
  SetSlides(MakeSlides(1));
  Start();
  EXPECT_EQ(PreviewSlide(), 1);
  Tick();
  ExpectStopped("one slide");
}

TEST_F(SlideTimerTest, ASkippedSlideFollowsAfterOneMillisecondForOneTickOnly) {
  SetSlides(MakeSlides(3), {QString(), QStringLiteral("2030/01/0100:00") + QString(15, ' ')});
  Start();
  Tick();
  EXPECT_EQ(PreviewSlide(), 1);  // slide 2 lies in the future
  EXPECT_EQ(F().Timer1.Interval(), 1);
  EXPECT_TRUE(F().Timer1.Enabled());
  Tick();
  EXPECT_EQ(PreviewSlide(), 3);
  EXPECT_EQ(F().Timer1.Interval(), 3000);
}

TEST_F(SlideTimerTest, AForcedListEndFinishesTheListInItsMiddle) {
  SetSlides(MakeSlides(3));
  Start();
  core::Sound().ListEndForced = 1;
  Tick();
  EXPECT_EQ(core::Sound().ListEndForced, 0);
  ExpectStopped("forced end");
}

TEST_F(SlideTimerTest, AnEmptyListTicksWithoutEffect) {
  SetSlides({});
  core::Flags().ShowRunning = 1;
  core::Lists().CurrentSlideIndex = 1;
  F().Timer1.SetEnabled(true);
  Tick();
  EXPECT_EQ(core::Flags().ShowStopped, 0);
  EXPECT_EQ(Index(), 1);
  EXPECT_TRUE(F().Timer1.Enabled());
  EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(SlideTimerTest, EndRequestedByASlideStopsTheShow) {
  core::Settings().ErrorEntryAutoRemove = 0;
  const QString bad = Write(QStringLiteral("bad.png"), QByteArray("not a picture"));
  SetSlides({MakeSlides(1)[0], bad});
  Start();
  dialogs_->Answer(platform::vbNo);
  Tick();
  EXPECT_EQ(core::Flags().ShowEndRequested, 0);
  ExpectStopped("answered no");
}

TEST_F(SlideTimerTest, AChangedSlideshowFileIsReadAgainFromSlideOne) {
  const QStringList first = MakeSlides(2);
  const QString file = SaveAndOpen(QStringLiteral("show.kvz"), first);
  Start();
  Tick();
  EXPECT_EQ(PreviewSlide(), 2);

  // Another program writes the file anew: three other slides.
  const QStringList second = MakeSlides(5).mid(2);
  SetSlides(second);
  QString path = file;
  core::SaveSlideshowFile(path);
  // The show still holds the old list and the stamp it read.
  core::Paths().SlideshowFileTime = QStringLiteral("an older stamp");
  core::Lists().SlidePaths.Erase();
  core::Lists().SlidePaths[1] = first[0];
  core::Lists().SlidePaths[2] = first[1];
  core::Lists().SlideEndIndex = 3;

  Tick();
  EXPECT_EQ(PreviewSlide(), 3);  // the new slide 1
  EXPECT_EQ(Index(), 2);
  EXPECT_EQ(core::Lists().SlideEndIndex, 4);
  EXPECT_EQ(core::Paths().SlideshowFileTime, core::FileDateTimeText(file));
  EXPECT_TRUE(F().Timer1.Enabled());
}

TEST_F(SlideTimerTest, AVanishedSlideshowFileWarnsOnceWithTheTimerOff) {
  const QString file = SaveAndOpen(QStringLiteral("show.kvz"), MakeSlides(3));
  Start();
  ASSERT_TRUE(QFile::remove(file));
  bool timerOnDuringWarning = true;
  dialogs_->OnNextCall(
      [&](const platform::DialogCall&) { timerOnDuringWarning = F().Timer1.Enabled(); });
  Tick();
  ASSERT_EQ(Messages().size(), 1);
  EXPECT_EQ(Messages()[0], file + QStringLiteral("\r\nこのファイル名は適合しません。"));
  EXPECT_FALSE(timerOnDuringWarning);
  EXPECT_TRUE(core::Paths().SlideshowFileTime.isEmpty());
  Tick();
  EXPECT_EQ(Messages().size(), 1);
}

TEST_F(SlideTimerTest, ALinkRunGoesOnWithTheNextFileAndEndsAfterTheLast) {
  const QStringList slides = MakeSlides(3);
  const QString a = SaveAndOpen(QStringLiteral("a.kvz"), {slides[0]});
  const QString b = SaveAndOpen(QStringLiteral("b.kvz"), {slides[1], slides[2]});
  core::LoadSlideshowFile(a);
  core::ListState& lists = core::Lists();
  lists.LinkListEntries[1] = a;
  lists.LinkListEntries[2] = b;
  lists.LinkEndIndex = 3;
  lists.LinkPosition = 2;  // a.kvz is loaded
  lists.LinkRunActive = 1;
  // a.kvz's only slide has been shown.
  core::Flags().ShowRunning = 1;
  core::Flags().ShowStopped = 0;
  lists.CurrentSlideIndex = 2;
  F().Command1.SetEnabled(false);

  Tick();
  EXPECT_EQ(PreviewSlide(), 2);  // b.kvz's first slide
  EXPECT_EQ(lists.LinkPosition, 3);
  EXPECT_EQ(lists.SlideEndIndex, 3);
  EXPECT_EQ(Index(), 2);
  EXPECT_TRUE(F().Timer1.Enabled());
  Tick();
  EXPECT_EQ(PreviewSlide(), 3);

  // With the link list repeated a.kvz comes again.
  core::Settings().LinkRepeat = 1;
  Tick();
  EXPECT_EQ(PreviewSlide(), 1);
  EXPECT_EQ(lists.LinkPosition, 2);

  // Without repetition the show ends after the last file: the main window comes back.
  core::Settings().LinkRepeat = 0;
  lists.LinkPosition = 3;
  F().Hide();
  Tick();
  EXPECT_TRUE(F().isVisible());
  EXPECT_EQ(engine::SlidescreenIfLoaded() == nullptr || engine::SlidescreenIfLoaded()->IsClosed(),
            true);
}

TEST_F(SlideTimerTest, ARefusedLinkFileEndsTheRunWithTheTimerOff) {
  const QString bad = Write(QStringLiteral("bad.kvz"), QByteArray("not a slideshow file\r\n"));
  core::ListState& lists = core::Lists();
  SetSlides(MakeSlides(1));
  lists.LinkListEntries[1] = bad;
  lists.LinkEndIndex = 2;
  lists.LinkPosition = 1;
  lists.LinkRunActive = 1;
  core::Flags().ShowRunning = 1;
  lists.CurrentSlideIndex = 2;
  F().Timer1.SetEnabled(true);
  Tick();
  EXPECT_EQ(Messages().size(), 1);
  EXPECT_FALSE(F().Timer1.Enabled());
  EXPECT_EQ(core::Flags().ShowEndRequested, 0);
}

TEST_F(SlideTimerTest, TheLineDelayTimerOnlyClearsItsFlag) {
  core::Flags().LineDelayWaiting = 1;
  engine::Timer3_Timer();
  EXPECT_EQ(core::Flags().LineDelayWaiting, 0);
  engine::Timer3_Timer();
  EXPECT_EQ(core::Flags().LineDelayWaiting, 0);
}

TEST_F(SlideTimerTest, TheRealTimerCarriesTheShowOverSkippedSlides) {
  engine::ConnectShowHandlers(F());
  core::Settings().SlideIntervalSeconds = 1;
  // Slides 2 and 3 lie in the future: slide 4 follows slide 1 after one interval.
  const QString future = QStringLiteral("2030/01/0100:00") + QString(15, ' ');
  SetSlides(MakeSlides(4), {QString(), future, future, QString()});
  F().Command1.DoClick();
  EXPECT_EQ(PreviewSlide(), 1);
  EXPECT_TRUE(WaitFor([] { return PreviewSlide() == 4; }, 4000));
  EXPECT_EQ(F().Timer1.Interval(), 1000);
  F().Command3.DoClick();
  ExpectStopped("STOP");
}

}  // namespace

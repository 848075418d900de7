// Waits and flow: timed waits on the seconds clock (and over midnight), the line delay,
// loops by byte position, skips, the show's end, the lock and the cursor.
#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QTimer>

#include "core/form1.h"
#include "engine/slidescreen2.h"
#include "macro/show_commands.h"
#include "platform/clock.h"
#include "platform/cursor.h"
#include "tests/macro/macro_fixture.h"

namespace macro_test {
namespace {

constexpr int kKageRow = 69;

// A test clock that moves on by `stepMs` whenever events run, so that a wait ends after a
// known number of its passes. After `limit` steps it stops the show: a wait that never
// ends shows up as a failure, not a hang.
class SteppingClock {
 public:
  SteppingClock(const QDateTime& start, int stepMs, int limit = 2000)
      : start_(start), stepMs_(stepMs), limit_(limit) {
    platform::SetTestNow(start);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (++steps_ > limit_) {
        core::Flags().ShowStopped = 1;
        return;
      }
      if (frozenWhen && frozenWhen()) return;
      platform::AdvanceTestClock(stepMs_);
      if (onStep) onStep(steps_);
    });
    timer_.start(0);
  }
  ~SteppingClock() { platform::ClearTestNow(); }

  // Milliseconds the clock has moved on.
  qint64 Moved() const { return start_.msecsTo(platform::Now()); }
  int Steps() const { return steps_; }
  std::function<void(int)> onStep;
  // The clock stands still while this holds (the wait being timed is over).
  std::function<bool()> frozenWhen;

 private:
  QDateTime start_;
  int stepMs_;
  int limit_;
  int steps_ = 0;
  QTimer timer_;
};

const QDateTime kNoon(QDate(2024, 5, 1), QTime(12, 0, 0));

class FlowTest : public MacroTest {
 protected:
  // Counts the "KAGE" lines carried out.
  void CountKage() {
    Handle(kKageRow, [this] {
      ++kage_;
      macro::ConsumeLine();
    });
  }
  int kage_ = 0;
};

struct WaitCase {
  const char* line;
  qint64 waitsMs;  // how far the clock must move during the wait (0: no wait)
};

TEST_F(FlowTest, SleepWaitsItsSecondsWithinRange) {
  const WaitCase cases[] = {
      {"SLEEP=3", 3000}, {"Sleep=0.5", 500}, {"SLEEP=60", 60000}, {"SLEEP=0", 0},
      {"SLEEP=61", 0},   {"SLEEP=-1", 0},    {"SLEEP", 0},
  };
  for (const WaitCase& c : cases) {
    SetUp();
    SteppingClock clock(kNoon, 500);
    Run({c.line, "KAGE=2"});
    // Each line has its own event pass; a wait may overrun by one pass.
    EXPECT_GE(clock.Moved(), c.waitsMs) << c.line;
    EXPECT_LE(clock.Moved(), c.waitsMs + 3 * 500) << c.line;
    EXPECT_EQ(M().KageMode, 2) << c.line;
    EXPECT_EQ(core::Flags().MacroExitedEarly, 0) << c.line;
    TearDown();
  }
}

TEST_F(FlowTest, ATimedWaitGoesOnPastMidnight) {
  for (const char* line : {"SLEEP=3", "ENDTIME=3"}) {
    SetUp();
    SteppingClock clock(QDateTime(QDate(2024, 5, 1), QTime(23, 59, 59)), 100);
    clock.frozenWhen = [this] { return M().EndTimeReached == 1; };
    Run({line});
    EXPECT_GE(clock.Moved(), 3000) << line;
    EXPECT_LE(clock.Moved(), 3300) << line;
    EXPECT_EQ(platform::Now().date(), QDate(2024, 5, 2));
    TearDown();
  }
}

TEST_F(FlowTest, EndTimeLeavesTheSlideWithoutKeepingItInTheList) {
  // On the last slide the show goes on to the end of the list, while a skip of one
  // shows the last slide again.
  const struct {
    const char* line;
    short index;
    qint64 waitsMs;
  } cases[] = {{"ENDTIME=5", 3, 5000}, {"ENDTIME=0", 3, 0}, {"SKIP=1", 2, 0}};
  for (const auto& c : cases) {
    SetUp();
    core::Lists().CurrentSlideIndex = 3;  // the last of three
    core::Lists().SlidePaths[3] = core::Lists().SlidePaths[1];
    SteppingClock clock(kNoon, 100);
    Run({c.line, "KAGE=2"});
    EXPECT_GE(clock.Moved(), c.waitsMs) << c.line;
    EXPECT_EQ(core::Lists().CurrentSlideIndex, c.index) << c.line;
    EXPECT_EQ(M().KageMode, 0) << c.line;
    EXPECT_EQ(core::Flags().MacroExitedEarly, 1) << c.line;
    EXPECT_EQ(core::form1().Timer1.Interval(), 100) << c.line;
    TearDown();
  }
  SetUp();
  Run({"ENDTIME=601", "KAGE=2"});
  EXPECT_EQ(M().KageMode, 2);
  EXPECT_EQ(core::Flags().MacroExitedEarly, 0);
}

TEST_F(FlowTest, AJumpDuringAWaitEndsItThroughTheExitPath) {
  for (const char* line : {"SLEEP=60", "ENDTIME=600"}) {
    SetUp();
    SteppingClock clock(kNoon, 100);
    clock.frozenWhen = [] { return core::Flags().JumpRequested == 1; };
    clock.onStep = [](int step) {
      if (step == 5) {
        core::Lists().CurrentSlideIndex = 2;
        core::Flags().JumpRequested = 1;
      }
    };
    Run({line, "KAGE=2"});
    EXPECT_LT(clock.Moved(), 1000) << line;
    EXPECT_EQ(M().KageMode, 0) << line;
    EXPECT_EQ(core::Flags().MacroExitedEarly, 1) << line;
    EXPECT_EQ(core::Lists().CurrentSlideIndex, 2) << line;
    TearDown();
  }
}

TEST_F(FlowTest, AStopOrAClosedScreenEndsASleepAndTheRun) {
  for (int closed = 0; closed < 2; ++closed) {
    SetUp();
    SteppingClock clock(kNoon, 100);
    clock.onStep = [closed](int step) {
      if (step != 5) return;
      core::Flags().JumpRequested = 1;  // a closing screen is not taken for a jump
      (closed ? core::Flags().ShowScreenClosed : core::Flags().ShowStopped) = 1;
      if (!closed) core::Flags().JumpRequested = 0;
    };
    Run({"SLEEP=60", "KAGE=2"});
    EXPECT_LT(clock.Moved(), 1000);
    EXPECT_EQ(M().KageMode, 0);
    EXPECT_EQ(core::Flags().MacroExitedEarly, 0);
    EXPECT_EQ(core::Flags().JumpRequested, 0);
    TearDown();
  }
}

TEST_F(FlowTest, DelaySetsThePauseAfterEachDrawnLine) {
  const struct {
    const char* line;
    double ms;
  } cases[] = {{"DELAY=0.3", 300}, {"Delay=60", 60000}, {"DELAY=2.5", 2500}, {"DELAY=0", 0},
               {"DELAY=61", 0},    {"DELAY=-1", 0},     {"DELAY", 0}};
  for (const auto& c : cases) {
    SetUp();
    Run({c.line});
    EXPECT_EQ(M().LineDelayMs, c.ms) << c.line;
    TearDown();
  }
}

TEST_F(FlowTest, AnotherRunStartsWithoutTheDelay) {
  Run({"DELAY=0.1"});
  EXPECT_EQ(M().LineDelayMs, 100);
  Run({"KAGE=1"});
  EXPECT_EQ(M().LineDelayMs, 0);
}

TEST_F(FlowTest, LoopsRepeatTheirBlockByItsBytePosition) {
  const struct {
    const char* name;
    QStringList lines;
    int passes;
  } cases[] = {
      {"three", {"LOOP=3", "KAGE=1", "ENDLOOP"}, 3},
      {"once for 0", {"LOOP=0", "KAGE=1", "ENDLOOP"}, 1},
      {"once for 1", {"LOOP=1", "KAGE=1", "ENDLOOP"}, 1},
      {"once for a negative count", {"LOOP=-2", "KAGE=1", "ENDLOOP"}, 1},
      {"a half rounds to even", {"LOOP=2.5", "KAGE=1", "ENDLOOP"}, 2},
      {"after double-byte text",
       {"// 日本語のコメント", "[テキスト]", "LOOP=2", "KAGE=1", "ENDLOOP"},
       2},
      {"the second loop replaces the first",
       {"LOOP=3", "KAGE=1", "LOOP=2", "KAGE=1", "ENDLOOP"},
       3},
      {"no loop", {"KAGE=1", "ENDLOOP", "KAGE=1"}, 2},
      {"an ended loop jumps no more", {"LOOP=2", "KAGE=1", "ENDLOOP", "ENDLOOP", "KAGE=1"}, 3},
  };
  for (const char* eol : {"\r\n", "\n"}) {
    for (const auto& c : cases) {
      SetUp();
      CountKage();
      Run(c.lines, QString::fromLatin1(eol));
      EXPECT_EQ(kage_, c.passes) << c.name << (eol[0] == '\n' ? " LF" : " CR LF");
      kage_ = 0;
      TearDown();
    }
  }
}

TEST_F(FlowTest, ALoopRepeatsItsWaitsAndDrawing) {
  SteppingClock clock(kNoon, 100);
  Run({"RGB(255,0,0)", "[テキスト]", "LOOP=3", "SLEEP=1", "■", "ENDLOOP"});
  EXPECT_GE(clock.Moved(), 3000);
  EXPECT_LE(clock.Moved(), 3000 + 20 * 100);
  // Three squares, one row each (the empty line of the loop's own line feed adds none).
  const QRect red = Bounds(P2(), kRed);
  EXPECT_GT(red.height(), 2 * RowHeight(P2()));
  EXPECT_LT(red.height(), 3 * RowHeight(P2()) + 1);
}

TEST_F(FlowTest, SkipJumpsFromTheCurrentSlide) {
  // Slide 3 of 10; the slide timer adds one to the stored index.
  const struct {
    const char* line;
    short stored;
    short exited;
  } cases[] = {
      {"SKIP=1", 4, 1},  {"SKIP=-1", 2, 1}, {"SKIP=-5", 0, 1},
      {"SKIP=20", 9, 1}, {"SKIP=0", 3, 0},  {"SKIP=1.5", 4, 1},
  };
  for (const auto& c : cases) {
    SetUp();
    core::Lists().SlideEndIndex = 11;
    core::Lists().CurrentSlideIndex = 3;
    core::Lists().SlidePaths[3] = core::Lists().SlidePaths[1];
    Run({c.line, "KAGE=2"});
    EXPECT_EQ(core::Lists().CurrentSlideIndex, c.stored) << c.line;
    EXPECT_EQ(core::Flags().MacroExitedEarly, c.exited) << c.line;
    EXPECT_EQ(M().KageMode, c.exited ? 0 : 2) << c.line;
    TearDown();
  }
}

TEST_F(FlowTest, ASkipOutsideTheIndexRangeEndsTheRunAsAnError) {
  core::Lists().CurrentSlideIndex = 1;
  Run({"SKIP=99999", "KAGE=2"});
  EXPECT_EQ(core::Lists().CurrentSlideIndex, 1);
  EXPECT_EQ(core::Flags().MacroExitedEarly, 0);
  EXPECT_EQ(M().KageMode, 0);
}

TEST_F(FlowTest, EndOneEndsTheShowAfterThisSlide) {
  const struct {
    const char* line;
    short ends;
  } cases[] = {{"END=1", 1}, {"End=1.0", 1}, {"END=1.5", 0}, {"END=3", 0}, {"END", 0}};
  for (const auto& c : cases) {
    SetUp();
    core::Flags().OperationLocked = 1;
    Run({c.line, "KAGE=2"});
    EXPECT_EQ(core::Flags().ShowEndRequested, c.ends) << c.line;
    EXPECT_EQ(core::Flags().OperationLocked, c.ends ? 0 : 1) << c.line;
    EXPECT_EQ(core::Flags().MacroExitedEarly, c.ends) << c.line;
    EXPECT_EQ(M().KageMode, c.ends ? 0 : 2) << c.line;
    TearDown();
  }
}

TEST_F(FlowTest, TheLockOutlastsTheSlide) {
  Run({"LOCK=1"});
  EXPECT_EQ(core::Flags().OperationLocked, 1);
  Run({"LOCK=3", "LOCK=0"});
  EXPECT_EQ(core::Flags().OperationLocked, 1);
  Run({"Lock=2"});
  EXPECT_EQ(core::Flags().OperationLocked, 0);
}

TEST_F(FlowTest, ACommentLineDoesNothing) {
  SteppingClock clock(kNoon, 100);
  Run({"//SLEEP=5", "//END=1", "KAGE=2"});
  EXPECT_LE(clock.Moved(), 300);
  EXPECT_EQ(core::Flags().ShowEndRequested, 0);
  EXPECT_EQ(M().KageMode, 2);
}

bool BlankCursor() {
  const QCursor* c = QGuiApplication::overrideCursor();
  return c && c->shape() == Qt::BlankCursor;
}

TEST_F(FlowTest, CursorZeroHidesThePointerOnlyOnTheFullScreenShow) {
  for (short full = 0; full < 2; ++full) {
    SetUp();
    core::Flags().FullScreenShowActive = full;
    core::Settings().ControlBoxOff = 0;
    core::form1().mnuCTL[0].SetChecked(true);
    core::form1().mnuCTL[1].SetChecked(false);
    Run({"CURSOR=0"});
    EXPECT_EQ(BlankCursor(), full == 1);
    EXPECT_EQ(platform::CursorDisplayCount() < 0, full == 1);
    EXPECT_EQ(core::Flags().CursorHidden, full);
    // The control box is switched off as a setting, in the main window too.
    EXPECT_EQ(core::Settings().ControlBoxOff, 1);
    EXPECT_FALSE(core::form1().mnuCTL[0].Checked());
    EXPECT_TRUE(core::form1().mnuCTL[1].Checked());

    Run({"CURSOR=1"});
    EXPECT_FALSE(BlankCursor());
    EXPECT_GE(platform::CursorDisplayCount(), 0);
    EXPECT_EQ(core::Flags().CursorHidden, 0);
    EXPECT_EQ(core::Settings().ControlBoxOff, 1);  // not changed back
    TearDown();
  }
}

TEST_F(FlowTest, CursorZeroKeepsTheControlBoxPlaceAsTheShowSurfaceShowsIt) {
  core::Flags().FullScreenShowActive = 1;
  engine::Slidescreen2& box = engine::slidescreen2();
  box.Show();
  platform::DoEvents();
  const QRect r = macro::ControlBoxRectOnShowSurface();
  ASSERT_FALSE(r.isEmpty());
  P2().resize(r.right() + 20, r.bottom() + 20);
  P3().resize(P2().size());
  P4().resize(P2().size());
  {
    QPainter p(&P2().Canvas());
    p.fillRect(r, kRed);
  }
  Run({"CURSOR=0"});
  EXPECT_FALSE(box.isVisible());
  for (platform::PictureBox* copy : {&P3(), &P4()}) {
    EXPECT_EQ(At(*copy, r.center().x(), r.center().y()), kRed);
    EXPECT_EQ(At(*copy, r.left(), r.center().y()), kRed);
    EXPECT_EQ(At(*copy, r.left() - 1, r.center().y()), kBack);
  }
  Run({"CURSOR=1"});
  engine::ResetSlidescreen2();
}

}  // namespace
}  // namespace macro_test

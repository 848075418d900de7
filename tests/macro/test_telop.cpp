// The scrolling ticker: what a TELOP line starts (pace, step, text, side), where the label
// stands after chosen ticks, how passes end and repeat, and what stops it.
#include "core/services.h"
#include "engine/form1_show.h"
#include "macro/telop.h"
#include "platform/events.h"
#include "tests/macro/macro_fixture.h"

namespace macro_test {
namespace {

class Ticker : public MacroTest {
 public:
  void SetUp() override {
    MacroTest::SetUp();
    macro::StopTickers();
    macro::Telop() = macro::TelopState{};
  }
  void TearDown() override {
    macro::StopTickers();
    MacroTest::TearDown();
  }

  platform::Label& MainLabel() { return core::form1().Label1; }
  platform::Timer& MainTimer() { return core::form1().Timer4; }
  platform::Label& ShowLabel() { return engine::slidescreen().Label1; }
  platform::Timer& ShowTimer() { return engine::slidescreen().Timer1; }
  static int Left(const platform::Label& l) { return l.x(); }
  static int Top(const platform::Label& l) { return l.y(); }
  static void TickMain(int n = 1) {
    for (int i = 0; i < n; ++i) macro::Form1Timer4_Timer();
  }
  static void TickShow(int n = 1) {
    for (int i = 0; i < n; ++i) macro::SlidescreenTimer1_Timer();
  }
  static short OnceRunning() { return core::Flags().TelopOnceRunning; }
};

// ---- what a line starts ------------------------------------------------------------------------

struct LineCase {
  const char* line;
  bool running;
  int intervalMs;
  short step;
  const char* caption;
  short once;
};

TEST_F(Ticker, ArgumentsOfTheLine) {
  const LineCase cases[] = {
      {"TELOP(\"abc\")", true, 1000, 100, "abc", 0},
      {"TELOP(5,2,\"abc\")", true, 50, 2, "abc", 0},
      {"TELOP(5,\"abc\")", true, 50, 100, "abc", 0},
      {"TELOP(0,0,\"abc\")", true, 10, 1, "abc", 0},
      {"TELOP(2000,5000,\"abc\")", true, 10000, 1000, "abc", 0},
      {"Telop2(100,100,\"今日は\")  //ここにいテロップを記述する。", true, 1000, 100, "今日は", 0},
      {"TELOP(\"a,b\")", true, 10, 100, "a,b", 0},
      {"TELOP(200,\"a, b\")", true, 2000, 1, "b\"", 0},
      {"TELOP(\"a//b\")", true, 1000, 100, "a//b", 0},
      {"TELOP(99999,3,\"abc\")", true, 10, 3, "abc", 0},
      {"TELOP(5,99999,\"abc\")", true, 50, 7, "abc", 0},  // keeps the step it had (7)
      {"TELOP \"abc\"", true, 1000, 100, "abc", 0},
      {"TELOP(  abc  )", true, 1000, 100, "abc", 0},
      {"TELOP(5,2,abc)  // a comment", true, 50, 2, "abc", 0},
      {"TELOP1(1,4,\"abc\")", true, 10, 4, "abc", 1},
      {"telop1(\"abc\")", true, 1000, 100, "abc", 1},
      {"TELOP(5,2,\"a//b\")", false, 0, 2, "", 0},
      {"TELOP()", false, 0, 100, "", 0},
      {"TELOP(\"\")", false, 0, 100, "", 0},
      {"Telop2(\"\")　//テロップ終了（消去）", false, 0, 100, "", 0},
      {"TELOP(5,2,\"abc\"", false, 0, 2, "", 0},
      {"TELOP1()", false, 0, 100, "", 0},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(c.line);
    SetUp();
    // A stop must stop both sides, whichever runs; a start begins from idle.
    if (!c.running) {
      core::Flags().FullScreenShowActive = 1;
      Run({"TELOP(1000,1,\"show\")"});
      core::Flags().FullScreenShowActive = 0;
      Run({"TELOP(1000,1,\"main\")"});
      ASSERT_TRUE(ShowTimer().Enabled() && MainTimer().Enabled());
    }
    macro::Telop().TelopStep = 7;
    Run({QString::fromUtf8(c.line)});
    EXPECT_EQ(MainTimer().Enabled(), c.running);
    EXPECT_EQ(MainLabel().Visible(), c.running);
    EXPECT_EQ(MainLabel().Caption(), QString::fromUtf8(c.caption));
    if (c.running) {
      EXPECT_EQ(MainTimer().Interval(), c.intervalMs);
      EXPECT_EQ(macro::Telop().TelopStep, c.step);
    } else {
      EXPECT_FALSE(ShowTimer().Enabled());
      EXPECT_FALSE(ShowLabel().Visible());
      EXPECT_TRUE(ShowLabel().Caption().isEmpty());
    }
    EXPECT_EQ(OnceRunning(), c.once);
    EXPECT_EQ(macro::Telop().TelopText,
              c.running && c.once == 0 ? QString::fromUtf8(c.caption) : QString());
    // The ticker outlives its macro.
    EXPECT_EQ(MainTimer().IsRunning(), c.running);
  }
}

TEST_F(Ticker, StartsBeyondTheRightEdgeOnTheRowWithTheTextStyle) {
  Run({"FontSize=30", "FontBold=1", "FontItalic=1", "RGB(255,0,0)", "CurrentY=42",
       "TELOP(1000,10,\"■■\")"});
  platform::Label& label = MainLabel();
  EXPECT_EQ(Left(label), Preview().width());
  EXPECT_EQ(Top(label), 42);
  EXPECT_EQ(label.font().pointSizeF(), 30);
  EXPECT_TRUE(label.font().bold());
  EXPECT_TRUE(label.font().italic());
  EXPECT_EQ(label.font().families(), Preview().font().families());
  EXPECT_EQ(label.ForeColor(), kRed);
  EXPECT_EQ(label.BackStyle(), 0);
  // Sized to its caption.
  const double advance = QFontMetricsF(label.font()).horizontalAdvance(QStringLiteral("■■"));
  EXPECT_GE(label.width(), advance);
  EXPECT_LE(label.width(), advance * 1.2);
  EXPECT_EQ(label.parentWidget(), &Preview());
  // The show screen's ticker is not touched while the show runs in the main window.
  EXPECT_FALSE(ShowTimer().Enabled());
}

TEST_F(Ticker, OnTheShowScreenDuringTheFullScreenShow) {
  core::Flags().FullScreenShowActive = 1;
  Run({"CurrentY=25", "TELOP(1000,10,\"show\")"});
  EXPECT_TRUE(ShowTimer().Enabled());
  EXPECT_EQ(ShowLabel().Caption(), QStringLiteral("show"));
  EXPECT_EQ(Left(ShowLabel()), P2().width());
  EXPECT_EQ(Top(ShowLabel()), 25);
  EXPECT_EQ(ShowLabel().parentWidget(), &P2());
  EXPECT_FALSE(MainTimer().Enabled());
  // Then in the main window: the show screen's ticker runs on untouched.
  core::Flags().FullScreenShowActive = 0;
  Run({"TELOP(1000,10,\"main\")"});
  EXPECT_TRUE(MainTimer().Enabled());
  EXPECT_TRUE(ShowTimer().Enabled());
  EXPECT_EQ(ShowLabel().Caption(), QStringLiteral("show"));
}

// ---- ticks
// ---------------------------------------------------------------------------------------

TEST_F(Ticker, EachTickMovesTheStepAndAPassEndsPastTheLeftEdge) {
  for (const bool once : {false, true}) {
    SCOPED_TRACE(once ? "one pass" : "repeating");
    SetUp();
    Run({"CurrentY=30", once ? "TELOP1(1000,10,\"■■\")" : "TELOP(1000,10,\"■■\")"});
    const int surface = Preview().width();
    const int width = MainLabel().width();
    // The pass ends at tick k = Int((surface width + label width) / step) + 1.
    const int k = (surface + width) / 10 + 1;
    TickMain(3);
    EXPECT_EQ(Left(MainLabel()), surface - 30);
    EXPECT_EQ(Top(MainLabel()), 30);
    TickMain(k - 4);
    EXPECT_EQ(Left(MainLabel()), surface - 10 * (k - 1));
    EXPECT_GE(Left(MainLabel()), -width);
    EXPECT_TRUE(MainLabel().Visible());
    TickMain();
    if (once) {
      EXPECT_FALSE(MainLabel().Visible());
      EXPECT_FALSE(MainTimer().Enabled());
      EXPECT_TRUE(MainLabel().Caption().isEmpty());
      EXPECT_EQ(OnceRunning(), 0);
    } else {
      EXPECT_EQ(Left(MainLabel()), surface);
      EXPECT_TRUE(MainLabel().Visible());
      EXPECT_TRUE(MainTimer().Enabled());
      EXPECT_EQ(MainLabel().Caption(), QStringLiteral("■■"));
    }
  }
}

TEST_F(Ticker, ANewTextComesWithTheNextPassAndTheNewStepAtOnce) {
  Run({"CurrentY=10", "FontSize=20", "TELOP(1000,10,\"old\")"});
  TickMain(2);
  const int left = Left(MainLabel());
  Run({"CurrentY=60", "FontSize=40", "RGB(255,0,0)", "TELOP(1000,20,\"new\")"});
  // The running ticker keeps its place, font and colour; only its row moves.
  EXPECT_EQ(Left(MainLabel()), left);
  EXPECT_EQ(Top(MainLabel()), 60);
  EXPECT_EQ(MainLabel().font().pointSizeF(), 20);
  EXPECT_NE(MainLabel().ForeColor(), kRed);
  EXPECT_EQ(MainLabel().Caption(), QStringLiteral("old"));
  TickMain();
  EXPECT_EQ(Left(MainLabel()), left - 20);
  while (Left(MainLabel()) < left) TickMain();  // the pass ended
  EXPECT_EQ(MainLabel().Caption(), QStringLiteral("new"));
}

TEST_F(Ticker, OnePassAfterRepeatingAppendsAndEndsWithThatPass) {
  Run({"TELOP(1000,50,\"A\")"});
  Run({"TELOP1(1000,50,\"B\")"});
  EXPECT_EQ(MainLabel().Caption(), QStringLiteral("AB"));
  EXPECT_EQ(OnceRunning(), 1);
  Run({"TELOP1(1000,50,\"C\")"});
  EXPECT_EQ(MainLabel().Caption(), QStringLiteral("ABC"));
  int ticks = 0;
  while (MainTimer().Enabled() && ticks < 1000) {
    TickMain();
    ++ticks;
  }
  EXPECT_EQ(OnceRunning(), 0);
  EXPECT_FALSE(MainLabel().Visible());
}

TEST_F(Ticker, RepeatingAfterOnePassTakesOverAtThePassEnd) {
  Run({"TELOP1(1000,50,\"A\")"});
  Run({"TELOP(1000,50,\"B\")"});
  EXPECT_EQ(OnceRunning(), 0);
  EXPECT_EQ(MainLabel().Caption(), QStringLiteral("A"));
  const int start = Left(MainLabel());
  TickMain();
  while (Left(MainLabel()) < start) TickMain();
  EXPECT_EQ(MainLabel().Caption(), QStringLiteral("B"));
  EXPECT_TRUE(MainTimer().Enabled());
}

TEST_F(Ticker, AOnePassEndEmptiesBothCaptionsButStopsOnlyItsOwnSide) {
  core::Flags().FullScreenShowActive = 1;
  Run({"TELOP(1000,10,\"show\")"});
  core::Flags().FullScreenShowActive = 0;
  Run({"TELOP1(1000,500,\"x\")"});
  TickMain(2);
  EXPECT_FALSE(MainTimer().Enabled());
  EXPECT_EQ(OnceRunning(), 0);
  EXPECT_TRUE(ShowLabel().Caption().isEmpty());
  EXPECT_TRUE(ShowLabel().Visible());
  EXPECT_TRUE(ShowTimer().Enabled());
}

// ---- what stops it
// -------------------------------------------------------------------------------

TEST_F(Ticker, AJumpOutOfTheMacroStopsBothSides) {
  Handle(31, [] {
    core::Flags().JumpRequested = 1;
    macro::ConsumeLine();
  });
  core::Flags().FullScreenShowActive = 1;
  Run({"TELOP(1000,10,\"show\")"});
  core::Flags().FullScreenShowActive = 0;
  Run({"TELOP1(1000,10,\"main\")", "// a button asks for a jump", "CurrentY=5"});
  EXPECT_FALSE(MainTimer().Enabled());
  EXPECT_FALSE(ShowTimer().Enabled());
  EXPECT_FALSE(MainLabel().Visible());
  EXPECT_FALSE(ShowLabel().Visible());
  EXPECT_EQ(OnceRunning(), 0);
}

TEST_F(Ticker, TheEndOfTheShowInTheMainWindowStopsIt) {
  Run({"TELOP(1000,10,\"main\")"});
  core::Flags().ShowRunning = 1;
  core::Lists().CurrentSlideIndex = 3;
  engine::StopShowAtListEnd(false);
  EXPECT_FALSE(MainTimer().Enabled());
  EXPECT_FALSE(MainLabel().Visible());
  EXPECT_TRUE(MainLabel().Caption().isEmpty());
}

TEST_F(Ticker, StopEndsItAndPauseLetsItRun) {
  Run({"TELOP(1000,10,\"main\")"});
  core::Flags().ShowRunning = 1;
  core::Lists().CurrentSlideIndex = 2;
  core::form1().Timer1.SetEnabled(true);
  engine::Command2_Click();  // PAUSE
  EXPECT_TRUE(MainTimer().Enabled());
  engine::Command3_Click();  // STOP
  EXPECT_FALSE(MainTimer().Enabled());
  EXPECT_FALSE(MainLabel().Visible());
}

}  // namespace
}  // namespace macro_test

// The run's frame: gate, start state, reading the file, the keyword chain, the error
// rule, the waits and the exit path.
#include <QTimer>

#include "tests/macro/macro_fixture.h"

namespace macro_test {
namespace {

constexpr int kMovieRow = 3, kSkipRow = 59, kMovxRow = 16;

TEST_F(MacroTest, UpperCasingChangesOnlyLatinLettersAndKeepsTheLength) {
  const QString line = QStringLiteral("kage=ａｂｚ äß テキスト\r");
  const QString upper = macro::MacroUpper(line);
  EXPECT_EQ(upper, QStringLiteral("KAGE=ＡＢＺ äß テキスト\r"));
  EXPECT_EQ(upper.size(), line.size());
}

TEST_F(MacroTest, TheGateLeavesEverythingAsItWas) {
  for (int gate = 0; gate < 2; ++gate) {
    SetUp();
    (gate == 0 ? core::Settings().TextMacroOff : core::Flags().ShowEndRequested) = 1;
    P2().SetFontSize(50);
    core::Flags().JumpRequested = 1;
    core::Surfaces().TextColor = 0x0000FF;
    Run({"[テキスト]", "■"});
    EXPECT_EQ(P2().FontSize(), 50);
    EXPECT_EQ(core::Flags().JumpRequested, 1);
    EXPECT_EQ(core::Surfaces().TextColor, 0x0000FF);
    EXPECT_EQ(Drawn(P2()), 0);
    TearDown();
  }
}

TEST_F(MacroTest, WithoutAMacroFileOnlyTheStartStateIsSet) {
  P2().SetFontSize(50);
  P2().SetFontBold(true);
  core::Flags().WaitingForChoice = 1;
  macro::RunPictureMacro();
  EXPECT_EQ(P2().FontSize(), 20);
  EXPECT_FALSE(P2().FontBold());
  EXPECT_EQ(P2().ForeColor(), platform::QBColor(15));
  EXPECT_EQ(core::Flags().WaitingForChoice, 0);
  EXPECT_EQ(core::Flags().MacroExitedEarly, 0);
  EXPECT_EQ(core::form1().Timer1.Interval(), 3000);
}

TEST_F(MacroTest, TheMacroFileMayLieInTheLinkedFilesFolder) {
  QDir(dir_.path()).mkdir(QStringLiteral("linked"));
  core::Paths().LinkedFilesInFolder = 1;
  core::Paths().LinkedFilesFolder = dir_.filePath(QStringLiteral("linked"));
  core::Paths().CurrentSlideFileName = QStringLiteral("other.png");
  WriteMacro({"Kage=1"});  // beside the picture: not read
  QFile file(dir_.filePath(QStringLiteral("linked/other.txt")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("Kage=3\r\n");
  file.close();
  macro::RunPictureMacro();
  EXPECT_EQ(M().KageMode, 3);
}

TEST_F(MacroTest, TheSlidePlayerReachesTheInterpreterThroughTheServices) {
  WriteMacro({"Kage=2"});
  core::TheServices().RunPictureMacro();
  EXPECT_EQ(M().KageMode, 2);
}

// Files that end in different ways, read to the last character.
TEST_F(MacroTest, TheLastLineIsCarriedOutHoweverTheFileEnds) {
  struct Case {
    const char* name;
    QByteArray bytes;
    double kage;
  } cases[] = {
      {"no final line end", "Kage=1\r\nKage=2", 2},
      {"LF only", "Kage=1\nKage=3\n", 3},
      {"lone lead byte at the end", "Kage=2\r\n\x82", 2},
      {"double-byte text then keyword", "\x82\xa0\r\nkage=3", 3},
  };
  for (const Case& c : cases) {
    SetUp();
    WriteMacroBytes(c.bytes);
    macro::RunPictureMacro();
    EXPECT_EQ(M().KageMode, c.kage) << c.name;
    TearDown();
  }
}

TEST_F(MacroTest, TabsAdvanceToTheNextStopCountingDoubleByteCharactersTwice) {
  QStringList seen;
  Handle(kMovxRow, [&] {
    seen.append(M().MacroLine);
    macro::ConsumeLine();
  });
  // The outline modes set stops of 6; "MOVXあ" fills 6 bytes, so its tab moves a full stop.
  Run({"Kage=2", "MOVXあ\tX", "MOVX\tY", "Tab=4", "MOVX1\tZ"});
  EXPECT_EQ(seen, QStringList({QStringLiteral("MOVXあ      X\r"), QStringLiteral("MOVX  Y\r"),
                               QStringLiteral("MOVX1   Z\r\n")}));
}

TEST_F(MacroTest, WithoutStopsATabStaysInTheLine) {
  QStringList seen;
  Handle(kMovxRow, [&] {
    seen.append(M().MacroLine);
    macro::ConsumeLine();
  });
  Run({"MOVX\tX"}, QStringLiteral("\n"));
  EXPECT_EQ(seen, QStringList({QStringLiteral("MOVX\tX\n")}));  // the last line keeps its LF
}

TEST_F(MacroTest, LongerKeywordsAreTestedBeforeTheirShorterStarts) {
  const auto table = macro::KeywordTable();
  for (size_t i = 0; i < table.size(); ++i)
    for (size_t j = i + 1; j < table.size(); ++j)
      for (const QString& early : table[i].prefixes)
        for (const QString& late : table[j].prefixes)
          EXPECT_FALSE(late.startsWith(early) && late != early)
              << late.toStdString() << " can never be reached after " << early.toStdString();
  ASSERT_EQ(table.size(), 72u);
  for (size_t i = 0; i < table.size(); ++i) EXPECT_EQ(table[i].row, static_cast<int>(i));
}

TEST_F(MacroTest, APositionLineWithoutAPointIsLeftForTheSecondTest) {
  int secondTest = 0;
  Handle(34, [&] {
    ++secondTest;
    macro::ConsumeLine();
  });
  Run({"POSITION=0.5", "POSITION=1", "picrnd=1"});
  EXPECT_EQ(secondTest, 2);
}

TEST_F(MacroTest, AnErrorInTheTextSectionDropsOnlyItsLine) {
  Handle(kMovieRow, [] { throw platform::VbError(53, QStringLiteral("no such movie")); });
  Run({"[テキスト]", "MOVIE=x.mp4", "Kage=2", "Kage=3"});
  // The line after the failing one is a line of its own.
  EXPECT_EQ(M().KageMode, 3);
  EXPECT_TRUE(M().MacroLine.isEmpty());
}

TEST_F(MacroTest, AnErrorBeforeTheTextSectionEndsTheRunQuietly) {
  Handle(kMovieRow, [] { throw platform::VbError(53, QStringLiteral("no such movie")); });
  Run({"Kage=1", "MOVIE=x.mp4", "Kage=2", "[テキスト]", "■"});
  EXPECT_EQ(M().KageMode, 1);
  EXPECT_EQ(Drawn(P2()), 0);
  EXPECT_EQ(core::Flags().MacroExitedEarly, 0);
  EXPECT_EQ(core::form1().Timer1.Interval(), 3000);
}

// A jump asked for by one line's handler: the next line enters the exit path.
struct ExitCase {
  const char* name;
  short jumpTo;
  short endTimeReached;
  short expected;
};

TEST_F(MacroTest, TheExitPathKeepsTheIndexInsideTheList) {
  const ExitCase cases[] = {
      {"jump inside", 1, 0, 1},         {"negative", -3, 0, 0},
      {"past the last slide", 9, 0, 2}, {"to the last slide", 3, 0, 2},
      {"end time keeps it", 9, 1, 9},
  };
  for (const ExitCase& c : cases) {
    SetUp();
    core::Buttons().PicButtonJumps[3] = 4;
    core::Buttons().PicButtonsShown[3] = 1;
    core::Buttons().PicButtonLinks[3] = QStringLiteral("a.wav");
    core::form1().menu2.SetVisible(true);
    Handle(kSkipRow, [&] {
      core::Lists().CurrentSlideIndex = c.jumpTo;
      M().EndTimeReached = c.endTimeReached;
      core::Flags().JumpRequested = 1;
      macro::ConsumeLine();
    });
    Run({"Skip=1", "Kage=2", "[テキスト]", "■"});
    EXPECT_EQ(core::Lists().CurrentSlideIndex, c.expected) << c.name;
    EXPECT_EQ(M().KageMode, 0) << c.name;
    EXPECT_EQ(Drawn(P2()), 0) << c.name;
    EXPECT_EQ(core::Flags().MacroExitedEarly, 1);
    EXPECT_EQ(core::form1().Timer1.Interval(), 100);
    EXPECT_EQ(core::Buttons().PicButtonJumps[3], 0);
    EXPECT_EQ(core::Buttons().PicButtonsShown[3], 0);
    EXPECT_TRUE(core::Buttons().PicButtonLinks[3].isEmpty());
    EXPECT_FALSE(core::form1().menu2.Visible());
    TearDown();
  }
}

// Sets the line delay as the "DELAY" keyword will.
void DelayLines(MacroTest& t, int ms) {
  t.Handle(58, [ms] {
    macro::State().LineDelayMs = ms;
    macro::ConsumeLine();
  });
}

TEST_F(MacroTest, TheLineWaitEndsAtTheLineDelayTimerAndTheNextLineFollows) {
  DelayLines(*this, 30);
  Run({"Delay=1", "RGB(255,0,0)", "[テキスト]", "■", "■"});
  EXPECT_GT(Bounds(P2(), kRed).height(), RowHeight(P2()));  // both lines drawn
  EXPECT_FALSE(core::form1().Timer3.Enabled());
  EXPECT_EQ(core::Flags().LineDelayWaiting, 0);
}

TEST_F(MacroTest, StopDuringALineWaitEndsTheRunAtOnce) {
  DelayLines(*this, 60000);
  QTimer::singleShot(50, [] { core::Flags().ShowStopped = 1; });
  Run({"Delay=60", "[テキスト]", "■", "Kage=2"});
  EXPECT_EQ(M().KageMode, 0);
  EXPECT_EQ(core::Flags().MacroExitedEarly, 0);
}

TEST_F(MacroTest, AJumpDuringALineWaitLeavesThroughTheExitPath) {
  DelayLines(*this, 60000);
  QTimer::singleShot(50, [] {
    core::Lists().CurrentSlideIndex = 2;
    core::Flags().JumpRequested = 1;
    core::Flags().LineDelayWaiting = 0;
  });
  Run({"Delay=60", "[テキスト]", "■", "Kage=2"});
  EXPECT_EQ(M().KageMode, 0);
  EXPECT_EQ(core::Flags().MacroExitedEarly, 1);
  EXPECT_EQ(core::Lists().CurrentSlideIndex, 2);
}

TEST_F(MacroTest, TheChoiceWaitAtTheEndLeadsToTheExitPathOnlyOnAJump) {
  for (int jump = 0; jump < 2; ++jump) {
    SetUp();
    Handle(55, [] {
      core::Flags().WaitingForChoice = 1;
      macro::ConsumeLine();
    });
    QTimer::singleShot(50, [jump] {
      core::Flags().JumpRequested = static_cast<short>(jump);
      core::Flags().WaitingForChoice = 0;
    });
    Run({"MENU1=(1,1,1)"});
    EXPECT_EQ(core::Flags().MacroExitedEarly, jump);
    TearDown();
  }
}

TEST_F(MacroTest, AClosedShowScreenEndsTheChoiceWaitWithoutTheExitPath) {
  Handle(55, [] {
    core::Flags().WaitingForChoice = 1;
    macro::ConsumeLine();
  });
  QTimer::singleShot(50, [] {
    core::Flags().JumpRequested = 0;
    core::Flags().ShowScreenClosed = 1;
  });
  Run({"MENU1=(1,1,1)"});
  EXPECT_EQ(core::Flags().WaitingForChoice, 1);
  EXPECT_EQ(core::Flags().MacroExitedEarly, 0);
}

}  // namespace
}  // namespace macro_test

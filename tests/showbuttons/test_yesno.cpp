// The Yes/No question: the pair on the current text row, the wait for the answer, the
// jump of the answer or the macro going on, on both surfaces; another button's jump
// ending the question; lines that cannot be read.
#include "showbuttons/yesno.h"
#include "tests/showbuttons/clicks_fixture.h"

namespace buttons_test {
namespace {

constexpr int kKageRow = 69;

class YesNoTest : public ClicksTest {
 public:
  void SetUp() override {
    ClicksTest::SetUp();
    wentOn_ = false;
    Handle(kKageRow, [this] {
      wentOn_ = true;
      macro::ConsumeLine();
    });
  }
  QWidget* Answer(bool full, bool yes) {
    if (full) return yes ? &engine::slidescreen().Command1 : &engine::slidescreen().Command2;
    return yes ? &core::form1().Command8 : &core::form1().Command9;
  }
  bool wentOn_ = false;  // the line after the question ran
};

TEST_F(YesNoTest, TheAnswerJumpsByItsNumberOrTheMacroGoesOn) {
  const struct {
    const char* line;
    int from;
    bool yes;
    int next;  // the slide shown next
    bool goesOn;
  } cases[] = {
      {"YESNOPB(1,-1)", 5, true, 6, false},  {"YESNOPB(1,-1)", 5, false, 4, false},
      {"YESNOPB(0,3)", 5, true, 6, true},    {"YesNoPB(0,3)", 5, false, 8, false},
      {"YESNOPB(1,1)", 10, true, 10, false}, {"YESNOPB(1,1)", 10, false, 10, false},
      {"YESNOPB(-10,0)", 5, true, 1, false}, {"YESNOPB(32767,0)", 5, true, 6, false},
  };
  for (int full = 1; full >= 0; --full) {
    for (const auto& c : cases) {
      SetUp();
      core::Flags().FullScreenShowActive = static_cast<short>(full);
      core::Lists().CurrentSlideIndex = static_cast<short>(c.from);
      ClickWhenUp([this, full, yes = c.yes] { return Answer(full, yes); });
      Run({c.line, "KAGE=1"});
      const std::string what = std::string(c.line) + (c.yes ? " yes " : " no ") + char('0' + full);
      EXPECT_EQ(NextSlide(), c.next) << what;
      EXPECT_EQ(wentOn_, c.goesOn) << what;
      EXPECT_EQ(core::Flags().MacroExitedEarly, c.goesOn ? 0 : 1) << what;
      for (bool yes : {true, false}) {
        EXPECT_FALSE(Up(Answer(0, yes))) << what;
        EXPECT_FALSE(Up(Answer(1, yes))) << what;
      }
      if (full) {
        // Where the pair stood, the show surface shows its background copy again.
        EXPECT_TRUE(Near(At(P2(), 0, 0), kYellow)) << what;
        EXPECT_TRUE(Near(At(P2(), 85, 24), kYellow)) << what;
      }
      TearDown();
    }
  }
}

TEST_F(YesNoTest, ThePairStandsOnTheTextRowAndTheCursorComesBack) {
  // Text placed from the picture's corner at (30, 0).
  core::Settings().TextOriginScreen = 0;
  core::Surfaces().PictureLeft = 30;
  core::Surfaces().PictureTop = 0;
  core::Flags().CursorHidden = 1;
  std::vector<QRect> show, window;
  ClickWhenUp([this, &show, &window] {
    engine::Slidescreen& s = engine::slidescreen();
    core::Form1& f = core::form1();
    show = {showbuttons::PixelRect(s.Command1), showbuttons::PixelRect(s.Command2)};
    window = {showbuttons::PixelRect(f.Command8), showbuttons::PixelRect(f.Command9)};
    return Answer(true, false);
  });
  Run({"CURRENTX=20", "CURRENTY=40", "YESNOPB(1,2)"});
  EXPECT_EQ(show, std::vector<QRect>({QRect(50, 40, 41, 25), QRect(95, 40, 41, 25)}));
  EXPECT_EQ(window, std::vector<QRect>({QRect(20, 40, 41, 25), QRect(65, 40, 41, 25)}));
  EXPECT_EQ(core::Flags().CursorHidden, 0);
  EXPECT_EQ(NextSlide(), 7);
}

TEST_F(YesNoTest, APictureButtonsJumpEndsTheQuestion) {
  ClickWhenUp([]() -> QWidget* {
    engine::Slidescreen& s = engine::slidescreen();
    return Up(&s.Command1) ? &s.Picture1(2) : nullptr;
  });
  Run({R"(PICPB02(-2,"b.png"))", "CURRENTY=100", "YESNOPB(1,1)", "KAGE=1"});
  EXPECT_EQ(NextSlide(), 3);
  EXPECT_EQ(core::Flags().YesPressed, 2);
  EXPECT_EQ(core::Flags().NoPressed, 2);
  EXPECT_FALSE(wentOn_);
  EXPECT_TRUE(Near(At(P2(), 0, 100), kYellow));
}

TEST_F(YesNoTest, StopOrAClosedScreenEndsTheQuestionAndTheRun) {
  for (const bool stop : {true, false}) {
    SetUp();
    // The question comes up, then the show stops or its screen closes.
    QTimer end;
    end.setInterval(0);
    QObject::connect(&end, &QTimer::timeout, [this, stop] {
      if (!Up(Answer(true, true))) return;
      (stop ? core::Flags().ShowStopped : core::Flags().ShowScreenClosed) = 1;
      core::Flags().WaitingForChoice = 1;
    });
    end.start();
    Run({"YESNOPB(1,2)", "KAGE=1"});
    end.stop();
    EXPECT_FALSE(wentOn_) << stop;
    EXPECT_FALSE(Up(Answer(true, true))) << stop;
    EXPECT_FALSE(Up(Answer(false, false))) << stop;
    EXPECT_EQ(NextSlide(), 6) << stop;
    EXPECT_EQ(core::Flags().MacroExitedEarly, 0) << stop;
    // A closed screen also drops the choice.
    EXPECT_EQ(core::Flags().WaitingForChoice, stop ? 1 : 0) << stop;
    core::Flags().ShowStopped = 0;
    core::Flags().ShowScreenClosed = 0;
    TearDown();
  }
}

TEST_F(YesNoTest, NoQuestionWithoutJumpsOrFromALineThatCannotBeRead) {
  const struct {
    QStringList lines;
    bool goesOn;
  } cases[] = {
      {{"YESNOPB(0,0)", "KAGE=1"}, true},
      {{"YESNOPB(a,b)", "KAGE=1"}, true},
      {{"YESNOPB(1)", "KAGE=1"}, false},  // before the text: the run ends there
      {{"[テキスト]", "YESNOPB(1", "KAGE=1"}, true},
  };
  for (const auto& c : cases) {
    SetUp();
    Run(c.lines);
    EXPECT_EQ(wentOn_, c.goesOn) << c.lines.join(" | ").toStdString();
    EXPECT_FALSE(Up(Answer(1, true)));
    EXPECT_EQ(NextSlide(), 6);
    TearDown();
  }
}

}  // namespace
}  // namespace buttons_test

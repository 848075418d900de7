// Menu buttons: the jump and caption of a "MENU" line, where both copies of a button go,
// the wait at the end of the file, the jump of a click on either surface, and a button
// placed again on the show screen.
#include "showbuttons/menubuttons.h"
#include "tests/showbuttons/clicks_fixture.h"

namespace buttons_test {
namespace {

TEST(MenuArgs, JumpAndCaptionOfTheLine) {
  const struct {
    const char* line;
    double jump;
    const char* caption;
  } cases[] = {
      {R"(MENU3(2,"Next"))", 2, "Next"},
      {R"(MENU1( -1 , "Back, (to) the start" ))", -1, "Back, (to) the start"},
      {"menu2(1,  plain words  )", 1, "plain words"},
      {R"(MENU1(1,"Next))", 1, "Nex"},  // the closing quote is missing
      {R"(MENU1(1,"))", 1, "\""},
      {"MENU2(Back)", 0, "MENU2(Back"},
      {"MENU2(1,Back", 1, ""},
      {"MENU1(1.5,a)", 1.5, "a"},
      {"MENU1(x,&File)", 0, "&File"},
  };
  for (const auto& c : cases) {
    const QString line = QString::fromUtf8(c.line);
    const showbuttons::MenuArgs args = showbuttons::GetMenuArgs(macro::MacroUpper(line), line);
    EXPECT_EQ(args.jump, c.jump) << c.line;
    EXPECT_EQ(args.caption, QString::fromUtf8(c.caption)) << c.line;
  }
}

class MenuTest : public ClicksTest {
 public:
  platform::CommandButton& ShowMenu(int n) {
    engine::Slidescreen& s = engine::slidescreen();
    platform::CommandButton* m[] = {&s.menu1, &s.menu2, &s.menu3, &s.menu4, &s.menu5};
    return *m[n - 1];
  }
  platform::CommandButton& WindowMenu(int n) {
    core::Form1& f = core::form1();
    platform::CommandButton* m[] = {&f.menu1, &f.menu2, &f.menu3, &f.menu4, &f.menu5};
    return *m[n - 1];
  }
};

TEST_F(MenuTest, AMenuLinePlacesBothCopiesAtTheTextPositionAndArmsTheChoice) {
  core::Surfaces().TextOriginX = 30;
  macro::State().TextLeft = 20;
  P2().SetCurrentY(50);
  Preview().SetCurrentY(60);
  core::Flags().CursorHidden = 1;
  Line(R"(menu3(2.5,"Next Slide"))");
  EXPECT_EQ(showbuttons::PixelRect(ShowMenu(3)), QRect(50, 50, 145, 25));
  EXPECT_EQ(showbuttons::PixelRect(WindowMenu(3)), QRect(20, 60, 145, 25));
  EXPECT_EQ(ShowMenu(3).Caption(), "Next Slide");
  EXPECT_EQ(WindowMenu(3).Caption(), "Next Slide");
  EXPECT_TRUE(ShowMenu(3).Visible());
  EXPECT_TRUE(WindowMenu(3).Visible());
  EXPECT_EQ(ShowMenu(3).cursor().shape(), Qt::BitmapCursor);
  EXPECT_EQ(core::Buttons().MenuJumps[3], 2);  // halves to even
  EXPECT_EQ(core::Buttons().MenuButtonsShown[3], 1);
  EXPECT_EQ(core::Flags().WaitingForChoice, 1);
  EXPECT_EQ(core::Flags().CursorHidden, 0);
  EXPECT_EQ(M().MacroLine, "\n");
  // A jump out of range keeps the slot's jump.
  Line("MENU3(40000,Far)");
  EXPECT_EQ(core::Buttons().MenuJumps[3], 2);
  EXPECT_EQ(ShowMenu(3).Caption(), "Far");
}

TEST_F(MenuTest, PlacedAgainOnTheShowScreenItsOldPlaceShowsTheBackgroundCopy) {
  macro::State().TextLeft = 10;
  P2().SetCurrentY(10);
  Line("MENU2(1,First)");
  P2().SetCurrentY(120);
  Line("MENU2(1,Again)");
  EXPECT_TRUE(Near(At(P2(), 10, 10), kYellow));
  EXPECT_TRUE(Near(At(P2(), 154, 34), kYellow));
  EXPECT_TRUE(Near(At(P2(), 155, 35), kBack));
  EXPECT_EQ(showbuttons::PixelRect(ShowMenu(2)).topLeft(), QPoint(10, 120));
}

TEST_F(MenuTest, AClickJumpsByTheButtonsJumpOnBothSurfaces) {
  const struct {
    const char* name;
    int from, jump, next;
  } cases[] = {
      {"forward", 5, 2, 7},
      {"the same slide again", 5, 0, 5},
      {"back from slide 1", 1, -1, 1},
      {"past the last slide", 9, 5, 10},
      {"back", 5, -3, 2},
  };
  for (int full = 1; full >= 0; --full) {
    for (const auto& c : cases) {
      SetUp();
      core::Flags().FullScreenShowActive = static_cast<short>(full);
      core::Lists().CurrentSlideIndex = static_cast<short>(c.from);
      ClickWhenUp([this, full]() -> QWidget* { return full ? &ShowMenu(4) : &WindowMenu(4); });
      Run({"MENU1(9,Other)", QStringLiteral("MENU4(%1,Go)").arg(c.jump)});
      EXPECT_EQ(NextSlide(), c.next) << c.name << full;
      EXPECT_EQ(core::Flags().MacroExitedEarly, 1) << c.name << full;
      // The exit path took them down.
      EXPECT_FALSE(ShowMenu(4).Visible());
      EXPECT_FALSE(WindowMenu(1).Visible());
      EXPECT_EQ(core::Buttons().MenuButtonsShown[4], 0);
      TearDown();
    }
  }
}

TEST_F(MenuTest, AJumpOutOfTheIndexRangeKeepsTheIndex) {
  ClickWhenUp([this] { return &ShowMenu(1); });
  Run({"MENU1(32767,Far)"});
  EXPECT_EQ(core::Lists().CurrentSlideIndex, 5);
  EXPECT_EQ(core::Flags().MacroExitedEarly, 1);
}

}  // namespace
}  // namespace buttons_test

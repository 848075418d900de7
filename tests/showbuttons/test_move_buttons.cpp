// "MOVPB": the argument rules, the steps and pauses, the limits of "OVERPIC", which copies
// move, and the show surface behind a moving button.
#include <QTimer>

#include "platform/random.h"
#include "showbuttons/move_buttons.h"
#include "tests/showbuttons/buttons_fixture.h"

namespace buttons_test {
namespace {

// Moves of a 40 x 30 rectangle button from (100, 80) on the 400 x 200 show surface.
TEST_F(ButtonsTest, TheArgumentsGiveTheMoveAndItsPauses) {
  struct Case {
    const char* line;
    QPoint end;
    std::vector<int> pauses;
  } cases[] = {
      {"MOVPB03(20,0)", {120, 80}, std::vector<int>(20, 1)},
      {"MOVPB03(10,5)", {110, 85}, std::vector<int>(10, 1)},
      {"MOVPB03(-10,-5)", {90, 75}, std::vector<int>(10, 1)},
      {"MOVPB03(2.5,0)", {103, 80}, std::vector<int>(3, 1)},
      {"MOVPB03(-2.5,0)", {97, 80}, std::vector<int>(3, 1)},
      {"MOVPB03(0,0)", {100, 80}, {}},
      {"MOVPB03(3,3,5000)", {103, 83}, std::vector<int>(3, 1000)},
      {"MOVPB03(3,3,0)", {103, 83}, std::vector<int>(3, 0)},
      {"MOVPB03(3,3,2.5)", {103, 83}, std::vector<int>(3, 2)},
      {"MOVPB03(3,3,-5)", {103, 83}, {}},
      {"MOVPB03(3,3) // (9,9)", {103, 83}, std::vector<int>(3, 1)},
      {"MovPb03( 3 , 2 , 7 )", {103, 82}, std::vector<int>(3, 7)},
      {"MOVPB03(10)", {100, 80}, {}},
      {"MOVPB03(4,3", {104, 80}, std::vector<int>(4, 1)},
      {"MOVPB03(4,3,2", {104, 83}, std::vector<int>(4, 0)},
      {"MOVPB3(2,0)", {102, 80}, std::vector<int>(2, 1)},
      {"MOVPB63(2,0)", {100, 80}, {}},
      {"MOVPB04(2,0)", {100, 80}, {}},  // slot 4 is not placed
  };
  Place(3, 100, 80);
  for (const Case& c : cases) {
    showbuttons::MoveToPixels(Show(3), 100, 80);
    pauses_.clear();
    Line(QString::fromUtf8(c.line));
    EXPECT_EQ(ShowAt(3), c.end) << c.line;
    EXPECT_EQ(pauses_, c.pauses) << c.line;
    EXPECT_TRUE(M().MacroLine.isEmpty()) << c.line;
  }
}

TEST_F(ButtonsTest, MovPbWithoutADigitAfterTheKeywordMovesSlotZero) {
  Place(0, 100, 80);
  Line("MOVPB(10,10)");
  EXPECT_EQ(ShowAt(0), QPoint(110, 90));
}

// Each random form draws once, x before y.
TEST_F(ButtonsTest, RandomOffsetsDrawFromTheProgramsRandomSource) {
  struct Case {
    const char* line;
    std::vector<double> draws;
    QPoint end;
  } cases[] = {
      {"MOVPB03(RND+,RND-)", {0.55, 0.99}, {105, 71}},
      {"MOVPB03(RND+-,RND+-)", {0.0, 0.99}, {90, 89}},
      {"MOVPB03( rnd ,5)", {0.5}, {100, 85}},
      {"MOVPB03(RND,RND)", {0.25, 0.75}, {-100, 180}},  // -200 and +100 on 400 x 200
  };
  Place(3, 100, 80);
  core::Buttons().OverPic = 1;
  for (const Case& c : cases) {
    showbuttons::MoveToPixels(Show(3), 100, 80);
    platform::ScriptRandom(c.draws);
    Line(QString::fromUtf8(c.line));
    EXPECT_EQ(ShowAt(3), c.end) << c.line;
  }
}

// The limits of "OVERPIC" for a 50 x 30 button on the show surface.
TEST_F(ButtonsTest, OverPicSetsWhereAMoveStops) {
  core::form4().Picture1.SetScaleMode(platform::ScaleMode::kPixels);
  core::form4().Picture1.SetBorderStyle(0);
  core::form4().Picture1.resize(300, 120);
  core::Surfaces().PictureLeft = 60;
  core::Surfaces().PictureTop = 50;
  Picture(QStringLiteral("wide.png"), 50, 30);
  struct Case {
    short overPic;
    QPoint from;
    const char* line;
    QPoint end;
    size_t pauses;
  } cases[] = {
      {0, {330, 80}, "MOVPB03(100,0)", {350, 80}, 20},
      {0, {30, 80}, "MOVPB03(-100,0)", {0, 80}, 30},
      {0, {100, 150}, "MOVPB03(0,100)", {100, 170}, 20},
      {0, {100, 20}, "MOVPB03(-5,-100)", {95, 0}, 20},
      {-1, {100, 80}, "MOVPB03(-100,0)", {60, 80}, 40},
      {-1, {300, 80}, "MOVPB03(100,0)", {310, 80}, 10},
      {-1, {100, 100}, "MOVPB03(0,100)", {100, 140}, 40},
      {1, {380, 80}, "MOVPB03(100,0)", {480, 80}, 100},
  };
  for (const Case& c : cases) {
    core::ClearButtonSlots();
    Place(3, c.from.x(), c.from.y(), QStringLiteral("wide.png"));
    core::Buttons().OverPic = c.overPic;
    pauses_.clear();
    Line(QString::fromUtf8(c.line));
    EXPECT_EQ(ShowAt(3), c.end) << c.line << " OVERPIC=" << c.overPic;
    EXPECT_EQ(pauses_.size(), c.pauses) << c.line << " OVERPIC=" << c.overPic;
  }
}

// A polygon button is held in by the box of its points.
TEST_F(ButtonsTest, APolygonButtonIsHeldInByItsBox) {
  PointFile(QStringLiteral("p.dat"), {"KVZ_PICTYPE_DATA", "10,0", "30,29", "10,29"});
  Line("PICPBDATA(3,p.dat)");
  Place(3, 20, 80);
  Line("MOVPB03(-100,0)");
  EXPECT_EQ(ShowAt(3), QPoint(-10, 80));
  Line("MOVPB03(500,0)");
  EXPECT_EQ(ShowAt(3), QPoint(370, 80));  // its right point reaches the surface's width
}

TEST_F(ButtonsTest, InTheMainWindowBothCopiesMoveAndTheShowSurfaceIsUntouched) {
  core::Flags().FullScreenShowActive = 0;
  for (const char* type : {"PICPBTYPE=0", "PICPBTYPE=3"}) {
    core::ClearButtonSlots();
    Line(QString::fromUtf8(type));
    Place(3, 100, 80);
    PaintOnP2(QRect(0, 0, 400, 200), kRed);
    Line("MOVPB03(20,-10)");
    EXPECT_EQ(WindowAt(3), QPoint(120, 70)) << type;
    EXPECT_EQ(ShowAt(3), QPoint(120, 70)) << type;
    EXPECT_EQ(At(P2(), 100, 100), kRed) << type;
  }
  // The preview box (300 x 150) holds the window copy in.
  Line("MOVPB03(500,500)");
  EXPECT_EQ(WindowAt(3), QPoint(260, 120));
}

TEST_F(ButtonsTest, OnTheFullScreenShowOnlyTheShowCopyMoves) {
  Place(3, 100, 80);
  Line("MOVPB03(20,10)");
  EXPECT_EQ(ShowAt(3), QPoint(120, 90));
  EXPECT_EQ(WindowAt(3), QPoint(100, 80));
}

// Text drawn after the marker where the button passed is replaced by the background copy;
// elsewhere it stays.
TEST_F(ButtonsTest, ARectangleButtonRepairsOnlyTheStripsItUncovers) {
  Place(3, 100, 80);
  PaintOnP2(QRect(0, 0, 400, 200), kRed);
  Line("MOVPB03(20,10)");
  EXPECT_EQ(At(P2(), 100, 80), kYellow);  // the old corner
  EXPECT_EQ(At(P2(), 119, 89), kYellow);
  EXPECT_EQ(At(P2(), 110, 119), kYellow);  // under the old bottom edge, uncovered
  EXPECT_EQ(At(P2(), 99, 85), kRed);       // left of the old place
  EXPECT_EQ(At(P2(), 100, 79), kRed);      // above it
  EXPECT_EQ(At(P2(), 161, 100), kRed);     // right of the new place, never covered
  EXPECT_EQ(At(P2(), 130, 121), kRed);     // below the new place
  EXPECT_EQ(At(P2(), 130, 100), kRed);     // under the new place: never repainted
}

TEST_F(ButtonsTest, AShapedButtonRepairsTheBoxItCoveredAtEachStep) {
  Line("PICPBTYPE=3");
  Place(3, 100, 80);
  PaintOnP2(QRect(0, 0, 400, 200), kRed);
  Line("MOVPB03(30,0)");
  EXPECT_EQ(ShowAt(3), QPoint(130, 80));
  EXPECT_EQ(At(P2(), 100, 80), kYellow);
  EXPECT_EQ(At(P2(), 169, 109), kYellow);  // the closing step repairs the box it ends on
  EXPECT_EQ(At(P2(), 170, 100), kRed);
  EXPECT_EQ(At(P2(), 120, 110), kRed);
  EXPECT_EQ(At(P2(), 99, 90), kRed);
}

// A jump asked for during a step ends the move after that step, without its pause.
TEST_F(ButtonsTest, AJumpDuringAMoveEndsItAfterTheStep) {
  Place(3, 100, 80);
  onPause_ = [](int pause) {
    if (pause == 3) QTimer::singleShot(0, [] { core::Flags().JumpRequested = 1; });
  };
  Line("MOVPB03(20,0)");
  EXPECT_EQ(pauses_.size(), 3u);
  EXPECT_EQ(ShowAt(3), QPoint(104, 80));
  EXPECT_EQ(core::Flags().JumpRequested, 1);
}

// "MOVPB" lines in a macro run: the button glides and the run goes on afterwards.
TEST_F(ButtonsTest, AMacroPlacesMovesAndRemovesAButton) {
  Picture(QStringLiteral("b.png"), 40, 30);
  Run({"CURRENTX=10", "CURRENTY=20", R"(PICPB05(0,"b.png"))", "MOVPB05(15,5)", "KAGE=2",
       R"(PICPB05(0,""))"});
  EXPECT_EQ(pauses_.size(), 15u);
  EXPECT_EQ(M().KageMode, 2);
  EXPECT_FALSE(Show(5).Visible());
  EXPECT_EQ(ShowAt(5), QPoint(25, 25));
  EXPECT_EQ(At(P2(), 30, 30), kYellow);  // removed where it ended
  EXPECT_EQ(At(P2(), 10, 20), kYellow);  // uncovered on the way
}

}  // namespace
}  // namespace buttons_test

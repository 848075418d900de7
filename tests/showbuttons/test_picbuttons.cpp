// "PICPB", "PICPBTYPE" and "PICPBDATA": the argument rules, where buttons go, what their
// pointer is, and the show surface behind a removed or re-placed button.
#include <QCursor>
#include <QDir>
#include <QFile>

#include "showbuttons/picbuttons.h"
#include "showbuttons/shapes.h"
#include "tests/showbuttons/buttons_fixture.h"

namespace buttons_test {
namespace {

TEST(PicPbArguments, NumberAndTwoQuotedTexts) {
  struct Case {
    const char* line;
    short number;
    const char* text1;
    const char* text2;
  } cases[] = {
      {R"(PICPB01(3,"A.PNG","B.WAV"))", 3, "A.PNG", "B.WAV"},
      {R"(PICPB01(-2,"a,b.png"))", -2, "a,b.png", ""},
      {R"(PICPB01(2.5,"x"))", 2, "x", ""},
      {R"(PICPB01(3.5,"x"))", 4, "x", ""},
      {R"(PICPB01(abc,"x"))", 0, "x", ""},
      {R"(PICPB01(40000,"x"))", 0, "x", ""},
      {R"(PICPB01("x"))", 0, "", ""},
      {R"(PICPB01(1,"x)", 1, "", ""},
      {R"(PICPB01(1, junk "p.png" more "l.wav" ))", 1, "p.png", "l.wav"},
      {R"(PICPB01 5,"x")", 0, "x", ""},
  };
  for (const Case& c : cases) {
    const showbuttons::PicPbArgs args = showbuttons::GetPicPbArg(QString::fromUtf8(c.line));
    EXPECT_EQ(args.number, c.number) << c.line;
    EXPECT_EQ(args.text1, QString::fromUtf8(c.text1)) << c.line;
    EXPECT_EQ(args.text2, QString::fromUtf8(c.text2)) << c.line;
  }
}

TEST_F(ButtonsTest, TheSlotIsReadFromTwoCharactersAndTheLineIsAlwaysConsumed) {
  Picture(QStringLiteral("b.png"), 40, 30);
  struct Case {
    const char* line;
    int slot;  // -1: none placed
  } cases[] = {
      {R"(PICPB05(0,"b.png"))", 5},   {R"(PICPB5(0,"b.png"))", 5},  {R"(PICPB12(0,"b.png"))", 12},
      {R"(PICPB123(0,"b.png"))", 12}, {R"(PICPB(0,"b.png"))", 0},   {R"(PICPB63(0,"b.png"))", -1},
      {R"(PICPB-1(0,"b.png"))", -1},  {R"(PICPBxx(0,"b.png"))", 0},
  };
  for (const Case& c : cases) {
    core::ClearButtonSlots();
    Line(QString::fromUtf8(c.line));
    for (int i = 0; i <= 62; ++i)
      EXPECT_EQ(core::Buttons().PicButtonsShown[i], i == c.slot ? 1 : 0) << c.line << " slot " << i;
    EXPECT_EQ(M().MacroLine, QStringLiteral("\n")) << c.line;
    EXPECT_EQ(M().MacroLineUpper, QStringLiteral("\n")) << c.line;
  }
}

TEST_F(ButtonsTest, PicPbTypeChoosesTheOutlineOfTheButtonsPlacedNext) {
  const std::pair<const char*, short> cases[] = {
      {"PICPBTYPE=2", 2},    {"PicPbType=1", 1},   {"PICPBTYPE=3.95", 4},
      {"PICPBTYPE=2.95", 3}, {"PICPBTYPE=3.5", 3}, {"PICPBTYPE=7", 0},
      {"PICPBTYPE=-1", 0},   {"PICPBTYPE 3", 0},   {"PICPBTYPE=4 // heart", 4},
  };
  for (const auto& [line, shape] : cases) {
    core::Buttons().PicButtonShape = 3;
    Line(QString::fromUtf8(line));
    EXPECT_EQ(core::Buttons().PicButtonShape, shape) << line;
    EXPECT_TRUE(M().MacroLine.isEmpty()) << line;
  }
}

TEST_F(ButtonsTest, PicPbDataNamesTheFileOfOneSlot) {
  const QString folder = dir_.path() + QLatin1Char('/');
  struct Case {
    const char* line;
    short shape;  // PicButtonShape afterwards (it starts at 0)
    int slot;     // slot whose file is set, -1 none
    QString file;
  } cases[] = {
      {"PICPBDATA(3,shape.dat)", 999, 3, folder + "shape.dat"},
      {R"(PicPbData( 3 , "Shape.dat" ) // note)", 999, 3, folder + "Shape.dat"},
      {"PICPBDATA(4,/elsewhere/p.dat)", 999, 4, "/elsewhere/p.dat"},
      {"PICPBDATA(2.5,half.dat)", 999, 2, folder + "half.dat"},
      {"PICPBDATA(70,x.dat)", 0, -1, {}},
      {"PICPBDATA(99999,x.dat)", 0, -1, {}},
      {"PICPBDATA(-1,x.dat)", 999, -1, {}},
      {"PICPBDATA(shape.dat)", 999, 0, folder + "PICPBDATA(shape.dat"},
  };
  for (const Case& c : cases) {
    core::Buttons().PicButtonShape = 0;
    for (int i = 0; i <= 63; ++i) core::Buttons().PicButtonShapeFiles[i] = QStringLiteral("old");
    Line(QString::fromUtf8(c.line));
    EXPECT_EQ(core::Buttons().PicButtonShape, c.shape) << c.line;
    for (int i = 0; i <= 63; ++i) {
      EXPECT_EQ(core::Buttons().PicButtonShapeFiles[i],
                i == c.slot ? c.file : QStringLiteral("old"))
          << c.line << " slot " << i;
    }
    EXPECT_TRUE(M().MacroLine.isEmpty()) << c.line;
  }
}

// The cut-out generator writes point files into the linked-files folder when that is in
// use; a distribution copy names them without folder.
TEST_F(ButtonsTest, PicPbDataFindsABareNameInTheLinkedFilesFolder) {
  const QString links = dir_.path() + QStringLiteral("/links");
  QDir().mkpath(links);
  QFile file(links + QStringLiteral("/cat_Pb05.dat"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  core::Paths().LinkedFilesInFolder = 1;
  core::Paths().LinkedFilesFolder = links;
  Line(QStringLiteral(R"(PicPBData(5,"cat_Pb05.dat")  //note)"));
  EXPECT_EQ(core::Buttons().PicButtonShapeFiles[5], links + QStringLiteral("/cat_Pb05.dat"));
  // Not there: the picture's own folder, as before.
  Line(QStringLiteral(R"(PicPBData(6,"cat_Pb06.dat"))"));
  EXPECT_EQ(core::Buttons().PicButtonShapeFiles[6], dir_.path() + QStringLiteral("/cat_Pb06.dat"));
  core::Paths().LinkedFilesInFolder = 0;
  Line(QStringLiteral(R"(PicPBData(5,"cat_Pb05.dat"))"));
  EXPECT_EQ(core::Buttons().PicButtonShapeFiles[5], dir_.path() + QStringLiteral("/cat_Pb05.dat"));
}

// Buttons that lead somewhere get the hand and make the macro wait for a choice.
TEST_F(ButtonsTest, TheHandPointerMarksButtonsThatLeadSomewhere) {
  Picture(QStringLiteral("b.png"), 40, 30);
  struct Case {
    const char* line;
    bool hand;
    const char* link;  // as recorded, after the folder
  } cases[] = {
      {R"(PICPB02(1,"b.png"))", true, ""},
      {R"(PICPB02(-3,"b.png","clip.mp4"))", true, "clip.mp4"},
      {R"(PICPB02(0,"b.png","voice.wav"))", true, "voice.wav"},
      {R"(PICPB02(0,"b.png","tool.exe"))", true, "tool.exe"},
      {R"(PICPB02(0,"b.png","song.mp3"))", false, "song.mp3"},
      {R"(PICPB02(0,"b.png"))", false, ""},
  };
  for (const Case& c : cases) {
    core::Flags().WaitingForChoice = 0;
    core::Flags().CursorHidden = 1;
    Line(QString::fromUtf8(c.line));
    for (platform::PictureBox* copy : {&Show(2), &Window(2)}) {
      EXPECT_EQ(copy->testAttribute(Qt::WA_SetCursor), c.hand) << c.line;
      if (c.hand) EXPECT_EQ(copy->cursor().shape(), Qt::BitmapCursor) << c.line;
    }
    EXPECT_EQ(core::Flags().WaitingForChoice, c.hand ? 1 : 0) << c.line;
    EXPECT_EQ(core::Flags().CursorHidden, c.hand ? 0 : 1) << c.line;
    EXPECT_EQ(core::Buttons().PicButtonLinks[2], dir_.path() + "/" + c.link) << c.line;
  }
  EXPECT_EQ(showbuttons::HandCursor().pixmap().size(), QSize(32, 32));
}

// The show copy stands at the text origin plus TextLeft, the window copy at TextLeft, both
// at their surface's current y.
TEST_F(ButtonsTest, AButtonIsPlacedAtTheTextPositionOnBothSurfaces) {
  Picture(QStringLiteral("b.png"), 40, 30);
  core::Settings().TextOriginScreen = 0;
  core::Surfaces().PictureLeft = 30;
  core::Surfaces().PictureTop = 20;
  Run({"CURRENTX=15", R"(PICPB01(0,"b.png"))", "CURRENTY=50", "CURRENTX=100",
       R"(PICPB02(0,"b.png"))"});
  EXPECT_EQ(ShowAt(1), QPoint(45, 20));
  EXPECT_EQ(WindowAt(1), QPoint(15, 0));
  EXPECT_EQ(ShowAt(2), QPoint(130, 70));
  EXPECT_EQ(WindowAt(2), QPoint(100, 50));
  for (int n : {1, 2}) {
    EXPECT_TRUE(Show(n).Visible());
    EXPECT_TRUE(Window(n).Visible());
    EXPECT_EQ(Show(n).size(), QSize(40, 30));
    EXPECT_EQ(Window(n).size(), QSize(40, 30));
    EXPECT_EQ(core::Buttons().PicButtonsShown[n], 1);
  }
}

// In the text section a "PICPB" line leaves a line feed, which is drawn as a line of its
// own: it adds the line space.
TEST_F(ButtonsTest, InTheTextSectionAButtonLineCountsAsALine) {
  Picture(QStringLiteral("b.png"), 40, 30);
  Run({"LINESPACE=10", "[テキスト]", R"(PICPB01(0,"b.png"))", R"(PICPB02(0,"b.png"))"});
  EXPECT_EQ(ShowAt(1), QPoint(0, 0));
  EXPECT_EQ(ShowAt(2), QPoint(0, 10));
  EXPECT_EQ(WindowAt(2), QPoint(0, 10));
}

TEST_F(ButtonsTest, FileNamesKeepTheirCaseAndAreFoundWhateverCaseTheMacroUses) {
  Picture(QStringLiteral("Button.png"), 24, 12);
  Line(R"(PICPB03(0,"Button.png"))");
  EXPECT_EQ(Show(3).size(), QSize(24, 12));
  Picture(QStringLiteral("other.png"), 16, 8);
  Line(R"(PICPB03(0,"OTHER.PNG"))");
  EXPECT_EQ(Show(3).size(), QSize(16, 8));
  EXPECT_FALSE(Show(3).Picture().isNull());
}

// An unreadable picture leaves the button as it was, recorded, placed and shown.
TEST_F(ButtonsTest, AMissingPictureStillPlacesAButtonOfItsOldSize) {
  Place(3, 10, 10);
  core::Buttons().PicButtonJumps[3] = 0;
  Line(R"(PICPB03(2,"nothere.png"))");
  EXPECT_EQ(Show(3).size(), QSize(40, 30));
  EXPECT_TRUE(Show(3).Visible());
  EXPECT_EQ(core::Buttons().PicButtonJumps[3], 2);
  EXPECT_EQ(core::Buttons().PicButtonsShown[3], 1);
}

// Removing a button on the show screen puts back its rectangle, one pixel larger each way,
// from the background copy: text drawn there after the marker goes with it.
TEST_F(ButtonsTest, RemovingAButtonBringsBackTheBackgroundCopyUnderIt) {
  Place(1, 50, 40);
  core::Buttons().PicButtonJumps[1] = 4;
  PaintOnP2(QRect(30, 20, 100, 80), kRed);
  Line(R"(PICPB01(0,""))");
  EXPECT_FALSE(Show(1).Visible());
  EXPECT_FALSE(Window(1).Visible());
  EXPECT_TRUE(Show(1).Picture().isNull());
  EXPECT_EQ(core::Buttons().PicButtonsShown[1], 0);
  EXPECT_EQ(core::Buttons().PicButtonJumps[1], 4);  // kept
  EXPECT_EQ(At(P2(), 50, 40), kYellow);
  EXPECT_EQ(At(P2(), 90, 70), kYellow);  // the extra pixel
  EXPECT_EQ(At(P2(), 91, 50), kRed);
  EXPECT_EQ(At(P2(), 49, 50), kRed);
  EXPECT_EQ(At(P2(), 60, 71), kRed);

  // A picture text whose closing quote is missing removes too; nothing shown, nothing
  // repainted.
  PaintOnP2(QRect(30, 20, 100, 80), kRed);
  Line(R"(PICPB01(0,"b.png))");
  EXPECT_EQ(At(P2(), 60, 50), kRed);
}

TEST_F(ButtonsTest, OutsideTheFullScreenShowRemovingLeavesTheShowSurfaceAlone) {
  core::Flags().FullScreenShowActive = 0;
  Place(1, 50, 40);
  PaintOnP2(QRect(30, 20, 100, 80), kRed);
  Line(R"(PICPB01(0,""))");
  EXPECT_EQ(At(P2(), 60, 50), kRed);
  EXPECT_FALSE(Window(1).Visible());
  EXPECT_EQ(core::Buttons().PicButtonsShown[1], 0);
}

// Re-placing erases the old image by the outline it was placed with: its rectangle, or the
// box of its polygon.
TEST_F(ButtonsTest, ReplacingAButtonErasesItsFirstImage) {
  Place(1, 50, 40);
  PaintOnP2(QRect(0, 0, 400, 200), kRed);
  Line("PICPBTYPE=1");
  Place(1, 200, 100);
  EXPECT_EQ(At(P2(), 50, 40), kYellow);
  EXPECT_EQ(At(P2(), 90, 70), kYellow);
  EXPECT_EQ(At(P2(), 91, 70), kRed);
  EXPECT_EQ(ShowAt(1), QPoint(200, 100));
  EXPECT_EQ(core::Buttons().PicButtonShapes[1], 1);
  EXPECT_EQ(Show(1).mask(), showbuttons::OutlineRegion(showbuttons::EllipsePoints(40, 30)));

  // A polygon button: only the box of its points comes back.
  PointFile(QStringLiteral("tri.dat"), {"KVZ_PICTYPE_DATA", "10,5", "30,5", "20,25"});
  Line("PICPBDATA(1,tri.dat)");
  Place(1, 100, 40);
  EXPECT_EQ(core::Buttons().PicButtonShapes[1], 999);
  PaintOnP2(QRect(0, 0, 400, 200), kRed);
  Place(1, 300, 150);
  EXPECT_EQ(At(P2(), 110, 45), kYellow);
  EXPECT_EQ(At(P2(), 130, 65), kYellow);
  EXPECT_EQ(At(P2(), 131, 45), kRed);
  EXPECT_EQ(At(P2(), 105, 45), kRed);
  EXPECT_EQ(At(P2(), 110, 44), kRed);
}

// A first placement leaves the surface alone, wherever the slot's control stood before.
TEST_F(ButtonsTest, AFirstPlacementErasesNothing) {
  Place(1, 50, 40);
  core::ClearButtonSlots();
  PaintOnP2(QRect(0, 0, 400, 200), kRed);
  Place(1, 200, 100);
  EXPECT_EQ(At(P2(), 60, 50), kRed);
}

TEST_F(ButtonsTest, APolygonButtonReadsItsOwnSlotsFile) {
  Picture(QStringLiteral("b.png"), 40, 30);
  PointFile(QStringLiteral("a.dat"), {"KVZ_PICTYPE_DATA", "0,0", "39,0", "0,29"});
  Run({"PICPBDATA(1,a.dat)", R"(PICPB01(0,"b.png"))", R"(PICPB02(0,"b.png"))", "PICPBTYPE=0",
       R"(PICPB03(0,"b.png"))"});
  EXPECT_EQ(core::Buttons().PicButtonShapes[1], 999);
  EXPECT_EQ(core::Buttons().PicButtonShapeRights[1], 39);
  EXPECT_TRUE(Show(1).mask().contains(QPoint(2, 2)));
  EXPECT_FALSE(Show(1).mask().contains(QPoint(35, 25)));
  // Slot 2 has no file: its box says so and it keeps its full rectangle.
  EXPECT_EQ(core::Buttons().PicButtonShapes[2], 999);
  EXPECT_EQ(core::Buttons().PicButtonShapeLefts[2], 9999);
  EXPECT_TRUE(Show(2).mask().isEmpty());
  EXPECT_EQ(core::Buttons().PicButtonShapes[3], 0);
}

}  // namespace
}  // namespace buttons_test

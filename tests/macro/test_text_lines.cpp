// Text lines as a user sees them on the show surface and the preview box: colours,
// shadows, outlines, rows and what keyword lines leave undrawn.
#include <QProcess>

#include "tests/macro/macro_fixture.h"

namespace macro_test {
namespace {

struct Probe {
  int dx, dy;  // from the text's own bounds: <0 left/above, >0 right/below, 0 centre
  QColor expected;
};

struct DrawCase {
  const char* name;
  QStringList lines;
  QColor text;
  std::vector<Probe> probes;
};

// A pixel beside the text's bounds: dx < 0 counts from the left edge, dx > 0 from the
// right edge, 0 is the centre; likewise dy.
QColor Beside(platform::PictureBox& box, const QRect& r, int dx, int dy) {
  const int x = dx < 0 ? r.left() + dx : dx > 0 ? r.right() + dx : r.center().x();
  const int y = dy < 0 ? r.top() + dy : dy > 0 ? r.bottom() + dy : r.center().y();
  return At(box, x, y);
}

void PrintTo(const DrawCase& c, std::ostream* os) { *os << c.name; }

class TextDrawing : public MacroTest, public ::testing::WithParamInterface<DrawCase> {};

TEST_P(TextDrawing, OnBothSurfaces) {
  // Room for outlines on every side.
  Run(QStringList({"CurrentX=20", "CurrentY=20"}) + GetParam().lines);
  for (platform::PictureBox* box : {&P2(), &Preview()}) {
    const QRect r = Bounds(*box, GetParam().text, 10);
    ASSERT_FALSE(r.isEmpty()) << "no text in its colour";
    EXPECT_GE(r.left(), 20);
    EXPECT_LT(r.left(), 32);
    EXPECT_GE(r.top(), 20);
    EXPECT_LT(r.top(), 50);
    for (const Probe& p : GetParam().probes) {
      const QColor seen = Beside(*box, r, p.dx, p.dy);
      EXPECT_TRUE(Near(seen, p.expected, 10))
          << "at " << p.dx << "," << p.dy << " saw " << seen.name().toStdString() << " wanted "
          << p.expected.name().toStdString();
    }
    EXPECT_EQ(At(*box, box->Image().width() - 3, box->Image().height() - 3), kBack);
  }
}

const QColor kBlack(0, 0, 0), kLight(230, 230, 230), kDark(20, 20, 20);

const DrawCase kDrawCases[] = {
    {"PlainWhiteAtStart",
     {"[テキスト]", "■"},
     QColor(255, 255, 255),
     {{-2, 0, kBack}, {2, 0, kBack}}},
    {"PlainColour", {"RGB(255,0,0)", "[テキスト]", "■"}, kRed, {{-2, 0, kBack}, {0, 2, kBack}}},
    {"ShadowBelowRight",
     {"Kage=1", "ZureX=6", "ZureY=4", "RGB(255,0,0)", "[テキスト]", "■"},
     kRed,
     {{3, 0, kBlack}, {0, 2, kBlack}, {-2, 0, kBack}, {0, -2, kBack}}},
    {"ShadowLeft",
     {"Kage=1", "ZureX=-3", "ZureY=0", "RGB(255,0,0)", "[テキスト]", "■"},
     kRed,
     {{-2, 0, kBlack}, {2, 0, kBack}}},
    {"ShadowAndTextBlackWithoutColour", {"Kage=1", "[テキスト]", "■"}, kBlack, {{-3, -3, kBack}}},
    {"LightOutline",
     {"Kage=3", "RGB(255,0,0)", "[テキスト]", "■"},
     kRed,
     {{-3, 0, kLight},
      {3, 0, kLight},
      {0, -2, kLight},
      {0, 2, kLight},
      {-9, 0, kBack},
      {0, -7, kBack}}},
    {"DarkOutline",
     {"Kage=2", "RGB(255,0,0)", "[テキスト]", "■"},
     kRed,
     {{-3, 0, kDark}, {0, 2, kDark}, {9, 0, kBack}}},
    {"OutlineInPaletteColour",
     {"BorderColor=4", "Kage=3", "RGB(255,0,0)", "[テキスト]", "■"},
     kRed,
     {{-3, 0, platform::QBColor(4)}, {-9, 0, kBack}}},
    {"OutlineWidthCapped",
     {"Kage=3", "ZureX=-25", "ZureY=0", "RGB(255,0,0)", "[テキスト]", "■"},
     kRed,
     {{-8, 0, kLight}, {-14, 0, kBack}, {0, -3, kBack}}},
};

INSTANTIATE_TEST_SUITE_P(Table, TextDrawing, ::testing::ValuesIn(kDrawCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MacroTest, TextStartsAtThePictureCornerOnTheShowSurfaceOnly) {
  core::Settings().TextOriginScreen = 0;
  core::Surfaces().PictureLeft = 100;
  core::Surfaces().PictureTop = 60;
  Run({"RGB(255,0,0)", "CurrentX=10", "[テキスト]", "■"});
  const QRect onScreen = Bounds(P2(), kRed), inPreview = Bounds(Preview(), kRed);
  ASSERT_FALSE(onScreen.isEmpty());
  ASSERT_FALSE(inPreview.isEmpty());
  EXPECT_EQ(onScreen.topLeft() - inPreview.topLeft(), QPoint(100, 60));
  EXPECT_GE(inPreview.left(), 10);
  EXPECT_LT(inPreview.left(), 20);
}

TEST_F(MacroTest, KeywordCommentAndMarkerLinesDrawNothing) {
  Run({"[テキスト]        //以下にメッセージを記入して下さい", "Kage=0", "// a comment",
       "Table of contents", "End of the story", "Skip this", "cls", "FONTSIZE=30"});
  EXPECT_EQ(Drawn(P2()), 0);
  EXPECT_EQ(Drawn(Preview()), 0);
  EXPECT_EQ(M().TabWidth, 2);  // "Table" is TAB, read from its own letters
}

TEST_F(MacroTest, CrLfLinesGoDownARowAndLfLinesStayOnTheirRow) {
  struct Case {
    const char* eol;
    int rows;
  } cases[] = {{"\r\n", 2}, {"\n", 0}};
  for (const Case& c : cases) {
    SetUp();
    Run({"LineSpace=5", "[テキスト]", "■", "■"}, QString::fromLatin1(c.eol));
    for (platform::PictureBox* box : {&P2(), &Preview()}) {
      EXPECT_NEAR(box->CurrentY(), c.rows * RowHeight(*box) + 10, 0.01) << c.rows;
      EXPECT_EQ(box->CurrentX(), 0);
    }
    TearDown();
  }
}

TEST_F(MacroTest, ASecondMarkerIsDrawnAndCopiesTheShowSurfaceIntoTheBackground) {
  core::Flags().FullScreenShowActive = 1;
  Run({"RGB(255,0,0)", "[テキスト]", "■", "[テキスト]", "▲"});
  const QRect inBackground = Bounds(P3(), kRed);
  ASSERT_FALSE(inBackground.isEmpty());
  // The marker line itself was drawn before the copy; the line after it is on P2 only.
  EXPECT_GT(Bounds(P2(), kRed).bottom(), inBackground.bottom());
}

TEST_F(MacroTest, ALineOfTheLargestOutlineIsTheSameAsOneOfTheSmallestOnTop) {
  // Every copy of an outline starts at its own position: the text itself stays where a
  // plain line would be.
  Run({"CurrentX=20", "CurrentY=20", "RGB(255,0,0)", "[テキスト]", "■"});
  const QRect plain = Bounds(P2(), kRed);
  SetUp();
  Run({"CurrentX=20", "CurrentY=20", "Kage=3", "ZureX=10", "ZureY=10", "RGB(255,0,0)", "[テキスト]",
       "■"});
  EXPECT_EQ(Bounds(P2(), kRed), plain);
  const QRect outline = Bounds(P2(), kLight, 10);
  const QRect inner = outline.adjusted(10, 10, -10, -10);
  // Edges may differ by the one pixel that antialiasing shades.
  EXPECT_NEAR(inner.left(), plain.left(), 1);
  EXPECT_NEAR(inner.top(), plain.top(), 1);
  EXPECT_NEAR(inner.right(), plain.right(), 1);
  EXPECT_NEAR(inner.bottom(), plain.bottom(), 1);
}

}  // namespace
}  // namespace macro_test

namespace macro_test {
namespace {

TEST_F(MacroTest, TheDemoShowsFirstSlideCarriesItsCaption) {
  QProcess make;
  make.start(QStringLiteral("bash"),
             {QStringLiteral(FIXTURES_DIR "/../../samples/make-demo.sh"), dir_.path()});
  ASSERT_TRUE(make.waitForFinished(60000));
  ASSERT_EQ(make.exitCode(), 0) << make.readAllStandardError().toStdString();
  core::Lists().SlidePaths[1] = dir_.filePath(QStringLiteral("demo1.jpg"));
  P2().resize(900, 300);
  P2().SetBackColor(kBack);
  macro::RunPictureMacro();
  EXPECT_FALSE(Bounds(P2(), QColor(230, 230, 230), 0).isEmpty());  // the outlined title
  const QRect second = Bounds(P2(), QColor(255, 240, 120), 0);     // the shadowed line
  ASSERT_FALSE(second.isEmpty());
  EXPECT_GT(second.top(), 80);
}

}  // namespace
}  // namespace macro_test

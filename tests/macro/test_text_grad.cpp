// Gradient text as a user sees it: the colour of each character on both surfaces, the
// text taken from the line, and the shadow or outline behind every character.
#include <QFontMetricsF>

#include "tests/macro/macro_fixture.h"

namespace macro_test {
namespace {

constexpr int kLeft = 10, kTop = 10;

// The pixel in the middle of character k of `drawn`, as the surface's font lays it out
// from the text left edge.
QColor CharacterColour(platform::PictureBox& box, const QString& drawn, int k) {
  const QFontMetricsF fm(box.font(), &box.Canvas());
  const double left = kLeft + fm.horizontalAdvance(drawn.left(k));
  const double right = kLeft + fm.horizontalAdvance(drawn.left(k + 1));
  return At(box, static_cast<int>((left + right) / 2), static_cast<int>(kTop + fm.ascent() * 0.6));
}

struct CharProbe {
  int index;
  QColor colour;
};

struct GradCase {
  const char* name;
  const char* line;
  QString drawn;  // the text as it should come out
  std::vector<CharProbe> probes;
};

void PrintTo(const GradCase& c, std::ostream* os) { *os << c.name; }

QColor Grey(int v) { return QColor(v, v, v); }

const QString kTen = QStringLiteral("■■■■■■■■■■");

const GradCase kGradCases[] = {
    {"RisingStopsShortOfTheEnd",
     "GRAD(0,0,0,255,255,255,\"■■■■■■■■■■\")",
     kTen,
     {{0, Grey(25)}, {1, Grey(50)}, {9, Grey(250)}}},
    {"FallingIsHeldAtZero",
     "GRAD(255,255,255,0,0,0,\"■■■■■■■■■■\")",
     kTen,
     {{0, Grey(229)}, {1, Grey(203)}, {8, Grey(21)}, {9, Grey(0)}}},
    {"RedToBlueInTwo",
     "GRAD(255,0,0,0,0,255,\"■■\")  // from the cut-out window",
     QStringLiteral("■■"),
     {{0, QColor(127, 0, 127)}, {1, QColor(0, 0, 254)}}},
    {"OneCharacterIsTheEndColour",
     "Grad(10,20,30,200,100,50,\"■\")",
     QStringLiteral("■"),
     {{0, QColor(200, 100, 50)}}},
    {"ThreeCommasLeaveTheEndBlack",
     "GRAD(255,0,0,\"■■\")",
     QStringLiteral("■■"),
     {{0, QColor(127, 0, 0)}, {1, QColor(0, 0, 0)}}},
    {"OutOfRangeNumbersAreClamped",
     "GRAD(-40,300,abc,999999,-1,255,\"■■\")",
     QStringLiteral("■■"),
     {{0, QColor(127, 127, 127)}, {1, QColor(254, 0, 254)}}},
    {"CommaInsideTheQuotedText",
     "GRAD(0,0,0,255,255,255,\"■,■\")",
     QStringLiteral("■,■"),
     {{0, Grey(85)}, {2, Grey(255)}}},
    {"BlankBeforeTheQuoteKeepsBothQuotes",
     "GRAD(0,0,0,252,252,252, \"■\")",
     QStringLiteral(" \"■\""),
     {{2, Grey(189)}}},
    {"UnquotedTextRunsToTheLastParenthesis",
     "GRAD(0,0,0,0,200,0,■(■))",
     QStringLiteral("■(■)"),
     {{0, QColor(0, 50, 0)}, {2, QColor(0, 150, 0)}}},
};

class GradText : public MacroTest, public ::testing::WithParamInterface<GradCase> {};

TEST_P(GradText, EachCharacterInItsStepColourOnBothSurfaces) {
  Run({"FontSize=14", QStringLiteral("CurrentX=%1").arg(kLeft),
       QStringLiteral("CurrentY=%1").arg(kTop), QString::fromUtf8(GetParam().line)});
  for (platform::PictureBox* box : {&P2(), &Preview()}) {
    for (const CharProbe& probe : GetParam().probes) {
      const QColor seen = CharacterColour(*box, GetParam().drawn, probe.index);
      EXPECT_TRUE(Near(seen, probe.colour, 2))
          << "character " << probe.index << " saw " << seen.name().toStdString() << " wanted "
          << probe.colour.name().toStdString();
    }
  }
  // The line is consumed: nothing of it reaches a later keyword or the text section.
  EXPECT_TRUE(M().MacroLine.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Lines, GradText, ::testing::ValuesIn(kGradCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GradText, QuotedTextAfterTheCommaIsDrawnWithoutItsQuotes) {
  Run({"FontSize=14", "CurrentX=10", "CurrentY=10", "GRAD(0,0,0,255,0,0,\"■\")"});
  for (platform::PictureBox* box : {&P2(), &Preview()}) {
    // Only the block is drawn: everything drawn lies within its one advance.
    QRect drawn;
    const QImage& image = box->Image();
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (image.pixelColor(x, y) != kBack) drawn |= QRect(x, y, 1, 1);
    const QFontMetricsF fm(box->font(), &box->Canvas());
    ASSERT_FALSE(drawn.isEmpty());
    EXPECT_GE(drawn.left(), 10);
    EXPECT_LE(drawn.right(), 10 + fm.horizontalAdvance(QStringLiteral("■")) + 1);
    EXPECT_TRUE(Near(CharacterColour(*box, QStringLiteral("■"), 0), kRed, 2));
  }
}

TEST_F(GradText, AnOpenQuoteAloneIsDrawnInTheEndColour) {
  Run({"FontSize=30", "CurrentX=10", "CurrentY=10", "GRAD(0,0,0,0,255,0,\"■"});
  for (platform::PictureBox* box : {&P2(), &Preview()}) {
    // The quote mark is drawn, green; the block after it is not part of the text.
    EXPECT_FALSE(Bounds(*box, QColor(0, 255, 0), 60).isEmpty());
    const QFontMetricsF fm(box->font(), &box->Canvas());
    const double quote = fm.horizontalAdvance(QStringLiteral("\""));
    const double block = fm.horizontalAdvance(QStringLiteral("■"));
    EXPECT_EQ(At(*box, static_cast<int>(10 + quote + block / 2),
                 static_cast<int>(10 + fm.ascent() * 0.6)),
              kBack);
  }
}

TEST_F(GradText, ShadowBehindEachCharacter) {
  Run({"FontSize=20", "Kage=1", "ZureX=4", "ZureY=4", "CurrentX=10", "CurrentY=10",
       "GRAD(255,0,0,255,0,0,\"■■\")"});
  for (platform::PictureBox* box : {&P2(), &Preview()}) {
    const QRect red = Bounds(*box, kRed, 10);
    ASSERT_FALSE(red.isEmpty());
    // Below the text and right of the last character: black; left and above: untouched.
    EXPECT_EQ(At(*box, red.center().x(), red.bottom() + 2), QColor(0, 0, 0));
    EXPECT_EQ(At(*box, red.right() + 2, red.center().y()), QColor(0, 0, 0));
    EXPECT_EQ(At(*box, red.left() - 2, red.center().y()), kBack);
    EXPECT_EQ(At(*box, red.center().x(), red.top() - 2), kBack);
  }
}

TEST_F(GradText, LightOutlineIsClampedToTenPixelsAndStaysSo) {
  Run({"FontSize=20", "Kage=3", "ZureX=15", "ZureY=2", "CurrentX=40", "CurrentY=20",
       "GRAD(255,0,0,255,0,0,\"■\")"});
  const QColor light(230, 230, 230);
  for (platform::PictureBox* box : {&P2(), &Preview()}) {
    const QRect red = Bounds(*box, kRed, 10);
    ASSERT_FALSE(red.isEmpty());
    const int y = red.center().y();
    EXPECT_EQ(At(*box, red.left() - 9, y), light);
    EXPECT_EQ(At(*box, red.right() + 9, y), light);
    EXPECT_EQ(At(*box, red.left() - 13, y), kBack);
    EXPECT_EQ(At(*box, red.right() + 13, y), kBack);
  }
  EXPECT_EQ(M().ZureX, 10);
  EXPECT_EQ(M().ZureY, 2);
}

TEST_F(GradText, ATextLineAfterItIsDrawnOverItInTheLastColour) {
  const QString two = QStringLiteral("■■");
  Run({"FontSize=14", "CurrentX=10", "CurrentY=10", "[テキスト]", "GRAD(0,0,0,255,255,255,\"■■\")",
       "■"});
  for (platform::PictureBox* box : {&P2(), &Preview()}) {
    // The text line starts again at the text left edge of the same row, in the colour the
    // gradient ended with.
    EXPECT_TRUE(Near(CharacterColour(*box, two, 0), Grey(254), 2));
    EXPECT_TRUE(Near(CharacterColour(*box, two, 1), Grey(254), 2));
  }
}

}  // namespace
}  // namespace macro_test

// Rotated text: where the text lands at each angle, the size its height and width give
// it, its shadow and outline, the arguments a line gives, and the line it leaves behind.
#include <QFontMetricsF>
#include <QTransform>

#include "macro/picture_text.h"
#include "tests/macro/macro_fixture.h"

namespace macro_test {
namespace {

// Everything on the box that is not background.
QRect DrawnArea(const platform::PictureBox& box) {
  const QImage& image = box.Image();
  QRect r;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixelColor(x, y) != kBack) r |= QRect(x, y, 1, 1);
  return r;
}

// ---- arguments --------------------------------------------------------------------------------

struct ArgCase {
  const char* line;
  short height, width, escapement;
  const char* text;
};

TEST(TextOutArguments, FromTheLine) {
  const ArgCase cases[] = {
      {"TextOut(40,0,90,\"縦\")", 40, 0, 900, "縦"},
      {"TextOut(30,20,45,abc)", 30, 20, 450, "abc"},
      {"TEXTOUT(30,20,45, \"a,b\" )", 30, 20, 450, "a,b"},
      {"TEXTOUT(30,\"abc\")", 30, 0, 0, "abc"},
      {"TEXTOUT(\"abc\")", 0, 0, 0, "TEXTOUT(\"abc"},
      {"TEXTOUT(30,0,0,\"abc)", 30, 0, 0, ""},
      {"TEXTOUT(5000,0,400,\"a\")", 999, 0, 3600, "a"},
      {"TEXTOUT(40000,-5,-30,\"a\")", 0, 0, 0, "a"},
      {"TEXTOUT( 12.5 ,13.5,1.5,\"a\")", 12, 14, 20, "a"},
      {"TextOut(30,0,0,\"abc\")  //(文字高さ,文字幅,回転角度,文字列)", 30, 0, 0, "abc"},
      {"TEXTOUT(30,0,0,a(b)c)", 30, 0, 0, "a(b)c"},
      {"TEXTOUT(30,0,0,abc", 30, 0, 0, ""},
      {"TEXTOUT(,,,\"abc\")", 0, 0, 0, "abc"},
  };
  for (const ArgCase& c : cases) {
    const QString line = QString::fromUtf8(c.line);
    const macro::TextOutArgs a = macro::ReadTextOutLine(line, macro::MacroUpper(line));
    EXPECT_EQ(a.height, c.height) << c.line;
    EXPECT_EQ(a.width, c.width) << c.line;
    EXPECT_EQ(a.escapement, c.escapement) << c.line;
    EXPECT_EQ(a.text, QString::fromUtf8(c.text)) << c.line;
  }
}

// ---- where the text lands -----------------------------------------------------------------------

struct AngleCase {
  int angle;
  // The text's area relative to the drawing point (x, y): which sides it may reach.
  bool left, right, up, down;
  bool wide;  // wider than high
};

class RotatedText : public MacroTest {};

TEST_F(RotatedText, TheAnglePutsTheTextAroundTheDrawingPoint) {
  // Counter-clockwise: 90 reads upwards, 180 upside down to the left, 270 downwards.
  const AngleCase cases[] = {
      {0, false, true, false, true, true},   {90, false, true, true, false, false},
      {180, true, false, true, false, true}, {270, true, false, false, true, false},
      {360, false, true, false, true, true},
  };
  const int x = 180, y = 90;
  QRect horizontal;
  for (const AngleCase& c : cases) {
    SetUp();
    Run({QStringLiteral("CurrentX=%1").arg(x), QStringLiteral("CurrentY=%1").arg(y),
         QStringLiteral("TEXTOUT(30,0,%1,\"■■\")").arg(c.angle)});
    for (platform::PictureBox* box : {&P2(), &Preview()}) {
      const QRect r = DrawnArea(*box);
      ASSERT_FALSE(r.isEmpty()) << c.angle;
      const int slack = 3;
      EXPECT_EQ(r.left() < x - slack, c.left) << c.angle << " left " << r.left();
      EXPECT_EQ(r.right() > x + slack, c.right) << c.angle << " right " << r.right();
      EXPECT_EQ(r.top() < y - slack, c.up) << c.angle << " top " << r.top();
      EXPECT_EQ(r.bottom() > y + slack, c.down) << c.angle << " bottom " << r.bottom();
      EXPECT_EQ(r.width() > r.height(), c.wide) << c.angle;
      // Two blocks along the line, one across it.
      EXPECT_NEAR(std::max(r.width(), r.height()), 50, 6) << c.angle;
      EXPECT_NEAR(std::min(r.width(), r.height()), 22, 5) << c.angle;
      // The area at 0 degrees turned about the drawing point.
      if (c.angle == 0) horizontal = r.translated(-x, -y);
      QTransform turn;
      turn.rotate(-c.angle);
      const QRect expected = turn.mapRect(QRectF(horizontal)).toAlignedRect().translated(x, y);
      EXPECT_NEAR(r.left(), expected.left(), 1) << c.angle;
      EXPECT_NEAR(r.top(), expected.top(), 1) << c.angle;
      EXPECT_NEAR(r.right(), expected.right(), 1) << c.angle;
      EXPECT_NEAR(r.bottom(), expected.bottom(), 1) << c.angle;
    }
  }
}

TEST_F(RotatedText, HeightAndWidthSizeTheCharacters) {
  auto blockSize = [this](const char* line) {
    SetUp();
    Run({"CurrentX=20", "CurrentY=20", QString::fromUtf8(line)});
    const QRect onShow = DrawnArea(P2());
    EXPECT_EQ(DrawnArea(Preview()).size(), onShow.size()) << line;
    return onShow.size();
  };
  const QSize h40 = blockSize("TEXTOUT(40,0,0,\"■\")");
  const QSize h80 = blockSize("TEXTOUT(80,0,0,\"■\")");
  const QSize w10 = blockSize("TEXTOUT(40,10,0,\"■\")");
  const QSize w20 = blockSize("TEXTOUT(40,20,0,\"■\")");
  const QSize none = blockSize("TEXTOUT(0,0,0,\"■\")");
  // Width 0 keeps the face's square block square.
  EXPECT_NEAR(h40.width(), h40.height(), 2);
  EXPECT_NEAR(h80.height(), 2 * h40.height(), 3);
  EXPECT_NEAR(h80.width(), 2 * h40.width(), 3);
  // The width stretches the characters alone.
  EXPECT_NEAR(w20.width(), 2 * w10.width(), 3);
  EXPECT_NEAR(w10.height(), h40.height(), 1);
  EXPECT_NEAR(w20.height(), h40.height(), 1);
  // Height 0: the font's default size, smaller than 40.
  EXPECT_GT(none.height(), 5);
  EXPECT_LT(none.height(), h40.height());
}

TEST_F(RotatedText, DrawsInTheSurfaceColourWithTheTextStyle) {
  Run({"RGB(255,0,0)", "FontBold=1", "CurrentX=20", "CurrentY=20", "TEXTOUT(40,0,0,\"l\")"});
  const int boldWidth = Bounds(P2(), kRed, 60).width();
  SetUp();
  Run({"RGB(255,0,0)", "CurrentX=20", "CurrentY=20", "TEXTOUT(40,0,0,\"l\")"});
  const int plainWidth = Bounds(P2(), kRed, 60).width();
  EXPECT_GT(boldWidth, plainWidth);
  // Only the characters are painted, in the surface's colour (edges blend into the
  // background).
  for (platform::PictureBox* box : {&P2(), &Preview()}) {
    const QRect red = Bounds(*box, kRed, 60);
    ASSERT_FALSE(red.isEmpty());
    EXPECT_TRUE(red.adjusted(-1, -1, 1, 1).contains(DrawnArea(*box)));
  }
  // Drawing moves neither drawing position.
  EXPECT_EQ(P2().CurrentX(), 20);
  EXPECT_EQ(P2().CurrentY(), 20);
}

TEST_F(RotatedText, UnderlineRunsUnderOneBlankForEachSingleByteCharacter) {
  // The underlined width against the advance of `reference` in the font of the draw.
  auto underline = [this](const QString& text, const QString& reference) {
    SetUp();
    Run({"FontUnderline=1", "CurrentX=10", "CurrentY=10",
         QStringLiteral("TEXTOUT(24,0,0,\"%1\")").arg(text)});
    const QFont font = macro::RotatedTextFont(P2().font(), 24, 0, &P2().Canvas());
    const QFontMetricsF fm(font, &P2().Canvas());
    EXPECT_NEAR(DrawnArea(P2()).width(), fm.horizontalAdvance(reference), 3) << text.toStdString();
  };
  // Five letters: underlined over ten character widths.
  underline(QStringLiteral("abcde"), QStringLiteral("abcde     "));
  // Double-byte characters only: over their own length.
  underline(QStringLiteral("あいう"), QStringLiteral("あいう"));
}

TEST_F(RotatedText, ShadowBehindAndTheColourItKeeps) {
  // A gradient leaves the surfaces green while TextColor is still black: the shadow takes
  // the preview box's colour as the text colour, so the text itself is green.
  Run({"Kage=1", "ZureX=4", "ZureY=4", "CurrentX=20", "CurrentY=20", "GRAD(0,0,0,0,255,0,\"\")",
       "Grad(0,0,0,0,255,0,\" \")", "TEXTOUT(40,0,0,\"■\")"});
  const QColor green(0, 255, 0);
  EXPECT_EQ(core::Surfaces().TextColor, platform::ToVbColor(green));
  struct Side {
    platform::PictureBox* box;
    QColor shadow;
  };
  for (const Side& s : {Side{&P2(), QColor(0, 0, 0)}, Side{&Preview(), QColor(20, 20, 20)}}) {
    const QRect text = Bounds(*s.box, green, 10);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_EQ(At(*s.box, text.right() + 2, text.center().y()), s.shadow);
    EXPECT_EQ(At(*s.box, text.center().x(), text.bottom() + 2), s.shadow);
    EXPECT_EQ(At(*s.box, text.left() - 2, text.center().y()), kBack);
    EXPECT_EQ(s.box->ForeColor(), green);
  }
}

TEST_F(RotatedText, OutlineReachesTenPixelsAfterANegativeWidth) {
  Run({"Kage=2", "ZureX=-15", "ZureY=3", "RGB(255,0,0)", "CurrentX=60", "CurrentY=40",
       "TEXTOUT(30,0,90,\"■\")"});
  const QColor dark(20, 20, 20);
  for (platform::PictureBox* box : {&P2(), &Preview()}) {
    const QRect text = Bounds(*box, kRed, 10);
    ASSERT_FALSE(text.isEmpty());
    const int y = text.center().y();
    EXPECT_EQ(At(*box, text.left() - 9, y), dark);
    EXPECT_EQ(At(*box, text.right() + 9, y), dark);
    EXPECT_EQ(At(*box, text.left() - 13, y), kBack);
    EXPECT_EQ(At(*box, text.center().x(), text.top() - 2), dark);
    EXPECT_EQ(At(*box, text.center().x(), text.top() - 6), kBack);
  }
  EXPECT_EQ(M().ZureX, 10);
}

TEST_F(RotatedText, InTheTextSectionOnlyTheLineSpaceFollows) {
  auto blockTop = [this](bool withTextOut) {
    SetUp();
    QStringList lines = {"LineSpace=7", "CurrentY=10", "RGB(255,0,0)", "[テキスト]"};
    if (withTextOut) lines << "TEXTOUT(0,0,0,\"\")";
    lines << "■";
    Run(lines);
    return Bounds(P2(), kRed, 10).top();
  };
  EXPECT_EQ(blockTop(true), blockTop(false) + 7);
}

TEST_F(RotatedText, ATextTooLongToCountDrawsNothing) {
  Run({"CurrentX=10", "CurrentY=10",
       QStringLiteral("TEXTOUT(20,0,0,\"%1\")").arg(QString(16384, QLatin1Char('a')))});
  EXPECT_EQ(Drawn(P2()), 0);
  EXPECT_EQ(Drawn(Preview()), 0);
}

}  // namespace
}  // namespace macro_test

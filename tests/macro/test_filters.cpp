// Picture filters: the pixels after each filter on a small picture, on the show surfaces,
// the preview box and the picture the next erase effect starts from; filters adding up;
// what they leave of the text; and "SAVEPIC".
#include <QImage>
#include <QPainter>
#include <functional>

#include "core/form4.h"
#include "engine/surfaces.h"
#include "tests/macro/macro_fixture.h"

namespace macro_test {
namespace {

constexpr int kLeft = 100, kTop = 40, kSide = 16;
const QColor kGreen(0, 255, 0), kBlue(0, 0, 255), kWhite(255, 255, 255);

// 16 x 16: red, blue / green, white quadrants.
QImage Quadrants() {
  QImage image(kSide, kSide, QImage::Format_RGB32);
  QPainter p(&image);
  p.fillRect(0, 0, 8, 8, kRed);
  p.fillRect(8, 0, 8, 8, kBlue);
  p.fillRect(0, 8, 8, 8, kGreen);
  p.fillRect(8, 8, 8, 8, kWhite);
  return image;
}

// 16 x 16: columns alternately red and blue.
QImage Stripes() {
  QImage image(kSide, kSide, QImage::Format_RGB32);
  for (int x = 0; x < kSide; ++x)
    for (int y = 0; y < kSide; ++y) image.setPixelColor(x, y, x % 2 ? kBlue : kRed);
  return image;
}

bool Grey(const QColor& c) { return c.red() == c.green() && c.green() == c.blue(); }

class FilterTest : public MacroTest {
 protected:
  void SetUp() override {
    MacroTest::SetUp();
    core::Flags().FullScreenShowActive = 1;
    core::Settings().OverlayMode = 0;
    core::Surfaces().PictureLeft = kLeft;
    core::Surfaces().PictureTop = kTop;
  }
  void TearDown() override {
    core::Flags().FullScreenShowActive = 0;
    engine::ReleasePictureDC();
    MacroTest::TearDown();
  }
  // The slide's picture as the slide player left it: held by the imaging control and
  // shown at its place.
  void ShowPicture(const QImage& picture) {
    core::form4().Lead1.SetImagePicture(picture);
    engine::PresentImagingBitmap();
  }
  // The picture's pixel (x, y) as each place that shows or keeps it has it.
  std::vector<QColor> Everywhere(int x, int y) {
    return {At(P2(), kLeft + x, kTop + y), At(P3(), kLeft + x, kTop + y),
            At(P4(), kLeft + x, kTop + y), At(Preview(), x, y),
            engine::PictureMemDCImage().pixelColor(x, y)};
  }
};

TEST_F(FilterTest, EachFilterChangesThePictureEverywhereItIsKept) {
  const struct {
    const char* line;
    QImage (*picture)();
    std::function<void(const std::vector<QColor>& topLeft, const std::vector<QColor>& middle)>
        check;
  } cases[] = {
      {"REVERSE", Quadrants,
       [](auto& tl, auto&) {
         for (const QColor& c : tl) EXPECT_EQ(c, kBlue);
       }},
      {"FLIP", Quadrants,
       [](auto& tl, auto&) {
         for (const QColor& c : tl) EXPECT_EQ(c, kGreen);
       }},
      {"GRAYSCALE", Quadrants,
       [](auto& tl, auto&) {
         for (const QColor& c : tl)
           EXPECT_TRUE(Grey(c) && c.red() > 0 && c.red() < 255) << c.name().toStdString();
       }},
      {"MOSAIC", Stripes,
       [](auto& tl, auto&) {
         for (const QColor& c : tl)
           EXPECT_TRUE(Near(c, QColor(128, 0, 128), 2)) << c.name().toStdString();
       }},
      {"BIT", Quadrants,
       [](auto& tl, auto&) {
         for (const QColor& c : tl)
           EXPECT_TRUE(c == Qt::black || c == Qt::white) << c.name().toStdString();
       }},
      {"PENCIL", Quadrants,
       [](auto& tl, auto& mid) {
         // White paper inside a flat area, a dark stroke where the colours meet.
         for (const QColor& c : tl) EXPECT_TRUE(Grey(c) && c.red() > 200) << c.name().toStdString();
         for (const QColor& c : mid)
           EXPECT_TRUE(Grey(c) && c.red() < 200) << c.name().toStdString();
       }},
      {"METAL", Quadrants,
       [](auto& tl, auto&) {
         for (const QColor& c : tl)
           EXPECT_TRUE(Grey(c) && Near(c, QColor(128, 128, 128), 10)) << c.name().toStdString();
       }},
  };
  for (const auto& c : cases) {
    SetUp();
    ShowPicture(c.picture());
    Run({c.line});
    SCOPED_TRACE(c.line);
    c.check(Everywhere(2, 2), Everywhere(8, 2));
    // The rest of the surface is left alone.
    EXPECT_EQ(At(P2(), kLeft - 1, kTop), kBack);
    TearDown();
  }
}

TEST_F(FilterTest, FiltersOnOneSlideAddUp) {
  ShowPicture(Stripes());
  Run({"GRAYSCALE", "Mosaic"});
  for (const QColor& c : Everywhere(3, 3)) {
    EXPECT_TRUE(Grey(c)) << c.name().toStdString();
    EXPECT_EQ(c, Everywhere(0, 7)[0]);
  }
  Run({"REVERSE", "REVERSE"});
  EXPECT_TRUE(Grey(At(P2(), kLeft, kTop)));
}

TEST_F(FilterTest, AFilterCoversTheTextOnThePictureAndMayClearTheRest) {
  // Screen corner as origin, no overlay: all text goes. Picture corner: text outside
  // the picture stays.
  for (short screen = 0; screen < 2; ++screen) {
    SetUp();
    core::Settings().TextOriginScreen = screen;
    ShowPicture(Quadrants());
    Run({"RGB(255,0,0)", "FontSize=40", "[テキスト]", "■■■■■■■■", "■■■■■■■■"});
    const QRect before = Bounds(P2(), kRed, 0);
    ASSERT_FALSE(before.isEmpty());
    Run({"GRAYSCALE"});
    EXPECT_EQ(Bounds(P2(), kRed, 0).isEmpty(), screen == 1);
    // Covered on the picture in any case.
    for (int y = kTop; y < kTop + kSide; ++y)
      for (int x = kLeft; x < kLeft + kSide; ++x) ASSERT_NE(At(P2(), x, y), kRed) << x << "," << y;
    TearDown();
  }
}

TEST_F(FilterTest, InTheMainWindowAFilterStartsThePreviewsTextAgain) {
  core::Flags().FullScreenShowActive = 0;
  ShowPicture(Quadrants());
  Run({"RGB(255,0,0)", "[テキスト]", "■", "■", "GRAYSCALE"});
  EXPECT_TRUE(Bounds(Preview(), kRed).isEmpty());
  EXPECT_TRUE(Grey(At(Preview(), 2, 2)));
  EXPECT_FALSE(Near(At(Preview(), 2, 2), kBack));
  Run({"RGB(255,0,0)", "[テキスト]", "■", "■", "GRAYSCALE", "■"});
  const QRect red = Bounds(Preview(), kRed);
  EXPECT_LT(red.top(), 5);
  EXPECT_LT(red.height(), RowHeight(Preview()));
  // The show surfaces are not the picture's here.
  EXPECT_EQ(At(P3(), kLeft + 2, kTop + 2), kBack);
}

TEST_F(FilterTest, SavePicKeepsTheShowSurfaceAsTheBackgroundOfRepaints) {
  QImage green(kSide, kSide, QImage::Format_RGB32);
  green.fill(kGreen);
  for (int save = 0; save < 2; ++save) {
    SetUp();
    ShowPicture(green);
    engine::slidescreen().Label1.SetVisible(save == 1);
    QStringList lines = {"[テキスト]", "RGB(255,0,0)", "■"};
    if (save) lines << "SAVEPIC";
    Run(lines);
    EXPECT_EQ(Bounds(P3(), kRed).isEmpty(), save == 0);
    EXPECT_TRUE(Bounds(P4(), kRed).isEmpty());
    EXPECT_EQ(engine::slidescreen().Label1.Visible(), save == 1);
    TearDown();
  }
  // Inside the main window it does nothing.
  SetUp();
  core::Flags().FullScreenShowActive = 0;
  Run({"[テキスト]", "RGB(255,0,0)", "■", "SAVEPIC"});
  EXPECT_TRUE(Bounds(P3(), kRed).isEmpty());
}

TEST_F(FilterTest, AFilterWithoutAPictureIsAnErrorOfTheRun) {
  core::form4().Lead1.ReleaseImage();
  Run({"GRAYSCALE", "KAGE=2"});
  EXPECT_EQ(M().KageMode, 0);
  Run({"[テキスト]", "GRAYSCALE", "KAGE=2"});
  EXPECT_EQ(M().KageMode, 2);
}

}  // namespace
}  // namespace macro_test

// The show surfaces: their background colour, the current picture's memory DC and the
// presentation of the imaging control's picture in the main window and full screen.
#include <gtest/gtest.h>

#include <QPainter>

#include "core/form1.h"
#include "core/form4.h"
#include "core/monitors.h"
#include "core/state.h"
#include "engine/slidescreen.h"
#include "engine/surfaces.h"
#include "platform/events.h"

using namespace engine;

namespace {

QImage MakePicture(int w, int h, QImage::Format format = QImage::Format_RGB32) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(10 + x, 20 + y, 99));
  return img.convertToFormat(format);
}

class Surfaces : public ::testing::Test {
 protected:
  void SetUp() override {
    core::form1();  // the main window's load loads the show window: before it is reset
    core::ResetAllState();
    core::BuildMonitorTable();
    ResetSlidescreen();
    platform::DestroyPendingNow();
  }
  void TearDown() override {
    ReleasePictureDC();
    ResetSlidescreen();
    platform::DestroyPendingNow();
  }
  static QRgb Colour(platform::PictureBox& box) { return box.Image().pixel(1, 1); }
};

TEST_F(Surfaces, BackColourTable) {
  const QRgb table[] = {qRgb(128, 128, 128), qRgb(192, 192, 192), qRgb(0, 0, 0),
                        qRgb(255, 192, 192), qRgb(255, 224, 192), qRgb(255, 255, 192),
                        qRgb(192, 255, 192), qRgb(192, 255, 255), qRgb(192, 192, 255),
                        qRgb(255, 192, 255)};
  for (short i = 0; i <= 9; ++i) EXPECT_EQ(ScreenBackColor({}, i)->rgb(), table[i]) << i;
  for (short i : {-1, 10, 999}) EXPECT_EQ(ScreenBackColor({}, i)->rgb(), qRgb(0, 0, 0)) << i;
}

TEST_F(Surfaces, BackColourFromHexDigitsRedGreenBlue) {
  struct Case {
    const char* hex;
    bool valid;
    QRgb colour;
  } cases[] = {
      {"FF0000", true, qRgb(255, 0, 0)},
      {"00ff00", true, qRgb(0, 255, 0)},
      {"0000FF", true, qRgb(0, 0, 255)},
      {"12AB9c", true, qRgb(0x12, 0xab, 0x9c)},
      {"GG0000", false, 0},
      {"12 456", false, 0},
      {"-10000", false, 0},
      {"0x1234", false, 0},
  };
  for (const Case& c : cases) {
    const auto colour = ScreenBackColor(QString::fromLatin1(c.hex), 7);  // index not used
    ASSERT_EQ(colour.has_value(), c.valid) << c.hex;
    if (c.valid) EXPECT_EQ(colour->rgb(), c.colour) << c.hex;
  }
}

TEST_F(Surfaces, ApplyScreenBackColourColoursTheThreeSurfaces) {
  Slidescreen& screen = slidescreen();
  core::Settings().OverlayBackColorIndex = 7;
  ApplyScreenBackColor();
  for (platform::PictureBox* box : {&screen.P2, &screen.P3, &screen.P4})
    EXPECT_EQ(Colour(*box), qRgb(192, 255, 255));

  // The hex text wins over the index.
  core::Settings().OverlayBackColorHex = QStringLiteral("FF0000");
  ApplyScreenBackColor();
  for (platform::PictureBox* box : {&screen.P2, &screen.P3, &screen.P4})
    EXPECT_EQ(Colour(*box), qRgb(255, 0, 0));

  // A text that is not hexadecimal leaves the colours as they were.
  core::Settings().OverlayBackColorHex = QStringLiteral("red");
  ApplyScreenBackColor();
  for (platform::PictureBox* box : {&screen.P2, &screen.P3, &screen.P4})
    EXPECT_EQ(Colour(*box), qRgb(255, 0, 0));
}

TEST_F(Surfaces, ApplyScreenBackColourLoadsTheShowWindowHidden) {
  ASSERT_EQ(SlidescreenIfLoaded(), nullptr);
  core::Settings().OverlayMode = 1;
  core::Settings().OverlayBackColorIndex = 3;
  ApplyScreenBackColor();
  ASSERT_NE(SlidescreenIfLoaded(), nullptr);
  EXPECT_FALSE(SlidescreenIfLoaded()->isVisible());
  EXPECT_EQ(Colour(SlidescreenIfLoaded()->P2), qRgb(255, 192, 192));
}

TEST_F(Surfaces, ShowWindowLoadsBlackWithoutOverlayAndCoversTheMonitor) {
  core::Settings().OverlayBackColorIndex = 5;
  Slidescreen& screen = slidescreen();
  const core::TwipsRect monitor = core::MonitorRectTwips(0);
  EXPECT_EQ(screen.P2.Image().size(), QSize(monitor.Width / platform::TwipsPerPixelX,
                                            monitor.Height / platform::TwipsPerPixelY));
  for (platform::PictureBox* box : {&screen.P2, &screen.P3, &screen.P4})
    EXPECT_EQ(Colour(*box), qRgb(0, 0, 0));
  ResetSlidescreen();
  platform::DestroyPendingNow();
  core::Settings().OverlayMode = 2;  // with an overlay the menu's colour
  EXPECT_EQ(Colour(slidescreen().P4), qRgb(255, 255, 192));
}

TEST_F(Surfaces, ReleasingTheDcTwiceOrBeforeAnyDoesNothing) {
  ReleasePictureDC();
  EXPECT_EQ(core::Surfaces().PictureMemDC, 0);
  EXPECT_EQ(core::Surfaces().PictureMemDCInUse, 0);
  SelectPictureDC(MakePicture(4, 3, QImage::Format_RGB888));
  const auto dc = core::Surfaces().PictureMemDC;
  EXPECT_NE(dc, 0);
  EXPECT_EQ(core::Surfaces().PictureMemDCInUse, 1);
  EXPECT_EQ(PictureMemDCImage().pixel(3, 2), qRgb(13, 22, 99));
  ReleasePictureDC();
  ReleasePictureDC();
  EXPECT_EQ(core::Surfaces().PictureMemDCInUse, 0);
  EXPECT_EQ(core::Surfaces().PictureMemDC, dc);  // the handle value stays
  EXPECT_TRUE(PictureMemDCImage().isNull());
}

TEST_F(Surfaces, PresentInTheMainWindowChangesOnlyTheHolderAndThePreview) {
  Slidescreen& screen = slidescreen();
  const QImage before = screen.P2.Image().copy();
  core::Flags().FullScreenShowActive = 0;
  SelectPictureDC(MakePicture(5, 5));
  core::form4().Lead1.SetImagePicture(MakePicture(30, 20, QImage::Format_Indexed8));
  PresentImagingBitmap();
  EXPECT_EQ(core::form4().Lead1.ImageBitsPerPixel(), 24);
  const QImage& held = core::form4().Picture1.Picture();
  ASSERT_EQ(held.size(), QSize(30, 20));
  EXPECT_EQ(held, core::form4().Lead1.ImagePicture());
  EXPECT_EQ(core::form1().Picture1.Picture(), held);
  EXPECT_EQ(core::form1().Picture1.CurrentX(), 0);
  EXPECT_EQ(core::Surfaces().PictureMemDCInUse, 0);  // no DC left in use
  EXPECT_EQ(screen.P2.Image(), before);
}

TEST_F(Surfaces, PresentFullScreenCopiesThePictureOntoTheThreeSurfaces) {
  struct Case {
    short overlayMode;
    short textOriginScreen;
    bool textClearedFirst;
  } cases[] = {{0, 1, true}, {0, 0, false}, {1, 1, false}};
  for (const Case& c : cases) {
    Slidescreen& screen = slidescreen();
    core::Flags().FullScreenShowActive = 1;
    core::Settings().OverlayMode = c.overlayMode;
    core::Settings().TextOriginScreen = c.textOriginScreen;
    core::Surfaces().PictureLeft = 100;
    core::Surfaces().PictureTop = 50;
    // Text drawn on the screen earlier, beside the picture.
    screen.P2.Line(0, 0, 9, 9, Qt::white, platform::PictureBox::LineKind::kFilledBox);
    core::form4().Lead1.SetImagePicture(MakePicture(30, 20));
    PresentImagingBitmap();
    for (platform::PictureBox* box : {&screen.P2, &screen.P3, &screen.P4}) {
      EXPECT_EQ(box->Image().pixel(100, 50), qRgb(10, 20, 99));
      EXPECT_EQ(box->Image().pixel(129, 69), qRgb(39, 39, 99));
    }
    EXPECT_EQ(screen.P2.Image().pixel(5, 5) == qRgb(255, 255, 255), !c.textClearedFirst)
        << c.overlayMode << c.textOriginScreen;
    EXPECT_EQ(core::Surfaces().PictureMemDCInUse, 1);
    EXPECT_EQ(PictureMemDCImage().size(), QSize(30, 20));
    EXPECT_EQ(screen.P2.CurrentY(), c.textOriginScreen ? 0 : 50);
    ReleasePictureDC();
  }
}

TEST_F(Surfaces, PresentFullScreenDoesNotBringAClosedWindowBack) {
  core::Flags().FullScreenShowActive = 1;
  core::form4().Lead1.SetImagePicture(MakePicture(8, 8));
  ASSERT_EQ(SlidescreenIfLoaded(), nullptr);
  PresentImagingBitmap();
  EXPECT_EQ(SlidescreenIfLoaded(), nullptr);
  EXPECT_EQ(core::form4().Picture1.Picture().size(), QSize(8, 8));
}

}  // namespace

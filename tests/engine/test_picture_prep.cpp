// Picture preparation: the fit rule, pictures of every kind made upright and fitted into
// the preview box, the reduced decode that still covers the monitor, the overlay filter
// of the picture on the screen.
#include <gtest/gtest.h>

#include "engine/picture_prep.h"
#include "platform/vberror.h"
#include "test_slideplayer_fixture.h"

namespace {

using engine::FitRequest;
using engine::FittedPictureSize;
using slideplayer_test::MainWindowShowTest;
using namespace slideplayer_test;

constexpr int kT = 15;  // twips per pixel

FitRequest FullScreen(int picW, int picH, short sizeAdjust, short sizeMode = 0, double factor = 1) {
  FitRequest r;
  r.fullScreen = true;
  r.sizeAdjustMode = sizeAdjust;
  r.pictureSizeMode = sizeMode;
  r.factor = factor;
  r.monitorWidth = 1920 * kT;
  r.monitorHeight = 1080 * kT;
  r.pictureWidth = picW * kT;
  r.pictureHeight = picH * kT;
  return r;
}

FitRequest MainWindow(int picW, int picH, short sizeAdjust) {
  FitRequest r = FullScreen(picW, picH, sizeAdjust);
  r.fullScreen = false;
  r.boxWidth = 400 * kT;
  r.boxHeight = 300 * kT;
  return r;
}

struct FitCase {
  const char* name;
  FitRequest request;
  QSize expected;  // an empty size: the picture keeps its size
};

TEST(FitRule, SizesForEveryModeAndWindow) {
  FitRequest scaled = FullScreen(1000, 1000, 0, 6);
  scaled.pictureScale = 0.5;
  FitRequest scaledMode0 = FullScreen(1000, 1000, 0, 0);
  scaledMode0.pictureScale = 0.5;
  const FitCase cases[] = {
      {"exactly the monitor: kept", FullScreen(1920, 1080, 0), {}},
      {"one pixel wider: fitted", FullScreen(1921, 1080, 0), {1920, 1079}},
      {"one pixel taller: fitted", FullScreen(1920, 1081, 0), {1918, 1080}},
      {"wider in proportion: to the width", FullScreen(3840, 1000, 0), {1920, 500}},
      {"taller in proportion: to the height", FullScreen(2000, 2000, 0), {1080, 1080}},
      {"adjust 2, small: kept", FullScreen(800, 600, 1), {}},
      {"adjust 2, large landscape covers the box", FullScreen(4000, 3000, 1), {1920, 1440}},
      {"adjust 2, large portrait: 1.125 x the height", FullScreen(2000, 4000, 1), {608, 1215}},
      {"adjust none: kept", FullScreen(4000, 3000, 2), {}},
      {"80 percent of the monitor", FullScreen(3840, 2160, 0, 1, 0.8), {1536, 864}},
      {"mode 6 with a PICRESIZE factor: kept", scaled, {}},
      {"PICRESIZE factor sets the target", scaledMode0, {540, 540}},
      {"main window, adjust 1, small: kept", MainWindow(200, 100, 0), {}},
      {"main window, adjust 1, large: fitted", MainWindow(800, 400, 0), {400, 200}},
      {"main window, adjust 2, small: enlarged", MainWindow(200, 100, 1), {600, 300}},
      {"main window, adjust none: kept", MainWindow(800, 400, 2), {}},
  };
  for (const FitCase& c : cases) {
    const std::optional<QSize> size = FittedPictureSize(c.request);
    if (c.expected.isEmpty()) {
      EXPECT_FALSE(size.has_value()) << c.name;
    } else {
      ASSERT_TRUE(size.has_value()) << c.name;
      EXPECT_EQ(*size, c.expected) << c.name;
    }
  }
}

TEST(FitRule, ASideBeyond32767PixelsIsAnOverflow) {
  // A long thin strip covering the box in 調整２ would be 64800 pixels wide.
  try {
    FittedPictureSize(FullScreen(3000, 50, 1));
    FAIL() << "no overflow";
  } catch (const platform::VbError& e) {
    EXPECT_EQ(e.Number(), platform::kErrOverflow);
  }
}

TEST(FitRule, RandomFactorOfMode5StaysBetween20And70Percent) {
  EXPECT_DOUBLE_EQ(engine::PictureSizeFactor(5, 0.0), 0.2);
  EXPECT_NEAR(engine::PictureSizeFactor(5, 0.9999), 0.7, 1e-3);
  EXPECT_DOUBLE_EQ(engine::PictureSizeFactor(3, 0.5), 0.4);
  EXPECT_DOUBLE_EQ(engine::PictureSizeFactor(6, 0.5), 0.0);
}

// ---- pictures of every kind --------------------------------------------------------------

class PrepareTest : public MainWindowShowTest {
 protected:
  // Prepares `path` as slide 1 in the main window.
  void Prepare(const QString& path) {
    SetSlides({path});
    core::Lists().CurrentSlideIndex = 1;
    engine::PreparePicture();
  }
  // The quarter colours of the holder's picture, read at the quarters' centres.
  static void ExpectUpright(const QImage& picture, const std::string& what) {
    const int w = picture.width(), h = picture.height();
    EXPECT_TRUE(Near(picture.pixelColor(w / 4, h / 4), kTopLeft)) << what;
    EXPECT_TRUE(Near(picture.pixelColor(3 * w / 4, h / 4), kTopRight)) << what;
    EXPECT_TRUE(Near(picture.pixelColor(w / 4, 3 * h / 4), kBottomLeft)) << what;
    EXPECT_TRUE(Near(picture.pixelColor(3 * w / 4, 3 * h / 4), kBottomRight)) << what;
  }
};

TEST_F(PrepareTest, JpegIsTurnedUprightByItsExifOrientation) {
  const QImage upright = QuarterPicture(240, 160);
  for (int orientation : {1, 3, 6, 8}) {
    const QString path =
        Write(QStringLiteral("photo%1.jpg").arg(orientation),
              JpegWithOrientation(StoredForOrientation(upright, orientation), orientation));
    Prepare(path);
    const QImage shown = PreviewPicture();
    EXPECT_EQ(shown.size(), QSize(240, 160)) << orientation;
    ExpectUpright(shown, "orientation " + std::to_string(orientation));
    // The preview box shows the picture from its corner.
    EXPECT_TRUE(Near(PreviewAt(30, 20), kTopLeft)) << orientation;
    EXPECT_EQ(core::Surfaces().LoadedPictureWidth, 240 * kT) << orientation;
    EXPECT_EQ(core::Surfaces().LoadedPictureHeight, 160 * kT) << orientation;
  }
}

TEST_F(PrepareTest, OnlyAJpgNameIsTurned) {
  // The same JPEG named ".jff" keeps its stored position.
  const QImage stored = StoredForOrientation(QuarterPicture(240, 160), 6);
  const QString path = Write(QStringLiteral("photo.jff"), JpegWithOrientation(stored, 6));
  Prepare(path);
  EXPECT_EQ(PreviewPicture().size(), QSize(160, 240));
}

TEST_F(PrepareTest, EveryPictureFormatReachesThePreviewBox) {
  const QImage upright = QuarterPicture(200, 120);
  const QStringList paths = {
      Save(QStringLiteral("p.png"), upright),
      Save(QStringLiteral("p.bmp"), upright),
      Save(QStringLiteral("p.tif"), upright, "TIFF"),
      Write(QStringLiteral("p.pcx"), PcxOf(upright)),
  };
  for (const QString& path : paths) {
    Prepare(path);
    EXPECT_EQ(PreviewPicture().size(), QSize(200, 120)) << path.toStdString();
    ExpectUpright(PreviewPicture(), path.toStdString());
    EXPECT_EQ(PreviewPicture().format(), QImage::Format_RGB32) << path.toStdString();
  }
}

TEST_F(PrepareTest, APathWithoutFolderIsANameInTheProgramFolder) {
  Save(QStringLiteral("inapp.png"), PlainPicture(50, 40, SlideColour(3)));
  Prepare(QStringLiteral("inapp.png"));
  EXPECT_EQ(core::Lists().SlidePaths[1], dir_.filePath(QStringLiteral("inapp.png")));
  EXPECT_EQ(core::Paths().CurrentSlideFileName, QStringLiteral("inapp.png"));
  EXPECT_EQ(PreviewSlide(), 3);
}

TEST_F(PrepareTest, LargePictureIsFittedIntoThePreviewBox) {
  const int boxH = core::form1().Picture1.Height();
  const QString path =
      Write(QStringLiteral("big.jpg"),
            JpegWithOrientation(StoredForOrientation(QuarterPicture(1000, 3000), 6), 6));
  Prepare(path);
  // Upright the picture is 1000 x 3000: taller in proportion than the box, so its
  // height fills the box.
  const QImage shown = PreviewPicture();
  EXPECT_EQ(shown.height(), platform::CInt(double(boxH) / kT));
  EXPECT_NEAR(shown.width(), boxH / 3.0 / kT, 1.0);
  ExpectUpright(shown, "fitted");
  EXPECT_EQ(core::Surfaces().LoadedPictureWidth, 1000 * kT);
  EXPECT_EQ(core::Surfaces().LoadedPictureHeight, 3000 * kT);
}

TEST_F(PrepareTest, ReducedDecodeStillCoversTheMonitorInTheKeptCopy) {
  const core::TwipsRect monitor = core::MonitorRectTwips(0);
  const int monW = monitor.Width / kT, monH = monitor.Height / kT;
  // Four times the monitor each way: a JPEG decoded at a reduced scale.
  const QString path = Write(QStringLiteral("huge.jpg"),
                             JpegWithOrientation(QuarterPicture(monW * 4, monH * 4), 1, 80));
  Prepare(path);
  const QImage kept = core::form4().Lead2.ImagePicture();
  EXPECT_GE(kept.width(), monW);
  EXPECT_GE(kept.height(), monH);
  EXPECT_LT(kept.width(), monW * 4);
  ExpectUpright(kept, "kept copy");
  EXPECT_EQ(core::Surfaces().LoadedPictureWidth, monW * 4 * kT);

  // Full screen the holder is the picture fitted to the monitor.
  core::Flags().FullScreenShowActive = 1;
  Prepare(path);
  EXPECT_EQ(core::form4().Picture1.Picture().size(), QSize(monW, monH));
  EXPECT_EQ(engine::PictureMemDCImage().size(), QSize(monW, monH));
  ExpectUpright(engine::PictureMemDCImage(), "memory DC");
}

TEST_F(PrepareTest, UnreadablePictureThrows) {
  const QString damaged = Write(QStringLiteral("bad.jpg"), QByteArray("\xFF\xD8\xFF garbage", 12));
  SetSlides({damaged});
  core::Lists().CurrentSlideIndex = 1;
  EXPECT_THROW(engine::PrepareSlidePicture(), std::exception);
  SetSlides({dir_.filePath(QStringLiteral("missing.png"))});
  EXPECT_THROW(engine::PrepareSlidePicture(), std::exception);
}

TEST_F(PrepareTest, GreyOverlayFilterChangesThePictureStillOnTheScreen) {
  core::Flags().FullScreenShowActive = 1;
  engine::Slidescreen& screen = engine::slidescreen();
  Prepare(Save(QStringLiteral("red.png"), PlainPicture(100, 80, QColor(220, 30, 30))));
  core::Surfaces().PictureLeft = 10;
  core::Surfaces().PictureTop = 10;
  core::Flags().ShowScreenHasPicture = 1;
  core::Settings().OverlayMode = 2;

  SetSlides({Save(QStringLiteral("blue.png"), PlainPicture(100, 80, QColor(30, 30, 220)))});
  core::Lists().CurrentSlideIndex = 1;
  engine::PrepareSlidePicture();
  const QColor left = screen.P2.Image().pixelColor(40, 40);
  EXPECT_EQ(left.red(), left.green());
  EXPECT_EQ(left.green(), left.blue());
}

}  // namespace

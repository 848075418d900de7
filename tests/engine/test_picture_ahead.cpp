// Pictures prepared off the user-interface thread: events run while a picture is decoded,
// the next slide's picture is prepared ahead and used only while its file and the fit's
// inputs are unchanged, and an unreadable picture prepared ahead is reported at its own
// slide.
#include <gtest/gtest.h>

#include <QFile>
#include <QTimer>
#include <atomic>
#include <thread>

#include "engine/picture_prep.h"
#include "engine/slideplayer.h"
#include "platform/background.h"
#include "platform/random.h"
#include "test_slideplayer_fixture.h"

namespace {

using namespace slideplayer_test;

class PictureAheadTest : public MainWindowShowTest {
 protected:
  void SetUp() override {
    MainWindowShowTest::SetUp();
    engine::DiscardPictureAhead();
  }
  void TearDown() override {
    engine::DiscardPictureAhead();
    MainWindowShowTest::TearDown();
  }

  // A pass at `index` as the slide timer makes it: START disabled, the timer off.
  void Pass(short index) {
    core::form1().Command1.SetEnabled(false);
    core::Lists().CurrentSlideIndex = index;
    engine::ShowCurrentSlide();
  }

  // The monitor's size in pixels and two pictures fitted to it: the wide one (colour 4)
  // fills its width, the tall one (colour 5) only its middle.
  struct MonitorPictures {
    int monW, monH;
    QString wide, tall;
  };
  MonitorPictures WideAndTall() {
    const core::TwipsRect monitor = core::MonitorRectTwips(0);
    const int monW = monitor.Width / platform::TwipsPerPixelX;
    const int monH = monitor.Height / platform::TwipsPerPixelY;
    return {monW, monH,
            Save(QStringLiteral("wide.png"), PlainPicture(monW * 2, monH, SlideColour(4))),
            Save(QStringLiteral("tall.png"), PlainPicture(monH, monH * 2, SlideColour(5)))};
  }

  // Rewrites a picture file and moves its time stamp on, as an editor saving it would.
  void Rewrite(const QString& path, const QImage& image) {
    ASSERT_TRUE(image.save(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                 QFileDevice::FileModificationTime));
  }
};

TEST_F(PictureAheadTest, EventsRunWhileThePictureIsPrepared) {
  SetSlides(MakeSlides(1));
  // The worker is held until the posted event has run: the pass can show its picture
  // only if the user-interface thread processes events while it waits.
  std::atomic<bool> released{false};
  platform::StartBackgroundJob([&released](const platform::BackgroundJob&) {
    for (int i = 0; i < 30000 && !released; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
  });
  bool ranBeforePicture = false;
  QTimer::singleShot(0, &core::form1(), [&] {
    ranBeforePicture = PreviewPicture().isNull() && core::Flags().SlideInProgress == 1;
    released = true;
  });
  Pass(1);
  EXPECT_TRUE(ranBeforePicture);
  EXPECT_EQ(PreviewSlide(), 1);
  EXPECT_EQ(core::Flags().SlideInProgress, 0);
}

TEST_F(PictureAheadTest, TheNextSlidesPictureIsPreparedAheadAndUsed) {
  const QStringList slides = MakeSlides(3);
  SetSlides(slides);
  Pass(1);
  ASSERT_TRUE(engine::PictureAheadFor(slides[1]));
  const int decoded = engine::PicturesDecoded();
  Pass(2);
  EXPECT_EQ(PreviewSlide(), 2);
  EXPECT_TRUE(engine::PictureAheadFor(slides[2]));
  EXPECT_EQ(engine::PicturesDecoded(), decoded + 1);  // only slide 3, ahead
}

TEST_F(PictureAheadTest, NothingIsPreparedAheadInRandomOrderOrAfterTheLastSlide) {
  const QStringList slides = MakeSlides(2);
  SetSlides(slides);
  core::Settings().RandomOrderOff = 0;
  platform::ScriptRandom({0.0});
  Pass(1);
  EXPECT_FALSE(engine::PictureAheadFor(slides[1]));
  core::Settings().RandomOrderOff = 1;
  core::Settings().RepeatOff = 1;
  Pass(2);
  EXPECT_FALSE(engine::PictureAheadFor(slides[0]));
  // A repeating show goes on with slide 1.
  core::Settings().RepeatOff = 0;
  Pass(2);
  EXPECT_TRUE(engine::PictureAheadFor(slides[0]));
}

TEST_F(PictureAheadTest, AChangedFileIsReadAgain) {
  const QStringList slides = MakeSlides(2);
  SetSlides(slides);
  Pass(1);
  ASSERT_TRUE(engine::PictureAheadFor(slides[1]));
  Rewrite(slides[1], PlainPicture(160, 120, SlideColour(7)));
  Pass(2);
  EXPECT_EQ(PreviewSlide(), 7);
}

struct InputChange {
  const char* name;
  std::function<void()> change;
};

TEST_F(PictureAheadTest, ChangedFitInputsPrepareThePictureAgain) {
  // Twice the monitor in both directions: prepared ahead for 調整１ it is decoded reduced.
  const core::TwipsRect monitor = core::MonitorRectTwips(0);
  const QSize big(2 * monitor.Width / platform::TwipsPerPixelX + 8,
                  2 * monitor.Height / platform::TwipsPerPixelY + 8);
  const QString first = MakeSlides(1)[0];
  const QString large =
      Save(QStringLiteral("large.png"), PlainPicture(big.width(), big.height(), SlideColour(5)));
  const InputChange changes[] = {
      {"size adjustment", [] { core::Settings().SizeAdjustMode = 2; }},
      {"picture size mode", [] { core::Settings().PictureSizeMode = 3; }},
      {"overlay", [] { core::Settings().OverlayMode = 1; }},
      {"preview box",
       [] { core::form1().Picture1.SetWidth(core::form1().Picture1.Width() - 900); }},
  };
  for (const InputChange& c : changes) {
    core::Settings().SizeAdjustMode = 0;
    core::Settings().PictureSizeMode = 0;
    core::Settings().OverlayMode = 0;
    SetSlides({first, large});
    Pass(1);
    ASSERT_TRUE(engine::PictureAheadFor(large)) << c.name;
    const int decoded = engine::PicturesDecoded();
    c.change();
    Pass(2);
    EXPECT_EQ(engine::PicturesDecoded(), decoded + 1) << c.name;
    EXPECT_EQ(PreviewSlide(), 5) << c.name;
  }
  // Without a fit the whole picture is shown, not the reduced one prepared ahead.
  core::Settings().SizeAdjustMode = 0;
  SetSlides({first, large});
  Pass(1);
  ASSERT_TRUE(engine::PictureAheadFor(large));
  core::Settings().SizeAdjustMode = 2;
  Pass(2);
  EXPECT_EQ(PreviewPicture().size(), big);
  EXPECT_EQ(core::Surfaces().LoadedPictureWidth, big.width() * platform::TwipsPerPixelX);
}

TEST_F(PictureAheadTest, AnUnreadablePicturePreparedAheadIsReportedAtItsOwnSlide) {
  const QStringList good = MakeSlides(2);
  const QString bad =
      Write(QStringLiteral("bad.png"), QByteArrayLiteral("\x89PNG\r\n\x1a\n broken"));
  SetSlides({good[0], bad, good[1]});
  dialogs_->Answer(platform::vbYes);
  Pass(1);
  ASSERT_TRUE(engine::PictureAheadFor(bad));
  EXPECT_TRUE(Messages().isEmpty());
  EXPECT_EQ(PreviewSlide(), 1);
  EXPECT_EQ(core::Lists().SlideEndIndex, 4);

  Pass(2);
  ASSERT_EQ(Messages().size(), 1);
  EXPECT_TRUE(Messages()[0].startsWith(bad + QStringLiteral("\r\n画像ファイルが読み込めません。")));
  EXPECT_EQ(core::Lists().SlideEndIndex, 3);
  EXPECT_EQ(core::Lists().CurrentSlideIndex, 1);
}

// What the user sees of a slide prepared ahead: the preview box in the main window; in the
// full-screen show the show surface, with the new picture on black and nothing left of
// the wider picture before it, with and without a display effect.
TEST_F(PictureAheadTest, APreparedSlideIsWhatTheSurfaceShows) {
  const auto [monW, monH, wide, tall] = WideAndTall();
  struct Case {
    const char* name;
    bool fullScreen;
    short effect;
  };
  const Case cases[] = {{"main window", false, engine::kDisplayEffectNone},
                        {"full screen", true, engine::kDisplayEffectNone},
                        {"full screen, wipe from the left", true, engine::kEffectFromLeft}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    engine::DiscardPictureAhead();
    core::Flags().FullScreenShowActive = c.fullScreen ? 1 : 0;
    core::Flags().ShowScreenHasPicture = 0;
    core::Settings().DisplayEffect = c.effect;
    if (c.fullScreen) engine::slidescreen().FitShowPictureBoxes();  // loaded, covering the monitor
    SetSlides({wide, tall});
    Pass(1);
    ASSERT_TRUE(engine::PictureAheadFor(tall));
    const int decoded = engine::PicturesDecoded();
    Pass(2);
    EXPECT_EQ(engine::PicturesDecoded(), decoded);  // the picture prepared ahead
    EXPECT_EQ(PreviewSlide(), 5);
    const QImage& preview = core::form1().Picture1.Image();
    EXPECT_TRUE(Near(preview.pixelColor(PreviewPicture().width() / 2, 5), SlideColour(5), 12));
    if (!c.fullScreen) continue;
    const QImage& p2 = engine::slidescreen().P2.Image();
    EXPECT_TRUE(Near(p2.pixelColor(monW / 2, monH / 2), SlideColour(5), 12));
    EXPECT_TRUE(Near(p2.pixelColor(monW / 2, 5), SlideColour(5), 12));
    for (const QPoint at : {QPoint(5, monH / 2), QPoint(monW - 5, monH / 2), QPoint(5, 5)})
      EXPECT_TRUE(Near(p2.pixelColor(at), Qt::black, 0)) << at.x() << "," << at.y();
  }
}

// A full-screen show without a display effect gets its surface composed with the picture
// ahead: the slide then shows exactly the surface it draws without one. It is not taken
// when the background changed since, and not composed for a picture placed at random.
TEST_F(PictureAheadTest, ASurfaceComposedAheadIsTheOneTheSlideDraws) {
  const auto [monW, monH, wide, tall] = WideAndTall();
  struct Case {
    const char* name;
    short fixedPlace;
    short randomPlace;
    QColor backAfterPreparation;  // invalid: unchanged
    int adopted;
  };
  const Case cases[] = {{"centred", 0, 0, QColor(), 1},
                        {"at a fixed place", 1, 0, QColor(), 1},
                        {"background changed since", 0, 0, QColor(0, 0, 128), 0},
                        {"at a random place", 0, 1, QColor(), 0}};
  engine::Slidescreen& screen = engine::slidescreen();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    engine::DiscardPictureAhead();
    core::Flags().FullScreenShowActive = 1;
    core::Flags().ShowScreenHasPicture = 0;
    core::ShowSettings& s = core::Settings();
    s.DisplayEffect = engine::kDisplayEffectNone;
    s.PicturePositionFixed = c.fixedPlace;
    s.PicturePositionX = 0.25;
    s.PicturePositionY = 0.75;
    s.PicturePosition = c.randomPlace;
    screen.FitShowPictureBoxes();
    screen.P2.SetBackColor(Qt::black);
    SetSlides({wide, tall});
    Pass(1);
    ASSERT_TRUE(engine::PictureAheadFor(tall));
    if (c.backAfterPreparation.isValid()) screen.P2.SetBackColor(c.backAfterPreparation);
    const int adopted = engine::PreparedSurfacesAdopted();
    platform::SeedRandom(3);
    Pass(2);
    EXPECT_EQ(engine::PreparedSurfacesAdopted() - adopted, c.adopted);
    const QImage shown = screen.P2.Image().copy();
    // The same slide drawn without anything prepared.
    engine::DiscardPictureAhead();
    platform::SeedRandom(3);
    Pass(2);
    EXPECT_TRUE(shown == screen.P2.Image());
    const QColor back = c.backAfterPreparation.isValid() ? c.backAfterPreparation : Qt::black;
    EXPECT_TRUE(Near(shown.pixelColor(2, monH / 2), back, 0));
  }
  core::Settings().PicturePositionFixed = 0;
  core::Settings().PicturePosition = 0;
}

}  // namespace

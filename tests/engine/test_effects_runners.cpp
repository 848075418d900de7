// The display and erase runners on the real show window: what P2 shows after chosen steps
// and at the end, the effect choice over several pictures, a click ending an effect, a
// window closed during an effect, placing and the overlay frame.
#include <gtest/gtest.h>

#include <QPointer>
#include <QTimer>
#include <vector>

#include "core/form4.h"
#include "core/monitors.h"
#include "core/state.h"
#include "engine/effects.h"
#include "engine/slidescreen.h"
#include "engine/surfaces.h"
#include "platform/events.h"
#include "platform/random.h"

using namespace engine;

namespace {

const QRgb kBlack = qRgb(0, 0, 0);

QImage MakePicture(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(50 + x % 200, 50 + y % 200, 200));
  return img;
}

class EffectRunner : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetSlidescreen();  // its unload sets show flags: before the state is reset
    core::ResetAllState();
    core::BuildMonitorTable();
    platform::SeedRandom(1);
    Effects() = EffectState();
    SetEffectPacing(EffectPacing::NoWaits());
    ResetSlidescreen();
    core::ShowSettings& s = core::Settings();
    s.DisplayEffectSpeed = -30;
    s.EraseEffectSpeed = -30;
    s.DisplaySlitCount = s.EraseSlitCount = 10;
    s.DisplayMosaicCount = s.EraseMosaicCount = 10;
    core::Flags().EffectDelayFactor = 2.0f;
    core::Flags().FullScreenShowActive = 1;
    core::Lists().CurrentSlideIndex = 2;
    s.ControlBoxOff = 1;  // the window's activation brings no control box
    screen = &slidescreen();
    screen->Show();
    platform::DoEvents();
    screenSize = screen->P2.Canvas().size();
    SetPicture(MakePicture(120, 80));
  }
  void TearDown() override {
    SetEffectStepObserver({});
    SetEffectPacing(EffectPacing::Default());
    ResetSlidescreen();
    platform::DestroyPendingNow();
    ReleasePictureDC();
  }

  // The prepared picture: in the holder and selected as PictureMemDC.
  void SetPicture(const QImage& img) {
    picture = img;
    core::form4().Picture1.SetPicture(img);
    SelectPictureDC(img);
  }

  // What P2 shows at picture coordinates (x, y) of the current placing.
  QRgb At(const QImage& p2, int x, int y) const {
    return p2.pixel(core::Surfaces().PictureLeft + x, core::Surfaces().PictureTop + y);
  }
  bool Shown(const QImage& p2, int x, int y) const { return At(p2, x, y) == picture.pixel(x, y); }
  bool WholePictureShown(const QImage& p2) const {
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x)
        if (!Shown(p2, x, y)) return false;
    return true;
  }
  // Puts the picture up at the centre, as a finished display leaves it.
  void PictureUp() {
    core::Settings().DisplayEffect = kDisplayEffectNone;
    RunDisplayEffect();
    ASSERT_TRUE(WholePictureShown(screen->P2.Image()));
  }

  Slidescreen* screen = nullptr;
  QSize screenSize;
  QImage picture;
};

// ---------------------------------------------------------------------------------------

struct DisplayCase {
  short code;
  int speed;
  int checkStep;      // snapshot after this many drawn steps
  QPoint shownAt;     // picture point shown at that step
  QPoint notShownAt;  // picture point not yet shown at that step
};

class DisplayRunner : public EffectRunner, public ::testing::WithParamInterface<DisplayCase> {};

TEST_P(DisplayRunner, StepsUncoverThePictureAndTheEndShowsItWhole) {
  const DisplayCase& c = GetParam();
  core::Settings().DisplayEffect = c.code;
  core::Settings().DisplayEffectSpeed = static_cast<short>(c.speed);
  core::Settings().DisplayMosaicCount = 5;
  platform::ScriptRandom({0.0, 0.0});  // a mosaic's first block at the top left
  QImage snapshot;
  int steps = 0;
  SetEffectStepObserver([&](const QRect&) {
    if (++steps == c.checkStep) snapshot = screen->P2.Image().copy();
  });
  RunDisplayEffect();
  ASSERT_FALSE(snapshot.isNull());
  EXPECT_TRUE(Shown(snapshot, c.shownAt.x(), c.shownAt.y()));
  EXPECT_FALSE(Shown(snapshot, c.notShownAt.x(), c.notShownAt.y()));
  // Centred on the 800 x 600 offscreen monitor, whole, nothing drawn beside it.
  EXPECT_EQ(core::Surfaces().PictureLeft, (screenSize.width() - 120) / 2);
  EXPECT_EQ(core::Surfaces().PictureTop, (screenSize.height() - 80) / 2);
  const QImage& p2 = screen->P2.Image();
  EXPECT_TRUE(WholePictureShown(p2));
  EXPECT_EQ(p2.pixel(0, 0), kBlack);
  EXPECT_EQ(p2.pixel(core::Surfaces().PictureLeft + 120, core::Surfaces().PictureTop + 80), kBlack);
  EXPECT_EQ(Effects().DisplayEffectUsed, c.code);
  EXPECT_EQ(core::Flags().EffectStop, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, DisplayRunner,
    ::testing::Values(DisplayCase{kEffectFromTop, -30, 10, {60, 9}, {60, 10}},
                      DisplayCase{kEffectFromTop, 10, 3, {5, 11}, {5, 12}},
                      DisplayCase{kEffectFromBottom, 8, 2, {0, 78}, {0, 77}},
                      DisplayCase{kEffectFromLeft, 9, 2, {7, 40}, {8, 40}},
                      DisplayCase{kEffectFromRight, -30, 3, {118, 0}, {117, 0}},
                      DisplayCase{kEffectFromCentre, 7, 4, {60, 40}, {57, 40}},
                      DisplayCase{kEffectFromOutside, 10, 4, {0, 0}, {60, 40}},
                      DisplayCase{kEffectHorizontalSlits, -30, 9, {0, 8 * 8}, {0, 1}},
                      DisplayCase{kEffectVerticalSlits, 8, 13, {15, 0}, {26, 0}},
                      DisplayCase{kEffectMosaic, 10, 1, {23, 15}, {24, 0}}));

TEST_F(EffectRunner, MosaicStepsDropBlocksBeforeTheWholeCopy) {
  // Blocks of 24 x 16 at count 5; after one block exactly one block's pixels are shown.
  core::Settings().DisplayEffect = kEffectMosaic;
  core::Settings().DisplayMosaicCount = 5;
  platform::ScriptRandom({0.5, 0.25});  // block column 3, row 1
  QImage snapshot;
  int steps = 0;
  SetEffectStepObserver([&](const QRect&) {
    if (++steps == 1) snapshot = screen->P2.Image().copy();
  });
  RunDisplayEffect();
  EXPECT_TRUE(Shown(snapshot, 72, 16) && Shown(snapshot, 95, 31));
  EXPECT_FALSE(Shown(snapshot, 71, 16) || Shown(snapshot, 96, 31) || Shown(snapshot, 72, 32));
  EXPECT_EQ(steps, 4 * 25 + 1 + 1);  // the blocks, the mosaic's whole copy, the runner's
}

TEST_F(EffectRunner, DisplayNoneShowsThePictureInOneCopy) {
  core::Settings().DisplayEffect = kDisplayEffectNone;
  int steps = 0;
  SetEffectStepObserver([&](const QRect& r) {
    ++steps;
    EXPECT_EQ(r, QRect(0, 0, 120, 80));
  });
  RunDisplayEffect();
  EXPECT_EQ(steps, 2);  // the effect's copy and the runner's final copy
  EXPECT_TRUE(WholePictureShown(screen->P2.Image()));
}

// The final copy follows the events: what they drew on the surface after the effect's own
// copy is covered by the picture again.
TEST_F(EffectRunner, DisplayNoneCopiesAgainOverWhatTheEventsDrew) {
  core::Settings().DisplayEffect = kDisplayEffectNone;
  bool drawn = false;
  // The outer call runs in the events before the effect's copy, the inner one in those
  // before the final copy.
  QTimer::singleShot(0, [&] {
    QTimer::singleShot(0, [&] {
      screen->P2.Line(0, 0, screen->P2.ScaleWidth(), screen->P2.ScaleHeight(), Qt::white,
                      platform::PictureBox::LineKind::kFilledBox);
      drawn = true;
    });
  });
  RunDisplayEffect();
  ASSERT_TRUE(drawn);
  EXPECT_TRUE(WholePictureShown(screen->P2.Image()));
}

// ---------------------------------------------------------------------------------------

struct EraseCase {
  short code;
  int speed;
  int checkStep;
  QPoint blackAt;
  QPoint stillShownAt;
};

class EraseRunner : public EffectRunner, public ::testing::WithParamInterface<EraseCase> {};

TEST_P(EraseRunner, StepsBlackOutThePictureAndTheEndClearsTheSurface) {
  const EraseCase& c = GetParam();
  core::Settings().OverlayBackColorIndex = 7;  // 192, 255, 255
  core::Settings().OverlayMode = 1;
  core::Settings().Borderless = 1;
  ApplyScreenBackColor();
  PictureUp();
  core::Settings().EraseEffect = c.code;
  core::Settings().EraseEffectSpeed = static_cast<short>(c.speed);
  core::Settings().EraseMosaicCount = 5;
  platform::ScriptRandom({0.0, 0.0});  // first mosaic block at the top left
  QImage snapshot;
  int steps = 0;
  SetEffectStepObserver([&](const QRect&) {
    if (++steps == c.checkStep) snapshot = screen->P2.Image().copy();
  });
  RunEraseEffect();
  ASSERT_FALSE(snapshot.isNull());
  EXPECT_EQ(At(snapshot, c.blackAt.x(), c.blackAt.y()), kBlack);
  EXPECT_TRUE(Shown(snapshot, c.stillShownAt.x(), c.stillShownAt.y()));
  // Cleared to the background colour; the picture's DC is given back.
  const QImage& p2 = screen->P2.Image();
  EXPECT_EQ(At(p2, 60, 40), qRgb(192, 255, 255));
  EXPECT_EQ(p2.pixel(0, 0), qRgb(192, 255, 255));
  EXPECT_EQ(core::Surfaces().PictureMemDCInUse, 0);
  EXPECT_EQ(Effects().EraseEffectUsed, c.code);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, EraseRunner,
    ::testing::Values(EraseCase{kEffectFromTop, 0, 5, {0, 4}, {0, 5}},
                      EraseCase{kEffectFromBottom, 10, 2, {3, 76}, {3, 75}},
                      EraseCase{kEffectFromLeft, -30, 1, {0, 0}, {1, 0}},
                      EraseCase{kEffectFromRight, 10, 2, {115, 3}, {113, 3}},
                      EraseCase{kEffectFromCentre, -30, 4, {60, 40}, {57, 37}},
                      EraseCase{kEffectFromOutside, -30, 4, {0, 30}, {1, 30}},
                      EraseCase{kEffectHorizontalSlits, 9, 10, {0, 72}, {0, 75}},
                      EraseCase{kEffectVerticalSlits, -30, 1, {12, 5}, {11, 5}},
                      EraseCase{kEffectMosaic, -30, 1, {23, 15}, {24, 16}}));

TEST_F(EffectRunner, SkippedEraseLeavesThePictureButReleasesTheDc) {
  struct Case {
    const char* what;
    std::function<void()> arrange;
  } cases[] = {
      {"main window show", [] { core::Flags().FullScreenShowActive = 0; }},
      {"first slide after the start",
       [] {
         core::Lists().CurrentSlideIndex = 1;
         core::Flags().NoEraseAtStart = 1;
       }},
      {"erase none", [] { core::Settings().EraseEffect = kEraseEffectNone; }},
      {"after a movie", [] { core::Flags().SkipEraseEffect = 1; }},
  };
  for (const Case& c : cases) {
    core::Flags().FullScreenShowActive = 1;
    core::Lists().CurrentSlideIndex = 2;
    core::Flags().NoEraseAtStart = 0;
    core::Flags().SkipEraseEffect = 0;
    SelectPictureDC(picture);
    PictureUp();
    core::Settings().EraseEffect = kEffectInTurn;
    core::Flags().EraseEffectTurn = 3;
    c.arrange();
    RunEraseEffect();
    EXPECT_TRUE(WholePictureShown(screen->P2.Image())) << c.what;
    EXPECT_EQ(core::Surfaces().PictureMemDCInUse, 0) << c.what;
    // An erase skipped before its choice does not advance the turn.
    EXPECT_EQ(core::Flags().EraseEffectTurn, 3) << c.what;
  }
  // The first erase that runs ends the start's grace.
  core::Flags().FullScreenShowActive = 1;
  core::Flags().SkipEraseEffect = 0;
  core::Settings().EraseEffect = kEffectFromTop;
  core::Lists().CurrentSlideIndex = 2;
  core::Flags().NoEraseAtStart = 1;
  RunEraseEffect();
  EXPECT_EQ(core::Flags().NoEraseAtStart, 0);
}

// ---------------------------------------------------------------------------------------
// Choice over several pictures.

TEST_F(EffectRunner, InTurnSequencesAreIndependentAndRestartWithTheWindow) {
  core::Settings().DisplayEffect = kEffectInTurn;
  core::Settings().EraseEffect = kEffectInTurn;
  core::Settings().DisplayEffectSpeed = core::Settings().EraseEffectSpeed = 10;
  std::vector<short> shown, erased;
  for (int picture = 0; picture < 10; ++picture) {
    SelectPictureDC(this->picture);
    RunDisplayEffect();
    shown.push_back(Effects().DisplayEffectUsed);
    if (picture % 2 == 0) {  // an erase every other picture
      RunEraseEffect();
      erased.push_back(Effects().EraseEffectUsed);
    }
  }
  EXPECT_EQ(shown, (std::vector<short>{0, 1, 2, 3, 4, 5, 6, 7, 8, 0}));
  EXPECT_EQ(erased, (std::vector<short>{0, 1, 2, 3, 4}));
  // Loading the show window again starts both sequences at 0.
  ResetSlidescreen();
  platform::DestroyPendingNow();
  screen = &slidescreen();
  EXPECT_EQ(core::Flags().DisplayEffectTurn, 0);
  EXPECT_EQ(core::Flags().EraseEffectTurn, 0);
}

TEST_F(EffectRunner, LinkedEraseFollowsTheDisplayActuallyRun) {
  struct Case {
    short display;
    std::vector<double> draws;  // random source for a random display
    short expectedErase;
  } cases[] = {
      {kEffectFromCentre, {}, kEffectFromOutside},
      {kEffectFromOutside, {}, kEffectFromCentre},
      {kEffectVerticalSlits, {}, kEffectVerticalSlits},
      {kEffectRandom, {0.3}, 3},  // Int(0.3 * 8 + 0.8) = 3
      {kDisplayEffectNone, {}, kEraseEffectLinked},
  };
  core::Settings().DisplayEffectSpeed = core::Settings().EraseEffectSpeed = 10;
  for (const Case& c : cases) {
    SelectPictureDC(picture);
    core::Settings().DisplayEffect = c.display;
    platform::ScriptRandom(c.draws);
    RunDisplayEffect();
    core::Settings().EraseEffect = kEraseEffectLinked;
    int steps = 0;
    SetEffectStepObserver([&](const QRect&) { ++steps; });
    RunEraseEffect();
    SetEffectStepObserver({});
    EXPECT_EQ(Effects().EraseEffectUsed, c.expectedErase) << c.display;
    if (c.display == kDisplayEffectNone) EXPECT_EQ(steps, 0);  // nothing drawn, then cleared
    EXPECT_EQ(screen->P2.Image().pixel(screenSize.width() / 2, screenSize.height() / 2), kBlack);
  }
}

// ---------------------------------------------------------------------------------------
// A click (EffectStop) ends an effect at once.

TEST_F(EffectRunner, ClickEndsADisplayWithTheWholePicture) {
  for (short code = 0; code <= 8; ++code) {
    SelectPictureDC(picture);
    screen->P2.Cls();
    core::Settings().DisplayEffect = code;
    int steps = 0;
    SetEffectStepObserver([&](const QRect&) {
      if (++steps == 2) core::Flags().EffectStop = 1;  // what the show window's click does
    });
    RunDisplayEffect();
    EXPECT_LE(steps, code == kEffectFromCentre || code == kEffectFromOutside ? 5 : 4) << code;
    EXPECT_TRUE(WholePictureShown(screen->P2.Image())) << code;
    EXPECT_EQ(core::Flags().EffectStop, 0);
  }
}

TEST_F(EffectRunner, ClickEndsAnEraseWithAClearSurfaceAndTheNextDisplayRunsInFull) {
  PictureUp();
  core::Settings().EraseEffect = kEffectFromTop;
  int steps = 0;
  SetEffectStepObserver([&](const QRect&) {
    if (++steps == 3) core::Flags().EffectStop = 1;
  });
  RunEraseEffect();
  EXPECT_EQ(steps, 3);
  EXPECT_EQ(At(screen->P2.Image(), 60, 70), kBlack);  // cleared, not just three rows
  EXPECT_EQ(core::Flags().EffectStop, 0);
  // The display that follows is not cut short.
  steps = 0;
  SetEffectStepObserver([&](const QRect&) { ++steps; });
  SelectPictureDC(picture);
  core::Settings().DisplayEffect = kEffectFromTop;
  RunDisplayEffect();
  EXPECT_EQ(steps, 81 + 1);
}

// ---------------------------------------------------------------------------------------
// The window closed while an effect runs.

TEST_F(EffectRunner, ClosedWindowIsNotDrawnOnNorLoadedAgain) {
  for (bool display : {true, false}) {
    SetUp();
    if (!display) PictureUp();
    core::Settings().DisplayEffect = kEffectFromTop;
    core::Settings().EraseEffect = kEffectFromTop;
    core::Settings().OverlayMode = 1;  // a frame would be drawn at the end
    QPointer<Slidescreen> closedScreen = screen;
    QImage atClose;
    int steps = 0;
    SetEffectStepObserver([&](const QRect&) {
      if (++steps == 2) {
        // What the show window's unload does to a click during the effect.
        core::Flags().ShowScreenClosed = 1;
        closedScreen->Unload();
        atClose = closedScreen->P2.Image().copy();  // as the unload left it
      }
    });
    if (display) {
      RunDisplayEffect();
    } else {
      RunEraseEffect();
    }
    EXPECT_EQ(steps, 2) << display;
    EXPECT_EQ(SlidescreenIfLoaded(), nullptr) << display;
    ASSERT_FALSE(closedScreen.isNull());  // destroyed only after our loops have left
    EXPECT_TRUE(closedScreen->isHidden());
    EXPECT_EQ(closedScreen->P2.Image(), atClose) << display;
    SetEffectStepObserver({});
    TearDown();
  }
}

// ---------------------------------------------------------------------------------------
// Placing and the overlay frame.

TEST_F(EffectRunner, PlacingCentredRandomAndFixed) {
  core::Settings().DisplayEffect = kDisplayEffectNone;
  const int freeX = screenSize.width() - 120;
  const int freeY = screenSize.height() - 80;
  struct Case {
    short position, fixed;
    double fixedX, fixedY;
    std::vector<double> draws;
    int left, top;
  } cases[] = {
      {0, 0, 0, 0, {}, freeX / 2, freeY / 2},
      {1, 0, 0, 0, {0.0, 0.999999}, 0, freeY},  // fx drawn first
      {1, 0, 0, 0, {0.25, 0.5}, freeX / 4, freeY / 2},
      {1, 1, 1.0, 0.0, {}, freeX, 0},  // a fixed position wins over random
  };
  for (const Case& c : cases) {
    core::Settings().PicturePosition = c.position;
    core::Settings().PicturePositionFixed = c.fixed;
    core::Settings().PicturePositionX = c.fixedX;
    core::Settings().PicturePositionY = c.fixedY;
    platform::ScriptRandom(c.draws);
    SelectPictureDC(picture);
    RunDisplayEffect();
    EXPECT_EQ(core::Surfaces().PictureLeft, c.left);
    EXPECT_EQ(core::Surfaces().PictureTop, c.top);
  }
  // A picture larger than the monitor is cut at its edges.
  SetPicture(MakePicture(screenSize.width() + 40, 10));
  core::Settings().PicturePosition = 0;
  core::Settings().PicturePositionFixed = 0;
  RunDisplayEffect();
  EXPECT_EQ(core::Surfaces().PictureLeft, -20);
  EXPECT_EQ(screen->P2.Image().pixel(0, core::Surfaces().PictureTop), picture.pixel(20, 0));
}

TEST_F(EffectRunner, OverlaidPictureGetsItsFrameUnlessBorderless) {
  core::Settings().DisplayEffect = kEffectFromLeft;
  core::Settings().DisplayEffectSpeed = 10;
  core::Settings().OverlayMode = 1;
  RunDisplayEffect();
  const int L = core::Surfaces().PictureLeft, T = core::Surfaces().PictureTop;
  const QImage& p2 = screen->P2.Image();
  const QRgb white = qRgb(255, 255, 255);
  EXPECT_EQ(p2.pixel(L - 1, T - 1), white);
  EXPECT_EQ(p2.pixel(L - 2, T + 40), white);
  EXPECT_EQ(p2.pixel(L + 120, T + 40), kBlack);
  EXPECT_EQ(p2.pixel(L + 60, T + 81), kBlack);
  EXPECT_TRUE(WholePictureShown(p2));

  screen->P2.SetBackColor(QColor(10, 20, 30));
  core::Settings().Borderless = 1;
  SelectPictureDC(picture);
  RunDisplayEffect();
  EXPECT_EQ(screen->P2.Image().pixel(L - 1, T - 1), qRgb(10, 20, 30));
}

}  // namespace

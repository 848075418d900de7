// The steps of every effect on a plain surface: which pixels each step uncovers or blacks
// out, where a stop or a closed window ends it, and the pacing of the pauses.
#include <gtest/gtest.h>

#include <QImage>
#include <QRegion>
#include <chrono>
#include <random>
#include <vector>

#include "engine/effects.h"

using namespace engine;

namespace {

const QRgb kBackground = qRgb(40, 60, 80);
const QRgb kBlack = qRgb(0, 0, 0);

// A picture whose every pixel tells where it came from.
QImage MakePicture(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(x % 256, y % 256, 200));
  return img;
}

// A surface with the picture placed at (left, top) and a margin round it.
struct Bench {
  QImage picture;
  QImage surface;
  EffectCanvas canvas;
  bool stop = false;
  bool closed = false;
  int events = 0;
  std::vector<QRect> steps;
  std::function<void(int)> onStepNumber;  // called with the 1-based step number
  std::function<void(int)> onEvents;      // called with the 1-based event-processing count
  std::mt19937 rng{12345};

  Bench(int w, int h, EffectSide side, int speed, QPoint origin = {5, 3}) {
    picture = MakePicture(w, h);
    surface = QImage(w + 10, h + 8, QImage::Format_RGB32);
    surface.fill(kBackground);
    if (side == EffectSide::Erase) {
      // The erase works on the picture that is up.
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
          surface.setPixel(x + origin.x(), y + origin.y(), picture.pixel(x, y));
    }
    canvas.side = side;
    canvas.surface = &surface;
    canvas.source = &picture;
    canvas.origin = origin;
    canvas.width = w;
    canvas.height = h;
    canvas.speed = speed;
    canvas.delayFactor = 2.0f;
    canvas.stopRequested = [this] { return stop; };
    canvas.surfaceClosed = [this] { return closed; };
    canvas.processEvents = [this] {
      ++events;
      if (onEvents) onEvents(events);
    };
    canvas.random = [this] { return std::uniform_real_distribution<double>(0.0, 1.0)(rng); };
    canvas.onStep = [this](const QRect& r) {
      steps.push_back(r);
      if (onStepNumber) onStepNumber(static_cast<int>(steps.size()));
    };
  }

  // The pixel a user sees at picture coordinates (x, y).
  QRgb At(int x, int y) const {
    return surface.pixel(x + canvas.origin.x(), y + canvas.origin.y());
  }
  bool Shown(int x, int y) const { return At(x, y) == picture.pixel(x, y); }
  bool Black(int x, int y) const { return At(x, y) == kBlack; }
  bool Untouched(int x, int y) const {
    return At(x, y) == (canvas.side == EffectSide::Erase ? picture.pixel(x, y) : kBackground);
  }
  // Is every pixel of the picture area shown (display) or black (erase)?
  bool Complete() const {
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x)
        if (canvas.side == EffectSide::Display ? !Shown(x, y) : !Black(x, y)) return false;
    return true;
  }
  // Is the margin round the picture still the background?
  bool MarginUntouched() const {
    QRect pic(canvas.origin, picture.size());
    for (int y = 0; y < surface.height(); ++y)
      for (int x = 0; x < surface.width(); ++x)
        if (!pic.contains(x, y) && surface.pixel(x, y) != kBackground) return false;
    return true;
  }
};

class EffectGeometry : public ::testing::Test {
 protected:
  void SetUp() override { SetEffectPacing(EffectPacing::NoWaits()); }
  void TearDown() override { SetEffectPacing(EffectPacing::Default()); }
};

// ---------------------------------------------------------------------------------------
// Strip wipes.

struct StripCase {
  short code;
  int speed;
  int w, h;
  int expectedSteps;
  QRect firstStep;  // picture coordinates
  QRect lastStep;
  bool complete;  // the wipe alone covers the whole picture
};

class StripWipe : public EffectGeometry, public ::testing::WithParamInterface<StripCase> {};

TEST_P(StripWipe, StepsCoverThePictureInOrder) {
  const StripCase& c = GetParam();
  for (EffectSide side : {EffectSide::Display, EffectSide::Erase}) {
    Bench b(c.w, c.h, side, c.speed);
    RunStripWipe(b.canvas, c.code);
    ASSERT_EQ(static_cast<int>(b.steps.size()), c.expectedSteps);
    EXPECT_EQ(b.steps.front(), c.firstStep);
    EXPECT_EQ(b.steps.back(), c.lastStep);
    EXPECT_EQ(b.Complete(), c.complete);
    if (side == EffectSide::Display) EXPECT_TRUE(b.MarginUntouched());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Codes, StripWipe,
    ::testing::Values(
        // From the top, step 1: strips at rows 0..10, the last just below the picture.
        StripCase{kEffectFromTop, -30, 8, 10, 11, QRect(0, 0, 8, 1), QRect(0, 10, 8, 1), true},
        // From the top at speed 10: step 4.
        StripCase{kEffectFromTop, 10, 8, 10, 3, QRect(0, 0, 8, 4), QRect(0, 8, 8, 4), true},
        // From the bottom, H = 101, step 4: strips at 101, 97, ..., 1; row 0 never drawn.
        StripCase{kEffectFromBottom, 10, 6, 101, 26, QRect(0, 101, 6, 4), QRect(0, 1, 6, 4), false},
        StripCase{kEffectFromBottom, 0, 6, 12, 13, QRect(0, 12, 6, 1), QRect(0, 0, 6, 1), true},
        // From the left at speed 10: step Int(1.5 * 4) = 6.
        StripCase{kEffectFromLeft, 10, 20, 5, 4, QRect(0, 0, 6, 5), QRect(18, 0, 6, 5), true},
        StripCase{kEffectFromLeft, 7, 4, 5, 5, QRect(0, 0, 1, 5), QRect(4, 0, 1, 5), true},
        // From the right at speed 8: step Int(1.5 * 2) = 3; 20, 17, ..., 2; columns 0-1 left.
        StripCase{kEffectFromRight, 8, 20, 5, 7, QRect(20, 0, 3, 5), QRect(2, 0, 3, 5), false},
        StripCase{kEffectFromRight, 9, 18, 5, 5, QRect(18, 0, 4, 5), QRect(2, 0, 4, 5), false}));

TEST_F(EffectGeometry, TopWipeUncoversRowsStepByStep) {
  Bench b(8, 10, EffectSide::Display, -30);
  std::vector<QImage> after;
  b.onStepNumber = [&](int) { after.push_back(b.surface.copy()); };
  RunStripWipe(b.canvas, kEffectFromTop);
  ASSERT_EQ(after.size(), 11u);
  // After step 3, rows 0-2 are the picture and row 3 is still the background.
  Bench view(8, 10, EffectSide::Display, -30);
  view.surface = after[2];
  for (int x = 0; x < 8; ++x) {
    EXPECT_TRUE(view.Shown(x, 0) && view.Shown(x, 2));
    EXPECT_EQ(view.At(x, 3), kBackground);
  }
}

TEST_F(EffectGeometry, EraseStripOutsideThePicturePaintsTheMargin) {
  // An erase paints its whole rectangle: the strip at row H lies on the margin.
  Bench b(8, 10, EffectSide::Erase, -30);
  RunStripWipe(b.canvas, kEffectFromTop);
  for (int x = 0; x < 8; ++x) EXPECT_TRUE(b.Black(x, 10));
  EXPECT_EQ(b.At(8, 10), kBackground);  // no wider than the picture
}

// ---------------------------------------------------------------------------------------
// From the outside and from the centre.

TEST_F(EffectGeometry, OutsideFirstStepDrawsTheEdgesAndBandsBesideThePicture) {
  for (EffectSide side : {EffectSide::Display, EffectSide::Erase}) {
    Bench b(20, 11, side, -30);
    b.onStepNumber = [&](int n) {
      if (n == 4) b.stop = true;
    };
    RunFromOutside(b.canvas);
    ASSERT_EQ(b.steps.size(), 4u);
    EXPECT_EQ(b.steps[0], QRect(0, 0, 20, 1));   // top band
    EXPECT_EQ(b.steps[1], QRect(0, 11, 20, 1));  // bottom band, at row H
    EXPECT_EQ(b.steps[2], QRect(0, 0, 1, 11));   // left band
    EXPECT_EQ(b.steps[3], QRect(20, 0, 1, 11));  // right band, at column W
    if (side == EffectSide::Display) {
      EXPECT_TRUE(b.Shown(5, 0) && b.Shown(0, 5));
      EXPECT_FALSE(b.Shown(19, 5) || b.Shown(5, 10));
      EXPECT_TRUE(b.MarginUntouched());
    } else {
      EXPECT_TRUE(b.Black(5, 0) && b.Black(0, 5));
      EXPECT_TRUE(b.Untouched(19, 5) && b.Untouched(5, 10));
      // Black beside the picture, on the background.
      EXPECT_TRUE(b.Black(5, 11) && b.Black(20, 5));
    }
  }
}

TEST_F(EffectGeometry, OutsideBandsStopAtTheCentreLines) {
  // Odd height: the top and bottom bands stop at 5.5, drawn at row 6 (halves to even).
  // The bands leave the corner towards the bottom right to the runner's final copy.
  Bench b(20, 11, EffectSide::Display, -30);
  RunFromOutside(b.canvas);
  EXPECT_TRUE(b.MarginUntouched());
  EXPECT_TRUE(b.Shown(0, 10) && b.Shown(9, 6) && b.Shown(10, 5));
  EXPECT_FALSE(b.Shown(19, 10));
  const QRect lastTop = b.steps[b.steps.size() - 4];
  EXPECT_EQ(lastTop.y(), 6);
  EXPECT_EQ(lastTop.width(), 0);  // L reached W / 2
  // A wide picture: all four bands reach the centre in about the same number of steps.
  Bench wide(200, 50, EffectSide::Display, -30);
  RunFromOutside(wide.canvas);
  EXPECT_EQ(wide.steps.size() % 4, 0u);
  EXPECT_EQ(wide.steps.size() / 4, 26u);  // DX = 4, DY = 1: 25 moves and the last step
}

TEST_F(EffectGeometry, CentreGrowsFromTheMiddle) {
  Bench b(16, 8, EffectSide::Display, -30);  // hc 4, wc 8, DY 1, DX 2
  std::vector<QImage> after;
  b.onStepNumber = [&](int n) {
    if (n % 4 == 0) after.push_back(b.surface.copy());
  };
  RunFromCentre(b.canvas);
  ASSERT_GE(after.size(), 2u);
  EXPECT_EQ(b.steps[0], QRect(8, 4, 0, 3));  // top band of an empty rectangle
  EXPECT_EQ(b.steps[1], QRect(8, 4, 2, 3));  // bottom band
  EXPECT_EQ(b.steps[2], QRect(8, 4, 3, 3));  // left band
  Bench view(16, 8, EffectSide::Display, -30);
  view.surface = after[0];
  EXPECT_TRUE(view.Shown(8, 4) && view.Shown(10, 6));
  EXPECT_FALSE(view.Shown(7, 4) || view.Shown(0, 0) || view.Shown(15, 7));
  EXPECT_TRUE(b.Complete());
  EXPECT_TRUE(b.MarginUntouched());
}

TEST_F(EffectGeometry, CentreAndOutsideStepsBySpeed) {
  // Speed 7 steps the centre and outside effects by 2; speed 10 by 5.
  struct Case {
    int speed;
    int dy;
  } cases[] = {{6, 1}, {7, 2}, {8, 3}, {10, 5}};
  for (const Case& c : cases) {
    Bench b(40, 40, EffectSide::Display, c.speed);
    RunFromOutside(b.canvas);
    EXPECT_EQ(b.steps[0].height(), c.dy) << c.speed;
    EXPECT_EQ(b.steps[4].y(), c.dy) << c.speed;
    Bench e(40, 40, EffectSide::Erase, c.speed);
    RunFromCentre(e.canvas);
    EXPECT_EQ(e.steps[0].height(), 2 * c.dy) << c.speed;  // DX + DY, DX = DY on a square
    EXPECT_TRUE(e.Complete()) << c.speed;
  }
}

TEST_F(EffectGeometry, OnePixelHighPictureDoesNotDivideByZero) {
  Bench b(30, 1, EffectSide::Display, -30);
  RunFromCentre(b.canvas);
  EXPECT_TRUE(b.Complete());
  Bench o(30, 1, EffectSide::Erase, -30);
  RunFromOutside(o.canvas);
  EXPECT_TRUE(o.Complete());
}

// ---------------------------------------------------------------------------------------
// Slits and mosaic.

TEST_F(EffectGeometry, HorizontalSlitsOf768RowsFillElevenSlitsPerPass) {
  Bench b(4, 768, EffectSide::Display, -30);
  RunHorizontalSlits(b.canvas, 10);
  // S = 76, n = 10, passes i = 0..76: 77 passes of 11 bands.
  ASSERT_EQ(b.steps.size(), 77u * 11u);
  EXPECT_EQ(b.steps[0], QRect(0, 0, 4, 1));
  EXPECT_EQ(b.steps[10], QRect(0, 760, 4, 1));  // slit 10 runs past the picture
  EXPECT_EQ(b.steps[11], QRect(0, 1, 4, 1));    // second pass
  EXPECT_TRUE(b.Complete());
}

TEST_F(EffectGeometry, SlitsTable) {
  struct Case {
    bool horizontal;
    EffectSide side;
    int speed, count, w, h;
    size_t steps;
    QRect first, second;
  } cases[] = {
      // Display fills each slit from its top; 20 rows, 4 slits: S = 5, n = 4.
      {true, EffectSide::Display, 0, 4, 6, 20, 6 * 5, QRect(0, 0, 6, 1), QRect(0, 5, 6, 1)},
      // Erase closes each slit from its bottom: passes 5, 4, ..., 0.
      {true, EffectSide::Erase, 0, 4, 6, 20, 6 * 5, QRect(0, 5, 6, 1), QRect(0, 10, 6, 1)},
      // Speed 10: bands of 4 rows; passes 0, 4.
      {true, EffectSide::Display, 10, 4, 6, 20, 2 * 5, QRect(0, 0, 6, 4), QRect(0, 5, 6, 4)},
      // Vertical slits, speed 8: bands of 2 columns; 30 columns, 3 slits: S = 10, n = 3.
      {false, EffectSide::Display, 8, 3, 30, 4, 6 * 4, QRect(0, 0, 2, 4), QRect(10, 0, 2, 4)},
      {false, EffectSide::Erase, 8, 3, 30, 4, 6 * 4, QRect(10, 0, 2, 4), QRect(20, 0, 2, 4)},
      // More slits than half the height: S is raised to 2 and n grows.
      {true, EffectSide::Display, 0, 50, 3, 9, 3 * 5, QRect(0, 0, 3, 1), QRect(0, 2, 3, 1)},
  };
  for (const Case& c : cases) {
    Bench b(c.w, c.h, c.side, c.speed);
    if (c.horizontal) {
      RunHorizontalSlits(b.canvas, c.count);
    } else {
      RunVerticalSlits(b.canvas, c.count);
    }
    ASSERT_EQ(b.steps.size(), c.steps) << c.count;
    EXPECT_EQ(b.steps[0], c.first);
    EXPECT_EQ(b.steps[1], c.second);
    EXPECT_TRUE(b.Complete());
    if (c.side == EffectSide::Display) EXPECT_TRUE(b.MarginUntouched());
  }
}

TEST_F(EffectGeometry, MosaicDropsBlocksOnTheGridAndEndsWhole) {
  for (EffectSide side : {EffectSide::Display, EffectSide::Erase}) {
    Bench b(40, 30, side, 10);
    QImage afterTen;
    b.onStepNumber = [&](int n) {
      if (n == 10) afterTen = b.surface.copy();
    };
    RunMosaic(b.canvas, 5, 0);
    // BW 8, BH 6; 4 x 5^2 blocks and the whole rectangle.
    ASSERT_EQ(b.steps.size(), 101u);
    for (size_t i = 0; i + 1 < b.steps.size(); ++i) {
      const QRect& r = b.steps[i];
      EXPECT_EQ(r.size(), QSize(8, 6));
      EXPECT_EQ(r.x() % 8, 0);
      EXPECT_EQ(r.y() % 6, 0);
      EXPECT_LE(r.x(), 40);  // the last column may reach past the picture
      EXPECT_LE(r.y(), 30);
    }
    EXPECT_EQ(b.steps.back(), QRect(0, 0, 40, 30));
    EXPECT_TRUE(b.Complete());
    // After ten blocks some of the picture is done and some is not.
    Bench view(40, 30, side, 10);
    view.surface = afterTen;
    EXPECT_FALSE(view.Complete());
  }
}

// ---------------------------------------------------------------------------------------
// Ending at once: a stop, or the window closed.

TEST_F(EffectGeometry, StopEndsEachEffectAfterTheStepThatFollowsIt) {
  struct Case {
    short code;
    size_t stopAtStep;
    size_t expectedSteps;
  } cases[] = {
      {kEffectFromTop, 3, 3},     {kEffectFromBottom, 1, 1},      {kEffectFromLeft, 2, 2},
      {kEffectFromRight, 5, 5},   {kEffectFromCentre, 6, 8},  // the step's four bands
      {kEffectFromOutside, 1, 4}, {kEffectHorizontalSlits, 7, 7}, {kEffectVerticalSlits, 2, 2},
      {kEffectMosaic, 5, 6},  // then the whole rectangle
  };
  for (const Case& c : cases) {
    for (EffectSide side : {EffectSide::Display, EffectSide::Erase}) {
      Bench b(30, 20, side, -30);
      b.onStepNumber = [&](int n) {
        if (static_cast<size_t>(n) == c.stopAtStep) b.stop = true;
      };
      RunEffectCode(b.canvas, c.code, 10, 10, 0);
      EXPECT_EQ(b.steps.size(), c.expectedSteps) << c.code;
    }
  }
}

TEST_F(EffectGeometry, StopDuringAPauseStillDrawsTheStepItPreceded) {
  // A click arrives in the pause before the second step of the outside effect: its four
  // bands are drawn, then the effect ends.
  Bench b(30, 20, EffectSide::Display, -30);
  b.onEvents = [&](int n) {
    if (n == 3) b.stop = true;  // step events and pause events of step 1, then step 2's
  };
  RunFromOutside(b.canvas);
  EXPECT_EQ(b.steps.size(), 8u);
  // Slits: a stop in a pass pause still lets the band after the next pause be drawn.
  Bench s(30, 20, EffectSide::Erase, -30);
  s.onEvents = [&](int n) {
    if (n == 1) s.stop = true;
  };
  RunHorizontalSlits(s.canvas, 4);
  EXPECT_EQ(s.steps.size(), 1u);
}

TEST_F(EffectGeometry, ClosedWindowIsNeitherDrawnOnNorWaitedFor) {
  for (short code = 0; code <= 8; ++code) {
    for (EffectSide side : {EffectSide::Display, EffectSide::Erase}) {
      Bench b(30, 20, side, -30);
      QImage atClose;
      b.onStepNumber = [&](int n) {
        if (n == 2) {
          b.closed = true;
          atClose = b.surface.copy();
        }
      };
      RunEffectCode(b.canvas, code, 4, 5, 0);
      EXPECT_EQ(b.surface, atClose) << code;
      EXPECT_LE(b.steps.size(), code == kEffectMosaic ? 3u : 4u) << code;
    }
  }
}

TEST_F(EffectGeometry, GatheredStepsEndAsDrawnOneByOneAndAreAllRepainted) {
  // Without an observer the steps are gathered and drawn together: the surface must end
  // the same as when each step is drawn at once, and every changed pixel be repainted.
  for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_RGB16}) {
    for (short code = 0; code <= 8; ++code) {
      for (EffectSide side : {EffectSide::Display, EffectSide::Erase}) {
        for (int speed : {-30, 10}) {
          Bench one(37, 23, side, speed);
          Bench gathered(37, 23, side, speed);
          for (Bench* b : {&one, &gathered}) b->surface = b->surface.convertToFormat(format);
          const QImage before = gathered.surface.copy();
          gathered.canvas.onStep = nullptr;
          QRegion repainted;
          gathered.canvas.repaint = [&](const QRect& r) { repainted += r; };
          RunEffectCode(one.canvas, code, 4, 5, 0);
          RunEffectCode(gathered.canvas, code, 4, 5, 0);
          // Steps of both sides on one canvas keep their order.
          for (Bench* b : {&one, &gathered}) {
            b->canvas.DrawAs(EffectSide::Erase, 3, 2, 20, 10);
            b->canvas.DrawAs(EffectSide::Display, 5, 4, 4, 4);
            b->canvas.FlushRepaint();
          }
          const auto where = [&] {
            return QStringLiteral("format %1 code %2 side %3 speed %4")
                .arg(format)
                .arg(code)
                .arg(side == EffectSide::Display ? "display" : "erase")
                .arg(speed)
                .toStdString();
          };
          ASSERT_EQ(gathered.surface, one.surface) << where();
          for (int y = 0; y < before.height(); ++y)
            for (int x = 0; x < before.width(); ++x)
              if (before.pixel(x, y) != gathered.surface.pixel(x, y))
                ASSERT_TRUE(repainted.contains(QPoint(x, y))) << where() << " " << x << "," << y;
        }
      }
    }
  }
}

// ---------------------------------------------------------------------------------------
// Overlay frame.

TEST_F(EffectGeometry, OverlayFrameIsWhiteAboveAndLeftBlackBelowAndRight) {
  Bench b(10, 6, EffectSide::Display, 0, QPoint(4, 4));
  DrawOverlayFrame(b.canvas, 4, 4, 10, 6);
  b.canvas.FlushRepaint();
  const QRgb white = qRgb(255, 255, 255);
  EXPECT_EQ(b.surface.pixel(4, 3), white);        // row T - 1
  EXPECT_EQ(b.surface.pixel(2, 2), white);        // corner L - 2, T - 2
  EXPECT_EQ(b.surface.pixel(3, 9), white);        // column L - 1
  EXPECT_EQ(b.surface.pixel(14, 5), kBlack);      // column L + W
  EXPECT_EQ(b.surface.pixel(15, 2), kBlack);      // column L + W + 1 reaches T - 2
  EXPECT_EQ(b.surface.pixel(5, 10), kBlack);      // row T + H
  EXPECT_EQ(b.surface.pixel(2, 11), kBlack);      // row T + H + 1 reaches L - 2
  EXPECT_EQ(b.surface.pixel(4, 4), kBackground);  // the picture area is not touched
}

// ---------------------------------------------------------------------------------------
// Pacing.

// A clock of the test's own: it moves only by the waits of the pacing and by what the
// test charges for drawing and events.
struct FakeClock {
  std::chrono::steady_clock::time_point t{};
  std::chrono::nanoseconds Elapsed() const { return t.time_since_epoch(); }
  EffectPacing Pacing(std::chrono::nanoseconds slot) {
    EffectPacing p;
    p.roundSlot = slot;
    p.now = [this] { return t; };
    p.sleepUntil = [this](std::chrono::steady_clock::time_point until) { t = std::max(t, until); };
    return p;
  }
};

TEST(EffectPacingTest, PauseLastsItsRoundsAndAStopCutsItShort) {
  using namespace std::chrono;
  FakeClock clock;
  SetEffectPacing(clock.Pacing(microseconds(10)));
  Bench b(4, 4, EffectSide::Display, -30);
  b.canvas.PauseRounds(2000, false);  // 2000 x 10 us
  EXPECT_EQ(clock.Elapsed(), milliseconds(20));
  EXPECT_GE(b.events, 20);  // events about every millisecond of the pause

  // A click in the first round ends the pause at once.
  b.onEvents = [&](int) { b.stop = true; };
  const auto before = clock.Elapsed();
  b.canvas.PauseRounds(1e6, false);  // 10 s unless cut short
  EXPECT_EQ(clock.Elapsed(), before);
  // The display effects from the centre and outside test before the events: no round.
  const int events = b.events;
  b.canvas.PauseRounds(1e6, true);
  EXPECT_EQ(b.events, events);
  SetEffectPacing(EffectPacing::Default());
}

TEST(EffectPacingTest, SmallTopWipeLastsItsRoundsOfDefaultSlots) {
  // 21 strips x 740 rounds x 2.5 us: 38.85 ms.
  FakeClock clock;
  SetEffectPacing(clock.Pacing(EffectPacing::Default().roundSlot));
  Bench b(8, 20, EffectSide::Display, -30);
  RunStripWipe(b.canvas, kEffectFromTop);
  EXPECT_EQ(clock.Elapsed(), std::chrono::microseconds(38850));
  SetEffectPacing(EffectPacing::Default());
}

// Drawing and events take time of their own: the pauses end at moments counted from the
// start, so the effect still lasts what its pauses add up to, and a late step does not
// wait at all.
TEST(EffectPacingTest, TimeSpentDrawingIsTakenFromThePausesNotAddedToThem) {
  using namespace std::chrono;
  struct Case {
    const char* name;
    nanoseconds eventCost;
    nanoseconds expected;
  } cases[] = {
      // 21 pauses of 740 x 2.5 us; events every millisecond of each pause.
      {"cheap events", microseconds(50), microseconds(38850)},
      // Events dearer than a whole pause: the steps run late and the pauses do not wait;
      // events come at most every 4 ms, so the wipe takes what its events cost.
      {"dear events", microseconds(3000), microseconds(38850) + milliseconds(3)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeClock clock;
    SetEffectPacing(clock.Pacing(EffectPacing::Default().roundSlot));
    Bench b(8, 20, EffectSide::Display, -30);
    b.onEvents = [&](int) { clock.t += c.eventCost; };
    RunStripWipe(b.canvas, kEffectFromTop);
    EXPECT_LE(clock.Elapsed(), c.expected + c.eventCost);
    EXPECT_GE(clock.Elapsed(), microseconds(38850));
  }
  SetEffectPacing(EffectPacing::Default());
}

// A panorama much wider than the screen: the steps over its parts off the screen do not
// wait, and what the screen shows is the same.
TEST(EffectPacingTest, StepsOffTheScreenDoNotWait) {
  using namespace std::chrono;
  for (const short code : {kEffectFromLeft, kEffectFromRight, kEffectVerticalSlits}) {
    SCOPED_TRACE(code);
    QImage shown[2];
    int waited[2] = {0, 0};
    int steps[2] = {0, 0};
    for (int k = 0; k < 2; ++k) {
      FakeClock clock;
      SetEffectPacing(k == 0 ? EffectPacing::NoWaits() : clock.Pacing(microseconds(1)));
      Bench b(1000, 20, EffectSide::Display, -30, QPoint(-450, 3));
      b.surface = QImage(100, 28, QImage::Format_RGB32);
      b.surface.fill(kBackground);
      RunEffectCode(b.canvas, code, 10, 10, 0);
      b.canvas.FlushRepaint();
      shown[k] = b.surface;
      waited[k] = b.canvas.waitedPauses();
      steps[k] = b.canvas.steps();
    }
    EXPECT_EQ(shown[0], shown[1]);
    EXPECT_EQ(steps[0], steps[1]);
    // Only the steps over the 100 columns on the screen wait (plus the first pause).
    EXPECT_GT(waited[1], 0);
    EXPECT_LT(waited[1] * 5, steps[1]);
  }
  SetEffectPacing(EffectPacing::Default());
}

TEST(EffectPacingTest, DefaultTopWipeOfAFullScreenLastsAboutTwoSeconds) {
  // 1081 strips x 740 rounds x the default slot.
  const double rounds = StripPauseRounds(-30, 2.0f, false);
  const double seconds =
      1081 * rounds * std::chrono::duration<double>(EffectPacing::Default().roundSlot).count();
  EXPECT_GE(seconds, 1.5);
  EXPECT_LE(seconds, 3.0);
}

}  // namespace

namespace {

TEST(EffectFixedSpeed, EachFamilySleepsItsFixedTimePerStep) {
  // Fixed speed: strips sleep 1 ms after each strip, centre and outside 2 ms before each
  // step, slits 1 ms before each band, the mosaic 1 ms before each of its first count^2 - 1
  // blocks. The delay factor plays no part.
  FakeClock clock;
  EffectPacing pacing = clock.Pacing(std::chrono::nanoseconds(0));
  pacing.stepEventInterval = std::chrono::nanoseconds(0);
  SetEffectPacing(pacing);
  struct Case {
    short code;
    int expectedSleepMs;
  } cases[] = {
      {kEffectFromTop, 21},             // 21 strips of a 20-row picture
      {kEffectFromLeft, 31},            // 31 strips of a 30-column picture
      {kEffectFromOutside, 2 * 16},     // DX = 1: 15 moves of the side bands, 16 steps
      {kEffectHorizontalSlits, 5 * 6},  // S = 5: 6 passes of 5 bands (n = 4)
      {kEffectMosaic, 5 * 5 - 1},       // count 5
  };
  for (const Case& c : cases) {
    Bench b(30, 20, EffectSide::Display, -30);
    b.canvas.fixedSpeed = true;
    b.canvas.delayFactor = 1000.0f;
    const auto before = clock.Elapsed();
    RunEffectCode(b.canvas, c.code, 4, 5, 0);
    EXPECT_EQ(clock.Elapsed() - before, std::chrono::milliseconds(c.expectedSleepMs)) << c.code;
  }
  SetEffectPacing(EffectPacing::Default());
}

}  // namespace

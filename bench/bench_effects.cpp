// Times every display and erase effect on a 1920 x 1080 show window at the fastest speed,
// with no pauses, against one full-surface copy of the picture measured in the same run.
// The drawing of an effect should cost at most 10 such copies, so that the pauses, not the
// drawing, set an effect's length.
#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

#include "core/form4.h"
#include "core/monitors.h"
#include "core/state.h"
#include "engine/effects.h"
#include "engine/slidescreen.h"
#include "engine/surfaces.h"
#include "mainwindow/mainwindow.h"
#include "platform/events.h"
#include "platform/random.h"
#include "tests/support/timing.h"

namespace {

using test_support::MedianMs;

const char* const kNames[] = {"from top",         "from bottom",    "from left",
                              "from right",       "from centre",    "from outside",
                              "horizontal slits", "vertical slits", "mosaic"};

}  // namespace

int main(int argc, char** argv) {
  // One offscreen monitor of 1920 x 1080.
  QTemporaryDir dir;
  test_support::UseOneOffscreenMonitor(dir);
  QApplication app(argc, argv);
  mainwindow::Register();

  core::ResetAllState();
  core::BuildMonitorTable();
  core::ShowSettings& s = core::Settings();
  s.DisplayEffectSpeed = s.EraseEffectSpeed = 10;  // the fastest
  s.DisplaySlitCount = s.EraseSlitCount = 10;
  s.DisplayMosaicCount = s.EraseMosaicCount = 10;
  core::Flags().EffectDelayFactor = 2.0f;
  core::Flags().FullScreenShowActive = 1;
  core::Lists().CurrentSlideIndex = 2;
  // No pauses; the steps still process events as in a show.
  engine::EffectPacing pacing = engine::EffectPacing::Default();
  pacing.roundSlot = std::chrono::nanoseconds(0);
  pacing.fixedSleeps = false;
  engine::SetEffectPacing(pacing);
  platform::SeedRandom(1);

  engine::Slidescreen& screen = engine::slidescreen();
  screen.Show();
  screen.FitShowPictureBoxes();
  platform::DoEvents();
  const QSize size = screen.P2.Canvas().size();
  const QImage picture = test_support::TestPattern(size.width(), size.height());
  core::form4().Picture1.SetPicture(picture);
  auto select = [&] { engine::SelectPictureDC(picture); };

  // One full-surface copy of the picture, onto the surface and repainted.
  const double copyMs = MedianMs(
      21, [] {},
      [&] {
        {
          QPainter p(&screen.P2.Canvas());
          p.setCompositionMode(QPainter::CompositionMode_Source);
          p.drawImage(0, 0, picture);
        }
        screen.P2.Invalidate();
        platform::DoEvents();
      });
  std::printf("surface %dx%d, one full copy: %.3f ms\n\n", size.width(), size.height(), copyMs);
  std::printf("%-8s %-18s %10s %8s\n", "side", "effect", "ms", "copies");

  double worst = 0;
  auto report = [&](const char* side, const char* name, double ms) {
    const double ratio = ms / copyMs;
    worst = std::max(worst, ratio);
    std::printf("%-8s %-18s %10.3f %8.2f%s\n", side, name, ms, ratio, ratio > 10 ? "  > 10" : "");
  };

  for (short code = 0; code <= 8; ++code) {
    const double ms = MedianMs(
        7,
        [&] {
          select();
          screen.P2.Cls();
          platform::DoEvents();
          s.DisplayEffect = code;
        },
        [] { engine::RunDisplayEffect(); });
    report("display", kNames[code], ms);
  }
  report("display", "none",
         MedianMs(
             7,
             [&] {
               select();
               s.DisplayEffect = engine::kDisplayEffectNone;
             },
             [] { engine::RunDisplayEffect(); }));
  for (short code = 0; code <= 8; ++code) {
    const double ms = MedianMs(
        7,
        [&] {
          // The picture is up before it is erased.
          select();
          s.DisplayEffect = engine::kDisplayEffectNone;
          engine::RunDisplayEffect();
          platform::DoEvents();
          s.EraseEffect = code;
        },
        [] { engine::RunEraseEffect(); });
    report("erase", kNames[code], ms);
  }
  std::printf("\nworst: %.2f full copies (target: at most 10)\n", worst);

  // How long each display effect lasts against its designed length: the sum of its pauses,
  // measured in the same process on a clock that moves only by the pauses.
  std::printf("\n%-18s %6s %6s %10s %10s %7s %7s\n", "effect", "speed", "count", "design ms",
              "real ms", "first", "steady");
  double worstTiming = 0;
  struct TimingCase {
    short code;
    int speed;
    int count;  // slits or mosaic blocks
    bool fixed;
  };
  std::vector<TimingCase> cases;
  for (short code = 0; code <= 8; ++code) {
    for (int speed : {-30, -10, 0}) {
      if (code == engine::kEffectHorizontalSlits || code == engine::kEffectVerticalSlits) {
        for (int count : {2, 100}) cases.push_back({code, speed, count, false});
      } else if (code == engine::kEffectMosaic) {
        for (int count : {5, 100}) cases.push_back({code, speed, count, false});
      } else {
        cases.push_back({code, speed, 10, false});
      }
    }
  }
  cases.push_back({engine::kEffectFromTop, 0, 10, true});
  cases.push_back({engine::kEffectMosaic, 0, 30, true});
  for (const TimingCase& c : cases) {
    s.DisplayEffect = c.code;
    s.DisplayEffectSpeed = static_cast<short>(c.speed);
    s.DisplaySlitCount = s.DisplayMosaicCount = static_cast<short>(c.count);
    s.EffectSpeedFixed = c.fixed ? 1 : 0;
    std::chrono::steady_clock::time_point fake{};
    engine::EffectPacing designed = engine::EffectPacing::Default();
    designed.now = [&fake] { return fake; };
    designed.sleepUntil = [&fake](std::chrono::steady_clock::time_point t) {
      fake = std::max(fake, t);
    };
    engine::SetEffectPacing(designed);
    platform::SeedRandom(1);
    select();
    screen.P2.Cls();
    engine::RunDisplayEffect();
    const double designMs =
        std::chrono::duration<double, std::milli>(fake.time_since_epoch()).count();
    engine::SetEffectPacing(engine::EffectPacing::Default());
    double realMs[2] = {0, 0};
    for (double& ms : realMs) {
      platform::SeedRandom(1);
      select();
      screen.P2.Cls();
      platform::DoEvents();
      const auto t0 = std::chrono::steady_clock::now();
      engine::RunDisplayEffect();
      ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    }
    if (designMs < 1.0) {
      // Pauses of less than a round: the drawing alone sets the pace.
      std::printf("%-18s %6d %6d %10s %10.1f %7s %7s  drawing only\n", kNames[c.code], c.speed,
                  c.count, "-", realMs[1], "-", "-");
      continue;
    }
    const double first = realMs[0] / designMs;
    const double steady = realMs[1] / designMs;
    worstTiming = std::max(worstTiming, std::abs(steady - 1.0));
    std::printf("%-18s %6d %6d %10.1f %10.1f %7.3f %7.3f%s%s\n", kNames[c.code], c.speed, c.count,
                designMs, realMs[1], first, steady, c.fixed ? "  fixed" : "",
                std::abs(steady - 1.0) > 0.15 ? "  off by > 15 %" : "");
  }
  std::printf("\nworst timing: %.1f %% off the designed length (target: within 15 %%)\n",
              worstTiming * 100);
  return worst <= 10 ? 0 : 1;
}

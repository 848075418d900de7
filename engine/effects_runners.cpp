// The display and erase runners: choice, placing, the effect on the show window, the
// final whole copy or clear, and the frame of an overlaid picture.
#include <QPointer>

#include "core/monitors.h"
#include "core/state.h"
#include "engine/effects.h"
#include "engine/picture_prep.h"
#include "engine/slidescreen.h"
#include "engine/surfaces.h"
#include "platform/events.h"
#include "platform/random.h"
#include "platform/twips.h"

namespace engine {

namespace {

std::function<void(const QRect&)>& StepObserver() {
  static std::function<void(const QRect&)> observer;
  return observer;
}

// The canvas of an effect on the show window's visible surface. A window that is closed
// (or was never loaded) is not drawn on and not loaded again. `wholePictureNext`: the
// caller copies the whole picture before anything else can read or paint the surface.
EffectCanvas ShowCanvas(EffectSide side, bool wholePictureNext = false) {
  const core::ShowSettings& s = core::Settings();
  const core::SurfaceState& surfaces = core::Surfaces();
  EffectCanvas c;
  c.side = side;
  QPointer<Slidescreen> screen(SlidescreenIfLoaded());
  c.source = &PictureMemDCImage();
  const QSize size = PictureHolderSize();
  c.width = size.width();
  c.height = size.height();
  c.origin = QPoint(surfaces.PictureLeft, surfaces.PictureTop);
  if (screen) {
    const bool drawn = wholePictureNext && !c.source->isNull() && !screen->IsClosed() &&
                       core::Flags().ShowScreenClosed != 1;
    const QRect covered(c.origin, size.boundedTo(c.source->size()));
    // A surface the worker composed for this picture is taken whole; one cleared for it
    // gets its background only around it.
    c.pictureInPlace = drawn && AdoptPreparedSurface(screen->P2, *c.source, covered);
    c.surface = drawn ? &screen->P2.CanvasToCover(covered) : &screen->P2.Canvas();
  }
  c.speed = side == EffectSide::Display ? s.DisplayEffectSpeed : s.EraseEffectSpeed;
  c.fixedSpeed = s.EffectSpeedFixed == 1;
  c.delayFactor = core::Flags().EffectDelayFactor;
  c.repaint = [screen](const QRect& r) {
    if (screen) screen->P2.Invalidate(r);
  };
  c.stopRequested = [] { return core::Flags().EffectStop == 1; };
  c.surfaceClosed = [screen] {
    return !screen || screen->IsClosed() || core::Flags().ShowScreenClosed == 1;
  };
  c.processEvents = [] { platform::DoEvents(); };
  c.random = [] { return platform::Rnd(); };
  c.onStep = StepObserver();
  return c;
}

// The code a runner runs for a choice of 9 (random) or 10 (in turn).
short ChooseCode(short chosen, short& turn) {
  if (chosen == kEffectRandom) return RandomEffectCode(platform::Rnd());
  if (chosen == kEffectInTurn) return EffectCodeInTurn(turn);
  return chosen;
}

}  // namespace

EffectState& Effects() {
  static EffectState state;
  return state;
}

void SetEffectStepObserver(std::function<void(const QRect&)> observer) {
  StepObserver() = std::move(observer);
}

void BlitWholePicture(bool pictureDrawn) {
  EffectCanvas c = ShowCanvas(EffectSide::Display);
  const QPointer<Slidescreen> screen(SlidescreenIfLoaded());
  const quint64 stamp = screen ? screen->P2.DrawingStamp() : 0;
  const qint64 picture = c.source->cacheKey();
  c.PauseEvents();
  c.pictureInPlace = pictureDrawn && screen && screen->P2.DrawingStamp() == stamp &&
                     c.source->cacheKey() == picture;
  c.DrawAs(EffectSide::Display, 0, 0, c.width, c.height);
  c.FlushRepaint();
  // The finished picture is on the screen at once, whatever the slide does next.
  if (screen && !screen->IsClosed() && core::Flags().ShowScreenClosed != 1) screen->P2.repaint();
  core::Flags().EffectStop = 0;
}

void ClearShowSurface() {
  platform::DoEvents();
  Slidescreen* screen = SlidescreenIfLoaded();
  if (screen && !screen->IsClosed() && core::Flags().ShowScreenClosed != 1) screen->P2.Cls();
  core::Flags().EffectStop = 0;
}

void PaceDisplayStep() {
  EffectCanvas c = ShowCanvas(EffectSide::Display);
  PaceStripStep(c, Effects().DisplayEffectUsed);
}

void PaceEraseStep() {
  EffectCanvas c = ShowCanvas(EffectSide::Erase);
  PaceStripStep(c, Effects().EraseEffectUsed);
}

void RunDisplayEffect() {
  core::ShowSettings& s = core::Settings();
  core::RunFlags& flags = core::Flags();
  core::SurfaceState& surfaces = core::Surfaces();

  // The main window's monitor (the primary one when the window lies on none).
  const core::TwipsRect monitor = core::MonitorRectTwips(core::MainMonitorIndex());
  flags.EffectStop = 0;

  // Placing, for every picture whatever the effect.
  const QSize picture = PictureHolderSize();
  const double freeX =
      monitor.Width - static_cast<double>(picture.width()) * platform::TwipsPerPixelX;
  const double freeY =
      monitor.Height - static_cast<double>(picture.height()) * platform::TwipsPerPixelY;
  double fx = 0.5, fy = 0.5;
  if (s.PicturePositionFixed == 1) {
    fx = s.PicturePositionX;
    fy = s.PicturePositionY;
  } else if (s.PicturePosition != 0) {
    fx = platform::Rnd();
    fy = platform::Rnd();
  }
  surfaces.PictureLeft = PlacePicture(freeX, fx, platform::TwipsPerPixelX);
  surfaces.PictureTop = PlacePicture(freeY, fy, platform::TwipsPerPixelY);

  EffectState& effects = Effects();
  effects.DisplayEffectUsed = ChooseCode(s.DisplayEffect, flags.DisplayEffectTurn);

  bool pictureDrawn = false;
  if (effects.DisplayEffectUsed == kDisplayEffectNone) {
    // The events come before the canvas is taken: a paint in them lays the whole
    // background.
    platform::DoEvents();
    EffectCanvas c = ShowCanvas(EffectSide::Display, true);
    c.Draw(0, 0, c.width, c.height);
    c.FlushRepaint();
    pictureDrawn = !c.Closed();
  } else {
    EffectCanvas c = ShowCanvas(EffectSide::Display);
    RunEffectCode(c, effects.DisplayEffectUsed, s.DisplaySlitCount, s.DisplayMosaicCount,
                  s.MosaicDelayAdjust);
    c.FlushRepaint();
  }

  // Completes whatever the steps left, after a stop as well.
  BlitWholePicture(pictureDrawn);

  if (s.OverlayMode >= 1 && s.Borderless == 0) {
    EffectCanvas c = ShowCanvas(EffectSide::Display);
    DrawOverlayFrame(c, surfaces.PictureLeft, surfaces.PictureTop, picture.width(),
                     picture.height());
    c.FlushRepaint();
  }
}

void RunEraseEffect() {
  core::ShowSettings& s = core::Settings();
  core::RunFlags& flags = core::Flags();
  flags.EffectStop = 0;

  const bool skipped = flags.FullScreenShowActive == 0 ||
                       (core::Lists().CurrentSlideIndex == 1 && flags.NoEraseAtStart == 1) ||
                       s.EraseEffect == kEraseEffectNone || flags.SkipEraseEffect == 1;
  if (!skipped) {
    flags.NoEraseAtStart = 0;
    EffectState& effects = Effects();
    if (s.EraseEffect == kEraseEffectLinked) {
      effects.EraseEffectUsed = LinkedEraseCode(effects.DisplayEffectUsed);
    } else {
      effects.EraseEffectUsed = ChooseCode(s.EraseEffect, flags.EraseEffectTurn);
    }
    {
      EffectCanvas c = ShowCanvas(EffectSide::Erase);
      RunEffectCode(c, effects.EraseEffectUsed, s.EraseSlitCount, s.EraseMosaicCount,
                    s.MosaicDelayAdjust);
      c.FlushRepaint();
    }
    ClearShowSurface();
  }
  ReleasePictureDC();
}

// ---- the named routines, each on the show window --------------------------------------

namespace {

void RunNamed(EffectSide side, short code) {
  const core::ShowSettings& s = core::Settings();
  const bool display = side == EffectSide::Display;
  EffectCanvas c = ShowCanvas(side);
  RunEffectCode(c, code, display ? s.DisplaySlitCount : s.EraseSlitCount,
                display ? s.DisplayMosaicCount : s.EraseMosaicCount, s.MosaicDelayAdjust);
  c.FlushRepaint();
}

}  // namespace

void DisplayFromCentre() { RunNamed(EffectSide::Display, kEffectFromCentre); }
void DisplayFromOutside() { RunNamed(EffectSide::Display, kEffectFromOutside); }
void EraseFromCentre() { RunNamed(EffectSide::Erase, kEffectFromCentre); }
void EraseFromOutside() { RunNamed(EffectSide::Erase, kEffectFromOutside); }
void DisplayHorizontalSlits() { RunNamed(EffectSide::Display, kEffectHorizontalSlits); }
void DisplayVerticalSlits() { RunNamed(EffectSide::Display, kEffectVerticalSlits); }
void DisplayMosaic() { RunNamed(EffectSide::Display, kEffectMosaic); }
void EraseHorizontalSlits() { RunNamed(EffectSide::Erase, kEffectHorizontalSlits); }
void EraseVerticalSlits() { RunNamed(EffectSide::Erase, kEffectVerticalSlits); }
void EraseMosaic() { RunNamed(EffectSide::Erase, kEffectMosaic); }

}  // namespace engine

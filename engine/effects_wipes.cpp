// Strip wipes, the effect from the outside and the effect from the centre.
#include <algorithm>
#include <cmath>

#include "engine/effects.h"
#include "platform/vberror.h"

namespace engine {

void PaceStripStep(EffectCanvas& canvas, short code) {
  if (canvas.fixedSpeed) {
    canvas.Sleep(1);
  } else {
    const bool side = code == kEffectFromLeft || code == kEffectFromRight;
    canvas.PauseRounds(StripPauseRounds(canvas.speed, canvas.delayFactor, side), false);
  }
}

void RunStripWipe(EffectCanvas& canvas, short code) {
  const double W = canvas.width;
  const double H = canvas.height;
  // After each strip: the pause; a stop ends the wipe, else events and the next strip.
  auto after = [&]() {
    PaceStripStep(canvas, code);
    if (canvas.Stopped()) return false;
    canvas.StepEvents();
    return true;
  };
  switch (code) {
    case kEffectFromTop: {
      const int s = StripStep(canvas.speed);
      for (double i = 0; i <= H; i += s) {
        canvas.Draw(0, i, W, s);
        if (!after()) return;
      }
      break;
    }
    case kEffectFromBottom: {
      const int s = StripStep(canvas.speed);
      for (double i = H; i >= 0; i -= s) {
        canvas.Draw(0, i, W, s);
        if (!after()) return;
      }
      break;
    }
    case kEffectFromLeft: {
      const int s = SideStripStep(canvas.speed);
      for (double i = 0; i <= W; i += s) {
        canvas.Draw(i, 0, s, H);
        if (!after()) return;
      }
      break;
    }
    case kEffectFromRight: {
      const int s = SideStripStep(canvas.speed);
      for (double i = W; i >= 0; i -= s) {
        canvas.Draw(i, 0, s, H);
        if (!after()) return;
      }
      break;
    }
    default:
      break;
  }
}

namespace {

// The pause of the centre and outside family, before each step. The display routines
// test the stop before the events of a round, the erase twins after.
void PaceCentreStep(EffectCanvas& canvas) {
  if (canvas.fixedSpeed) {
    canvas.Sleep(2);
  } else {
    canvas.PauseRounds(CentrePauseRounds(canvas.speed, canvas.delayFactor),
                       canvas.side == EffectSide::Display);
  }
}

}  // namespace

void RunFromOutside(EffectCanvas& canvas) {
  const double W = canvas.width;
  const double H = std::max(canvas.height, 1.0);
  const int s5 = CentreStep(canvas.speed);
  const double DY = s5;
  // The side bands move in proportion to the picture's shape.
  const double DX = std::max(
      1.0, static_cast<double>(std::floor(static_cast<float>(W) * s5 / static_cast<float>(H))));
  double T = 0, B = H, L = 0, R = W;
  bool changed;
  do {
    changed = false;
    canvas.StepEvents();
    PaceCentreStep(canvas);
    canvas.Draw(L, T, W - 2 * L, DY);
    canvas.Draw(L, B, W - 2 * L, DY);
    canvas.Draw(L, T, DX, H - 2 * T);
    canvas.Draw(R, T, DX, H - 2 * T);
    if (T < H / 2) {
      T += DY;
      changed = true;
    }
    if (T > H / 2) T = H / 2;
    if (B > H / 2) {
      B -= DY;
      changed = true;
    }
    if (B < H / 2) B = H / 2;
    if (L < W / 2) {
      L += DX;
      changed = true;
    }
    if (L > W / 2) L = W / 2;
    if (R > W / 2) {
      R -= DX;
      changed = true;
    }
    if (R < W / 2) R = W / 2;
    if (canvas.Stopped()) return;
  } while (changed);
}

void RunFromCentre(EffectCanvas& canvas) {
  // Whole-pixel edges, as the rectangle grows by whole steps.
  const int W = static_cast<int>(canvas.width);
  const int H = static_cast<int>(canvas.height);
  const int hc = platform::CLng(H / 2.0);
  const int wc = platform::CLng(W / 2.0);
  const int s5 = CentreStep(canvas.speed);
  const int DY = s5;
  // A picture one pixel high has hc = 0; the side step stays at least 1.
  const int DX =
      std::max(1, static_cast<int>(std::floor(static_cast<double>(wc) * s5 / std::max(hc, 1))));
  int YT = hc, YB = hc, XL = wc, XR = wc;
  bool changed;
  do {
    changed = false;
    canvas.StepEvents();
    PaceCentreStep(canvas);
    const int HW = XR - wc;
    const int HH = YB - hc;
    canvas.Draw(XL, YT, 2 * HW, DX + DY);
    canvas.Draw(XL, YB, 2 * HW + DX, DX + DY);
    canvas.Draw(XL, YT, DX + DY, 2 * HH + DY + 2);
    canvas.Draw(XR, YT, DX + DY, 2 * HH + DY + 2);
    if (YB < H) {
      YB += DY;
      changed = true;
    }
    if (YB > H) YB = H;
    if (YT > 0) {
      YT -= DY;
      changed = true;
    }
    if (YT < 0) YT = 0;
    if (XR < W) {
      XR += DX;
      changed = true;
    }
    if (XR > W) XR = W;
    if (XL > 0) {
      XL -= DX;
      changed = true;
    }
    if (XL < 0) XL = 0;
    if (canvas.Stopped()) return;
  } while (changed);
}

}  // namespace engine

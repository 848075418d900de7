// Horizontal and vertical slits and the mosaic.
#include <algorithm>
#include <cmath>

#include "engine/effects.h"

namespace engine {

namespace {

// Size of one slit or block along a side: Int(length / count) in single precision, at
// least 2. A count below 1 (only a damaged file holds one) counts as 1.
int CellSize(double length, int count) {
  const float size =
      std::floor(static_cast<float>(length) / static_cast<float>(std::max(count, 1)));
  return std::max(2, static_cast<int>(size));
}

// Slits along one direction; horizontal slits are rows (bands of b rows), vertical slits
// columns. The display fills each slit from its near side, the erase from its far side.
void RunSlits(EffectCanvas& canvas, int count, bool horizontal) {
  const double W = canvas.width;
  const double H = canvas.height;
  const double length = horizontal ? H : W;
  const int S = CellSize(length, count);
  const int n = static_cast<int>(std::floor(length / S));
  const int b = SlitBand(canvas.speed);
  const double rounds = SlitPauseRounds(canvas.speed, canvas.delayFactor);
  const bool display = canvas.side == EffectSide::Display;

  auto pass = [&](int i) {
    if (!canvas.fixedSpeed) canvas.PauseRounds(rounds, false);
    for (int j = 0; j <= n; ++j) {
      if (canvas.fixedSpeed) {
        canvas.Sleep(1);
      } else {
        canvas.PauseRounds(rounds, false);
      }
      canvas.StepEvents();
      if (horizontal) {
        canvas.Draw(0, j * S + i, W, b);
      } else {
        canvas.Draw(j * S + i, 0, b, H);
      }
      if (canvas.Stopped()) return false;
    }
    return true;
  };
  if (display) {
    for (int i = 0; i <= S; i += b) {
      if (!pass(i)) return;
    }
  } else {
    for (int i = S; i >= 0; i -= b) {
      if (!pass(i)) return;
    }
  }
}

}  // namespace

void RunHorizontalSlits(EffectCanvas& canvas, int count) { RunSlits(canvas, count, true); }

void RunVerticalSlits(EffectCanvas& canvas, int count) { RunSlits(canvas, count, false); }

void RunMosaic(EffectCanvas& canvas, int count, int mosaicDelayAdjust) {
  const double W = canvas.width;
  const double H = canvas.height;
  count = std::max(count, 1);
  const int BH = CellSize(H, count);
  const int nR = static_cast<int>(std::floor(H / BH));
  const int BW = CellSize(W, count);
  const int nC = static_cast<int>(std::floor(W / BW));
  const double rounds = MosaicPauseRounds(canvas.speed, count, mosaicDelayAdjust);
  const long long blocks = 4LL * count * count;
  const long long sleepingBlocks = static_cast<long long>(count) * count;
  for (long long k = 1; k <= blocks; ++k) {
    // Blocks are chosen with repetition; the last row and column may reach past the
    // picture.
    const double r1 = canvas.Random();
    const double r2 = canvas.Random();
    const double x = BW * std::floor(r1 * (nC + 1));
    const double y = BH * std::floor(r2 * (nR + 1));
    if (canvas.fixedSpeed) {
      if (k < sleepingBlocks) canvas.Sleep(1);
    } else {
      canvas.PauseRounds(rounds, false);
    }
    canvas.StepEvents();
    canvas.Draw(x, y, BW, BH);
    if (canvas.Stopped()) break;
  }
  // Blocks never chosen are completed here, after a stop as well.
  canvas.Draw(0, 0, W, H);
}

void RunEffectCode(EffectCanvas& canvas, short code, int slitCount, int mosaicCount,
                   int mosaicDelayAdjust) {
  switch (code) {
    case kEffectFromTop:
    case kEffectFromBottom:
    case kEffectFromLeft:
    case kEffectFromRight:
      RunStripWipe(canvas, code);
      break;
    case kEffectFromCentre:
      RunFromCentre(canvas);
      break;
    case kEffectFromOutside:
      RunFromOutside(canvas);
      break;
    case kEffectHorizontalSlits:
      RunHorizontalSlits(canvas, slitCount);
      break;
    case kEffectVerticalSlits:
      RunVerticalSlits(canvas, slitCount);
      break;
    case kEffectMosaic:
      RunMosaic(canvas, mosaicCount, mosaicDelayAdjust);
      break;
    default:
      break;
  }
}

void DrawOverlayFrame(EffectCanvas& canvas, int L, int T, int W, int H) {
  const QRgb white = qRgb(255, 255, 255);
  const QRgb black = qRgb(0, 0, 0);
  canvas.Fill(QRect(L - 1, T - 1, W + 2, 1), white);
  canvas.Fill(QRect(L - 2, T - 2, W + 4, 1), white);
  canvas.Fill(QRect(L - 1, T - 1, 1, H + 2), white);
  canvas.Fill(QRect(L - 2, T - 2, 1, H + 4), white);
  canvas.Fill(QRect(L + W, T - 1, 1, H + 2), black);
  canvas.Fill(QRect(L + W + 1, T - 2, 1, H + 4), black);
  canvas.Fill(QRect(L - 1, T + H, W + 2, 1), black);
  canvas.Fill(QRect(L - 2, T + H + 1, W + 4, 1), black);
}

}  // namespace engine

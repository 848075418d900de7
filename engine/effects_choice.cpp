// Choice of the effect, step sizes and the number of rounds of the pauses.
#include <algorithm>
#include <cmath>

#include "engine/effects.h"
#include "platform/vberror.h"

namespace engine {

namespace {

// An Integer product. The original formed these in 16 bits; a speed far outside the
// menus' range (a damaged file) would overflow there, so the product saturates instead
// and the effect is merely very slow.
int Product16(int a, int b) {
  long long p = static_cast<long long>(a) * b;
  return static_cast<int>(std::clamp<long long>(p, -32768, 32767));
}

}  // namespace

short RandomEffectCode(double r) {
  return static_cast<short>(std::clamp(std::floor(r * 8 + 0.8), 0.0, 8.0));
}

short EffectCodeInTurn(short& turn) {
  short t = turn;
  if (t > 8 || t < 0) t = 0;
  turn = static_cast<short>(t + 1);
  return t;
}

short LinkedEraseCode(short displayEffectUsed) {
  switch (displayEffectUsed) {
    case kEffectFromTop:
    case kEffectFromBottom:
    case kEffectFromLeft:
    case kEffectFromRight:
    case kEffectHorizontalSlits:
    case kEffectVerticalSlits:
    case kEffectMosaic:
      return displayEffectUsed;
    case kEffectFromCentre:
      return kEffectFromOutside;
    case kEffectFromOutside:
      return kEffectFromCentre;
    default:
      return kEraseEffectLinked;
  }
}

int StripStep(int speed) { return speed < 7 ? 1 : speed - 6; }

int SideStripStep(int speed) { return static_cast<int>(std::floor(1.5 * StripStep(speed))); }

int CentreStep(int speed) { return speed <= 6 ? 1 : speed - 5; }

int SlitBand(int speed) { return speed <= 7 ? 1 : speed - 6; }

double StripPauseRounds(int speed, float delayFactor, bool sideStrip) {
  const float f = sideStrip ? 0.7f : 1.0f;
  return static_cast<double>(f * static_cast<float>(Product16(7 - speed, 10)) * delayFactor);
}

double CentrePauseRounds(int speed, float delayFactor) {
  return static_cast<double>(static_cast<float>(Product16(7 - speed, 15)) * delayFactor);
}

double SlitPauseRounds(int speed, float delayFactor) {
  return static_cast<double>(static_cast<float>(Product16(7 - speed, 6)) * delayFactor);
}

double MosaicPauseRounds(int speed, int count, int mosaicDelayAdjust) {
  count = std::max(count, 1);
  return 7000.0 * std::pow(1.08, 10 - speed) / std::pow(static_cast<double>(count), 2.1) -
         Product16(150, mosaicDelayAdjust);
}

int PlacePicture(double freeSpaceTwips, double factor, int twipsPerPixel) {
  return platform::CLng(freeSpaceTwips * factor / twipsPerPixel);
}

}  // namespace engine

#pragma once
// Window geometry is kept in twips, as the program's layout was designed:
// 15 twips per device-independent pixel on both axes.
#include "platform/vberror.h"

namespace platform {

constexpr int TwipsPerPixelX = 15;
constexpr int TwipsPerPixelY = 15;

// Twips to whole pixels, halves to the even neighbour.
inline int TwipsToPixelsX(double twips) {
  return static_cast<int>(RoundHalfEven(twips / TwipsPerPixelX));
}
inline int TwipsToPixelsY(double twips) {
  return static_cast<int>(RoundHalfEven(twips / TwipsPerPixelY));
}
inline int PixelsToTwipsX(int pixels) { return pixels * TwipsPerPixelX; }
inline int PixelsToTwipsY(int pixels) { return pixels * TwipsPerPixelY; }

// Coordinate unit of a window or picture box (the numbers are the original's).
enum class ScaleMode { kTwips = 1, kPixels = 3 };

inline constexpr double UnitsPerPixel(ScaleMode mode) {
  return mode == ScaleMode::kTwips ? TwipsPerPixelX : 1.0;
}

}  // namespace platform

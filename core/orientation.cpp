#include "core/orientation.h"

#include "platform/exif.h"

namespace core {
namespace {
int g_token = 0;
}  // namespace

void StartGdiplus() {
  if (g_token != 0) return;
  g_token = platform::StartExifReader();
}

void StopGdiplus() {
  if (g_token == 0) return;
  platform::StopExifReader(g_token);
  g_token = 0;
}

int GdiplusToken() { return g_token; }

int GetExifOrientation(const QString& path) {
  try {
    StartGdiplus();
  } catch (...) {
    return 1;
  }
  return ReadUprightTurn(path);
}

int ReadUprightTurn(const QString& path) {
  try {
    const int value = platform::ReadExifOrientation(path);
    if (value == 3 || value == 6 || value == 8) return value;
  } catch (...) {
  }
  return 1;
}

}  // namespace core

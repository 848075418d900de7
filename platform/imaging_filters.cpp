// Picture filters of the imaging control, used by the picture macros and the overlay.
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/imaging.h"
#include "platform/vberror.h"

namespace platform {
namespace {

// Opaque pictures as RGB32; transparent ones keep their alpha, unpremultiplied.
QImage ToWorkingFormat(const QImage& image) {
  return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                       : QImage::Format_RGB32);
}

QImage FlattenOnWhite(const QImage& image) {
  if (!image.hasAlphaChannel()) return image.convertToFormat(QImage::Format_RGB32);
  QImage out(image.size(), QImage::Format_RGB32);
  out.fill(Qt::white);
  QPainter painter(&out);
  painter.drawImage(0, 0, image);
  return out;
}

inline int Clamp255(int v) { return std::clamp(v, 0, 255); }

}  // namespace

void ImagingControl::GrayscaleImage() {
  RequireImage();
  if (image_.format() == QImage::Format_Grayscale8) return;
  image_ = FlattenOnWhite(image_).convertToFormat(QImage::Format_Grayscale8);
}

void ImagingControl::ReverseImage() {
  RequireImage();
  image_ = image_.mirrored(true, false);
}

void ImagingControl::FlipImage() {
  RequireImage();
  image_ = image_.mirrored(false, true);
}

void ImagingControl::InvertImage() {
  RequireImage();
  if (image_.colorCount() > 0) {
    // Palette pictures: invert the colours, not the indexes.
    QList<QRgb> table = image_.colorTable();
    for (QRgb& c : table) c = qRgba(255 - qRed(c), 255 - qGreen(c), 255 - qBlue(c), qAlpha(c));
    image_.setColorTable(table);
    return;
  }
  image_.invertPixels(QImage::InvertRgb);
}

void ImagingControl::MosaicImage(int tileSize) {
  RequireImage();
  if (tileSize < 1) {
    throw VbError(kErrInvalidCall, QStringLiteral("Invalid tile size %1").arg(tileSize),
                  QStringLiteral("ImagingControl"));
  }
  if (tileSize == 1) return;
  QImage img = ToWorkingFormat(image_);
  const int w = img.width();
  const int h = img.height();
  for (int ty = 0; ty < h; ty += tileSize) {
    const int th = std::min(tileSize, h - ty);
    for (int tx = 0; tx < w; tx += tileSize) {
      const int tw = std::min(tileSize, w - tx);
      long long r = 0, g = 0, b = 0, a = 0;
      for (int y = ty; y < ty + th; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = tx; x < tx + tw; ++x) {
          r += qRed(line[x]);
          g += qGreen(line[x]);
          b += qBlue(line[x]);
          a += qAlpha(line[x]);
        }
      }
      const long long n = static_cast<long long>(tw) * th;
      const QRgb mean = qRgba(static_cast<int>((r + n / 2) / n), static_cast<int>((g + n / 2) / n),
                              static_cast<int>((b + n / 2) / n), static_cast<int>((a + n / 2) / n));
      for (int y = ty; y < ty + th; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        std::fill(line + tx, line + tx + tw, mean);
      }
    }
  }
  image_ = img;
}

void ImagingControl::PencilFilterStep(int level) {
  RequireImage();
  const QImage src = FlattenOnWhite(image_);
  const int w = src.width();
  const int h = src.height();
  QImage dst(w, h, QImage::Format_RGB32);
  const int strength = std::clamp(level, 0, 100);
  // Sobel gradient per channel; level 8 maps a clear edge to full brightness.
  for (int y = 0; y < h; ++y) {
    const QRgb* up = reinterpret_cast<const QRgb*>(src.constScanLine(std::max(y - 1, 0)));
    const QRgb* mid = reinterpret_cast<const QRgb*>(src.constScanLine(y));
    const QRgb* down = reinterpret_cast<const QRgb*>(src.constScanLine(std::min(y + 1, h - 1)));
    QRgb* out = reinterpret_cast<QRgb*>(dst.scanLine(y));
    for (int x = 0; x < w; ++x) {
      const int l = std::max(x - 1, 0);
      const int r = std::min(x + 1, w - 1);
      QRgb result = 0xff000000u;
      for (int shift = 0; shift <= 16; shift += 8) {
        auto v = [shift](QRgb p) { return static_cast<int>((p >> shift) & 0xff); };
        const int gx =
            v(up[r]) + 2 * v(mid[r]) + v(down[r]) - v(up[l]) - 2 * v(mid[l]) - v(down[l]);
        const int gy =
            v(down[l]) + 2 * v(down[x]) + v(down[r]) - v(up[l]) - 2 * v(up[x]) - v(up[r]);
        result |= static_cast<QRgb>(Clamp255((std::abs(gx) + std::abs(gy)) * strength / 16))
                  << shift;
      }
      out[x] = result;
    }
  }
  image_ = dst;
}

void ImagingControl::PencilFinishStep() {
  // Bright outlines on dark become dark strokes on white.
  InvertImage();
}

void ImagingControl::MetalFilterStep(int direction, int depth) {
  RequireImage();
  const QImage src = FlattenOnWhite(image_);
  const int w = src.width();
  const int h = src.height();
  const double radians = direction * M_PI / 180.0;
  // Offset towards the light: 0 degrees is from the top, angles run clockwise.
  const int lx = static_cast<int>(std::lround(std::sin(radians)));
  const int ly = static_cast<int>(std::lround(-std::cos(radians)));
  const double gain = std::clamp(depth, 0, 1000) / 250.0;
  QImage dst(w, h, QImage::Format_RGB32);
  auto at = [&](int x, int y) {
    x = std::clamp(x, 0, w - 1);
    y = std::clamp(y, 0, h - 1);
    return reinterpret_cast<const QRgb*>(src.constScanLine(y))[x];
  };
  for (int y = 0; y < h; ++y) {
    QRgb* out = reinterpret_cast<QRgb*>(dst.scanLine(y));
    for (int x = 0; x < w; ++x) {
      const QRgb lit = at(x + lx, y + ly);
      const QRgb shade = at(x - lx, y - ly);
      out[x] = qRgb(Clamp255(128 + static_cast<int>(gain * (qRed(lit) - qRed(shade)))),
                    Clamp255(128 + static_cast<int>(gain * (qGreen(lit) - qGreen(shade)))),
                    Clamp255(128 + static_cast<int>(gain * (qBlue(lit) - qBlue(shade)))));
    }
  }
  image_ = dst;
}

}  // namespace platform

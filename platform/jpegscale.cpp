// Reduced-scale JPEG decoding: libjpeg-turbo skips most of the inverse DCT work when
// a picture will be shown at a fraction of its size.
#include <turbojpeg.h>

#include <memory>

#include "platform/imaging_codecs.h"

namespace platform::imaging_detail {

bool IsJpegData(const QByteArray& data) {
  return data.size() >= 4 && static_cast<uchar>(data[0]) == 0xFF &&
         static_cast<uchar>(data[1]) == 0xD8 && static_cast<uchar>(data[2]) == 0xFF;
}

QImage DecodeJpegReduced(const QByteArray& data, int minWidth, int minHeight) {
  if (!IsJpegData(data)) return {};
  std::unique_ptr<void, int (*)(tjhandle)> handle(tjInitDecompress(), tjDestroy);
  if (!handle) return {};
  auto* jpeg = reinterpret_cast<const unsigned char*>(data.constData());
  const unsigned long size = static_cast<unsigned long>(data.size());
  int width = 0, height = 0, subsamp = 0, colorspace = 0;
  if (tjDecompressHeader3(handle.get(), jpeg, size, &width, &height, &subsamp, &colorspace) != 0) {
    return {};
  }
  if (width <= 0 || height <= 0) return {};
  const bool gray = colorspace == TJCS_GRAY;
  if (colorspace == TJCS_CMYK || colorspace == TJCS_YCCK) return {};

  // Smallest reduction that still covers the wanted size.
  int count = 0;
  tjscalingfactor* factors = tjGetScalingFactors(&count);
  tjscalingfactor best{1, 1};
  int bestWidth = width;
  for (int i = 0; factors && i < count; ++i) {
    const tjscalingfactor f = factors[i];
    if (f.num > f.denom) continue;
    const int w = TJSCALED(width, f);
    const int h = TJSCALED(height, f);
    if (w >= minWidth && h >= minHeight && w < bestWidth) {
      best = f;
      bestWidth = w;
    }
  }
  const int w = TJSCALED(width, best);
  const int h = TJSCALED(height, best);
  QImage out(w, h, gray ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
  if (out.isNull()) return {};
  const int pixelFormat =
      gray ? TJPF_GRAY : (Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? TJPF_BGRX : TJPF_XRGB);
  if (tjDecompress2(handle.get(), jpeg, size, out.bits(), w, static_cast<int>(out.bytesPerLine()),
                    h, pixelFormat, 0) != 0) {
    // A warning (such as a truncated file) still leaves the decoded part in place.
    if (tjGetErrorCode(handle.get()) != TJERR_WARNING) return {};
  }
  if (!gray) {
    // RGB32 wants 0xff in the unused byte.
    for (int y = 0; y < h; ++y) {
      auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
      for (int x = 0; x < w; ++x) line[x] |= 0xff000000u;
    }
  }
  return out;
}

}  // namespace platform::imaging_detail

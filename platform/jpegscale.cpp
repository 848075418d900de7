// Reduced-scale JPEG decoding: libjpeg-turbo skips most of the inverse DCT work when
// a picture will be shown at a fraction of its size.
#include <QFile>
#include <csetjmp>
#include <cstdio>
#include <memory>

// After <cstdio>: jpeglib.h uses FILE and size_t without including their headers.
#include <jpeglib.h>
#include <turbojpeg.h>

#include "platform/imaging_codecs.h"
#include "platform/jpeg_coefficients.h"

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

// ---- straight from the file ----------------------------------------------------------------

namespace platform::imaging_detail {

namespace {

struct JpegFailure {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

void JpegErrorExit(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegFailure*>(info->err)->jump, 1);
}

void JpegQuiet(j_common_ptr, int) {}

// libjpeg's errors come back through longjmp: this frame holds nothing with a destructor,
// the picture and the coefficient store live in the caller's.
bool DecodeJpegInto(std::FILE* file, int minWidth, int minHeight, QImage* out,
                    JpegCoefficientStore* store) {
  jpeg_decompress_struct info;
  JpegFailure failure;
  info.err = jpeg_std_error(&failure.manager);
  failure.manager.error_exit = JpegErrorExit;
  failure.manager.emit_message = JpegQuiet;  // a truncated file still gives its picture
  if (setjmp(failure.jump) != 0) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, file);
  jpeg_read_header(&info, TRUE);
  const bool gray = info.jpeg_color_space == JCS_GRAYSCALE;
  if ((!gray && info.jpeg_color_space != JCS_YCbCr && info.jpeg_color_space != JCS_RGB) ||
      !WithinPixelBound(info.image_width, info.image_height, kMaxReducedJpegPixels)) {
    jpeg_destroy_decompress(&info);
    return false;  // CMYK is left to Qt
  }
  // Smallest reduction that still covers the wanted size.
  unsigned eighths = 8;
  for (unsigned m = 1; m < 8; ++m) {
    if ((info.image_width * m + 7) / 8 >= static_cast<unsigned>(minWidth) &&
        (info.image_height * m + 7) / 8 >= static_cast<unsigned>(minHeight)) {
      eighths = m;
      break;
    }
  }
  // A progressive file keeps all its coefficients until the last scan: packed, they take
  // a fraction of libjpeg's own arrays.
  if (info.progressive_mode) store->Attach(&info);
  info.scale_num = eighths;
  info.scale_denom = 8;
  info.out_color_space = gray ? JCS_GRAYSCALE : JCS_EXT_BGRX;
  jpeg_start_decompress(&info);
  *out = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                gray ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
  if (out->isNull()) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = out->scanLine(static_cast<int>(info.output_scanline));
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace

QImage DecodeJpegFileReduced(const QString& path, int minWidth, int minHeight) {
  std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "rb");
  if (!file) return {};
  QImage out;
  JpegCoefficientStore store;
  const bool ok = DecodeJpegInto(file, minWidth, minHeight, &out, &store);
  std::fclose(file);
  if (!ok) return {};
  if (out.format() == QImage::Format_RGB32) {
    // RGB32 wants 0xff in the unused byte.
    for (int y = 0; y < out.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
      for (int x = 0; x < out.width(); ++x) line[x] |= 0xff000000u;
    }
  }
  return out;
}

}  // namespace platform::imaging_detail

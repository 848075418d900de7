// ImageMagick side of the imaging control: the older formats Qt has no reader for, and
// palette reduction.
#include <Magick++.h>
#include <tiffio.h>

#include <QHash>
#include <QLoggingCategory>
#include <QSet>
#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <string_view>

#include "platform/imaging_codecs.h"

namespace platform::imaging_detail {
namespace {

void InitMagick() {
  static std::once_flag once;
  std::call_once(once, [] {
    Magick::InitializeMagick(nullptr);
    // A second line behind the pixel bound: no decode may take gigabytes.
    Magick::ResourceLimits::area(static_cast<MagickCore::MagickSizeType>(kMaxDecodedPixels) * 4);
    Magick::ResourceLimits::memory(512ull << 20);
    Magick::ResourceLimits::map(1024ull << 20);
    Magick::ResourceLimits::disk(0);
  });
}

// Suffix to ImageMagick format name, for the formats we hand to ImageMagick.
const QHash<QString, QString>& MagickFormats() {
  static const QHash<QString, QString> formats = {
      {"psd", "PSD"}, {"pdd", "PSD"},  {"pcx", "PCX"},   {"dcx", "DCX"},   {"ras", "SUN"},
      {"sun", "SUN"}, {"rs", "SUN"},   {"pict", "PICT"}, {"pct", "PICT"},  {"pic", "PICT"},
      {"wpg", "WPG"}, {"pcd", "PCD"},  {"cal", "CALS"},  {"cals", "CALS"}, {"ct1", "CALS"},
      {"mac", "MAC"}, {"pntg", "MAC"}, {"eps", "EPS"},   {"epsf", "EPS"},  {"ps", "PS"},
  };
  return formats;
}

constexpr const char* kPixelMap = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? "BGRA" : "ARGB";
constexpr const char* kOpaqueMap = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? "BGRP" : "PRGB";

// Formats Qt reads first, but whose files carry no signature, so that ImageMagick needs
// the name when Qt gives up (Qt reads only some kinds of Targa file).
const QHash<QString, QString>& FallbackFormats() {
  static const QHash<QString, QString> formats = {
      {"tga", "TGA"}, {"vda", "TGA"}, {"icb", "TGA"}, {"vst", "TGA"}};
  return formats;
}

// ImageMagick is only ever given a format by name, never left to guess: some of its
// coders (vector scripts and the like) would read other files on the content's request.
// Formats Qt reads (PNG, GIF, JPEG, TIFF, BMP) stay with Qt alone: ImageMagick's TIFF
// coder installs process-wide libtiff handlers that abort on the next error Qt's TIFF
// reader meets, and a second decode of a broken file would only double its cost.
QString SniffFormat(const QByteArray& data) {
  using namespace std::string_view_literals;
  static const struct {
    int offset;
    std::string_view magic;
    const char* format;
  } signatures[] = {
      {0, "8BPS"sv, "PSD"},
      {0, "\x59\xA6\x6A\x95"sv, "SUN"},
      {0, "\xFFWPC"sv, "WPG"},
      {2048, "PCD_IPI"sv, "PCD"},
      {0, "srcdocid:"sv, "CALS"},
      {0, "rorient:"sv, "CALS"},
      {0, "version: MIL-STD-1840"sv, "CALS"},
  };
  const std::string_view bytes(data.constData(), static_cast<size_t>(data.size()));
  for (const auto& s : signatures) {
    if (bytes.size() >= s.offset + s.magic.size() &&
        bytes.substr(s.offset, s.magic.size()) == s.magic) {
      return QString::fromLatin1(s.format);
    }
  }
  // PCX: maker byte 10, a known version, run-length encoding.
  if (bytes.size() >= 128 && bytes[0] == '\x0A' &&
      "\0\2\3\4\5"sv.find(bytes[1]) != std::string_view::npos && bytes[2] == 1) {
    return QStringLiteral("PCX");
  }
  return {};
}

// The format to hand to ImageMagick: from the file's suffix, else from its signature.
QString ResolveFormat(const QByteArray& data, const QString& suffix) {
  QString format = MagickFormats().value(suffix);
  if (format.isEmpty()) format = FallbackFormats().value(suffix);
  if (format.isEmpty()) format = SniffFormat(data);
  return format;
}

void PrepareRead(Magick::Image& image, const QString& format, int page) {
  image.magick(format.toStdString());
  image.subImage(page > 0 ? page : 0);
  image.subRange(1);
}

int BitsOfPinged(const Magick::Image& image) {
  if (image.classType() == MagickCore::PseudoClass) {
    return image.colorMapSize() <= 2 ? 1 : (image.colorMapSize() <= 16 ? 4 : 8);
  }
  return image.matte() ? 32 : 24;
}

}  // namespace

namespace {

Q_LOGGING_CATEGORY(lcTiff, "slideshow.imaging.tiff")

void LogTiffMessage(const char* module, const char* format, va_list args) {
  char text[512];
  std::vsnprintf(text, sizeof text, format, args);
  qCDebug(lcTiff) << (module ? module : "") << text;
}

}  // namespace

// ImageMagick's TIFF coder (loaded for CALS and others) installs libtiff handlers and a
// tag extender for the whole process that abort when a TIFF is opened outside its own
// calls, as Qt's TIFF reader does. They are replaced after each ImageMagick call and
// before each of Qt's reads.
void ResetTiffHandlers() {
  TIFFSetErrorHandler(LogTiffMessage);
  TIFFSetWarningHandler(LogTiffMessage);
  TIFFSetErrorHandlerExt(nullptr);
  TIFFSetWarningHandlerExt(nullptr);
  TIFFSetTagExtender(nullptr);
}

bool IsMagickSuffix(const QString& suffix) { return MagickFormats().contains(suffix); }

// Reads (or only pings) the picture in `data` into `image`; false when ImageMagick cannot.
static bool OpenWithMagick(const QByteArray& data, const QString& suffix, int page, bool pingOnly,
                           Magick::Image& image) {
  const QString format = ResolveFormat(data, suffix);
  if (data.isEmpty() || format.isEmpty()) return false;
  struct AfterMagick {
    ~AfterMagick() { ResetTiffHandlers(); }
  } after;
  InitMagick();
  const Magick::Blob blob(data.constData(), static_cast<size_t>(data.size()));
  // A warning (a damaged tail, an unknown tag) still leaves a usable picture.
  const auto attempt = [&](bool ping) {
    try {
      PrepareRead(image, format, page);
      if (ping) {
        image.ping(blob);
      } else {
        image.read(blob);
      }
    } catch (const Magick::Warning&) {
    } catch (const Magick::Exception&) {
      return false;
    }
    return true;
  };
  // The header's size first: a few bytes can declare a picture of gigabytes.
  if (!attempt(true)) return false;
  if (!WithinPixelBound(image.columns(), image.rows(), kMaxDecodedPixels)) return false;
  return pingOnly || attempt(false);
}

QImage ReadWithMagick(const QByteArray& data, const QString& suffix, int page) {
  Magick::Image image;
  if (!OpenWithMagick(data, suffix, page, false, image)) return {};
  try {
    const int w = static_cast<int>(image.columns());
    const int h = static_cast<int>(image.rows());
    if (w <= 0 || h <= 0) return {};
    if (image.colorSpace() == MagickCore::CMYKColorspace ||
        image.colorSpace() == MagickCore::YCCColorspace) {
      image.colorSpace(MagickCore::sRGBColorspace);
    }
    const MagickCore::ImageType type = image.type();
    const bool alpha = image.matte();
    QImage argb(w, h, QImage::Format_ARGB32);
    if (argb.isNull()) return {};
    image.write(0, 0, w, h, kPixelMap, Magick::CharPixel, argb.bits());
    if (alpha) return argb;
    QImage rgb = argb.convertToFormat(QImage::Format_RGB32);
    switch (type) {
      case MagickCore::BilevelType:
        return rgb.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
      case MagickCore::GrayscaleType:
        return rgb.convertToFormat(QImage::Format_Grayscale8);
      case MagickCore::PaletteType: {
        QImage indexed = ToIndexedExact(rgb);
        return indexed.isNull() ? rgb : indexed;
      }
      default:
        return rgb;
    }
  } catch (const Magick::Exception&) {
    return {};
  }
}

bool PingWithMagick(const QByteArray& data, const QString& suffix, int page, ImageFileInfo* info) {
  Magick::Image image;
  if (!OpenWithMagick(data, suffix, page, true, image)) return false;
  try {
    if (image.columns() == 0 || image.rows() == 0) return false;
    info->width = static_cast<int>(image.columns());
    info->height = static_cast<int>(image.rows());
    info->bitsPerPixel = BitsOfPinged(image);
    info->format = QString::fromStdString(image.magick()).toLower();
    return true;
  } catch (const Magick::Exception&) {
    return false;
  }
}

QImage QuantizeToIndexed(const QImage& picture, int colors, bool dither) {
  QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
  QImage exact = ToIndexedExact(rgb);
  if (!exact.isNull() && exact.colorCount() <= colors) return exact;
  InitMagick();
  try {
    const int w = rgb.width();
    const int h = rgb.height();
    Magick::Image image(w, h, kOpaqueMap, Magick::CharPixel, rgb.constBits());
    image.quantizeColors(static_cast<size_t>(colors));
    image.quantizeDither(dither);
    if (dither) image.quantizeDitherMethod(MagickCore::FloydSteinbergDitherMethod);
    image.quantize();
    QImage out(w, h, QImage::Format_ARGB32);
    image.write(0, 0, w, h, kPixelMap, Magick::CharPixel, out.bits());
    QImage indexed = ToIndexedExact(out.convertToFormat(QImage::Format_RGB32));
    if (!indexed.isNull()) return indexed;
  } catch (const Magick::Exception&) {
  }
  // ImageMagick failed: Qt's own reduction is coarser but always works.
  return rgb.convertToFormat(QImage::Format_Indexed8,
                             dither ? Qt::DiffuseDither : Qt::ThresholdDither);
}

QImage ToIndexedExact(const QImage& picture) {
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
  const int w = rgb.width();
  const int h = rgb.height();
  QImage out(w, h, QImage::Format_Indexed8);
  if (out.isNull()) return {};
  QHash<QRgb, int> index;
  QList<QRgb> table;
  for (int y = 0; y < h; ++y) {
    const QRgb* src = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    uchar* dst = out.scanLine(y);
    QRgb last = 0;
    int lastIndex = -1;
    for (int x = 0; x < w; ++x) {
      const QRgb c = src[x] | 0xff000000u;
      if (lastIndex < 0 || c != last) {
        auto it = index.constFind(c);
        if (it == index.constEnd()) {
          if (table.size() == 256) return {};
          it = index.insert(c, static_cast<int>(table.size()));
          table.append(c);
        }
        last = c;
        lastIndex = *it;
      }
      dst[x] = static_cast<uchar>(lastIndex);
    }
  }
  out.setColorTable(table);
  out.setDotsPerMeterX(picture.dotsPerMeterX());
  out.setDotsPerMeterY(picture.dotsPerMeterY());
  return out;
}

}  // namespace platform::imaging_detail

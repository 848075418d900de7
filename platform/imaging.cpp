// The imaging control: loading, depth conversion, turning, resizing and saving.
#include "platform/imaging.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QThreadPool>
#include <QTransform>
#include <cmath>
#include <cstring>

#include "platform/imaging_codecs.h"
#include "platform/vberror.h"
#include "platform/vbfile.h"

namespace platform {
namespace {

using namespace imaging_detail;

// Qt refuses pictures above 128 MB by default; photographs of 40+ megapixels exceed it.
// The pixel bound below keeps decodes under this.
constexpr int kAllocationLimitMb = 512;

[[noreturn]] void ThrowUnreadable(const QString& path) {
  throw VbError(kErrImageFormat, QStringLiteral("Cannot read the picture file: %1").arg(path),
                QStringLiteral("ImagingControl"));
}

void RequireFile(const QString& path) {
  const QFileInfo info(path);
  if (path.isEmpty() || !info.exists() || !info.isFile()) {
    throw VbError(kErrFileNotFound, QStringLiteral("File not found: %1").arg(path),
                  QStringLiteral("ImagingControl"));
  }
}

QByteArray ReadAllBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

// The first bytes of a file, enough to tell its format by its signature.
QByteArray ReadHead(const QString& path, int bytes) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.read(bytes);
}

// The picture's size as the reader tells it from the header; Qt gives a BMP stored top
// down its negative height.
QSize ReaderSize(QImageReader& reader) {
  QSize size = reader.size();
  if (size.height() < 0 && reader.format() == "bmp") size.setHeight(-size.height());
  return size;
}

bool IsPngData(const QByteArray& head) { return head.startsWith("\x89PNG\r\n\x1a\n"); }

bool IsBmpData(const QByteArray& head) { return head.startsWith("BM"); }

bool IsTiffData(const QByteArray& head) {
  return head.startsWith(QByteArrayLiteral("II*\0")) || head.startsWith(QByteArrayLiteral("MM\0*"));
}

int BitsOfFormat(QImage::Format format, int colorCount) {
  switch (format) {
    case QImage::Format_Invalid:
      return 0;
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
      return 1;
    case QImage::Format_Indexed8:
      return colorCount <= 2 ? 1 : (colorCount <= 16 ? 4 : 8);
    case QImage::Format_Grayscale8:
    case QImage::Format_Alpha8:
      return 8;
    case QImage::Format_RGB16:
    case QImage::Format_RGB555:
    case QImage::Format_RGB444:
    case QImage::Format_Grayscale16:
      return 16;
    default:
      return QImage::toPixelFormat(format).alphaUsage() == QPixelFormat::UsesAlpha ? 32 : 24;
  }
}

QImage ReadWithQt(const QString& path, int page) {
  ResetTiffHandlers();
  QImageReader reader(path);
  reader.setAutoTransform(false);  // the callers turn by the EXIF tag themselves
  reader.setAllocationLimit(kAllocationLimitMb);
  if (page > 0 && !reader.jumpToImage(page)) return {};
  // The header's size first: a few bytes can declare a picture of gigabytes.
  const QSize size = reader.size();
  if (size.isValid() && !WithinPixelBound(size.width(), size.height(), kMaxDecodedPixels))
    return {};
  QImage image;
  if (!reader.read(&image)) return {};
  return image;
}

// Reads any supported picture; throws VbError when none of the decoders can.
QImage ReadPicture(const QString& path, int page) {
  RequireFile(path);
  const QString suffix = QFileInfo(path).suffix().toLower();
  QImage image;
  if (IsMagickSuffix(suffix)) {
    image = ReadWithMagick(ReadAllBytes(path), suffix, page);
    if (image.isNull()) image = ReadWithQt(path, page);
  } else {
    image = ReadWithQt(path, page);
    // A picture with a misleading name, or a format only ImageMagick knows.
    if (image.isNull()) image = ReadWithMagick(ReadAllBytes(path), suffix, page);
  }
  if (image.isNull()) ThrowUnreadable(path);
  return image;
}

// The fitted size of w x h within the box, never larger than the picture itself.
QSize FitWithin(int w, int h, int maxWidth, int maxHeight) {
  if (w <= maxWidth && h <= maxHeight) return {w, h};
  const double s = std::min(static_cast<double>(maxWidth) / w, static_cast<double>(maxHeight) / h);
  const int fw = std::clamp(static_cast<int>(std::nearbyint(w * s)), 1, maxWidth);
  const int fh = std::clamp(static_cast<int>(std::nearbyint(h * s)), 1, maxHeight);
  return {fw, fh};
}

// Transparent parts laid over white, the result opaque true colour.
QImage FlattenToRgb32(const QImage& image) {
  if (!image.hasAlphaChannel()) return image.convertToFormat(QImage::Format_RGB32);
  QImage out(image.size(), QImage::Format_RGB32);
  out.fill(Qt::white);
  out.setDotsPerMeterX(image.dotsPerMeterX());
  out.setDotsPerMeterY(image.dotsPerMeterY());
  QPainter painter(&out);
  painter.drawImage(0, 0, image);
  return out;
}

// Quarter turns clockwise, moving pixels exactly (no resampling).
QImage RotateQuarters(const QImage& source, int quarters) {
  QImage src = source;
  if (src.depth() < 8) src = src.convertToFormat(QImage::Format_Indexed8);
  const int w = src.width();
  const int h = src.height();
  const bool swap = quarters % 2 == 1;
  QImage dst(swap ? h : w, swap ? w : h, src.format());
  if (dst.isNull()) throw VbError(kErrInvalidCall, QStringLiteral("Out of memory"));
  dst.setColorTable(src.colorTable());
  dst.setDotsPerMeterX(swap ? src.dotsPerMeterY() : src.dotsPerMeterX());
  dst.setDotsPerMeterY(swap ? src.dotsPerMeterX() : src.dotsPerMeterY());
  const int bpp = src.depth() / 8;
  for (int y = 0; y < h; ++y) {
    const uchar* line = src.constScanLine(y);
    for (int x = 0; x < w; ++x) {
      int dx, dy;
      switch (quarters) {
        case 1:
          dx = h - 1 - y;
          dy = x;
          break;
        case 2:
          dx = w - 1 - x;
          dy = h - 1 - y;
          break;
        default:
          dx = y;
          dy = w - 1 - x;
          break;
      }
      std::memcpy(dst.scanLine(dy) + dx * bpp, line + x * bpp, bpp);
    }
  }
  return dst;
}

}  // namespace

void WarmUpImageDecoders() {
  // Beside the pictures' worker, not in front of it: the first slide need not wait for
  // formats it does not use.
  QThreadPool::globalInstance()->start([] {
    // A tiny picture of each common format, decoded once through the same readers.
    QImage tiny(8, 8, QImage::Format_RGB32);
    tiny.fill(Qt::white);
    for (const char* format : {"jpeg", "png", "tiff", "bmp", "gif"}) {
      QByteArray data;
      QBuffer buffer(&data);
      buffer.open(QIODevice::WriteOnly);
      tiny.save(&buffer, format);
      buffer.close();
      if (format == QByteArrayLiteral("jpeg")) DecodeJpegReduced(data, 1, 1);
      buffer.open(QIODevice::ReadOnly);
      QImageReader reader(&buffer);
      reader.read();
    }
  });
}

QString ImagingControl::ImageVersionText() { return QStringLiteral("ImagingControl 2024"); }

void ImagingControl::RequireImage() const {
  if (image_.isNull()) {
    throw VbError(kErrImageNone, QStringLiteral("No picture is loaded"),
                  QStringLiteral("ImagingControl"));
  }
}

void ImagingControl::LoadImageFile(const QString& path, int bitsPerPixel, int page) {
  QImage image = ReadPicture(path, page);
  image_ = image;
  sourceWidth_ = image.width();
  sourceHeight_ = image.height();
  if (bitsPerPixel != 0) SetColorResolution(bitsPerPixel, 0, 1, 0);
}

void ImagingControl::LoadImageFileScaled(const QString& path, int maxWidth, int maxHeight) {
  if (maxWidth < 1 || maxHeight < 1) {
    throw VbError(kErrInvalidCall, QStringLiteral("Invalid size"),
                  QStringLiteral("ImagingControl"));
  }
  RequireFile(path);
  QImage image;
  int srcW = 0, srcH = 0;
  const QByteArray head = ReadHead(path, 8);
  if (IsJpegData(head)) {
    QImageReader header(path);
    header.setAutoTransform(false);
    const QSize size = header.size();
    if (size.isValid() && !WithinPixelBound(size.width(), size.height(), kMaxReducedJpegPixels))
      ThrowUnreadable(path);
    if (size.isValid()) {
      srcW = size.width();
      srcH = size.height();
      const QSize fit = FitWithin(srcW, srcH, maxWidth, maxHeight);
      if (fit != size) image = DecodeJpegFileReduced(path, fit.width(), fit.height());
    }
  } else if ((IsPngData(head) || IsTiffData(head) || IsBmpData(head)) &&
             !IsMagickSuffix(QFileInfo(path).suffix().toLower())) {
    // Large PNG, TIFF and BMP pictures are reduced band by band instead of decoded whole.
    const bool png = IsPngData(head);
    const bool bmp = IsBmpData(head);
    ResetTiffHandlers();
    QImageReader header(path);
    header.setAutoTransform(false);
    const QSize size = ReaderSize(header);
    if (size.isValid()) {
      srcW = size.width();
      srcH = size.height();
      const QSize fit = FitWithin(srcW, srcH, maxWidth, maxHeight);
      if (fit != size) {
        image = png   ? DecodePngReduced(path, fit.width(), fit.height())
                : bmp ? DecodeBmpReduced(path, fit.width(), fit.height())
                      : DecodeTiffReduced(path, fit.width(), fit.height());
      }
    }
  }
  if (image.isNull()) {
    image = ReadPicture(path, 0);
    srcW = image.width();
    srcH = image.height();
  }
  const QSize fit = FitWithin(srcW, srcH, maxWidth, maxHeight);
  if (image.size() != fit) {
    image = image.scaled(fit, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  image_ = image;
  sourceWidth_ = srcW;
  sourceHeight_ = srcH;
}

ImageFileInfo ImagingControl::QueryImageFile(const QString& path, int page) const {
  RequireFile(path);
  ImageFileInfo info;
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (!IsMagickSuffix(suffix)) {
    ResetTiffHandlers();
    QImageReader reader(path);
    reader.setAutoTransform(false);
    if (page > 0) reader.jumpToImage(page);
    const QSize size = ReaderSize(reader);
    if (reader.canRead() && size.isValid()) {
      info.width = size.width();
      info.height = size.height();
      const QImage::Format format = reader.imageFormat();
      info.bitsPerPixel = format == QImage::Format_Indexed8 ? 8 : BitsOfFormat(format, 256);
      if (info.bitsPerPixel == 0) info.bitsPerPixel = 24;
      info.format = QString::fromLatin1(reader.format()).toLower();
      return info;
    }
  }
  if (!PingWithMagick(ReadAllBytes(path), suffix, page, &info)) {
    // Some formats only tell their size once decoded.
    const QImage image = ReadPicture(path, page);
    info.width = image.width();
    info.height = image.height();
    info.bitsPerPixel = BitsOfFormat(image.format(), image.colorCount());
    info.format = suffix;
  }
  return info;
}

void ImagingControl::ReleaseImage() {
  image_ = QImage();
  sourceWidth_ = 0;
  sourceHeight_ = 0;
}

void ImagingControl::CopyImageFrom(const ImagingControl& other) {
  if (&other == this) return;
  image_ = other.image_;
  sourceWidth_ = other.sourceWidth_;
  sourceHeight_ = other.sourceHeight_;
}

void ImagingControl::SetImagePicture(const QImage& image) {
  image_ = image;
  sourceWidth_ = image.width();
  sourceHeight_ = image.height();
}

int ImagingControl::ImageBitsPerPixel() const {
  return BitsOfFormat(image_.format(), image_.colorCount());
}

void ImagingControl::SetColorResolution(int bits, int paletteKind, int dither, int paletteColors) {
  (void)paletteKind;
  RequireImage();
  const bool diffuse = dither != 0;
  switch (bits) {
    case 24:
      image_ = FlattenToRgb32(image_);
      break;
    case 32:
      image_ = image_.convertToFormat(QImage::Format_ARGB32);
      break;
    case 16:
      image_ = FlattenToRgb32(image_).convertToFormat(QImage::Format_RGB16);
      break;
    case 8:
    case 4: {
      const int limit = bits == 8 ? 256 : 16;
      const int colors = paletteColors >= 2 && paletteColors <= limit ? paletteColors : limit;
      if (bits == 8 && image_.format() == QImage::Format_Grayscale8 && paletteColors == 0) break;
      if (image_.format() == QImage::Format_Indexed8 && !image_.hasAlphaChannel() &&
          image_.colorCount() <= colors) {
        break;
      }
      image_ = QuantizeToIndexed(FlattenToRgb32(image_), colors, diffuse);
      break;
    }
    case 1:
      image_ = FlattenToRgb32(image_).convertToFormat(
          QImage::Format_Mono, Qt::MonoOnly | (diffuse ? Qt::DiffuseDither : Qt::ThresholdDither));
      break;
    default:
      throw VbError(kErrInvalidCall, QStringLiteral("Unsupported bits per pixel: %1").arg(bits),
                    QStringLiteral("ImagingControl"));
  }
}

void ImagingControl::RotateImage(int hundredthsOfDegree, bool resizeCanvas,
                                 const QColor& fillColor) {
  RequireImage();
  int angle = hundredthsOfDegree % 36000;
  if (angle < 0) angle += 36000;
  if (angle == 0) return;
  if (angle % 9000 == 0) {
    const int quarters = angle / 9000;
    const bool square = image_.width() == image_.height();
    if (resizeCanvas || square || quarters == 2) {
      image_ = RotateQuarters(image_, quarters);
      return;
    }
    // A quarter turn that must keep the canvas falls through to the general case.
  }
  const double degrees = angle / 100.0;
  const QImage src = image_.hasAlphaChannel()
                         ? image_.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                         : image_.convertToFormat(QImage::Format_RGB32);
  const int w = src.width();
  const int h = src.height();
  QTransform turn;
  turn.rotate(degrees);
  const QRectF bounds = turn.mapRect(QRectF(0, 0, w, h));
  // The small allowance keeps float noise from adding a column of fill.
  const int nw = resizeCanvas ? std::max(1, static_cast<int>(std::ceil(bounds.width() - 1e-6))) : w;
  const int nh =
      resizeCanvas ? std::max(1, static_cast<int>(std::ceil(bounds.height() - 1e-6))) : h;
  QImage dst(nw, nh, src.format());
  if (dst.isNull()) throw VbError(kErrInvalidCall, QStringLiteral("Out of memory"));
  dst.setDotsPerMeterX(src.dotsPerMeterX());
  dst.setDotsPerMeterY(src.dotsPerMeterY());
  dst.fill(fillColor);
  QPainter painter(&dst);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.translate(nw / 2.0, nh / 2.0);
  painter.rotate(degrees);
  painter.drawImage(QPointF(-w / 2.0, -h / 2.0), src);
  painter.end();
  image_ = dst;
}

void ImagingControl::ResizeImage(int width, int height, int mode) {
  RequireImage();
  if (width < 1 || height < 1) {
    throw VbError(kErrInvalidCall, QStringLiteral("Invalid size %1 x %2").arg(width).arg(height),
                  QStringLiteral("ImagingControl"));
  }
  if (width == image_.width() && height == image_.height()) return;
  QImage scaled = image_.scaled(width, height, Qt::IgnoreAspectRatio,
                                mode == 0 ? Qt::SmoothTransformation : Qt::FastTransformation);
  if (scaled.isNull()) throw VbError(kErrInvalidCall, QStringLiteral("Out of memory"));
  image_ = scaled;
}

int ImagingControl::SaveImageFile(const QString& path, int format, int bits, int quality,
                                  bool multiPage) const {
  (void)multiPage;
  if (image_.isNull()) return kErrImageNone;
  const char* writerFormat = nullptr;
  int depth = bits;
  switch (format) {
    case kImageFileBmp:
      writerFormat = "bmp";
      if (depth == 0) depth = 24;
      break;
    case kImageFileJpeg:
      writerFormat = "jpeg";
      depth = depth == 8 ? 8 : 24;
      break;
    case kImageFilePng:
      writerFormat = "png";
      break;
    default:
      return kErrInvalidCall;
  }
  ImagingControl converted(*this);
  try {
    if (format == kImageFileJpeg && depth == 8) {
      converted.GrayscaleImage();
    } else if (depth != 0) {
      converted.SetColorResolution(depth, 0, 1, 0);
    }
  } catch (const VbError& e) {
    return e.Number();
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return kErrPathFileAccess;
  QImageWriter writer(&file, writerFormat);
  if (format == kImageFileJpeg) {
    // A compression factor: 2 keeps nearly everything, larger numbers shrink the file.
    writer.setQuality(quality <= 0 ? 90 : std::clamp(100 - quality, 1, 100));
  }
  if (!writer.write(converted.image_)) {
    file.cancelWriting();
    return kErrPathFileAccess;
  }
  if (!CommitSaveFile(file)) return kErrDeviceIo;
  return 0;
}

}  // namespace platform

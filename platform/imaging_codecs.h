#pragma once
// Inside of the imaging control: the decoders and colour tools it uses beside Qt's own.
// Only imaging*.cpp and jpegscale.cpp include this.
#include <QByteArray>
#include <QImage>
#include <QString>

#include "platform/imaging.h"

namespace platform::imaging_detail {

// The largest picture decoded whole: a show of 1920 x 1080 has no use for more, and a
// file of a few bytes can declare far more.
constexpr long long kMaxDecodedPixels = 100'000'000;
// JPEGs are decoded at down to 1/8 of each side for a show: 64 times as many.
constexpr long long kMaxReducedJpegPixels = 64 * kMaxDecodedPixels;

inline bool WithinPixelBound(long long width, long long height, long long bound) {
  return width > 0 && height > 0 && width * height <= bound;
}

// Puts libtiff's process-wide handlers back into a state safe for Qt's TIFF reader.
void ResetTiffHandlers();

// True for file name suffixes (lower case) that ImageMagick reads better than Qt.
bool IsMagickSuffix(const QString& suffix);

// Decodes with ImageMagick. suffix (the file's, lower case) names the format for those
// without a signature; any other suffix lets ImageMagick decide from the content. A warning still
// yields the picture. Returns a null image when ImageMagick cannot read it.
QImage ReadWithMagick(const QByteArray& data, const QString& suffix, int page);

// Size, depth and format without decoding; false when ImageMagick cannot read it.
bool PingWithMagick(const QByteArray& data, const QString& suffix, int page, ImageFileInfo* info);

// Reduces an opaque picture to at most `colors` colours with an optimised palette.
QImage QuantizeToIndexed(const QImage& picture, int colors, bool dither);

// An 8-bit palette picture with exactly the colours of `picture` (null if more than 256).
QImage ToIndexedExact(const QImage& picture);

// JPEG data starts with the SOI marker and a segment marker.
bool IsJpegData(const QByteArray& data);

// Decodes a JPEG at the smallest DCT scale whose result is still at least
// minWidth x minHeight. Truncated data gives what could be decoded. Null when the data
// is not a JPEG that TurboJPEG decodes to RGB or grey (CMYK is left to Qt).
QImage DecodeJpegReduced(const QByteArray& data, int minWidth, int minHeight);

// The same straight from the file, so that its bytes are never all in memory at once.
// Big-endian hosts are not supported (the pixels come as B G R X).
QImage DecodeJpegFileReduced(const QString& path, int minWidth, int minHeight);

// Decodes a PNG (an interlaced one pass by pass), a TIFF or an uncompressed 24- or 32-bit
// BMP a band of rows at a time, averaging blocks of k x k pixels with the largest whole k
// whose result still covers minWidth x minHeight; transparent parts are laid over white.
// Null when the file is not of that format, when no reduction of at least 2 covers the
// size, or on any fault: the caller then decodes the picture whole.
QImage DecodePngReduced(const QString& path, int minWidth, int minHeight);
QImage DecodeTiffReduced(const QString& path, int minWidth, int minHeight);
QImage DecodeBmpReduced(const QString& path, int minWidth, int minHeight);

}  // namespace platform::imaging_detail

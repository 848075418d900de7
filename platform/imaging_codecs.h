#pragma once
// Inside of the imaging control: the decoders and colour tools it uses beside Qt's own.
// Only imaging*.cpp and jpegscale.cpp include this.
#include <QByteArray>
#include <QImage>
#include <QString>

#include "platform/imaging.h"

namespace platform::imaging_detail {

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

}  // namespace platform::imaging_detail

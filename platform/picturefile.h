#pragma once
// The system's own picture loader and saver (the original's LoadPicture and SavePicture):
// JPEG, Windows bitmap and GIF files only, whatever their names say; every other format
// is the imaging control's business.
#include <QImage>
#include <QSize>
#include <QString>

namespace platform {

// Errors raised by LoadPicture (VbError numbers); a missing file raises 53.
constexpr int kErrInvalidPicture = 481;

// Reads a JPEG, bitmap or GIF file, without any EXIF turn. With a non-empty `box` a picture
// larger than the box is decoded reduced (a JPEG at a reduced DCT scale) and fitted within
// it, never enlarged. `natural` receives the file's own size. Throws VbError 53 for a
// missing file and kErrInvalidPicture for one of another format or one that cannot be
// decoded.
QImage LoadPicture(const QString& path, QSize box = {}, QSize* natural = nullptr);

// Writes the picture as a 24-bit Windows bitmap through a temporary file renamed over the
// old one. False (the old file kept) when that fails or the picture is empty.
bool SavePicture(const QImage& picture, const QString& path);

}  // namespace platform

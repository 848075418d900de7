#pragma once
// A small reader of the EXIF orientation tag (0x0112): JPEG files with an APP1 "Exif"
// segment and TIFF files, in either byte order.
#include <QByteArray>
#include <QString>

namespace platform {

constexpr int kExifOrientationTag = 0x0112;

// The orientation value of the file (normally 1..8), or 0 when the file is missing,
// unreadable, neither JPEG nor TIFF, or has no orientation tag of type SHORT.
int ReadExifOrientation(const QString& path);

// The orientation value in a TIFF structure held in memory (an Exif segment's body
// after "Exif\0\0"), or 0 when it has none or is malformed.
int ReadTiffOrientation(const QByteArray& tiff);

// Start and stop of the reader, bracketing the program's run. The reader works without
// them; they keep the program's start-up and shutdown order visible. StartExifReader
// returns a token (never 0) that StopExifReader takes back.
int StartExifReader();
void StopExifReader(int token);
bool ExifReaderStarted();

}  // namespace platform

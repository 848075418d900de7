#pragma once
// The cut-out point file: the outline of a cut-out picture button. The cut-out window
// writes and reads it, and the show-screen buttons cut a button to it; all of them go
// through the reader and the writer here, so they agree on every byte.
//
// Format (code page 932, CR LF after every line, the last one included):
//   KVZ_PICTYPE_DATA
//    120, 45        one point a line: x "," y, each with a sign position
//   ...
#include <QByteArray>
#include <QPolygon>
#include <QString>

namespace core {

// The readers take at most this many points; the window plots no more.
inline constexpr int kMaxCutoutPoints = 5000;

// "KVZ_PICTYPE_DATA".
QString CutoutPointTag();

struct CutoutPoints {
  bool opened = false;  // the file existed and could be opened
  bool tagged = false;  // its first field, trimmed, is the tag
  QPolygon points;      // in file order, at most kMaxCutoutPoints
  // Bounding box of the points (9999, 9999, 0, 0 before the first; comparisons strict).
  short left = 9999, top = 9999, right = 0, bottom = 0;
};

// Reads a point file: the first field (up to a comma or the line end) must be the tag;
// then items until the end of the file, an item empty after trimming being skipped, x the
// numeric value of the item rounded to a 16-bit integer (halves to even), y the next item
// read as a 16-bit integer. A number that does not fit keeps the value before it, as the
// statement is skipped; a read that fails ends the reading. Never throws.
CutoutPoints ReadCutoutPointFile(const QString& path, int maxPoints = kMaxCutoutPoints);

// A number with its sign position and nothing after it: " 120", " 0", "-3".
QString SignedNumberText(long long value);

// The whole file for these points.
QByteArray CutoutPointFileBytes(const QPolygon& points);

// Writes the file through a temporary file renamed over the old one. False (the old file
// left as it was, the failure logged) when that fails.
bool WriteCutoutPointFile(const QString& path, const QPolygon& points);

// The picture path the linked files go by: the path itself, or the linked-files folder
// and its file name when LinkedFilesInFolder is 1.
QString LinkedPicturePath(const QString& picturePath);

// The point file of a picture-button slot: LinkedPicturePath less its last four
// characters, "_Pb", the slot with at least two digits, ".dat" (cat.jpg, 5: cat_Pb05.dat).
QString CutoutPointFilePath(const QString& picturePath, int slot);

}  // namespace core

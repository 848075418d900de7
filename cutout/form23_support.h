#pragma once
// What the cut-out window's files share: names of the prepared copies, the fitted size,
// the scaling of an outline, and the guard around every handler Qt calls.
#include <QPointF>
#include <QSize>
#include <QString>
#include <exception>
#include <vector>

#include "platform/vberror.h"

namespace cutout {

// The window's design caption; the point file's path follows it after a "-".
inline QString WindowCaption() { return QStringLiteral("画像切取マクロ生成"); }

// Runs a handler; an error it lets through is logged, never passed into Qt's event loop.
template <class F>
void Guarded(const char* what, F&& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    platform::LogSwallowed(what, e);
  }
}

// The path with the extension of its file name (from its last ".") replaced by `extension`,
// or `extension` added when the name has none: "x.jpeg" -> "x.jpg", not "x..jpg".
QString ReplaceExtension(const QString& path, const QString& extension);
// The JPEG copy of a picture of another format, beside it or in the linked-files folder.
QString ConvertedCopyName(const QString& picturePath);
// The copy fitted into 1280 x 720: "_S.jpg" in place of the extension, beside the picture or
// in the linked-files folder.
QString FittedCopyName(const QString& picturePath);
// The size of a w x h picture scaled until it touches the 1280 x 720 box (also upwards),
// halves to even, never below 1 pixel.
QSize FittedSize(int w, int h);
// True unless the picture's name ends in BMP or JPG (any case).
bool NeedsConversion(const QString& picturePath);

// Each point moved away from (or towards) the centre of the points' bounding box by
// `factor`. A box under 20 pixels both ways is not shrunk: the factor becomes 1.
std::vector<QPointF> ScalePoints(const std::vector<QPointF>& points, float& factor);

}  // namespace cutout

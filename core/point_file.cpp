// The one reader and the one writer of cut-out point files.
#include "core/point_file.h"

#include <QLoggingCategory>
#include <algorithm>

#include "core/common.h"
#include "core/state.h"
#include "platform/vberror.h"
#include "platform/vbfile.h"

namespace core {

namespace {
Q_LOGGING_CATEGORY(lcPointFile, "slideshow.pointfile")
}  // namespace

QString CutoutPointTag() { return QStringLiteral("KVZ_PICTYPE_DATA"); }

CutoutPoints ReadCutoutPointFile(const QString& path, int maxPoints) {
  CutoutPoints result;
  platform::VbFile file;
  try {
    file.Open(path, platform::FileMode::Input);
    result.opened = true;
    if (file.Eof() || file.InputString().trimmed() != CutoutPointTag()) {
      qCInfo(lcPointFile) << "not a cut-out point file:" << path;
      return result;
    }
  } catch (const std::exception& e) {
    qCWarning(lcPointFile) << "cut-out point file not read:" << path << "-" << e.what();
    return result;
  }
  result.tagged = true;
  short x = 0, y = 0;
  while (result.points.size() < maxPoints && !file.Eof()) {
    QString item;
    try {
      item = file.InputString();
    } catch (const std::exception& e) {
      qCWarning(lcPointFile) << "cut-out point file read stopped:" << path << "-" << e.what();
      break;
    }
    if (item.trimmed().isEmpty()) continue;
    try {
      x = platform::CInt(SafeVal(item));
    } catch (const std::exception& e) {
      platform::LogSwallowed("cut-out point x", e);
    }
    try {
      y = file.InputInteger();
    } catch (const std::exception& e) {
      platform::LogSwallowed("cut-out point y", e);
    }
    result.points << QPoint(x, y);
    if (x < result.left) result.left = x;
    if (y < result.top) result.top = y;
    if (x > result.right) result.right = x;
    if (y > result.bottom) result.bottom = y;
  }
  return result;
}

QString SignedNumberText(long long value) {
  return (value < 0 ? QString() : QStringLiteral(" ")) + QString::number(value);
}

QByteArray CutoutPointFileBytes(const QPolygon& points) {
  QByteArray bytes = CutoutPointTag().toLatin1() + "\r\n";
  for (const QPoint& p : points) {
    bytes += SignedNumberText(p.x()).toLatin1();
    bytes += ',';
    bytes += SignedNumberText(p.y()).toLatin1();
    bytes += "\r\n";
  }
  return bytes;
}

bool WriteCutoutPointFile(const QString& path, const QPolygon& points) {
  if (platform::SaveFileAtomically(path, CutoutPointFileBytes(points))) return true;
  qCWarning(lcPointFile) << "cut-out point file not saved, the old one kept:" << path;
  return false;
}

QString LinkedPicturePath(const QString& picturePath) {
  const PathState& paths = Paths();
  if (paths.LinkedFilesInFolder != 1) return picturePath;
  return paths.LinkedFilesFolder + u'/' + GetFileNameOfPath(picturePath);
}

QString CutoutPointFilePath(const QString& picturePath, int slot) {
  const QString linked = LinkedPicturePath(picturePath);
  return linked.left(std::max<qsizetype>(0, linked.size() - 4)) +
         QStringLiteral("_Pb%1.dat").arg(slot, 2, 10, QChar(u'0'));
}

}  // namespace core

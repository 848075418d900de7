#include "platform/picturefile.h"

#include <QFile>
#include <QFileInfo>

#include "platform/imaging.h"
#include "platform/vberror.h"

namespace platform {

namespace {

// JPEG, Windows bitmap or GIF, by the file's first bytes.
bool SystemLoaderReads(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray head = file.read(4);
  if (head.startsWith("\xFF\xD8")) return true;
  if (head.startsWith("BM")) return true;
  return head.startsWith("GIF8");
}

[[noreturn]] void ThrowInvalid(const QString& path) {
  throw VbError(kErrInvalidPicture, QStringLiteral("Invalid picture: %1").arg(path),
                QStringLiteral("LoadPicture"));
}

}  // namespace

QImage LoadPicture(const QString& path, QSize box, QSize* natural) {
  const QFileInfo info(path);
  if (path.isEmpty() || !info.isFile()) {
    throw VbError(kErrFileNotFound, QStringLiteral("File not found: %1").arg(path),
                  QStringLiteral("LoadPicture"));
  }
  if (!SystemLoaderReads(path)) ThrowInvalid(path);
  ImagingControl loader;
  try {
    if (box.width() > 0 && box.height() > 0) {
      loader.LoadImageFileScaled(path, box.width(), box.height());
    } else {
      loader.LoadImageFile(path, 0, 0);
    }
  } catch (const VbError& e) {
    if (e.Number() == kErrFileNotFound) throw;
    ThrowInvalid(path);
  }
  if (natural) *natural = QSize(loader.SourceWidth(), loader.SourceHeight());
  return loader.ImagePicture();
}

bool SavePicture(const QImage& picture, const QString& path) {
  if (picture.isNull()) return false;
  ImagingControl saver;
  saver.SetImagePicture(picture);
  try {
    return saver.SaveImageFile(path, kImageFileBmp, 24, 0, false) == 0;
  } catch (const std::exception& e) {
    LogSwallowed("SavePicture", e);
    return false;
  }
}

}  // namespace platform

#include "platform/filelookup.h"

#include <QFileInfo>

namespace platform {

FileLookup LookUpFile(const QString& path) {
  if (path.trimmed().isEmpty()) return FileLookup::kMissing;
  const QFileInfo file(path);
  if (file.isFile()) return FileLookup::kFound;
  if (file.exists()) return FileLookup::kMissing;  // a folder or a device, no picture
  // A folder that is gone (an unmounted disk's mount point) or shut says nothing about
  // the file.
  const QFileInfo folder(file.absolutePath());
  if (folder.isDir() && folder.isExecutable()) return FileLookup::kMissing;
  return FileLookup::kUnknown;
}

}  // namespace platform

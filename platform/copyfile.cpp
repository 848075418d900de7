#include "platform/copyfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "platform/vbfile.h"

namespace platform {

bool CopyFileA(const QString& source, const QString& target, bool failIfExists) {
  if (source.isEmpty() || target.isEmpty()) return false;
  if (failIfExists && QFileInfo::exists(target)) return false;
  QFile in(source);
  if (!QFileInfo(source).isFile() || !in.open(QIODevice::ReadOnly)) return false;
  QSaveFile out(target);
  if (!out.open(QIODevice::WriteOnly)) return false;
  QByteArray chunk;
  while (!(chunk = in.read(1 << 20)).isEmpty()) {
    if (out.write(chunk) != chunk.size()) {
      out.cancelWriting();
      return false;
    }
  }
  if (in.error() != QFileDevice::NoError) {
    out.cancelWriting();
    return false;
  }
  return CommitSaveFile(out);
}

}  // namespace platform

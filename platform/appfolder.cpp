#include "platform/appfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStandardPaths>

namespace platform {

QString AppFolderPath() {
  QString base = qEnvironmentVariable("XDG_DATA_HOME");
  if (base.isEmpty()) base = QDir::homePath() + "/.local/share";
  QString path = base + "/slideshow/";
  QDir().mkpath(path);
  return path;
}

void InstallShippedFiles() {
  const QString from = QCoreApplication::applicationDirPath() + "/resources";
  const QString to = AppFolderPath();
  QDirIterator it(from, QDir::Files);
  while (it.hasNext()) {
    it.next();
    const QString dest = to + it.fileName();
    if (!QFile::exists(dest)) QFile::copy(it.filePath(), dest);
  }
}

}  // namespace platform

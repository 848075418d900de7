#include "platform/startprogram.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace platform {

QStringList SplitCommandLine(const QString& commandLine) {
  return QProcess::splitCommand(commandLine);
}

bool StartProgram(const QString& commandLine, const QString& folder) {
  QStringList args = SplitCommandLine(commandLine);
  if (args.isEmpty()) return false;
  QString program = args.takeFirst();
  if (program.isEmpty()) return false;
  const bool folderExists = !folder.isEmpty() && QFileInfo(folder).isDir();
  if (!program.contains(QLatin1Char('/')) && folderExists) {
    const QString beside = QDir(folder).filePath(program);
    if (QFileInfo(beside).isFile()) program = beside;
  }
  return QProcess::startDetached(program, args, folderExists ? folder : QString());
}

}  // namespace platform

#include "platform/filecopy.h"

#include <errno.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSaveFile>

#include "platform/vbfile.h"

namespace platform {

namespace {

Q_LOGGING_CATEGORY(lcFileCopy, "slideshow.filecopy")

QByteArray Native(const QString& path) { return QFile::encodeName(path); }

QString ErrnoText(int error) { return QString::fromLocal8Bit(strerror(error)); }

void Say(QString* why, const QString& text) {
  if (why) *why = text;
  qCWarning(lcFileCopy, "%s", qUtf8Printable(text));
}

// The folder a path names a file in (the path itself when it has no separator: ".").
QString FolderOf(const QString& path) {
  const QString folder = QFileInfo(path).absolutePath();
  return folder.isEmpty() ? QStringLiteral(".") : folder;
}

constexpr qint64 kChunk = 1 << 20;

}  // namespace

bool IsSameFile(const QString& a, const QString& b) {
  if (a.isEmpty() || b.isEmpty()) return false;
  struct stat sa {
  }, sb{};
  if (stat(Native(a).constData(), &sa) != 0) return false;
  if (stat(Native(b).constData(), &sb) != 0) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool FolderWritable(const QString& folder) {
  struct stat st {};
  const QByteArray native = Native(folder.isEmpty() ? QStringLiteral(".") : folder);
  if (stat(native.constData(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  // access() also reports a read-only mount for a privileged user.
  return access(native.constData(), W_OK | X_OK) == 0;
}

int CopyFileReplacing(const QString& source, const QString& target, QString* why) {
  if (source.isEmpty() || target.isEmpty()) {
    Say(why, QStringLiteral("copy: no file named"));
    return 0;
  }
  if (IsSameFile(source, target)) {
    Say(why, QStringLiteral("copy: %1 is the source itself").arg(target));
    return 0;
  }
  QFile in(source);
  if (!in.open(QIODevice::ReadOnly)) {
    Say(why, QStringLiteral("copy: cannot read %1: %2").arg(source, in.errorString()));
    return 0;
  }
  const qint64 expected = in.size();
  if (QFileInfo(target).isDir()) {
    Say(why, QStringLiteral("copy: %1 is a folder").arg(target));
    return 0;
  }
  QSaveFile out(target);
  if (!out.open(QIODevice::WriteOnly)) {
    Say(why,
        QStringLiteral("copy: cannot write in %1: %2").arg(FolderOf(target), out.errorString()));
    return 0;
  }
  qint64 copied = 0;
  QByteArray chunk;
  for (;;) {
    chunk = in.read(kChunk);
    if (chunk.isEmpty()) break;
    if (out.write(chunk) != chunk.size()) {
      Say(why, QStringLiteral("copy: writing %1 failed: %2").arg(target, out.errorString()));
      out.cancelWriting();
      return 0;
    }
    copied += chunk.size();
  }
  if (in.error() != QFileDevice::NoError) {
    Say(why, QStringLiteral("copy: reading %1 failed: %2").arg(source, in.errorString()));
    out.cancelWriting();
    return 0;
  }
  // The size on disk of the new file, after the last buffered bytes went out, must be the
  // source's before the new file may take the target's name.
  if (!out.flush() || out.error() != QFileDevice::NoError || copied != expected ||
      out.size() != expected) {
    Say(why, QStringLiteral("copy: %1 is incomplete (%2 of %3 bytes)")
                 .arg(target)
                 .arg(out.size())
                 .arg(expected));
    out.cancelWriting();
    return 0;
  }
  if (!CommitSaveFile(out)) {
    Say(why, QStringLiteral("copy: %1 could not be put in place").arg(target));
    return 0;
  }
  // A copy keeps the source's permissions, as the system's copy does.
  if (!QFile::setPermissions(target, in.permissions()))
    qCInfo(lcFileCopy, "copy: permissions of %s not set", qUtf8Printable(target));
  return 1;
}

MoveOutcome MoveFileReplacing(const QString& source, const QString& target, QString* why) {
  if (source.isEmpty() || target.isEmpty() || !QFileInfo::exists(source)) {
    Say(why, QStringLiteral("move: %1 does not exist").arg(source));
    return MoveOutcome::kFailed;
  }
  if (IsSameFile(source, target)) {
    Say(why, QStringLiteral("move: %1 is the source itself").arg(target));
    return MoveOutcome::kFailed;
  }
  if (!FolderWritable(FolderOf(source))) {
    Say(why, QStringLiteral("move: %1 cannot be removed from its folder").arg(source));
    return MoveOutcome::kFailed;
  }
  if (QFileInfo(target).isDir()) {
    Say(why, QStringLiteral("move: %1 is a folder").arg(target));
    return MoveOutcome::kFailed;
  }
  if (rename(Native(source).constData(), Native(target).constData()) == 0)
    return MoveOutcome::kMoved;
  const int error = errno;
  if (error != EXDEV) {
    Say(why, QStringLiteral("move: %1: %2").arg(target, ErrnoText(error)));
    return MoveOutcome::kFailed;
  }
  // Another file system: the copy must be complete before the source goes.
  if (CopyFileReplacing(source, target, why) != 1) return MoveOutcome::kFailed;
  if (unlink(Native(source).constData()) != 0) {
    Say(why, QStringLiteral("move: %1 copied, but it could not be deleted: %2")
                 .arg(source, ErrnoText(errno)));
    return MoveOutcome::kCopiedSourceKept;
  }
  return MoveOutcome::kMoved;
}

}  // namespace platform

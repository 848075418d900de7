#include "platform/wallpaper.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <optional>

namespace platform {

namespace {

Q_LOGGING_CATEGORY(lcWallpaper, "slideshow.wallpaper")

constexpr int kToolTimeoutMs = 15000;

// Runs the tool and waits for it; its standard output, or nothing when it failed.
std::optional<QByteArray> Run(const QString& program, const QStringList& arguments) {
  const QString found = QStandardPaths::findExecutable(program);
  if (found.isEmpty()) return std::nullopt;
  QProcess process;
  process.start(found, arguments);
  if (!process.waitForStarted(kToolTimeoutMs) || !process.waitForFinished(kToolTimeoutMs)) {
    qCWarning(lcWallpaper, "%s did not finish", qUtf8Printable(program));
    process.kill();
    process.waitForFinished(1000);
    return std::nullopt;
  }
  if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
    qCWarning(lcWallpaper, "%s %s failed: %s", qUtf8Printable(program),
              qUtf8Printable(arguments.join(u' ')), process.readAllStandardError().constData());
    return std::nullopt;
  }
  return process.readAllStandardOutput();
}

bool Gnome(const QString& schema, const QString& path) {
  const QString uri = QUrl::fromLocalFile(path).toString();
  if (!Run(QStringLiteral("gsettings"),
           {QStringLiteral("set"), schema, QStringLiteral("picture-uri"), uri}))
    return false;
  // The dark-style key exists from GNOME 42 on; older desktops refuse it, which is no failure.
  Run(QStringLiteral("gsettings"),
      {QStringLiteral("set"), schema, QStringLiteral("picture-uri-dark"), uri});
  return true;
}

bool Mate(const QString& path) {
  return Run(QStringLiteral("gsettings"),
             {QStringLiteral("set"), QStringLiteral("org.mate.background"),
              QStringLiteral("picture-filename"), path})
      .has_value();
}

// Every monitor and workspace of the Xfce desktop has a "last-image" property of its own.
bool Xfce(const QString& path) {
  const QString channel = QStringLiteral("xfce4-desktop");
  const auto listed =
      Run(QStringLiteral("xfconf-query"), {QStringLiteral("-c"), channel, QStringLiteral("-l")});
  if (!listed) return false;
  bool any = false;
  for (const QByteArray& line : listed->split('\n')) {
    const QString property = QString::fromUtf8(line.trimmed());
    if (!property.endsWith(QStringLiteral("/last-image"))) continue;
    if (Run(QStringLiteral("xfconf-query"), {QStringLiteral("-c"), channel, QStringLiteral("-p"),
                                             property, QStringLiteral("-s"), path}))
      any = true;
  }
  return any;
}

bool Plasma(const QString& path) {
  return Run(QStringLiteral("plasma-apply-wallpaperimage"), {path}).has_value();
}

bool Lxde(const QString& path) {
  return Run(QStringLiteral("pcmanfm"), {QStringLiteral("--set-wallpaper"), path}).has_value();
}

// The tool of a desktop named in XDG_CURRENT_DESKTOP; nullopt for a desktop not known here.
std::optional<bool> SetForDesktop(const QString& desktop, const QString& path) {
  const QString d = desktop.toUpper();
  if (d == u"GNOME" || d == u"UNITY" || d == u"BUDGIE" || d == u"PANTHEON" || d == u"UBUNTU" ||
      d == u"POP")
    return Gnome(QStringLiteral("org.gnome.desktop.background"), path);
  if (d == u"X-CINNAMON" || d == u"CINNAMON")
    return Gnome(QStringLiteral("org.cinnamon.desktop.background"), path);
  if (d == u"MATE") return Mate(path);
  if (d == u"XFCE") return Xfce(path);
  if (d == u"KDE") return Plasma(path);
  if (d == u"LXDE") return Lxde(path);
  return std::nullopt;
}

// The desktop whose own process runs, for a session that does not name its desktop: the
// process names as the kernel lists them, matched against each desktop's shell.
std::optional<QString> RunningDesktop() {
  static const struct {
    const char* process;
    const char* desktop;
    const char* tool;
  } shells[] = {{"plasmashell", "KDE", "plasma-apply-wallpaperimage"},
                {"xfdesktop", "XFCE", "xfconf-query"},
                {"gnome-shell", "GNOME", "gsettings"},
                {"cinnamon", "X-Cinnamon", "gsettings"},
                {"budgie-panel", "Budgie", "gsettings"},
                {"mate-panel", "MATE", "gsettings"},
                {"lxpanel", "LXDE", "pcmanfm"}};
  const QStringList pids =
      QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  QStringList running;
  for (const QString& pid : pids) {
    bool number = false;
    pid.toInt(&number);
    if (!number) continue;
    QFile comm(QStringLiteral("/proc/") + pid + QStringLiteral("/comm"));
    if (comm.open(QIODevice::ReadOnly)) running << QString::fromUtf8(comm.readAll().trimmed());
  }
  // A running shell whose tool is not installed gives way to the tools that are.
  for (const auto& shell : shells)
    if (running.contains(QLatin1String(shell.process)) &&
        !QStandardPaths::findExecutable(QString::fromLatin1(shell.tool)).isEmpty())
      return QString::fromLatin1(shell.desktop);
  return std::nullopt;
}

bool Present(const char* tool) {
  return !QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty();
}

}  // namespace

int SetWallpaper(const QString& picturePath, bool permanent) {
  Q_UNUSED(permanent);
  const QString path = QFileInfo(picturePath).absoluteFilePath();
  if (picturePath.isEmpty() || !QFileInfo(path).isFile()) return 0;
  const QStringList desktops =
      qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':', Qt::SkipEmptyParts);
  for (const QString& desktop : desktops) {
    if (const std::optional<bool> done = SetForDesktop(desktop, path)) return *done ? 1 : 0;
  }
  // A session that names no known desktop: the desktop running, else the first tool present.
  if (const std::optional<QString> running = RunningDesktop()) {
    if (const std::optional<bool> done = SetForDesktop(*running, path)) return *done ? 1 : 0;
  }
  if (Present("plasma-apply-wallpaperimage")) return Plasma(path) ? 1 : 0;
  if (Present("xfconf-query")) return Xfce(path) ? 1 : 0;
  if (Present("pcmanfm")) return Lxde(path) ? 1 : 0;
  if (Present("gsettings"))
    return Gnome(QStringLiteral("org.gnome.desktop.background"), path) ? 1 : 0;
  qCWarning(lcWallpaper, "no wallpaper tool of this desktop was found");
  return 0;
}

}  // namespace platform

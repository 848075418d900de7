#pragma once
// The end-to-end tests' desktop: a virtual X server, and the environment that starts the
// real program on it with a data folder of the test's own.
#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <initializer_list>

namespace test_support {

// How long the other process may take before the test counts it as hung. Generous: a
// sanitized build starting on a loaded two-core machine needs well over 20 seconds.
constexpr int kHangMs = 180000;

// Polls every 50 ms until `done` holds; false when `ms` pass first. No events run: what is
// waited for happens in other processes.
inline bool PollUntil(const std::function<bool()>& done, int ms) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > ms) return false;
    QThread::msleep(50);
  }
  return true;
}

// A virtual X server of one screen on a display it picks itself (-displayfd writes the
// number); stopped when the object goes.
class VirtualDisplay {
 public:
  static constexpr int kWidth = 1280;
  static constexpr int kHeight = 1024;

  bool Start() {
    server_.start(QStringLiteral("Xvfb"),
                  {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                   QStringLiteral("0"), QStringLiteral("%1x%2x24").arg(kWidth).arg(kHeight),
                   QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!server_.waitForStarted(5000)) return false;
    QByteArray out;
    const bool ready = PollUntil(
        [&] {
          server_.waitForReadyRead(20);
          out += server_.readAllStandardOutput();
          return out.contains('\n') || server_.state() != QProcess::Running;
        },
        15000);
    bool ok = false;
    const int number = out.trimmed().toInt(&ok);
    if (!ready || !ok || server_.state() != QProcess::Running) return false;
    display_ = QStringLiteral(":%1").arg(number);
    return true;
  }
  ~VirtualDisplay() {
    if (wm_.state() != QProcess::NotRunning) {
      wm_.kill();
      wm_.waitForFinished(2000);
    }
    if (server_.state() != QProcess::NotRunning) {
      server_.terminate();
      if (!server_.waitForFinished(5000)) server_.kill();
      server_.waitForFinished(1000);
    }
  }
  const QString& Display() const { return display_; }

  // A window manager on the display, as on a desktop: windows are shown some time before
  // they are mapped and exposed. False when none could start.
  bool StartWindowManager() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    wm_.setProcessEnvironment(env);
    wm_.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    if (!wm_.waitForStarted(5000)) return false;
    // Ready once it has announced itself on the root window.
    return PollUntil(
        [&] {
          QProcess prop;
          prop.setProcessEnvironment(env);
          prop.start(QStringLiteral("xprop"),
                     {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")});
          prop.waitForFinished(5000);
          return prop.readAllStandardOutput().contains("window id");
        },
        15000);
  }

  // The whole screen now; a null image when it could not be taken.
  QImage Screenshot(const QString& path) const {
    QProcess import;
    import.start(QStringLiteral("import"),
                 {QStringLiteral("-display"), display_, QStringLiteral("-window"),
                  QStringLiteral("root"), path});
    if (!import.waitForFinished(20000) || import.exitCode() != 0) return {};
    return QImage(path);
  }

 private:
  QProcess server_;
  QProcess wm_;
  QString display_;
};

// The first of `tools` that is not installed; null when all are.
inline const char* MissingTool(std::initializer_list<const char*> tools) {
  for (const char* tool : tools)
    if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) return tool;
  return nullptr;
}

// The program's own folder under a test's data folder, made; empty when it could not be.
inline QString AppFolderIn(const QTemporaryDir& dataHome) {
  if (!dataHome.isValid()) return {};
  const QString folder = dataHome.path() + QStringLiteral("/slideshow/");
  return QDir().mkpath(folder) ? folder : QString();
}

// Starts the program `binary` with `args` in `env`, its errors passed through.
inline bool StartProgram(QProcess& program, const QString& binary, const QProcessEnvironment& env,
                         const QStringList& args) {
  program.setProcessEnvironment(env);
  program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  program.start(binary, args);
  return program.waitForStarted(10000);
}

// The program's environment on `display`, its data folder under `dataHome`.
inline QProcessEnvironment ProgramEnvironment(const QString& display, const QString& dataHome) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("DISPLAY"), display);
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  env.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
  return env;
}

}  // namespace test_support

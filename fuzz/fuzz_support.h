#pragma once
// What every fuzz target shares: the program's windows on Qt's offscreen platform, a
// scratch folder for the input file, quiet logs, and the check that fails a run.
#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "core/form1.h"
#include "core/monitors.h"
#include "core/startup.h"
#include "core/state.h"
#include "listeditor/form3.h"
#include "mainwindow/mainwindow.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/fonts.h"
#include "schedule/form9.h"
#include "sound/form10.h"

namespace fuzz {

// Logs of every rejected input would cost more than the run itself; fatal ones still end it.
inline void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtFatalMsg) {
    std::fprintf(stderr, "%s\n", qPrintable(text));
    std::abort();
  }
}

// The folders of the run: the data folder and the scratch folder of the inputs.
struct Folders {
  QTemporaryDir data;
  QTemporaryDir work;
  QString App() const { return work.path() + QStringLiteral("/app/"); }
  QString Docs() const { return work.path() + QStringLiteral("/docs/"); }
};

inline Folders& Dirs() {
  static Folders* folders = new Folders;
  return *folders;
}

// The dialogs of the run so far; cleared by FreshState.
inline platform::ScriptedDialogs& Dialogs() {
  static platform::ScriptedDialogs* dialogs = new platform::ScriptedDialogs;
  return *dialogs;
}

// The show settings as the program starts with them.
inline core::ShowSettings& StartSettings() {
  static core::ShowSettings* settings = new core::ShowSettings;
  return *settings;
}

// Starts Qt as the tests do. Dialogs are answered by a script that nobody reads, and the
// ends of the program are recorded instead of ending the process.
inline void StartProgram(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QuietMessages);
  Folders& dirs = Dirs();
  qputenv("XDG_DATA_HOME", dirs.data.path().toUtf8());
  QDir().mkpath(dirs.App());
  QDir().mkpath(dirs.Docs());
  new QApplication(*argc, *argv);
  mainwindow::Register();
  platform::InstallFontSubstitutions();
  Dialogs();
  core::SetProgramEndHandler([](core::ProgramEnd) {});
  // The main window's load gives the show settings their start-up values (its data folder
  // holds no settings file yet); each input starts from them, as a user's first run does.
  core::TitlePanelTestHooks().holdSeconds = 0;
  core::Flags().TitlePanelDone = 1;
  core::form1().Timer1.SetEnabled(false);
  StartSettings() = core::Settings();
}

// Shared state and the list windows as a fresh start has them, the main window kept.
inline void FreshState() {
  core::form1();
  if (auto* w = listeditor::Form3IfLoaded()) w->Unload();
  if (auto* w = schedule::Form9IfLoaded()) w->Unload();
  if (auto* w = sound::Form10IfLoaded()) w->Unload();
  platform::DestroyPendingNow();
  core::ResetAllState();
  core::Settings() = StartSettings();
  core::Flags().TitlePanelDone = 1;
  core::BuildMonitorTable();
  core::Paths().AppFolder = Dirs().App();
  core::Paths().OpenedFileFolder = Dirs().Docs();
  Dialogs().ClearCalls();
}

inline void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
    std::fprintf(stderr, "cannot write the scratch file %s\n", qPrintable(path));
    std::abort();
  }
}

inline QByteArray ReadFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline QByteArray Bytes(const uint8_t* data, size_t size) {
  return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// A finding that is no memory fault: libFuzzer keeps the input as a crash.
[[noreturn]] inline void Fail(const char* what) {
  std::fprintf(stderr, "FUZZ FINDING: %s\n", what);
  std::abort();
}

// The first line where two files differ, for the log of a failed round trip.
inline void ReportDifference(const QByteArray& a, const QByteArray& b) {
  const QList<QByteArray> la = a.split('\n');
  const QList<QByteArray> lb = b.split('\n');
  for (qsizetype i = 0; i < std::max(la.size(), lb.size()); ++i) {
    const QByteArray x = i < la.size() ? la[i] : QByteArray("<end>");
    const QByteArray y = i < lb.size() ? lb[i] : QByteArray("<end>");
    if (x != y) {
      std::fprintf(stderr, "line %lld: first save [%s], second save [%s]\n",
                   static_cast<long long>(i + 1), x.toHex(' ').constData(),
                   y.toHex(' ').constData());
      return;
    }
  }
}

// Read, write, read again, write again: what the program saves of a file it has read
// must read back to the same state, so the second save holds the same bytes as the first.
// `save` writes the current state to the given path; `load` reads it from there.
inline void CheckRoundTrip(const QString& path, const std::function<void()>& save,
                           const std::function<void()>& load) {
  Dialogs().ClearCalls();
  const QByteArray before = ReadFile(path);
  save();
  if (!Dialogs().Calls().empty()) {
    // A save may be refused (text the code page cannot write back as it was read), but
    // then it says so and the old file stays.
    if (ReadFile(path) != before) Fail("a refused save changed the file");
    return;
  }
  const QByteArray first = ReadFile(path);
  FreshState();
  load();
  if (!Dialogs().Calls().empty()) Fail("a file the program saved is refused");
  save();
  const QByteArray second = ReadFile(path);
  if (first != second) {
    ReportDifference(first, second);
    Fail("a saved file does not read back to the same state");
  }
}

}  // namespace fuzz

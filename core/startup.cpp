// The program's life: the command line, the start-up decisions, the single-copy rule,
// the ends of the process and the termination signals. The main window's load and unload
// are mainwindow/'s.
#include "core/startup.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QLockFile>
#include <QRegularExpression>
#include <QSocketNotifier>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "core/common.h"
#include "core/form1.h"
#include "core/lists.h"
#include "core/monitors.h"
#include "core/services.h"
#include "core/state.h"
#include "platform/appfolder.h"
#include "platform/form.h"

namespace core {

using platform::TryStep;

// ---- command line ---------------------------------------------------------------------------

namespace {

QString WithoutLeadingBlanks(const QString& text) {
  qsizetype i = 0;
  while (i < text.size() && text[i] == QLatin1Char(' ')) ++i;
  return text.mid(i);
}

}  // namespace

CommandLineFile ReadCommandLine(const QString& commandLine) {
  CommandLineFile result;
  QString path = WithoutLeadingBlanks(commandLine);
  if (path.startsWith(QLatin1Char('"'))) path = WithoutLeadingBlanks(path.mid(1));
  const qsizetype quote = path.indexOf(QLatin1Char('"'));
  if (quote >= 0) path = path.left(quote);
  if (!path.isEmpty() && QDir::isRelativePath(path))
    path = QDir::current().absolutePath() + QLatin1Char('/') + path;
  result.path = path;
  const QString tag = WithoutLeadingBlanks(path).right(3).toUpper();
  if (tag == QLatin1String("KVZ")) {
    result.mode = 1;
  } else if (tag == QLatin1String("USL")) {
    result.mode = 2;
  }
  return result;
}

QString FolderOfPath(const QString& path) {
  const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
  return slash < 0 ? QString() : path.left(slash + 1);
}

void Main(const QStringList& arguments) {
  const CommandLineFile file = ReadCommandLine(arguments.join(QLatin1Char(' ')));
  Paths().CmdLineFile = file.path;
  Flags().CmdLineMode = file.mode;
  form1();
}

// ---- start-up decisions -----------------------------------------------------------------------

bool LinkTableWanted(int linkEntryCount, short linkAutoStart, short cmdLineMode) {
  return (linkEntryCount >= 1 && linkAutoStart == 1 && cmdLineMode == 0) || cmdLineMode == 2;
}

void BuildLinkTable() {
  ListState& lists = Lists();
  lists.LinkEndIndex = 0;
  lists.LinkListEntries.Erase();
  Windows().LoadLinkList();
  const QStringList& links = Form9List1().Items();
  for (int i = 1; i <= links.size(); ++i) {
    lists.LinkListEntries[i] = links.at(i - 1);
    lists.LinkEndIndex = static_cast<short>(lists.LinkEndIndex + 1);
  }
  lists.LinkEndIndex = static_cast<short>(lists.LinkEndIndex + 1);
  if (!lists.LinkListEntries[1].isEmpty()) lists.LinkRunActive = 1;
}

bool AutoStartWanted(short cmdLineMode, int slideCount, short autoStartOff, int linkEntryCount,
                     short linkAutoStart) {
  return cmdLineMode > 0 || (slideCount >= 1 && autoStartOff == 0) ||
         (linkEntryCount >= 1 && linkAutoStart == 1);
}

// ---- single copy -----------------------------------------------------------------------------

// Every running copy holds a lock file of its own: "slideshow.lock", or "slideshow.N.lock"
// when that one is taken. A copy takes the lowest free one, then looks at every other: a lock
// whose holder is alive is another copy running; a dead holder's lock is stale and goes.
// Copies starting together race for the same lowest file, so one of them sees the other.
namespace {
QLockFile* g_lock = nullptr;
bool g_haveLock = false;

QString CopyLockPath(int slot) {
  const QString folder = platform::AppFolderPath();
  return slot == 0 ? folder + QStringLiteral("slideshow.lock")
                   : folder + QStringLiteral("slideshow.%1.lock").arg(slot);
}

// The slots whose lock files exist now, 0 always included.
QList<int> ExistingLockSlots() {
  QList<int> found{0};
  static const QRegularExpression name(QStringLiteral("^slideshow\\.(\\d{1,4})\\.lock$"));
  const QStringList files =
      QDir(platform::AppFolderPath()).entryList({QStringLiteral("slideshow.*.lock")}, QDir::Files);
  for (const QString& file : files) {
    const QRegularExpressionMatch m = name.match(file);
    if (m.hasMatch() && m.captured(1).toInt() > 0) found.append(m.captured(1).toInt());
  }
  std::sort(found.begin(), found.end());
  return found;
}

// True when the lock at `path` is held by a live copy (this one's own lock excepted).
bool HeldByAnotherCopy(const QString& path) {
  QLockFile probe(path);
  probe.setStaleLockTime(0);  // only a live holder counts, however old its lock
  if (probe.tryLock(0)) {
    probe.unlock();
    return false;
  }
  return probe.error() == QLockFile::LockFailedError;
}
}  // namespace

bool AnotherCopyRunning() {
  if (!g_haveLock) {
    for (int slot = 0; slot < 10000 && !g_haveLock; ++slot) {
      auto* lock = new QLockFile(CopyLockPath(slot));
      lock->setStaleLockTime(0);
      if (lock->tryLock(0)) {
        g_lock = lock;
        g_haveLock = true;
      } else {
        delete lock;
      }
    }
  }
  bool other = false;
  for (int slot : ExistingLockSlots()) {
    const QString path = CopyLockPath(slot);
    if (g_lock && path == g_lock->fileName()) continue;
    if (HeldByAnotherCopy(path)) other = true;
  }
  return other;
}

void ReleaseSingleCopyLock() {
  if (g_lock && g_haveLock) g_lock->unlock();
  g_haveLock = false;
  delete g_lock;
  g_lock = nullptr;
}

// ---- ends of the process ----------------------------------------------------------------------

namespace {
std::function<void(ProgramEnd)> g_endHandler;
bool g_ended = false;

[[noreturn]] void ExitNow() {
  ReleaseSingleCopyLock();
  std::fflush(stdout);
  std::fflush(stderr);
  // Every window goes with the process; nothing is left to tear down.
  std::_Exit(0);
}
}  // namespace

void EndProgramNow() {
  g_ended = true;
  if (g_endHandler) {
    g_endHandler(ProgramEnd::kImmediate);
    return;
  }
  ExitNow();
}

void EndProcess() {
  g_ended = true;
  if (g_endHandler) {
    g_endHandler(ProgramEnd::kAfterShutdown);
    return;
  }
  ExitNow();
}

bool ProgramEnded() { return g_ended; }

void SetProgramEndHandler(std::function<void(ProgramEnd)> handler) {
  g_endHandler = std::move(handler);
  g_ended = false;
}

// ---- signals -----------------------------------------------------------------------------------

namespace {
int g_signalFds[2] = {-1, -1};

void OnTerminationSignal(int) {
  const char byte = 1;
  [[maybe_unused]] ssize_t n = ::write(g_signalFds[0], &byte, 1);
}

// As a log-off closes the main window: its unload writes the settings and ends.
void CloseMainWindowForSignal() {
  Form1* f = Form1IfLoaded();
  if (!f) {
    EndProgramNow();
    return;
  }
  if (!f->ShuttingDown()) f->Unload();
}
}  // namespace

void InstallTerminationSignalHandlers() {
  if (g_signalFds[0] >= 0) return;
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalFds) != 0) return;
  auto* notifier = new QSocketNotifier(g_signalFds[1], QSocketNotifier::Read, qApp);
  QObject::connect(notifier, &QSocketNotifier::activated, qApp, [] {
    char byte;
    [[maybe_unused]] ssize_t n = ::read(g_signalFds[1], &byte, 1);
    CloseMainWindowForSignal();
  });
  struct sigaction action {};
  action.sa_handler = OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int sig : {SIGTERM, SIGHUP, SIGINT}) ::sigaction(sig, &action, nullptr);
}

}  // namespace core

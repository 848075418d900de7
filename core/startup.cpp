// Start-up and shutdown: the command line, the main window's load and unload, the
// single-copy rule, the ends of the process and the termination signals.
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
#include "core/form4.h"
#include "core/link_settings_file.h"
#include "core/linklist_file.h"
#include "core/monitors.h"
#include "core/orientation.h"
#include "core/services.h"
#include "core/settings_file.h"
#include "core/slideshow_file.h"
#include "core/soundlist_file.h"
#include "core/state.h"
#include "engine/fullscreen_start.h"
#include "engine/slidescreen.h"
#include "engine/surfaces.h"
#include "listeditor/form3.h"
#include "platform/appfolder.h"
#include "platform/form.h"
#include "platform/random.h"
#include "schedule/form9.h"
#include "sound/background_sound.h"
#include "sound/cd_audio.h"
#include "sound/form10.h"
#include "sound/form13.h"
#include "sound/form14.h"
#include "sound/form2.h"
#include "sound/form8.h"

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
  const platform::ListBox& links = schedule::form9().List1;
  for (int i = 1; i <= links.ListCount(); ++i) {
    lists.LinkListEntries[i] = links.List(i - 1);
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

// ---- Form1's load ------------------------------------------------------------------------------

namespace {

// Applies a start-up default and ticks its menu item.
void Default(platform::MenuArray& menu, short& value, short v) {
  value = v;
  menu[v].SetChecked(true);
}

// The automatic full-screen start: the main window stays hidden, no title panel.
void StartShowAutomatically(Form1& f) {
  TryStep([] {
    Lists().SlideEndIndex = static_cast<short>(listeditor::form3().List1.ListCount() + 1);
  });
  Flags().TitlePanelDone = 1;
  TryStep([&f] { f.SizePreviewBox(); });
  TryStep([] { DrawTitlePanel(); });
  TryStep([] { StartFullScreenShow(); });
  Flags().FullScreenShowActive = 1;
  f.SkipNextResize = 1;
}

}  // namespace

void Form1::Form_Load() {
  ShowSettings& s = Settings();
  RunFlags& flags = Flags();
  ListState& lists = Lists();

  TryStep([] { StartGdiplus(); });
  TryStep([] { BuildMonitorTable(); });
  Monitors().MainHwnd = this;
  platform::SetMainWindow(this);
  TryStep([this] { MeasureFrameAtLoad(); });

  flags.StartedFromListEditor = 0;
  s.BorderColorIndex = 0;
  flags.SkipEraseEffect = 0;
  s.LineSpace = 0;
  s.MovieLoop = 0;
  s.Mp3WithLinkedWav = 0;
  lists.SoundListStartTaken = 0;

  ClearButtonSlots();
  for (int i = 0; i <= 62; ++i) {
    platform::PictureBox& button = Picture2(i);
    button.ClearPicture();
    button.SetVisible(false);
    button.SetBackColor(QGuiApplication::palette().color(QPalette::Button));
  }

  ResetShowOptions();
  Label1.SetBackStyle(0);
  TryStep([] {
    Surfaces().ImagingControlVersion =
        platform::CInt(SafeVal(form4().Lead1.ImageVersionText().right(4)));
  });
  Timer1.SetEnabled(false);
  Paths().AppFolder = platform::AppFolderPath();
  TryStep([] { engine::slidescreen().Label1.SetCaption(QString()); });
  Label1.SetCaption(QString());

  // Start-up defaults, each with its menu tick.
  Default(mnuYOMI, s.PictureLoadMode, 0);
  Default(mnuKSPSEL, s.EffectSpeedFixed, 0);
  Default(mnuFULL_FL, s.AlwaysFullScreenOff, 1);
  Default(mnuHICHI, s.PicturePosition, 0);
  Default(mnuKAIRO, s.OverlayBackColorIndex, 0);
  Default(mnuSOP1, s.ContinueStart, 0);
  Default(mnuJYUF, s.SecondInstanceOff, 0);
  Default(mnuSTKAKU, s.FullStartConfirmOff, 0);
  Default(mnuCDWAV, s.CdWithLinkedWavOff, 1);
  Default(mnuKUFL, s.RepeatOff, 0);
  Default(mnuKOU, s.SoundMode, 7);
  s.DefaultSoundFile = QStringLiteral("*.wav");
  Default(mnuAUT, s.AutoStartOff, 1);
  Default(mnuCTL, s.ControlBoxOff, 1);
  Default(mnuSIZE, s.SizeAdjustMode, 1);
  Default(mnuHKO, s.DisplayEffect, 9);
  Default(mnuKOICHI1, s.LinkedSoundAfterText, 1);
  Default(mnuLSAKU, s.ErrorEntryAutoRemove, 0);
  Default(mnuRANDFL, s.RandomOrderOff, 1);
  Default(mnuCDRND, s.CdTrackOrder, 0);
  Default(mnuKASANE, s.OverlayMode, 0);
  Default(mnuKASAS, s.PictureSizeMode, 0);

  platform::Randomize();

  Paths().GeneratedMacroText.clear();
  flags.OperationLocked = 0;
  s.SlideIntervalSeconds = 3;
  s.DisplayEffectSpeed = -30;
  s.EraseEffect = 9;
  s.EraseEffectSpeed = -30;
  s.DisplaySlitCount = 10;
  s.EraseSlitCount = 10;
  s.EffectSpeedCorrection = 5;
  s.DisplayMosaicCount = 10;
  s.EraseMosaicCount = 10;
  mnuSYOUKO[9].SetChecked(true);

  Default(mnuCDR, s.CdTrackRepeatOff, 1);
  s.CdStartTrack = QStringLiteral("1");
  Sound().LastCdPosition.clear();
  Default(mnuTEXT, s.TextMacroOff, 1);
  Default(mnuDOU, s.WavSyncOff, 1);

  TryStep([this] {
    Move((platform::ScreenWidth() - Width()) / 2.0, (platform::ScreenHeight() - Height()) / 2.0);
  });

  Command1.SetEnabled(false);
  Command2.SetEnabled(false);
  Command3.SetEnabled(false);
  Command4.SetEnabled(false);
  Command5.SetEnabled(false);
  Command7.SetEnabled(false);
  Command6.SetEnabled(true);
  Command10.SetEnabled(true);
  Command11.SetEnabled(true);

  Sound().FadeOutRestartPending = 0;
  Sound().SoundFadedOut = 0;
  lists.SlideEndIndex = 0;

  // The sound list first, so that a slideshow file with its own sound list replaces it;
  // the settings file before the single-copy rule, which needs SecondInstanceOff.
  lists.SoundListLoading = 1;
  TryStep([] { LoadSoundListFile(); });
  lists.SoundListLoading = 0;
  TryStep([] { LoadLinkSettingsFile(); });
  TryStep([] { LoadSettingsFile(); });

  mnuKAHAI.SetEnabled(s.OverlayMode != 0);
  mnuHKSP.SetEnabled(s.EffectSpeedFixed == 0);
  mnuSKSP.SetEnabled(s.EffectSpeedFixed == 0);

  // A copy that runs takes the lock when no other copy holds it.
  bool otherCopy = false;
  TryStep([&otherCopy] { otherCopy = AnotherCopyRunning(); });
  if (otherCopy && s.SecondInstanceOff == 1) {
    EndProgramNow();
    return;
  }

  PathState& paths = Paths();
  paths.CmdLineFileOpening = 1;
  if (flags.CmdLineMode == 1) {
    paths.OpenedFileFolder = FolderOfPath(paths.CmdLineFile);
    TryStep([&paths] { LoadSlideshowFile(paths.CmdLineFile); });
  } else if (flags.CmdLineMode == 2) {
    paths.OpenedFileFolder = FolderOfPath(paths.CmdLineFile);
    TryStep([&paths] { LoadLinkListFile(paths.CmdLineFile); });
  }
  paths.CmdLineFileOpening = 0;
  if (ProgramEnded()) return;  // the reader refused the command-line file

  mnuCDM.SetEnabled(s.SoundMode == 2);

  const int slideCount = listeditor::form3().List1.ListCount();
  if (slideCount >= 1) {
    Command1.SetEnabled(true);
    Command4.SetEnabled(true);
    lists.SlideEndIndex = static_cast<short>(slideCount + 1);
  }

  const int linkCount = schedule::form9().List1.ListCount();
  if (LinkTableWanted(linkCount, s.LinkAutoStart, flags.CmdLineMode))
    TryStep([] { BuildLinkTable(); });

  if (AutoStartWanted(flags.CmdLineMode, slideCount, s.AutoStartOff, linkCount, s.LinkAutoStart)) {
    StartShowAutomatically(*this);
  } else {
    Show();
  }
}

void StartFullScreenShow() { engine::StartFullScreenShowAtStartup(); }

// ---- Form1's unload -----------------------------------------------------------------------------

namespace {
template <class Window>
void UnloadIfLoaded(Window* window) {
  if (window) window->Unload();
}
}  // namespace

void Form1::Form_Unload(int& cancel) {
  cancel = 0;
  shuttingDown_ = true;
  // Each step runs even when one before it failed, so that the settings are written and
  // the process ends.
  Flags().SlideListEditorShown = 0;
  Flags().LinkEditorShown = 0;

  TryStep([] { engine::ReleasePictureDC(); });
  TryStep([] { ForgetSoundRecorder(); });
  TryStep([] { CloseTextViewer(); });

  TryStep([] { sound::StopCdAudio(); });
  TryStep([] { sound::StopShowMedia(); });

  TryStep([] { SaveLinkSettingsFile(); });
  TryStep([] { SaveSettingsFile(); });
  TryStep([] { SaveSoundListFile(); });

  TryStep([] {
    if (engine::Slidescreen* screen = engine::SlidescreenIfLoaded()) screen->P2.Cls();
  });
  TryStep([this] { Picture1.Cls(); });
  TryStep([] {
    if (Form4* work = Form4IfLoaded()) {
      work->Picture1.Cls();
      work->Lead1.ReleaseImage();
      work->Lead2.ReleaseImage();
      work->Picture1.ClearPicture();
    }
  });
  TryStep([this] { Picture1.ClearPicture(); });

  // The other windows, in this order; a window that is not loaded is left alone.
  platform::RunStepsIgnoringErrors({
      [] { UnloadIfLoaded(sound::Form2IfLoaded()); },
      // The double-click window before the slide list window: its unload reads the row.
      [] { TheServices().UnloadLinkedFileWindows(); },
      [] { UnloadIfLoaded(listeditor::Form3IfLoaded()); },
      [] { UnloadIfLoaded(Form4IfLoaded()); },
      [] { TheServices().UnloadFourUpView(); },
      [] { UnloadIfLoaded(sound::Form8IfLoaded()); },
      [] { UnloadIfLoaded(schedule::Form9IfLoaded()); },
      [] { UnloadIfLoaded(sound::Form10IfLoaded()); },
      [] { TheServices().UnloadPictureToolDialogs(); },
      [] { UnloadIfLoaded(sound::Form13IfLoaded()); },
      [] { UnloadIfLoaded(sound::Form14IfLoaded()); },
  });

  TryStep([] { StopGdiplus(); });
  EndProcess();
}

void Form1::nmuEND_Click() { Unload(); }

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
  const QStringList files = QDir(platform::AppFolderPath())
                                .entryList({QStringLiteral("slideshow.*.lock")}, QDir::Files);
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

// The main window's load: the program's start-up, in its steps.
#include "core/startup.h"

#include <QGuiApplication>
#include <QPalette>

#include "core/common.h"
#include "core/form4.h"
#include "core/link_settings_file.h"
#include "core/linklist_file.h"
#include "core/monitors.h"
#include "core/orientation.h"
#include "core/settings_file.h"
#include "core/slideshow_file.h"
#include "core/soundlist_file.h"
#include "core/state.h"
#include "engine/fullscreen_start.h"
#include "engine/slidescreen.h"
#include "engine/surfaces.h"
#include "listeditor/form3.h"
#include "mainwindow/mainwindow.h"
#include "platform/appfolder.h"
#include "platform/form.h"
#include "platform/random.h"
#include "schedule/form9.h"

namespace mainwindow {

using namespace core;
using platform::TryStep;

namespace {

// The automatic full-screen start: the main window stays hidden, no title panel.
void StartShowAutomatically(Form1& f) {
  TryStep([] {
    Lists().SlideEndIndex = static_cast<short>(listeditor::form3().List1.ListCount() + 1);
  });
  Flags().TitlePanelDone = 1;
  TryStep([&f] { f.SizePreviewBox(); });
  TryStep([] { DrawTitlePanel(); });
  TryStep([] { engine::StartFullScreenShowAtStartup(); });
  Flags().FullScreenShowActive = 1;
  f.SkipNextResize = 1;
}

}  // namespace

void MainWindow::Form_Load() {
  TakeTheScreens();
  ClearTheRunAndTheButtons();
  GiveTheStartValues();
  PlaceAndDisableTheShowButtons();
  ReadTheProgramFiles();
  if (!ApplyTheSingleCopyRule()) return;
  if (!ReadTheCommandLineFile()) return;
  StartOrShow();
}

// The imaging library, the monitors, this window as the dialogs' owner, its frame.
void MainWindow::TakeTheScreens() {
  TryStep([] { StartGdiplus(); });
  TryStep([] { BuildMonitorTable(); });
  Monitors().MainHwnd = this;
  platform::SetMainWindow(this);
  TryStep([this] { MeasureFrameAtLoad(); });
}

// The run's flags, the macro buttons and the show options as at a fresh start.
void MainWindow::ClearTheRunAndTheButtons() {
  ShowSettings& s = Settings();
  RunFlags& flags = Flags();
  flags.StartedFromListEditor = 0;
  s.BorderColorIndex = 0;
  flags.SkipEraseEffect = 0;
  s.LineSpace = 0;
  s.MovieLoop = 0;
  s.Mp3WithLinkedWav = 0;
  Lists().SoundListStartTaken = 0;

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
}

// Start-up defaults: the settings with a menu each with its tick, then the others.
void MainWindow::GiveTheStartValues() {
  ShowSettings& s = Settings();
  for (const SettingMenu& row : SettingMenus()) {
    if (row.startValue < 0) continue;
    s.*row.setting = row.startValue;
    (this->*row.menu)[row.startValue].SetChecked(true);
  }
  s.DefaultSoundFile = QStringLiteral("*.wav");

  platform::Randomize();

  Paths().GeneratedMacroText.clear();
  Flags().OperationLocked = 0;
  s.SlideIntervalSeconds = 3;
  s.DisplayEffectSpeed = -30;
  s.EraseEffectSpeed = -30;
  s.DisplaySlitCount = 10;
  s.EraseSlitCount = 10;
  s.EffectSpeedCorrection = 5;
  s.DisplayMosaicCount = 10;
  s.EraseMosaicCount = 10;
  s.CdStartTrack = QStringLiteral("1");
  Sound().LastCdPosition.clear();
}

// Centred on the screen; only the editors' buttons enabled until a slide list is there.
void MainWindow::PlaceAndDisableTheShowButtons() {
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
  Lists().SlideEndIndex = 0;
}

// The sound list first, so that a slideshow file with its own sound list replaces it;
// the settings file before the single-copy rule, which needs SecondInstanceOff.
void MainWindow::ReadTheProgramFiles() {
  ListState& lists = Lists();
  lists.SoundListLoading = 1;
  TryStep([] { LoadSoundListFile(); });
  lists.SoundListLoading = 0;
  TryStep([] { LoadLinkSettingsFile(); });
  TryStep([] { LoadSettingsFile(); });

  const ShowSettings& s = Settings();
  mnuKAHAI.SetEnabled(s.OverlayMode != 0);
  mnuHKSP.SetEnabled(s.EffectSpeedFixed == 0);
  mnuSKSP.SetEnabled(s.EffectSpeedFixed == 0);
}

// A copy that runs takes the lock when no other copy holds it.
bool MainWindow::ApplyTheSingleCopyRule() {
  bool otherCopy = false;
  TryStep([&otherCopy] { otherCopy = AnotherCopyRunning(); });
  if (otherCopy && Settings().SecondInstanceOff == 1) {
    EndProgramNow();
    return false;
  }
  return true;
}

bool MainWindow::ReadTheCommandLineFile() {
  PathState& paths = Paths();
  const short mode = Flags().CmdLineMode;
  paths.CmdLineFileOpening = 1;
  if (mode == 1) {
    paths.OpenedFileFolder = FolderOfPath(paths.CmdLineFile);
    TryStep([&paths] { LoadSlideshowFile(paths.CmdLineFile); });
  } else if (mode == 2) {
    paths.OpenedFileFolder = FolderOfPath(paths.CmdLineFile);
    TryStep([&paths] { LoadLinkListFile(paths.CmdLineFile); });
  }
  paths.CmdLineFileOpening = 0;
  return !ProgramEnded();  // the reader refused the command-line file
}

// The show buttons follow the slide list; the link table when a link run comes; then the
// automatic full-screen start or this window.
void MainWindow::StartOrShow() {
  const ShowSettings& s = Settings();
  const RunFlags& flags = Flags();
  mnuCDM.SetEnabled(s.SoundMode == 2);

  const int slideCount = listeditor::form3().List1.ListCount();
  if (slideCount >= 1) {
    Command1.SetEnabled(true);
    Command4.SetEnabled(true);
    Lists().SlideEndIndex = static_cast<short>(slideCount + 1);
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

}  // namespace mainwindow

// The full-screen start ("画面全体", the automatic start, the editors' starts) and the
// main-window button sets that the show window and the control box share.
#include "engine/fullscreen_start.h"

#include "core/form1.h"
#include "core/form4.h"
#include "core/lists.h"
#include "core/monitors.h"
#include "core/services.h"
#include "core/slideshow_file.h"
#include "core/startup.h"
#include "core/state.h"
#include "engine/effects.h"
#include "engine/picture_prep.h"
#include "engine/slidescreen.h"
#include "engine/surfaces.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/form.h"
#include "platform/random.h"
#include "platform/twips.h"
#include "platform/vberror.h"

namespace engine {

using platform::TryStep;

namespace {

constexpr int kPointerDefault = 0;
constexpr int kPointerBusy = 13;  // arrow with hourglass

// The values a full-screen start resets; the window's activation sets the rest.
void SetShowStartValues() {
  core::ShowSettings& s = core::Settings();
  core::RunFlags& flags = core::Flags();
  core::SoundState& sound = core::Sound();
  core::ListState& lists = core::Lists();
  sound.FadeOutRestartPending = 0;
  sound.SoundFadedOut = 0;
  flags.ShowStopped = 0;
  flags.WaitingForChoice = 0;
  lists.ScheduleDateText = platform::Date().toString(QStringLiteral("yyyy/MM/dd"));
  lists.ScheduleNow = platform::Now();
  s.BorderColorIndex = 0;
  flags.SkipEraseEffect = 0;
  s.LineSpace = 0;
  s.PicturePositionFixed = 0;
  sound.SlideMusicFile.clear();
  sound.VolumeAttenuation = s.VolumeAttenuationSetting;
  s.PictureScale = 0;
  s.OverlayBackColorHex.clear();
  s.Borderless = 0;
  lists.SoundListStartTaken = 0;
  sound.SlideWavFile.clear();
}

// Target size (twips) of the carried-over picture for PictureSizeMode on a monitor of
// w x h twips; false for 調整なし (no target).
bool TargetSize(short sizeMode, double w, double h, double& tw, double& th) {
  double factor = 0;
  switch (sizeMode) {
    case 0:
      factor = 1.0;
      break;
    case 1:
      factor = 0.8;
      break;
    case 2:
      factor = 0.6;
      break;
    case 3:
      factor = 0.4;
      break;
    case 4:
      factor = 0.2;
      break;
    case 5:
      factor = 0.5 * platform::Rnd() + 0.2;
      break;
    default:
      return false;
  }
  if (sizeMode == 0) {
    tw = w;
    th = h;
  } else {
    tw = std::floor(factor * w);
    th = std::floor(factor * h);
  }
  return true;
}

// Puts the unscaled copy of the current picture into the holder Form4.Picture1, fitted
// into the target when it is larger, as the slide player had prepared it for the main
// window's preview box.
void RefitHeldPicture(double monitorWidth, double monitorHeight) {
  const core::ShowSettings& s = core::Settings();
  const core::SurfaceState& surfaces = core::Surfaces();
  core::Form4& work = core::form4();
  double tw = 0, th = 0;
  const bool hasTarget = TargetSize(s.PictureSizeMode, monitorWidth, monitorHeight, tw, th);
  const double w = surfaces.LoadedPictureWidth;
  const double h = surfaces.LoadedPictureHeight;
  if (s.SizeAdjustMode < 2 && hasTarget && (w > tw || h > th)) {
    TryStep([&] { work.Lead1.CopyImageFrom(work.Lead2); });
    TryStep([&] {
      const double scale = w / h > tw / th ? tw / w : th / h;
      const short nw = platform::CInt(scale * w / platform::TwipsPerPixelX);
      const short nh = platform::CInt(scale * h / platform::TwipsPerPixelY);
      work.Lead1.ResizeImage(nw, nh, 0);
    });
    TryStep([&] {
      work.Picture1.ClearPicture();
      work.Picture1.SetPicture(work.Lead1.ImagePicture());
    });
  } else if (s.SizeAdjustMode == 0 || s.SizeAdjustMode == 1 || s.OverlayMode >= 1) {
    // At its loaded size: larger than the decode the main window's show needed.
    TryStep([] { HoldPictureWhole(); });
    TryStep([&] { work.Lead1.CopyImageFrom(work.Lead2); });
    TryStep([&] {
      work.Picture1.ClearPicture();
      work.Picture1.SetPicture(work.Lead1.ImagePicture());
    });
  }
  // SizeAdjustMode 2 without overlay: the holder keeps what the slide player left.
}

}  // namespace

// ---- the starts --------------------------------------------------------------------------

void ShowFullScreenWindow() {
  Slidescreen& screen = slidescreen();
  // The whole main window's monitor, its own top included (monitors may be stacked).
  TryStep([&] { core::PlaceFullScreen(&screen); });
  TryStep([&] { screen.FitShowPictureBoxes(); });
  TryStep([&] { screen.Show(); });
}

void StartFullScreenShowAtStartup() {
  // An automatic start plays at the user's volume, as a start by hand does.
  core::Sound().VolumeAttenuation = core::Settings().VolumeAttenuationSetting;
  TryStep([] { core::form1().Hide(); });
  ShowFullScreenWindow();
  core::Flags().FullScreenShowActive = 1;
}

void FullScreenStart() {
  core::RunFlags& flags = core::Flags();
  const core::ShowSettings& s = core::Settings();
  if (flags.OperationLocked == 1 || flags.SlideInProgress == 1) return;
  if (flags.SlideListEditorOpen == 1) {
    platform::MsgBox(QStringLiteral("ファイル選択を終了させてから行って下さい。"),
                     platform::vbOKOnly | platform::vbExclamation, QStringLiteral("ファイル選択"));
    return;
  }
  core::Form1& f1 = core::form1();
  TryStep([] { SetFileMenusEnabled(false); });
  TryStep([&] { f1.Timer1.SetEnabled(false); });
  SetShowStartValues();

  const core::TwipsRect monitor = core::MonitorRectTwips(core::MainMonitorIndex());
  ShowFullScreenWindow();
  TryStep([&] {
    if (s.OverlayMode == 0) {
      slidescreen().P2.SetBackColor(Qt::black);
    } else {
      ApplyScreenBackColor();
    }
  });
  flags.FullScreenShowActive = 1;
  if (core::Lists().CurrentSlideIndex == 0) return;  // the activation starts the show

  // A show under way in the main window: its current picture comes over.
  platform::SetScreenMousePointer(kPointerBusy);
  TryStep([] {
    Slidescreen& screen = slidescreen();
    screen.P2.Cls();
    screen.P2.ClearPicture();
  });
  TryStep([] { ReleasePictureDC(); });
  RefitHeldPicture(monitor.Width, monitor.Height);

  platform::SetScreenMousePointer(kPointerBusy);
  flags.ShowScreenHasPicture = 1;
  TryStep([] { ReleasePictureDC(); });
  TryStep([] { SelectPictureDC(core::form4().Picture1.Picture()); });
  TryStep([] { RunDisplayEffect(); });
  platform::SetScreenMousePointer(kPointerDefault);

  // Paused or stopped: the slide timer stays off.
  if (f1.Command1.Enabled()) return;
  TryStep([] { SetNormalSlideInterval(); });
  TryStep([&] { f1.Timer1.SetEnabled(true); });
}

// ---- shared sets ---------------------------------------------------------------------------

void SetMainButtonsRunning() {
  core::Form1& f = core::form1();
  f.Command1.SetEnabled(false);
  f.Command2.SetEnabled(true);
  f.Command3.SetEnabled(true);
  f.Command4.SetEnabled(true);
  f.Command6.SetEnabled(false);
  f.Command5.SetEnabled(false);
  f.Command7.SetEnabled(false);
  f.Command10.SetEnabled(false);
  f.Command11.SetEnabled(false);
}

void SetMainButtonsAllDisabled() {
  core::Form1& f = core::form1();
  for (platform::CommandButton* b :
       {&f.Command1, &f.Command2, &f.Command3, &f.Command4, &f.Command5, &f.Command6, &f.Command7,
        &f.Command10, &f.Command11})
    b->SetEnabled(false);
}

void SetFileMenusEnabled(bool on) {
  core::Form1& f = core::form1();
  f.mnuNEW.SetEnabled(on);
  f.mnuOPEN.SetEnabled(on);
  f.mnuSAVE.SetEnabled(on);
  f.mnuHAIHU.SetEnabled(on);
}

void HideShowMenus() {
  core::Form1& f = core::form1();
  f.mnuOPTION.SetVisible(false);
  f.mnuGKO.SetVisible(false);
  f.mnuICHI.SetVisible(false);
  f.mnuCDM.SetVisible(false);
  f.mnuURU.SetVisible(false);
}

void ShowShowMenus() {
  core::Form1& f = core::form1();
  f.mnuOPTION.SetVisible(true);
  f.mnuGKO.SetVisible(true);
  f.mnuURU.SetVisible(true);
  f.mnuCDM.SetVisible(true);
}

void SetNormalSlideInterval() {
  core::form1().Timer1.SetInterval(platform::CLng(core::Settings().SlideIntervalSeconds * 1000.0));
}

void RebuildSlideListFromEditor() {
  core::ListState& lists = core::Lists();
  lists.CurrentSlideIndex = 0;
  core::Flags().ShowRunning = 0;
  lists.SlideEndIndex = 0;
  lists.SlidePaths.Erase();
  core::Windows().LoadSlideList();
  const QStringList& editorList = core::Form3List1().Items();
  for (int i = 1; i <= editorList.size(); ++i) {
    lists.SlidePaths[i] = editorList.at(i - 1);
    lists.SlideEndIndex = platform::CInt(lists.SlideEndIndex + 1);
  }
  lists.SlideEndIndex = platform::CInt(lists.SlideEndIndex + 1);
}

bool LoadLinkFileAtPosition() {
  core::ListState& lists = core::Lists();
  core::RunFlags& flags = core::Flags();
  QString entry;
  if (TryStep([&] { entry = lists.LinkListEntries[lists.LinkPosition]; })) {
    core::Paths().OpenedFileFolder = core::FolderOfPath(entry);
    TryStep([&] { core::LoadSlideshowFile(entry); });
  }
  if (flags.ShowEndRequested == 1) {
    // The reader refused the file (it has said so): the show ends.
    if (Slidescreen* screen = SlidescreenIfLoaded()) screen->Unload();
    flags.ShowEndRequested = 0;
    return false;
  }
  TryStep([] { RebuildSlideListFromEditor(); });
  TryStep([&] { lists.LinkPosition = platform::CInt(lists.LinkPosition + 1); });
  return true;
}

bool ClickGuardRunning() { return core::Windows().SlideListClickGuardRunning(); }

}  // namespace engine

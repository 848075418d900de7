// The main window's show buttons: START, PAUSE, STOP, stepping, and the editors.
#include "engine/form1_show.h"

#include "core/form1.h"
#include "core/services.h"
#include "core/state.h"
#include "engine/fullscreen_start.h"
#include "engine/slideplayer.h"
#include "engine/slidescreen.h"
#include "engine/slidetimer.h"
#include "platform/dialogs.h"
#include "platform/form.h"
#include "platform/timer.h"
#include "platform/vberror.h"
#include "sound/background_sound.h"
#include "sound/cd_audio.h"
#include "sound/form10.h"

namespace engine {

namespace {

using platform::TryStep;

constexpr int kPointerDefault = 0;
constexpr int kPointerHourglass = 11;
constexpr int kPointerBusy = 13;

// One step of the stepping buttons.
void StepTo(short index) {
  core::Lists().CurrentSlideIndex = index;
  platform::SetScreenMousePointer(kPointerBusy);
  core::Flags().SlideSkipped = 0;
  TryStep([] { ShowCurrentSlide(); });
  platform::SetScreenMousePointer(kPointerDefault);
}

}  // namespace

bool SoundKeepsRunningAfterMacroExit() {
  const core::ShowSettings& s = core::Settings();
  return core::Flags().MacroExitedEarly == 1 &&
         (s.SoundMode == 0 || s.SoundMode == 1 || s.SoundMode == 5 || s.SoundMode == 9 ||
          (s.SoundMode == 2 && s.CdWithLinkedWavOff == 0));
}

void SetStoppedButtons() {
  core::Form1& f = core::form1();
  const bool slides = !core::Lists().SlidePaths[1].isEmpty();
  f.Command1.SetEnabled(slides);
  f.Command4.SetEnabled(slides);
  for (platform::CommandButton* b : {&f.Command2, &f.Command3, &f.Command5, &f.Command7})
    b->SetEnabled(false);
  for (platform::CommandButton* b : {&f.Command6, &f.Command10, &f.Command11}) b->SetEnabled(true);
}

void HideShowWindowButtons(Slidescreen& screen) {
  screen.Command1.SetVisible(false);
  screen.Command2.SetVisible(false);
  for (platform::CommandButton* menu :
       {&screen.menu1, &screen.menu2, &screen.menu3, &screen.menu4, &screen.menu5})
    menu->SetVisible(false);
  for (int i = 0; i < kShowPicButtonCount; ++i) screen.Picture1(i).SetVisible(false);
}

void SetIdleCaption() {
  const QString& path = core::Paths().SlideshowFilePath;
  core::form1().SetCaption(path.isEmpty() ? core::ProgramTitle()
                                          : QStringLiteral("ｽﾗｲﾄﾞ - ") + path);
}

void StopShowAtListEnd(bool startAlwaysEnabled) {
  core::Form1& f = core::form1();
  core::RunFlags& flags = core::Flags();
  core::ListState& lists = core::Lists();
  core::SoundState& media = core::Sound();
  TryStep([] { SetIdleCaption(); });
  TryStep([] { sound::StopCdAudio(); });
  flags.SlideInProgress = 0;
  flags.ShowStopped = 1;
  flags.PlayStarted = 0;
  media.CdPaused = 0;
  media.SoundPaused = 0;
  flags.OperationLocked = 0;
  flags.ShowRunning = 0;
  lists.CurrentSlideIndex = 0;
  // With the show over, this also stops a ticker still scrolling in the main window.
  TryStep([] { sound::StopShowMedia(); });
  lists.SoundListPosition = 0;
  lists.CdProgramPosition = 0;
  TryStep([&f] { f.Picture1.ClearPicture(); });
  SetStoppedButtons();
  if (startAlwaysEnabled) {
    f.Command1.SetEnabled(true);
    f.Command4.SetEnabled(true);
  }
  f.Timer1.SetEnabled(false);
  ShowShowMenus();
}

// ---- START --------------------------------------------------------------------------------

void Command1_Click() {
  core::RunFlags& flags = core::Flags();
  core::ShowSettings& s = core::Settings();
  core::ListState& lists = core::Lists();
  core::SoundState& media = core::Sound();
  core::SurfaceState& surfaces = core::Surfaces();

  if (s.AlwaysFullScreenOff == 0) {
    TryStep([] { FullScreenStart(); });
    return;
  }
  if (flags.SlideInProgress == 1) return;
  if (flags.SlideListEditorOpen == 1) {
    platform::MsgBox(QStringLiteral("ファイル選択を終了させてから行って下さい。"),
                     platform::vbOKOnly | platform::vbExclamation, QStringLiteral("ファイル選択"));
    return;
  }
  core::Form1& f = core::form1();
  SetFileMenusEnabled(false);
  SetMainButtonsAllDisabled();
  if (flags.PlayStarted == 1) return;

  // Show-start values.
  platform::SetScreenMousePointer(kPointerBusy);
  media.SlideWavFile.clear();
  lists.SoundListStartTaken = 0;
  s.LineSpace = 0;
  TakeScheduleMoment();
  s.BorderColorIndex = 0;
  flags.SkipEraseEffect = 0;
  s.Borderless = 0;
  s.OverlayBackColorHex.clear();
  media.SlideMusicFile.clear();
  media.VolumeAttenuation = s.VolumeAttenuationSetting;
  s.PictureScale = 0;
  media.SoundFadedOut = 0;
  media.FadeOutRestartPending = 0;
  flags.PlayStarted = 1;
  media.MovieSoundRestartPending = 0;
  flags.WaitingForChoice = 0;
  flags.ShowStopped = 0;
  flags.ShowEndRequested = 0;
  media.SoundPaused = 0;
  surfaces.PictureLeft = 0;
  surfaces.PictureTop = 0;
  TryStep([] { sound::StopShowMedia(); });

  // Start position.
  TryStep([&lists, &s] {
    if (s.ContinueStart == 1) {
      lists.CurrentSlideIndex = lists.LastShownSlideIndex;
      if (lists.SlidePaths[lists.CurrentSlideIndex + 1].isEmpty() && lists.CurrentSlideIndex > 0)
        lists.CurrentSlideIndex = 0;
    }
  });
  TryStep([&f] { f.Picture1.Cls(); });
  if (lists.StartAtChosenSlide == 1) {
    lists.CurrentSlideIndex = static_cast<short>(lists.ChosenStartSlide + 1);
    lists.StartAtChosenSlide = 0;
  } else {
    lists.CurrentSlideIndex = static_cast<short>(lists.CurrentSlideIndex + 1);
  }
  TryStep([] { HideShowMenus(); });

  bool slideThere = false;
  TryStep(
      [&lists, &slideThere] { slideThere = !lists.SlidePaths[lists.CurrentSlideIndex].isEmpty(); });
  if (slideThere) {
    TryStep([] { SetNormalSlideInterval(); });
    flags.ShowRunning = 1;
    TryStep([] { sound::PlayCdTrack(); });
    if (!SoundKeepsRunningAfterMacroExit()) {
      media.SoundStartedAtShowStart = 1;
      if (s.SoundMode != 0) TryStep([] { sound::StartBackgroundSound(); });
    }
    TryStep([] { ShowCurrentSlide(); });
    if (flags.ShowEndRequested == 1) {
      flags.ShowEndRequested = 0;
      Command3_Click();
    } else if (flags.ShowStopped != 1 && flags.ShowRunning == 1) {
      // A stop during the first slide has left the show stopped.
      f.Timer1.SetEnabled(true);
      lists.CurrentSlideIndex = static_cast<short>(lists.CurrentSlideIndex + 1);
      SetMainButtonsRunning();
    }
    return;
  }

  // No slide at the start position.
  f.Timer1.SetEnabled(false);
  if (s.RepeatOff == 1) {
    StopShowAtListEnd(true);
    platform::SetScreenMousePointer(kPointerDefault);
  } else {
    SetMainButtonsRunning();
    TryStep([] { sound::PlayCdTrack(); });
    TryStep([] { sound::StartBackgroundSound(); });
    TryStep([] { SetNormalSlideInterval(); });
    f.Timer1.SetEnabled(true);
    lists.CurrentSlideIndex = 1;
    flags.ShowRunning = 1;
  }
}

// ---- PAUSE --------------------------------------------------------------------------------

void Command2_Click() {
  core::RunFlags& flags = core::Flags();
  if (flags.OperationLocked == 1) return;
  if (platform::ScreenMousePointer() != kPointerDefault || flags.SlideInProgress == 1) return;
  core::Form1& f = core::form1();
  core::ListState& lists = core::Lists();
  core::SoundState& media = core::Sound();
  const core::ShowSettings& s = core::Settings();

  TryStep([&f] { f.Picture3.SetVisible(false); });
  if (Slidescreen* screen = SlidescreenIfLoaded()) screen->Picture2.SetVisible(false);
  f.Command2.SetEnabled(false);
  flags.PlayStarted = 0;

  if (s.SoundMode == 2) TryStep([] { sound::PauseCdAudio(); });
  TryStep([] { sound::SendCdCommand(QStringLiteral("stop cdaudio")); });
  const short mode = s.SoundMode;
  if (mode == 1 || mode == 3 || mode == 4 || mode == 5 || mode == 6 || mode == 9 ||
      (mode == 2 && s.CdWithLinkedWavOff == 0)) {
    media.SoundPaused = 1;
    TryStep([] { sound::StopShowMedia(); });
  }
  if (lists.CurrentSlideIndex > 0 && flags.ShowRunning == 1) {
    f.Timer1.SetEnabled(false);
    f.Command2.SetEnabled(false);
    flags.ShowRunning = 0;
    // The slide on screen again.
    lists.CurrentSlideIndex = static_cast<short>(lists.CurrentSlideIndex - 1);
    if (lists.CurrentSlideIndex > 1) f.Command5.SetEnabled(true);
    if (lists.CurrentSlideIndex < lists.SlideEndIndex - 1) f.Command7.SetEnabled(true);
    f.Command1.SetEnabled(true);
  }
}

// ---- STOP ---------------------------------------------------------------------------------

void Command3_Click() {
  core::RunFlags& flags = core::Flags();
  if (flags.OperationLocked == 1 || flags.ShowStopped == 1) return;
  core::Form1& f = core::form1();
  core::ListState& lists = core::Lists();
  core::SoundState& media = core::Sound();

  platform::SetScreenMousePointer(kPointerDefault);
  TryStep([] { SetNormalSlideInterval(); });
  TryStep([&f] { f.Picture3.SetVisible(false); });
  // The show window's controls are reached through its one instance, which loads it: its
  // close handling then runs at every STOP.
  TryStep([] { slidescreen().Picture2.SetVisible(false); });
  SetFileMenusEnabled(true);

  TryStep([&f] {
    f.Command8.SetVisible(false);
    f.Command9.SetVisible(false);
    for (platform::CommandButton* m : {&f.menu1, &f.menu2, &f.menu3, &f.menu4, &f.menu5})
      m->SetVisible(false);
  });
  TryStep([] { HideShowWindowButtons(slidescreen()); });
  core::ClearButtonSlots();
  for (int slot = 0; slot <= 62; ++slot)
    TryStep([&f, slot] { f.Picture2(slot).SetVisible(false); });

  flags.SlideInProgress = 0;
  flags.ShowStopped = 1;
  flags.LineDelayWaiting = 0;
  flags.PlayStarted = 0;

  TryStep([] { slidescreen().Unload(); });

  media.CdPaused = 0;
  media.SoundPaused = 0;
  lists.SoundListPosition = 0;
  lists.CdProgramPosition = 0;
  flags.ShowRunning = 0;
  lists.CurrentSlideIndex = 0;
  TryStep([&f] { f.Timer1.SetEnabled(false); });
  TryStep([&f] { f.Picture1.ClearPicture(); });
  TryStep([] { SetStoppedButtons(); });
  TryStep([] { sound::StopCdAudio(); });
  TryStep([] { sound::StopShowMedia(); });
  flags.ShowRunning = 0;
  lists.CurrentSlideIndex = 0;
  TryStep([] { ShowShowMenus(); });
}

// ---- stepping -----------------------------------------------------------------------------

void Command5_Click() {
  core::RunFlags& flags = core::Flags();
  if (flags.SlideInProgress == 1) return;
  core::Form1& f = core::form1();
  core::ListState& lists = core::Lists();
  while (flags.ShowRunning == 0 && lists.CurrentSlideIndex > 1) {
    f.Command7.SetEnabled(true);
    StepTo(static_cast<short>(lists.CurrentSlideIndex - 1));
    if (flags.SlideSkipped != 1) break;
  }
  if (lists.CurrentSlideIndex == 1) f.Command5.SetEnabled(false);
}

void Command7_Click() {
  core::RunFlags& flags = core::Flags();
  if (flags.SlideInProgress == 1) return;
  core::Form1& f = core::form1();
  core::ListState& lists = core::Lists();
  do {
    if (lists.CurrentSlideIndex >= lists.SlideEndIndex - 1 || flags.ShowRunning != 0) break;
    if (lists.CurrentSlideIndex > 0) f.Command5.SetEnabled(true);
    StepTo(static_cast<short>(lists.CurrentSlideIndex + 1));
  } while (flags.SlideSkipped == 1);
  if (lists.CurrentSlideIndex == lists.SlideEndIndex - 1) f.Command7.SetEnabled(false);
}

// ---- editors ------------------------------------------------------------------------------

void Command6_Click() {
  if (core::Flags().FourUpViewOpen == 1) TryStep([] { core::TheServices().UnloadFourUpView(); });
  core::Flags().SlideListEditorOpen = 1;
  core::Windows().ShowSlideList();
  core::form1().Hide();
}

void Command10_Click() { sound::form10().ShowModal(); }

void Command11_Click() {
  platform::SetScreenMousePointer(kPointerHourglass);
  bool shown = false;
  TryStep([&shown] { shown = core::TheServices().ShowScheduleEditor(); });
  // Without an editor on screen the main window stays.
  if (shown) core::form1().Hide();
  platform::SetScreenMousePointer(kPointerDefault);
}

// ---- wiring -------------------------------------------------------------------------------

void ConnectShowHandlers(core::Form1& f) {
  static const char* const kConnected = "engineShowHandlersConnected";
  if (f.property(kConnected).toBool()) return;
  f.setProperty(kConnected, true);
  using core::Form1;
  using platform::CommandButton;
  QObject::connect(&f.Command1, &CommandButton::Click, &f, &Form1::Command1_Click);
  QObject::connect(&f.Command2, &CommandButton::Click, &f, &Form1::Command2_Click);
  QObject::connect(&f.Command3, &CommandButton::Click, &f, &Form1::Command3_Click);
  QObject::connect(&f.Command5, &CommandButton::Click, &f, &Form1::Command5_Click);
  QObject::connect(&f.Command7, &CommandButton::Click, &f, &Form1::Command7_Click);
  QObject::connect(&f.Command6, &CommandButton::Click, &f, &Form1::Command6_Click);
  QObject::connect(&f.Command10, &CommandButton::Click, &f, &Form1::Command10_Click);
  QObject::connect(&f.Command11, &CommandButton::Click, &f, &Form1::Command11_Click);
  QObject::connect(&f.Timer1, &platform::Timer::Tick, &f, &Form1::Timer1_Timer);
  QObject::connect(&f.Timer3, &platform::Timer::Tick, &f, &Form1::Timer3_Timer);
}

}  // namespace engine

// ---- the main window's own names for these operations ---------------------------------------

void core::Form1::Command1_Click() { engine::Command1_Click(); }
void core::Form1::Command2_Click() { engine::Command2_Click(); }
void core::Form1::Command3_Click() { engine::Command3_Click(); }
void core::Form1::Command4_Click() { engine::FullScreenStart(); }
void core::Form1::Command5_Click() { engine::Command5_Click(); }
void core::Form1::Command7_Click() { engine::Command7_Click(); }
void core::Form1::Command6_Click() { engine::Command6_Click(); }
void core::Form1::Command10_Click() { engine::Command10_Click(); }
void core::Form1::Command11_Click() { engine::Command11_Click(); }
void core::Form1::Timer1_Timer() { engine::Timer1_Timer(); }
void core::Form1::Timer3_Timer() { engine::Timer3_Timer(); }

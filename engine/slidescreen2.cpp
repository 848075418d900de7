// The control box: play, pause, step and stop for the full-screen show, stepping across
// the files of a link run.
#include "engine/slidescreen2.h"

#include "core/form1.h"
#include "core/monitors.h"
#include "core/state.h"
#include "engine/fullscreen_start.h"
#include "engine/slideplayer.h"
#include "engine/slidescreen.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/vberror.h"
#include "sound/background_sound.h"
#include "sound/cd_audio.h"

namespace engine {

using platform::TryStep;

namespace {

platform::FormSlot<Slidescreen2>& Slot() {
  static platform::FormSlot<Slidescreen2> slot;
  return slot;
}

bool DefaultPointer() { return platform::ScreenMousePointer() == 0; }

// Sound modes whose sound the pause silences: the repeated files, the picture-linked
// sounds, the sound list, and the CD with its picture-linked WAV.
bool PauseSilences(short mode, short cdWithLinkedWavOff) {
  switch (mode) {
    case 1:
    case 3:
    case 4:
    case 5:
    case 6:
    case 9:
      return true;
    case 2:
      return cdWithLinkedWavOff == 0;
    default:
      return false;
  }
}

short Plus(short value, int delta) { return platform::CInt(static_cast<double>(value) + delta); }

}  // namespace

Slidescreen2::Slidescreen2() {
  // A small tool window over the show: a title bar without caption text of its own.
  setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                 Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  SetCaption(QString());
  SetClientSize(3540, 396);
  setFixedSize(size());
  Command2.Move(0, 0, 615, 375);
  Command3.Move(720, 0, 615, 375);
  Command4.Move(1440, 0, 615, 375);
  Command5.Move(2160, 0, 615, 375);
  Command1.Move(2880, 0, 615, 375);
  for (platform::CommandButton* b : {&Command1, &Command2, &Command3, &Command4, &Command5})
    b->setFocusPolicy(Qt::NoFocus);
  connect(&Command1, &platform::CommandButton::Click, this, &Slidescreen2::Command1_Click);
  connect(&Command2, &platform::CommandButton::Click, this, &Slidescreen2::Command2_Click);
  connect(&Command3, &platform::CommandButton::Click, this, &Slidescreen2::Command3_Click);
  connect(&Command4, &platform::CommandButton::Click, this, &Slidescreen2::Command4_Click);
  connect(&Command5, &platform::CommandButton::Click, this, &Slidescreen2::Command5_Click);
}

void Slidescreen2::Form_Load() { PlaceBox(); }

void Slidescreen2::Form_Activate() {
  TryStep([this] {
    const core::Form1& f = core::form1();
    Command2.SetEnabled(f.Command1.Enabled());
    Command3.SetEnabled(f.Command2.Enabled());
    Command4.SetEnabled(f.Command5.Enabled());
    Command5.SetEnabled(f.Command7.Enabled());
    Command1.SetEnabled(f.Command3.Enabled());
  });
  PlaceBox();
}

void Slidescreen2::Form_QueryUnload(int& cancel, int) {
  if (!allowUnload_) cancel = 1;
}

void Slidescreen2::Form_Unload(int&) {}

void Slidescreen2::PlaceBox() {
  TryStep([this] {
    const QPoint p =
        core::ControlBoxPosition(Width(), Height(), core::Settings().ControlBoxAtBottom == 1);
    Move(p.x(), p.y());
  });
}

// ---- □ stop ---------------------------------------------------------------------------------

void Slidescreen2::Command1_Click() {
  core::RunFlags& flags = core::Flags();
  if (ClickGuardRunning()) return;
  flags.EffectStop = 1;
  if (flags.OperationLocked == 1) return;
  if (!DefaultPointer()) return;

  flags.UnloadEndsShow = 1;
  if (Slidescreen* screen = SlidescreenIfLoaded()) screen->Unload();
  flags.UnloadEndsShow = 0;

  Command2.SetEnabled(false);
  Command3.SetEnabled(false);
  Command4.SetEnabled(false);
  Command5.SetEnabled(false);

  core::Form1& f = core::form1();
  f.Picture1.Cls();
  SetFileMenusEnabled(true);
  SetNormalSlideInterval();
}

// ---- ＞ play ----------------------------------------------------------------------------------

void Slidescreen2::Command2_Click() {
  core::RunFlags& flags = core::Flags();
  core::ListState& lists = core::Lists();
  core::SoundState& sound = core::Sound();
  flags.EffectStop = 1;
  if (!DefaultPointer() || flags.SlideInProgress == 1) return;
  if (flags.SlideListEditorOpen == 1) {
    platform::MsgBox(QStringLiteral("ファイル選択を終了させてから行って下さい。"),
                     platform::vbOKOnly | platform::vbExclamation, QStringLiteral("ファイル選択"));
    return;
  }
  SetMainButtonsAllDisabled();
  if (flags.PlayStarted == 1) return;  // a start is in effect

  sound.MovieSoundRestartPending = 0;
  flags.PlayStarted = 1;
  flags.ShowStopped = 0;
  sound.SoundPaused = 0;
  flags.ShowEndRequested = 0;
  lists.ScheduleDateText = platform::Date().toString(QStringLiteral("yyyy/MM/dd"));
  lists.ScheduleNow = platform::Now();

  core::Form1& f = core::form1();
  TryStep([] { ::sound::StopShowMedia(); });
  TryStep([&] { f.Picture1.Cls(); });
  TryStep([&] { lists.CurrentSlideIndex = Plus(lists.CurrentSlideIndex, 1); });
  TryStep([] { HideShowMenus(); });
  TryStep([&] {
    f.Command2.SetEnabled(true);
    f.Command3.SetEnabled(true);
  });
  Command2.SetEnabled(false);
  Command3.SetEnabled(true);
  Command4.SetEnabled(false);
  Command5.SetEnabled(false);
  Command1.SetEnabled(true);

  QString entry;
  TryStep([&] { entry = lists.SlidePaths[lists.CurrentSlideIndex]; });
  if (!entry.isEmpty()) {
    flags.ShowRunning = 1;
    f.Timer1.SetEnabled(false);
    TryStep([] { ShowCurrentSlide(); });
    if (flags.ShowEndRequested == 1) {
      flags.ShowEndRequested = 0;
      Command1_Click();
      return;
    }
    // A stop during the slide has left the show stopped: the timer stays off.
    if (flags.ShowStopped == 1 || flags.ShowRunning != 1) return;
    TryStep([] { ::sound::PlayCdTrack(); });
    TryStep([] { ::sound::StartBackgroundSound(); });
    f.Timer1.SetEnabled(true);
    TryStep([&] { lists.CurrentSlideIndex = Plus(lists.CurrentSlideIndex, 1); });
    TryStep([] { SetMainButtonsRunning(); });
    return;
  }

  // Past the end of the list.
  f.Timer1.SetEnabled(false);
  if (lists.LinkRunActive == 1) {
    // The next tick moves on to the next file of the link list.
    TryStep([] { SetMainButtonsRunning(); });
    TryStep([] { ::sound::PlayCdTrack(); });
    TryStep([] { ::sound::StartBackgroundSound(); });
    f.Timer1.SetEnabled(true);
  } else if (core::Settings().RepeatOff == 1) {
    Command1_Click();
  } else {
    TryStep([] { SetMainButtonsRunning(); });
    TryStep([] { ::sound::PlayCdTrack(); });
    TryStep([] { ::sound::StartBackgroundSound(); });
    f.Timer1.SetEnabled(true);
    lists.CurrentSlideIndex = 1;
    flags.ShowRunning = 1;
  }
}

// ---- ∥ pause -----------------------------------------------------------------------------------

void Slidescreen2::Command3_Click() {
  core::RunFlags& flags = core::Flags();
  core::ListState& lists = core::Lists();
  core::SoundState& sound = core::Sound();
  const core::ShowSettings& s = core::Settings();
  if (ClickGuardRunning()) return;
  flags.EffectStop = 1;
  if (flags.OperationLocked == 1 || !DefaultPointer() || flags.SlideInProgress == 1) return;

  core::Form1& f = core::form1();
  f.Command2.SetEnabled(false);
  Command3.SetEnabled(false);
  flags.PlayStarted = 0;

  // The CD remembers its track for the next play.
  TryStep([] { ::sound::PauseCdAudio(); });
  if (PauseSilences(s.SoundMode, s.CdWithLinkedWavOff)) {
    sound.SoundPaused = 1;
    TryStep([] { ::sound::StopShowMedia(); });
  }

  if (lists.CurrentSlideIndex > 0 && flags.ShowRunning == 1) {
    TryStep([&] { f.Timer1.SetEnabled(false); });
    f.Command2.SetEnabled(false);
    Command3.SetEnabled(false);
    flags.ShowRunning = 0;
    lists.CurrentSlideIndex = Plus(lists.CurrentSlideIndex, -1);  // the slide on screen
    const bool earlierFile = lists.LinkRunActive == 1 && lists.LinkPosition > 2;
    const bool laterFile = lists.LinkRunActive == 1 && lists.LinkPosition < lists.LinkEndIndex;
    if (lists.CurrentSlideIndex > 1 || earlierFile) {
      f.Command5.SetEnabled(true);
      Command4.SetEnabled(true);
    }
    if (lists.CurrentSlideIndex < lists.SlideEndIndex - 1 || laterFile) {
      f.Command7.SetEnabled(true);
      Command5.SetEnabled(true);
    }
    f.Command1.SetEnabled(true);
    Command2.SetEnabled(true);
  }
}

// ---- ｜＜ step back
// -------------------------------------------------------------------------------

void Slidescreen2::Command4_Click() {
  core::RunFlags& flags = core::Flags();
  core::ListState& lists = core::Lists();
  flags.EffectStop = 1;
  if (!DefaultPointer() || flags.SlideInProgress == 1) return;

  core::Form1& f = core::form1();
  if (flags.ShowRunning == 0 && lists.CurrentSlideIndex == 1) {
    lists.CurrentSlideIndex = 0;  // before the first slide: into the previous link file
  } else {
    while (flags.ShowRunning == 0 && lists.CurrentSlideIndex > 1) {
      f.Command7.SetEnabled(true);
      Command5.SetEnabled(true);
      lists.CurrentSlideIndex = Plus(lists.CurrentSlideIndex, -1);
      flags.SlideSkipped = 0;
      TryStep([] { ShowCurrentSlide(); });
      if (flags.SlideSkipped != 1) break;  // slides outside their schedule are passed over
    }
    if (lists.CurrentSlideIndex == 1 && (lists.LinkRunActive == 0 || lists.LinkPosition == 2)) {
      f.Command5.SetEnabled(false);
      Command4.SetEnabled(false);
    }
  }

  if (lists.LinkRunActive == 1 && lists.CurrentSlideIndex < 1 && lists.LinkPosition > 2) {
    lists.LinkPosition = Plus(lists.LinkPosition, -2);
    if (!LoadLinkFileAtPosition()) return;
    lists.CurrentSlideIndex = Plus(lists.SlideEndIndex, -1);  // its last slide
    TryStep([] { ShowCurrentSlide(); });
    if (flags.ShowEndRequested == 1) {
      if (Slidescreen* screen = SlidescreenIfLoaded()) screen->Unload();
      flags.ShowEndRequested = 0;
    }
  }
}

// ---- ＞｜ step forward
// ------------------------------------------------------------------------------

void Slidescreen2::Command5_Click() {
  core::RunFlags& flags = core::Flags();
  core::ListState& lists = core::Lists();
  flags.EffectStop = 1;
  if (!DefaultPointer() || flags.SlideInProgress == 1) return;

  core::Form1& f = core::form1();
  if (lists.CurrentSlideIndex >= lists.SlideEndIndex - 1 && flags.ShowRunning == 0) {
    lists.CurrentSlideIndex = Plus(lists.CurrentSlideIndex, 1);  // past the end: next link file
  } else {
    while (lists.CurrentSlideIndex < lists.SlideEndIndex - 1 && flags.ShowRunning == 0) {
      if (lists.CurrentSlideIndex > 0) {
        f.Command5.SetEnabled(true);
        Command4.SetEnabled(true);
      }
      lists.CurrentSlideIndex = Plus(lists.CurrentSlideIndex, 1);
      flags.SlideSkipped = 0;
      TryStep([] { ShowCurrentSlide(); });
      if (flags.SlideSkipped != 1) break;
    }
    if (lists.CurrentSlideIndex == lists.SlideEndIndex - 1 &&
        (lists.LinkRunActive == 0 || lists.LinkPosition >= lists.LinkEndIndex)) {
      f.Command7.SetEnabled(false);
      Command5.SetEnabled(false);
    }
  }

  if (lists.LinkRunActive == 1 && lists.CurrentSlideIndex >= lists.SlideEndIndex &&
      lists.LinkPosition < lists.LinkEndIndex) {
    if (!LoadLinkFileAtPosition()) return;
    lists.CurrentSlideIndex = 1;
    TryStep([] { ShowCurrentSlide(); });
    if (flags.ShowEndRequested == 1) {
      if (Slidescreen* screen = SlidescreenIfLoaded()) screen->Unload();
      flags.ShowEndRequested = 0;
    }
  }
}

// ---- accessors ----------------------------------------------------------------------------------

Slidescreen2& slidescreen2() { return Slot().Get(); }

Slidescreen2* Slidescreen2IfLoaded() { return Slot().IfLoaded(); }

void ResetSlidescreen2() {
  if (Slidescreen2* box = Slot().IfLoaded()) box->allowUnload_ = true;
  Slot().Reset();
}

}  // namespace engine

// The show window's activation: the start of a full-screen show (the link run's first
// file, the confirmation, the start slide, the first slide) and the control box.
#include "core/form1.h"
#include "core/state.h"
#include "engine/fullscreen_start.h"
#include "engine/slideplayer.h"
#include "engine/slidescreen.h"
#include "engine/slidescreen2.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/vberror.h"
#include "sound/background_sound.h"
#include "sound/cd_audio.h"

namespace engine {

using platform::TryStep;

namespace {

// Sound modes whose sound follows each picture: after a macro's early exit their sound
// is already on its way.
bool SoundFollowsPicture(short mode, short cdWithLinkedWavOff) {
  return mode == 0 || mode == 1 || mode == 5 || mode == 9 || (mode == 2 && cdWithLinkedWavOff == 0);
}

short Plus(short value, int delta) { return platform::CInt(static_cast<double>(value) + delta); }

}  // namespace

void Slidescreen::Form_Activate() {
  // The first slide runs inside this handler and may unload the window meanwhile: the
  // object stays until the handler has left.
  platform::LoopScope keepAlive;
  const core::RunFlags& flags = core::Flags();
  if (core::Form1* f1 = core::Form1IfLoaded()) {
    TryStep([f1] { f1->Hide(); });
    TryStep([f1] { f1->Picture1.SetAutoRedraw(false); });
  }

  // Only an activation that finds no show running or paused starts one; one whose own
  // confirmation box gave the activation back finds the start under way.
  if (flags.ShowRunning == 0 && core::Lists().CurrentSlideIndex == 0 && !starting_) {
    starting_ = true;
    const bool goOn = StartShow();
    starting_ = false;
    if (!goOn) return;
  }

  ShowControlBoxIfAllowed();
  if (flags.ShowStopped == 1 || flags.ShowScreenClosed == 1) Unload();
}

void Slidescreen::ShowControlBoxIfAllowed() {
  const core::RunFlags& flags = core::Flags();
  if (core::Settings().ControlBoxOff == 0 && flags.ShowScreenClosed == 0 && !Command1.Visible() &&
      flags.WaitingForChoice == 0)
    TryStep([] { slidescreen2().Show(); });
}

bool Slidescreen::StartShow() {
  core::RunFlags& flags = core::Flags();
  core::ListState& lists = core::Lists();
  core::SoundState& sound = core::Sound();
  const core::ShowSettings& s = core::Settings();
  core::Form1* f1 = nullptr;
  TryStep([&] { f1 = &core::form1(); });

  TryStep([] { SetFileMenusEnabled(false); });
  TryStep([] { HideShowMenus(); });
  sound.MovieSoundRestartPending = 0;
  flags.ShowScreenClosed = 0;

  if (lists.LinkRunActive == 1) {
    // The link run begins with its first file.
    lists.LinkPosition = 1;
    if (!LoadLinkFileAtPosition()) return false;
  } else if (lists.StartAtChosenSlide == 0) {
    if (s.FullStartConfirmOff == 0) {
      TryStep([] {
        platform::MsgBox(QStringLiteral("スライド画面全体表示スタート"), platform::vbOKOnly,
                         QStringLiteral("スライドショー"));
      });
      if (IsClosed()) return false;  // closed while the notice was up
    }
    if (s.ContinueStart == 1) {
      lists.CurrentSlideIndex = lists.LastShownSlideIndex;
      flags.ShowScreenHasPicture = 0;
      TryStep([&] {
        // The last shown slide was the last one: start again at the first.
        if (lists.SlidePaths[lists.CurrentSlideIndex + 1].isEmpty() && lists.CurrentSlideIndex > 0)
          lists.CurrentSlideIndex = 0;
      });
    }
  }

  if (s.ControlBoxOff == 0) {
    TryStep([&] {
      Slidescreen2& box = slidescreen2();
      box.Command2.SetEnabled(false);
      box.Command3.SetEnabled(true);
      box.Command4.SetEnabled(false);
      box.Command5.SetEnabled(false);
      box.Command1.SetEnabled(true);
      if (!Command1.Visible() && flags.WaitingForChoice == 0) {
        box.SetCaption(QStringLiteral("START"));
        box.Show();
      }
    });
  }

  flags.FullScreenShowActive = 1;
  flags.NoEraseAtStart = 1;
  flags.ShowEndRequested = 0;
  flags.UnloadEndsShow = 0;
  EndShowOnClose = 0;

  TryStep([&] {
    if (lists.StartAtChosenSlide == 1) {
      lists.CurrentSlideIndex = Plus(lists.ChosenStartSlide, 1);
      lists.StartAtChosenSlide = 0;
    } else {
      lists.CurrentSlideIndex = Plus(lists.CurrentSlideIndex, 1);
    }
  });

  QString entry;
  TryStep([&] { entry = lists.SlidePaths[lists.CurrentSlideIndex]; });
  if (entry.isEmpty()) {
    // Empty list, or a start past its end: the window stays up, black.
    lists.CurrentSlideIndex = 0;
    flags.ShowRunning = 0;
    return true;
  }

  TryStep([] { SetMainButtonsRunning(); });
  TryStep([] { SetNormalSlideInterval(); });
  flags.ShowRunning = 1;
  if (f1) f1->Timer1.SetEnabled(false);
  TryStep([] { ::sound::PlayCdTrack(); });
  if (!(flags.MacroExitedEarly == 1 && SoundFollowsPicture(s.SoundMode, s.CdWithLinkedWavOff))) {
    sound.SoundStartedAtShowStart = 1;
    if (s.SoundMode != 0) TryStep([] { ::sound::StartBackgroundSound(); });
  }

  TryStep([] { ShowCurrentSlide(); });
  if (flags.ShowStopped == 1 || flags.ShowEndRequested == 1) {
    flags.ShowEndRequested = 0;
    EndShowOnClose = 1;
    Unload();  // nothing when the window was already closed during the slide
    return false;
  }
  if (f1) f1->Timer1.SetEnabled(true);
  TryStep([&] { lists.CurrentSlideIndex = Plus(lists.CurrentSlideIndex, 1); });
  return true;
}

}  // namespace engine

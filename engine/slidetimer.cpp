// The slide timer's tick, the main loop of every running show, and the line-delay timer.
#include "engine/slidetimer.h"

#include "core/form1.h"
#include "core/lists.h"
#include "core/services.h"
#include "core/slideshow_file.h"
#include "core/state.h"
#include "engine/form1_show.h"
#include "engine/slideplayer.h"
#include "engine/slidescreen.h"
#include "platform/vberror.h"
#include "sound/background_sound.h"
#include "sound/cd_audio.h"

namespace engine {

namespace {

using platform::TryStep;

// Closing a show window that is not open does nothing.
void CloseShowWindow() {
  if (Slidescreen* screen = SlidescreenIfLoaded()) TryStep([screen] { screen->Unload(); });
}

// The folder of a path, up to and including its last "/" ("" when it has none).
QString FolderPart(const QString& path) {
  const int cut = path.lastIndexOf(QLatin1Char('/'));
  return cut < 0 ? QString() : path.left(cut + 1);
}

// The file watch: a slideshow file changed on disk is read again, from slide 1.
void ReloadChangedSlideshowFile() {
  core::PathState& paths = core::Paths();
  const QString stamp = core::FileDateTimeText(paths.SlideshowFilePath);
  if (stamp != paths.SlideshowFileTime) {
    // Off while the reader runs, so that its warning box cannot let a tick read it again.
    core::Form1& f = core::form1();
    const bool wasOn = f.Timer1.Enabled();
    f.Timer1.SetEnabled(false);
    TryStep([&paths] { core::LoadSlideshowFile(paths.SlideshowFilePath); });
    core::Lists().CurrentSlideIndex = 1;
    if (wasOn && core::Flags().ShowStopped != 1) f.Timer1.SetEnabled(true);
  }
  paths.SlideshowFileTime = stamp;
}

// The next slideshow file of a link run: loaded, its slides taken from the editor's list
// and its first slide shown; a refused file closes the show window.
void LoadNextLinkFile() {
  core::Form1& f = core::form1();
  core::ListState& lists = core::Lists();
  core::RunFlags& flags = core::Flags();
  f.Timer1.SetEnabled(false);
  const QString entry = lists.LinkListEntries[lists.LinkPosition];
  core::Paths().OpenedFileFolder = FolderPart(entry);
  TryStep([&entry] { core::LoadSlideshowFile(entry); });
  if (flags.ShowEndRequested == 1) {
    CloseShowWindow();
    flags.ShowEndRequested = 0;
    return;
  }

  lists.CurrentSlideIndex = 0;
  flags.ShowRunning = 0;
  lists.SlideEndIndex = 0;
  lists.SlidePaths.Erase();
  TryStep([&lists] {
    core::Windows().LoadSlideList();
    const QStringList& rows = core::Form3List1().Items();
    for (int i = 0; i < rows.size(); ++i) {
      lists.SlidePaths[i + 1] = rows.at(i);
      lists.SlideEndIndex = static_cast<short>(lists.SlideEndIndex + 1);
    }
  });
  lists.SlideEndIndex = static_cast<short>(lists.SlideEndIndex + 1);
  lists.LinkPosition = static_cast<short>(lists.LinkPosition + 1);
  flags.ShowRunning = 1;
  lists.CurrentSlideIndex = 1;
  TryStep([] { ShowCurrentSlide(); });

  if (flags.ShowEndRequested == 1) {
    CloseShowWindow();
    flags.ShowEndRequested = 0;
  } else if (flags.ShowStopped == 1) {
    // The show was stopped during the slide: the timer stays off.
  } else {
    TryStep([] { sound::PlayCdTrack(); });
    if (!SoundKeepsRunningAfterMacroExit()) TryStep([] { sound::StartBackgroundSound(); });
    f.Timer1.SetEnabled(true);
    lists.CurrentSlideIndex = static_cast<short>(lists.CurrentSlideIndex + 1);
  }
}

}  // namespace

void Timer1_Timer() {
  core::Form1& f = core::form1();
  core::ListState& lists = core::Lists();
  core::RunFlags& flags = core::Flags();
  const core::ShowSettings& s = core::Settings();
  core::SoundState& media = core::Sound();

  TryStep([] { ReloadChangedSlideshowFile(); });
  TryStep([&f, &s] { f.Timer1.SetInterval(platform::CLng(s.SlideIntervalSeconds * 1000.0)); });

  const bool finished =
      (lists.CurrentSlideIndex >= lists.SlideEndIndex && lists.SlideEndIndex > 1) ||
      media.ListEndForced == 1;
  if (finished) {
    media.ListEndForced = 0;
    if (s.RepeatOff != 1 && lists.LinkRunActive != 1) {
      // The show repeats: slide 1 in this same tick.
      lists.CurrentSlideIndex = 1;
    } else {
      if (lists.LinkRunActive == 0) {
        StopShowAtListEnd(false);
      } else {
        TryStep([] { SetIdleCaption(); });
        TryStep([] { sound::StopCdAudio(); });
        TryStep([] { sound::StopShowMedia(); });
      }

      if (lists.LinkRunActive == 1) {
        bool next = true;
        if (lists.LinkPosition >= lists.LinkEndIndex) {
          if (s.LinkRepeat == 1) {
            lists.LinkPosition = 1;
          } else {
            next = false;
          }
        }
        if (next) {
          LoadNextLinkFile();
          return;
        }
      }

      // The end of the show.
      lists.SoundListPosition = 0;
      lists.CdProgramPosition = 0;
      CloseShowWindow();
      if (lists.LinkSingleFileRun != 1) TryStep([&f] { f.Show(); });
      TryStep([&f] {
        f.Picture1.SetWidth(f.Width() - 600);
        f.Picture1.SetHeight(f.Height() - 1450 - core::Surfaces().FrameExtraHeight);
      });
    }
  }

  if (flags.ShowRunning == 1 && lists.CurrentSlideIndex < lists.SlideEndIndex) {
    f.Timer1.SetEnabled(false);
    TryStep([] { ShowCurrentSlide(); });
    if (flags.ShowStopped == 1) {
      flags.ShowEndRequested = 0;
    } else if (flags.ShowRunning == 0) {
      // The show no longer runs: the timer stays off.
    } else if (flags.ShowEndRequested == 1) {
      flags.ShowEndRequested = 0;
      CloseShowWindow();
      Command3_Click();
    } else {
      lists.CurrentSlideIndex = static_cast<short>(lists.CurrentSlideIndex + 1);
      f.Timer1.SetEnabled(true);
    }
  }
}

void Timer3_Timer() { core::Flags().LineDelayWaiting = 0; }

}  // namespace engine

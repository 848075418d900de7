// Stand-ins for operations of other subsystems, until their owners provide them.
#include "core/pending_services.h"

#include "core/form1.h"
#include "core/state.h"
#include "engine/slidescreen.h"
#include "platform/effectsound.h"
#include "platform/vberror.h"

namespace core {

void StopCdAudio() {
  SoundState& sound = Sound();
  if (Settings().SoundMode == 2) sound.LastCdPosition.clear();
  sound.CdPaused = 0;
  sound.ListEndForced = 0;
}

void StopShowMedia() {
  using platform::TryStep;
  Form1& f = form1();
  if (Flags().ShowRunning == 0 && Lists().CurrentSlideIndex == 0) {
    TryStep([&f] {
      const QString& path = Paths().SlideshowFilePath;
      f.SetCaption(path.isEmpty() ? ProgramTitle() : QStringLiteral("ｽﾗｲﾄﾞ - ") + path);
    });
    TryStep([&f] {
      f.Label1.SetCaption(QString());
      f.Label1.SetVisible(false);
      f.Timer4.SetEnabled(false);
    });
    TryStep([] {
      if (engine::Slidescreen* screen = engine::SlidescreenIfLoaded()) {
        screen->Label1.SetCaption(QString());
        screen->Label1.SetVisible(false);
        screen->Timer1.SetEnabled(false);
      }
    });
    Flags().TelopOnceRunning = 0;
  }
  TryStep([] { platform::PlayEffectSound(QString(), 0); });
  SoundState& sound = Sound();
  if (sound.MediaPlaying == 1) {
    TryStep([&f] {
      f.WindowsMediaPlayer1.Stop();
      f.WindowsMediaPlayer1.Close();
    });
    if (sound.KeepPlayer2Running != 1) {
      TryStep([&f] {
        f.WindowsMediaPlayer2.Stop();
        f.WindowsMediaPlayer2.Close();
      });
    }
    sound.SoundStarted = 0;
    sound.SoundPaused = 0;
    sound.MediaPlaying = 0;
  }
}

}  // namespace core

// The slide player's sound routines.
#include "engine/slide_sound.h"

#include <QFileInfo>
#include <cmath>

#include "core/common.h"
#include "core/form1.h"
#include "core/state.h"
#include "platform/events.h"
#include "platform/mediaplayer.h"
#include "sound/background_sound.h"
#include "sound/cd_audio.h"

namespace engine {

namespace {

bool FileExists(const QString& path) { return !path.isEmpty() && QFileInfo(path).isFile(); }

// START enabled means no show runs: PAUSE, STOP or the end of the show enabled it.
bool StartButtonEnabled() { return core::form1().Command1.Enabled(); }

short Mode() { return core::Settings().SoundMode; }

bool IsLoopingMode() {
  const short mode = Mode();
  return mode == 3 || mode == 4 || mode == 6 || mode == 8;
}

}  // namespace

QString LinkedFileStem(const QString& slidePath) {
  const core::PathState& paths = core::Paths();
  QString base = slidePath;
  if (paths.LinkedFilesInFolder == 1)
    base = paths.LinkedFilesFolder + QLatin1Char('/') + core::GetFileNameOfPath(slidePath);
  return base.left(std::max<qsizetype>(0, base.size() - 3));
}

QString CurrentSlideStem() {
  return LinkedFileStem(core::Lists().SlidePaths[core::Lists().CurrentSlideIndex]);
}

bool LinkedSoundMode() {
  const core::ShowSettings& s = core::Settings();
  switch (s.SoundMode) {
    case 0:
    case 1:
    case 5:
    case 9:
      return true;
    case 2:
      return s.CdWithLinkedWavOff == 0;
    case 4:
      return s.MidiWithLinkedWav == 1;
    case 8:
      return s.Mp3WithLinkedWav == 1;
    case 6:
      return s.SoundListWithLinkedWav == 1;
    default:
      return false;
  }
}

bool LinkedWavOnPlayer2Mode() {
  const core::ShowSettings& s = core::Settings();
  return s.SoundMode == 9 || (s.SoundMode == 4 && s.MidiWithLinkedWav == 1) ||
         (s.SoundMode == 8 && s.Mp3WithLinkedWav == 1) ||
         (s.SoundMode == 6 && s.SoundListWithLinkedWav == 1);
}

bool DefaultSoundMayReplace() {
  const QString& file = core::Settings().DefaultSoundFile;
  return file.toUpper() != QLatin1String("*.WAV") && file.size() > 4;
}

QString DefaultSoundPath() {
  const QString& file = core::Settings().DefaultSoundFile;
  return file.contains(QLatin1Char('/')) ? file : core::Paths().AppFolder + file;
}

bool WaitForLinkedSound() {
  const core::SoundState& snd = core::Sound();
  if (snd.SoundStarted != 1 || !LinkedSoundMode() || core::Settings().WavSyncOff != 0 ||
      snd.SoundStartedAtShowStart != 0 || StartButtonEnabled()) {
    return false;
  }
  for (;;) {
    core::Form1& main = core::form1();
    platform::MediaPlayer& watched =
        LinkedWavOnPlayer2Mode() ? main.WindowsMediaPlayer2 : main.WindowsMediaPlayer1;
    const bool last = watched.PlayState() != platform::kPlayStatePlaying;
    platform::DoEvents();
    platform::Sleep(10);
    if (StartButtonEnabled()) return true;
    if (last) return false;
  }
}

bool FadeOutBeforeSlide(bool isMovie) {
  core::SoundState& snd = core::Sound();
  const short mode = Mode();
  if (!((isMovie && mode == 6) || mode == 9)) return false;
  const bool playing = snd.MediaPlaying == 1 && snd.SoundStarted == 1;
  const bool fades =
      (isMovie && playing && mode == 6) || (playing && FileExists(snd.SlideMusicFile) && mode == 9);
  if (!fades) return false;

  platform::MediaPlayer& player = core::form1().WindowsMediaPlayer1;
  int v = 1000 - snd.VolumeAttenuation;
  if (player.PlayState() == platform::kPlayStatePlaying) {
    while (v >= 0 && snd.MediaPlaying == 1) {
      v -= 20;
      // The last step would go below the player's range.
      player.SetVolume(std::max(0, static_cast<int>(std::floor(v / 10.0))));
      platform::Sleep(100);
      platform::DoEvents();
      const core::RunFlags& flags = core::Flags();
      if (flags.ShowStopped == 1 || flags.ShowScreenClosed == 1) return true;
    }
  }
  sound::StopShowMedia();
  if (mode == 6) snd.SoundListRestartPending = 1;
  return false;
}

void StartMovieSounds() {
  core::SoundState& snd = core::Sound();
  const core::ShowSettings& s = core::Settings();
  const QString stem = CurrentSlideStem();
  if (s.SoundMode == 1) {
    snd.SlideWavFile = stem + QStringLiteral("wav");
    if (FileExists(snd.SlideWavFile)) {
      sound::StopShowMedia();
      sound::StartBackgroundSound();
    }
  }
  if (LinkedWavOnPlayer2Mode() || (s.SoundMode == 2 && s.CdWithLinkedWavOff == 0)) {
    PlayLinkedWavOnPlayer2();
    if (s.SoundMode == 9) {
      snd.SlideMusicFile = stem + QStringLiteral("mp3");
      snd.KeepPlayer2Running = 1;
      if (FileExists(snd.SlideMusicFile)) {
        sound::StopShowMedia();
        sound::StartBackgroundSound();
      }
    }
  }
  snd.KeepPlayer2Running = 0;
  if (s.SoundMode == 6 && s.SoundListWithLinkedWav == 0) snd.MovieSoundRestartPending = 1;
  if (s.SoundMode == 8 && s.Mp3WithLinkedWav == 0 &&
      core::form1().WindowsMediaPlayer1.PlayState() != platform::kPlayStatePlaying) {
    sound::StopShowMedia();
    sound::StartBackgroundSound();
  }
}

void SuperviseCd() {
  if (Mode() != 2) return;
  core::SoundState& snd = core::Sound();
  if (snd.CdPaused == 0 && !StartButtonEnabled()) {
    const QString position =
        sound::SendCdCommand(QStringLiteral("status cdaudio position")).left(8);
    if (position == snd.LastCdPosition) sound::SendCdCommand(QStringLiteral("stop cdaudio"));
    snd.LastCdPosition = position;
    if (sound::SendCdCommand(QStringLiteral("status cdaudio mode"))
            .startsWith(QLatin1String("stopped"))) {
      sound::PlayCdTrack();
      snd.MovieSoundRestartPending = 0;
    }
  }
  if (core::Lists().CurrentSlideIndex == 1 && snd.MovieSoundRestartPending == 1 &&
      snd.CdPaused == 0) {
    snd.MovieSoundRestartPending = 0;
  }
}

void RestartLoopingSound() {
  if (!IsLoopingMode()) return;
  core::SoundState& snd = core::Sound();
  if ((snd.SoundStarted == 1 || snd.MovieSoundRestartPending == 1 ||
       snd.FadeOutRestartPending == 1) &&
      snd.SoundPaused == 0) {
    const short listPending = snd.SoundListRestartPending;
    snd.SoundListRestartPending = 0;
    const int state = core::form1().WindowsMediaPlayer1.PlayState();
    const bool ended = state == platform::kPlayStateReady ||
                       state == platform::kPlayStateMediaEnded ||
                       state == platform::kPlayStateStopped;
    if (!StartButtonEnabled() &&
        (ended || snd.MovieSoundRestartPending == 1 || snd.FadeOutRestartPending == 1)) {
      sound::StopShowMedia();
      sound::StartBackgroundSound();
      snd.MovieSoundRestartPending = 0;
      snd.FadeOutRestartPending = 0;
    } else {
      // A list faded out (or an entry failed) while a picture's WAV plays on the second
      // player: the closed first player reads neither stopped nor ended, so the list's
      // own restart below must still come.
      snd.SoundListRestartPending = listPending;
    }
  }
  if (Mode() == 6 && snd.SoundListRestartPending == 1) {
    snd.SoundListRestartPending = 0;
    sound::StopShowMedia();
    sound::RetrySoundList();
  }
}

void StartPictureSounds() {
  if (LinkedWavOnPlayer2Mode()) PlayLinkedWavOnPlayer2();
  StartLinkedOrCommonSound();
  core::Sound().KeepPlayer2Running = 0;
}

void PlayLinkedWavOnPlayer2() {
  core::SoundState& snd = core::Sound();
  snd.SlideWavFile = CurrentSlideStem() + QStringLiteral("wav");
  bool readable = core::TestFileReadable(snd.SlideWavFile) == 1;
  if (!readable && DefaultSoundMayReplace()) {
    snd.SlideWavFile = DefaultSoundPath();
    readable = core::TestFileReadable(snd.SlideWavFile) == 1;
  }
  if (!readable) return;
  platform::MediaPlayer& player = core::form1().WindowsMediaPlayer2;
  player.SetAutoStart(false);
  player.SetURL(snd.SlideWavFile);
  player.Play();
  player.SetVolume(100);
  snd.MediaPlaying = 1;
  snd.SoundStarted = 1;
}

void StartLinkedOrCommonSound() {
  core::SoundState& snd = core::Sound();
  const core::ShowSettings& s = core::Settings();
  const short mode = s.SoundMode;
  const bool wavWithCd = mode == 2 && s.CdWithLinkedWavOff == 0;
  if (!(mode == 0 || mode == 1 || mode == 5 || mode == 9 || wavWithCd)) return;

  const QString stem = CurrentSlideStem();
  QString candidate;
  if (mode == 1 || wavWithCd) {
    snd.SlideWavFile = stem + QStringLiteral("wav");
    candidate = snd.SlideWavFile;
  } else if (mode == 5) {
    snd.SlideMusicFile = stem + QStringLiteral("mid");
    candidate = snd.SlideMusicFile;
  } else if (mode == 9) {
    snd.SlideMusicFile = stem + QStringLiteral("mp3");
    snd.KeepPlayer2Running = 1;
    candidate = snd.SlideMusicFile;
  } else {
    candidate = core::Paths().AppFolder + QStringLiteral("tavu.wav");
  }

  if (!FileExists(candidate)) {
    if (!((mode == 1 || wavWithCd) && DefaultSoundMayReplace())) return;
    snd.SlideWavFile = DefaultSoundPath();
  }
  sound::StopShowMedia();
  sound::StartBackgroundSound();
}

}  // namespace engine

// The background sound of a running show and the stop of every show medium.
#include "sound/background_sound.h"

#include <QFile>
#include <QFileInfo>
#include <cmath>

#include "core/form1.h"
#include "core/services.h"
#include "core/state.h"
#include "platform/dialogs.h"
#include "platform/effectsound.h"
#include "platform/vberror.h"
#include "sound/form10.h"

namespace sound {

using platform::TryStep;

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// A file of that name exists (a folder is no sound file).
bool FileExists(const QString& path) { return !path.isEmpty() && QFileInfo(path).isFile(); }

bool CurrentSlideIsMovie() {
  const short index = core::Lists().CurrentSlideIndex;
  if (index < 0 || index > core::kSlideArrayUpper) return false;
  return IsMovieSlidePath(core::Lists().SlidePaths[index]);
}

bool LinkedWavWithCd() {
  return core::Settings().SoundMode == 2 && core::Settings().CdWithLinkedWavOff == 0;
}

// The next entry of the sound list: from the editor's selection once per show when
// "選択位置より実行" is ticked, else after the entry started last, wrapping on the
// editor's entry count.
QString NextSoundListEntry() {
  core::ListState& lists = core::Lists();
  Form10& editor = form10();
  if (editor.Check6.Value() == 1 && lists.SoundListStartTaken == 0) {
    lists.SoundListPosition = static_cast<short>(editor.List1.ListIndex());
    lists.SoundListStartTaken = 1;
  }
  if (lists.SoundListPosition >= editor.List1.ListCount()) lists.SoundListPosition = 0;
  lists.SoundListPosition = static_cast<short>(lists.SoundListPosition + 1);
  return lists.SoundListEntries[lists.SoundListPosition];
}

// A start that found no playable file. The mode's message names the file (none for an
// empty choice); in the sound list the next slide tries the next entry, until every
// entry of the list failed one after another.
void StartFailed(const QString& file, bool listChoice, bool report) {
  core::SoundState& snd = core::Sound();
  const short mode = core::Settings().SoundMode;
  snd.SoundStarted = 0;
  const SoundErrorText text = SoundReadErrorText(mode);
  if (report && !file.isEmpty() && !text.title.isEmpty()) {
    platform::MsgBox(
        file + kCrLf + QStringLiteral("ファイルが読み込めません。") + kCrLf + text.lastLine,
        platform::vbExclamation, text.title);
  }
  if (mode != 6) return;
  if (!listChoice) {
    snd.SoundListRestartPending = 1;
    return;
  }
  snd.SoundListFailuresInRow = static_cast<short>(snd.SoundListFailuresInRow + 1);
  int entries = 0;
  TryStep([&entries] { entries = form10().List1.ListCount(); });
  if (snd.SoundListFailuresInRow < entries) snd.SoundListRestartPending = 1;
}

// The readability test: open for reading and close again, tried twice.
bool OpensForReading(const QString& path) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) return true;
  }
  return false;
}

bool PlayerFailedAtOnce(const platform::MediaPlayer& player) {
  return player.PlayState() == platform::kPlayStateStopped && !player.Error().isEmpty();
}

void Start(bool listRetry) {
  core::SoundState& snd = core::Sound();
  const core::ShowSettings& s = core::Settings();
  const short mode = s.SoundMode;
  const bool movie = CurrentSlideIsMovie();

  const bool modePlays = (mode >= 0 && mode <= 9 && mode != 2 && mode != 7) || LinkedWavWithCd();
  if (!modePlays && snd.ListTestPlayActive != 1) {
    snd.SoundPaused = 0;
    return;
  }
  snd.SoundListRestartPending = 0;

  // The file: a later rule that applies replaces what an earlier one chose.
  QString file;
  bool listChoice = false;
  if (mode == 0) file = core::Paths().AppFolder + QStringLiteral("tavu.wav");
  if ((mode == 1 && !movie) || LinkedWavWithCd()) file = snd.SlideWavFile;
  if (mode == 3) file = s.RepeatWavFile;
  if (mode == 4) file = s.RepeatMidiFile;
  if (mode == 5 || mode == 9) file = snd.SlideMusicFile;
  if (mode == 6 && !movie && snd.ListTestPlayActive == 0) {
    listChoice = true;
    if (!listRetry) snd.SoundListFailuresInRow = 0;
    if (!TryStep([&file] { file = NextSoundListEntry(); })) file.clear();
  }
  if (mode == 8) file = s.RepeatMp3File;
  if (snd.ListTestPlayActive == 1) file = snd.ListTestPlayFile;
  if (snd.RecorderTestPlayActive == 1) file = snd.RecorderTestPlayFile;
  if (movie && (mode == 1 || mode == 6)) file = snd.SlideWavFile;

  snd.SlideWavFile.clear();
  snd.SlideMusicFile.clear();

  // A test play of a missing file stays silent: its window reports it.
  const bool testPlay = snd.ListTestPlayActive == 1 || snd.RecorderTestPlayActive == 1;
  if (!FileExists(file)) {
    if (listChoice || (!file.isEmpty() && !testPlay)) StartFailed(file, listChoice, !testPlay);
    return;
  }
  if (!OpensForReading(file)) {
    StartFailed(file, listChoice, true);
    return;
  }

  // The same picture-linked file is not started twice in a row.
  if (mode == 1 || mode == 5 || mode == 9 || LinkedWavWithCd()) {
    if (file == snd.LastLinkedSoundFile) return;
    snd.LastLinkedSoundFile = file;
  }

  snd.SoundStarted = 1;
  platform::MediaPlayer& player = core::form1().WindowsMediaPlayer1;
  player.SetAutoStart(false);
  player.SetURL(file);
  player.Play();
  if (PlayerFailedAtOnce(player)) player.Play();
  if (PlayerFailedAtOnce(player)) {
    player.Close();
    StartFailed(file, listChoice, true);
    return;
  }
  snd.MediaPlaying = 1;
  player.SetVolume(PlayerVolume(snd.VolumeAttenuation));
  if (listChoice) snd.SoundListFailuresInRow = 0;
}

}  // namespace

int PlayerVolume(int attenuation) {
  const int v = static_cast<int>(std::floor((1000 - attenuation) / 10.0));
  return v < 0 ? 0 : (v > 100 ? 100 : v);
}

bool IsMovieSlidePath(const QString& path) {
  const QString ext = path.right(3).toUpper();
  return ext == QLatin1String("MP4") || ext == QLatin1String("WMV") ||
         ext == QLatin1String("MOV") || ext == QLatin1String("AVI");
}

bool PerPictureSoundMode() {
  const short mode = core::Settings().SoundMode;
  return mode == 0 || mode == 1 || mode == 5 || mode == 9 || LinkedWavWithCd();
}

SoundErrorText SoundReadErrorText(int soundMode) {
  switch (soundMode) {
    case 6:
      return {QStringLiteral("WAV.MIDリストファイル読込エラー"),
              QStringLiteral("WAV.MIDリストを確認して下さい。")};
    case 3:
      return {QStringLiteral("WAVファイル読込エラー"), QStringLiteral("WAV再生を確認して下さい。")};
    case 4:
      return {QStringLiteral("MIDIファイル読込エラー"),
              QStringLiteral("MIDI再生を確認して下さい。")};
    case 8:
      return {QStringLiteral("MP3ファイル読込エラー"), QStringLiteral("MP3再生を確認して下さい。")};
    default:
      return {};
  }
}

void StartBackgroundSound() { Start(false); }

void RetrySoundList() { Start(true); }

void StopShowMedia() {
  // Without a main window there is nothing to stop; its players are not made for it.
  core::Form1* main = core::Form1IfLoaded();
  if (core::Flags().ShowRunning == 0 && core::Lists().CurrentSlideIndex == 0) {
    TryStep([main] {
      const QString& path = core::Paths().SlideshowFilePath;
      if (main)
        main->SetCaption(path.isEmpty() ? core::ProgramTitle() : QStringLiteral("ｽﾗｲﾄﾞ - ") + path);
    });
    TryStep([] { core::Windows().ClearShowTicker(); });
    TryStep([main] {
      if (main) main->Label1.SetCaption(QString());
    });
    TryStep([main] {
      if (main) main->Label1.SetVisible(false);
    });
    TryStep([main] {
      if (main) main->Timer4.SetEnabled(false);
    });
    core::Flags().TelopOnceRunning = 0;
  }

  TryStep([] { platform::PlayEffectSound(QString(), 0); });

  core::SoundState& snd = core::Sound();
  if (snd.MediaPlaying != 0) {
    TryStep([main] {
      if (!main) return;
      main->WindowsMediaPlayer1.Stop();
      main->WindowsMediaPlayer1.Close();
    });
    if (snd.KeepPlayer2Running == 0) {
      TryStep([main] {
        if (!main) return;
        main->WindowsMediaPlayer2.Stop();
        main->WindowsMediaPlayer2.Close();
      });
    }
    snd.SoundStarted = 0;
    snd.SoundPaused = 0;
    snd.LastLinkedSoundFile.clear();
    snd.MediaPlaying = 0;
  }

  TryStep([] { core::Windows().CloseMovieWindow(); });
}

}  // namespace sound

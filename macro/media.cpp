// Sound, movie and program commands: "MOVIE", "PLAYWAV", "STOPWAV", "SOUNDEND",
// "SOUNDSET", the volume commands, "FADEOUT" and "SHELL".
#include <algorithm>
#include <cmath>

#include "core/form1.h"
#include "core/state.h"
#include "engine/form24.h"
#include "macro/macro_state.h"
#include "macro/show_commands.h"
#include "platform/effectsound.h"
#include "platform/events.h"
#include "platform/form.h"
#include "platform/mediaplayer.h"
#include "platform/startprogram.h"
#include "platform/vberror.h"
#include "sound/background_sound.h"
#include "sound/cd_audio.h"

namespace macro {
namespace {

constexpr int kPointerDefault = 0;

// Both copies of the line lose everything from the first "//" on (a trailing comment).
void CutTrailingComment() {
  MacroState& m = State();
  const qsizetype at = m.MacroLineUpper.indexOf(QStringLiteral("//"));
  if (at < 0) return;
  m.MacroLineUpper.truncate(at);
  m.MacroLine.truncate(at);
}

// The file and mode of the line; the name in its own case, taken from MacroLine at the
// positions found in the upper-cased line, which has the same length (file names are
// case-sensitive here).
FileModeArg FileAndModeOfLine() {
  const MacroState& m = State();
  FileModeArg arg = GetFileModeArg(m.MacroLineUpper);
  arg.file = m.MacroLine.mid(arg.at, arg.file.size());
  return arg;
}

// A name without a folder lies beside the picture.
QString InPictureFolder(const QString& name) {
  return name.contains(QLatin1Char('/')) ? name : CurrentPictureFolder() + name;
}

bool PlayerSoundMode(short mode) {
  return mode == 1 || mode == 3 || mode == 4 || mode == 5 || mode == 6 || mode == 8 || mode == 9;
}

// The volume in effect (0..1000) where the sound mode plays: the background player, or
// the CD drive.
void ApplyVolume(double volume) {
  const short mode = core::Settings().SoundMode;
  if (PlayerSoundMode(mode)) {
    core::form1().WindowsMediaPlayer1.SetVolume(static_cast<int>(std::floor(volume / 10)));
  } else if (mode == 2) {
    // The blank before the number is the one a number's text form begins with.
    sound::SendCdCommand(QStringLiteral("setaudio cdaudio volume to ") +
                         QString::number(static_cast<long long>(volume)));
  }
}

}  // namespace

QString CurrentPictureFolder() {
  const core::ListState& lists = core::Lists();
  const QString path = lists.SlidePaths[lists.CurrentSlideIndex];
  return path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
}

FileModeArg GetFileModeArg(const QString& text) {
  FileModeArg arg;
  const qsizetype q = text.indexOf(QLatin1Char('"'));
  if (q < 0) return arg;
  arg.at = q + 1;
  QString rest = text.mid(q + 1);
  const qsizetype close = rest.indexOf(QLatin1Char('"'));
  if (close >= 0) {
    arg.file = rest.left(close);
    rest = rest.mid(close + 1);
  }
  // The comma is looked for after the closing quote, so one inside the name is harmless.
  const qsizetype comma = rest.indexOf(QLatin1Char(','));
  if (comma < 0) return arg;
  rest = rest.mid(comma + 1);
  const qsizetype paren = rest.lastIndexOf(QLatin1Char(')'));
  if (paren < 0) return arg;
  bool ok = false;
  const double r = platform::RoundHalfEven(rest.left(paren).trimmed().toDouble(&ok));
  if (ok && r >= -32768 && r <= 32767) arg.mode = static_cast<short>(r);
  return arg;
}

void ExecMovieCommand() {
  CutTrailingComment();
  const FileModeArg arg = FileAndModeOfLine();
  const QString& file = arg.file;
  const short mode = arg.mode;
  if (file.isEmpty()) {
    if (engine::Form24* movie = engine::Form24IfLoaded()) {
      SkippableStep("MOVIE: looping off", [movie] { movie->WindowsMediaPlayer1.SetLoop(false); });
      SkippableStep("MOVIE: closing", [movie] { movie->WindowsMediaPlayer1.Close(); });
      SkippableStep("MOVIE: unloading", [movie] { movie->Unload(); });
    }
    platform::SetScreenMousePointer(kPointerDefault);
    ConsumeLine();
    return;
  }
  const QString path = InPictureFolder(file);
  SkippableStep("MOVIE: setting the player up", [&] {
    engine::Form24& movie = engine::form24();
    movie.WindowsMediaPlayer1.SetAutoStart(false);
    movie.WindowsMediaPlayer1.SetUiModeNone();
    movie.WindowsMediaPlayer1.SetLoop(false);
    movie.WindowsMediaPlayer1.SetURL(path);
  });
  core::Settings().MovieLoop = 0;
  platform::SetScreenMousePointer(kPointerDefault);
  switch (mode) {
    case 0:
      SkippableStep("MOVIE: showing", [] { engine::form24().Show(); });
      break;
    case 1:
      SkippableStep("MOVIE: showing modally", [] { engine::form24().ShowModal(); });
      break;
    case 2:
      core::Settings().MovieLoop = 1;
      SkippableStep("MOVIE: looping", [] {
        engine::form24().WindowsMediaPlayer1.SetLoop(true);
        engine::form24().Show();
      });
      break;
    default:
      break;
  }
  platform::SetScreenMousePointer(kPointerDefault);
  ConsumeLine();
}

void ExecPlayWavCommand() {
  CutTrailingComment();
  const FileModeArg arg = FileAndModeOfLine();
  const QString& file = arg.file;
  const short mode = arg.mode;
  // An empty name names the folder, which plays nothing.
  const QString path = InPictureFolder(file);
  unsigned flags = 0;
  switch (mode) {
    case 0:
      flags = platform::kSndAsync | platform::kSndNoDefault;
      break;
    case 1:
      flags = platform::kSndNoDefault;
      break;
    case 2:
      flags = platform::kSndAsync | platform::kSndNoDefault | platform::kSndLoop;
      break;
    default:
      ConsumeLine();
      return;
  }
  SkippableStep("PLAYWAV: playing", [&] {
    if (!platform::PlayEffectSound(path, flags))
      qCInfo(lcMacro) << "PLAYWAV: nothing played of" << path;
  });
  ConsumeLine();
}

void StopWavCommand() {
  platform::PlayEffectSound(QString(), 0);
  ConsumeLine();
}

void SoundEndCommand() {
  const double v = LineValue();
  core::Form1& f1 = core::form1();
  short& off = core::Settings().WavSyncOff;
  if (v == 0) {
    off = 1;
    f1.mnuDOU[0].SetChecked(false);
    f1.mnuDOU[1].SetChecked(true);
  } else if (v == 1) {
    off = 0;
    f1.mnuDOU[1].SetChecked(false);
    f1.mnuDOU[0].SetChecked(true);
  }
  ConsumeLine();
}

void SoundSetCommand() {
  const short mode = platform::CInt(LineValue());
  SetSoundMode(mode);
  ConsumeLine();
}

void SetSoundMode(short m) {
  core::ShowSettings& s = core::Settings();
  if (m < 0 || m > 9 || m == s.SoundMode) return;
  sound::StopCdAudio();
  sound::StopShowMedia();

  core::Form1& f1 = core::form1();
  if (s.SoundMode >= 0 && s.SoundMode < f1.mnuKOU.Count()) f1.mnuKOU[s.SoundMode].SetChecked(false);
  s.SoundMode = m;
  f1.mnuCDM.SetEnabled(m == 2);
  f1.mnuKOU[m].SetChecked(true);

  // The linked-sound menus matter only where a picture-linked WAV plays.
  const bool linkedWav =
      m == 0 || m == 1 || m == 6 || m == 9 || (m == 2 && s.CdWithLinkedWavOff == 0) ||
      (m == 4 && s.MidiWithLinkedWav == 1) || (m == 8 && s.Mp3WithLinkedWav == 1);
  f1.mnuDOUKI.SetEnabled(linkedWav);
  f1.mnuKOICHI.SetEnabled(linkedWav);
  if (m == 5) {
    f1.mnuDOUKI.SetEnabled(false);
    f1.mnuKOICHI.SetEnabled(true);
  }

  const QString reply = sound::SendCdCommand(QStringLiteral("status cdaudio mode"));
  if (m == 2 && reply.left(7) != QLatin1String("playing")) sound::PlayCdTrack();

  if (m != 0) {
    core::SoundState& snd = core::Sound();
    if (snd.SoundFadedOut == 1 && m != 7) {
      // Right after a fade the new mode stays silent until the next slide.
      snd.SoundFadedOut = 0;
    } else {
      sound::StopShowMedia();
      sound::StartBackgroundSound();
    }
  }
}

void VolumeCommand() {
  const QString& upper = State().MacroLineUpper;
  short& attenuation = core::Sound().VolumeAttenuation;
  if (upper.startsWith(QStringLiteral("MP3VOL"))) {
    const double v = std::clamp(LineValue(), 0.0, 100.0);
    attenuation = platform::CInt(1000 - 10 * v);
  }
  if (upper.startsWith(QStringLiteral("MP3DOWN")))
    attenuation = static_cast<short>(std::min(attenuation + 100, 1000));
  if (upper.startsWith(QStringLiteral("MP3UP")))
    attenuation = static_cast<short>(std::max(attenuation - 100, 0));
  ApplyVolume(1000 - attenuation);
  ConsumeLine();
}

void FadeOutCommand() {
  double s = LineValue();
  int step = 1000;
  if (s > 0) {
    s = std::min(s, 50.0);
    step = static_cast<int>(std::floor(100 / s + 0.5));
  }
  double v = 1000 - core::Sound().VolumeAttenuation;
  const core::RunFlags& f = core::Flags();
  const bool stopped = core::form1().WindowsMediaPlayer1.PlayState() != platform::kPlayStatePlaying;
  while (core::Sound().MediaPlaying == 1 && !stopped && v >= 0) {
    v -= step;
    ApplyVolume(std::max(v, 0.0));
    platform::Sleep(100);
    platform::DoEvents();
    if (f.ShowStopped == 1 || f.ShowScreenClosed == 1) LeaveRunNow();
  }
  sound::StopShowMedia();
  core::Sound().SoundFadedOut = 1;
  core::Sound().FadeOutRestartPending = 1;
  ConsumeLine();
}

void ShellCommand() {
  MacroState& m = State();
  const qsizetype a = m.MacroLineUpper.indexOf(QLatin1Char('"'));
  const qsizetype b = a < 0 ? -1 : m.MacroLineUpper.indexOf(QLatin1Char('"'), a + 1);
  if (a >= 0 && b > a + 1) {
    // In its own case: program names and arguments are case-sensitive here.
    const QString command = m.MacroLine.mid(a + 1, b - a - 1);
    m.ErrorsIgnored = 1;
    SkippableStep("SHELL", [&] {
      if (!platform::StartProgram(command, CurrentPictureFolder()))
        qCWarning(lcMacro) << "SHELL: could not start" << command;
    });
    m.ErrorsIgnored = 0;
  }
  ConsumeLine();
}

}  // namespace macro

// Audio CD playing through the "cdaudio" command strings.
#include "sound/cd_audio.h"

#include <QRegularExpression>
#include <cmath>

#include "core/common.h"
#include "core/state.h"
#include "platform/cdaudio.h"
#include "platform/dialogs.h"
#include "platform/random.h"
#include "platform/vberror.h"

namespace sound {

using platform::TryStep;

namespace {

constexpr int kMciReturnLength = 255;

void CdMessage(const QString& text) {
  platform::MsgBox(text, platform::vbExclamation, QStringLiteral("ＣＤ再生"));
}

// The track number as a number-to-text conversion writes it: a leading blank.
QString StrOfTrack(int track) { return QLatin1Char(' ') + QString::number(track); }

// Plays track `track` alone, or to the disc's end when `toEnd`. Commands are built from
// the number, never from the text it came from.
bool PlayTrack(int track, bool toEnd) {
  QString command = QStringLiteral("play cdaudio from ") + QString::number(track);
  if (!toEnd) command += QStringLiteral(" to ") + QString::number(track + 1);
  QString reply;
  return platform::SendCdAudioCommand(command, &reply) == platform::kCdOk;
}

// The next playable programme entry, or nullopt when nothing is to play: the end of the
// programme asked the show to end, or no entry of it is a track of the disc.
std::optional<int> NextProgrammeTrack(int tracks, QString& pick) {
  core::ListState& lists = core::Lists();
  core::SoundState& snd = core::Sound();
  const short count = lists.CdProgramCount;
  // One pass over the whole programme at most, so a programme of bad entries ends.
  for (int looked = 0; looked <= count; ++looked) {
    if (lists.CdProgramPosition >= count) {
      if (core::Settings().StopShowAtCdProgramEnd != 0) {
        if (lists.LinkRunActive != 0) {
          snd.ListEndForced = 1;
        } else {
          core::Flags().ShowEndRequested = 1;
        }
        return std::nullopt;
      }
      lists.CdProgramPosition = 0;
    }
    lists.CdProgramPosition = static_cast<short>(lists.CdProgramPosition + 1);
    const QString entry = lists.CdProgram[lists.CdProgramPosition];
    const std::optional<int> track = TrackNumber(entry);
    if (track && *track >= 1 && *track <= tracks) {
      pick = entry;
      return track;
    }
  }
  return std::nullopt;
}

void Play() {
  core::SoundState& snd = core::Sound();
  core::ShowSettings& s = core::Settings();

  SendCdCommand(QStringLiteral("open cdaudio"));
  if (!SendCdCommand(QStringLiteral("status cdaudio ready")).startsWith(QLatin1String("true"))) {
    CdMessage(QStringLiteral("ＣＤが準備できていません。"));
    return;
  }
  const double counted =
      core::SafeVal(SendCdCommand(QStringLiteral("status cdaudio number of tracks")));
  const int tracks = static_cast<int>(std::floor(counted));
  if (tracks < 2) {
    CdMessage(QStringLiteral("ＣＤが準備できていません。"));
    return;
  }

  // The track to start from: the one PAUSE kept (when it is a track of the disc), else
  // the start track. Random and programme picks go into the same text.
  const std::optional<int> paused = TrackNumber(snd.CdPausedTrack);
  const bool resuming = snd.CdPaused == 1 && paused && *paused >= 1 && *paused <= tracks;
  QString& pickText = resuming ? snd.CdPausedTrack : s.CdStartTrack;
  std::optional<int> track = TrackNumber(pickText);

  if (s.CdTrackOrder != 1 && s.CdTrackOrder != 2 && (!track || *track < 1 || *track > tracks)) {
    CdMessage(QStringLiteral("ＣＤトラック設定が不適切です。"));
    return;
  }
  if (s.CdTrackOrder == 2 && core::Lists().CdProgramCount <= 0) return;

  SendCdCommand(QStringLiteral("set cdaudio time format tmsf"));

  bool toEnd = false;
  if (s.CdTrackOrder == 1) {
    int t = static_cast<int>(std::floor(platform::Rnd() * tracks + 1));
    if (t < 1) t = 1;
    if (t > tracks) t = tracks;
    pickText = StrOfTrack(t);
    track = t;
    toEnd = t >= tracks;
  } else if (s.CdTrackOrder == 2) {
    QString entry;
    track = NextProgrammeTrack(tracks, entry);
    if (!track) return;
    pickText = entry;
    toEnd = *track >= tracks;
  } else {
    toEnd = s.CdTrackRepeatOff != 0 || *track == tracks;
  }

  if (PlayTrack(*track, toEnd)) snd.CdPlaying = 1;
  snd.CdPaused = 0;
}

}  // namespace

std::optional<int> TrackNumber(const QString& text) {
  static const QRegularExpression digits(QStringLiteral("^ *([0-9]{1,4}) *$"));
  const QRegularExpressionMatch m = digits.match(text);
  if (!m.hasMatch()) return std::nullopt;
  return m.captured(1).toInt();
}

QString SendCdCommand(const QString& command) {
  QString reply;
  platform::SendCdAudioCommand(command, &reply);
  QString& buffer = core::Sound().MciReturn;
  buffer = reply.left(kMciReturnLength - 1);
  buffer += QString(kMciReturnLength - buffer.size(), QChar(0));
  return reply.left(kMciReturnLength - 1);
}

void PlayCdTrack() {
  if (core::Settings().SoundMode != 2) {
    core::Sound().CdPaused = 0;
    return;
  }
  TryStep(Play);
}

void StopCdAudio() {
  core::SoundState& snd = core::Sound();
  if (core::Settings().SoundMode == 2) {
    snd.CdPaused = 0;
    TryStep([] { SendCdCommand(QStringLiteral("stop cdaudio")); });
    TryStep([] { SendCdCommand(QStringLiteral("close cdaudio")); });
    snd.LastCdPosition.clear();
  }
  snd.CdPaused = 0;
  snd.ListEndForced = 0;
  snd.CdPlaying = 0;
}

void PauseCdAudio() {
  if (core::Settings().SoundMode != 2) return;
  core::SoundState& snd = core::Sound();
  TryStep([&snd] {
    snd.CdPausedTrack = SendCdCommand(QStringLiteral("status cdaudio current track"));
  });
  snd.CdPaused = 1;
  TryStep([] { SendCdCommand(QStringLiteral("stop cdaudio")); });
}

}  // namespace sound

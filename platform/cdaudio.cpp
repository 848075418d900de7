#include "platform/cdaudio.h"

#include <QRegularExpression>

namespace platform {

QString CdPosition::ToTmsf() const {
  return QStringLiteral("%1:%2:%3:%4")
      .arg(track, 2, 10, QChar('0'))
      .arg(minute, 2, 10, QChar('0'))
      .arg(second, 2, 10, QChar('0'))
      .arg(frame, 2, 10, QChar('0'));
}

namespace {

CdAudio* g_test_drive = nullptr;

// A track number as the play command writes it: "3", "03", "3:00:00:00", also
// "3.0" (a whole number in another form); 0 when it is none.
int ParseTrack(const QString& text) {
  bool ok = false;
  const double v = text.section(':', 0, 0).toDouble(&ok);
  if (!ok || v < 1 || v > 99 || v != static_cast<int>(v)) return 0;
  return static_cast<int>(v);
}

int Status(CdAudio& cd, const QString& item, QString* reply) {
  if (item == "ready") {
    *reply = cd.IsReady() ? "true" : "false";
  } else if (item == "media present") {
    *reply = cd.IsReady() ? "true" : "false";
  } else if (item == "mode") {
    *reply = cd.Mode();
  } else if (item == "number of tracks" || item == "current track" || item == "position") {
    if (!cd.IsReady()) return kCdErrNotReady;
    if (item == "number of tracks") {
      *reply = QString::number(cd.TrackCount());
    } else if (item == "current track") {
      *reply = QString::number(cd.CurrentTrack());
    } else {
      *reply = cd.Position().ToTmsf();
    }
  } else {
    return kCdErrUnrecognized;
  }
  return kCdOk;
}

int Play(CdAudio& cd, const QStringList& args) {
  int from = 0;
  int to = 0;
  for (int i = 0; i < args.size(); ++i) {
    if (args[i] == "wait" || args[i] == "notify") continue;
    if ((args[i] == "from" || args[i] == "to") && i + 1 < args.size()) {
      const int track = ParseTrack(args[i + 1]);
      if (track == 0) return kCdErrUnrecognized;
      (args[i] == "from" ? from : to) = track;
      ++i;
      continue;
    }
    return kCdErrUnrecognized;
  }
  if (!cd.IsReady()) return kCdErrNotReady;
  bool ok;
  if (from == 0 && to == 0 && cd.Mode() == "paused") {
    ok = cd.Resume();
  } else {
    if (from == 0) from = qMax(1, cd.CurrentTrack());
    ok = to != 0 ? cd.PlayTrack(from, to) : cd.PlayFrom(from);
  }
  return ok ? kCdOk : kCdErrFailed;
}

}  // namespace

CdAudio& CdAudioDevice() {
  if (g_test_drive) return *g_test_drive;
  static std::unique_ptr<CdAudio> system = MakeSystemCdAudio();
  return *system;
}

void SetCdDriveForTests(CdAudio* drive) { g_test_drive = drive; }

int SendCdAudioCommand(const QString& command, QString* reply) {
  QString scratch;
  if (!reply) reply = &scratch;
  reply->clear();
  const QStringList words = command.toLower().split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
  if (words.size() < 2 || words[1] != "cdaudio") return kCdErrUnrecognized;
  CdAudio& cd = CdAudioDevice();
  const QString verb = words[0];
  const QStringList args = words.mid(2);
  const QString rest = args.join(' ');

  if (verb == "open") {
    if (cd.IsOpen()) return kCdErrAlreadyOpen;
    return cd.Open() ? kCdOk : kCdErrNotReady;
  }
  if (verb == "close") {
    cd.Close();
    return kCdOk;
  }
  if (verb == "status") return Status(cd, rest, reply);
  if (verb == "set") {
    // Positions are always answered as track:minute:second:frame, the one
    // format the program reads; the formats it may set are accepted.
    static const QStringList formats = {"time format tmsf", "time format msf",
                                        "time format milliseconds", "time format ms"};
    return formats.contains(rest) ? kCdOk : kCdErrUnrecognized;
  }
  if (verb == "play") return Play(cd, args);
  if (verb == "stop") return cd.Stop() ? kCdOk : kCdErrFailed;
  if (verb == "pause") return cd.Pause() ? kCdOk : kCdErrFailed;
  if (verb == "resume") return cd.Resume() ? kCdOk : kCdErrFailed;
  if (verb == "setaudio") {
    if (args.size() != 3 || args[0] != "volume" || args[1] != "to") return kCdErrUnrecognized;
    bool ok = false;
    const int volume = args[2].toInt(&ok);
    if (!ok || volume < 0 || volume > 1000) return kCdErrUnrecognized;
    return cd.SetVolume(volume) ? kCdOk : kCdErrFailed;
  }
  return kCdErrUnrecognized;
}

// ---- FakeCdDrive

FakeCdDrive::FakeCdDrive(int tracks, bool ready, int trackSeconds)
    : tracks_(tracks), track_seconds_(trackSeconds), ready_(ready) {}

bool FakeCdDrive::Open() {
  log_ << "open";
  if (!has_drive_) return false;
  open_ = true;
  return true;
}

void FakeCdDrive::Close() {
  log_ << "close";
  if (mode_ == "playing" || mode_ == "paused") mode_ = "stopped";
  open_ = false;
}

bool FakeCdDrive::PlayTrack(int from, int to) {
  log_ << QStringLiteral("play %1 %2").arg(from).arg(to);
  if (!StartPlay(from, to)) return false;
  plays_.push_back({from, to});
  return true;
}

bool FakeCdDrive::PlayFrom(int track) {
  log_ << QStringLiteral("play %1").arg(track);
  if (!StartPlay(track, tracks_ + 1)) return false;
  plays_.push_back({track, 0});
  return true;
}

bool FakeCdDrive::StartPlay(int from, int to) {
  if (!IsReady() || from < 1 || from > tracks_ || to <= from || to > tracks_ + 1) return false;
  position_ = {from, 0, 0, 0};
  play_end_track_ = to;
  mode_ = "playing";
  return true;
}

bool FakeCdDrive::Stop() {
  log_ << "stop";
  if (!IsReady()) return false;
  mode_ = "stopped";
  return true;
}

bool FakeCdDrive::Pause() {
  log_ << "pause";
  if (!IsReady() || mode_ != "playing") return false;
  mode_ = "paused";
  return true;
}

bool FakeCdDrive::Resume() {
  log_ << "resume";
  if (!IsReady() || mode_ != "paused") return false;
  mode_ = "playing";
  return true;
}

QString FakeCdDrive::Mode() { return IsReady() ? mode_ : QStringLiteral("not ready"); }

bool FakeCdDrive::SetVolume(int volume) {
  log_ << QStringLiteral("volume %1").arg(volume);
  volume_ = qBound(0, volume, 1000);
  return true;
}

void FakeCdDrive::Advance(int seconds) {
  if (Mode() != "playing") return;
  int track = position_.track;
  int at = position_.minute * 60 + position_.second + seconds;
  while (at >= track_seconds_) {
    at -= track_seconds_;
    ++track;
    if (track >= play_end_track_) {
      FinishPlay();
      return;
    }
  }
  position_ = {track, at / 60, at % 60, position_.frame};
}

void FakeCdDrive::FinishPlay() {
  if (mode_ != "playing" && mode_ != "paused") return;
  // The drive rests at the end of the last track it played.
  position_ = {qMax(1, play_end_track_ - 1), track_seconds_ / 60, track_seconds_ % 60, 0};
  mode_ = "stopped";
}

}  // namespace platform

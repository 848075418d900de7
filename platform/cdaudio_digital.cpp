#include "platform/cdaudio_digital.h"

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>

namespace platform {

namespace {

// Sectors moved at a time: a fifth of a second.
constexpr int kChunkSectors = 15;
// How often the output is fed while the disc plays; its buffer holds about a second.
constexpr int kPumpIntervalMs = 20;

}  // namespace

// ---- DigitalCdAudio

DigitalCdAudio::DigitalCdAudio(std::unique_ptr<CdSectorSource> source,
                               std::unique_ptr<PcmOutput> output)
    : source_(std::move(source)), output_(std::move(output)) {
  pump_timer_.setInterval(kPumpIntervalMs);
  QObject::connect(&pump_timer_, &QTimer::timeout, [this] { Pump(); });
  // The sound output must not outlive the application object.
  if (QCoreApplication* app = QCoreApplication::instance())
    QObject::connect(app, &QCoreApplication::aboutToQuit, &pump_timer_, [this] { EndPlay(); });
}

DigitalCdAudio::~DigitalCdAudio() { EndPlay(); }

bool DigitalCdAudio::Open() {
  open_ = source_->DrivePresent();
  return open_;
}

void DigitalCdAudio::Close() {
  if (state_ != State::kStopped) Stop();
  open_ = false;
}

const std::vector<CdTrackInfo>& DigitalCdAudio::Toc() {
  if (state_ == State::kStopped) {
    std::vector<CdTrackInfo> toc = source_->ReadToc();
    if (toc != toc_) {
      // Another disc: the drive rests at its start.
      position_ = -1;
      at_play_end_ = false;
      toc_ = std::move(toc);
    }
  }
  return toc_;
}

const CdTrackInfo* DigitalCdAudio::FindTrack(int number) const {
  for (const CdTrackInfo& t : toc_) {
    if (t.number == number) return &t;
  }
  return nullptr;
}

bool DigitalCdAudio::IsReady() { return !Toc().empty(); }

int DigitalCdAudio::TrackCount() { return static_cast<int>(Toc().size()); }

bool DigitalCdAudio::PlayTrack(int from, int to) { return StartPlay(from, to); }

bool DigitalCdAudio::PlayFrom(int track) {
  if (Toc().empty()) return false;
  return StartPlay(track, toc_.back().number + 1);
}

bool DigitalCdAudio::StartPlay(int from, int endTrack) {
  if (Toc().empty()) return false;
  const CdTrackInfo* first = FindTrack(from);
  if (!first || !first->audio || endTrack <= from || endTrack > toc_.back().number + 1)
    return false;
  // Up to the start of `endTrack`; music ends at a data track.
  int end = first->end;
  for (const CdTrackInfo& t : toc_) {
    if (t.number <= from || t.number >= endTrack) continue;
    if (!t.audio) break;
    end = t.end;
  }
  const int start = first->first;
  EndPlay();
  if (!source_->Start(start, end)) {
    qWarning("CD audio: the drive did not start reading track %d", from);
    return false;
  }
  output_->SetVolume(volume_);
  if (!output_->Start()) {
    qWarning("CD audio: no audio output can play the disc");
    source_->Stop();
    return false;
  }
  play_first_ = start;
  play_end_ = end;
  next_read_ = start;
  written_ = 0;
  pending_.clear();
  state_ = State::kPlaying;
  pump_timer_.start();
  Pump();
  return true;
}

void DigitalCdAudio::EndPlay() {
  pump_timer_.stop();
  if (state_ == State::kStopped) return;
  state_ = State::kStopped;
  source_->Stop();
  output_->Stop();
  pending_.clear();
}

int DigitalCdAudio::HeardSector() {
  if (state_ == State::kStopped) {
    if (position_ >= 0) return position_;
    for (const CdTrackInfo& t : toc_) {
      if (t.audio) return t.first;
    }
    return toc_.empty() ? 0 : toc_.front().first;
  }
  const qint64 heard = std::clamp<qint64>(output_->PlayedBytes(), 0, written_);
  return play_first_ + static_cast<int>(heard / kCdSectorBytes);
}

void DigitalCdAudio::Pump() {
  if (state_ == State::kStopped) return;
  for (;;) {
    if (!pending_.isEmpty()) {
      const qint64 room = output_->BytesFree();
      if (room <= 0) break;
      const qint64 took =
          output_->Write(pending_.constData(), std::min<qint64>(room, pending_.size()));
      if (took <= 0) break;
      pending_.remove(0, took);
      written_ += took;
      continue;
    }
    if (next_read_ >= play_end_) break;
    const int room = static_cast<int>(output_->BytesFree() / kCdSectorBytes);
    if (room <= 0) break;
    const int want = std::min({kChunkSectors, room, play_end_ - next_read_});
    pending_.resize(qsizetype(want) * kCdSectorBytes);
    const int got = source_->Read(want, pending_.data());
    if (got < 0) {
      // What was read is still heard; the play ends where reading failed.
      qWarning("CD audio: reading the disc failed at sector %d; the play ends there", next_read_);
      pending_.clear();
      play_end_ = next_read_;
      break;
    }
    pending_.resize(qsizetype(got) * kCdSectorBytes);
    next_read_ += got;
    if (got == 0) break;
  }
  if (state_ == State::kPlaying && next_read_ >= play_end_ && pending_.isEmpty() &&
      output_->PlayedBytes() >= written_) {
    // Heard to the end: the drive rests at the end of the last track played.
    position_ = play_end_;
    at_play_end_ = true;
    EndPlay();
  }
}

bool DigitalCdAudio::Stop() {
  if (state_ == State::kStopped) return IsReady();
  Pump();
  if (state_ != State::kStopped) {
    position_ = HeardSector();
    at_play_end_ = false;
    EndPlay();
  }
  return true;
}

bool DigitalCdAudio::Pause() {
  Pump();
  if (state_ != State::kPlaying) return false;
  output_->Suspend();
  state_ = State::kPaused;
  return true;
}

bool DigitalCdAudio::Resume() {
  if (state_ != State::kPaused) return false;
  output_->Resume();
  state_ = State::kPlaying;
  Pump();
  return true;
}

QString DigitalCdAudio::Mode() {
  Pump();
  switch (state_) {
    case State::kPlaying:
      return QStringLiteral("playing");
    case State::kPaused:
      return QStringLiteral("paused");
    case State::kStopped:
      break;
  }
  return IsReady() ? QStringLiteral("stopped") : QStringLiteral("not ready");
}

CdPosition DigitalCdAudio::Position() {
  Pump();
  if (Toc().empty()) return {};
  const int sector = HeardSector();
  // Where a play ended the place is the end of its last track, not the next one's start.
  const int probe = state_ == State::kStopped && at_play_end_ ? sector - 1 : sector;
  const CdTrackInfo* track = &toc_.front();
  for (const CdTrackInfo& t : toc_) {
    if (t.first <= probe) track = &t;
  }
  const int rel = std::max(0, sector - track->first);
  const int seconds = rel / kCdSectorsPerSecond;
  return {track->number, seconds / 60, seconds % 60, rel % kCdSectorsPerSecond};
}

bool DigitalCdAudio::SetVolume(int volume) {
  volume_ = std::clamp(volume, 0, 1000) / 1000.0;
  output_->SetVolume(volume_);
  return true;
}

// ---- ReadAheadSource

struct ReadAheadSource::Shared {
  std::mutex mutex;
  std::condition_variable changed;
  QByteArray buffer;  // read and not yet handed out
  bool stop = false;
  bool failed = false;
};

ReadAheadSource::ReadAheadSource(std::unique_ptr<CdSectorSource> inner, int aheadSectors)
    : inner_(std::move(inner)), ahead_(std::max(1, aheadSectors)) {}

ReadAheadSource::~ReadAheadSource() { Stop(); }

bool ReadAheadSource::DrivePresent() { return inner_->DrivePresent(); }

std::vector<CdTrackInfo> ReadAheadSource::ReadToc() { return inner_->ReadToc(); }

bool ReadAheadSource::Start(int first, int end) {
  Stop();
  // Opening is done here, so that a drive that refuses is known at once.
  if (!inner_->Start(first, end)) return false;
  shared_ = std::make_shared<Shared>();
  reader_ = std::thread([s = shared_, inner = inner_.get(), left = end - first, ahead = ahead_] {
    int remaining = left;
    QByteArray chunk(qsizetype(kChunkSectors) * kCdSectorBytes, Qt::Uninitialized);
    while (remaining > 0) {
      {
        std::unique_lock lock(s->mutex);
        s->changed.wait(
            lock, [&] { return s->stop || s->buffer.size() < qsizetype(ahead) * kCdSectorBytes; });
        if (s->stop) break;
      }
      const int got = inner->Read(std::min(kChunkSectors, remaining), chunk.data());
      std::unique_lock lock(s->mutex);
      if (got < 0) {
        s->failed = true;
        break;
      }
      if (got == 0) {
        // Nothing at hand yet: ask again shortly.
        s->changed.wait_for(lock, std::chrono::milliseconds(10), [&] { return s->stop; });
        continue;
      }
      s->buffer.append(chunk.constData(), qsizetype(got) * kCdSectorBytes);
      remaining -= got;
    }
    inner->Stop();
  });
  return true;
}

int ReadAheadSource::Read(int count, char* out) {
  if (!shared_) return -1;
  std::lock_guard lock(shared_->mutex);
  const int have = static_cast<int>(shared_->buffer.size() / kCdSectorBytes);
  if (have == 0) return shared_->failed ? -1 : 0;
  const int n = std::min(count, have);
  std::memcpy(out, shared_->buffer.constData(), size_t(n) * kCdSectorBytes);
  shared_->buffer.remove(0, qsizetype(n) * kCdSectorBytes);
  shared_->changed.notify_all();
  return n;
}

void ReadAheadSource::Stop() {
  if (!reader_.joinable()) return;
  {
    std::lock_guard lock(shared_->mutex);
    shared_->stop = true;
  }
  shared_->changed.notify_all();
  reader_.join();
  shared_.reset();
}

}  // namespace platform

// The sound output of the CD: the default audio device through QAudioSink, or a
// clock that only keeps time when the machine has no device that plays CD audio.
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <algorithm>

#include "platform/cdaudio_digital.h"

namespace platform {

namespace {

constexpr qint64 kBytesPerSecond = qint64(kCdSectorBytes) * kCdSectorsPerSecond;  // 176400
// Two seconds queued: the sound goes on through a busy moment of the program (a large
// picture decoding) before the next feed; a stop drops the queue, so it is still prompt.
constexpr qint64 kBufferBytes = 2 * kBytesPerSecond;

// Plays nothing, at the pace of the music.
class ClockOutput {
 public:
  void Start() {
    written_ = 0;
    played_before_ = 0;
    suspended_ = false;
    clock_.start();
  }
  qint64 Played() const {
    qint64 played = played_before_;
    if (!suspended_ && clock_.isValid())
      played += clock_.nsecsElapsed() * kBytesPerSecond / 1000000000;
    return std::min(played, written_);
  }
  qint64 Free() const { return std::max<qint64>(0, kBufferBytes - (written_ - Played())); }
  void Write(qint64 size) {
    // Time spent with nothing queued is not music heard: count on from now.
    if (!suspended_) {
      played_before_ = Played();
      clock_.start();
    }
    written_ += size;
  }
  void Suspend() {
    if (suspended_) return;
    played_before_ = Played();
    suspended_ = true;
  }
  void Resume() {
    if (!suspended_) return;
    suspended_ = false;
    clock_.start();
  }
  void Stop() { clock_.invalidate(); }

 private:
  QElapsedTimer clock_;
  qint64 written_ = 0;
  qint64 played_before_ = 0;
  bool suspended_ = false;
};

class SystemPcmOutput : public PcmOutput {
 public:
  ~SystemPcmOutput() override { Stop(); }

  bool Start() override {
    Stop();
    QAudioFormat format;
    format.setSampleRate(44100);
    format.setChannelCount(2);
    format.setSampleFormat(QAudioFormat::Int16);
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (!device.isNull() && device.isFormatSupported(format)) {
      sink_ = std::make_unique<QAudioSink>(device, format);
      sink_->setBufferSize(kBufferBytes);
      sink_->setVolume(volume_);
      written_ = 0;
      io_ = sink_->start();
      if (io_ && sink_->error() == QAudio::NoError) return true;
      qWarning("CD audio: the audio device did not start (error %d); the disc plays silently",
               int(sink_->error()));
      sink_.reset();
      io_ = nullptr;
    } else if (!warned_) {
      qWarning("CD audio: no audio device plays CD audio here; the disc plays silently");
      warned_ = true;
    }
    clock_.Start();
    return true;
  }

  qint64 BytesFree() override {
    if (!sink_) return clock_.Free();
    return sink_->bytesFree();
  }

  qint64 Write(const char* data, qint64 size) override {
    if (!sink_) {
      const qint64 n = std::min(size, clock_.Free());
      clock_.Write(n);
      return n;
    }
    const qint64 n = io_->write(data, size);
    if (n > 0) written_ += n;
    return n;
  }

  qint64 PlayedBytes() override {
    if (!sink_) return clock_.Played();
    const qint64 bytes = (sink_->processedUSecs() * kBytesPerSecond + 500000) / 1000000;
    // Its time counter, in whole microseconds, may fall a frame or so short of the end.
    if (bytes + 16 >= written_) return written_;
    return std::min(written_, bytes / 4 * 4);
  }

  void Suspend() override { sink_ ? sink_->suspend() : clock_.Suspend(); }
  void Resume() override { sink_ ? sink_->resume() : clock_.Resume(); }

  void Stop() override {
    if (sink_) {
      sink_->reset();  // what is queued is dropped, not played out
      sink_->stop();
      sink_.reset();
      io_ = nullptr;
    }
    clock_.Stop();
  }

  void SetVolume(double volume) override {
    volume_ = std::clamp(volume, 0.0, 1.0);
    if (sink_) sink_->setVolume(volume_);
  }

 private:
  std::unique_ptr<QAudioSink> sink_;
  QIODevice* io_ = nullptr;
  qint64 written_ = 0;
  ClockOutput clock_;
  double volume_ = 1.0;
  bool warned_ = false;
};

}  // namespace

std::unique_ptr<PcmOutput> MakeSystemPcmOutput() { return std::make_unique<SystemPcmOutput>(); }

}  // namespace platform

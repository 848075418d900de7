#include "platform/waverecorder.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSource>
#include <QFile>
#include <QIODevice>
#include <QMediaDevices>
#include <QtEndian>
#include <cmath>
#include <cstring>
#include <numbers>

#include "platform/mediaplayer.h"
#include "platform/vbfile.h"

namespace platform {

namespace {

WaveInputMaker& InputMaker() {
  static WaveInputMaker maker;
  return maker;
}

// The default audio input of the desktop through Qt Multimedia.
class DeviceWaveInput : public WaveInput {
 public:
  bool Start(WaveFormat& format, QString* error) override {
    InitMediaBackend();
    const QAudioDevice device = QMediaDevices::defaultAudioInput();
    if (device.isNull()) {
      *error = QStringLiteral("no audio input device");
      return false;
    }
    QAudioFormat wanted;
    wanted.setSampleRate(format.samplesPerSec);
    wanted.setChannelCount(format.channels);
    wanted.setSampleFormat(format.bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    if (!device.isFormatSupported(wanted)) {
      // The device's own format, recorded as it is: the file header says what it holds.
      const QAudioFormat own = device.preferredFormat();
      if (own.sampleFormat() != QAudioFormat::Int16 && own.sampleFormat() != QAudioFormat::UInt8) {
        *error = QStringLiteral("the audio input offers no PCM format");
        return false;
      }
      wanted = own;
      format.samplesPerSec = own.sampleRate();
      format.channels = own.channelCount();
      format.bitsPerSample = own.sampleFormat() == QAudioFormat::UInt8 ? 8 : 16;
    }
    source_ = std::make_unique<QAudioSource>(device, wanted);
    io_ = source_->start();
    if (!io_ || source_->error() != QAudio::NoError) {
      *error = QStringLiteral("the audio input cannot be opened");
      source_.reset();
      io_ = nullptr;
      return false;
    }
    QObject::connect(io_, &QIODevice::readyRead, io_, [this] { buffer_ += io_->readAll(); });
    return true;
  }
  QByteArray Take() override {
    if (io_) buffer_ += io_->readAll();
    QByteArray out;
    out.swap(buffer_);
    return out;
  }
  void Stop() override {
    if (!source_) return;
    if (io_) buffer_ += io_->readAll();
    source_->stop();
    source_.reset();
    io_ = nullptr;
  }
  ~DeviceWaveInput() override { Stop(); }

 private:
  std::unique_ptr<QAudioSource> source_;
  QIODevice* io_ = nullptr;
  QByteArray buffer_;
};

std::unique_ptr<WaveInput> MakeInput() {
  if (InputMaker()) return InputMaker()();
  return std::make_unique<DeviceWaveInput>();
}

}  // namespace

void SetWaveInputForTests(WaveInputMaker maker) { InputMaker() = std::move(maker); }

// ---- stand-ins -------------------------------------------------------------------------

short ToneWaveInput::SampleAt(int hz, int samplesPerSec, long long n) {
  const double t = static_cast<double>(n) / samplesPerSec;
  return static_cast<short>(std::lround(8191.0 * std::sin(2 * std::numbers::pi * hz * t)));
}

bool ToneWaveInput::Start(WaveFormat& format, QString* error) {
  if (format.bitsPerSample != 16) {
    *error = QStringLiteral("the tone input gives 16-bit samples only");
    return false;
  }
  format_ = format;
  started_ = true;
  return true;
}

QByteArray ToneWaveInput::Take() {
  if (!started_) return {};
  const long long frames = static_cast<long long>(format_.samplesPerSec) * chunkMs_ / 1000;
  QByteArray out(static_cast<qsizetype>(frames * format_.BlockAlign()), '\0');
  char* p = out.data();
  for (long long i = 0; i < frames; ++i, ++frame_) {
    const short s = SampleAt(hz_, format_.samplesPerSec, frame_);
    for (int c = 0; c < format_.channels; ++c, p += 2) qToLittleEndian<qint16>(s, p);
  }
  return out;
}

bool NoWaveInput::Start(WaveFormat&, QString* error) {
  *error = QStringLiteral("no audio input device");
  return false;
}

// ---- recorder ----------------------------------------------------------------------------

WaveRecorder::WaveRecorder() = default;

WaveRecorder::~WaveRecorder() { Close(); }

void WaveRecorder::Open(const WaveFormat& format) {
  Close();
  format_ = format;
  open_ = true;
  error_.clear();
}

bool WaveRecorder::Record() {
  error_.clear();
  if (!open_) {
    error_ = QStringLiteral("no recording is open");
    return false;
  }
  if (recording_) return true;
  input_ = MakeInput();
  if (!input_->Start(format_, &error_)) {
    input_.reset();
    if (error_.isEmpty()) error_ = QStringLiteral("the audio input cannot be opened");
    return false;
  }
  recording_ = true;
  return true;
}

QByteArray WaveRecorder::Samples() {
  if (input_) samples_ += input_->Take();
  return samples_;
}

void WaveRecorder::Stop() {
  if (!input_) return;
  samples_ += input_->Take();
  input_->Stop();
  input_.reset();
  recording_ = false;
}

bool WaveRecorder::Save(const QString& path) {
  error_.clear();
  if (recording_) Stop();
  if (!open_ || samples_.isEmpty()) {
    error_ = QStringLiteral("nothing was recorded");
    return false;
  }
  if (!SaveFileAtomically(path, WavBytes(format_, samples_))) {
    error_ = QStringLiteral("the file cannot be written: ") + path;
    return false;
  }
  return true;
}

void WaveRecorder::Close() {
  if (input_) {
    input_->Stop();
    input_.reset();
  }
  recording_ = false;
  open_ = false;
  samples_.clear();
}

QByteArray WaveRecorder::WavBytes(const WaveFormat& format, const QByteArray& samples) {
  // A data chunk of odd length is padded to an even one.
  const quint32 data = static_cast<quint32>(samples.size());
  const quint32 pad = data & 1;
  QByteArray out(44, '\0');
  char* b = out.data();
  std::memcpy(b, "RIFF", 4);
  qToLittleEndian<quint32>(36 + data + pad, b + 4);
  std::memcpy(b + 8, "WAVEfmt ", 8);
  qToLittleEndian<quint32>(16, b + 16);
  qToLittleEndian<quint16>(1, b + 20);
  qToLittleEndian<quint16>(static_cast<quint16>(format.channels), b + 22);
  qToLittleEndian<quint32>(static_cast<quint32>(format.samplesPerSec), b + 24);
  qToLittleEndian<quint32>(static_cast<quint32>(format.BytesPerSec()), b + 28);
  qToLittleEndian<quint16>(static_cast<quint16>(format.BlockAlign()), b + 32);
  qToLittleEndian<quint16>(static_cast<quint16>(format.bitsPerSample), b + 34);
  std::memcpy(b + 36, "data", 4);
  qToLittleEndian<quint32>(data, b + 40);
  out += samples;
  if (pad) out += '\0';
  return out;
}

bool IsWavFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray head = file.read(12);
  return head.size() == 12 && head.startsWith("RIFF") && head.mid(8, 4) == "WAVE";
}

}  // namespace platform

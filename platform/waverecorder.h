#pragma once
// Recording a WAV file, in the steps of the multimedia "waveaudio" device: open a new
// recording with a format, record, stop, save under a name, close. Sound comes from the
// default audio input; tests put a stand-in input in its place, so that recording is
// tested without a microphone.
//
//   platform::WaveRecorder rec;
//   rec.Open({1, 44100, 16});
//   if (!rec.Record()) report(rec.Error());   // no input device, for one
//   ...
//   rec.Stop();
//   if (!rec.Save(path)) report(rec.Error());
//   rec.Close();
#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

namespace platform {

struct WaveFormat {
  int channels = 1;
  int samplesPerSec = 44100;
  int bitsPerSample = 16;

  int BlockAlign() const { return channels * bitsPerSample / 8; }
  int BytesPerSec() const { return samplesPerSec * BlockAlign(); }
};

// Where recorded sample bytes come from.
class WaveInput {
 public:
  virtual ~WaveInput() = default;
  // Starts delivering samples. May change `format` to the one the input really gives.
  // false, with `error` set, when it cannot start.
  virtual bool Start(WaveFormat& format, QString* error) = 0;
  // The sample bytes delivered since the last call.
  virtual QByteArray Take() = 0;
  virtual void Stop() = 0;
};

// Tests replace the default audio input with inputs of their own (nullptr puts it back).
using WaveInputMaker = std::function<std::unique_ptr<WaveInput>()>;
void SetWaveInputForTests(WaveInputMaker maker);

// A stand-in input: every Take delivers `chunkMs` milliseconds of a sine tone of `hz`
// at a quarter of full scale, the phase running on from one call to the next.
class ToneWaveInput : public WaveInput {
 public:
  explicit ToneWaveInput(int hz = 440, int chunkMs = 200) : hz_(hz), chunkMs_(chunkMs) {}
  bool Start(WaveFormat& format, QString* error) override;
  QByteArray Take() override;
  void Stop() override { started_ = false; }

  // The 16-bit sample the tone has at frame `n` of a `samplesPerSec` recording.
  static short SampleAt(int hz, int samplesPerSec, long long n);

 private:
  int hz_;
  int chunkMs_;
  WaveFormat format_;
  long long frame_ = 0;
  bool started_ = false;
};

// A stand-in for a machine without a microphone: Start fails.
class NoWaveInput : public WaveInput {
 public:
  bool Start(WaveFormat&, QString* error) override;
  QByteArray Take() override { return {}; }
  void Stop() override {}
};

class WaveRecorder {
 public:
  WaveRecorder();
  ~WaveRecorder();
  WaveRecorder(const WaveRecorder&) = delete;
  WaveRecorder& operator=(const WaveRecorder&) = delete;

  // A new, empty recording of `format` (a recording held before is dropped).
  void Open(const WaveFormat& format);
  bool IsOpen() const { return open_; }
  // Starts the input. false, with Error(), when the recording is not open, there is no
  // input device or the input refuses the format.
  bool Record();
  bool IsRecording() const { return recording_; }
  // Ends the recording and keeps what was recorded.
  void Stop();
  // Writes what was recorded as a RIFF/PCM WAV, replacing the file only when the whole
  // file was written. false, with Error(), when nothing was recorded or writing failed.
  bool Save(const QString& path);
  // Drops the recording.
  void Close();

  QString Error() const { return error_; }
  const WaveFormat& Format() const { return format_; }
  // The sample bytes recorded so far.
  QByteArray Samples();

  // The bytes of a RIFF/PCM WAV file holding `samples`.
  static QByteArray WavBytes(const WaveFormat& format, const QByteArray& samples);

 private:
  std::unique_ptr<WaveInput> input_;
  WaveFormat format_;
  QByteArray samples_;
  QString error_;
  bool open_ = false;
  bool recording_ = false;
};

// Whether the file begins as a RIFF/WAVE file does.
bool IsWavFile(const QString& path);

}  // namespace platform

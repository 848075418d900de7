#pragma once
// Audio CDs played digitally: the tracks are read as sectors and sent to the
// normal audio output, so a drive needs no analogue audio connection. The reading
// and the output are interfaces, so that tests can stand in for the drive and the
// sound card.
#include <QString>
#include <QTimer>
#include <memory>
#include <thread>
#include <vector>

#include "platform/cdaudio.h"

namespace platform {

// One sector of CD audio: 588 stereo frames of 16-bit samples at 44.1 kHz, 1/75 s.
constexpr int kCdSectorBytes = 2352;
constexpr int kCdSectorsPerSecond = 75;

// A track of the disc's table of contents, in sectors from the start of the disc.
struct CdTrackInfo {
  int number = 0;
  int first = 0;  // first sector
  int end = 0;    // one past the last sector
  bool audio = true;
  bool operator==(const CdTrackInfo&) const = default;
};

// Where the disc's sectors come from.
class CdSectorSource {
 public:
  virtual ~CdSectorSource() = default;
  // A drive is there (with or without a disc).
  virtual bool DrivePresent() = 0;
  // The disc's tracks, read afresh; empty without a drive or a disc.
  virtual std::vector<CdTrackInfo> ReadToc() = 0;
  // Prepares reading the sectors [first, end) in order; false when the drive refuses.
  virtual bool Start(int first, int end) = 0;
  // The next sectors in order: copies up to `count` of them into `out` and returns
  // how many; 0 when none is at hand yet (try again later), -1 when reading failed.
  virtual int Read(int count, char* out) = 0;
  // Reading ends; the drive is let go.
  virtual void Stop() = 0;
};

// Where the sound goes: 44.1 kHz, 16-bit, stereo samples in the machine's byte order.
class PcmOutput {
 public:
  virtual ~PcmOutput() = default;
  // Starts a fresh stream; false when nothing can play it.
  virtual bool Start() = 0;
  // Bytes that can be written now without waiting.
  virtual qint64 BytesFree() = 0;
  // Queues `size` bytes; returns how many were taken.
  virtual qint64 Write(const char* data, qint64 size) = 0;
  // Bytes heard since Start.
  virtual qint64 PlayedBytes() = 0;
  virtual void Suspend() = 0;
  virtual void Resume() = 0;
  virtual void Stop() = 0;
  // 0..1.
  virtual void SetVolume(double volume) = 0;
};

// A CD drive whose audio is read and played by the program. Positions are counted
// from the sound heard, so pause and resume keep the place; a play that has been
// heard to its end leaves the drive stopped there. Reading and writing happen in
// Pump, which a timer calls while the disc plays and which status questions call too.
class DigitalCdAudio : public CdAudio {
 public:
  DigitalCdAudio(std::unique_ptr<CdSectorSource> source, std::unique_ptr<PcmOutput> output);
  ~DigitalCdAudio() override;

  bool Open() override;
  void Close() override;
  bool IsOpen() const override { return open_; }
  bool IsReady() override;
  int TrackCount() override;
  bool PlayTrack(int from, int to) override;
  bool PlayFrom(int track) override;
  bool Stop() override;
  bool Pause() override;
  bool Resume() override;
  QString Mode() override;
  CdPosition Position() override;
  int CurrentTrack() override { return Position().track; }
  bool SetVolume(int volume) override;

  // Moves sectors from the source to the output and notices the end of the play.
  void Pump();

 private:
  enum class State { kStopped, kPlaying, kPaused };

  // The table of contents: kept while a play is under way, else read again, so a
  // changed disc is seen.
  const std::vector<CdTrackInfo>& Toc();
  const CdTrackInfo* FindTrack(int number) const;
  bool StartPlay(int from, int endTrack);
  void EndPlay();
  // The sector heard now.
  int HeardSector();

  std::unique_ptr<CdSectorSource> source_;
  std::unique_ptr<PcmOutput> output_;
  QTimer pump_timer_;
  std::vector<CdTrackInfo> toc_;
  State state_ = State::kStopped;
  bool open_ = false;
  double volume_ = 1.0;
  int play_first_ = 0;  // sectors of the play under way
  int play_end_ = 0;
  int next_read_ = 0;
  int position_ = -1;         // the sector a stopped drive rests at; -1 the disc's start
  bool at_play_end_ = false;  // it rests where a play ended: counted in the track before
  QByteArray pending_;        // read but not yet taken by the output
  qint64 written_ = 0;        // bytes given to the output since the play started
};

// Reads ahead on a thread of its own, so that a slow drive never holds up the
// caller: Read hands out what has been read so far and never waits.
class ReadAheadSource : public CdSectorSource {
 public:
  // `aheadSectors`: how far reading may run ahead of what has been handed out.
  explicit ReadAheadSource(std::unique_ptr<CdSectorSource> inner, int aheadSectors = 150);
  ~ReadAheadSource() override;

  bool DrivePresent() override;
  std::vector<CdTrackInfo> ReadToc() override;
  bool Start(int first, int end) override;
  int Read(int count, char* out) override;
  void Stop() override;

 private:
  struct Shared;
  std::unique_ptr<CdSectorSource> inner_;
  std::shared_ptr<Shared> shared_;
  std::thread reader_;
  int ahead_;
};

// The sectors of a drive through libcdio-paranoia; `device` is a drive such as
// "/dev/sr0" or a disc image (.cue, .toc, .nrg), empty for the system's default drive.
std::unique_ptr<CdSectorSource> MakeParanoiaSource(const QString& device);

// The default audio output; when the machine has none it keeps time without a
// sound, so that plays still end when they should.
std::unique_ptr<PcmOutput> MakeSystemPcmOutput();

// A drive played digitally: `device` as for MakeParanoiaSource, read ahead on a
// thread, into the system's audio output.
std::unique_ptr<CdAudio> MakeDigitalCdAudio(const QString& device);

}  // namespace platform

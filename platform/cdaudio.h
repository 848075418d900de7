#pragma once
// Audio CD playing: a typed interface to the CD drive, the system drive behind it
// (libcdio), a fake drive for tests, and the "cdaudio" command strings the
// program sends, mapped onto whichever drive is current.
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace platform {

// A place on the disc as track, minute, second and frame (75 frames a second),
// minutes and seconds counted from the start of the track.
struct CdPosition {
  int track = 0;
  int minute = 0;
  int second = 0;
  int frame = 0;
  // "tt:mm:ss:ff", e.g. "01:00:12:00".
  QString ToTmsf() const;
  bool operator==(const CdPosition&) const = default;
};

class CdAudio {
 public:
  virtual ~CdAudio() = default;

  // Takes the drive for the program; false when there is no drive. Every other
  // operation works without it as well, as the original device opened itself.
  virtual bool Open() = 0;
  // Stops the disc and lets the drive go.
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;

  // A disc with a table of contents is in the drive.
  virtual bool IsReady() = 0;
  // Tracks on the disc, data tracks included; 0 when not ready.
  virtual int TrackCount() = 0;

  // Plays from the start of track `from` up to the start of track `to`:
  // PlayTrack(3, 4) plays track 3 alone. False when the drive refuses (no disc,
  // a track beyond the disc, a data track).
  virtual bool PlayTrack(int from, int to) = 0;
  // Plays from the start of `track` to the end of the disc.
  virtual bool PlayFrom(int track) = 0;
  virtual bool Stop() = 0;
  virtual bool Pause() = 0;
  virtual bool Resume() = 0;

  // "playing", "paused", "stopped" or "not ready".
  virtual QString Mode() = 0;
  virtual CdPosition Position() = 0;
  virtual int CurrentTrack() = 0;

  // Output volume 0..1000.
  virtual bool SetVolume(int volume) = 0;
};

// The system's CD drive. The music is read from the disc (libcdio-paranoia) and
// played through the default audio output (platform/cdaudio_digital.h); a machine
// without a drive reads "not ready".
std::unique_ptr<CdAudio> MakeSystemCdAudio();

// The drive the program talks to: the system drive unless a test set another.
CdAudio& CdAudioDevice();
// Makes `drive` the current drive (not owned); nullptr goes back to the system drive.
void SetCdDriveForTests(CdAudio* drive);

// Error codes of SendCdAudioCommand.
constexpr int kCdOk = 0;
constexpr int kCdErrUnrecognized = 261;  // unknown command, device or argument
constexpr int kCdErrFailed = 262;        // the drive refused the command
constexpr int kCdErrNotReady = 276;      // no drive or no disc
constexpr int kCdErrAlreadyOpen = 294;

// Carries out one command string of the "cdaudio" device on the current drive:
//   open / close / stop / pause / resume cdaudio
//   status cdaudio ready | number of tracks | current track | position | mode | media present
//   set cdaudio time format tmsf | msf
//   play cdaudio [from T [to U]]      (track numbers, "3" or "3:00:00:00")
//   setaudio cdaudio volume to V      (0..1000)
// Words are separated by blanks and compared ignoring case; "wait" and "notify"
// are accepted and ignored. Returns kCdOk or an error code; `reply` receives the
// answer of a status command ("true", "12", "01:00:12:00", "playing"), else "".
int SendCdAudioCommand(const QString& command, QString* reply = nullptr);

// A play the fake drive accepted; `to` is 0 for "to the end of the disc".
struct CdPlay {
  int from = 0;
  int to = 0;
  bool operator==(const CdPlay&) const = default;
};

// A drive for tests: a disc of `tracks` tracks of `trackSeconds` each. It records
// what it was asked, refuses what a real drive would, and moves on only when the
// test advances it.
class FakeCdDrive : public CdAudio {
 public:
  explicit FakeCdDrive(int tracks = 12, bool ready = true, int trackSeconds = 180);

  bool Open() override;
  void Close() override;
  bool IsOpen() const override { return open_; }
  bool IsReady() override { return ready_ && tracks_ > 0; }
  int TrackCount() override { return IsReady() ? tracks_ : 0; }
  bool PlayTrack(int from, int to) override;
  bool PlayFrom(int track) override;
  bool Stop() override;
  bool Pause() override;
  bool Resume() override;
  QString Mode() override;
  CdPosition Position() override { return IsReady() ? position_ : CdPosition{}; }
  int CurrentTrack() override { return IsReady() ? position_.track : 0; }
  bool SetVolume(int volume) override;

  // Set-up by the test.
  void SetReady(bool ready) { ready_ = ready; }
  void SetTrackCount(int tracks) { tracks_ = tracks; }
  void SetHasDrive(bool present) { has_drive_ = present; }  // false: Open fails
  void SetMode(const QString& mode) { mode_ = mode; }
  void SetPosition(const CdPosition& position) { position_ = position; }
  // The disc moves on by `seconds` while playing; a play that reaches its end
  // leaves the drive stopped there.
  void Advance(int seconds);
  // The play in progress ends now.
  void FinishPlay();

  // What the drive was asked, one line per call in order: "open", "close",
  // "play 3 4", "play 5" (to the end), "stop", "pause", "resume", "volume 700";
  // refused calls too.
  const QStringList& Log() const { return log_; }
  // The plays it accepted.
  const std::vector<CdPlay>& Plays() const { return plays_; }
  int Volume() const { return volume_; }

 private:
  bool StartPlay(int from, int to);

  int tracks_;
  int track_seconds_;
  bool ready_;
  bool has_drive_ = true;
  bool open_ = false;
  QString mode_ = QStringLiteral("stopped");
  CdPosition position_{1, 0, 0, 0};
  int play_end_track_ = 0;  // the track at whose start the play stops (tracks + 1: disc end)
  int volume_ = 1000;
  QStringList log_;
  std::vector<CdPlay> plays_;
};

}  // namespace platform

#pragma once
// A media player in the shape of the embedded player control the program's windows
// use: set the file, play, stop, close, volume 0..100 and a numeric play state.
#include <QObject>
#include <QPointer>
#include <QString>

class QMediaPlayer;
class QAudioOutput;
class QTimer;
class QVideoWidget;
class QWidget;

namespace platform {

// Play state codes, as the program reads them.
enum PlayStateCode : int {
  kPlayStateUndefined = 0,  // nothing loaded (also after Close)
  kPlayStateStopped = 1,    // stopped, ended a moment ago, or failed to start
  kPlayStatePaused = 2,
  kPlayStatePlaying = 3,        // playing, or loading after Play
  kPlayStateMediaEnded = 8,     // reached the end; turns to stopped shortly after
  kPlayStateTransitioning = 9,  // not reported: loading after Play reads as playing
  kPlayStateReady = 10,         // a file is set and has not been played yet
};

// Selects the GStreamer media backend (the only one that runs without a sound card).
// Called by the players themselves; call it early in main() too, before any video
// widget touches Qt Multimedia.
void InitMediaBackend();

class MediaPlayer : public QObject {
  Q_OBJECT

 public:
  explicit MediaPlayer(QObject* parent = nullptr);
  ~MediaPlayer() override;

  // settings.autoStart: when true (the default) setting the URL starts the file.
  void SetAutoStart(bool on);
  bool AutoStart() const { return auto_start_; }

  // URL: the full path of the file to play. An empty path closes the player.
  void SetURL(const QString& path);
  QString URL() const { return url_; }

  // uiMode: "full" by default; "none" for a bare video area with no controls.
  void SetUiMode(const QString& mode) { ui_mode_ = mode; }
  void SetUiModeNone() { ui_mode_ = QStringLiteral("none"); }
  QString UiMode() const { return ui_mode_; }

  // settings.setMode("loop", on): play the file over and over.
  void SetLoop(bool on);
  bool Loop() const { return loop_; }

  void Play();   // controls.play: start the file set in URL (or resume after Pause)
  void Pause();  // controls.pause
  void Stop();   // controls.stop
  void Close();  // close: stop and release the file; URL becomes empty

  // settings.volume: 0..100, applied at once; values outside are clamped.
  void SetVolume(int volume);
  int Volume() const { return volume_; }

  // playState: one of PlayStateCode.
  int PlayState() const { return state_; }

  // Why the last Play failed (the file cannot be opened or decoded); empty otherwise.
  QString Error() const { return error_; }

  // True once the file set by the last Play has really started sounding or showing.
  bool PlaybackBegun() const { return begun_; }

  // Shows the video in `widget` (nullptr: audio only). Clicks and key presses on
  // the widget are reported through Clicked and KeyPressed.
  void SetVideoOutput(QVideoWidget* widget);
  // Makes a video widget for this player under `parent` and shows the video there.
  QWidget* CreateVideoWidget(QWidget* parent);

 signals:
  void PlayStateChanged(int state);
  void Clicked();
  // keyAscii as a key-press handler reads it: 27 Esc, 13 Enter, else the character.
  void KeyPressed(int keyAscii);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SetState(int state);
  void Fail(const QString& why);
  void OnMediaStatus(int status);
  void OnError(const QString& text);

  QMediaPlayer* player_ = nullptr;
  QAudioOutput* audio_ = nullptr;
  QTimer* ended_timer_ = nullptr;  // media ended -> stopped
  QTimer* start_timer_ = nullptr;  // gives up on a file that never starts
  QPointer<QObject> video_;        // the video widget watched for clicks and keys
  QString url_;
  QString ui_mode_ = QStringLiteral("full");
  QString error_;
  bool auto_start_ = true;
  bool loop_ = false;
  bool begun_ = false;
  int volume_ = 100;
  int state_ = kPlayStateUndefined;
};

}  // namespace platform

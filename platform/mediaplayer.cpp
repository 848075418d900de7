#include "platform/mediaplayer.h"

#include <QAudio>
#include <QAudioOutput>
#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMediaPlayer>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QVideoWidget>

namespace platform {

namespace {

// How long "media ended" is reported before the player reads as stopped; the
// pollers check every 10-100 ms and some of them only act on "stopped".
constexpr int kEndedHoldMs = 250;
// A file that has neither started nor failed by then is given up.
constexpr int kStartTimeoutMs = 15000;

}  // namespace

void InitMediaBackend() {
  // Qt may pick its FFmpeg backend, which aborts when the machine has no audio device.
  if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND")) qputenv("QT_MEDIA_BACKEND", "gstreamer");
  // MIDI through fluidsynth, which finds the General MIDI SoundFont in the system's
  // sf2 folder by itself; other MIDI decoders need a configuration of their own.
  if (qEnvironmentVariableIsEmpty("GST_PLUGIN_FEATURE_RANK"))
    qputenv("GST_PLUGIN_FEATURE_RANK", "fluiddec:PRIMARY");
}

// Before any window of the program can touch Qt Multimedia.
Q_COREAPP_STARTUP_FUNCTION(InitMediaBackend)

MediaPlayer::MediaPlayer(QObject* parent) : QObject(parent) {
  InitMediaBackend();
  player_ = new QMediaPlayer(this);
  audio_ = new QAudioOutput(this);
  player_->setAudioOutput(audio_);
  SetVolume(volume_);

  ended_timer_ = new QTimer(this);
  ended_timer_->setSingleShot(true);
  connect(ended_timer_, &QTimer::timeout, this, [this] {
    if (state_ == kPlayStateMediaEnded) SetState(kPlayStateStopped);
  });
  start_timer_ = new QTimer(this);
  start_timer_->setSingleShot(true);
  connect(start_timer_, &QTimer::timeout, this, [this] {
    if (state_ == kPlayStatePlaying && !begun_) Fail(tr("The file did not start playing."));
  });

  connect(player_, &QMediaPlayer::mediaStatusChanged, this,
          [this](QMediaPlayer::MediaStatus s) { OnMediaStatus(s); });
  connect(player_, &QMediaPlayer::errorOccurred, this,
          [this](QMediaPlayer::Error, const QString& text) { OnError(text); });
  connect(player_, &QMediaPlayer::positionChanged, this, [this](qint64 pos) {
    if (pos > 0 && state_ == kPlayStatePlaying && !begun_) {
      begun_ = true;
      start_timer_->stop();
    }
  });
}

MediaPlayer::~MediaPlayer() {
  if (video_) video_->removeEventFilter(this);
  player_->stop();
}

void MediaPlayer::SetAutoStart(bool on) { auto_start_ = on; }

void MediaPlayer::SetURL(const QString& path) {
  if (path.isEmpty()) {
    Close();
    return;
  }
  ended_timer_->stop();
  start_timer_->stop();
  player_->stop();
  player_->setSource(QUrl());  // the previous file is released now
  url_ = path;
  error_.clear();
  begun_ = false;
  SetState(kPlayStateReady);
  if (auto_start_) Play();
}

void MediaPlayer::SetLoop(bool on) {
  loop_ = on;
  player_->setLoops(on ? QMediaPlayer::Infinite : QMediaPlayer::Once);
}

void MediaPlayer::Play() {
  if (url_.isEmpty()) return;
  if (state_ == kPlayStatePaused) {
    player_->play();
    SetState(kPlayStatePlaying);
    return;
  }
  if (state_ == kPlayStatePlaying) return;

  ended_timer_->stop();
  error_.clear();
  begun_ = false;
  // Playing from here on: errors raised while the source is being set count as a
  // failed start, and nobody sees "stopped" or "ready" while the file loads.
  SetState(kPlayStatePlaying);
  if (!QFileInfo(url_).isFile()) {
    Fail(tr("File not found."));
    return;
  }
  player_->stop();
  player_->setSource(QUrl());  // a fresh load, also after a failed one
  player_->setLoops(loop_ ? QMediaPlayer::Infinite : QMediaPlayer::Once);
  player_->setSource(QUrl::fromLocalFile(QFileInfo(url_).absoluteFilePath()));
  if (state_ != kPlayStatePlaying) return;  // failed while setting the source
  start_timer_->start(kStartTimeoutMs);
  player_->play();
}

void MediaPlayer::Pause() {
  if (state_ != kPlayStatePlaying) return;
  player_->pause();
  SetState(kPlayStatePaused);
}

void MediaPlayer::Stop() {
  ended_timer_->stop();
  start_timer_->stop();
  player_->stop();
  if (state_ != kPlayStateUndefined) SetState(kPlayStateStopped);
}

void MediaPlayer::Close() {
  ended_timer_->stop();
  start_timer_->stop();
  player_->stop();
  player_->setSource(QUrl());
  url_.clear();
  error_.clear();
  begun_ = false;
  SetState(kPlayStateUndefined);
}

void MediaPlayer::SetVolume(int volume) {
  volume_ = qBound(0, volume, 100);
  // The control's scale is perceptual; the audio output's is linear.
  audio_->setVolume(QAudio::convertVolume(volume_ / 100.0, QAudio::LogarithmicVolumeScale,
                                          QAudio::LinearVolumeScale));
}

void MediaPlayer::SetVideoOutput(QVideoWidget* widget) {
  if (video_) video_->removeEventFilter(this);
  video_ = widget;
  player_->setVideoOutput(widget);
  if (widget) {
    if (widget->focusPolicy() == Qt::NoFocus) widget->setFocusPolicy(Qt::StrongFocus);
    widget->installEventFilter(this);
  }
}

QWidget* MediaPlayer::CreateVideoWidget(QWidget* parent) {
  auto* widget = new QVideoWidget(parent);
  SetVideoOutput(widget);
  return widget;
}

bool MediaPlayer::eventFilter(QObject* watched, QEvent* event) {
  if (watched == video_) {
    if (event->type() == QEvent::MouseButtonRelease) {
      emit Clicked();
    } else if (event->type() == QEvent::KeyPress) {
      auto* key = static_cast<QKeyEvent*>(event);
      int ascii = 0;
      if (key->key() == Qt::Key_Escape) {
        ascii = 27;
      } else if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        ascii = 13;
      } else if (!key->text().isEmpty()) {
        ascii = key->text().at(0).unicode();
      }
      if (ascii != 0) emit KeyPressed(ascii);
    }
  }
  return QObject::eventFilter(watched, event);
}

void MediaPlayer::SetState(int state) {
  if (state_ == state) return;
  state_ = state;
  emit PlayStateChanged(state);
}

void MediaPlayer::Fail(const QString& why) {
  error_ = why.isEmpty() ? tr("The file cannot be played.") : why;
  start_timer_->stop();
  player_->stop();
  SetState(kPlayStateStopped);
}

void MediaPlayer::OnMediaStatus(int status) {
  if (state_ != kPlayStatePlaying) return;
  switch (status) {
    case QMediaPlayer::BufferingMedia:
    case QMediaPlayer::BufferedMedia:
      if (!begun_ && player_->playbackState() == QMediaPlayer::PlayingState) {
        begun_ = true;
        start_timer_->stop();
      }
      break;
    case QMediaPlayer::EndOfMedia:
      if (loop_) {  // the backend normally loops by itself; this is the fallback
        player_->setPosition(0);
        player_->play();
        break;
      }
      begun_ = true;
      start_timer_->stop();
      SetState(kPlayStateMediaEnded);
      ended_timer_->start(kEndedHoldMs);
      break;
    case QMediaPlayer::InvalidMedia:
      Fail(player_->errorString());
      break;
    default:
      break;
  }
}

void MediaPlayer::OnError(const QString& text) {
  if (state_ == kPlayStatePlaying || state_ == kPlayStatePaused) Fail(text);
}

}  // namespace platform

// The movie window: playback, its 100 ms supervision and the ways it closes.
#include "engine/form24.h"

#include "core/monitors.h"
#include "core/services.h"
#include "core/state.h"
#include "platform/dialogs.h"
#include "platform/vberror.h"

namespace engine {

using platform::TryStep;

Form24::Form24() {
  SetCaption(QStringLiteral("動画"));
  SetClientSize(7200, 5400);
  WindowsMediaPlayer1.SetUiModeNone();
  video_ = WindowsMediaPlayer1.CreateVideoWidget(Client());
  video_->setGeometry(Client()->rect());
  connect(&Timer1, &platform::Timer::Tick, this, &Form24::Timer1_Timer);
  connect(&WindowsMediaPlayer1, &platform::MediaPlayer::Clicked, this,
          &Form24::WindowsMediaPlayer1_Click);
  connect(&WindowsMediaPlayer1, &platform::MediaPlayer::KeyPressed, this,
          &Form24::WindowsMediaPlayer1_KeyPress);
}

void Form24::Form_Load() {
  core::CentreOnMainMonitor(this);
  MoviePlaybackStarted = 0;
  Timer1.SetEnabled(true);
}

void Form24::Form_Activate() {
  TryStep([this] { core::CentreOnMainMonitor(this); });
  TryStep([this] {
    playRequested_ = true;
    WindowsMediaPlayer1.Play();
  });
  TryStep([this] { video_->setFocus(); });
}

void Form24::Timer1_Timer() {
  Timer1.SetEnabled(false);
  platform::MediaPlayer& player = WindowsMediaPlayer1;
  const int state = player.PlayState();

  if (MoviePlaybackStarted == 0 && player.PlaybackBegun()) MoviePlaybackStarted = 1;

  // Ready, stopped or failed without ever having played: the movie cannot be played.
  // Until the activation has asked the player to play, a ready player is only waiting.
  const bool notPlaying =
      state != platform::kPlayStatePlaying && state != platform::kPlayStatePaused;
  if (MoviePlaybackStarted == 0 && notPlaying && playRequested_) {
    platform::MsgBox(QStringLiteral("以下の動画が再生できません。\r\n") + player.URL() +
                         QStringLiteral("\r\n動画ファイルを確認してください。"),
                     platform::vbExclamation, QStringLiteral("動画再生エラー"));
    core::Flags().MovieAborted = 1;
    ClosePlayerAndWindow();
    return;
  }

  // Playback has come to a stop.
  const bool stopped = state == platform::kPlayStateReady || state == platform::kPlayStateStopped ||
                       state == platform::kPlayStatePaused;
  if (MoviePlaybackStarted == 1 && player.UiMode() == QLatin1String("none") && stopped &&
      core::Settings().MovieLoop == 0) {
    ClosePlayerAndWindow();
    return;
  }

  if (MovieCloseRequested == 1) {
    MovieCloseRequested = 0;
    ClosePlayerAndWindow();
    return;
  }

  if (!IsClosed()) Timer1.SetEnabled(true);
}

void Form24::ClosePlayerAndWindow() {
  WindowsMediaPlayer1.SetLoop(false);
  WindowsMediaPlayer1.Close();
  Unload();
}

void Form24::Form_Click() { MovieCloseRequested = 1; }

void Form24::Form_KeyPress(int& keyAscii) {
  if (keyAscii == 27) MovieCloseRequested = 1;
}

void Form24::WindowsMediaPlayer1_Click() { MovieCloseRequested = 1; }

void Form24::WindowsMediaPlayer1_KeyPress(int keyAscii) {
  if (keyAscii == 27 || keyAscii == 13) {
    core::Flags().MovieAborted = 1;
    MovieCloseRequested = 1;
  }
}

void Form24::Form_Unload(int& cancel) {
  cancel = 0;
  // The click that closed the movie must not also act on the show window.
  core::Windows().GuardSlideListClicks();
  core::Settings().MovieLoop = 0;
  // The window's player goes with it; nothing may sound from a closed window.
  WindowsMediaPlayer1.SetLoop(false);
  WindowsMediaPlayer1.Close();
}

void Form24::Form_Resize() {
  if (video_) video_->setGeometry(Client()->rect());
}

void PlayMovieModal(const QString& path) {
  Form24& movie = form24();
  movie.WindowsMediaPlayer1.SetAutoStart(false);
  movie.WindowsMediaPlayer1.SetUiModeNone();
  movie.WindowsMediaPlayer1.SetURL(path);
  core::Flags().MovieAborted = 0;
  movie.ShowModal();
}

namespace {
platform::FormSlot<Form24>& Slot() {
  static platform::FormSlot<Form24> slot;
  return slot;
}
}  // namespace

Form24& form24() { return Slot().Get(); }
Form24* Form24IfLoaded() { return Slot().IfLoaded(); }

}  // namespace engine

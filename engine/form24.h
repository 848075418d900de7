#pragma once
// The movie window: plays one movie file in a bare video area, watches it every 100 ms,
// reports a movie that cannot be played and closes when playback has stopped (unless it
// loops), on a click, or on Esc or Enter. A modal caller reads MovieAborted afterwards.
//
// Callers set the player up (autoStart off, uiMode "none", URL, looping) and show the
// window, modally or not; PlayMovieModal does this for a movie slide.
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/mediaplayer.h"

namespace engine {

class Form24 : public platform::Form {
  Q_OBJECT

 public:
  Form24();

  platform::MediaPlayer WindowsMediaPlayer1{this};  // the movie; no controls shown
  platform::Timer Timer1{this, 100, false};         // supervision, switched on by the load

  // Centres the window on the main window's monitor and starts the supervision.
  void Form_Load() override;
  // Centres the window again and starts playing.
  void Form_Activate() override;
  // Supervision: notes that playback began, reports a movie that never plays, closes
  // the window when playback has stopped or a close was asked for.
  void Timer1_Timer();
  // A click outside the video asks to close.
  void Form_Click() override;
  // Esc on the window asks to close.
  void Form_KeyPress(int& keyAscii) override;
  // A click on the video asks to close.
  void WindowsMediaPlayer1_Click();
  // Esc or Enter on the video ends the movie as broken off (MovieAborted).
  void WindowsMediaPlayer1_KeyPress(int keyAscii);
  // Starts the click guard of the slide list editor and ends looping.
  void Form_Unload(int& cancel) override;
  // The video fills the window.
  void Form_Resize() override;

  // ---- the window's own values ----------------------------------------------------------
  short MoviePlaybackStarted = 0;  // the supervision has seen the movie playing
  short MovieCloseRequested = 0;   // the viewer asked to close; the next tick closes

 private:
  void ClosePlayerAndWindow();

  QWidget* video_ = nullptr;
  bool playRequested_ = false;  // the activation has asked the player to play
};

// Plays a movie slide: the player set up without autoStart and controls, MovieAborted = 0,
// the window shown modally. Returns once the window has closed; MovieAborted then says
// whether the movie could not be played or the viewer broke it off.
void PlayMovieModal(const QString& path);

// The movie window, loaded hidden on first reference.
Form24& form24();
// The movie window when it is loaded; nullptr otherwise (never loads it).
Form24* Form24IfLoaded();

}  // namespace engine

#pragma once
// The control box: a small window floating over the full-screen show at the right edge
// of the main window's monitor. Its five buttons play, pause, step and stop the show;
// the step buttons cross into the neighbouring slideshow file of a link run.
#include "platform/controls.h"
#include "platform/form.h"

namespace engine {

class Slidescreen2 : public platform::Form {
  Q_OBJECT

 public:
  Slidescreen2();

  // ---- buttons, left to right (Left in twips: 0, 720, 1440, 2160, 2880) ---------------
  platform::CommandButton Command2{this, QStringLiteral("＞")};    // play or resume (START)
  platform::CommandButton Command3{this, QStringLiteral("∥")};     // pause (PAUSE)
  platform::CommandButton Command4{this, QStringLiteral("｜＜")};  // step back (前画面)
  platform::CommandButton Command5{this, QStringLiteral("＞｜")};  // step forward (次画面)
  platform::CommandButton Command1{this, QStringLiteral("□")};     // stop (STOP)

  // ---- handlers --------------------------------------------------------------------------
  // Places the box at the top or bottom right of the main window's monitor.
  void Form_Load() override;
  // Copies the main window's START, PAUSE, 前画面, 次画面 and STOP states, then places.
  void Form_Activate() override;
  // The user cannot close the box; the show window's unload hides it.
  void Form_QueryUnload(int& cancel, int unloadMode) override;
  void Form_Unload(int& cancel) override;

  void Command1_Click();  // □ stop: ends the full-screen show
  void Command2_Click();  // ＞ play: the slide after the current one
  void Command3_Click();  // ∥ pause
  void Command4_Click();  // ｜＜ previous slide, or the last slide of the previous link file
  void Command5_Click();  // ＞｜ next slide, or the first slide of the next link file

  // Moves the box to its place on the main window's monitor.
  void PlaceBox();

 private:
  friend void ResetSlidescreen2();
  bool allowUnload_ = false;  // only tests take the box down
};

// The control box, loaded hidden on first reference.
Slidescreen2& slidescreen2();
// The control box when it is loaded; nullptr otherwise (never loads it).
Slidescreen2* Slidescreen2IfLoaded();
// Unloads the box when loaded (tests start from a fresh one).
void ResetSlidescreen2();

}  // namespace engine

#pragma once
// The full-screen show window: it covers the main window's monitor and carries the
// surfaces the slide player, the transition effects and the picture macros draw on.
#include "platform/controls.h"
#include "platform/form.h"

namespace engine {

class Slidescreen : public platform::Form {
  Q_OBJECT

 public:
  Slidescreen();

  // ---- surfaces: borderless picture boxes in pixels, each covering the window ----------
  platform::PictureBox P2{this};  // the visible show surface
  platform::PictureBox P3{this};  // background copy that moved buttons are repainted from
  platform::PictureBox P4{this};  // clean copy of the picture without macro text

  // ---- ticker of the picture macros ----------------------------------------------------
  platform::Label Label1{&P2};               // the scrolling text, transparent
  platform::Timer Timer1{this, 500, false};  // moves it

  // ---- handlers --------------------------------------------------------------------------
  // Clears the surfaces, gives them their background, resets the show-screen flags and
  // places the window on the main window's monitor.
  void Form_Load() override;
  // Starting the show, clicks, keys, the Yes/No buttons and the unload come with the
  // show window's own handlers; until then activation does nothing.
  void Form_Activate() override {}

  // Sizes P2, P3 and P4 to the window's inner area.
  void FitShowPictureBoxes();

  // ---- the window's own values ----------------------------------------------------------
  short EndShowOnClose = 0;  // 1: the unload ends the show (the first slide ended it)
};

// The show window, loaded hidden on first reference.
Slidescreen& slidescreen();
// The show window when it is loaded; nullptr otherwise (never loads it).
Slidescreen* SlidescreenIfLoaded();
// Unloads the window when loaded (tests start from a fresh one).
void ResetSlidescreen();

}  // namespace engine

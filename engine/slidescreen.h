#pragma once
// The full-screen show window: it covers the main window's monitor and carries the
// surfaces the slide player, the transition effects and the picture macros draw on.
// Its activation starts the show; a click or Esc leaves it (its unload ends the show
// or lets it go on in the main window).
#include <array>
#include <memory>

#include "platform/controls.h"
#include "platform/form.h"

namespace engine {

constexpr int kShowPicButtonCount = 63;  // picture-button slots 0..62

class Slidescreen : public platform::Form {
  Q_OBJECT

 public:
  Slidescreen();
  ~Slidescreen() override;

  // ---- surfaces: borderless picture boxes in pixels, each covering the window ----------
  platform::PictureBox P2{this};  // the visible show surface
  platform::PictureBox P3{this};  // background copy that moved buttons are repainted from
  platform::PictureBox P4{this};  // clean copy of the picture without macro text

  // ---- show-screen controls that picture macros place (hidden while not in use) -------
  // Picture buttons, slots 0..62 (a missing slot raises error 340).
  platform::PictureBox& Picture1(int index);
  platform::PictureBox Picture2{this};  // small box that PAUSE, STOP and the slide player hide
  platform::CommandButton Command1{&P2, QStringLiteral("Yes")};  // answers a macro's question
  platform::CommandButton Command2{&P2, QStringLiteral("No")};
  platform::CommandButton menu1{&P2, QStringLiteral("menu1")};  // menu buttons of MENU
  platform::CommandButton menu2{&P2, QStringLiteral("menu2")};
  platform::CommandButton menu3{&P2, QStringLiteral("menu3")};
  platform::CommandButton menu4{&P2, QStringLiteral("menu4")};
  platform::CommandButton menu5{&P2, QStringLiteral("menu5")};

  // ---- ticker of the picture macros ----------------------------------------------------
  platform::Label Label1{&P2};               // the scrolling text, transparent
  platform::Timer Timer1{this, 500, false};  // moves it

  // ---- handlers --------------------------------------------------------------------------
  // Empties the button slots and the surfaces, gives them their background, resets the
  // show-screen flags and places the window on the main window's monitor.
  void Form_Load() override;
  // Hides the main window; the first activation after a starter showed the window starts
  // the show (the link run's first file, confirmation, start slide, first slide); every
  // activation shows the control box when allowed and leaves a stopped or closed show.
  void Form_Activate() override;
  // A click shows the control box and, unless a choice is pending or the pointer is busy,
  // leaves the full-screen show; it also ends a running effect.
  void Form_Click() override;
  void P2_Click();
  void Picture2_Click();
  // Every key ends a running effect; Esc leaves the full-screen show.
  void Form_KeyDown(int& keyCode, int shift) override;
  void P2_KeyDown(int& keyCode, int shift);
  void Picture2_KeyDown(int& keyCode, int shift);
  void Command1_Click();  // Yes
  void Command2_Click();  // No
  // Leaving the full-screen show: clears the show-screen controls and hides the control
  // box, then ends the show or lets it go on in the main window, refits the preview box
  // and brings back the window the show was started from.
  void Form_Unload(int& cancel) override;

  // Sizes P2, P3 and P4 to the window's inner area.
  void FitShowPictureBoxes();

  // ---- the window's own values ----------------------------------------------------------
  short EndShowOnClose = 0;  // 1: the unload ends the show (the first slide ended it)

 private:
  // Steps of the activation that start a show; false when the start ended the show.
  bool StartShow();
  void ClickRule();
  void KeyRule(int keyCode);
  void ShowControlBoxIfAllowed();

  std::array<std::unique_ptr<platform::PictureBox>, kShowPicButtonCount> picture1_;
  bool starting_ = false;  // a start is under way (its own message box may re-activate)
};

// The show window, loaded hidden on first reference.
Slidescreen& slidescreen();
// The show window when it is loaded; nullptr otherwise (never loads it).
Slidescreen* SlidescreenIfLoaded();
// Unloads the window when loaded (tests start from a fresh one).
void ResetSlidescreen();

}  // namespace engine

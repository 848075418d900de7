#include "engine/slidescreen.h"

#include "core/monitors.h"
#include "core/state.h"
#include "engine/surfaces.h"

namespace engine {

namespace {

platform::FormSlot<Slidescreen>& Slot() {
  static platform::FormSlot<Slidescreen> slot;
  return slot;
}

}  // namespace

Slidescreen::Slidescreen() {
  SetCaption(QStringLiteral("Slide Screen"));
  SetBorderless(true);
  SetBackColor(Qt::black);
  for (platform::PictureBox* box : {&P2, &P3, &P4}) {
    box->SetScaleMode(platform::ScaleMode::kPixels);
    box->SetBorderStyle(0);
  }
  // P3 and P4 are copies the user never sees.
  P3.SetVisible(false);
  P4.SetVisible(false);
  P2.raise();
}

void Slidescreen::Form_Load() {
  // No show-screen buttons yet (their controls come with the buttons).
  core::ButtonSlots& buttons = core::Buttons();
  for (int i = 0; i <= 62; ++i) {
    buttons.MenuJumps[i] = 0;
    buttons.MenuButtonsShown[i] = 0;
    buttons.PicButtonJumps[i] = 0;
    buttons.PicButtonsShown[i] = 0;
    buttons.PicButtonLinks[i] = QString();
  }
  buttons.PicButtonShape = 0;
  // The surfaces start empty, with no picture.
  for (platform::PictureBox* box : {&P2, &P3, &P4}) {
    box->Cls();
    box->ClearPicture();
  }
  if (core::Settings().OverlayMode == 0) {
    for (platform::PictureBox* box : {&P2, &P3, &P4}) box->SetBackColor(Qt::black);
  } else {
    ApplyScreenBackColor(*this);
  }
  Label1.SetBackStyle(0);
  core::Flags().ShowScreenClosed = 0;
  core::Flags().DisplayEffectTurn = 0;
  core::Flags().EraseEffectTurn = 0;
  // The whole main window's monitor, its own top included (monitors may be stacked).
  core::PlaceFullScreen(this);
  SetBackColor(Qt::black);
  FitShowPictureBoxes();
}

void Slidescreen::FitShowPictureBoxes() {
  // The window's own size: its client area follows it only once the window is shown.
  core::FitShowPictureBoxes(this, {&P2, &P3, &P4});
}

Slidescreen& slidescreen() { return Slot().Get(); }

Slidescreen* SlidescreenIfLoaded() { return Slot().IfLoaded(); }

void ResetSlidescreen() { Slot().Reset(); }

}  // namespace engine

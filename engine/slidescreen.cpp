// The full-screen show window: its controls, loading, clicks, keys and the Yes and No
// answers. Its activation is in slidescreen_activate.cpp, its unload in
// slidescreen_close.cpp.
#include "engine/slidescreen.h"

#include <QGuiApplication>
#include <QPalette>

#include "core/monitors.h"
#include "core/services.h"
#include "core/state.h"
#include "engine/fullscreen_start.h"
#include "engine/slidescreen2.h"
#include "engine/surfaces.h"
#include "platform/vberror.h"

namespace engine {

namespace {

platform::FormSlot<Slidescreen>& Slot() {
  static platform::FormSlot<Slidescreen> slot;
  return slot;
}

bool DefaultPointer() { return platform::ScreenMousePointer() == 0; }

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

  // The show-screen controls lie over P2, hidden until a macro places them. Picture
  // buttons are borderless children of P2, placed in its pixels.
  for (int i = 0; i < kShowPicButtonCount; ++i) {
    picture1_[i] = std::make_unique<platform::PictureBox>(&P2);
    picture1_[i]->SetScaleMode(platform::ScaleMode::kPixels);
    picture1_[i]->SetBorderStyle(0);
    picture1_[i]->SetAutoSize(true);
    picture1_[i]->SetVisible(false);
  }
  for (QWidget* w : std::initializer_list<QWidget*>{&Picture2, &Command1, &Command2, &menu1, &menu2,
                                                    &menu3, &menu4, &menu5}) {
    w->setVisible(false);
    w->raise();
  }
  Picture2.Move(0, 0, 480, 480);

  connect(&P2, &platform::PictureBox::Click, this, &Slidescreen::P2_Click);
  connect(&Picture2, &platform::PictureBox::Click, this, &Slidescreen::Picture2_Click);
  connect(&P2, &platform::PictureBox::KeyDown, this, &Slidescreen::P2_KeyDown);
  connect(&Picture2, &platform::PictureBox::KeyDown, this, &Slidescreen::Picture2_KeyDown);
  connect(&Command1, &platform::CommandButton::Click, this, &Slidescreen::Command1_Click);
  connect(&Command2, &platform::CommandButton::Click, this, &Slidescreen::Command2_Click);
  // Picture1_Click and menu1_Click .. menu5_Click belong to the show-screen buttons.
  for (int i = 0; i < kShowPicButtonCount; ++i)
    connect(picture1_[i].get(), &platform::PictureBox::Click, this,
            [i] { core::ClickShowButton(core::ShowButton::ShowPicture, i); });
  platform::CommandButton* menus[] = {&menu1, &menu2, &menu3, &menu4, &menu5};
  for (int n = 1; n <= 5; ++n)
    connect(menus[n - 1], &platform::CommandButton::Click, this,
            [n] { core::ClickShowButton(core::ShowButton::ShowMenu, n); });
}

Slidescreen::~Slidescreen() = default;

platform::PictureBox& Slidescreen::Picture1(int index) {
  if (index < 0 || index >= kShowPicButtonCount)
    throw platform::VbError(platform::kErrNoArrayElement, "Control array element doesn't exist");
  return *picture1_[index];
}

void Slidescreen::Form_Load() {
  core::ClearButtonSlots();
  const QColor buttonFace = QGuiApplication::palette().color(QPalette::Button);
  for (int i = 0; i <= 62; ++i) {
    platform::PictureBox& button = Picture1(i);
    button.ClearPicture();
    button.SetVisible(false);
    button.SetBackColor(buttonFace);
  }

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

// ---- clicks ---------------------------------------------------------------------------------

void Slidescreen::P2_Click() {
  // The click that closed a movie window must not also leave the show.
  if (ClickGuardRunning()) return;
  core::Flags().EffectStop = 1;
  ClickRule();
}

void Slidescreen::Form_Click() {
  core::Flags().EffectStop = 1;
  ClickRule();
}

void Slidescreen::Picture2_Click() { ClickRule(); }

void Slidescreen::ClickRule() {
  const core::RunFlags& flags = core::Flags();
  if (flags.OperationLocked == 1 || flags.CursorHidden == 1) return;
  if (core::Settings().ControlBoxOff == 0 && flags.ShowScreenClosed == 0)
    platform::TryStep([] { slidescreen2().Show(); });
  if (Command1.Visible() || flags.WaitingForChoice == 1) return;  // a macro waits for a choice
  if (DefaultPointer()) Unload();
}

// ---- keys -------------------------------------------------------------------------------------

void Slidescreen::Form_KeyDown(int& keyCode, int) {
  core::Flags().EffectStop = 1;
  KeyRule(keyCode);
}

void Slidescreen::P2_KeyDown(int& keyCode, int) {
  core::Flags().EffectStop = 1;
  KeyRule(keyCode);
  keyCode = 0;  // handled here: the window's own handler does not see it again
}

void Slidescreen::Picture2_KeyDown(int& keyCode, int) {
  KeyRule(keyCode);
  keyCode = 0;
}

void Slidescreen::KeyRule(int keyCode) {
  if (core::Flags().OperationLocked == 1) return;
  if (keyCode == platform::vbKeyEscape && DefaultPointer()) Unload();
}

// ---- Yes and No ---------------------------------------------------------------------------------

namespace {

// Esc reaches the window again through P2; the control box keeps the focus when it is up.
void FocusAfterAnswer(Slidescreen& screen) {
  platform::TryStep([&] { screen.P2.SetFocus(); });
  if (core::Settings().ControlBoxOff == 0 && core::Flags().ShowScreenClosed == 0) {
    if (Slidescreen2* box = Slidescreen2IfLoaded(); box && box->isVisible()) box->SetFocus();
  }
}

}  // namespace

void Slidescreen::Command1_Click() {
  core::Flags().YesPressed = 1;
  FocusAfterAnswer(*this);
}

void Slidescreen::Command2_Click() {
  core::Flags().NoPressed = 1;
  FocusAfterAnswer(*this);
}

// ---- accessors
// ------------------------------------------------------------------------------------

Slidescreen& slidescreen() { return Slot().Get(); }

Slidescreen* SlidescreenIfLoaded() { return Slot().IfLoaded(); }

void ResetSlidescreen() { Slot().Reset(); }

}  // namespace engine

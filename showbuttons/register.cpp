// The button keywords join the macro interpreter's chain at start-up; the clicks of the
// buttons and the clearing before each slide reach us through core's services.
#include "core/services.h"
#include "core/state.h"
#include "engine/slidescreen.h"
#include "macro/macro_state.h"
#include "showbuttons/button_controls.h"
#include "showbuttons/clicks.h"
#include "showbuttons/menubuttons.h"
#include "showbuttons/move_buttons.h"
#include "showbuttons/picbuttons.h"
#include "showbuttons/showbuttons.h"
#include "showbuttons/yesno.h"

namespace showbuttons {
namespace {

// Rows of the keyword chain.
constexpr int kRowPicPbData = 21;
constexpr int kRowPicPbType = 22;
constexpr int kRowPicPb = 39;
constexpr int kRowMovPb = 40;
constexpr int kRowMenu = 55;
constexpr int kRowYesNo = 60;

void FocusShowSurfaceInUse() {
  if (core::Flags().FullScreenShowActive == 1) FocusShowSurface();
}

void PicPbLine() {
  ExecPicButtonCommand(macro::State().TextLeft);
  FocusShowSurfaceInUse();
}

void PicPbDataLine() {
  ExecPicPbDataCommand();
  macro::ConsumeLine();
}

void MenuLine() {
  ExecMenuCommand(macro::State().TextLeft);
  FocusShowSurfaceInUse();
}

void YesNoLine() { ExecYesNoCommand(macro::State().TextLeft); }

void ButtonClick(core::ShowButton button, int index) {
  switch (button) {
    case core::ShowButton::ShowPicture:
      ShowPictureButtonClick(index);
      break;
    case core::ShowButton::WindowPicture:
      WindowPictureButtonClick(index);
      break;
    case core::ShowButton::ShowMenu:
      ShowMenuClick(index);
      break;
    case core::ShowButton::WindowMenu:
      WindowMenuClick(index);
      break;
    case core::ShowButton::WindowYes:
      WindowYesClick();
      break;
    case core::ShowButton::WindowNo:
      WindowNoClick();
      break;
  }
}

}  // namespace

void RegisterServices() {
  macro::SetKeywordHandler(kRowPicPbData, PicPbDataLine);
  macro::SetKeywordHandler(kRowPicPbType, ExecPicPbTypeCommand);
  macro::SetKeywordHandler(kRowPicPb, PicPbLine);
  macro::SetKeywordHandler(kRowMovPb, ExecMovePicButton);
  macro::SetKeywordHandler(kRowMenu, MenuLine);
  macro::SetKeywordHandler(kRowYesNo, YesNoLine);
  core::Services& s = core::TheServices();
  s.ClearShowControls = ClearShowControls;
  s.ShowButtonClick = ButtonClick;
  s.ChoiceButtonsUp = ChoiceButtonsUp;
}

}  // namespace showbuttons

// The button keywords join the macro interpreter's chain at start-up.
#include "core/state.h"
#include "engine/slidescreen.h"
#include "macro/macro_state.h"
#include "showbuttons/button_controls.h"
#include "showbuttons/move_buttons.h"
#include "showbuttons/picbuttons.h"
#include "showbuttons/showbuttons.h"

namespace showbuttons {
namespace {

// Rows of the keyword chain.
constexpr int kRowPicPbData = 21;
constexpr int kRowPicPbType = 22;
constexpr int kRowPicPb = 39;
constexpr int kRowMovPb = 40;

void PicPbLine() {
  ExecPicButtonCommand(macro::State().TextLeft);
  if (core::Flags().FullScreenShowActive == 1)
    Step("focus to the show surface", [] { engine::slidescreen().P2.SetFocus(); });
}

void PicPbDataLine() {
  ExecPicPbDataCommand();
  macro::ConsumeLine();
}

}  // namespace

void RegisterServices() {
  macro::SetKeywordHandler(kRowPicPbData, PicPbDataLine);
  macro::SetKeywordHandler(kRowPicPbType, ExecPicPbTypeCommand);
  macro::SetKeywordHandler(kRowPicPb, PicPbLine);
  macro::SetKeywordHandler(kRowMovPb, ExecMovePicButton);
}

}  // namespace showbuttons

#include "core/services.h"

#include "platform/vberror.h"

namespace core {
namespace {

void NoPictureMacro() {}
void NoShowControls() {}
void NoButtonClick(ShowButton, int) {}
bool ChoiceMayCome() { return true; }

Services StandIns() {
  Services s;
  s.RunPictureMacro = NoPictureMacro;
  s.ClearShowControls = NoShowControls;
  s.ShowButtonClick = NoButtonClick;
  s.ChoiceButtonsUp = ChoiceMayCome;
  return s;
}

}  // namespace

Services& TheServices() {
  static Services services = StandIns();
  return services;
}

void ResetServices() { TheServices() = StandIns(); }

void ClickShowButton(ShowButton button, int index) {
  // Read at the click: the owner may register after the window was built.
  // Read at the click: the owner may register after the window was built. No error of a
  // click handler may reach the event loop.
  platform::TryStep([button, index] {
    if (TheServices().ShowButtonClick) TheServices().ShowButtonClick(button, index);
  });
}

}  // namespace core

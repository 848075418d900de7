#include "core/services.h"

#include "core/form1.h"
#include "core/state.h"
#include "platform/vberror.h"

namespace core {
namespace {

void NoPictureMacro() {}
void NoCutoutMacroGenerator() {}
bool NoScheduleEditor() { return false; }

void NoFourUpViewClose() {
  Flags().FourUpViewOpen = 0;
  form1().Show();
}

void NoFourUpViewUnload() { Flags().FourUpViewOpen = 0; }

void Nothing() {}
void NoShowControls() {}
void NoButtonClick(ShowButton, int) {}
bool ChoiceMayCome() { return true; }

Services StandIns() {
  Services s;
  s.RunPictureMacro = NoPictureMacro;
  s.ShowCutoutMacroGenerator = NoCutoutMacroGenerator;
  s.ShowScheduleEditor = NoScheduleEditor;
  s.CloseFourUpView = NoFourUpViewClose;
  s.UnloadFourUpView = NoFourUpViewUnload;
  s.OpenFourUpView = Nothing;
  s.UnloadPictureToolDialogs = Nothing;
  s.ClearShowControls = NoShowControls;
  s.ShowButtonClick = NoButtonClick;
  s.ChoiceButtonsUp = ChoiceMayCome;
  s.SelectedSlidePath = [] { return QString(); };
  s.DeleteLinkedWav = [] {};
  s.DeleteLinkedMp3 = [] {};
  s.RefreshLinkedSoundDelete = [] {};
  s.EnableLinkedSoundDelete = [](bool) {};
  s.ShowLinkedFilesFolderWindow = Nothing;
  s.UnloadLinkedFileWindows = Nothing;
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

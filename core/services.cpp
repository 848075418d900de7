#include "core/services.h"

#include "core/form1.h"
#include "core/state.h"
#include "platform/vberror.h"

namespace core {

namespace standin {

void Nothing() {}
bool No() { return false; }

void CloseFourUpView() {
  Flags().FourUpViewOpen = 0;
  form1().Show();
}

void UnloadFourUpView() { Flags().FourUpViewOpen = 0; }

}  // namespace standin

namespace {

Services StandIns() {
  Services s;
  s.RunPictureMacro = standin::Nothing;
  s.ShowCutoutMacroGenerator = standin::Nothing;
  s.ShowScheduleEditor = standin::No;
  s.CloseFourUpView = standin::CloseFourUpView;
  s.UnloadFourUpView = standin::UnloadFourUpView;
  s.OpenFourUpView = standin::Nothing;
  s.UnloadPictureToolDialogs = standin::Nothing;
  s.ClearShowControls = standin::Nothing;
  s.ShowButtonClick = [](ShowButton, int) {};
  // Yes: the choice wait then ends only by its flags.
  s.ChoiceButtonsUp = [] { return true; };
  s.SelectedSlidePath = [] { return QString(); };
  s.DeleteLinkedWav = standin::Nothing;
  s.DeleteLinkedMp3 = standin::Nothing;
  s.RefreshLinkedSoundDelete = standin::Nothing;
  s.EnableLinkedSoundDelete = [](bool) {};
  s.ShowLinkedFilesFolderWindow = standin::Nothing;
  s.UnloadLinkedFileWindows = standin::Nothing;
  return s;
}

}  // namespace

Services& TheServices() {
  static Services services = StandIns();
  return services;
}

void ResetServices() { TheServices() = StandIns(); }

WindowCalls& Windows() {
  static WindowCalls* calls = [] {
    auto* c = new WindowCalls;
    c->MakeMainWindow = [] { return new Form1; };
    c->LoadSlideList = standin::Nothing;
    c->LoadLinkList = standin::Nothing;
    c->LoadSoundList = standin::Nothing;
    c->ShowSlideList = standin::Nothing;
    c->ShowLinkList = standin::Nothing;
    c->NewLinkList = standin::Nothing;
    c->DisableSlideTextButtons = standin::Nothing;
    c->ShowSlideCount = standin::Nothing;
    c->GuardSlideListClicks = standin::Nothing;
    c->SlideListClickGuardRunning = standin::No;
    c->NameLinkListFile = [](const QString&) {};
    c->ClearShowTicker = standin::Nothing;
    c->CloseMovieWindow = standin::Nothing;
    c->ResetShowSurfaceForOverlay = standin::Nothing;
    return c;
  }();
  return *calls;
}

void ClickShowButton(ShowButton button, int index) {
  // Read at the click: the owner may register after the window was built.
  // Read at the click: the owner may register after the window was built. No error of a
  // click handler may reach the event loop.
  platform::TryStep([button, index] {
    if (TheServices().ShowButtonClick) TheServices().ShowButtonClick(button, index);
  });
}

}  // namespace core

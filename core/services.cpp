#include "core/services.h"

#include "core/form1.h"
#include "core/state.h"

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

Services StandIns() {
  Services s;
  s.RunPictureMacro = NoPictureMacro;
  s.ShowCutoutMacroGenerator = NoCutoutMacroGenerator;
  s.ShowScheduleEditor = NoScheduleEditor;
  s.CloseFourUpView = NoFourUpViewClose;
  s.UnloadFourUpView = NoFourUpViewUnload;
  s.OpenFourUpView = Nothing;
  s.UnloadPictureToolDialogs = Nothing;
  return s;
}

}  // namespace

Services& TheServices() {
  static Services services = StandIns();
  return services;
}

void ResetServices() { TheServices() = StandIns(); }

}  // namespace core

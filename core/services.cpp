#include "core/services.h"

namespace core {
namespace {

void NoPictureMacro() {}
void NoCutoutMacroGenerator() {}
bool NoScheduleEditor() { return false; }

Services StandIns() {
  Services s;
  s.RunPictureMacro = NoPictureMacro;
  s.ShowCutoutMacroGenerator = NoCutoutMacroGenerator;
  s.ShowScheduleEditor = NoScheduleEditor;
  return s;
}

}  // namespace

Services& TheServices() {
  static Services services = StandIns();
  return services;
}

void ResetServices() { TheServices() = StandIns(); }

}  // namespace core

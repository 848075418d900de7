#include "core/services.h"

namespace core {
namespace {

void NoPictureMacro() {}

Services StandIns() {
  Services s;
  s.RunPictureMacro = NoPictureMacro;
  s.SelectedSlidePath = [] { return QString(); };
  s.DeleteLinkedWav = [] {};
  s.DeleteLinkedMp3 = [] {};
  s.RefreshLinkedSoundDelete = [] {};
  s.EnableLinkedSoundDelete = [](bool) {};
  return s;
}

}  // namespace

Services& TheServices() {
  static Services services = StandIns();
  return services;
}

void ResetServices() { TheServices() = StandIns(); }

}  // namespace core

#include "listeditor/linked_services.h"

#include "core/services.h"
#include "listeditor/form12.h"
#include "listeditor/form7.h"

namespace listeditor {

void RegisterLinkedFileServices() {
  core::Services& s = core::TheServices();
  s.ShowLinkedFilesFolderWindow = [] { form12().ShowModal(); };
  s.UnloadLinkedFileWindows = [] {
    if (Form7* window = Form7IfLoaded()) window->Unload();
    if (Form12* window = Form12IfLoaded()) window->Unload();
  };
}

}  // namespace listeditor

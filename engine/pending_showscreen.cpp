// Stand-ins for the show-screen buttons and the editors the show buttons open.
#include "engine/pending_showscreen.h"

#include "core/form1.h"
#include "core/state.h"
#include "engine/form1_show.h"
#include "engine/slidescreen.h"
#include "platform/vberror.h"

namespace engine::standin {

// Hides the yes/no, menu and picture buttons of the main window and of the show window
// (when it is loaded); the surface under them shows again.
void ClearShowControls() {
  core::Form1& f = core::form1();
  f.Command8.SetVisible(false);
  f.Command9.SetVisible(false);
  for (platform::CommandButton* menu : {&f.menu1, &f.menu2, &f.menu3, &f.menu4, &f.menu5})
    menu->SetVisible(false);
  for (int i = 0; i < core::kPicButtonCount; ++i) f.Picture2(i).SetVisible(false);
  if (Slidescreen* screen = SlidescreenIfLoaded()) HideShowWindowButtons(*screen);
}


}  // namespace engine::standin

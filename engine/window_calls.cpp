// The show windows' part in core's window calls: what the sound subsystem and the files'
// readers, below this one, do to them.
#include "core/services.h"
#include "core/state.h"
#include "engine/form24.h"
#include "engine/register.h"
#include "engine/slidescreen.h"
#include "engine/surfaces.h"
#include "platform/vberror.h"

namespace engine {

void RegisterWindowCalls() {
  core::WindowCalls& c = core::Windows();
  // The full-screen window is not loaded just to empty its ticker.
  c.ClearShowTicker = [] {
    Slidescreen* screen = SlidescreenIfLoaded();
    if (!screen) return;
    platform::TryStep([screen] { screen->Label1.SetCaption(QString()); });
    platform::TryStep([screen] { screen->Label1.SetVisible(false); });
    platform::TryStep([screen] { screen->Timer1.SetEnabled(false); });
  };
  c.CloseMovieWindow = [] {
    if (Form24* movie = Form24IfLoaded()) movie->Unload();
  };
  c.ResetShowSurfaceForOverlay = [] {
    Slidescreen& screen = slidescreen();
    screen.P2.Cls();
    if (core::Settings().OverlayMode != 0) {
      screen.P2.Move(0, 0, screen.ScaleWidth(), screen.ScaleHeight());
      ApplyScreenBackColor(screen);
    } else {
      screen.P2.SetBackColor(Qt::black);
    }
  };
}

}  // namespace engine

// The main window's unload: the program's shutdown.
#include "core/common.h"
#include "core/form4.h"
#include "core/link_settings_file.h"
#include "core/orientation.h"
#include "core/services.h"
#include "core/settings_file.h"
#include "core/soundlist_file.h"
#include "core/startup.h"
#include "core/state.h"
#include "engine/slidescreen.h"
#include "engine/surfaces.h"
#include "listeditor/form3.h"
#include "mainwindow/mainwindow.h"
#include "platform/form.h"
#include "schedule/form9.h"
#include "sound/background_sound.h"
#include "sound/cd_audio.h"
#include "sound/form10.h"
#include "sound/form13.h"
#include "sound/form14.h"
#include "sound/form2.h"
#include "sound/form8.h"

namespace mainwindow {

using namespace core;
using platform::TryStep;

namespace {
template <class Window>
void UnloadIfLoaded(Window* window) {
  if (window) window->Unload();
}
}  // namespace

void MainWindow::Form_Unload(int& cancel) {
  cancel = 0;
  SetShuttingDown();
  // Each step runs even when one before it failed, so that the settings are written and
  // the process ends.
  Flags().SlideListEditorShown = 0;
  Flags().LinkEditorShown = 0;

  TryStep([] { engine::ReleasePictureDC(); });
  TryStep([] { ForgetSoundRecorder(); });
  TryStep([] { CloseTextViewer(); });

  TryStep([] { sound::StopCdAudio(); });
  TryStep([] { sound::StopShowMedia(); });

  TryStep([] { SaveLinkSettingsFile(); });
  TryStep([] { SaveSettingsFile(); });
  TryStep([] { SaveSoundListFile(); });

  TryStep([] {
    if (engine::Slidescreen* screen = engine::SlidescreenIfLoaded()) screen->P2.Cls();
  });
  TryStep([this] { Picture1.Cls(); });
  TryStep([] {
    if (Form4* work = Form4IfLoaded()) {
      work->Picture1.Cls();
      work->Lead1.ReleaseImage();
      work->Lead2.ReleaseImage();
      work->Picture1.ClearPicture();
    }
  });
  TryStep([this] { Picture1.ClearPicture(); });

  // The other windows, in this order; a window that is not loaded is left alone.
  platform::RunStepsIgnoringErrors({
      [] { UnloadIfLoaded(sound::Form2IfLoaded()); },
      // The double-click window before the slide list window: its unload reads the row.
      [] { TheServices().UnloadLinkedFileWindows(); },
      [] { UnloadIfLoaded(listeditor::Form3IfLoaded()); },
      [] { UnloadIfLoaded(Form4IfLoaded()); },
      [] { TheServices().UnloadFourUpView(); },
      [] { UnloadIfLoaded(sound::Form8IfLoaded()); },
      [] { UnloadIfLoaded(schedule::Form9IfLoaded()); },
      [] { UnloadIfLoaded(sound::Form10IfLoaded()); },
      [] { TheServices().UnloadPictureToolDialogs(); },
      [] { UnloadIfLoaded(sound::Form13IfLoaded()); },
      [] { UnloadIfLoaded(sound::Form14IfLoaded()); },
  });

  TryStep([] { StopGdiplus(); });
  EndProcess();
}

}  // namespace mainwindow

namespace core {

void Form1::nmuEND_Click() { Unload(); }

}  // namespace core

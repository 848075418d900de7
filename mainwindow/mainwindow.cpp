// The main window's wiring, activation, paint and resize, and the filling of core's
// services at start-up.
#include "mainwindow/mainwindow.h"

#include <QWindow>

#include "core/common.h"
#include "core/services.h"
#include "core/state.h"
#include "engine/form1_menus.h"
#include "engine/form1_show.h"
#include "engine/fullscreen_start.h"
#include "engine/register.h"
#include "listeditor/form1_menus_file.h"
#include "listeditor/register.h"
#include "platform/texteditor.h"
#include "schedule/register.h"
#include "sound/form1_menus_sound.h"
#include "sound/register.h"

namespace mainwindow {

using namespace core;

MainWindow::MainWindow() {
  ConnectMenus();
  connect(&nmuEND, &platform::MenuItem::Click, this, &Form1::nmuEND_Click);
  engine::ConnectEffectMenus(*this);
  sound::ConnectSoundMenus(*this);
  listeditor::ConnectFileMenus(*this);
  engine::ConnectShowHandlers(*this);
  // 画面全体: the full-screen start (Command4_Click).
  connect(&Command4, &platform::CommandButton::Click, this, [] { engine::FullScreenStart(); });
  // The text viewer is closed as its close box would close it; a viewer that is gone
  // already raises an error, so that CloseTextViewer keeps its task id.
  SetTextViewerCloser([] { platform::CloseTextEditor(Paths().NotepadTaskId); });
}

namespace {
// Drawing before the window is on screen would be lost: under a window manager the window
// is shown some time before it is mapped, and the panel's hold lets no events run.
bool OnScreen(const QWidget& w) {
  const QWindow* handle = w.windowHandle();
  return w.isVisible() && handle && handle->isExposed();
}
}  // namespace

// The first paint is the first moment the window is really exposed.
void MainWindow::Form_Paint() {
  if (Flags().TitlePanelDone != 1 && OnScreen(*this)) platform::TryStep([] { DrawTitlePanel(); });
}

void MainWindow::Form_Resize() {
  if (SkipNextResize == 1) {
    SkipNextResize = 0;
    return;
  }
  platform::TryStep([this] { SizePreviewBox(); });
  // A resize before the window is exposed leaves the panel to the first paint.
  if (OnScreen(*this)) platform::TryStep([] { DrawTitlePanel(); });
}

void MainWindow::Form_Activate() {
  const ShowSettings& s = Settings();
  mnuKAHAI.SetEnabled(s.OverlayMode != 0);
  mnuCD.SetEnabled(s.CdTrackOrder == 0);
  mnuCDRP.SetEnabled(s.CdTrackOrder == 0);
  ApplyLinkedWavMenuRule();
  FollowFrame();
  Picture1.SetHeight(Height() - 1450 - Surfaces().FrameExtraHeight);
}

void Register() {
  Windows().MakeMainWindow = []() -> Form1* { return new MainWindow; };
  engine::RegisterWindowCalls();
  sound::RegisterWindowCalls();
  listeditor::RegisterWindowCalls();
  schedule::RegisterWindowCalls();
}

}  // namespace mainwindow

// Leaving the full-screen show: the show window's unload ends the show or lets it go on
// in the main window, and brings back the window the show was started from.
#include <QGuiApplication>

#include "core/form1.h"
#include "core/form4.h"
#include "core/lists.h"
#include "core/services.h"
#include "core/state.h"
#include "engine/fullscreen_start.h"
#include "engine/slidescreen.h"
#include "engine/slidescreen2.h"
#include "engine/surfaces.h"
#include "platform/twips.h"
#include "platform/vberror.h"
#include "sound/background_sound.h"
#include "sound/cd_audio.h"

namespace engine {

using platform::TryStep;

namespace {

// The pointer a macro hid comes back, wherever it was hidden.
void ShowCursorAgain(Slidescreen& screen) {
  while (QGuiApplication::overrideCursor() &&
         QGuiApplication::overrideCursor()->shape() == Qt::BlankCursor)
    QGuiApplication::restoreOverrideCursor();
  for (QWidget* w : std::initializer_list<QWidget*>{&screen, screen.Client(), &screen.P2})
    if (w && w->cursor().shape() == Qt::BlankCursor) w->unsetCursor();
  core::Flags().CursorHidden = 0;
}

// Hides the Yes, No and menu buttons and every picture button of both windows and empties
// the button slots.
void ClearShowScreenControls(Slidescreen& screen, core::Form1* f1) {
  if (f1) {
    for (QWidget* w :
         std::initializer_list<QWidget*>{&f1->Command8, &f1->Command9, &f1->menu1, &f1->menu2,
                                         &f1->menu3, &f1->menu4, &f1->menu5})
      w->setVisible(false);
  }
  for (QWidget* w :
       std::initializer_list<QWidget*>{&screen.Command1, &screen.Command2, &screen.menu1,
                                       &screen.menu2, &screen.menu3, &screen.menu4, &screen.menu5})
    w->setVisible(false);
  core::ClearButtonSlots();
  for (int i = 0; i <= 62; ++i) {
    if (f1) f1->Picture2(i).SetVisible(false);
    screen.Picture1(i).SetVisible(false);
  }
}

bool UnloadEndsTheShow(short endShowOnClose) {
  const core::ListState& lists = core::Lists();
  const core::RunFlags& flags = core::Flags();
  return endShowOnClose == 1 || lists.LinkRunActive == 1 || flags.StartedFromListEditor == 1 ||
         flags.UnloadEndsShow == 1 || lists.LinkSingleFileRun == 1 ||
         core::Settings().AlwaysFullScreenOff == 0;
}

// The main window's buttons and menus of a stopped show.
void EndTheShowInTheMainWindow() {
  core::ListState& lists = core::Lists();
  TryStep([] {
    core::Form1& f1 = core::form1();
    SetFileMenusEnabled(true);
    f1.Timer1.SetEnabled(false);
    f1.Picture1.ClearPicture();
  });
  TryStep([] {
    core::Form1& f1 = core::form1();
    for (platform::CommandButton* b :
         {&f1.Command1, &f1.Command2, &f1.Command3, &f1.Command5, &f1.Command7})
      b->SetEnabled(false);
    for (platform::CommandButton* b : {&f1.Command6, &f1.Command10, &f1.Command11})
      b->SetEnabled(true);
    ShowShowMenus();
  });
  TryStep([&lists] {
    // 画面全体 keeps its state with an empty list.
    core::Windows().LoadSlideList();
    const int count = core::Form3List1().Count();
    if (count >= 1) {
      core::Form1& f1 = core::form1();
      f1.Command1.SetEnabled(true);
      f1.Command4.SetEnabled(true);
      lists.SlideEndIndex = platform::CInt(count + 1);
    }
  });
}

// The stopped state; the main window's with it when there is one.
void EndTheShow(Slidescreen& screen, core::Form1* main) {
  core::ListState& lists = core::Lists();
  core::RunFlags& flags = core::Flags();
  core::SoundState& sound = core::Sound();
  lists.LinkRunActive = 0;
  screen.EndShowOnClose = 0;
  flags.ShowStopped = 1;
  flags.SlideInProgress = 0;
  flags.LineDelayWaiting = 0;
  flags.PlayStarted = 0;
  flags.OperationLocked = 0;
  sound.CdPaused = 0;
  sound.SoundPaused = 0;
  lists.SoundListPosition = 0;
  lists.CdProgramPosition = 0;
  flags.ShowRunning = 0;
  lists.CurrentSlideIndex = 0;
  lists.LinkPosition = 0;

  if (!main) return;
  EndTheShowInTheMainWindow();
  TryStep([] { ::sound::StopCdAudio(); });
  TryStep([] { ::sound::StopShowMedia(); });
}

// Puts the picture last shown into the main window's preview box, fitted with its
// proportions kept, when the show goes on there.
void RefitPreviewPicture() {
  const core::ListState& lists = core::Lists();
  const core::ShowSettings& s = core::Settings();
  const core::SurfaceState& surfaces = core::Surfaces();
  core::Form1& f1 = core::form1();
  QString entry;
  TryStep([&] { entry = lists.SlidePaths[lists.CurrentSlideIndex]; });
  const double pw = f1.Picture1.Width();
  const double ph = f1.Picture1.Height();
  const double w = surfaces.LoadedPictureWidth;
  const double h = surfaces.LoadedPictureHeight;
  const bool refit =
      !entry.isEmpty() && (s.SizeAdjustMode == 1 || (s.SizeAdjustMode == 0 && (pw < w || ph < h)));
  if (!refit || core::Flags().ShowEndRequested == 1) return;
  if (h == 0 || ph == 0 || w == 0) return;
  const double scale = w / h > pw / ph ? pw / w : ph / h;
  const short nw = platform::CInt(scale * w / platform::TwipsPerPixelX);
  const short nh = platform::CInt(scale * h / platform::TwipsPerPixelY);
  core::Form4& work = core::form4();
  work.Lead1.CopyImageFrom(work.Lead2);
  work.Lead1.ResizeImage(nw, nh, 0);
  work.Picture1.ClearPicture();
  work.Picture1.SetPicture(work.Lead1.ImagePicture());
  f1.Picture1.SetPicture(work.Picture1.Picture());
}

}  // namespace

void Slidescreen::Form_Unload(int& cancel) {
  cancel = 0;
  core::RunFlags& flags = core::Flags();
  // The window goes whatever fails on the way: each step runs even when one before it
  // failed, so that a show is never left half ended.
  TryStep([this] { ShowCursorAgain(*this); });
  // The main window is there whenever the program runs; without it only this window's
  // own steps are left.
  core::Form1* f1 = core::Form1IfLoaded();
  TryStep([this, f1] { ClearShowScreenControls(*this, f1); });
  TryStep([] {
    if (Slidescreen2* box = Slidescreen2IfLoaded()) box->Hide();
  });
  core::Lists().StartAtChosenSlide = 0;
  flags.FullScreenShowActive = 0;
  core::Surfaces().PictureLeft = 0;
  core::Surfaces().PictureTop = 0;

  P2.ClearPicture();
  TryStep([] {
    if (core::Form4* work = core::Form4IfLoaded()) work->Picture3.ClearPicture();
  });
  TryStep([] { ReleasePictureDC(); });

  // Every wait of the slide player, the macro and the sound code ends on this.
  flags.ShowScreenClosed = 1;

  if (UnloadEndsTheShow(EndShowOnClose)) TryStep([this, f1] { EndTheShow(*this, f1); });
  if (!f1) return;

  TryStep([] { RefitPreviewPicture(); });
  TryStep([f1] { f1->Picture1.SetAutoRedraw(true); });

  // Back to the window the show was started from.
  TryStep([&flags] {
    if (core::Lists().LinkSingleFileRun == 1) {
      core::Windows().ShowLinkList();
    } else if (flags.StartedFromListEditor != 0) {
      core::form1().Hide();
      core::Windows().ShowSlideList();
    } else {
      core::form1().Show();
    }
  });
}

}  // namespace engine

// Clicks on picture buttons, the jump they share with the menu buttons, and the clearing
// of the macro buttons at each slide.
#include "showbuttons/clicks.h"

#include <QFileInfo>
#include <QProcess>

#include "core/form1.h"
#include "core/state.h"
#include "engine/form24.h"
#include "engine/slidescreen.h"
#include "engine/slidescreen2.h"
#include "platform/effectsound.h"
#include "platform/events.h"
#include "platform/form.h"
#include "platform/mediaplayer.h"
#include "platform/picturebox.h"
#include "platform/startprogram.h"
#include "showbuttons/button_controls.h"

namespace showbuttons {
namespace {

// Extensions an executable bit says nothing about: files copied from other systems often
// carry it.
bool MediaOrPicture(const QString& link) {
  static const QStringList kKnown = {"JPG", "JPEG", "BMP", "PNG",  "GIF",  "TIF", "TIFF", "TGA",
                                     "PSD", "PCX",  "RAS", "PCT",  "PICT", "WPG", "PCD",  "CAL",
                                     "MAC", "WAV",  "MID", "MIDI", "MP3",  "MP4", "WMV",  "MOV",
                                     "AVI", "TXT",  "DAT", "KVZ",  "USL"};
  return kKnown.contains(QFileInfo(link).suffix().toUpper());
}

QString LinkFolder(const QString& link) {
  const QFileInfo info(link);
  return info.isFile() ? info.absolutePath() : CurrentPictureFolder();
}

void StartLinkedProgram(const QString& link) {
  const QString program = link.trimmed();
  bool started = false;
  if (QFileInfo(program).isFile()) {
    // The link names the program itself, blanks and all; no shell sees it.
    started = QProcess::startDetached(program, {}, LinkFolder(program));
  } else {
    // Not a file: a program name with its arguments.
    started = platform::StartProgram(program, CurrentPictureFolder());
  }
  if (!started) qCWarning(lcButtons) << "picture button: could not start" << program;
}

void PlayLinkedMovie(const QString& link) {
  // A looping movie of the slide gives way to the one clicked.
  if (engine::Form24* looping = engine::Form24IfLoaded()) {
    Step("close the open movie", [looping] {
      looping->WindowsMediaPlayer1.SetLoop(false);
      looping->WindowsMediaPlayer1.Close();
      looping->Unload();
    });
  }
  core::Settings().MovieLoop = 0;
  Step("movie window", [&link] {
    engine::Form24& movie = engine::form24();
    movie.WindowsMediaPlayer1.SetAutoStart(false);
    movie.WindowsMediaPlayer1.SetUiModeNone();
    movie.WindowsMediaPlayer1.SetLoop(false);
    movie.WindowsMediaPlayer1.SetURL(link);
    movie.ShowModal();
  });
}

void HideYesNoAndMenus(core::Form1* f1, engine::Slidescreen* screen) {
  if (screen) {
    Step("hide Yes", [screen] { screen->Command1.SetVisible(false); });
    Step("hide No", [screen] { screen->Command2.SetVisible(false); });
  }
  if (f1) {
    Step("hide window Yes", [f1] { f1->Command8.SetVisible(false); });
    Step("hide window No", [f1] { f1->Command9.SetVisible(false); });
    for (platform::CommandButton* m : {&f1->menu1, &f1->menu2, &f1->menu3, &f1->menu4, &f1->menu5})
      Step("hide window menu", [m] { m->SetVisible(false); });
  }
  if (screen) {
    for (platform::CommandButton* m :
         {&screen->menu1, &screen->menu2, &screen->menu3, &screen->menu4, &screen->menu5})
      Step("hide show menu", [m] { m->SetVisible(false); });
  }
}

}  // namespace

LinkKind ClassifyLink(const QString& link) {
  const QString tail = link.right(3).toUpper();
  if (tail == QLatin1String("WAV")) return LinkKind::Wav;
  if (tail == QLatin1String("EXE")) return LinkKind::Program;
  if (tail == QLatin1String("MP4") || tail == QLatin1String("WMV") ||
      tail == QLatin1String("MOV") || tail == QLatin1String("AVI"))
    return LinkKind::Movie;
  const QFileInfo info(link.trimmed());
  if (!link.trimmed().isEmpty() && info.isFile() && info.isExecutable() && !MediaOrPicture(link))
    return LinkKind::Program;
  return LinkKind::None;
}

void CarryOutLink(const QString& link) {
  switch (ClassifyLink(link)) {
    case LinkKind::Wav:
      Step("effect sound", [&link] {
        if (!platform::PlayEffectSound(link, platform::kSndAsync | platform::kSndNoDefault))
          qCInfo(lcButtons) << "picture button: nothing played of" << link;
      });
      break;
    case LinkKind::Program:
      Step("program", [&link] { StartLinkedProgram(link); });
      break;
    case LinkKind::Movie:
      PlayLinkedMovie(link);
      break;
    case LinkKind::None:
      break;
  }
}

void JumpBy(short jump) {
  core::ListState& lists = core::Lists();
  const int index = lists.CurrentSlideIndex + jump - 1;
  // Out of the 16-bit range the index stays; the choice still ends.
  if (index >= -32768 && index <= 32767) lists.CurrentSlideIndex = static_cast<short>(index);
  if (lists.CurrentSlideIndex < 0) lists.CurrentSlideIndex = 0;
  core::RunFlags& f = core::Flags();
  f.WaitingForChoice = 0;
  f.LineDelayWaiting = 0;
  f.JumpRequested = 1;
}

void FocusShowSurface() {
  Step("focus to the show surface", [] { engine::slidescreen().P2.SetFocus(); });
}

void FocusControlBox() {
  if (core::Settings().ControlBoxOff != 0 || core::Flags().ShowScreenClosed != 0) return;
  Step("focus to the control box", [] {
    if (engine::Slidescreen2* box = engine::Slidescreen2IfLoaded(); box && box->isVisible())
      box->SetFocus();
  });
}

void ShowPictureButtonClick(int index) {
  if (index < 0 || index > kLastPicButtonSlot) return;
  CarryOutLink(core::Buttons().PicButtonLinks[index]);
  FocusShowSurface();
  const short jump = core::Buttons().PicButtonJumps[index];
  if (jump != 0) JumpBy(jump);
  FocusControlBox();
}

void WindowPictureButtonClick(int index) {
  if (index < 0 || index > kLastPicButtonSlot) return;
  CarryOutLink(core::Buttons().PicButtonLinks[index]);
  const short jump = core::Buttons().PicButtonJumps[index];
  if (jump != 0) JumpBy(jump);
}

void ClearShowControls() {
  core::Form1* f1 = core::Form1IfLoaded();
  // A show window that is not loaded has no buttons up.
  engine::Slidescreen* screen = engine::SlidescreenIfLoaded();
  HideYesNoAndMenus(f1, screen);
  const bool full = core::Flags().FullScreenShowActive == 1;
  for (int i = 0; i <= kLastPicButtonSlot; ++i) {
    if (f1) {
      Step("hide window picture button", [f1, i] {
        f1->Picture2(i).SetVisible(false);
        f1->Picture2(i).ClearPicture();
      });
    }
    if (!screen) continue;
    platform::PictureBox& show = screen->Picture1(i);
    Step("clear show picture button", [&show] { show.ClearPicture(); });
    if (core::Buttons().PicButtonsShown[i] == 1 && full && show.Visible()) {
      Step("repair under picture button", [&show] {
        show.SetVisible(false);
        platform::DoEvents();
        RepairFromBackground(
            QRect(PixelLeft(show), PixelTop(show), ClientWidth(show) + 1, ClientHeight(show) + 1));
        platform::DoEvents();
      });
    }
    Step("hide show picture button", [&show] { show.SetVisible(false); });
  }
}

bool ChoiceButtonsUp() {
  const core::ButtonSlots& b = core::Buttons();
  const bool full = core::Flags().FullScreenShowActive == 1;
  if (full) {
    engine::Slidescreen* screen = engine::SlidescreenIfLoaded();
    if (!screen) return false;
    platform::CommandButton* menus[] = {&screen->menu1, &screen->menu2, &screen->menu3,
                                        &screen->menu4, &screen->menu5};
    for (int n = 1; n <= 5; ++n)
      if (b.MenuButtonsShown[n] == 1 && menus[n - 1]->Visible()) return true;
  } else {
    core::Form1* f1 = core::Form1IfLoaded();
    if (!f1) return false;
    platform::CommandButton* menus[] = {&f1->menu1, &f1->menu2, &f1->menu3, &f1->menu4, &f1->menu5};
    for (int n = 1; n <= 5; ++n)
      if (b.MenuButtonsShown[n] == 1 && menus[n - 1]->Visible()) return true;
  }
  for (int i = 0; i <= kLastPicButtonSlot; ++i) {
    if (b.PicButtonsShown[i] != 1) continue;
    if (b.PicButtonJumps[i] == 0 && ClassifyLink(b.PicButtonLinks[i]) == LinkKind::None) continue;
    bool up = false;
    Step("button up", [&up, i] { up = CopyInUse(i).Visible(); });
    if (up) return true;
  }
  return false;
}

}  // namespace showbuttons

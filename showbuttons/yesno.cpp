// "YESNOPB" and the main window's Yes and No; the show window's pair records its answers
// itself.
#include "showbuttons/yesno.h"

#include "core/common.h"
#include "core/form1.h"
#include "core/state.h"
#include "engine/slidescreen.h"
#include "macro/macro_state.h"
#include "platform/controls.h"
#include "platform/events.h"
#include "platform/picturebox.h"
#include "platform/vberror.h"
#include "showbuttons/button_controls.h"
#include "showbuttons/clicks.h"
#include "showbuttons/picbuttons.h"

namespace showbuttons {
namespace {

constexpr int kAnswerWidth = 41;  // 615 x 375 twips
constexpr int kAnswerHeight = 25;
constexpr int kAnswerGap = 4;

// The text between 1-based positions i and j; a negative length is an error, as the
// line cannot be read.
QString Between(const QString& line, qsizetype i, qsizetype j) {
  if (j - i - 1 < 0) throw platform::VbError(platform::kErrInvalidCall, "YESNOPB: unreadable");
  return line.mid(i, j - i - 1);
}

void PlacePair(platform::CommandButton& yes, platform::CommandButton& no, int left, int top) {
  for (platform::CommandButton* b : {&yes, &no}) {
    b->resize(kAnswerWidth, kAnswerHeight);
    b->setCursor(HandCursor());
  }
  MoveWidgetToPixels(yes, left, top);
  MoveWidgetToPixels(no, left + yes.width() + kAnswerGap, top);
  yes.SetVisible(true);
  no.SetVisible(true);
  yes.raise();
  no.raise();
}

bool Waiting() {
  const core::RunFlags& f = core::Flags();
  return f.YesPressed == 0 && f.NoPressed == 0 && f.JumpRequested == 0 && f.ShowScreenClosed == 0 &&
         f.ShowStopped == 0;
}

// The answer's jump; a jump of 0 lets the macro go on.
void Answer(double jump) {
  core::RunFlags& f = core::Flags();
  if (jump == 0) {
    f.YesPressed = 0;
    f.NoPressed = 0;
    return;
  }
  core::ListState& lists = core::Lists();
  const double index = platform::RoundHalfEven(lists.CurrentSlideIndex + jump - 1);
  // Out of the 16-bit range the index stays, as for the other buttons.
  if (index >= -32768 && index <= 32767) lists.CurrentSlideIndex = static_cast<short>(index);
  if (lists.CurrentSlideIndex < 0) lists.CurrentSlideIndex = 0;
  macro::EnterExitPath();
}

}  // namespace

void ExecYesNoCommand(double textLeft) {
  core::RunFlags& f = core::Flags();
  const bool full = f.FullScreenShowActive == 1;
  if (full) FocusShowSurface();
  f.YesPressed = 0;
  f.NoPressed = 0;

  const QString& upper = macro::State().MacroLineUpper;
  const qsizetype a = upper.indexOf(QLatin1Char('(')) + 1;
  const qsizetype c = upper.indexOf(QLatin1Char(',')) + 1;
  const qsizetype r = upper.lastIndexOf(QLatin1Char(')')) + 1;
  const double yes = core::SafeVal(Between(upper, a, c));
  const double no = core::SafeVal(Between(upper, c, r));
  if (yes == 0 && no == 0) {
    macro::ConsumeLine();
    return;
  }

  engine::Slidescreen& screen = engine::slidescreen();
  core::Form1& f1 = core::form1();
  Step("show Yes/No", [&] {
    platform::PictureBox& p2 = screen.P2;
    PlacePair(screen.Command1, screen.Command2,
              platform::CLng(core::Surfaces().TextOriginX + textLeft),
              p2.ToPixels(0, p2.CurrentY()).y());
  });
  Step("window Yes/No", [&] {
    platform::PictureBox& preview = f1.Picture1;
    PlacePair(f1.Command8, f1.Command9, platform::CLng(textLeft),
              preview.ToPixels(0, preview.CurrentY()).y());
  });
  ShowMouseCursor();
  f.CursorHidden = 0;

  do {
    platform::DoEvents();
    platform::Sleep(20);
  } while (Waiting());

  if (f.JumpRequested == 1) {
    // Another button's jump stands.
    f.YesPressed = 2;
    f.NoPressed = 2;
    macro::EnterExitPath();
  }
  if (f.ShowScreenClosed == 1) {
    f.WaitingForChoice = 0;
    f.JumpRequested = 0;
  }
  // "Yes" first when both came in one pass.
  if (f.YesPressed == 1) Answer(yes);
  if (f.NoPressed == 1) Answer(no);

  for (platform::CommandButton* b :
       {&screen.Command1, &screen.Command2, &f1.Command8, &f1.Command9})
    Step("hide Yes/No", [b] { b->SetVisible(false); });
  platform::DoEvents();
  if (full) {
    Step("repair under Yes", [&] { RepairFromBackground(PixelRect(screen.Command1)); });
    Step("repair under No", [&] { RepairFromBackground(PixelRect(screen.Command2)); });
  }
  macro::ConsumeLine();
}

void WindowYesClick() { core::Flags().YesPressed = 1; }
void WindowNoClick() { core::Flags().NoPressed = 1; }

}  // namespace showbuttons

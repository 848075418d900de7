// "MENU1" .. "MENU5" and the clicks of the ten menu buttons.
#include "showbuttons/menubuttons.h"

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

constexpr int kMenuWidth = 145;  // 2175 x 375 twips
constexpr int kMenuHeight = 25;

platform::CommandButton& WindowMenu(int n) {
  core::Form1& f1 = core::form1();
  platform::CommandButton* menus[] = {&f1.menu1, &f1.menu2, &f1.menu3, &f1.menu4, &f1.menu5};
  return *menus[n - 1];
}

platform::CommandButton& ShowMenu(int n) {
  engine::Slidescreen& s = engine::slidescreen();
  platform::CommandButton* menus[] = {&s.menu1, &s.menu2, &s.menu3, &s.menu4, &s.menu5};
  return *menus[n - 1];
}

// Trims blanks only, as the macro texts are trimmed.
QString TrimBlanks(const QString& text) {
  qsizetype from = 0, to = text.size();
  while (from < to && text[from] == QLatin1Char(' ')) ++from;
  while (to > from && text[to - 1] == QLatin1Char(' ')) --to;
  return text.mid(from, to - from);
}

void PlaceMenuButton(int n, const MenuArgs& args, double textLeft) {
  core::ButtonSlots& b = core::Buttons();
  // The old image on the show screen gives way to what lies under it in the background
  // copy (the picture memory covers only the picture).
  if (b.MenuButtonsShown[n] == 1 && core::Flags().FullScreenShowActive == 1) {
    Step("erase old menu button", [n] {
      platform::CommandButton& show = ShowMenu(n);
      show.SetVisible(false);
      platform::DoEvents();
      RepairFromBackground(PixelRect(show));
    });
  }
  Step("window menu position", [n, textLeft] {
    platform::PictureBox& preview = core::form1().Picture1;
    platform::CommandButton& button = WindowMenu(n);
    button.resize(kMenuWidth, kMenuHeight);
    MoveWidgetToPixels(button, platform::CLng(textLeft),
                       preview.ToPixels(0, preview.CurrentY()).y());
  });
  Step("show menu position", [n, textLeft] {
    platform::PictureBox& p2 = engine::slidescreen().P2;
    platform::CommandButton& button = ShowMenu(n);
    button.resize(kMenuWidth, kMenuHeight);
    MoveWidgetToPixels(button, platform::CLng(core::Surfaces().TextOriginX + textLeft),
                       p2.ToPixels(0, p2.CurrentY()).y());
  });
  // A jump out of the 16-bit range keeps the one the slot had.
  Step("menu jump", [n, &args] { core::Buttons().MenuJumps[n] = platform::CInt(args.jump); });
  b.MenuButtonsShown[n] = 1;
  Step("show window menu", [n, &args] {
    platform::CommandButton& button = WindowMenu(n);
    button.setCursor(HandCursor());
    button.SetCaption(args.caption);
    button.SetVisible(true);
  });
  Step("show show menu", [n, &args] {
    platform::CommandButton& button = ShowMenu(n);
    button.setCursor(HandCursor());
    button.SetCaption(args.caption);
    button.SetVisible(true);
    button.raise();
  });
}

}  // namespace

MenuArgs GetMenuArgs(const QString& upper, const QString& asWritten) {
  MenuArgs args;
  // 1-based positions, 0 where there is none.
  const qsizetype p1 = upper.indexOf(QLatin1Char('(')) + 1;
  const qsizetype p2 = upper.indexOf(QLatin1Char(',')) + 1;
  const qsizetype p3 = upper.lastIndexOf(QLatin1Char(')')) + 1;
  if (p2 - p1 - 1 >= 0) args.jump = core::SafeVal(upper.mid(p1, p2 - p1 - 1));
  // Upper-casing keeps the length; should the two differ, the upper-cased copy is all.
  const QString& text = asWritten.size() == upper.size() ? asWritten : upper;
  if (p3 - p2 - 1 >= 0) args.caption = TrimBlanks(text.mid(p2, p3 - p2 - 1));
  if (args.caption.startsWith(QLatin1Char('"')) && args.caption.size() > 1)
    args.caption = args.caption.mid(1, args.caption.size() - 2);
  return args;
}

void ExecMenuCommand(double textLeft) {
  macro::MacroState& m = macro::State();
  const QString& upper = m.MacroLineUpper;
  const MenuArgs args = GetMenuArgs(upper, m.MacroLine);
  if (upper.size() >= 5 && upper.startsWith(QLatin1String("MENU"))) {
    const QChar digit = upper[4];
    if (digit >= QLatin1Char('1') && digit <= QLatin1Char('5'))
      PlaceMenuButton(digit.unicode() - u'0', args, textLeft);
  }
  core::Flags().WaitingForChoice = 1;
  m.MacroLineUpper = QStringLiteral("\n");
  m.MacroLine = QStringLiteral("\n");
  ShowMouseCursor();
  core::Flags().CursorHidden = 0;
}

void WindowMenuClick(int n) {
  if (n < 1 || n > 5) return;
  JumpBy(core::Buttons().MenuJumps[n]);
}

void ShowMenuClick(int n) {
  if (n < 1 || n > 5) return;
  FocusShowSurface();
  JumpBy(core::Buttons().MenuJumps[n]);
  FocusControlBox();
}

}  // namespace showbuttons

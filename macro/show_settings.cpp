// Show setting commands: the slide interval, the picture's position, size and overlay,
// the transition effects and their speed, the control box, the main window's state, the
// text origin and the text position. Settings with a menu tick it as the menu would,
// without the menu's messages.
#include <QtGlobal>
#include <algorithm>
#include <cmath>

#include "core/common.h"
#include "core/form1.h"
#include "core/form4.h"
#include "core/state.h"
#include "engine/slidescreen.h"
#include "engine/slidescreen2.h"
#include "macro/macro_state.h"
#include "macro/show_commands.h"
#include "platform/cursor.h"
#include "platform/picturebox.h"
#include "platform/vberror.h"

namespace macro {
namespace {

// The largest whole number not above v.
double WholePart(double v) { return std::floor(v); }

// A number as its text form: a leading blank for 0 or more, a minus sign otherwise, no
// zero before the point of a fraction (" 12", "-20", " .5").
QString NumberText(double v) {
  QString digits = QString::number(std::abs(v), 'g', 15);
  if (digits.startsWith(QStringLiteral("0."))) digits.remove(0, 1);
  return (v < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + digits;
}

// Unticks the item of the value stored so far, stores `value`, ticks its item.
void Choose(platform::MenuArray& menu, short& setting, short value) {
  core::ChooseMenuItem(menu, setting, value);
}

// Rewrites the line as "<keyword> =" and a number, for the later keyword to take it.
void RewriteLine(const QString& keyword, double value) {
  MacroState& m = State();
  m.MacroLineUpper = keyword + QStringLiteral(" =") + NumberText(value);
  m.MacroLine = m.MacroLineUpper;
  m.ValueStart = static_cast<int>(keyword.size()) + 3;
}

}  // namespace

void IntervalCommand() {
  const double v = LineValue();
  if (v >= 1 && v <= 60) {
    // The fraction counts for this slide only: later ticks take the whole seconds.
    core::form1().Timer1.SetInterval(platform::CLng(v * 1000));
    core::Settings().SlideIntervalSeconds = platform::CLng(v);
  }
  ConsumeLine();
}

void PositionCommand() {
  MacroState& m = State();
  core::ShowSettings& s = core::Settings();
  const QString text = m.MacroLineUpper.mid(m.ValueStart - 1, 8);
  const qsizetype point = text.indexOf(QLatin1Char('.'));
  if (point < 0) {
    // Left for the second test, which takes it as a "PICRND" line.
    s.PicturePositionFixed = 0;
    return;
  }
  s.PicturePositionX = std::clamp(core::SafeVal(text.left(point)) / 100, 0.0, 1.0);
  s.PicturePositionY = std::clamp(core::SafeVal(text.mid(point + 1)) / 100, 0.0, 1.0);
  s.PicturePositionFixed = 1;
  ConsumeLine();
}

void PicRndCommand() {
  const double v = LineValue();
  core::ShowSettings& s = core::Settings();
  core::Form1& f1 = core::form1();
  if (v == 0) {
    f1.mnuHICHI[1].SetChecked(false);
    f1.mnuHICHI[0].SetChecked(true);
    s.PicturePosition = 0;
  } else if (v == 1) {
    f1.mnuHICHI[0].SetChecked(false);
    f1.mnuHICHI[1].SetChecked(true);
    s.PicturePosition = 1;
  }
  s.PicturePositionFixed = 0;
  ConsumeLine();
}

void PicResizeCommand() {
  core::Settings().PictureScale = std::clamp(LineValue() / 100, 0.1, 2.0);
  ConsumeLine();
}

namespace {
// Stores the whole part of the line's value when that lies in low..high (6.9 stores 6,
// -60.5 is -61 and refused).
void StoreInRange(short& setting, double low, double high) {
  const double whole = WholePart(LineValue());
  if (whole >= low && whole <= high) setting = static_cast<short>(whole);
  ConsumeLine();
}
}  // namespace

void DownSizeCommand() { StoreInRange(core::Settings().PictureSizeMode, 0, 6); }
void KoukaSpCommand() { StoreInRange(core::Settings().DisplayEffectSpeed, -60, 10); }
void DelKoukaSpCommand() { StoreInRange(core::Settings().EraseEffectSpeed, -60, 10); }

void BackColorCommand() {
  MacroState& m = State();
  const qsizetype q1 = m.MacroLineUpper.indexOf(QLatin1Char('"'));
  qsizetype q2 = q1 < 0 ? -1 : m.MacroLine.indexOf(QLatin1Char('"'), q1 + 1);
  if (q2 < 0) q2 = q1;
  if (q1 >= 0 && q2 - q1 > 1) {
    const QString hex = m.MacroLine.mid(q1 + 1, q2 - q1 - 1);
    core::Settings().OverlayBackColorHex = hex.size() == 6 ? hex : QStringLiteral("000000");
    core::Flags().OverlayChangedByMacro = 1;
  }
  ConsumeLine();
}

void BorderlessCommand() {
  core::Settings().Borderless = platform::CInt(LineValue());
  ConsumeLine();
}

void KspSetCommand() {
  const double v = LineValue();
  core::ShowSettings& s = core::Settings();
  core::Form1& f1 = core::form1();
  if (v == 0) s.EffectSpeedFixed = 0;
  if (v == 1) s.EffectSpeedFixed = 1;
  f1.mnuKSPSEL[0].SetChecked(false);
  f1.mnuKSPSEL[1].SetChecked(false);
  if (s.EffectSpeedFixed >= 0 && s.EffectSpeedFixed < f1.mnuKSPSEL.Count())
    f1.mnuKSPSEL[s.EffectSpeedFixed].SetChecked(true);
  const bool variable = s.EffectSpeedFixed == 0;
  f1.mnuHKSP.SetEnabled(variable);
  f1.mnuSKSP.SetEnabled(variable);
  if (!variable) {
    s.DisplayEffectSpeed = -30;
    s.EraseEffectSpeed = -30;
  }
  ConsumeLine();
}

void OverPicCommand() {
  const double v = LineValue();
  if (v == -1 || v == 0 || v == 1) core::Buttons().OverPic = static_cast<short>(v);
  ConsumeLine();
}

namespace {
// "KOUKA" and "DELKOUKA": 0 is no effect, n the effect n - 1. A value that rounds to no
// effect of the menu (above 0 and below 0.5 gives -1) is refused like any out of range.
void ChooseEffect(platform::MenuArray& menu, short& setting, double highest, short none) {
  const double v = LineValue();
  if (v >= 0 && v <= highest) {
    const double effect = v == 0 ? none : platform::RoundHalfEven(v - 1);
    if (effect >= 0 && effect <= none) Choose(menu, setting, static_cast<short>(effect));
  }
  ConsumeLine();
}
}  // namespace

void KoukaCommand() { ChooseEffect(core::form1().mnuHKO, core::Settings().DisplayEffect, 11, 11); }

void DelKoukaCommand() {
  ChooseEffect(core::form1().mnuSYOUKO, core::Settings().EraseEffect, 12, 12);
}

void CtrlBoxCommand() {
  const double v = LineValue();
  core::RunFlags& f = core::Flags();
  core::Form1& f1 = core::form1();
  if (v == 0) {
    Choose(f1.mnuCTL, core::Settings().ControlBoxOff, 1);
    if (f.FullScreenShowActive == 1) {
      const QRect covered = ControlBoxRectOnShowSurface();
      if (engine::Slidescreen2* box = engine::Slidescreen2IfLoaded()) box->Hide();
      KeepControlBoxPlaceInCopies(covered);
    }
  } else if (v == 1) {
    Choose(f1.mnuCTL, core::Settings().ControlBoxOff, 0);
    if (f.FullScreenShowActive == 1) {
      engine::slidescreen2().Show();
      while (platform::ShowCursor(true) < 0) {
      }
      f.CursorHidden = 0;
    }
  }
  ConsumeLine();
}

void MovXCommand() {
  const double d = WholePart(LineValue() + 0.1);
  RewriteLine(QStringLiteral("CURRENTX"), d + State().TextLeft);
}

void MovYCommand() {
  const double d = WholePart(LineValue() + 0.1);
  RewriteLine(QStringLiteral("CURRENTY"), d + PreviewBox().CurrentY());
}

void ScreenXYCommand() {
  const double v = LineValue();
  core::SurfaceState& surf = core::Surfaces();
  core::ShowSettings& s = core::Settings();
  if (v == 0) {
    s.TextOriginScreen = 0;
    surf.TextOriginX = surf.PictureLeft;
    surf.TextOriginY = surf.PictureTop;
  } else if (v == 1) {
    s.TextOriginScreen = 1;
    surf.TextOriginX = 0;
    surf.TextOriginY = 0;
  }
  State().TextLeft = 0;
  ShowSurface().SetCurrentX(surf.TextOriginX);
  ShowSurface().SetCurrentY(surf.TextOriginY);
  PreviewBox().SetCurrentX(0);
  PreviewBox().SetCurrentY(0);
  ConsumeLine();
}

void OverlapCommand() {
  const short n = platform::CInt(WholePart(LineValue() + 0.1));
  if (n >= 0 && n <= 4) {
    core::Form1& f1 = core::form1();
    for (int i = 0; i < f1.mnuKASANE.Count(); ++i) f1.mnuKASANE[i].SetChecked(false);
    core::Settings().OverlayMode = n;
    f1.mnuKASANE[n].SetChecked(true);
    core::Flags().OverlayChangedByMacro = 1;
  }
  ConsumeLine();
}

void WinStateCommand() {
  const double v = LineValue();
  if (core::Flags().FullScreenShowActive == 0 && (v == 0 || v == 2))
    core::form1().SetWindowState(static_cast<int>(v));
  ConsumeLine();
}

void SizeCtrlCommand() {
  const double v = LineValue();
  core::Form1& f1 = core::form1();
  short& mode = core::Settings().SizeAdjustMode;
  if (v == 0) {
    Choose(f1.mnuSIZE, mode, 2);
  } else if (v == 1 || v == 2) {
    // A later switch between the window and the full-screen show fits this picture.
    core::Form4& work = core::form4();
    work.Lead2.CopyImageFrom(work.Lead1);
    Choose(f1.mnuSIZE, mode, static_cast<short>(v - 1));
  }
  ConsumeLine();
}

}  // namespace macro

// The text style commands: colour, decoration, font, positions, line space, tab stops
// and wiping the text drawn so far.
#include <QFont>
#include <QFontDatabase>
#include <algorithm>

#include "core/common.h"
#include "core/state.h"
#include "engine/slidescreen.h"
#include "macro/macro_state.h"
#include "platform/controls_base.h"
#include "platform/picturebox.h"
#include "platform/vberror.h"

namespace macro {
namespace {

const QString kGothic = QStringLiteral("ＭＳ ゴシック");

// Characters strictly between 1-based positions a and b of the upper-cased line.
double FieldBetween(int a, int b) {
  const QString& upper = State().MacroLineUpper;
  if (b - a - 1 < 1) return 0;
  return core::SafeVal(upper.mid(a, b - a - 1));
}

int Position(const QString& text, QChar c, int from = 1) {
  return static_cast<int>(text.indexOf(c, from - 1)) + 1;
}

double Clamp(double v, double low, double high) { return std::min(std::max(v, low), high); }

// Text colour of both surfaces and of decorated text.
void SetTextColour(const QColor& colour) {
  ShowSurface().SetForeColor(colour);
  PreviewBox().SetForeColor(colour);
  core::Surfaces().TextColor = static_cast<int>(platform::ToVbColor(colour));
}

// 1 switches a style on for both surfaces, 0 off; anything else leaves it.
template <class Set>
void SwitchStyle(double v, Set set) {
  if (v == 1 || v == 0) {
    set(ShowSurface(), v == 1);
    set(PreviewBox(), v == 1);
  }
}

void SetFaceOfBoth(const QString& face) {
  SetSurfaceFace(ShowSurface(), face);
  SetSurfaceFace(PreviewBox(), face);
}

}  // namespace

void SetSurfaceFace(platform::PictureBox& box, const QString& face) {
  QFont font = box.font();
  if (QFontDatabase::hasFamily(face) || !QFont::substitutes(face).isEmpty() || face == kGothic)
    font.setFamilies({face});
  else
    font.setFamilies({face, kGothic});
  box.setFont(font);
}

void ExecRgbCommand() {
  MacroState& m = State();
  if (!m.MacroLineUpper.startsWith(QStringLiteral("RGB"))) return;
  const QString& upper = m.MacroLineUpper;
  const int p = Position(upper, QLatin1Char('('));
  const int c1 = Position(upper, QLatin1Char(','));
  int c2 = Position(upper, QLatin1Char(','), c1 + 1);
  if (c2 == 0) c2 = c1;
  const int e = static_cast<int>(upper.lastIndexOf(QLatin1Char(')'))) + 1;
  auto channel = [](double v) {
    return static_cast<int>(Clamp(platform::RoundHalfEven(v), 0, 255));
  };
  const int r = channel(FieldBetween(p, c1));
  const int g = channel(FieldBetween(c1, c2));
  const int b = channel(FieldBetween(c2, e));
  SetTextColour(platform::RGB(r, g, b));
  ConsumeLine();
}

void BorderColorCommand() {
  core::Settings().BorderColorIndex =
      static_cast<short>(Clamp(platform::RoundHalfEven(LineValue()), 0, 15));
  ConsumeLine();
}

void LineSpaceCommand() {
  core::Settings().LineSpace =
      static_cast<short>(Clamp(platform::RoundHalfEven(LineValue()), 0, 20));
  ConsumeLine();
}

void TabCommand() {
  State().TabWidth = Clamp(LineValue(), 2, 10);
  ConsumeLine();
}

void FontNameCommand() {
  MacroState& m = State();
  const int q1 = Position(m.MacroLineUpper, QLatin1Char('"'));
  int q2 = Position(m.MacroLine, QLatin1Char('"'), q1 + 1);
  if (q2 == 0) q2 = q1;
  if (q2 - q1 > 1) {
    const QString face = m.MacroLine.mid(q1, q2 - q1 - 1);
    m.ErrorsIgnored = 1;
    platform::TryStep([&] { SetSurfaceFace(ShowSurface(), face); });
    platform::TryStep([&] { SetSurfaceFace(PreviewBox(), face); });
    m.ErrorsIgnored = 0;
  }
  ConsumeLine();
}

void ClsCommand() {
  PreviewBox().Cls();
  if (core::Flags().FullScreenShowActive == 1) {
    engine::Slidescreen& screen = engine::slidescreen();
    if (core::Settings().OverlayMode == 0 && core::Settings().TextOriginScreen == 1)
      screen.P2.Cls();
    const QImage clean = screen.P4.Image();
    const double w = screen.P2.ScaleWidth(), h = screen.P2.ScaleHeight();
    screen.P2.PaintPicture(clean, 0, 0, w, h);
    screen.P3.PaintPicture(clean, 0, 0, w, h);
    // The focus only matters to a visible show screen.
    if (!platform::TryStep([&] { screen.P2.SetFocus(); }))
      qCDebug(lcMacro) << "show surface not focusable; CLS goes on";
  }
  PreviewBox().SetCurrentY(0);
  ShowSurface().SetCurrentY(core::Surfaces().TextOriginY);
  ConsumeLine();
}

void FontItalicCommand() {
  SwitchStyle(LineValue(), [](platform::PictureBox& b, bool on) { b.SetFontItalic(on); });
  ConsumeLine();
}

void FontBoldCommand() {
  SwitchStyle(LineValue(), [](platform::PictureBox& b, bool on) { b.SetFontBold(on); });
  ConsumeLine();
}

void FontUnderlineCommand() {
  SwitchStyle(LineValue(3), [](platform::PictureBox& b, bool on) { b.SetFontUnderline(on); });
  ConsumeLine();
}

void QbColorCommand() {
  const double v = LineValue();
  const int c = v >= 0 && v <= 15 ? static_cast<int>(IntPlusTenth(v)) : 10;
  SetTextColour(platform::QBColor(c));
  ConsumeLine();
}

void FontSizeCommand() {
  const double v = LineValue();
  const double size = v >= 8 && v <= 2048 ? v : 24;
  ShowSurface().SetFontSize(size);
  PreviewBox().SetFontSize(size);
  ConsumeLine();
}

void FontNoCommand() {
  const double v = LineValue();
  if (v == 0) SetFaceOfBoth(QStringLiteral("System"));
  if (v == 1) SetFaceOfBoth(kGothic);
  if (v == 2) SetFaceOfBoth(QStringLiteral("ＭＳ 明朝"));
  ConsumeLine();
}

void CurrentXCommand() {
  State().TextLeft = IntPlusTenth(LineValue());
  ConsumeLine();
}

void CurrentYCommand() {
  const double y = IntPlusTenth(LineValue());
  ShowSurface().SetCurrentY(core::Surfaces().TextOriginY + y);
  PreviewBox().SetCurrentY(y);
  ConsumeLine();
}

void KageCommand() {
  const double v = LineValue();
  State().KageMode = v == 0 || v == 1 || v == 2 || v == 3 ? v : 0;
  ConsumeLine();
}

void ZureXCommand() {
  State().ZureX = IntPlusTenth(LineValue());
  ConsumeLine();
}

void ZureYCommand() {
  State().ZureY = IntPlusTenth(LineValue());
  ConsumeLine();
}

}  // namespace macro

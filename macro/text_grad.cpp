// "GRAD": a piece of text whose characters step from a start colour towards an end colour,
// each with the current shadow or outline behind it, on both surfaces.
#include <QColor>
#include <QPoint>
#include <algorithm>
#include <cmath>
#include <vector>

#include "core/common.h"
#include "core/state.h"
#include "macro/macro_state.h"
#include "macro/picture_text.h"
#include "macro/text_draw.h"
#include "platform/controls_base.h"
#include "platform/picturebox.h"
#include "platform/vberror.h"

namespace macro {
namespace {

int Position(const QString& text, QChar c, int from = 1) {
  return static_cast<int>(text.indexOf(c, std::max(0, from - 1))) + 1;
}

// A colour channel from the characters strictly between 1-based positions a and b.
int Channel(const QString& upper, int a, int b) {
  if (b - a - 1 < 1) return 0;
  const double v = platform::RoundHalfEven(core::SafeVal(upper.mid(a, b - a - 1)));
  return static_cast<int>(std::clamp(v, 0.0, 255.0));
}

struct GradLineArgs {
  int from[3] = {0, 0, 0};
  int to[3] = {0, 0, 0};
  QString text;
};

GradLineArgs ParseGradLine(const QString& line, const QString& upper) {
  GradLineArgs a;
  const int p = Position(upper, QLatin1Char('('));
  int c[6];
  c[0] = Position(upper, QLatin1Char(','));
  for (int k = 1; k < 6; ++k) {
    c[k] = Position(upper, QLatin1Char(','), c[k - 1] + 1);
    if (c[k] == 0) c[k] = c[k - 1];
  }
  const int c6 = c[5];
  int q = Position(upper, QLatin1Char('"'), c6 + 1);
  if (q == 0) q = c6;
  int e = 0;
  if (q > c6) {
    const int closing = Position(upper, QLatin1Char('"'), q + 1);
    e = closing > 0 ? closing + 1 : q + 1;
  } else {
    e = static_cast<int>(upper.lastIndexOf(QLatin1Char(')'))) + 1;
  }

  const int bounds[7] = {p, c[0], c[1], c[2], c[3], c[4], c[5]};
  for (int k = 0; k < 3; ++k) {
    a.from[k] = Channel(upper, bounds[k], bounds[k + 1]);
    a.to[k] = Channel(upper, bounds[k + 3], bounds[k + 4]);
  }

  // No closing mark at all: the text step fails and nothing is drawn.
  if (e - c6 - 1 < 0) return a;
  a.text = line.mid(c6, e - c6 - 1);
  // A lone double quote cannot lose a first and a last character: it is drawn.
  if (a.text.startsWith(QLatin1Char('"')) && a.text.size() >= 2)
    a.text = a.text.mid(1, a.text.size() - 2);
  return a;
}

// Largest whole number not above a / n.
int FloorDiv(int a, int n) { return static_cast<int>(std::floor(static_cast<double>(a) / n)); }

}  // namespace

void GradLine() {
  MacroState& m = State();
  ShowSurface().SetCurrentX(core::Surfaces().TextOriginX + m.TextLeft);
  PreviewBox().SetCurrentX(m.TextLeft);
  ExecGradCommand(m.KageMode, m.ZureX, m.ZureY);
}

void ExecGradCommand(double kageMode, double& zureX, double& zureY) {
  MacroState& m = State();
  if (!m.MacroLineUpper.startsWith(QStringLiteral("GRAD"))) return;
  const GradLineArgs a = ParseGradLine(m.MacroLine, m.MacroLineUpper);
  const QString& text = a.text;
  const int n = static_cast<int>(text.size());

  int step[3] = {0, 0, 0};
  if (n > 0)
    for (int k = 0; k < 3; ++k) step[k] = FloorDiv(a.to[k] - a.from[k], n);
  int colour[3] = {a.from[0], a.from[1], a.from[2]};

  platform::PictureBox& p2 = ShowSurface();
  platform::PictureBox& p1 = PreviewBox();
  for (const QChar ch : text) {
    const QString one(ch);
    if (kageMode == 1) {
      const double x2 = p2.CurrentX(), y2 = p2.CurrentY();
      const double x1 = p1.CurrentX(), y1 = p1.CurrentY();
      const QPoint shadow(static_cast<int>(zureX), static_cast<int>(zureY));
      p2.SetForeColor(platform::QBColor(0));
      p1.SetForeColor(platform::QBColor(0));
      DrawTextAtOffsets(p2, one, platform::QBColor(0), std::span<const QPoint>(&shadow, 1));
      DrawTextAtOffsets(p1, one, platform::QBColor(0), std::span<const QPoint>(&shadow, 1));
      p2.SetCurrentX(x2);
      p2.SetCurrentY(y2);
      p1.SetCurrentX(x1);
      p1.SetCurrentY(y1);
    }
    if (kageMode == 2 || kageMode == 3) {
      zureX = std::min(std::abs(zureX), 10.0);
      zureY = std::min(std::abs(zureY), 10.0);
      const double x2 = p2.CurrentX(), y2 = p2.CurrentY();
      const double x1 = p1.CurrentX(), y1 = p1.CurrentY();
      const QColor outline = OutlineColour(kageMode);
      p1.SetForeColor(outline);
      p2.SetForeColor(outline);
      const std::vector<QPoint> offsets =
          OutlineOffsets(static_cast<int>(zureX), static_cast<int>(zureY));
      DrawTextAtOffsets(p2, one, outline, offsets);
      DrawTextAtOffsets(p1, one, outline, offsets);
      p2.SetCurrentX(x2);
      p2.SetCurrentY(y2);
      p1.SetCurrentX(x1);
      p1.SetCurrentY(y1);
    }
    for (int k = 0; k < 3; ++k) colour[k] = std::clamp(colour[k] + step[k], 0, 255);
    const QColor c = platform::RGB(colour[0], colour[1], colour[2]);
    p2.SetForeColor(c);
    p1.SetForeColor(c);
    DrawTextAt(p2, one);
    DrawTextAt(p1, one);
  }
  ConsumeLine();
}

}  // namespace macro

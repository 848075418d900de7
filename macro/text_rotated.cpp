// "TEXTOUT": a piece of text with a font of its own cell height and average width, turned
// by an angle, at the macro's text position, on both surfaces.
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <vector>

#include "core/common.h"
#include "core/state.h"
#include "macro/macro_state.h"
#include "macro/picture_text.h"
#include "macro/text_draw.h"
#include "platform/controls_base.h"
#include "platform/cp932.h"
#include "platform/picturebox.h"
#include "platform/vberror.h"

namespace macro {
namespace {

// The cell height a font gets when the line asks for none.
constexpr int kDefaultCellHeight = 16;

int Position(const QString& text, QChar c, int from = 1) {
  return static_cast<int>(text.indexOf(c, std::max(0, from - 1))) + 1;
}

// A 16-bit whole number from the characters strictly between a and b; 0 when there are
// none or the number does not fit.
short Field(const QString& upper, int a, int b) {
  if (b - a <= 1) return 0;
  try {
    return platform::CInt(core::SafeVal(upper.mid(std::max(0, a), b - a - 1)));
  } catch (const platform::VbError&) {
    return 0;
  }
}

// Trim$ of the original: blanks only.
QString TrimBlanks(const QString& text) {
  qsizetype first = 0, last = text.size();
  while (first < last && text[first] == QLatin1Char(' ')) ++first;
  while (last > first && text[last - 1] == QLatin1Char(' ')) --last;
  return text.mid(first, last - first);
}

}  // namespace

TextOutArgs ReadTextOutLine(const QString& line, const QString& upper) {
  TextOutArgs a;
  const int p = Position(upper, QLatin1Char('('));
  const int c1 = Position(upper, QLatin1Char(','));
  int c2 = Position(upper, QLatin1Char(','), c1 + 1);
  if (c2 == 0) c2 = c1;
  int c3 = Position(upper, QLatin1Char(','), c2 + 1);
  if (c3 == 0) c3 = c2;
  const int q = Position(upper, QLatin1Char('"'), c3 + 1);
  int e = 0;
  if (q == 0) {
    e = static_cast<int>(upper.lastIndexOf(QLatin1Char(')'))) + 1;
  } else {
    const int closing = Position(upper, QLatin1Char('"'), q + 1);
    e = closing > 0 ? closing + 1 : q + 1;
  }

  a.height = static_cast<short>(std::clamp<int>(Field(upper, p, c1), 0, 999));
  a.width = static_cast<short>(std::clamp<int>(Field(upper, c1, c2), 0, 999));
  a.escapement = static_cast<short>(std::clamp<int>(Field(upper, c2, c3), 0, 360) * 10);
  if (e - c3 > 1) {
    QString text = TrimBlanks(line.mid(c3, e - c3 - 1));
    if (text.startsWith(QLatin1Char('"'))) text.remove(0, 1);
    if (text.endsWith(QLatin1Char('"'))) text.chop(1);
    a.text = text;
  }
  return a;
}

namespace {

// Draws the text once at every offset from the box's drawing position (rounded to whole
// pixels): laid out and turned once, then laid down at each offset.
void DrawOn(platform::PictureBox& box, const QFont& style, short height, short width,
            short escapement, const QString& text, std::span<const QPoint> offsets) {
  if (text.isEmpty() || offsets.empty()) return;
  QImage& canvas = box.Canvas();
  const QFont font = RotatedTextFont(style, height, width, &canvas);
  const QFontMetricsF fm(font, &canvas);
  QTransform turn;
  turn.rotate(-escapement / 10.0);  // counter-clockwise on the screen
  // Glyphs may reach beyond the advance and the cell (italics, underline).
  const double margin = std::ceil(fm.height() / 2) + 2;
  const QRectF cell(-margin, -margin, fm.horizontalAdvance(text) + 2 * margin,
                    fm.height() + 2 * margin);
  const QRectF turned = turn.mapRect(cell);
  const int bx = static_cast<int>(std::floor(turned.left()));
  const int by = static_cast<int>(std::floor(turned.top()));
  const int bw = static_cast<int>(std::ceil(turned.right())) - bx + 1;
  const int bh = static_cast<int>(std::ceil(turned.bottom())) - by + 1;

  QImage stamp(bw, bh, QImage::Format_ARGB32_Premultiplied);
  stamp.setDotsPerMeterX(canvas.dotsPerMeterX());
  stamp.setDotsPerMeterY(canvas.dotsPerMeterY());
  stamp.fill(Qt::transparent);
  {
    QPainter p(&stamp);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(-bx, -by);
    p.setTransform(turn, true);
    p.setFont(font);
    p.setPen(box.ForeColor());
    // (0, 0) is the top-left corner of the first character cell.
    p.drawText(QPointF(0, fm.ascent()), text);
  }

  const QPoint at = box.ToPixels(box.CurrentX(), box.CurrentY()) + QPoint(bx, by);
  QRect dirty;
  {
    QPainter p(&canvas);
    for (const QPoint& o : offsets) {
      p.drawImage(at + o, stamp);
      dirty |= QRect(at + o, stamp.size());
    }
  }
  box.Invalidate(dirty);
}

}  // namespace

QFont RotatedTextFont(const QFont& style, int height, int width, const QPaintDevice* device) {
  QFont font;
  font.setFamilies(style.families());
  font.setBold(style.bold());
  font.setItalic(style.italic());
  font.setUnderline(style.underline());
  font.setStrikeOut(false);
  // Qt sizes a font by its em; the height asked for is the whole cell (ascent + descent).
  const int cell = height > 0 ? height : kDefaultCellHeight;
  constexpr int kProbe = 200;
  QFont probe = font;
  probe.setPixelSize(kProbe);
  const double probeCell = QFontMetricsF(probe, device).height();
  const double em = probeCell > 0 ? cell * kProbe / probeCell : cell;
  font.setPixelSize(std::max(1, static_cast<int>(platform::RoundHalfEven(em))));
  if (width > 0) {
    // The average character width asked for, by stretching the face's own.
    const double natural = QFontMetricsF(font, device).averageCharWidth();
    if (natural > 0)
      font.setStretch(
          std::clamp(static_cast<int>(platform::RoundHalfEven(100.0 * width / natural)), 1, 4000));
  }
  return font;
}

void DrawRotatedText(short height, short width, short escapement, const QString& text,
                     std::span<const QPoint> offsets) {
  // The byte count handed to the draw is a 16-bit number.
  const int count = platform::CInt(2.0 * static_cast<double>(text.size()));
  // The draw takes as many bytes as the text has characters twice over: the text, and a
  // blank for each of its single-byte characters.
  const QByteArray bytes =
      platform::ToCp932(text + QString(text.size(), QLatin1Char(' '))).left(count);
  const QString drawn = platform::FromCp932(bytes);

  platform::PictureBox& p1 = PreviewBox();
  const QFont style = p1.font();
  DrawOn(p1, style, height, width, escapement, drawn, offsets);
  DrawOn(ShowSurface(), style, height, width, escapement, drawn, offsets);
}

void ExecTextOutCommand(std::span<const QPoint> offsets) {
  const MacroState& m = State();
  TextOutArgs a;
  if (!platform::TryStep([&] { a = ReadTextOutLine(m.MacroLine, m.MacroLineUpper); })) return;
  if (!platform::TryStep(
          [&] { DrawRotatedText(a.height, a.width, a.escapement, a.text, offsets); }))
    qCDebug(lcMacro) << "TEXTOUT draws nothing:" << a.text.size() << "characters";
}

void TextOutLine() {
  MacroState& m = State();
  core::SurfaceState& surf = core::Surfaces();
  platform::PictureBox& p2 = ShowSurface();
  platform::PictureBox& p1 = PreviewBox();
  p2.SetCurrentX(surf.TextOriginX + m.TextLeft);
  p1.SetCurrentX(m.TextLeft);
  const double x2 = p2.CurrentX(), y2 = p2.CurrentY();
  const double x1 = p1.CurrentX(), y1 = p1.CurrentY();
  const QPoint here(0, 0);
  auto backToBase = [&] {
    const QColor text = platform::VbColor(surf.TextColor);
    p2.SetCurrentX(x2);
    p2.SetCurrentY(y2);
    p2.SetForeColor(text);
    p1.SetCurrentX(x1);
    p1.SetCurrentY(y1);
    p1.SetForeColor(text);
  };

  if (m.KageMode == 1) {
    surf.TextColor = static_cast<int>(platform::ToVbColor(p1.ForeColor()));
    p2.SetForeColor(platform::QBColor(0));
    p2.SetCurrentX(x2 + m.ZureX);
    p2.SetCurrentY(y2 + m.ZureY);
    p1.SetForeColor(platform::RGB(20, 20, 20));
    p1.SetCurrentX(x1 + m.ZureX);
    p1.SetCurrentY(y1 + m.ZureY);
    ExecTextOutCommand(std::span<const QPoint>(&here, 1));
    backToBase();
  }
  if (m.KageMode == 2 || m.KageMode == 3) {
    m.ZureX = std::abs(m.ZureX);
    m.ZureY = std::abs(m.ZureY);
    m.ZureY = std::min(m.ZureY, 10.0);
    m.ZureX = std::min(m.ZureX, 10.0);
    const QColor outline = OutlineColour(m.KageMode);
    p1.SetForeColor(outline);
    p2.SetForeColor(outline);
    const std::vector<QPoint> offsets =
        OutlineOffsets(static_cast<int>(m.ZureX), static_cast<int>(m.ZureY));
    ExecTextOutCommand(offsets);
    backToBase();
  }
  ExecTextOutCommand(std::span<const QPoint>(&here, 1));
  m.MacroLineUpper = QStringLiteral(" ");
  m.MacroLine = QStringLiteral(" ");
}

}  // namespace macro

#include "macro/text_draw.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <cmath>

#include "core/state.h"
#include "platform/controls_base.h"
#include "platform/picturebox.h"

namespace macro {
namespace {

// The rows of a text: a carriage return (and a line feed right after it) ends a row; a
// lone line feed draws nothing and a tab draws as a blank.
QStringList Rows(const QString& text) {
  QStringList rows(QString{});
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c == QLatin1Char('\r')) {
      rows.append(QString{});
      if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
    } else if (c == QLatin1Char('\n')) {
      continue;
    } else if (c == QLatin1Char('\t')) {
      rows.last().append(QLatin1Char(' '));
    } else {
      rows.last().append(c);
    }
  }
  return rows;
}

}  // namespace

void DrawTextAtOffsets(platform::PictureBox& box, const QString& text, const QColor& colour,
                       std::span<const QPoint> offsets) {
  if (offsets.empty()) return;
  QImage& canvas = box.Canvas();
  const QFont font = box.font();
  const QFontMetricsF fm(font, &canvas);
  const double u = box.UnitsPerPixel();
  const double rowHeight = fm.height();
  const double baseX = box.CurrentX() / u, baseY = box.CurrentY() / u;
  const QStringList rows = Rows(text);
  // Glyphs may reach beyond the advance and the row (italics, accents).
  const int margin = static_cast<int>(std::ceil(rowHeight / 2)) + 2;

  QRect dirty;
  double lastAdvance = 0;
  {
    QPainter onCanvas(&canvas);
    for (qsizetype k = 0; k < rows.size(); ++k) {
      const QString& row = rows[k];
      lastAdvance = fm.horizontalAdvance(row);
      if (row.isEmpty()) continue;
      // One layout per row: it is drawn into a stamp at the row's fractional position and
      // the stamp is laid on the canvas at every offset.
      const double rowX = k == 0 ? baseX : 0.0;
      const double rowY = baseY + static_cast<double>(k) * rowHeight;
      const int stampX = static_cast<int>(std::floor(rowX)) - margin;
      const int stampY = static_cast<int>(std::floor(rowY)) - margin;
      QImage stamp(static_cast<int>(std::ceil(lastAdvance)) + 2 * margin + 1,
                   static_cast<int>(std::ceil(rowHeight)) + 2 * margin + 1,
                   QImage::Format_ARGB32_Premultiplied);
      stamp.setDotsPerMeterX(canvas.dotsPerMeterX());
      stamp.setDotsPerMeterY(canvas.dotsPerMeterY());
      stamp.fill(Qt::transparent);
      {
        QPainter p(&stamp);
        p.setFont(font);
        p.setPen(colour);
        p.drawText(QPointF(rowX - stampX, rowY - stampY + fm.ascent()), row);
      }
      for (const QPoint& o : offsets) {
        const QPoint at(k == 0 ? stampX + o.x() : stampX, stampY + o.y());
        onCanvas.drawImage(at, stamp);
        dirty |= QRect(at, stamp.size());
      }
    }
  }
  const QPoint last = offsets.back();
  const double lastRow = static_cast<double>(rows.size() - 1);
  const double startX = rows.size() == 1 ? box.CurrentX() + last.x() * u : 0.0;
  box.SetCurrentX(startX + lastAdvance * u);
  box.SetCurrentY(box.CurrentY() + last.y() * u + lastRow * rowHeight * u);
  if (!dirty.isNull()) box.Invalidate(dirty);
}

void DrawTextAt(platform::PictureBox& box, const QString& text) {
  const QPoint here(0, 0);
  DrawTextAtOffsets(box, text, box.ForeColor(), std::span<const QPoint>(&here, 1));
}

QColor OutlineColour(short kageMode) {
  const short border = core::Settings().BorderColorIndex;
  return border > 0      ? platform::QBColor(border)
         : kageMode == 2 ? platform::RGB(20, 20, 20)
                         : platform::RGB(230, 230, 230);
}

std::vector<QPoint> OutlineOffsets(int zx, int zy) {
  std::vector<QPoint> offsets;
  offsets.reserve(static_cast<size_t>(4 * (zx + 1) * (zy + 1)));
  for (int i = 0; i <= zx; ++i)
    for (int j = 0; j <= zy; ++j)
      offsets.insert(offsets.end(), {{i, j}, {-i, -j}, {i, -j}, {-i, j}});
  return offsets;
}

}  // namespace macro

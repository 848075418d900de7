#pragma once
// Drawing a text on a picture box the way its Print does, and drawing the same text at
// many offsets (outlines) from one layout.
#include <QColor>
#include <QPoint>
#include <QString>
#include <span>
#include <vector>

namespace platform {
class PictureBox;
}

namespace macro {

// Draws `text` transparently at the box's drawing position in its font and ForeColor.
// The position moves past the text; a carriage return (with a line feed after it) starts
// a new row at x = 0. A line feed alone draws nothing, a tab draws as a blank.
void DrawTextAt(platform::PictureBox& box, const QString& text);

// Draws `text` in `colour` once from each offset of the drawing position (pixels), as
// repeated DrawTextAt calls would, laid out once. The drawing position is left as the
// last copy leaves it.
void DrawTextAtOffsets(platform::PictureBox& box, const QString& text, const QColor& colour,
                       std::span<const QPoint> offsets);

// The outline of shadow modes 2 and 3: the border colour when one is chosen, else dark
// (mode 2) or light (mode 3).
QColor OutlineColour(short kageMode);

// The offsets an outline is drawn from: every (±i, ±j) up to (zx, zy), in drawing order.
std::vector<QPoint> OutlineOffsets(int zx, int zy);

}  // namespace macro

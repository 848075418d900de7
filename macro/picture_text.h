#pragma once
// Decorated text of the picture macros beyond plain lines: "GRAD" (each character a step
// nearer an end colour) and "TEXTOUT" (text at an angle with a font of its own size).
#include <QPoint>
#include <QString>
#include <span>

class QFont;
class QPaintDevice;

namespace macro {

// ---- gradient text ---------------------------------------------------------------------
// The "GRAD" row of the keyword chain: both surfaces to the text left edge of the row,
// then ExecGradCommand.
void GradLine();

// Draws GRAD(r1,g1,b1,r2,g2,b2,text) on both surfaces with the shadow or outline of
// `kageMode`; an outline clamps zureX and zureY to 0..10 for the rest of the run.
void ExecGradCommand(double kageMode, double& zureX, double& zureY);

// ---- rotated text ----------------------------------------------------------------------
// The "TEXTOUT" row of the keyword chain: positions, shadow or outline and the text;
// leaves a single blank as the line.
void TextOutLine();

// The arguments of a TEXTOUT(height,width,angle,text) line: height and width 0..999
// pixels, the angle 0..360 degrees as tenths; the text in double quotes or up to the last
// ")". Only the first three commas separate arguments.
struct TextOutArgs {
  short height = 0;
  short width = 0;
  short escapement = 0;
  QString text;
};
TextOutArgs ReadTextOutLine(const QString& line, const QString& upper);

// Reads TEXTOUT(height,width,angle,text) and draws it once on both surfaces, at each of
// `offsets` from their drawing positions.
void ExecTextOutCommand(std::span<const QPoint> offsets);

// Draws `text` on the preview box and then on the show surface, each at its drawing
// position plus every offset, in its ForeColor, with the face and styles of the preview
// box: cell height and average character width in pixels (0: the face's default),
// turned by `escapement` tenths of a degree counter-clockwise. The drawing positions stay.
void DrawRotatedText(short height, short width, short escapement, const QString& text,
                     std::span<const QPoint> offsets);

// The font such a draw uses, for the device it draws on.
QFont RotatedTextFont(const QFont& style, int height, int width, const QPaintDevice* device);

}  // namespace macro

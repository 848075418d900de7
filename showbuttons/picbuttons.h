#pragma once
// Picture buttons: the "PICPB", "PICPBTYPE" and "PICPBDATA" keywords of the picture
// macros, which place clickable pictures on the slide at the text position, remove them
// and choose the outline of the buttons placed next.
#include <QCursor>
#include <QString>

namespace showbuttons {

// The arguments of "KEYWORD(number, "text1", "text2")".
struct PicPbArgs {
  short number = 0;  // 0 when it is not a number or out of the 16-bit range
  QString text1;     // between the first pair of double quotes after the comma
  QString text2;     // between the next pair
};
PicPbArgs GetPicPbArg(const QString& line);

// "PICPBnn(jump, "picture", "link")": places button nn at the text position (TextLeft
// from the text origin, at the surfaces' current y) or, without a picture, removes it.
// Leaves a single line feed as the macro line.
void ExecPicButtonCommand(double textLeft);
// "PICPBDATA(n, file)": the cut-out point file of slot n; polygon outline from now on.
void ExecPicPbDataCommand();
// "PICPBTYPE=n": outline of the buttons placed next, 0 rectangle .. 4 heart.
void ExecPicPbTypeCommand();

// The pointer of buttons that lead somewhere: a white pointing hand, black outline.
QCursor HandCursor();

}  // namespace showbuttons

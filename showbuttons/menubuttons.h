#pragma once
// Menu buttons: "MENU1" to "MENU5" put up to five captioned push buttons, each with a
// relative jump in the slide list, at the text position; every "MENU" line makes the
// macro wait for the viewer's choice at the end of its file.
#include <QString>

namespace showbuttons {

// The jump and caption of a "MENUn(jump, caption)" line: the jump between the first "("
// and the first ",", the caption from that comma to the last ")", blanks trimmed and one
// pair of double quotes taken off.
struct MenuArgs {
  double jump = 0;
  QString caption;
};
MenuArgs GetMenuArgs(const QString& upper, const QString& asWritten);

// Places menu button n of a "MENUn" line on both surfaces, arms the choice wait and
// leaves a single line feed as the macro line.
void ExecMenuCommand(double textLeft);

// Form1.menu1_Click .. menu5_Click and Slidescreen.menu1_Click .. menu5_Click (n 1..5).
void WindowMenuClick(int n);
void ShowMenuClick(int n);

}  // namespace showbuttons

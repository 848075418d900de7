#pragma once
// The picture tools around the slide list: the four-up view (Form5), its copy and move
// dialog (Form11) and the conversion copy (Form16). What they hand one another, and the
// entry points the main window and the slide list window call.
#include <QString>

namespace listeditor {

// Hand-over between the four-up view and its copy and move dialog.
struct FourUpState {
  short FourUpPageOffset = 0;   // 0-based list position of the page's first slide (0, 4, 8 ...)
  QString CopySourcePath;       // the left-clicked slide's file
  short FourUpClickedCell = 0;  // 1..4: the cell of the last accepted click
  short FourUpChosenCell = 0;   // 0..4: the cell whose left click opened the dialog
};
FourUpState& FourUp();
void ResetFourUpState();

// The main window's "４画面" menu: opens the four-up view on the committed slide list.
void mnuICHI_Click();

// The slide list window's "縮小変換コピー": the conversion copy of the selected slides.
void OpenConversionCopy();

// Folders the copy, move and conversion refuse as a destination: the root of the file
// system and the folder that holds the users' home folders.
bool IsRefusedDestination(const QString& folder);
// The folder the destination choosers open at first.
QString FirstDestinationFolder();

// Puts the four-up view's operations into core's table of services.
void RegisterPictureToolServices();

}  // namespace listeditor

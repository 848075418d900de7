#pragma once
// What a click on a macro button does: a picture button carries out its link (an effect
// WAV, a program, a movie shown modally) and then jumps; a menu button jumps. And the
// clearing of every macro button before the next slide.
#include <QString>

namespace showbuttons {

// What a click does with a picture button's link.
enum class LinkKind {
  None,     // anything else, an empty link too
  Wav,      // "WAV": played as the effect sound, the click goes on at once
  Program,  // "EXE", or an executable file that is no picture, sound or movie
  Movie,    // "MP4", "WMV", "MOV", "AVI": the movie window, modally
};
LinkKind ClassifyLink(const QString& link);

// Plays or starts a link by its kind; failures are logged and the click goes on.
void CarryOutLink(const QString& link);

// The jump of a click: the index moves by jump - 1 (the slide timer adds 1), never
// below 0 and never out of the 16-bit range (then it stays); the choice and a line wait
// end, and the macro leaves through its exit path.
void JumpBy(short jump);

// Slidescreen.Picture1_Click and Form1.Picture2_Click.
void ShowPictureButtonClick(int index);
void WindowPictureButtonClick(int index);

// Hides the Yes/No, menu and picture buttons of both surfaces; on the show screen the
// area under each picture button that was up is put back from the background copy P3.
void ClearShowControls();

// Whether a button that a click can answer the choice wait with is up on the surface in
// use: a menu button, or a picture button with a jump or a link.
bool ChoiceButtonsUp();

// Gives the focus to the control box when it is in use (after a show-screen click).
void FocusControlBox();
// Gives the focus to the show surface P2.
void FocusShowSurface();

}  // namespace showbuttons

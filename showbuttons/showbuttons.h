#pragma once
// The show-screen buttons: picture, menu and Yes/No buttons that the picture macros place,
// their clicks, and their clearing before each slide.

namespace showbuttons {

// Gives the macro interpreter's keyword table the handlers of "PICPBDATA", "PICPBTYPE",
// "PICPB", "MOVPB", "MENU" and "YESNOPB", and core's services the button clicks, the
// clearing before each slide and the test of the choice wait.
void RegisterServices();

}  // namespace showbuttons

#pragma once
// The show-screen buttons: picture buttons that the picture macros place, shape and move.

namespace showbuttons {

// Gives the macro interpreter's keyword table the handlers of "PICPBDATA", "PICPBTYPE",
// "PICPB" and "MOVPB".
void RegisterServices();

}  // namespace showbuttons

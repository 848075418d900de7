#pragma once
// Operations of other subsystems that start-up, shutdown and the menus call, kept here
// until their owners provide them.

namespace core {

// Stops the CD (sound mode 2) and clears the CD pause state.
void StopCdAudio();
// Stops every sound, player and ticker of a show.
void StopShowMedia();

}  // namespace core

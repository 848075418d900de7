#pragma once
// Operations of other subsystems that the main window's sound and file menus call, kept
// here until their owners provide them.

namespace core::pending {

// Starts the CD at the track of the CD settings (sound mode 2).
void PlayCdTrack();

}  // namespace core::pending

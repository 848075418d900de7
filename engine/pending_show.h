#pragma once
// Operations of the slide player and of the sound subsystem that the full-screen show
// calls, kept here until their owners provide them.

namespace engine::pending {

// Shows the slide at CurrentSlideIndex (the slide player).
void ShowCurrentSlide();
// Starts the CD track of the CD sound mode.
void PlayCdTrack();
// Starts the sound the sound mode asks for.
void StartBackgroundSound();

}  // namespace engine::pending

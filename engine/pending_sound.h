#pragma once
// Sound and movie operations the slide player and the show buttons call, until the sound
// subsystem and the movie window provide them.
#include <QString>

namespace engine::standin {

// Starts the background sound of the sound mode.
void StartBackgroundSound();
// Plays the CD track of the CD settings (sound mode 2 only).
void PlayCdTrack();

// The slide sound routines of one pass.
// Waits until the previous picture-linked sound has ended; true when it gave up because
// START was enabled again.
bool WaitForLinkedSound();
// Fades the background sound out before a movie or a new MP3; true when a stop or the
// closing of the show window interrupted it.
bool FadeOutBeforeSlide(bool isMovie);
void StartMovieSounds();
void SuperviseCd();
void RestartLoopingSound();
void StartPictureSounds();

// Plays a movie in the movie window, modally. Sets MovieAborted = 1 when the movie could
// not be played or the viewer broke it off.
void PlayMovieModal(const QString& path);

}  // namespace engine::standin

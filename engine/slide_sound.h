#pragma once
// The slide player's sound decisions, at fixed points of a pass: the wait for the
// previous picture-linked sound, the fade before a movie or a new MP3, the movie's
// linked sounds, the CD supervision, the restart of the looping modes and the
// picture's own sounds. The playing itself is sound::StartBackgroundSound, the
// stopping sound::StopShowMedia.
#include <QString>

namespace engine {

// The linked-file stem of a slide: its path less the last three characters, or, while
// LinkedFilesInFolder is 1, LinkedFilesFolder & "/" & its file name less the same. The
// slide's sounds are the stem & "wav", "mid" or "mp3".
QString LinkedFileStem(const QString& slidePath);
// The stem of the slide at CurrentSlideIndex.
QString CurrentSlideStem();

// The mode plays a picture-linked or common sound whose end the next slide may wait
// for: 0, 1, 5, 9, and 2, 4, 6, 8 with their linked WAV.
bool LinkedSoundMode();
// The picture's WAV goes to the second player: modes 4, 6 and 8 with their linked WAV,
// and mode 9.
bool LinkedWavOnPlayer2Mode();

// WAV sync: waits, processing events, until the linked or common sound of the previous
// slide has ended. True when it gave up because START was enabled again (PAUSE, STOP):
// the pass then shows nothing.
bool WaitForLinkedSound();

// Fades the background sound out before a movie of the sound list or before a slide
// with its own MP3 (mode 9), then stops it. True when STOP or the show window's close
// interrupted the fade: the pass ends at once.
bool FadeOutBeforeSlide(bool isMovie);

// The movie slide's linked sounds, before the movie plays.
void StartMovieSounds();

// CD mode: stops a disc that has not moved since the previous picture and starts the
// next track when the drive has stopped.
void SuperviseCd();

// Modes 3, 4, 6 and 8: starts the file again (or the list's next entry) at the first
// picture after it has ended, and after a movie, a fade or a failed list entry.
void RestartLoopingSound();

// The picture's sounds, before or after its macro: the linked WAV on the second player
// where the mode wants it, then the linked or common sound on the first.
void StartPictureSounds();

// The picture's WAV (or DefaultSoundFile) on the second player at full volume.
void PlayLinkedWavOnPlayer2();

// The picture's linked WAV, MIDI or MP3, or the common sound, on the first player.
void StartLinkedOrCommonSound();

// DefaultSoundFile replaces a missing picture WAV: not "*.wav" and longer than 4
// characters. DefaultSoundPath has AppFolder in front of a bare name.
bool DefaultSoundMayReplace();
QString DefaultSoundPath();

}  // namespace engine

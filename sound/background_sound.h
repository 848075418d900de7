#pragma once
// The show's background sound: the file the sound mode asks for, started on the main
// window's first player, and the stop that silences everything a show may sound.
//
// Sound modes (SoundMode): 0 common sound "tavu.wav", 1 picture-linked WAV, 2 CD (with
// the picture's WAV when CdWithLinkedWavOff is 0), 3 one WAV repeated, 4 one MIDI
// repeated, 5 picture-linked MIDI, 6 sound list, 7 none, 8 one MP3 repeated,
// 9 picture-linked MP3 (its WAV on the second player beside it).
#include <QString>

namespace sound {

// Starts at most one file on Form1.WindowsMediaPlayer1 at the volume that
// VolumeAttenuation leaves, and sets SoundStarted and MediaPlaying. A file that cannot
// be read gives the mode's message in modes 3, 4, 6 and 8 and plays nothing; in mode 6
// the next slide then tries the next entry, until one pass over the list found nothing
// playable. Empties SlideWavFile and SlideMusicFile.
void StartBackgroundSound();

// The sound list's start after an entry that could not be played (SoundListRestartPending):
// the next entry, counted towards the pass over the list that ends the retries.
void RetrySoundList();

// Stops the effect sound, both players (the second one stays while KeepPlayer2Running
// is 1; only when MediaPlaying is 1) and closes the movie window. When no show runs
// (ShowRunning and CurrentSlideIndex both 0) it also puts the main window's caption back
// and empties and stops the tickers. Failures are passed over.
void StopShowMedia();

// The player volume an attenuation leaves: Int((1000 - attenuation) / 10), within 0..100.
int PlayerVolume(int attenuation);

// A slide path names a movie: its last three characters, upper-cased, are MP4, WMV,
// MOV or AVI.
bool IsMovieSlidePath(const QString& path);

// Whether SoundMode plays a picture-linked or common sound on a picture slide: 0, 1, 5
// and 9, and 2 with the linked WAV.
bool PerPictureSoundMode();

// The message of a sound file that cannot be read, by mode: title and last line; empty
// title for the modes that stay silent (0, 1, 2, 5, 7, 9).
struct SoundErrorText {
  QString title;
  QString lastLine;
};
SoundErrorText SoundReadErrorText(int soundMode);

}  // namespace sound

#pragma once
// Effect sounds: one short WAV at a time beside the media players, started and
// stopped by a single call in the shape of the system's play-sound routine.
#include <QString>

namespace platform {

// Flags of PlayEffectSound, with the values the program passes.
constexpr unsigned kSndSync = 0x0000;       // return when the sound has ended
constexpr unsigned kSndAsync = 0x0001;      // return at once
constexpr unsigned kSndNoDefault = 0x0002;  // no fallback sound for a missing file
constexpr unsigned kSndLoop = 0x0008;       // repeat until stopped (always asynchronous)
constexpr unsigned kSndNoStop = 0x0010;     // do not interrupt a sound already playing

// Plays `path` as the effect sound, ending the one that plays; an empty path ends
// the effect sound and plays nothing. A synchronous call waits with the pending
// events processed, user input excepted. Returns false when the file is missing
// or cannot be played, or when kSndNoStop finds a sound playing. There is no
// system fallback sound, so a missing file is silent with or without kSndNoDefault.
bool PlayEffectSound(const QString& path, unsigned flags);

// Whether an effect sound is playing now.
bool EffectSoundPlaying();

}  // namespace platform

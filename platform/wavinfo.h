#pragma once
// What the header of a WAV file says about it, without decoding the sound.
#include <QString>

namespace platform {

// Length of the sound of a RIFF/WAVE file in milliseconds (its data chunk over its byte
// rate); -1 when the file is missing or is no WAV file with a "fmt " and a "data" chunk.
// A data chunk that claims more than the file holds counts only what is there.
long long WavDurationMs(const QString& path);

}  // namespace platform

namespace platform {

// The empty WAV (44 bytes: a PCM header of 22050 Hz, 16 bits, one channel, and no sound)
// that a picture's linked WAV starts as before anything is recorded into it.
QByteArray NarrationWavTemplate();

// The file holds exactly the bytes of NarrationWavTemplate(). False for a missing or
// unreadable file.
bool IsNarrationWavTemplate(const QString& path);

}  // namespace platform

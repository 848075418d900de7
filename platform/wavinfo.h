#pragma once
// What the header of a WAV file says about it, without decoding the sound.
#include <QString>

namespace platform {

// Length of the sound of a RIFF/WAVE file in milliseconds (its data chunk over its byte
// rate); -1 when the file is missing or is no WAV file with a "fmt " and a "data" chunk.
// A data chunk that claims more than the file holds counts only what is there.
long long WavDurationMs(const QString& path);

}  // namespace platform

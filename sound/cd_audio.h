#pragma once
// Audio CD playing in sound mode 2: the next track in the chosen order (track order,
// random, or the CD programme), resuming after PAUSE, and stopping the drive. The drive
// is reached through the "cdaudio" command strings of platform/cdaudio.h.
#include <QString>
#include <optional>

namespace sound {

// Sends one "cdaudio" command string to the current drive. The reply goes into
// MciReturn (255 characters, zero-padded) and is returned; "" for a command without one.
QString SendCdCommand(const QString& command);

// In sound mode 2: opens the drive, checks the disc ("ＣＤが準備できていません。" when it
// is not ready or holds fewer than two tracks), picks the track by CdTrackOrder (the
// paused track first while CdPaused is 1) and plays one track or to the disc's end. In
// track order a start track that is not a track of the disc gives
// "ＣＤトラック設定が不適切です。"; programme entries that are not tracks of the disc are
// passed over. The end of the programme ends the show (or the link file) when
// StopShowAtCdProgramEnd is 1. Outside mode 2 it only clears CdPaused.
void PlayCdTrack();

// In sound mode 2 stops and closes the drive and empties LastCdPosition; in every mode
// clears CdPaused, ListEndForced and CdPlaying. Failures are passed over.
void StopCdAudio();

// PAUSE in sound mode 2: keeps the track playing now in CdPausedTrack, sets CdPaused and
// stops the drive; the next PlayCdTrack resumes from it. Nothing in other modes.
void PauseCdAudio();

// A track number as the CD texts hold it (CdStartTrack, CdPausedTrack, programme
// entries): decimal digits with blanks around; anything else is no track number.
std::optional<int> TrackNumber(const QString& text);

}  // namespace sound

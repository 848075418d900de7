#pragma once
// The sound-list file "wavlist.dat" in AppFolder: the WAV, MIDI and MP3 list of sound
// mode 6, kept from one run to the next.
#include <QString>

namespace core {

inline constexpr char kSoundListFileName[] = "wavlist.dat";
inline constexpr char kSoundListFileTag[] = "WAV3.4";

// AppFolder & "wavlist.dat".
QString SoundListFilePath();

// Reads the file into SoundListEntries, SoundListCount and the sound list editor's list.
// A missing file, or one whose first line does not begin with the tag, changes nothing; a
// file that ends early gives the entries it holds. Shows no message.
void LoadSoundListFile();

// Writes SoundListEntries 1..SoundListCount. A file that cannot be written is left as it
// was and reported ("ファイルの保存").
void SaveSoundListFile();

}  // namespace core

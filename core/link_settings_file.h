#pragma once
// The link settings file "uautst.dat" in AppFolder: the link-list editor's options, the
// current link-list file and the link list itself, kept from one run to the next.
#include <QString>

namespace core {

inline constexpr char kLinkSettingsFileName[] = "uautst.dat";
inline constexpr char kLinkSettingsFileTag[] = "KVZV3";

// AppFolder & "uautst.dat".
QString LinkSettingsFilePath();

// Writes LinkAutoStart, LinkRepeat, LinkKeepAtEnd, LinkListFilePath and the link-list
// editor's list. A file that cannot be written is left as it was and reported
// ("ファイルの保存").
void SaveLinkSettingsFile();

// Reads the file into the three options and their boxes, LinkListFileName/Path, the
// editor's caption and list and LinkListEntries. A missing file, a first line other than
// the tag, and a file that cannot be read to its end change nothing. Shows no message.
void LoadLinkSettingsFile();

}  // namespace core

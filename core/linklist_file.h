#pragma once
// The link-list file (".usl"): the slideshow files that a link run plays one after another.
#include <QString>

namespace core {

inline constexpr char kLinkListFileTag[] = "1pic3167";
inline constexpr char kLinkListExtension[] = ".usl";

// Writes the link-list editor's list to `path`. When the last four characters of `path`
// hold no ".", ".usl" is appended (the caller's variable holds the longer path). With
// DistributionSave = 1 the entries are stored as bare file names. A file that cannot be
// written is left as it was and reported ("ファイルの保存").
void SaveLinkListFile(QString& path);

// Reads a link-list file into the link-list editor's list and LinkListEntries (not
// LinkEndIndex: callers build the link table from the list). Entries without a folder get
// OpenedFileFolder, set by the caller, in front. A file that is refused or cannot be read
// is reported ("ファイルを開く"), changes nothing, and ends the program while start-up
// opens the command-line file.
void LoadLinkListFile(const QString& path);

}  // namespace core

#pragma once
// The slideshow file (".kvz"): the show settings, the slide list, the CD programme, the
// sound list when it travels with the file, and one schedule record per slide.
#include <QString>

#include "core/list_file.h"  // the rules the program's list files share

namespace core {

inline constexpr char kSlideshowFileTag[] = "21pic3167893";
inline constexpr char kSlideshowExtension[] = ".kvz";

// Writes the slide list editor's lists and the show settings to `path`. When the last four
// characters of `path` hold no ".", ".kvz" is appended (the caller's variable holds the
// longer path afterwards). With DistributionSave = 1 every stored path is cut to its file
// name and the linked-files folder is forgotten. A file that cannot be written is left as
// it was and reported ("ファイルの保存"). A saved file also makes the schedule arrays
// those of the editor's records; a failed save leaves them as they were. Returns true
// when the file was saved.
bool SaveSlideshowFile(QString& path);

// How many slideshow files were saved since start-up: a caller that reaches the writer
// through another window's command compares it before and after to learn whether a file
// was written.
int SlideshowFilesSaved();

// Opens a slideshow file and makes it the current document. OpenedFileFolder (set by the
// caller) goes in front of stored names without a folder. A file that is refused or cannot
// be read is reported ("ファイルを開く"), changes nothing but ShowEndRequested = 1, and
// ends the program while start-up opens the command-line file. Returns true when the file
// was read and applied.
bool LoadSlideshowFile(const QString& path);

}  // namespace core

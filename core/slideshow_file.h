#pragma once
// The slideshow file (".kvz"): the show settings, the slide list, the CD programme, the
// sound list when it travels with the file, and one schedule record per slide. Also the
// small rules the program's other list files share with it.
#include <QString>
#include <functional>

namespace core {

inline constexpr char kSlideshowFileTag[] = "21pic3167893";
inline constexpr char kSlideshowExtension[] = ".kvz";

// Writes the slide list editor's lists and the show settings to `path`. When the last four
// characters of `path` hold no ".", ".kvz" is appended (the caller's variable holds the
// longer path afterwards). With DistributionSave = 1 every stored path is cut to its file
// name and the linked-files folder is forgotten. A file that cannot be written is left as
// it was and reported ("ファイルの保存").
void SaveSlideshowFile(QString& path);

// Opens a slideshow file and makes it the current document. OpenedFileFolder (set by the
// caller) goes in front of stored names without a folder. A file that is refused or cannot
// be read is reported ("ファイルを開く"), changes nothing but ShowEndRequested = 1, and
// ends the program while start-up opens the command-line file.
void LoadSlideshowFile(const QString& path);

// ---- rules shared by the program's list files -------------------------------------------

// `path` with `extension` appended when its last four characters hold no ".".
QString WithDefaultExtension(const QString& path, const QString& extension);

// A stored entry without any "/" is a name in `folder` (which ends with its "/").
QString ResolveStoredPath(const QString& entry, const QString& folder);

// The modification time of a file as text, the form the file watch of the slide timer
// compares; "" when the file cannot be looked at. Milliseconds are kept, so a file
// rewritten within the same second still counts as changed.
QString FileDateTimeText(const QString& path);

// The warning of a list file that cannot be read or written: the path, CR LF,
// "このファイル名は適合しません。", with the operation's title and the exclamation icon.
void WarnUnsuitableFile(const QString& path, const QString& title);

// Clears the full-screen show surface P2 and gives it the background of the overlay
// mode: with overlay on it covers the show window and takes the overlay background
// colour; otherwise it is black.
void ResetShowSurfaceForOverlay();

// Check boxes, option buttons and text boxes of windows outside the application core that
// show values the file readers set. Each window installs its routine when it has one; the
// readers call it after the values are stored, so a click reaction finds them equal.
struct FileReaderMirrors {
  std::function<void()> midiWithLinkedWav;             // form8.Check1 from MidiWithLinkedWav
  std::function<void()> mp3WithLinkedWav;              // form17.Check1 from Mp3WithLinkedWav
  std::function<void(const QString&)> repeatMidiFile;  // form8.Text1: a resolved MIDI path
  std::function<void()> textOrigin;  // Form15.Option1/Option2 from TextOriginScreen
};
FileReaderMirrors& ReaderMirrors();

}  // namespace core

#pragma once
// Rules and steps the program's list files share: the settings, link settings, slideshow,
// link-list and sound-list files. Each file's own layout stays in its own source.
#include <QString>
#include <QStringList>
#include <functional>

namespace platform {
class VbFile;
}

namespace core {

class Form1;
struct ShowSettings;

// The main window's caption in front of the slideshow file's path.
inline const QString kSlideCaptionPrefix = QStringLiteral("ｽﾗｲﾄﾞ - ");

// AppFolder; the per-user data folder while start-up has not set AppFolder yet, so that
// the program's own files never land in the current folder.
QString AppDataFolder();

// `path` with `extension` appended when its last four characters hold no ".".
QString WithDefaultExtension(const QString& path, const QString& extension);

// A stored entry without any "/" is a name in `folder` (which ends with its "/").
QString ResolveStoredPath(const QString& entry, const QString& folder);

// A path as a file stores it: in a distribution save its file name only; an empty path
// stays empty.
QString StoredPathItem(const QString& path, bool distribution);

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

// ---- reading and writing ----------------------------------------------------------------

// The hourglass while a file is read or written; the default pointer again at Restore()
// or at the end of the scope, whichever comes first.
class HourglassPointer {
 public:
  HourglassPointer();
  ~HourglassPointer() { Restore(); }
  HourglassPointer(const HourglassPointer&) = delete;
  HourglassPointer& operator=(const HourglassPointer&) = delete;
  void Restore();

 private:
  bool restored_ = false;
};

// Writes `path` with `writeLines` under the hourglass. The new file replaces the old one
// only when every line is written; a failure at any step (opening, a line, the final
// replace) keeps the old file and warns (WarnUnsuitableFile, "ファイルの保存"). Returns
// true when the file was saved.
bool SaveListFile(const QString& path, const std::function<void(platform::VbFile&)>& writeLines);

// A program file that failed to read: the next SaveListFile over `path` first keeps it
// beside itself as `path` + ".damaged", so what it held is not lost to the save.
void KeepDamagedBeforeNextSave(const QString& path);

// ---- values read --------------------------------------------------------------------------

// A value the menu has no item for makes the file unreadable (error 340).
short MenuValue(short value, int itemCount);
// A count of list entries: never negative, at most `upper` (error 9 otherwise).
int ListCount(short count, int upper);
// Slit and mosaic counts out of their range are taken as its nearest end.
short ClampSlitCount(short count);
short ClampMosaicCount(short count);

// The slide interval line: at least 1000 ms, above 65535 ms the file is unreadable (error
// 5); SlideIntervalMs and SlideIntervalSeconds are set from it.
void ReadSlideInterval(platform::VbFile& file, ShowSettings& s);
// The slide interval, RepeatOff and SoundMode lines. Sound mode 8 is written as 7 with
// Mp3RepeatModeFlag 1, which a later line carries; any other mode clears the flag.
void WriteIntervalRepeatAndSoundMode(platform::VbFile& file, ShowSettings& s);

// The CD programme block (its count, then one track a line); empty when the file has
// ended before it.
QStringList ReadCdProgram(platform::VbFile& file);
// Writes the block with CdProgram entries 1 … `count`.
void WriteCdProgram(platform::VbFile& file, int count);

// The tail lines the settings file and the slideshow file share, MidiWithLinkedWav to
// PictureLoadMode; once the file has ended each takes its default. Mp3RepeatModeFlag 1
// makes the sound mode 8, a fixed effect speed makes both speeds -30. `mp3Path` turns the
// stored RepeatMp3File into the path to use.
void ReadSharedTail(platform::VbFile& file, ShowSettings& s,
                    const std::function<QString(const QString&)>& mp3Path);
// Writes those lines; `mp3Item` is RepeatMp3File as the file stores it.
void WriteSharedTail(platform::VbFile& file, const ShowSettings& s, const QString& mp3Item);

// ---- applying what was read ----------------------------------------------------------------

// SlidePaths and the schedule arrays from a slide list and its schedule records (one a
// slide); the arrays are cleared beyond them.
void CommitSlides(const QStringList& slides, const QStringList& records);
// The schedule arrays 1 … `count` from the records (an empty record past their end); the
// arrays are cleared beyond them.
void CommitScheduleMoments(const QStringList& records, int count);
// CdProgram and CdProgramCount from a programme read.
void CommitCdProgram(const QStringList& program);
// The main window's menus of the tail values both files hold, from the overlay background
// colour to the picture load mode (the ticks through core/mirrors.h).
void RefreshSharedTailMenus(Form1& main);

}  // namespace core

#pragma once
// The slideshow file (".kvz"): the show settings, the slide list, the CD programme, the
// sound list when it travels with the file, and one schedule record per slide. Also the
// small rules the program's other list files share with it.
#include <QString>
#include <QStringView>
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

// A list file read whole and decoded from code page 932 a few thousand lines at a time,
// taken item by item as the original's read statements take it. Failures are VbError: 53
// a missing file, 75 one that cannot be opened, 62 a read past the end, 13 a strict number
// that is not one, 6 a value too large for its field.
class ListFileReader {
 public:
  explicit ListFileReader(const QString& path);

  // True when nothing is left to read.
  bool Eof() const { return pos_ >= text_.size() && bytePos_ >= bytes_.size(); }
  // The rest of the line, blanks and commas kept, without its line end (CR LF, LF or CR).
  QString LineInput();
  // A text item: leading blanks and tabs skipped; up to a comma or the line end (trailing
  // blanks kept), or between double quotes. The comma or line end is consumed.
  QString InputString();
  // A number item: leading blanks skipped; it ends at a blank, comma or line end, and the
  // blanks, one comma or the line end after it are consumed, so " 3000 " is one line. Its
  // value is that of the decimal number it begins with; a text that is not one reads as 0.
  double InputNumber();
  // As InputNumber, but an item that is not wholly a number is error 13 (empty reads 0).
  double InputNumberStrict();
  // InputNumber as a 16-bit Integer / 32-bit Long: halves to even, error 6 out of range.
  short InputInteger();
  int InputLong();

 private:
  // Decodes the next lines when the ones decoded are used up; error 62 at the end.
  void RequireMore();
  void SkipBlanks();
  void SkipLineEnd();
  QStringView TakeItem(bool number);
  double ParseNumber(QStringView item, bool strict) const;

  QString path_;
  QByteArray bytes_;       // the whole file
  qsizetype bytePos_ = 0;  // start of the lines not yet decoded
  QString text_;           // the lines decoded last, whole lines only
  qsizetype pos_ = 0;
};

// A list file gathered line by line and written at once, in code page 932 with CR LF,
// through a temporary file beside it: the old file stays as it was unless the whole new
// one is in place.
class ListFileWriter {
 public:
  // A text as it is.
  void Line(const QString& text = {});
  // A number as the original prints it: a blank or "-", the digits, a blank.
  void Number(long long value);
  // Writes the file. VbError 5 when a character cannot be written in code page 932 (the
  // old file is not touched), 75 when the file cannot be replaced.
  void Save(const QString& path);

 private:
  // Encodes the lines gathered so far; a few thousand at a time keeps the buffers small.
  void Flush();

  QString pending_;
  QByteArray bytes_;
  bool unencodable_ = false;
};

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

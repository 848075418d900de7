#pragma once
// Files in the original's text and binary modes: code page 932 text with CR LF line
// ends, printed and written values, typed and whole-line input, byte reads.
//
// Every write is atomic. Output and Append write to a temporary file in the same
// folder, which replaces the old file only when Close() succeeds; a failure on the
// way (open, a character code page 932 cannot hold, a disk error) throws VbError and
// leaves the old file byte for byte as it was.
#include <QByteArray>
#include <QString>
#include <QStringView>
#include <concepts>
#include <initializer_list>
#include <memory>

#include "platform/vberror.h"

class QFile;
class QSaveFile;

namespace platform {

constexpr int kErrBadFileNameOrNumber = 52;
constexpr int kErrFileAlreadyOpen = 55;
constexpr int kErrDeviceIo = 57;
constexpr int kErrPathNotFound = 76;

enum class FileMode {
  Input,   // text, read
  Output,  // text, write from empty (replaces the file on Close)
  Append,  // text, write after the old contents (replaces the file on Close)
  Binary,  // bytes, read only
};

// One item of a Write statement: a text goes in double quotes, a whole number bare.
class WriteItem {
 public:
  WriteItem(const QString& text) : text_(text), quoted_(true) {}
  WriteItem(const char* text) : text_(QString::fromUtf8(text)), quoted_(true) {}
  template <std::integral T>
  WriteItem(T number) : text_(QString::number(static_cast<long long>(number))), quoted_(false) {}

  QString Formatted() const { return quoted_ ? '"' + text_ + '"' : text_; }

 private:
  QString text_;
  bool quoted_;
};

// The text a number prints as: a sign position (blank, or "-"), the digits and one
// trailing blank. 3000 -> " 3000 ", -30 -> "-30 ", 0 -> " 0 ".
QString NumberPrintText(long long value);

// Replaces the file at `path` with `bytes` through a temporary file in the same
// folder. Returns false, leaving any old file untouched, when that fails.
bool SaveFileAtomically(const QString& path, const QByteArray& bytes);

// Flushes, checks every error and commits; a failure discards the new file and keeps the old.
bool CommitSaveFile(QSaveFile& file);

// An open file, as the original's Open ... For Input/Output/Append/Binary.
//
// Errors are VbError: 53 missing file, 75 path or file access, 76 folder missing,
// 54 a statement of the wrong mode, 52 the file is not open, 55 it is open already,
// 62 input past the end, 13 a strict number read of a non-number, 6 overflow in
// InputInteger/InputLong, 5 a character code page 932 cannot hold, 57 a write or the final replace
// failed.
//
// A writer's error handler must call Discard() (or let the object go), never
// Close(): Close() is what makes the new contents the file.
class VbFile {
 public:
  VbFile();
  VbFile(const QString& path, FileMode mode);
  ~VbFile();  // an Output or Append file not yet closed is discarded
  VbFile(const VbFile&) = delete;
  VbFile& operator=(const VbFile&) = delete;

  void Open(const QString& path, FileMode mode);
  // Ends the file. Output/Append: puts the new contents in place of the old file;
  // throws (and discards) when that fails or an earlier write failed. A file that is
  // not open is left alone, as closing a free file number does nothing.
  void Close();
  // Drops an Output/Append file's new contents; the old file stays. Never throws.
  void Discard();
  bool IsOpen() const;
  FileMode Mode() const { return mode_; }
  const QString& Path() const { return path_; }

  // --- Output and Append ---
  // Print without line end (the statement with a trailing ";").
  void Print(const QString& text);
  // Print of a text as it is, then CR LF.
  void PrintLine(const QString& text = QString());
  // Print of a number: NumberPrintText(value), then CR LF.
  void PrintNumber(long long value);
  // Write statement: the items separated by commas, texts in double quotes (a
  // double quote inside a text is written as it is), then CR LF.
  void WriteItems(std::initializer_list<WriteItem> items);

  // --- Input ---
  // True when nothing is left to read.
  bool Eof();
  // Line input: the rest of the line, blanks and commas kept, without its line end
  // (CR LF, a lone LF or a lone CR).
  QString LineInput();
  // Typed input of a text item. Leading blanks and tabs are skipped. An item that
  // begins with a double quote ends at the next one (the quotes removed; the rest
  // of the line up to a comma or the line end is skipped); an unquoted item ends at
  // a comma or the line end and keeps its trailing blanks, so a "-" schedule record
  // comes back with all 30 characters. The comma or line end is consumed.
  QString InputString();
  // Typed input of a number. Leading blanks are skipped; the item ends at a blank,
  // comma or line end (a quoted item at its closing quote); blanks after it and then
  // one comma or the line end are consumed, so " 3000 " CR LF is read whole.
  // Its value is that of the decimal number the item begins with ("12abc" is 12);
  // a text that is not a number, and an empty item, read as 0.
  double InputNumber();
  // Like InputNumber, but an item that is not wholly a number is a type mismatch
  // (VbError 13; the item is consumed). An empty item is 0.
  double InputNumberStrict();
  // InputNumber rounded to a 16-bit Integer / 32-bit Long (halves to even; a value
  // out of range is VbError 6, the item is consumed).
  short InputInteger();
  int InputLong();
  // The next `count` characters, line ends included (CR and LF count one each; a
  // two-byte character counts one). Error 62 when fewer are left.
  QString InputChars(qsizetype count);

  // --- Input and Binary ---
  // Length of the file in bytes.
  qint64 Lof() const;
  // Binary: up to `count` bytes from the 0-based byte `offset` (fewer at the end of
  // the file, none beyond it).
  QByteArray GetBytes(qint64 offset, qint64 count);

 private:
  void Require(FileMode a, FileMode b) const;
  void Require(FileMode a) const { Require(a, a); }
  void WriteBytes(const QByteArray& bytes);
  static bool Cp932Holds(const QString& text);
  void FlushPending();

  // Input: whole lines decoded a slice at a time. Converting each line alone would
  // start the converter tens of thousands of times on a long list file.
  void ResetInput();
  bool DecodeMore();
  bool AtText();       // a character is left in text_ (after decoding more when needed)
  void RequireText();  // as AtText, but error 62 at the end of the file
  void SkipLineEnd();
  void SkipBlanks();
  QStringView TakeItem(bool number);
  double ParseNumber(QStringView item, bool strict) const;

  QString path_;
  FileMode mode_ = FileMode::Input;
  std::unique_ptr<QFile> in_;
  std::unique_ptr<QSaveFile> out_;
  bool writeFailed_ = false;
  QString pending_;        // printed text not yet converted and written
  QByteArray raw_;         // bytes read from the file and not yet decoded
  qsizetype rawPos_ = 0;   // start of the bytes not yet decoded
  bool rawEnded_ = false;  // the file has no more bytes to read
  QString text_;           // the lines decoded last, whole lines only
  qsizetype pos_ = 0;      // the next character of text_
};

}  // namespace platform

#include "platform/vbfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <bitset>
#include <cmath>
#include <cstring>

#include "platform/cp932.h"

namespace platform {

namespace {

constexpr qint64 kReadChunk = 64 * 1024;
constexpr qsizetype kDecodeSlice = 16 * 1024;
constexpr QStringView kLineEnd = u"\r\n";
constexpr qsizetype kEncodeSlice = 64 * 1024;

[[noreturn]] void Throw(int number, const QString& description, const QString& path) {
  throw VbError(number, description, path);
}

// Checks that `path` names a file we may create or replace, before a temporary
// file is made beside it.
void CheckWritableTarget(const QString& path) {
  if (path.isEmpty()) Throw(kErrPathFileAccess, "Path/File access error", path);
  QFileInfo info(path);
  if (!info.absoluteDir().exists()) Throw(kErrPathNotFound, "Path not found", path);
  if (info.isDir()) Throw(kErrPathFileAccess, "Path/File access error", path);
  // A write-protected file is refused, not silently replaced by the rename.
  if (info.exists() && !info.isWritable())
    Throw(kErrPathFileAccess, "Path/File access error", path);
}

bool IsBlank(QChar c) { return c == u' ' || c == u'\t'; }
bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }
bool IsLineEnd(QChar c) { return c == u'\r' || c == u'\n'; }

// Trims the ASCII white space a number item may hold (a quoted item keeps its blanks);
// a full-width blank is a character of the item.
QStringView TrimAscii(QStringView s) {
  auto isSpace = [](QChar c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); };
  while (!s.isEmpty() && isSpace(s.front())) s = s.sliced(1);
  while (!s.isEmpty() && isSpace(s.back())) s.chop(1);
  return s;
}

}  // namespace

QString NumberPrintText(long long value) {
  QString digits = QString::number(value);
  return (value < 0 ? digits : ' ' + digits) + ' ';
}

bool CommitSaveFile(QSaveFile& file) {
  // commit() alone does not see a buffered write that failed (a full disk): the flush does.
  if (!file.flush() || file.error() != QFileDevice::NoError) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

bool SaveFileAtomically(const QString& path, const QByteArray& bytes) {
  try {
    CheckWritableTarget(path);
  } catch (const VbError&) {
    return false;
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    return false;
  }
  return CommitSaveFile(file);
}

VbFile::VbFile() = default;

VbFile::VbFile(const QString& path, FileMode mode) { Open(path, mode); }

VbFile::~VbFile() { Discard(); }

void VbFile::Open(const QString& path, FileMode mode) {
  if (IsOpen()) Throw(kErrFileAlreadyOpen, "File already open", path_);
  path_ = path;
  mode_ = mode;
  writeFailed_ = false;
  pending_.clear();
  ResetInput();

  if (mode == FileMode::Input || mode == FileMode::Binary) {
    QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) Throw(kErrFileNotFound, "File not found", path);
    if (info.isDir()) Throw(kErrPathFileAccess, "Path/File access error", path);
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly)) Throw(kErrPathFileAccess, "Path/File access error", path);
    in_ = std::move(file);
    return;
  }

  CheckWritableTarget(path);
  QByteArray old;
  if (mode == FileMode::Append && QFileInfo::exists(path)) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) Throw(kErrPathFileAccess, "Path/File access error", path);
    old = file.readAll();
    if (file.error() != QFileDevice::NoError) Throw(kErrDeviceIo, "Device I/O error", path);
  }
  auto file = std::make_unique<QSaveFile>(path);
  if (!file->open(QIODevice::WriteOnly)) Throw(kErrPathFileAccess, "Path/File access error", path);
  out_ = std::move(file);
  if (!old.isEmpty()) WriteBytes(old);
}

bool VbFile::IsOpen() const { return in_ || out_; }

void VbFile::Close() {
  if (in_) {
    in_.reset();
    ResetInput();
  }
  if (!out_) return;
  if (!writeFailed_) {
    try {
      FlushPending();
    } catch (const VbError&) {
      // writeFailed_ is set: reported below.
    }
  }
  pending_.clear();
  bool saved = !writeFailed_ && CommitSaveFile(*out_);
  QString why = out_->errorString();
  out_.reset();
  if (!saved) Throw(kErrDeviceIo, "Device I/O error: " + why, path_);
}

void VbFile::Discard() {
  in_.reset();
  if (out_) {
    out_->cancelWriting();
    out_.reset();  // an uncommitted save file removes its temporary file
  }
  pending_.clear();
  ResetInput();
}

void VbFile::ResetInput() {
  raw_.clear();
  rawPos_ = 0;
  rawEnded_ = false;
  text_.clear();
  pos_ = 0;
}

void VbFile::Require(FileMode a, FileMode b) const {
  if (!IsOpen()) Throw(kErrBadFileNameOrNumber, "Bad file name or number", path_);
  if (mode_ != a && mode_ != b) Throw(kErrBadFileMode, "Bad file mode", path_);
}

// ---------------------------------------------------------------- writing

void VbFile::WriteBytes(const QByteArray& bytes) {
  if (writeFailed_) Throw(kErrDeviceIo, "Device I/O error: an earlier write failed", path_);
  if (out_->write(bytes) != bytes.size()) {
    writeFailed_ = true;
    Throw(kErrDeviceIo, "Device I/O error: " + out_->errorString(), path_);
  }
}

// Characters seen to go into code page 932 and back unchanged. The list files repeat the
// same few hundred characters line after line; a character is converted once to learn it.
bool VbFile::Cp932Holds(const QString& text) {
  thread_local std::bitset<0x10000> known;
  QString unknown;
  for (QChar c : text)
    if (c.unicode() >= 0x80 && !known[c.unicode()]) unknown += c;
  if (unknown.isEmpty()) return true;
  // The code page has no shift states, so the characters convert alone as within the text.
  // A half of a surrogate pair never converts: characters beyond it are not in the page.
  if (!CanEncodeCp932(unknown)) return false;
  for (QChar c : unknown) known[c.unicode()] = true;
  return true;
}

void VbFile::Print(const QString& text) {
  Require(FileMode::Output, FileMode::Append);
  if (writeFailed_) Throw(kErrDeviceIo, "Device I/O error: an earlier write failed", path_);
  if (!Cp932Holds(text)) {
    // Writing a substitute would save a different path or text than the user's.
    writeFailed_ = true;
    Throw(kErrInvalidCall, "Text holds a character that code page 932 cannot hold", path_);
  }
  pending_ += text;
  if (pending_.size() >= kEncodeSlice) FlushPending();
}

void VbFile::PrintLine(const QString& text) {
  Print(text);
  pending_ += kLineEnd;
}

// Texts are gathered and converted tens of thousands of characters at a time: converting
// each line alone costs more than the writing, and few large writes cost less than many.
void VbFile::FlushPending() {
  if (pending_.isEmpty()) return;
  bool ok = false;
  const QByteArray bytes = ToCp932(pending_, &ok);
  pending_.resize(0);
  if (!ok) {
    writeFailed_ = true;
    Throw(kErrInvalidCall, "Text holds a character that code page 932 cannot hold", path_);
  }
  WriteBytes(bytes);
}

void VbFile::PrintNumber(long long value) { PrintLine(NumberPrintText(value)); }

void VbFile::WriteItems(std::initializer_list<WriteItem> items) {
  QString line;
  for (const WriteItem& item : items) {
    if (&item != items.begin()) line += ',';
    line += item.Formatted();
  }
  PrintLine(line);
}

// ---------------------------------------------------------------- reading

// Whole lines, cut after a line feed: no byte of a two-byte character is a line end,
// blank, comma or quote, so the lines decode alone as they do within the file, and the
// item rules can work on the decoded characters.
bool VbFile::DecodeMore() {
  for (;;) {
    const qsizetype lineFeed = raw_.size() - rawPos_ > kDecodeSlice
                                   ? raw_.indexOf('\n', rawPos_ + kDecodeSlice)
                                   : qsizetype(-1);
    if (lineFeed >= 0 || rawEnded_) {
      const qsizetype end = lineFeed >= 0 ? lineFeed + 1 : raw_.size();
      if (end == rawPos_) return false;
      text_ = FromCp932(QByteArrayView(raw_).sliced(rawPos_, end - rawPos_));
      rawPos_ = end;
      pos_ = 0;
      return true;
    }
    // The bytes not yet decoded move to the front and the next chunk is read in behind
    // them, in the same buffer: a new buffer for every chunk cost more than the reading.
    const qsizetype kept = raw_.size() - rawPos_;
    char* buffer = raw_.data();
    std::memmove(buffer, buffer + rawPos_, static_cast<size_t>(kept));
    rawPos_ = 0;
    raw_.resize(kept + kReadChunk);
    const qint64 read = in_->read(raw_.data() + kept, kReadChunk);
    raw_.resize(kept + std::max<qint64>(read, 0));
    if (read < 0 || in_->error() != QFileDevice::NoError)
      Throw(kErrDeviceIo, "Device I/O error: " + in_->errorString(), path_);
    if (read == 0) rawEnded_ = true;
  }
}

bool VbFile::AtText() { return pos_ < text_.size() || DecodeMore(); }

void VbFile::RequireText() {
  if (!AtText()) Throw(kErrInputPastEnd, "Input past end of file", path_);
}

bool VbFile::Eof() {
  Require(FileMode::Input);
  return !AtText();
}

// A line ends at CR LF, a lone LF or a lone CR. A slice ends after a line feed, so a
// CR LF pair is never split between two slices.
void VbFile::SkipLineEnd() {
  const QChar* text = text_.constData();
  if (pos_ < text_.size() && text[pos_] == u'\r') ++pos_;
  if (pos_ < text_.size() && text[pos_] == u'\n') ++pos_;
}

void VbFile::SkipBlanks() {
  const QChar* text = text_.constData();
  while (pos_ < text_.size() && IsBlank(text[pos_])) ++pos_;
}

QString VbFile::LineInput() {
  Require(FileMode::Input);
  RequireText();
  const qsizetype start = pos_;
  const QChar* text = text_.constData();
  while (pos_ < text_.size() && !IsLineEnd(text[pos_])) ++pos_;
  QString line(text + start, pos_ - start);
  SkipLineEnd();
  return line;
}

QStringView VbFile::TakeItem(bool number) {
  Require(FileMode::Input);
  RequireText();
  SkipBlanks();
  const QStringView text(text_);
  QStringView item;
  if (pos_ < text.size() && text[pos_] == u'"') {
    const qsizetype start = ++pos_;
    while (pos_ < text.size() && text[pos_] != u'"' && !IsLineEnd(text[pos_])) ++pos_;
    item = text.sliced(start, pos_ - start);
    while (pos_ < text.size() && text[pos_] != u',' && !IsLineEnd(text[pos_])) ++pos_;
  } else {
    const qsizetype start = pos_;
    while (pos_ < text.size() && text[pos_] != u',' && !IsLineEnd(text[pos_]) &&
           !(number && IsBlank(text[pos_])))
      ++pos_;
    item = text.sliced(start, pos_ - start);
    if (number) SkipBlanks();
  }
  if (pos_ < text.size() && text[pos_] == u',')
    ++pos_;
  else
    SkipLineEnd();
  return item;
}

QString VbFile::InputString() { return TakeItem(false).toString(); }

double VbFile::ParseNumber(QStringView item, bool strict) const {
  const QStringView s = TrimAscii(item);
  qsizetype i = 0;
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) ++i;
  qsizetype digits = 0;
  for (; i < s.size() && IsDigit(s[i]); ++i) ++digits;
  if (i < s.size() && s[i] == u'.')
    for (++i; i < s.size() && IsDigit(s[i]); ++i) ++digits;
  if (digits == 0) {
    if (strict && !s.isEmpty()) Throw(kErrTypeMismatch, "Type mismatch", path_);
    return 0;
  }
  qsizetype end = i;
  // An exponent counts only when digits follow it ("1E3", "2.5D-1").
  if (i < s.size() && (s[i] == u'e' || s[i] == u'E' || s[i] == u'd' || s[i] == u'D')) {
    qsizetype j = i + 1;
    if (j < s.size() && (s[j] == u'+' || s[j] == u'-')) ++j;
    qsizetype expDigits = 0;
    for (; j < s.size() && IsDigit(s[j]); ++j) ++expDigits;
    if (expDigits > 0) end = j;
  }
  if (strict && end != s.size()) Throw(kErrTypeMismatch, "Type mismatch", path_);
  QByteArray number = s.first(end).toLatin1();
  for (char& ch : number)
    if (ch == 'd' || ch == 'D') ch = 'E';
  const double value = number.toDouble();  // locale independent
  if (!std::isfinite(value)) Throw(kErrOverflow, "Overflow", path_);
  return value;
}

double VbFile::InputNumber() { return ParseNumber(TakeItem(true), false); }

double VbFile::InputNumberStrict() { return ParseNumber(TakeItem(true), true); }

short VbFile::InputInteger() { return CInt(InputNumber()); }

int VbFile::InputLong() { return CLng(InputNumber()); }

// Code page 932 holds only characters of the basic plane, so one decoded character is
// one character of the file.
QString VbFile::InputChars(qsizetype count) {
  Require(FileMode::Input);
  QString chars;
  while (chars.size() < count) {
    RequireText();
    const qsizetype take = std::min(count - chars.size(), text_.size() - pos_);
    chars += QStringView(text_).sliced(pos_, take);
    pos_ += take;
  }
  return chars;
}

qint64 VbFile::Lof() const {
  Require(FileMode::Input, FileMode::Binary);
  return in_->size();
}

QByteArray VbFile::GetBytes(qint64 offset, qint64 count) {
  Require(FileMode::Binary);
  if (offset < 0 || count < 0) Throw(kErrInvalidCall, "Invalid procedure call or argument", path_);
  if (offset >= in_->size() || count == 0) return {};
  if (!in_->seek(offset)) Throw(kErrDeviceIo, "Device I/O error: " + in_->errorString(), path_);
  QByteArray bytes = in_->read(count);
  if (in_->error() != QFileDevice::NoError)
    Throw(kErrDeviceIo, "Device I/O error: " + in_->errorString(), path_);
  return bytes;
}

}  // namespace platform

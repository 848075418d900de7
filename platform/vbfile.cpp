#include "platform/vbfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cmath>

#include "platform/cp932.h"

namespace platform {

namespace {

constexpr qint64 kReadChunk = 64 * 1024;
const QByteArray kLineEnd("\r\n");

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

bool IsBlank(int c) { return c == ' ' || c == '\t'; }
bool IsDigit(int c) { return c >= '0' && c <= '9'; }

}  // namespace

QString NumberPrintText(long long value) {
  QString digits = QString::number(value);
  return (value < 0 ? digits : ' ' + digits) + ' ';
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
  return file.commit();
}

VbFile::VbFile() = default;

VbFile::VbFile(const QString& path, FileMode mode) { Open(path, mode); }

VbFile::~VbFile() { Discard(); }

void VbFile::Open(const QString& path, FileMode mode) {
  if (IsOpen()) Throw(kErrFileAlreadyOpen, "File already open", path_);
  path_ = path;
  mode_ = mode;
  writeFailed_ = false;
  buffer_.clear();
  pos_ = 0;

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
    buffer_.clear();
    pos_ = 0;
  }
  if (!out_) return;
  bool saved = !writeFailed_ && out_->commit();
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
  buffer_.clear();
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

void VbFile::Print(const QString& text) {
  Require(FileMode::Output, FileMode::Append);
  bool ok = false;
  QByteArray bytes = ToCp932(text, &ok);
  if (!ok) {
    // Writing a substitute would save a different path or text than the user's.
    writeFailed_ = true;
    Throw(kErrInvalidCall, "Text holds a character that code page 932 cannot hold", path_);
  }
  WriteBytes(bytes);
}

void VbFile::PrintLine(const QString& text) {
  Print(text);
  WriteBytes(kLineEnd);
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

int VbFile::Peek(qsizetype ahead) {
  while (pos_ + ahead >= buffer_.size()) {
    if (!in_ || in_->atEnd()) return -1;
    if (pos_ > 0) {
      buffer_.remove(0, pos_);
      pos_ = 0;
    }
    QByteArray more = in_->read(kReadChunk);
    if (more.isEmpty()) {
      if (in_->error() != QFileDevice::NoError)
        Throw(kErrDeviceIo, "Device I/O error: " + in_->errorString(), path_);
      return -1;
    }
    buffer_ += more;
  }
  return static_cast<unsigned char>(buffer_[pos_ + ahead]);
}

bool VbFile::Eof() {
  Require(FileMode::Input);
  return Peek() < 0;
}

void VbFile::SkipLineEnd() {
  int c = Peek();
  if (c == '\r') {
    Skip(1);
    if (Peek() == '\n') Skip(1);
  } else if (c == '\n') {
    Skip(1);
  }
}

void VbFile::SkipBlanks() {
  while (IsBlank(Peek())) Skip(1);
}

QString VbFile::LineInput() {
  Require(FileMode::Input);
  if (Peek() < 0) Throw(kErrInputPastEnd, "Input past end of file", path_);
  QByteArray line;
  for (int c = Peek(); c >= 0 && !AtLineEnd(c); c = Peek()) {
    line += static_cast<char>(c);
    Skip(1);
  }
  SkipLineEnd();
  return FromCp932(line);
}

// Delimiters (blank, tab, comma, quote, CR, LF) are all below 0x40, and a trail byte
// of a two-byte character never is, so items can be cut on the raw bytes.
QByteArray VbFile::TakeItem(bool number, bool* quoted) {
  Require(FileMode::Input);
  if (Peek() < 0) Throw(kErrInputPastEnd, "Input past end of file", path_);
  SkipBlanks();
  QByteArray item;
  int c = Peek();
  *quoted = (c == '"');
  if (*quoted) {
    Skip(1);
    for (c = Peek(); c >= 0 && c != '"' && !AtLineEnd(c); c = Peek()) {
      item += static_cast<char>(c);
      Skip(1);
    }
    if (c == '"') Skip(1);
    for (c = Peek(); c >= 0 && c != ',' && !AtLineEnd(c); c = Peek()) Skip(1);
  } else {
    for (; c >= 0 && c != ',' && !AtLineEnd(c) && !(number && IsBlank(c)); c = Peek()) {
      item += static_cast<char>(c);
      Skip(1);
    }
    if (number) {
      SkipBlanks();
      c = Peek();
    }
  }
  if (c == ',')
    Skip(1);
  else if (c >= 0 && AtLineEnd(c))
    SkipLineEnd();
  return item;
}

QString VbFile::InputString() {
  bool quoted = false;
  return FromCp932(TakeItem(false, &quoted));
}

double VbFile::ParseNumber(const QByteArray& item, bool strict) {
  const QByteArray s = item.trimmed();
  qsizetype i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  qsizetype digits = 0;
  for (; i < s.size() && IsDigit(s[i]); ++i) ++digits;
  if (i < s.size() && s[i] == '.')
    for (++i; i < s.size() && IsDigit(s[i]); ++i) ++digits;
  if (digits == 0) {
    if (strict && !s.isEmpty()) Throw(kErrTypeMismatch, "Type mismatch", path_);
    return 0;
  }
  qsizetype end = i;
  // An exponent counts only when digits follow it ("1E3", "2.5D-1").
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    qsizetype j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    qsizetype expDigits = 0;
    for (; j < s.size() && IsDigit(s[j]); ++j) ++expDigits;
    if (expDigits > 0) end = j;
  }
  if (strict && end != s.size()) Throw(kErrTypeMismatch, "Type mismatch", path_);
  QByteArray number = s.left(end);
  for (char& ch : number)
    if (ch == 'd' || ch == 'D') ch = 'E';
  double value = number.toDouble();  // locale independent
  if (!std::isfinite(value)) Throw(kErrOverflow, "Overflow", path_);
  return value;
}

double VbFile::InputNumber() {
  bool quoted = false;
  return ParseNumber(TakeItem(true, &quoted), false);
}

double VbFile::InputNumberStrict() {
  bool quoted = false;
  return ParseNumber(TakeItem(true, &quoted), true);
}

short VbFile::InputInteger() { return CInt(InputNumber()); }

int VbFile::InputLong() { return CLng(InputNumber()); }

QString VbFile::InputChars(qsizetype count) {
  Require(FileMode::Input);
  QByteArray bytes;
  for (qsizetype n = 0; n < count; ++n) {
    int c = Peek();
    if (c < 0) Throw(kErrInputPastEnd, "Input past end of file", path_);
    bytes += static_cast<char>(c);
    Skip(1);
    if (IsCp932LeadByte(static_cast<unsigned char>(c)) && (c = Peek()) >= 0) {
      bytes += static_cast<char>(c);
      Skip(1);
    }
  }
  return FromCp932(bytes);
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

#include "core/common.h"

#include <QFile>
#include <QFileInfo>
#include <cmath>
#include <locale>
#include <sstream>

#include "core/state.h"
#include "platform/vberror.h"

namespace core {
namespace {

using platform::VbError;

[[noreturn]] void ThrowOverflow() { throw VbError(platform::kErrOverflow, "Overflow"); }

bool IsIgnoredBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n'; }

bool IsAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// "&H" / "&O" numbers: up to 16 bits they read as a signed Integer, up to 32 bits as
// a signed Long (so "&HFFFF" is -1); larger values overflow.
double ReadRadixNumber(const QString& s, int pos, int radix) {
  quint64 value = 0;
  for (; pos < s.size(); ++pos) {
    int digit = -1;
    const char16_t c = s[pos].toLower().unicode();
    if (c >= u'0' && c <= u'9') digit = c - u'0';
    if (radix == 16 && c >= u'a' && c <= u'f') digit = c - u'a' + 10;
    if (digit < 0 || digit >= radix) break;
    value = value * radix + digit;
    if (value > 0xFFFFFFFFull) ThrowOverflow();
  }
  if (value <= 0xFFFF) return static_cast<qint16>(static_cast<quint16>(value));
  return static_cast<qint32>(static_cast<quint32>(value));
}

std::function<void()>& TextViewerCloser() {
  static std::function<void()> closer;
  return closer;
}

bool IsCp932LeadByte(uchar b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

}  // namespace

double StandardVal(const QString& text) {
  QString s;
  s.reserve(text.size());
  for (QChar c : text) {
    if (!IsIgnoredBlank(c)) s.append(c);
  }
  if (s.startsWith(u'&')) {
    if (s.size() < 2) return 0;
    const QChar kind = s[1].toUpper();
    if (kind == u'H') return ReadRadixNumber(s, 2, 16);
    if (kind == u'O') return ReadRadixNumber(s, 2, 8);
    return 0;
  }

  // Collect the longest prefix that forms a decimal number.
  QByteArray number;
  int pos = 0;
  if (pos < s.size() && (s[pos] == u'+' || s[pos] == u'-')) number.append(s[pos++].toLatin1());
  bool haveDigits = false;
  while (pos < s.size() && IsAsciiDigit(s[pos])) {
    number.append(s[pos++].toLatin1());
    haveDigits = true;
  }
  if (pos < s.size() && s[pos] == u'.') {
    number.append('.');
    ++pos;
    while (pos < s.size() && IsAsciiDigit(s[pos])) {
      number.append(s[pos++].toLatin1());
      haveDigits = true;
    }
  }
  if (!haveDigits) return 0;
  if (pos < s.size()) {
    const QChar e = s[pos].toUpper();
    if (e == u'E' || e == u'D') {
      int p = pos + 1;
      QByteArray exponent("e");
      if (p < s.size() && (s[p] == u'+' || s[p] == u'-')) exponent.append(s[p++].toLatin1());
      bool expDigits = false;
      while (p < s.size() && IsAsciiDigit(s[p])) {
        exponent.append(s[p++].toLatin1());
        expDigits = true;
      }
      if (expDigits) number.append(exponent);
    }
  }
  // The classic stream keeps a tiny value (underflow) and marks only an overflow.
  std::istringstream in(number.toStdString());
  in.imbue(std::locale::classic());
  double value = 0;
  in >> value;
  if (in.fail() || std::isinf(value)) ThrowOverflow();
  return value;
}

double RebuildNumberFromDigits(const QString& text) {
  auto checked = [](double v) {
    if (!std::isfinite(v)) ThrowOverflow();
    return v;
  };
  const double sign = text.contains(u'-') ? -1 : 1;
  const int n = static_cast<int>(text.size());
  int dot = static_cast<int>(text.indexOf(u'.')) + 1;
  if (dot == 0) dot = n + 1;
  double whole = 0;
  double frac = 0;
  for (int i = 1; i <= dot - 1; ++i) {
    const short d = DigitValue(text.mid(i - 1, 1));
    if (d != 99) {
      whole = checked(whole + d * checked(std::pow(10.0, dot - 1 - i)));
    } else {
      whole = whole / 10;
    }
  }
  for (int i = dot + 1; i <= n; ++i) {
    const short d = DigitValue(text.mid(i - 1, 1));
    if (d != 99) {
      frac = frac + d * std::pow(10.0, dot - i);
    } else {
      dot = dot + 1;
    }
  }
  return checked(sign * (whole + frac));
}

double SafeVal(const QString& text) {
  try {
    return StandardVal(text);
  } catch (const VbError&) {
    return RebuildNumberFromDigits(text);
  }
}

short DigitValue(const QString& ch) {
  if (ch.size() == 1 && IsAsciiDigit(ch[0])) return static_cast<short>(ch[0].unicode() - u'0');
  return 99;
}

QString GetFileNameOfPath(const QString& path) { return path.mid(path.lastIndexOf(u'/') + 1); }

bool IsMovieName(const QString& path) {
  const QString ext = path.right(3).toUpper();
  return ext == u"MP4" || ext == u"WMV" || ext == u"MOV" || ext == u"AVI";
}

short TestFileReadable(const QString& path) {
  const QFileInfo info(path);
  if (path.isEmpty() || !info.exists() || info.isDir()) return 0;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return 2;
  const QByteArray head = file.read(90);  // 45 characters take at most 90 bytes
  file.close();
  qsizetype pos = 0;
  for (int chars = 0; chars < 45; ++chars) {
    if (pos >= head.size()) return 2;
    pos += IsCp932LeadByte(static_cast<uchar>(head[pos])) ? 2 : 1;
    if (pos > head.size()) return 2;  // a lead byte without its trail byte
  }
  return 1;
}

bool IsJpegFile(const QString& path) {
  const QFileInfo info(path);
  if (path.isEmpty() || !info.exists()) return false;
  QFile file(path);
  if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
    throw VbError(platform::kErrPathFileAccess, "Path/File access error");
  }
  const QByteArray head = file.read(2);
  return head.size() == 2 && static_cast<uchar>(head[0]) == 0xFF &&
         static_cast<uchar>(head[1]) == 0xD8;
}

void ForgetSoundRecorder() { Paths().RecordingWavPath.clear(); }

void CloseTextViewer() {
  PathState& paths = Paths();
  if (paths.NotepadTextPath.isEmpty()) return;
  paths.NotepadTextPath.clear();
  try {
    if (TextViewerCloser()) TextViewerCloser()();
    paths.NotepadTaskId = 0;
  } catch (...) {
    // The viewer was already gone: only the path is forgotten.
  }
}

void SetTextViewerCloser(std::function<void()> closer) { TextViewerCloser() = std::move(closer); }

int CompareStrings(const QString& a, const QString& b, int mode) {
  return a.compare(b, mode == 0 ? Qt::CaseSensitive : Qt::CaseInsensitive);
}

}  // namespace core

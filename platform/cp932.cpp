#include "platform/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>

namespace platform {

namespace {

// "CP932", not "SHIFT_JIS": the latter maps 0x5C to the yen sign and 0x7E to the
// overline, which would break every path.
constexpr const char* kCodePage = "CP932";

// One conversion descriptor per direction, opened on first use and reused.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (valid()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  void reset() { iconv(cd_, nullptr, nullptr, nullptr, nullptr); }
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

Converter& Encoder() {
  thread_local Converter c(kCodePage, "UTF-8");
  return c;
}

Converter& Decoder() {
  thread_local Converter c("UTF-8", kCodePage);
  return c;
}

bool IsAscii(const QString& text) {
  for (QChar c : text)
    if (c.unicode() >= 0x80) return false;
  return true;
}

bool IsAscii(const QByteArray& bytes) {
  for (char c : bytes)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// Runs the converter over the input. Returns false on the first byte sequence it
// cannot convert unless `lenient`, in which case that byte becomes `replacement`.
bool Convert(Converter& conv, const QByteArray& in, QByteArray* out, bool lenient,
             const QByteArray& replacement) {
  if (!conv.valid()) return false;
  conv.reset();
  out->clear();
  out->resize(in.size() * 2 + 16);
  char* inPtr = const_cast<char*>(in.constData());
  size_t inLeft = static_cast<size_t>(in.size());
  size_t done = 0;
  while (true) {
    char* outPtr = out->data() + done;
    size_t outLeft = static_cast<size_t>(out->size()) - done;
    size_t r = iconv(conv.get(), inLeft ? &inPtr : nullptr, &inLeft, &outPtr, &outLeft);
    done = static_cast<size_t>(outPtr - out->data());
    if (r != static_cast<size_t>(-1)) {
      if (inLeft == 0) break;
      continue;
    }
    if (errno == E2BIG) {
      out->resize(out->size() * 2 + 16);
      continue;
    }
    // EILSEQ or EINVAL (a lead byte cut off at the end).
    if (!lenient) return false;
    ++inPtr;
    --inLeft;
    conv.reset();
    if (done + static_cast<size_t>(replacement.size()) > static_cast<size_t>(out->size()))
      out->resize(out->size() * 2 + replacement.size());
    memcpy(out->data() + done, replacement.constData(), static_cast<size_t>(replacement.size()));
    done += static_cast<size_t>(replacement.size());
    if (inLeft == 0) break;
  }
  out->resize(static_cast<qsizetype>(done));
  return true;
}

}  // namespace

namespace {

// A byte that forms no character is carried as U+DC80..U+DCFF (a lone low surrogate,
// which no decoded character can be), so that it is written back as the same byte.
constexpr char16_t kEscapeBase = 0xDC00;

bool IsEscapedByte(const QString& text, qsizetype i) {
  const char16_t c = text[i].unicode();
  return c >= 0xDC80 && c <= 0xDCFF && (i == 0 || !text[i - 1].isHighSurrogate());
}

// Encodes text that holds no escaped byte.
bool EncodePlain(const QString& text, QByteArray* out) {
  if (IsAscii(text)) {
    *out = text.toLatin1();
    return true;
  }
  if (!Convert(Encoder(), text.toUtf8(), out, false, {})) return false;
  // iconv maps a few characters one way only (U+00A5 to 0x5C, U+203E to 0x7E);
  // such a character would come back as another one, so it counts as not held.
  return FromCp932(*out) == text;
}

}  // namespace

QByteArray ToCp932(const QString& text, bool* ok) {
  if (ok) *ok = true;
  QByteArray out;
  qsizetype start = 0;
  bool converted = true;
  bool carriedLeadByte = false;
  for (qsizetype i = 0; i <= text.size() && converted; ++i) {
    const bool end = i == text.size();
    if (!end && !IsEscapedByte(text, i)) continue;
    QByteArray part;
    converted = EncodePlain(text.mid(start, i - start), &part);
    out += part;
    if (!end) {
      const auto byte = static_cast<unsigned char>(text[i].unicode() - kEscapeBase);
      carriedLeadByte = carriedLeadByte || IsCp932LeadByte(byte);
      out += static_cast<char>(byte);
    }
    start = i + 1;
  }
  // A carried lead byte pairs with the byte after it when that character is written in
  // another of its codes than it was read in (the IBM extensions have two): the file would
  // read back as other text, so such a text counts as not held.
  if (converted && carriedLeadByte && FromCp932(out) != text) converted = false;
  if (!converted) {
    if (ok) *ok = false;
    return {};
  }
  return out;
}

QString FromCp932(const QByteArray& bytes) {
  if (IsAscii(bytes)) return QString::fromLatin1(bytes);
  Converter& conv = Decoder();
  if (!conv.valid()) return QString::fromLatin1(bytes);
  conv.reset();
  QString result;
  QByteArray out(bytes.size() * 2 + 16, Qt::Uninitialized);
  char* inPtr = const_cast<char*>(bytes.constData());
  size_t inLeft = static_cast<size_t>(bytes.size());
  while (inLeft > 0) {
    char* outPtr = out.data();
    size_t outLeft = static_cast<size_t>(out.size());
    const size_t r = iconv(conv.get(), &inPtr, &inLeft, &outPtr, &outLeft);
    const int error = errno;
    result += QString::fromUtf8(out.constData(), outPtr - out.constData());
    if (r != static_cast<size_t>(-1) || error == E2BIG) continue;
    // EILSEQ or EINVAL (a lead byte cut off at the end): carry the byte and go on.
    result += QChar(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(*inPtr)));
    ++inPtr;
    --inLeft;
    conv.reset();
  }
  return result;
}

bool CanEncodeCp932(const QString& text) {
  bool ok = false;
  ToCp932(text, &ok);
  return ok;
}

qsizetype Cp932CharCount(const QByteArray& bytes) {
  qsizetype count = 0;
  for (qsizetype i = 0; i < bytes.size(); ++count)
    i += (IsCp932LeadByte(static_cast<unsigned char>(bytes[i])) && i + 1 < bytes.size()) ? 2 : 1;
  return count;
}

qsizetype Cp932PrefixBytes(const QByteArray& bytes, qsizetype chars) {
  qsizetype i = 0;
  for (qsizetype n = 0; n < chars && i < bytes.size(); ++n)
    i += (IsCp932LeadByte(static_cast<unsigned char>(bytes[i])) && i + 1 < bytes.size()) ? 2 : 1;
  return i;
}

qsizetype Cp932ByteLength(const QString& text) {
  bool ok = false;
  QByteArray whole = ToCp932(text, &ok);
  if (ok) return whole.size();
  qsizetype length = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    qsizetype n = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
    QByteArray one = ToCp932(text.mid(i, n), &ok);
    length += ok ? one.size() : 1;
    i += n - 1;
  }
  return length;
}

}  // namespace platform

#include "platform/cp932.h"

#include <iconv.h>

#include <vector>

namespace platform {

namespace {

// "CP932", not "SHIFT_JIS": the latter maps 0x5C to the yen sign and 0x7E to the
// overline, which would break every path.
constexpr const char* kCodePage = "CP932";

// A byte that forms no character is carried as U+DC80..U+DCFF (a lone low surrogate,
// which no decoded character can be), so that it is written back as the same byte.
constexpr char16_t kEscapeBase = 0xDC00;
constexpr char16_t kNoChar = 0;       // in the decoding tables (no code decodes to U+0000)
constexpr quint16 kNotHeld = 0xFFFF;  // in the encoding table (no code begins with 0xFF)

// The code page as lookup tables, learnt from iconv at the first conversion: every byte
// and every pair of bytes decoded, and every character so decoded encoded back. Calling
// iconv on each text cost more than reading or writing the file. ASCII is left out:
// iconv maps it to itself both ways, 0x5C and 0x7E included.
struct Tables {
  bool valid = false;
  char16_t single[256] = {};                                             // by byte, 0x80..0xFF only
  std::vector<char16_t> pair = std::vector<char16_t>(0x10000, kNoChar);  // by lead << 8 | trail
  std::vector<quint16> code = std::vector<quint16>(0x10000, kNotHeld);   // by character
};

// Converts `items`, one character of `unitSize` bytes each, in as few calls as iconv allows;
// an item it refuses is skipped. `take` gets each converted item's index and its output.
template <class Take>
bool ConvertEach(const char* to, const char* from, const std::vector<char>& items, size_t unitSize,
                 size_t outMax, Take take) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  const size_t count = items.size() / unitSize;
  std::vector<char> out(count * outMax);
  size_t k = 0;
  while (k < count) {
    char* in = const_cast<char*>(items.data()) + k * unitSize;
    size_t inLeft = (count - k) * unitSize;
    char* o = out.data();
    size_t oLeft = out.size();
    const size_t r = iconv(cd, &in, &inLeft, &o, &oLeft);
    const size_t done = count - k - inLeft / unitSize;
    // Each item is one character, so the output splits by the item's size in the target.
    const char* p = out.data();
    for (size_t j = 0; j < done; ++j) p = take(k + j, p);
    k += done;
    if (r == static_cast<size_t>(-1)) {
      ++k;  // the item refused
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return true;
}

char32_t ReadUtf32(const char* p) {
  const auto* b = reinterpret_cast<const unsigned char*>(p);
  return b[0] | b[1] << 8 | b[2] << 16 | static_cast<char32_t>(b[3]) << 24;
}

Tables BuildTables() {
  Tables t;
  // Decoding: the single bytes above ASCII, then every lead byte with every trail byte.
  std::vector<char> singles, pairs;
  for (int b = 0x80; b <= 0xFF; ++b)
    if (!IsCp932LeadByte(static_cast<unsigned char>(b))) singles.push_back(static_cast<char>(b));
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!IsCp932LeadByte(static_cast<unsigned char>(lead))) continue;
    for (int trail = 0; trail <= 0xFF; ++trail) {
      pairs.push_back(static_cast<char>(lead));
      pairs.push_back(static_cast<char>(trail));
    }
  }
  // Each decoded character is one UTF-32 unit; none lies beyond the basic plane.
  auto decoded = [](const char* p, char16_t* slot) {
    const char32_t c = ReadUtf32(p);
    if (c > 0 && c <= 0xFFFF) *slot = static_cast<char16_t>(c);
    return p + 4;
  };
  bool ok = ConvertEach("UTF-32LE", kCodePage, singles, 1, 4, [&](size_t i, const char* p) {
    return decoded(p, &t.single[static_cast<unsigned char>(singles[i])]);
  });
  ok = ok && ConvertEach("UTF-32LE", kCodePage, pairs, 2, 4, [&](size_t i, const char* p) {
         const auto lead = static_cast<unsigned char>(pairs[2 * i]);
         const auto trail = static_cast<unsigned char>(pairs[2 * i + 1]);
         return decoded(p, &t.pair[static_cast<size_t>(lead << 8 | trail)]);
       });
  if (!ok) return t;

  // Encoding: each character decoded, in the code iconv writes it in. A character iconv
  // writes in a code that reads back as another one (U+00A5 as 0x5C) is not held.
  std::vector<char> chars;
  std::vector<bool> listed(0x10000);
  auto list = [&](char16_t c) {
    if (c == kNoChar || listed[c]) return;
    listed[c] = true;
    for (int shift = 0; shift < 32; shift += 8) chars.push_back(static_cast<char>(c >> shift));
  };
  for (char16_t c : t.single) list(c);
  for (char16_t c : t.pair) list(c);
  ok = ConvertEach(kCodePage, "UTF-32LE", chars, 4, 2, [&](size_t i, const char* p) {
    const auto c = static_cast<char16_t>(ReadUtf32(chars.data() + 4 * i));
    const auto b = static_cast<unsigned char>(p[0]);
    if (!IsCp932LeadByte(b)) {
      if (b >= 0x80 && t.single[b] == c) t.code[c] = b;
      return p + 1;
    }
    const auto trail = static_cast<unsigned char>(p[1]);
    const auto code = static_cast<quint16>(b << 8 | trail);
    if (t.pair[code] == c) t.code[c] = code;
    return p + 2;
  });
  t.valid = ok;
  return t;
}

const Tables& Cp932Tables() {
  static const Tables tables = BuildTables();
  return tables;
}

bool IsAscii(QByteArrayView bytes) {
  for (char c : bytes)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

bool IsEscapedByte(const QChar* text, qsizetype i) {
  const char16_t c = text[i].unicode();
  return c >= 0xDC80 && c <= 0xDCFF && (i == 0 || !text[i - 1].isHighSurrogate());
}

}  // namespace

QByteArray ToCp932(const QString& text, bool* ok) {
  if (ok) *ok = false;
  const Tables* tables = nullptr;
  QByteArray out(text.size() * 2, Qt::Uninitialized);
  char* o = out.data();
  const QChar* chars = text.constData();
  bool carriedLeadByte = false;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = chars[i].unicode();
    if (c < 0x80) {
      *o++ = static_cast<char>(c);
      continue;
    }
    if (IsEscapedByte(chars, i)) {
      const auto byte = static_cast<unsigned char>(c - kEscapeBase);
      carriedLeadByte = carriedLeadByte || IsCp932LeadByte(byte);
      *o++ = static_cast<char>(byte);
      continue;
    }
    if (!tables) tables = &Cp932Tables();
    const quint16 code = tables->valid ? tables->code[c] : kNotHeld;
    if (code == kNotHeld) return {};
    if (code > 0xFF) *o++ = static_cast<char>(code >> 8);
    *o++ = static_cast<char>(code);
  }
  out.truncate(o - out.constData());
  // A carried lead byte pairs with the byte after it when that character is written in
  // another of its codes than it was read in (the IBM extensions have two): the file would
  // read back as other text, so such a text counts as not held.
  if (carriedLeadByte && FromCp932(out) != text) return {};
  if (ok) *ok = true;
  return out;
}

QString FromCp932(QByteArrayView bytes) {
  if (IsAscii(bytes)) return QString::fromLatin1(bytes);
  const Tables& tables = Cp932Tables();
  if (!tables.valid) return QString::fromLatin1(bytes);
  QString result(bytes.size(), Qt::Uninitialized);
  auto* o = reinterpret_cast<char16_t*>(result.data());
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* end = p + bytes.size();
  while (p < end) {
    const unsigned char b = *p;
    char16_t c = b;
    if (b >= 0x80) {
      if (IsCp932LeadByte(b))
        c = p + 1 < end ? tables.pair[static_cast<size_t>(b << 8 | p[1])] : kNoChar;
      else
        c = tables.single[b];
      if (c == kNoChar) {
        // No character here: the byte is carried and decoding goes on after it.
        c = static_cast<char16_t>(kEscapeBase + b);
      } else if (IsCp932LeadByte(b)) {
        ++p;
      }
    }
    *o++ = c;
    ++p;
  }
  result.truncate(o - reinterpret_cast<const char16_t*>(result.constData()));
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

#pragma once
// Text in code page 932 (the Japanese Windows code page), the encoding of every
// file the program reads and writes.
#include <QByteArray>
#include <QString>

namespace platform {

// Encodes text in code page 932. A character the code page cannot hold makes the
// whole conversion fail (*ok = false, empty result): it is never replaced by "?"
// or by a look-alike (U+00A5 is not turned into a backslash). A byte carried by
// FromCp932 is written back as that byte.
QByteArray ToCp932(const QString& text, bool* ok = nullptr);

// Decodes code page 932 bytes. A byte that forms no character is carried as
// U+DC80..U+DCFF (one per byte), so that ToCp932 writes it back unchanged, and
// decoding goes on after it.
QString FromCp932(QByteArrayView bytes);

// True when every character of the text can be written in code page 932.
bool CanEncodeCp932(const QString& text);

// True for a byte that begins a two-byte character (0x81-0x9F, 0xE0-0xFC).
inline bool IsCp932LeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Number of characters in code page 932 bytes: a lead byte and the byte after it
// count once; a lead byte at the very end counts alone.
qsizetype Cp932CharCount(const QByteArray& bytes);

// Number of bytes taken by the first `chars` characters of the bytes (never splits
// a two-byte character); all bytes when there are fewer characters.
qsizetype Cp932PrefixBytes(const QByteArray& bytes, qsizetype chars);

// Length of the text in code page 932 bytes (a two-byte character counts 2); a
// character the code page cannot hold counts 1, as the "?" it would become.
qsizetype Cp932ByteLength(const QString& text);

}  // namespace platform

// Text files in code page 932 on any bytes: every kind of input statement, the carried
// bytes of the code page, and lines read, written and read again.
#include <QCoreApplication>
#include <QStringList>

#include "fuzz/fuzz_support.h"
#include "platform/cp932.h"
#include "platform/vbfile.h"

namespace {

// The input statements in the order the first byte of an input picks them.
void ReadWithStatements(const QString& path, unsigned char pattern) {
  try {
    platform::VbFile file(path, platform::FileMode::Input);
    // Each statement consumes something or throws, so the file's length bounds the loop.
    for (int step = 0; !file.Eof(); ++step) {
      switch (((pattern >> (step % 4 * 2)) & 3) ^ (step / 4 % 4)) {
        case 0:
          file.LineInput();
          break;
        case 1:
          file.InputString();
          break;
        case 2:
          try {
            file.InputInteger();
          } catch (const platform::VbError&) {
            file.InputNumber();
          }
          break;
        default:
          try {
            file.InputNumberStrict();
          } catch (const platform::VbError&) {
            file.InputChars(1 + step % 3);
          }
          break;
      }
    }
  } catch (const platform::VbError&) {
    // Past the end, a type mismatch or an overflow: what the callers catch.
  }
}

// Bytes that formed no character come through decoding as U+DC80..U+DCFF.
bool HasCarriedBytes(const QString& text) {
  for (QChar c : text)
    if (c.unicode() >= 0xDC80 && c.unicode() <= 0xDCFF) return true;
  return false;
}

QStringList ReadLines(const QString& path) {
  QStringList lines;
  platform::VbFile file(path, platform::FileMode::Input);
  while (!file.Eof()) lines.append(file.LineInput());
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qInstallMessageHandler(fuzz::QuietMessages);
  new QCoreApplication(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes = fuzz::Bytes(data, size);

  // The code page: bytes become text, and that text is written as bytes that read as the
  // same text, or (only around bytes that formed no character) refused, never changed.
  const QString text = platform::FromCp932(bytes);
  bool ok = false;
  const QByteArray encoded = platform::ToCp932(text, &ok);
  if (ok) {
    if (platform::FromCp932(encoded) != text) fuzz::Fail("encoded text reads back as other text");
    if (platform::Cp932ByteLength(text) != encoded.size())
      fuzz::Fail("the byte length of a text is not that of its encoding");
  } else if (!HasCarriedBytes(text)) {
    fuzz::Fail("text decoded from code page 932 cannot be encoded again");
  }
  if (platform::Cp932PrefixBytes(bytes, platform::Cp932CharCount(bytes)) != bytes.size())
    fuzz::Fail("the characters of the bytes do not cover them");

  const QString path = fuzz::Dirs().work.path() + QStringLiteral("/input.txt");
  fuzz::WriteFile(path, bytes);
  ReadWithStatements(path, bytes.isEmpty() ? 0 : static_cast<unsigned char>(bytes[0]));

  // Lines read, written and read again.
  const QStringList lines = ReadLines(path);
  const QString copy = fuzz::Dirs().work.path() + QStringLiteral("/copy.txt");
  try {
    platform::VbFile out(copy, platform::FileMode::Output);
    for (const QString& line : lines) out.PrintLine(line);
    out.Close();
  } catch (const platform::VbError&) {
    if (!HasCarriedBytes(lines.join(QString()))) fuzz::Fail("lines read cannot be written back");
    return 0;
  }
  if (ReadLines(copy) != lines) fuzz::Fail("lines written back read as other lines");
  return 0;
}

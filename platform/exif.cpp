#include "platform/exif.h"

#include <QFile>
#include <functional>

namespace platform {
namespace {

// Reads len bytes at offset into buf; false when they are not all there.
using ByteSource = std::function<bool(qint64 offset, uchar* buf, int len)>;

constexpr int kTypeShort = 3;

// Walks IFD0 of a TIFF structure for the orientation tag.
int OrientationFromTiff(const ByteSource& read) {
  uchar header[8];
  if (!read(0, header, 8)) return 0;
  bool little;
  if (header[0] == 'I' && header[1] == 'I') {
    little = true;
  } else if (header[0] == 'M' && header[1] == 'M') {
    little = false;
  } else {
    return 0;
  }
  auto u16 = [little](const uchar* p) -> quint32 {
    return little ? (p[0] | (p[1] << 8)) : ((p[0] << 8) | p[1]);
  };
  auto u32 = [little](const uchar* p) -> quint32 {
    return little ? (quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) |
                     (quint32(p[3]) << 24))
                  : ((quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) |
                     quint32(p[3]));
  };
  if (u16(header + 2) != 42) return 0;
  const qint64 ifd = u32(header + 4);
  uchar countBytes[2];
  if (!read(ifd, countBytes, 2)) return 0;
  const quint32 count = u16(countBytes);
  for (quint32 i = 0; i < count; ++i) {
    uchar entry[12];
    if (!read(ifd + 2 + 12 * qint64(i), entry, 12)) return 0;
    if (u16(entry) != kExifOrientationTag) continue;
    if (u16(entry + 2) != kTypeShort || u32(entry + 4) < 1) return 0;
    return static_cast<int>(u16(entry + 8));  // a single SHORT sits in the value field
  }
  return 0;
}

ByteSource SourceOf(const QByteArray& bytes) {
  return [&bytes](qint64 offset, uchar* buf, int len) {
    if (offset < 0 || offset + len > bytes.size()) return false;
    memcpy(buf, bytes.constData() + offset, static_cast<size_t>(len));
    return true;
  };
}

ByteSource SourceOf(QFile& file) {
  return [&file](qint64 offset, uchar* buf, int len) {
    return offset >= 0 && file.seek(offset) && file.read(reinterpret_cast<char*>(buf), len) == len;
  };
}

// Finds the first APP1 "Exif" segment before the image data.
int OrientationFromJpeg(QFile& file) {
  if (!file.seek(2)) return 0;
  for (;;) {
    char c;
    if (!file.getChar(&c) || uchar(c) != 0xFF) return 0;
    uchar marker;
    do {  // fill bytes
      if (!file.getChar(&c)) return 0;
      marker = uchar(c);
    } while (marker == 0xFF);
    if (marker == 0xD9 || marker == 0xDA) return 0;  // end of image, start of scan
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // no length
    uchar lengthBytes[2];
    if (file.read(reinterpret_cast<char*>(lengthBytes), 2) != 2) return 0;
    const int length = (lengthBytes[0] << 8) | lengthBytes[1];
    if (length < 2) return 0;
    const qint64 body = file.pos();
    if (marker == 0xE1 && length >= 8) {
      const QByteArray data = file.read(length - 2);
      if (data.size() != length - 2) return 0;
      if (data.startsWith(QByteArray("Exif\0\0", 6))) return ReadTiffOrientation(data.mid(6));
    }
    if (!file.seek(body + length - 2)) return 0;
  }
}

int g_lastToken = 0;
int g_liveTokens = 0;

}  // namespace

int ReadTiffOrientation(const QByteArray& tiff) { return OrientationFromTiff(SourceOf(tiff)); }

int ReadExifOrientation(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return 0;
  const QByteArray magic = file.read(4);
  if (magic.size() == 4 && uchar(magic[0]) == 0xFF && uchar(magic[1]) == 0xD8) {
    return OrientationFromJpeg(file);
  }
  if (magic == QByteArray("II*\0", 4) || magic == QByteArray("MM\0*", 4)) {
    return OrientationFromTiff(SourceOf(file));
  }
  return 0;
}

int StartExifReader() {
  ++g_liveTokens;
  return ++g_lastToken;
}

void StopExifReader(int token) {
  if (token != 0 && g_liveTokens > 0) --g_liveTokens;
}

bool ExifReaderStarted() { return g_liveTokens > 0; }

}  // namespace platform

#include "platform/wavinfo.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>

namespace platform {

long long WavDurationMs(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return -1;
  const QByteArray head = file.read(12);
  if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE") return -1;
  const qint64 size = file.size();
  quint32 byteRate = 0;
  bool haveFormat = false;
  // Walks the chunks: id, little-endian length, body padded to an even length.
  while (!file.atEnd()) {
    const QByteArray chunk = file.read(8);
    if (chunk.size() < 8) return -1;
    const quint32 length = qFromLittleEndian<quint32>(chunk.constData() + 4);
    const qint64 body = file.pos();
    if (chunk.startsWith("fmt ")) {
      const QByteArray format = file.read(16);
      if (format.size() < 16 || length < 16) return -1;
      byteRate = qFromLittleEndian<quint32>(format.constData() + 8);
      haveFormat = byteRate > 0;
    } else if (chunk.startsWith("data")) {
      if (!haveFormat) return -1;
      const qint64 present = std::min<qint64>(length, size - body);
      return present * 1000 / byteRate;
    }
    if (!file.seek(body + length + (length & 1))) return -1;
  }
  return -1;
}

}  // namespace platform

namespace platform {

QByteArray NarrationWavTemplate() {
  static const unsigned char bytes[44] = {
      'R',  'I',  'F',  'F',  0x24, 0x00, 0x00, 0x00, 'W',  'A',  'V',  'E',  'f',  'm',  't',
      ' ',  0x10, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x22, 0x56, 0x00, 0x00, 0x44, 0xAC,
      0x00, 0x00, 0x02, 0x00, 0x10, 0x00, 'd',  'a',  't',  'a',  0x00, 0x00, 0x00, 0x00};
  return QByteArray(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

bool IsNarrationWavTemplate(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  // One byte more than the template: a longer file is a recording.
  return file.read(45) == NarrationWavTemplate();
}

}  // namespace platform

#pragma once
// Pictures as cameras store them, made by the tests and the timing programs.
#include <QBuffer>
#include <QByteArray>
#include <QDataStream>
#include <QImage>

namespace test_support {

// JPEG data of `image` with an EXIF segment holding the orientation tag.
inline QByteArray JpegWithOrientation(const QImage& image, int orientation, int quality = 95) {
  QByteArray jpeg;
  QBuffer buffer(&jpeg);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "JPEG", quality);
  QByteArray tiff;
  QDataStream out(&tiff, QIODevice::WriteOnly);
  out.setByteOrder(QDataStream::LittleEndian);
  out.writeRawData("II", 2);
  out << quint16(42) << quint32(8) << quint16(1);
  out << quint16(0x0112) << quint16(3) << quint32(1) << quint16(orientation) << quint16(0);
  out << quint32(0);
  const QByteArray body = QByteArray("Exif\0\0", 6) + tiff;
  QByteArray segment;
  segment.append(char(0xFF)).append(char(0xE1));
  segment.append(char((body.size() + 2) >> 8)).append(char((body.size() + 2) & 0xFF));
  segment += body;
  return jpeg.left(2) + segment + jpeg.mid(2);
}

}  // namespace test_support

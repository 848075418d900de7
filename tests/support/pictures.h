#pragma once
// Pictures as cameras store them, made by the tests and the timing programs.
#include <png.h>

#include <QBuffer>
#include <QByteArray>
#include <QDataStream>
#include <QFile>
#include <QImage>
#include <QString>
#include <csetjmp>
#include <cstdio>

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

// `image` as an interlaced (Adam7) PNG file with an alpha channel; false when it could not
// be written.
inline bool SaveInterlacedPng(const QImage& image, const QString& path) {
  const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
  std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  bool ok = false;
  if (png && info && setjmp(png_jmpbuf(png)) == 0) {
    png_init_io(png, file);
    png_set_IHDR(png, info, rgba.width(), rgba.height(), 8, PNG_COLOR_TYPE_RGBA,
                 PNG_INTERLACE_ADAM7, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 1);
    png_write_info(png, info);
    const int passes = png_set_interlace_handling(png);
    for (int pass = 0; pass < passes; ++pass)
      for (int y = 0; y < rgba.height(); ++y) png_write_row(png, rgba.constScanLine(y));
    png_write_end(png, nullptr);
    ok = true;
  }
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0 && ok;
}

}  // namespace test_support

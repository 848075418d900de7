// The imaging control: loading each format, depth conversion, turning, resizing,
// saving and the picture filters, checked on the pixels and files they produce.
#include <Magick++.h>
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>
#include <algorithm>
#include <cmath>

#include "platform/imaging.h"
#include "platform/vberror.h"
#include "tests/support/pictures.h"
#include "tests/support/small_disk.h"

using platform::ImagingControl;
using platform::VbError;

namespace {

// Four coloured quadrants, so a wrong turn or mirror shows.
QImage Quadrants(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  QPainter p(&img);
  p.fillRect(0, 0, w / 2, h / 2, QColor(255, 0, 0));
  p.fillRect(w / 2, 0, w - w / 2, h / 2, QColor(0, 255, 0));
  p.fillRect(0, h / 2, w / 2, h - h / 2, QColor(0, 0, 255));
  p.fillRect(w / 2, h / 2, w - w / 2, h - h / 2, QColor(255, 255, 0));
  return img;
}

// Every pixel distinct.
QImage Unique(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(x * 20 + 5, y * 30 + 5, (x + y) * 7));
  return img;
}

bool Near(QRgb a, QRgb b, int tolerance) {
  return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
         std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

void WriteWithMagick(const QImage& picture, const QString& path, const char* format,
                     bool bilevel = false) {
  static bool ready = false;
  if (!ready) {
    Magick::InitializeMagick(nullptr);
    ready = true;
  }
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
  Magick::Image image(rgb.width(), rgb.height(), "BGRP", Magick::CharPixel, rgb.constBits());
  if (bilevel) image.type(MagickCore::BilevelType);
  image.magick(format);
  image.write(path.toStdString());
}

QByteArray ReadBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

int ErrorNumberOf(const std::function<void()>& step) {
  try {
    step();
  } catch (const VbError& e) {
    return e.Number();
  }
  return 0;
}

class ImagingTest : public ::testing::Test {
 protected:
  QString Path(const QString& name) const { return dir.filePath(name); }
  QTemporaryDir dir;
  ImagingControl lead;
};

// ---------------------------------------------------------------- loading formats

struct FormatCase {
  const char* name;          // file name
  const char* magickFormat;  // nullptr: written by Qt
  bool lossless;
  int bits;  // expected ImageBitsPerPixel after loading
};

class ImagingLoadTest : public ImagingTest, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(ImagingLoadTest, LoadsSizeBitsAndColours) {
  const FormatCase c = GetParam();
  const QImage source = Quadrants(16, 8);
  const QString path = Path(c.name);
  if (c.magickFormat) {
    WriteWithMagick(source, path, c.magickFormat);
  } else {
    ASSERT_TRUE(source.save(path));
  }
  lead.LoadImageFile(path, 0, 0);
  ASSERT_TRUE(lead.HasImage());
  EXPECT_EQ(lead.ImageWidth(), 16);
  EXPECT_EQ(lead.ImageHeight(), 8);
  EXPECT_EQ(lead.ImageBitsPerPixel(), c.bits);
  lead.SetColorResolution(24, 4, 0, 0);
  EXPECT_EQ(lead.ImageBitsPerPixel(), 24);
  const QImage got = lead.ImagePicture();
  EXPECT_EQ(got.format(), QImage::Format_RGB32);
  const int tolerance = c.lossless ? 0 : 40;
  for (QPoint p : {QPoint(1, 1), QPoint(14, 1), QPoint(1, 6), QPoint(14, 6)}) {
    EXPECT_TRUE(Near(got.pixel(p), source.pixel(p), tolerance))
        << c.name << " at " << p.x() << "," << p.y() << ": " << std::hex << got.pixel(p);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, ImagingLoadTest,
    ::testing::Values(FormatCase{"a.png", nullptr, true, 24},
                      FormatCase{"a.bmp", nullptr, true, 24},
                      FormatCase{"a.jpg", nullptr, false, 24},
                      FormatCase{"a.tif", nullptr, true, 24}, FormatCase{"a.tga", "TGA", true, 24},
                      FormatCase{"a.gif", "GIF", true, 24}, FormatCase{"a.pcx", "PCX", true, 24},
                      FormatCase{"a.psd", "PSD", true, 24}, FormatCase{"a.ras", "SUN", true, 24},
                      FormatCase{"a.pct", "PICT", true, 24}),
    [](const auto& info) {
      QString n = QString::fromLatin1(info.param.name);
      return n.replace('.', '_').toStdString();
    });

TEST_F(ImagingTest, BilevelCalsLoadsAsOneBit) {
  QImage bw(32, 16, QImage::Format_RGB32);
  bw.fill(Qt::white);
  QPainter(&bw).fillRect(0, 0, 16, 16, Qt::black);
  const QString path = Path("fax.cal");
  WriteWithMagick(bw, path, "CALS", true);
  lead.LoadImageFile(path);
  EXPECT_EQ(lead.ImageBitsPerPixel(), 1);
  lead.SetColorResolution(24);
  EXPECT_EQ(lead.ImagePicture().pixel(2, 2), qRgb(0, 0, 0));
  EXPECT_EQ(lead.ImagePicture().pixel(30, 2), qRgb(255, 255, 255));
}

TEST_F(ImagingTest, MisnamedPictureIsReadByItsContent) {
  const QImage source = Quadrants(10, 6);
  ASSERT_TRUE(source.save(Path("really_png.pcx"), "PNG"));
  ASSERT_TRUE(source.save(Path("really_bmp.jpg"), "BMP"));
  WriteWithMagick(source, Path("really_pcx.jpg"), "PCX");
  for (const char* name : {"really_png.pcx", "really_bmp.jpg", "really_pcx.jpg"}) {
    lead.LoadImageFile(Path(name));
    EXPECT_EQ(lead.ImagePicture().pixel(9, 5), source.pixel(9, 5)) << name;
  }
}

TEST_F(ImagingTest, TransparentPngTurnsWhiteAt24Bits) {
  QImage argb(4, 4, QImage::Format_ARGB32);
  argb.fill(Qt::transparent);
  argb.setPixel(0, 0, qRgba(255, 0, 0, 255));
  ASSERT_TRUE(argb.save(Path("t.png")));
  lead.LoadImageFile(Path("t.png"));
  EXPECT_EQ(lead.ImageBitsPerPixel(), 32);
  lead.SetColorResolution(24, 4, 0, 0);
  EXPECT_EQ(lead.ImagePicture().pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(lead.ImagePicture().pixel(3, 3), qRgb(255, 255, 255));
}

TEST_F(ImagingTest, UnreadableFilesThrowAndKeepTheHeldPicture) {
  ASSERT_TRUE(Quadrants(8, 8).save(Path("good.png")));
  lead.LoadImageFile(Path("good.png"));
  ASSERT_TRUE(WriteBytes(Path("text.jpg"), "this is not a picture\r\n"));
  ASSERT_TRUE(WriteBytes(Path("empty.png"), ""));
  ASSERT_TRUE(WriteBytes(Path("junk.psd"), QByteArray(300, '\x17')));
  ASSERT_TRUE(WriteBytes(Path("page.eps"), "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 10 10\n"));
  // A drawing script must never be run as a picture, whatever its name.
  ASSERT_TRUE(WriteBytes(Path("script.jpg"), "viewbox 0 0 10 10\nfill red\nrectangle 0 0 9 9\n"));
  struct {
    const char* name;
    int error;
  } cases[] = {
      {"missing.jpg", platform::kErrFileNotFound}, {"text.jpg", platform::kErrImageFormat},
      {"empty.png", platform::kErrImageFormat},    {"junk.psd", platform::kErrImageFormat},
      {"page.eps", platform::kErrImageFormat},     {"script.jpg", platform::kErrImageFormat}};
  for (const auto& c : cases) {
    EXPECT_EQ(ErrorNumberOf([&] { lead.LoadImageFile(Path(c.name), 0, 0); }), c.error) << c.name;
    EXPECT_EQ(ErrorNumberOf([&] { lead.QueryImageFile(Path(c.name), 0); }), c.error) << c.name;
    EXPECT_EQ(lead.ImageWidth(), 8) << c.name;
  }
  EXPECT_EQ(ErrorNumberOf([&] { lead.LoadImageFile(dir.path()); }), platform::kErrFileNotFound);
}

// Little-endian fields of crafted headers.
QByteArray Le16(int v) {
  QByteArray b(2, '\0');
  b[0] = char(v & 0xFF);
  b[1] = char((v >> 8) & 0xFF);
  return b;
}
QByteArray Le32(quint32 v) { return Le16(int(v & 0xFFFF)) + Le16(int(v >> 16)); }
QByteArray Be32(quint32 v) {
  QByteArray b = Le32(v);
  std::reverse(b.begin(), b.end());
  return b;
}

// A PNG chunk with its checksum, so that the reader trusts the header.
QByteArray PngChunk(const QByteArray& type, const QByteArray& data) {
  quint32 crc = 0xFFFFFFFFu;
  for (const char c : type + data) {
    crc ^= static_cast<quint8>(c);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return Be32(static_cast<quint32>(data.size())) + type + data + Be32(~crc);
}

TEST_F(ImagingTest, TinyFilesDeclaringHugePicturesAreRefusedAsUnreadable) {
  const QByteArray bmp = "BM" + Le32(162) + Le32(0) + Le32(54) + Le32(40) + Le32(520) +
                         Le32(262152) + Le16(1) + Le16(24) + Le32(0) + Le32(0) + Le32(2835) +
                         Le32(2835) + Le32(0) + Le32(0) + QByteArray(108, '\x55');
  const QByteArray png =
      "\x89PNG\r\n\x1a\n" +
      PngChunk("IHDR", Be32(30000) + Be32(30000) + QByteArray("\x08\x02\0\0\0", 5)) +
      PngChunk("IDAT", QByteArray("\x78\x9c\x63\x00\x00\x00\x01\x00\x01", 9)) +
      PngChunk("IEND", {});
  const QByteArray gif = "GIF89a" + Le16(65535) + Le16(65535) + QByteArray("\0\0\0", 3) + "," +
                         Le16(0) + Le16(0) + Le16(65535) + Le16(65535) +
                         QByteArray("\0\x02\x02\x44\x01\0;", 7);
  const struct {
    const char* name;
    QByteArray bytes;
  } cases[] = {{"tall.bmp", bmp}, {"wide.png", png}, {"huge.gif", gif}, {"misnamed.pcx", png}};
  ASSERT_TRUE(Quadrants(8, 8).save(Path("good.png")));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(WriteBytes(Path(c.name), c.bytes));
    lead.LoadImageFile(Path("good.png"));
    EXPECT_EQ(ErrorNumberOf([&] { lead.LoadImageFile(Path(c.name)); }), platform::kErrImageFormat);
    EXPECT_EQ(ErrorNumberOf([&] { lead.LoadImageFileScaled(Path(c.name), 1920, 1080); }),
              platform::kErrImageFormat);
    EXPECT_EQ(lead.ImageWidth(), 8);  // the held picture stays
  }
}

TEST_F(ImagingTest, BrokenTiffsAfterATiffSignatureAreReportedNotFatal) {
  // Each used to reach ImageMagick's TIFF coder, whose libtiff handlers then aborted the
  // process at the next TIFF error.
  const QByteArray sig = QByteArrayLiteral("II*\0\x08\0\0\0\x01\0\0\x01\x03\0\x01\0\0\0\x10");
  const QByteArray cases[] = {
      sig,
      QByteArrayLiteral("MM\0*\0\0\0\x08\0\x02\x01\0\0\x03\0\0\0\x01\x7f\xff"),
      sig + QByteArray(200, '\xEE'),
      QByteArrayLiteral("II*\0\xff\xff\xff\x7f"),
  };
  int n = 0;
  for (int round = 0; round < 2; ++round) {
    for (const QByteArray& bytes : cases) {
      for (const char* suffix : {".tif", ".png", ".dat"}) {
        const QString path = Path(QStringLiteral("broken%1%2").arg(n++).arg(suffix));
        ASSERT_TRUE(WriteBytes(path, bytes));
        EXPECT_EQ(ErrorNumberOf([&] { lead.LoadImageFile(path); }), platform::kErrImageFormat)
            << path.toStdString();
        EXPECT_EQ(ErrorNumberOf([&] { lead.QueryImageFile(path, 0); }), platform::kErrImageFormat)
            << path.toStdString();
      }
    }
    // A good TIFF still reads between the broken ones.
    ASSERT_TRUE(Quadrants(8, 8).save(Path("good.tif")));
    lead.LoadImageFile(Path("good.tif"));
    EXPECT_EQ(lead.ImageWidth(), 8);
  }
}

TEST_F(ImagingTest, TruncatedJpegLoadsOrThrowsCleanly) {
  const QImage source = Quadrants(320, 240);
  ASSERT_TRUE(source.save(Path("full.jpg"), "JPEG", 90));
  const QByteArray bytes = ReadBytes(Path("full.jpg"));
  ASSERT_TRUE(WriteBytes(Path("cut.jpg"), bytes.left(bytes.size() * 2 / 3)));
  ASSERT_TRUE(WriteBytes(Path("header_only.jpg"), bytes.left(200)));
  for (const char* name : {"cut.jpg", "header_only.jpg"}) {
    for (bool scaled : {false, true}) {
      ImagingControl c;
      try {
        if (scaled) {
          c.LoadImageFileScaled(Path(name), 80, 60);
        } else {
          c.LoadImageFile(Path(name));
        }
        ASSERT_TRUE(c.HasImage()) << name;
        if (!scaled) EXPECT_EQ(c.ImagePicture().size(), QSize(320, 240)) << name;
        // The top survives a cut in the lower part.
        if (std::string(name) == "cut.jpg") {
          const QImage img = c.ImagePicture();
          EXPECT_TRUE(Near(img.pixel(img.width() / 8, img.height() / 8), qRgb(255, 0, 0), 40));
        }
      } catch (const VbError& e) {
        EXPECT_EQ(e.Number(), platform::kErrImageFormat) << name;
        EXPECT_FALSE(c.HasImage());
      }
    }
  }
}

TEST_F(ImagingTest, QueryTellsSizeAndDepthWithoutLoading) {
  ASSERT_TRUE(Quadrants(30, 20).save(Path("q.png")));
  ASSERT_TRUE(Quadrants(31, 21).save(Path("q.jpg")));
  WriteWithMagick(Quadrants(33, 23), Path("q.pcx"), "PCX");
  QImage gray = Quadrants(12, 10).convertToFormat(QImage::Format_Grayscale8);
  ASSERT_TRUE(gray.save(Path("g.png")));
  struct {
    const char* name;
    int w, h, bits;
  } cases[] = {
      {"q.png", 30, 20, 24}, {"q.jpg", 31, 21, 24}, {"q.pcx", 33, 23, 24}, {"g.png", 12, 10, 8}};
  for (const auto& c : cases) {
    const platform::ImageFileInfo info = lead.QueryImageFile(Path(c.name), 0);
    EXPECT_EQ(info.width, c.w) << c.name;
    EXPECT_EQ(info.height, c.h) << c.name;
    EXPECT_EQ(info.bitsPerPixel, c.bits) << c.name;
    EXPECT_FALSE(info.format.isEmpty()) << c.name;
  }
  EXPECT_FALSE(lead.HasImage());
}

// ---------------------------------------------------------------- depth conversion

TEST_F(ImagingTest, ColourResolutionOneAndEightBits) {
  QImage ramp(64, 16, QImage::Format_RGB32);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 64; ++x) ramp.setPixel(x, y, qRgb(x * 4, 255 - x * 4, y * 16));
  lead.SetImagePicture(ramp);
  EXPECT_EQ(lead.ImageBitsPerPixel(), 24);

  ImagingControl two;
  two.CopyImageFrom(lead);
  two.SetColorResolution(1, 1, 1, 0);
  EXPECT_EQ(two.ImageBitsPerPixel(), 1);
  two.SetColorResolution(24, 4, 0, 0);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 64; ++x) {
      const QRgb c = two.ImagePicture().pixel(x, y);
      ASSERT_TRUE(c == qRgb(0, 0, 0) || c == qRgb(255, 255, 255)) << x << "," << y;
    }

  ImagingControl eight;
  eight.CopyImageFrom(lead);
  eight.SetColorResolution(8);
  EXPECT_EQ(eight.ImageBitsPerPixel(), 8);
  EXPECT_LE(eight.ImagePicture().colorCount(), 256);
  eight.SetColorResolution(24);
  // An optimised palette stays close to every colour.
  for (int x = 0; x < 64; x += 9)
    EXPECT_TRUE(Near(eight.ImagePicture().pixel(x, 5), ramp.pixel(x, 5), 24)) << x;
  // The source control is untouched by conversions of its copies.
  EXPECT_EQ(lead.ImageBitsPerPixel(), 24);
  EXPECT_EQ(lead.ImagePicture().pixel(10, 3), ramp.pixel(10, 3));

  EXPECT_EQ(ErrorNumberOf([&] { lead.SetColorResolution(7); }), platform::kErrInvalidCall);
  ImagingControl empty;
  EXPECT_EQ(ErrorNumberOf([&] { empty.SetColorResolution(24, 4, 0, 0); }), platform::kErrImageNone);
}

// ---------------------------------------------------------------- turning

struct QuarterCase {
  int angle;
  int quarters;  // clockwise quarter turns expected
};

class ImagingQuarterTest : public ImagingTest, public ::testing::WithParamInterface<QuarterCase> {};

TEST_P(ImagingQuarterTest, QuarterTurnsMovePixelsExactly) {
  const QuarterCase c = GetParam();
  const QImage src = Unique(4, 2);
  lead.SetImagePicture(src);
  lead.RotateImage(c.angle, true, Qt::white);
  const QImage got = lead.ImagePicture();
  const bool swap = c.quarters % 2 == 1;
  ASSERT_EQ(got.size(), swap ? QSize(2, 4) : QSize(4, 2));
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) {
      QPoint to;
      switch (c.quarters) {
        case 0:
          to = {x, y};
          break;
        case 1:
          to = {1 - y, x};
          break;
        case 2:
          to = {3 - x, 1 - y};
          break;
        default:
          to = {y, 3 - x};
          break;
      }
      EXPECT_EQ(got.pixel(to), src.pixel(x, y)) << "angle " << c.angle << " from " << x << "," << y;
    }
}

INSTANTIATE_TEST_SUITE_P(Angles, ImagingQuarterTest,
                         ::testing::Values(QuarterCase{9000, 1}, QuarterCase{-9000, 3},
                                           QuarterCase{18000, 2}, QuarterCase{27000, 3},
                                           QuarterCase{45000, 1}, QuarterCase{36000, 0}));

TEST_F(ImagingTest, RotateNinetyPutsBottomLeftCornerTopLeft) {
  // The EXIF orientation 6 turn: the picture's bottom-left corner comes to the top left.
  lead.SetImagePicture(Quadrants(4, 2));
  lead.RotateImage(9000, true, QColor(255, 255, 255));
  EXPECT_EQ(lead.ImageWidth(), 2);
  EXPECT_EQ(lead.ImageHeight(), 4);
  EXPECT_EQ(lead.ImagePicture().pixel(0, 0), qRgb(0, 0, 255));
  EXPECT_EQ(lead.ImagePicture().pixel(1, 0), qRgb(255, 0, 0));
}

TEST_F(ImagingTest, ObliqueTurnGrowsCanvasWithWhiteCorners) {
  QImage red(40, 20, QImage::Format_RGB32);
  red.fill(QColor(200, 0, 0));
  lead.SetImagePicture(red);
  lead.RotateImage(4500, true, QColor(255, 255, 255));
  const int expected = static_cast<int>(std::ceil(60 * std::sqrt(0.5)));
  EXPECT_EQ(lead.ImageWidth(), expected);
  EXPECT_EQ(lead.ImageHeight(), expected);
  const QImage got = lead.ImagePicture();
  const int e = expected - 1;
  for (QPoint corner : {QPoint(0, 0), QPoint(e, 0), QPoint(0, e), QPoint(e, e)})
    EXPECT_EQ(got.pixel(corner), qRgb(255, 255, 255)) << corner.x() << "," << corner.y();
  EXPECT_TRUE(Near(got.pixel(expected / 2, expected / 2), qRgb(200, 0, 0), 2));

  // Without growing, the size stays and the uncovered corners take the fill colour.
  lead.SetImagePicture(red);
  lead.RotateImage(-3000, false, QColor(0, 0, 255));
  EXPECT_EQ(lead.ImagePicture().size(), QSize(40, 20));
  EXPECT_EQ(lead.ImagePicture().pixel(0, 0), qRgb(0, 0, 255));
  EXPECT_TRUE(Near(lead.ImagePicture().pixel(20, 10), qRgb(200, 0, 0), 2));
}

// ---------------------------------------------------------------- resizing

TEST_F(ImagingTest, ResizeGivesExactSize) {
  lead.SetImagePicture(Quadrants(100, 50));
  lead.ResizeImage(33, 77, 0);
  EXPECT_EQ(lead.ImagePicture().size(), QSize(33, 77));
  EXPECT_TRUE(Near(lead.ImagePicture().pixel(2, 2), qRgb(255, 0, 0), 8));
  EXPECT_TRUE(Near(lead.ImagePicture().pixel(30, 74), qRgb(255, 255, 0), 8));
  lead.ResizeImage(3000, 2000, 1);
  EXPECT_EQ(lead.ImagePicture().size(), QSize(3000, 2000));
  for (const std::pair<int, int>& size : {std::pair{0, 10}, std::pair{10, -1}}) {
    EXPECT_EQ(ErrorNumberOf([&] { lead.ResizeImage(size.first, size.second, 0); }),
              platform::kErrInvalidCall);
  }
  ImagingControl empty;
  EXPECT_EQ(ErrorNumberOf([&] { empty.ResizeImage(10, 10, 0); }), platform::kErrImageNone);
  EXPECT_EQ(ErrorNumberOf([&] { empty.RotateImage(9000, true, Qt::white); }),
            platform::kErrImageNone);
}

// ---------------------------------------------------------------- saving

struct SaveCase {
  const char* name;
  int format, bits, quality;
  bool lossless;
};

class ImagingSaveTest : public ImagingTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(ImagingSaveTest, SavedFileReadsBack) {
  const SaveCase c = GetParam();
  const QImage source = Quadrants(64, 32);
  lead.SetImagePicture(source);
  const QString path = Path(c.name);
  ASSERT_EQ(lead.SaveImageFile(path, c.format, c.bits, c.quality, false), 0);
  EXPECT_EQ(lead.ImagePicture().format(), QImage::Format_RGB32);  // the held picture stays
  const QByteArray bytes = ReadBytes(path);
  ASSERT_GT(bytes.size(), 30);
  switch (c.format) {
    case platform::kImageFileBmp:
      EXPECT_TRUE(bytes.startsWith("BM"));
      EXPECT_EQ(static_cast<uchar>(bytes[28]), 24);  // bits per pixel in the header
      break;
    case platform::kImageFileJpeg:
      EXPECT_TRUE(bytes.startsWith("\xFF\xD8\xFF"));
      break;
    case platform::kImageFilePng:
      EXPECT_TRUE(bytes.startsWith("\x89PNG"));
      EXPECT_EQ(static_cast<uchar>(bytes[24]), 8);                    // bit depth
      EXPECT_EQ(static_cast<uchar>(bytes[25]), c.bits == 8 ? 3 : 2);  // palette / true colour
      break;
  }
  ImagingControl back;
  back.LoadImageFile(path, 0, 0);
  back.SetColorResolution(24, 4, 0, 0);
  EXPECT_EQ(back.ImagePicture().size(), QSize(64, 32));
  for (QPoint p : {QPoint(3, 3), QPoint(60, 3), QPoint(3, 28), QPoint(60, 28)})
    EXPECT_TRUE(Near(back.ImagePicture().pixel(p), source.pixel(p), c.lossless ? 0 : 12))
        << c.name << " " << p.x() << "," << p.y();
}

INSTANTIATE_TEST_SUITE_P(
    Formats, ImagingSaveTest,
    ::testing::Values(SaveCase{"copy.bmp", platform::kImageFileBmp, 24, 1, true},
                      SaveCase{"wallp.bmp", platform::kImageFileBmp, 0, 0, true},
                      SaveCase{"copy.jpg", platform::kImageFileJpeg, 24, 10, false},
                      SaveCase{"copy.png", platform::kImageFilePng, 8, 1, true},
                      SaveCase{"full.png", platform::kImageFilePng, 24, 0, true}),
    [](const auto& info) {
      QString n = QString::fromLatin1(info.param.name);
      return n.replace('.', '_').toStdString();
    });

TEST_F(ImagingTest, JpegQualityFactorTradesSizeForFidelity) {
  QImage noise(200, 200, QImage::Format_RGB32);
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 200; ++x)
      noise.setPixel(x, y, qRgb((x * 37 + y * 11) % 256, (x * y) % 256, y));
  lead.SetImagePicture(noise);
  ASSERT_EQ(lead.SaveImageFile(Path("fine.jpg"), platform::kImageFileJpeg, 24, 10, false), 0);
  ASSERT_EQ(lead.SaveImageFile(Path("coarse.jpg"), platform::kImageFileJpeg, 24, 80, false), 0);
  EXPECT_GT(QFile(Path("fine.jpg")).size(), QFile(Path("coarse.jpg")).size());
}

TEST_F(ImagingTest, FailedSaveReportsAndLeavesOldFile) {
  ImagingControl empty;
  EXPECT_NE(empty.SaveImageFile(Path("none.bmp"), platform::kImageFileBmp, 24, 1, false), 0);
  EXPECT_FALSE(QFile::exists(Path("none.bmp")));

  lead.SetImagePicture(Quadrants(8, 8));
  ASSERT_TRUE(WriteBytes(Path("keep.png"), "old contents"));
  EXPECT_NE(lead.SaveImageFile(Path("keep.png"), platform::kImageFilePng, 7, 1, false), 0);
  EXPECT_NE(lead.SaveImageFile(Path("keep.png"), 99, 24, 1, false), 0);
  EXPECT_EQ(ReadBytes(Path("keep.png")), QByteArray("old contents"));
  // A folder that cannot exist (its parent is a file).
  EXPECT_NE(lead.SaveImageFile(Path("keep.png") + "/x.bmp", platform::kImageFileBmp, 24, 1, false),
            0);
  // Saving over a picture replaces it whole, with no temporary file left behind.
  ASSERT_EQ(lead.SaveImageFile(Path("keep.png"), platform::kImageFilePng, 0, 0, false), 0);
  EXPECT_TRUE(ReadBytes(Path("keep.png")).startsWith("\x89PNG"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST_F(ImagingTest, AFullDiskFailsTheSaveAndKeepsTheOldPicture) {
  test_support::SmallDisk disk(64);
  if (!disk.Mounted()) GTEST_SKIP() << disk.WhyNot();
  const QString path = disk.Path("wallp.bmp");
  ASSERT_TRUE(WriteBytes(path, "old picture"));
  lead.SetImagePicture(Quadrants(400, 300));  // some 360 KB as a bitmap
  EXPECT_NE(lead.SaveImageFile(path, platform::kImageFileBmp, 24, 0, false), 0);
  EXPECT_EQ(ReadBytes(path), QByteArray("old picture"));
  EXPECT_EQ(QDir(disk.Path(".")).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

// ---------------------------------------------------------------- scaled JPEG decoding

TEST_F(ImagingTest, ScaledLoadFitsWithinTheBox) {
  ASSERT_TRUE(Quadrants(1600, 1200).save(Path("big.jpg"), "JPEG", 90));
  ASSERT_TRUE(Quadrants(1600, 400).save(Path("wide.png")));
  ASSERT_TRUE(Quadrants(300, 200).save(Path("small.jpg"), "JPEG", 90));
  struct {
    const char* name;
    int boxW, boxH;
    QSize expected;
  } cases[] = {{"big.jpg", 400, 400, {400, 300}},     // 1/4 DCT scale exactly
               {"big.jpg", 500, 300, {400, 300}},     // height limits
               {"big.jpg", 1000, 1000, {1000, 750}},  // decoded at 5/8, then smoothed
               {"wide.png", 800, 800, {800, 200}},    // not a JPEG: full decode, then smoothed
               {"small.jpg", 640, 480, {300, 200}},   // never enlarged
               {"small.jpg", 300, 200, {300, 200}}};
  for (const auto& c : cases) {
    lead.LoadImageFileScaled(Path(c.name), c.boxW, c.boxH);
    EXPECT_EQ(lead.ImagePicture().size(), c.expected)
        << c.name << " in " << c.boxW << "x" << c.boxH;
    EXPECT_LE(lead.ImageWidth(), c.boxW);
    EXPECT_LE(lead.ImageHeight(), c.boxH);
    EXPECT_EQ(lead.ImageBitsPerPixel(), 24);
    const QImage img = lead.ImagePicture();
    EXPECT_TRUE(Near(img.pixel(img.width() - 2, img.height() - 2), qRgb(255, 255, 0), 40))
        << c.name;
  }
  lead.LoadImageFileScaled(Path("big.jpg"), 400, 400);
  EXPECT_EQ(lead.SourceWidth(), 1600);
  EXPECT_EQ(lead.SourceHeight(), 1200);
  EXPECT_EQ(ErrorNumberOf([&] { lead.LoadImageFileScaled(Path("nope.jpg"), 10, 10); }),
            platform::kErrFileNotFound);
}

// PNG and TIFF pictures at least twice the box are read in bands and averaged down; what
// they show must be what a whole decode shows.
TEST_F(ImagingTest, LargePngAndTiffAreReducedToTheSamePicture) {
  const QImage quadrants = Quadrants(1203, 801);  // odd sides: the last blocks are narrower
  // The left half see-through: laid over white.
  QImage halfClear = quadrants.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < halfClear.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(halfClear.scanLine(y));
    for (int x = 0; x < halfClear.width() / 2; ++x) line[x] = qRgba(0, 0, 0, 0);
  }
  struct {
    const char* name;
    QImage picture;
    const char* format;
  } cases[] = {
      {"rgb.png", quadrants, "PNG"},
      {"palette.png", quadrants.convertToFormat(QImage::Format_Indexed8), "PNG"},
      {"grey.png", quadrants.convertToFormat(QImage::Format_Grayscale8), "PNG"},
      {"deep.png", quadrants.convertToFormat(QImage::Format_RGBA64), "PNG"},
      {"clear.png", halfClear, "PNG"},
      {"rgb.tif", quadrants, "TIFF"},
      {"rgb.bmp", quadrants, "BMP"},
      {"clear.tif", halfClear, "TIFF"},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(c.picture.save(Path(c.name), c.format)) << c.name;
    lead.LoadImageFileScaled(Path(c.name), 400, 300);
    const QImage img = lead.ImagePicture();
    EXPECT_EQ(img.size(), QSize(400, 266)) << c.name;
    EXPECT_EQ(lead.SourceWidth(), 1203) << c.name;
    EXPECT_EQ(lead.SourceHeight(), 801) << c.name;
    // What the picture shows laid over white, in the middle of each quadrant.
    QImage shown(c.picture.size(), QImage::Format_RGB32);
    shown.fill(Qt::white);
    QPainter(&shown).drawImage(0, 0, c.picture);
    for (const QPoint at : {QPoint(100, 66), QPoint(300, 66), QPoint(100, 200), QPoint(300, 200)}) {
      const QPoint source(at.x() * 1203 / 400, at.y() * 801 / 266);
      EXPECT_TRUE(Near(img.pixel(at), shown.pixel(source), 12))
          << c.name << " at " << at.x() << "," << at.y();
    }
  }
  // An interlaced PNG comes in passes over the whole picture: it is averaged down to the
  // very pixels of the same picture stored row by row, see-through parts as well, for a
  // reduction by 2 and by 20.
  for (const QImage& picture : {quadrants, halfClear}) {
    ASSERT_TRUE(test_support::SaveInterlacedPng(picture, Path("adam7.png")));
    ASSERT_TRUE(picture.save(Path("rows.png"), "PNG"));
    for (const QSize box : {QSize(400, 300), QSize(60, 40)}) {
      lead.LoadImageFileScaled(Path("adam7.png"), box.width(), box.height());
      const QImage interlaced = lead.ImagePicture();
      lead.LoadImageFileScaled(Path("rows.png"), box.width(), box.height());
      EXPECT_EQ(interlaced.size(), lead.ImagePicture().size());
      EXPECT_TRUE(interlaced == lead.ImagePicture()) << box.width();
    }
  }
  // A BMP's rows, stored bottom up or (a negative height) top down, reduce to the very
  // pixels of the same picture as a PNG.
  {
    ASSERT_TRUE(quadrants.save(Path("rows.png"), "PNG"));
    lead.LoadImageFileScaled(Path("rows.png"), 400, 300);
    const QImage fromPng = lead.ImagePicture();
    ASSERT_TRUE(quadrants.save(Path("up.bmp"), "BMP"));
    QByteArray bmp = ReadBytes(Path("up.bmp"));
    ASSERT_EQ(bmp.mid(28, 2), QByteArray("\x18\x00", 2));  // 24 bits, as the case wants
    const qsizetype offset = qFromLittleEndian<quint32>(bmp.constData() + 10);
    const qsizetype stride = (1203 * 3 + 3) / 4 * 4;
    QByteArray down = bmp.left(offset);
    qToLittleEndian<qint32>(-801, down.data() + 22);
    for (int y = 800; y >= 0; --y) down += bmp.mid(offset + y * stride, stride);
    ASSERT_TRUE(WriteBytes(Path("down.bmp"), down));
    for (const char* name : {"up.bmp", "down.bmp"}) {
      lead.LoadImageFileScaled(Path(name), 400, 300);
      EXPECT_TRUE(lead.ImagePicture() == fromPng) << name;
    }
  }
  // A damaged tail still gives an error or the picture, never a crash.
  QByteArray damaged;
  {
    QFile f(Path("rgb.png"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    damaged = f.readAll();
  }
  damaged.truncate(damaged.size() / 2);
  {
    QFile f(Path("cut.png"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(damaged);
  }
  try {
    lead.LoadImageFileScaled(Path("cut.png"), 400, 300);
    EXPECT_LE(lead.ImageWidth(), 400);
  } catch (const VbError& e) {
    EXPECT_EQ(e.Number(), platform::kErrImageFormat);
  }
}

TEST_F(ImagingTest, ScaledJpegDecodeFillsTheBoxAtAQuarter) {
  QImage photo(4000, 3000, QImage::Format_RGB32);
  for (int y = 0; y < 3000; ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
    for (int x = 0; x < 4000; ++x) line[x] = qRgb(x % 256, y % 256, (x ^ y) % 256);
  }
  ASSERT_TRUE(photo.save(Path("photo.jpg"), "JPEG", 85));
  lead.LoadImageFile(Path("photo.jpg"));
  ASSERT_EQ(lead.ImageWidth(), 4000);
  // Its speed against a whole decode is bench_prepare_picture's.
  ImagingControl small;
  small.LoadImageFileScaled(Path("photo.jpg"), 1000, 750);
  EXPECT_EQ(small.ImagePicture().size(), QSize(1000, 750));
  EXPECT_EQ(small.SourceWidth(), 4000);
}

// ---------------------------------------------------------------- filters

TEST_F(ImagingTest, GrayscaleThenMosaicGivesGreyTiles) {
  QImage ramp(20, 12, QImage::Format_RGB32);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 20; ++x) ramp.setPixel(x, y, qRgb(x * 12, y * 20, 100));
  lead.SetImagePicture(ramp);
  lead.GrayscaleImage();
  EXPECT_EQ(lead.ImageBitsPerPixel(), 8);
  lead.MosaicImage(8);
  lead.SetColorResolution(24, 4, 0, 0);
  const QImage got = lead.ImagePicture();
  ASSERT_EQ(got.size(), QSize(20, 12));
  // Tiles of 8 (the last column and row of tiles are partial), each one grey level.
  const int edges[] = {0, 8, 16, 20};
  const int rows[] = {0, 8, 12};
  for (int ty = 0; ty < 2; ++ty)
    for (int tx = 0; tx < 3; ++tx) {
      const QRgb first = got.pixel(edges[tx], rows[ty]);
      EXPECT_EQ(qRed(first), qGreen(first));
      EXPECT_EQ(qGreen(first), qBlue(first));
      for (int y = rows[ty]; y < rows[ty + 1]; ++y)
        for (int x = edges[tx]; x < edges[tx + 1]; ++x) ASSERT_EQ(got.pixel(x, y), first);
    }
  EXPECT_NE(got.pixel(0, 0), got.pixel(8, 0));
  EXPECT_EQ(ErrorNumberOf([&] { lead.MosaicImage(0); }), platform::kErrInvalidCall);
}

TEST_F(ImagingTest, MirrorsAndNegative) {
  const QImage src = Unique(5, 3);
  struct {
    const char* name;
    std::function<void(ImagingControl&)> apply;
    std::function<QRgb(int, int)> expected;
  } cases[] = {
      {"reverse", [](ImagingControl& c) { c.ReverseImage(); },
       [&](int x, int y) { return src.pixel(4 - x, y); }},
      {"flip", [](ImagingControl& c) { c.FlipImage(); },
       [&](int x, int y) { return src.pixel(x, 2 - y); }},
      {"invert", [](ImagingControl& c) { c.InvertImage(); },
       [&](int x, int y) {
         const QRgb p = src.pixel(x, y);
         return qRgb(255 - qRed(p), 255 - qGreen(p), 255 - qBlue(p));
       }},
  };
  for (const auto& c : cases) {
    ImagingControl control;
    control.SetImagePicture(src);
    c.apply(control);
    control.SetColorResolution(24);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x)
        ASSERT_EQ(control.ImagePicture().pixel(x, y), c.expected(x, y)) << c.name << x << "," << y;
  }
  // A palette picture inverts its colours, not its indexes.
  ImagingControl two;
  two.SetImagePicture(Quadrants(8, 8));
  two.SetColorResolution(1, 1, 0, 0);
  two.InvertImage();
  two.SetColorResolution(24);
  EXPECT_EQ(two.ImagePicture().pixel(6, 6), qRgb(0, 0, 0));  // yellow was white
}

TEST_F(ImagingTest, PencilDrawsDarkOutlinesOnWhitePaper) {
  QImage card(40, 40, QImage::Format_RGB32);
  card.fill(QColor(230, 230, 230));
  QPainter(&card).fillRect(10, 10, 20, 20, QColor(40, 40, 160));
  lead.SetImagePicture(card);
  lead.PencilFilterStep(8);
  lead.GrayscaleImage();
  lead.PencilFinishStep();
  lead.SetColorResolution(24, 4, 0, 0);
  const QImage got = lead.ImagePicture();
  EXPECT_EQ(got.pixel(2, 2), qRgb(255, 255, 255));    // plain paper
  EXPECT_EQ(got.pixel(20, 20), qRgb(255, 255, 255));  // inside the flat square
  EXPECT_LT(qRed(got.pixel(10, 20)), 100);            // its edge is a dark stroke
}

TEST_F(ImagingTest, MetalReliefIsMidGreyOnFlatAreas) {
  QImage card(40, 40, QImage::Format_RGB32);
  card.fill(QColor(90, 150, 30));
  QPainter(&card).fillRect(10, 10, 20, 20, Qt::white);
  lead.SetImagePicture(card);
  lead.MetalFilterStep(0, 700);
  lead.GrayscaleImage();
  lead.SetColorResolution(24);
  const QImage got = lead.ImagePicture();
  EXPECT_TRUE(Near(got.pixel(3, 3), qRgb(128, 128, 128), 1));
  EXPECT_TRUE(Near(got.pixel(20, 20), qRgb(128, 128, 128), 1));
  // Lit from the top: the square's upper edge and lower edge go opposite ways.
  const int top = qRed(got.pixel(20, 10));
  const int bottom = qRed(got.pixel(20, 29));
  EXPECT_TRUE((top > 160 && bottom < 96) || (top < 96 && bottom > 160)) << top << " " << bottom;
}

// ---------------------------------------------------------------- control basics

TEST_F(ImagingTest, CopyReleaseAndVersion) {
  lead.SetImagePicture(Quadrants(6, 4));
  ImagingControl lead2;
  lead2.CopyImageFrom(lead);
  lead.FlipImage();
  EXPECT_EQ(lead2.ImagePicture().pixel(0, 0), qRgb(255, 0, 0));  // the copy is its own
  lead.ReleaseImage();
  EXPECT_FALSE(lead.HasImage());
  EXPECT_EQ(lead.ImageBitsPerPixel(), 0);
  EXPECT_TRUE(lead.ImagePicture().isNull());
  lead2.CopyImageFrom(lead);
  EXPECT_FALSE(lead2.HasImage());
  const QString version = ImagingControl::ImageVersionText();
  EXPECT_GE(version.right(4).toInt(), 1997);
}

}  // namespace

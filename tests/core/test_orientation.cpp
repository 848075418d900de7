// The EXIF orientation of pictures: JPEG files made here with an Exif segment spliced
// in, in both byte orders, TIFF files, and everything that must give 1.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>

#include "core/orientation.h"
#include "platform/exif.h"
#include "tests/support/files.h"

namespace {

QByteArray U16(bool little, quint32 v) {
  QByteArray b(2, '\0');
  b[little ? 0 : 1] = char(v & 0xFF);
  b[little ? 1 : 0] = char((v >> 8) & 0xFF);
  return b;
}

QByteArray U32(bool little, quint32 v) {
  return little ? U16(true, v & 0xFFFF) + U16(true, v >> 16)
                : U16(false, v >> 16) + U16(false, v & 0xFFFF);
}

// A TIFF structure whose IFD0 holds an image-width entry and then the orientation.
QByteArray TiffWithOrientation(bool little, quint32 value, quint32 type = 3) {
  QByteArray t = little ? QByteArray("II") : QByteArray("MM");
  t += U16(little, 42) + U32(little, 8);
  t += U16(little, 2);
  t += U16(little, 0x0100) + U16(little, 3) + U32(little, 1) + U16(little, 640) + U16(little, 0);
  QByteArray valueField = type == 3 ? U16(little, value) + U16(little, 0) : U32(little, value);
  t += U16(little, 0x0112) + U16(little, type) + U32(little, 1) + valueField;
  t += U32(little, 0);  // no next IFD
  return t;
}

QByteArray Segment(uchar marker, const QByteArray& body) {
  QByteArray s;
  s += char(0xFF);
  s += char(marker);
  s += U16(false, body.size() + 2);
  return s + body;
}

QByteArray ExifSegment(const QByteArray& tiff) {
  return Segment(0xE1, QByteArray("Exif\0\0", 6) + tiff);
}

QByteArray PlainJpeg() {
  QImage image(16, 8, QImage::Format_RGB32);
  image.fill(Qt::darkGreen);
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "JPG");
  return buffer.data();
}

// The JPEG with the given segments right after its start-of-image marker.
QByteArray JpegWith(const QByteArray& segments) {
  const QByteArray jpeg = PlainJpeg();
  return jpeg.left(2) + segments + jpeg.mid(2);
}

using OrientationTest = test_support::TempFolderTest;

struct TagCase {
  bool little;
  quint32 value;
  int expected;
};

class OrientationTagTest : public OrientationTest, public ::testing::WithParamInterface<TagCase> {};

TEST_P(OrientationTagTest, JpegGivesTheTurningValuesOnly) {
  const TagCase& c = GetParam();
  const QString path =
      Write("photo.jpg", JpegWith(ExifSegment(TiffWithOrientation(c.little, c.value))));
  ASSERT_FALSE(QImage(path).isNull()) << "the fixture must stay a readable picture";
  EXPECT_EQ(core::GetExifOrientation(path), c.expected);
  EXPECT_EQ(platform::ReadExifOrientation(path), int(c.value));
}

INSTANTIATE_TEST_SUITE_P(
    BothByteOrders, OrientationTagTest,
    ::testing::Values(TagCase{true, 1, 1}, TagCase{true, 3, 3}, TagCase{true, 6, 6},
                      TagCase{true, 8, 8}, TagCase{false, 3, 3}, TagCase{false, 6, 6},
                      TagCase{false, 8, 8},
                      // Mirrored and out-of-range values leave the picture as it is.
                      TagCase{true, 2, 1}, TagCase{false, 4, 1}, TagCase{true, 5, 1},
                      TagCase{false, 7, 1}, TagCase{true, 9, 1}, TagCase{false, 0x0600, 1}));

TEST_F(OrientationTest, ExifAfterOtherApplicationSegmentsIsFound) {
  const QByteArray xmp = Segment(0xE1, QByteArray("http://ns.adobe.com/xap/1.0/\0<x/>", 33));
  const QByteArray comment = Segment(0xFE, "made for a test");
  const QString path =
      Write("late.jpg", JpegWith(xmp + comment + ExifSegment(TiffWithOrientation(false, 6))));
  EXPECT_EQ(core::GetExifOrientation(path), 6);
}

TEST_F(OrientationTest, PicturesWithoutAUsableTagGiveOne) {
  const QByteArray tiff = TiffWithOrientation(true, 6);
  QByteArray badOffset = tiff;
  badOffset.replace(4, 4, U32(true, 5000));  // IFD0 beyond the segment
  QByteArray png;
  {
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImage(4, 4, QImage::Format_RGB32).save(&buffer, "PNG");
  }
  QByteArray bmp;
  {
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    QImage(4, 4, QImage::Format_RGB32).save(&buffer, "BMP");
  }
  const QByteArray full = JpegWith(ExifSegment(tiff));
  const std::pair<const char*, QByteArray> cases[] = {
      {"plain.jpg", PlainJpeg()},
      {"bad_offset.jpg", JpegWith(ExifSegment(badOffset))},
      {"long_type.jpg", JpegWith(ExifSegment(TiffWithOrientation(true, 6, 4)))},
      {"not_tiff.jpg", JpegWith(ExifSegment("XX*\0\0\0\0\0"))},
      {"cut_in_segment.jpg", full.left(30)},
      {"only_soi.jpg", QByteArray("\xFF\xD8", 2)},
      {"empty.jpg", QByteArray()},
      {"picture.png", png},
      {"picture.bmp", bmp},
  };
  for (const auto& [name, bytes] : cases) {
    EXPECT_EQ(core::GetExifOrientation(Write(name, bytes)), 1) << name;
  }
  EXPECT_EQ(core::GetExifOrientation(dir_.filePath("missing.jpg")), 1);
  EXPECT_EQ(core::GetExifOrientation(dir_.path()), 1);
}

TEST_F(OrientationTest, TiffFilesInBothByteOrders) {
  EXPECT_EQ(core::GetExifOrientation(Write("ii.tif", TiffWithOrientation(true, 8))), 8);
  EXPECT_EQ(core::GetExifOrientation(Write("mm.tif", TiffWithOrientation(false, 3))), 3);
}

TEST_F(OrientationTest, TiffWrittenByQtWithATurn) {
  const QString path = dir_.filePath("turned.tif");
  QImageWriter writer(path, "tiff");
  if (!writer.supportsOption(QImageIOHandler::ImageTransformation)) {
    GTEST_SKIP() << "no TIFF writer with transformations";
  }
  writer.setTransformation(QImageIOHandler::TransformationRotate90);
  QImage image(6, 4, QImage::Format_RGB32);
  image.fill(Qt::blue);
  ASSERT_TRUE(writer.write(image));
  EXPECT_EQ(core::GetExifOrientation(path), 6);
}

TEST(ExifReaderLifetime, StartAndStopBracketTheRun) {
  core::StopGdiplus();
  EXPECT_EQ(core::GdiplusToken(), 0);
  core::StopGdiplus();  // a second stop does nothing
  EXPECT_EQ(core::GdiplusToken(), 0);
  EXPECT_FALSE(platform::ExifReaderStarted());

  core::StartGdiplus();
  const int token = core::GdiplusToken();
  EXPECT_NE(token, 0);
  core::StartGdiplus();  // already started
  EXPECT_EQ(core::GdiplusToken(), token);
  EXPECT_TRUE(platform::ExifReaderStarted());

  core::StopGdiplus();
  EXPECT_FALSE(platform::ExifReaderStarted());
  // A lookup after the stop starts the reader again.
  EXPECT_EQ(core::GetExifOrientation("/nonexistent/picture.jpg"), 1);
  EXPECT_NE(core::GdiplusToken(), 0);
  core::StopGdiplus();
}

}  // namespace

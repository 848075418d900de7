// Progressive JPEG decoding with packed coefficients: the pixels are exactly those of
// libjpeg's own decoding at the same scale, for whole, cut and broken files.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

// After <cstdio>: jpeglib.h uses FILE and size_t without including their headers.
#include <jpeglib.h>

#include "platform/imaging_codecs.h"
#include "platform/jpeg_coefficients.h"

using platform::imaging_detail::DecodeJpegFileReduced;
using platform::imaging_detail::JpegCoefficientStore;

namespace {

struct Failure {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

void FailureExit(j_common_ptr info) {
  std::longjmp(reinterpret_cast<Failure*>(info->err)->jump, 1);
}

void Quiet(j_common_ptr, int) {}

// A photograph-like picture: gradients, hard edges and a little grain.
QImage Photo(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  QRandomGenerator grain(7);
  for (int y = 0; y < h; ++y) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < w; ++x) {
      const int n = static_cast<int>(grain.bounded(9)) - 4;
      const int edge = ((x / 37 + y / 23) % 3) * 40;
      line[x] =
          qRgb(std::clamp(x * 255 / w + n, 0, 255), std::clamp(y * 255 / h + edge + n, 0, 255),
               std::clamp((x + y) * 200 / (w + h) + 30 + n, 0, 255));
    }
  }
  return img;
}

QByteArray WriteWithQt(const QImage& image) {
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpeg");
  writer.setQuality(90);
  writer.setProgressiveScanWrite(true);
  if (!writer.write(image)) return {};
  return data;
}

// A progressive file from libjpeg itself: `hs` x `vs` luma sampling, or grey.
QByteArray WriteWithLibjpeg(const QImage& image, bool grey, int hs, int vs) {
  const QImage source = grey ? image.convertToFormat(QImage::Format_Grayscale8) : image;
  jpeg_compress_struct info;
  Failure failure;
  info.err = jpeg_std_error(&failure.manager);
  failure.manager.error_exit = FailureExit;
  unsigned char* bytes = nullptr;
  unsigned long size = 0;
  if (setjmp(failure.jump) != 0) {
    jpeg_destroy_compress(&info);
    std::free(bytes);
    return {};
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &bytes, &size);
  info.image_width = static_cast<JDIMENSION>(source.width());
  info.image_height = static_cast<JDIMENSION>(source.height());
  info.input_components = grey ? 1 : 4;
  info.in_color_space = grey ? JCS_GRAYSCALE : JCS_EXT_BGRX;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 90, TRUE);
  if (!grey) {
    info.comp_info[0].h_samp_factor = hs;
    info.comp_info[0].v_samp_factor = vs;
  }
  jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<uchar*>(source.constScanLine(static_cast<int>(info.next_scanline)));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  QByteArray data(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(size));
  std::free(bytes);
  return data;
}

struct Decoded {
  bool ok = false;
  int width = 0;
  int height = 0;
  std::vector<unsigned char> pixels;  // B G R X or grey, rows packed
};

// libjpeg's decoding at `eighths` / 8, as the slide show's (B G R X or grey), with its own
// arrays or with `store`'s.
bool DecodeWith(const QByteArray& data, unsigned eighths, JpegCoefficientStore* store,
                Decoded* out) {
  jpeg_decompress_struct info;
  Failure failure;
  info.err = jpeg_std_error(&failure.manager);
  failure.manager.error_exit = FailureExit;
  failure.manager.emit_message = Quiet;
  if (setjmp(failure.jump) != 0) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.constData()),
               static_cast<unsigned long>(data.size()));
  jpeg_read_header(&info, TRUE);
  if (store) store->Attach(&info);
  info.scale_num = eighths;
  info.scale_denom = 8;
  info.out_color_space = info.jpeg_color_space == JCS_GRAYSCALE ? JCS_GRAYSCALE : JCS_EXT_BGRX;
  jpeg_start_decompress(&info);
  out->width = static_cast<int>(info.output_width);
  out->height = static_cast<int>(info.output_height);
  const std::size_t rowBytes = std::size_t{info.output_width} * info.output_components;
  out->pixels.assign(rowBytes * info.output_height, 0);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = out->pixels.data() + rowBytes * info.output_scanline;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

Decoded Decode(const QByteArray& data, unsigned eighths, JpegCoefficientStore* store) {
  Decoded out;
  out.ok = DecodeWith(data, eighths, store, &out);
  return out;
}

// The program's decoder's picture as rows of B G R X (X forced to 0xff) or grey.
std::vector<unsigned char> Rows(const QImage& image) {
  std::vector<unsigned char> rows;
  const int rowBytes = image.width() * (image.format() == QImage::Format_Grayscale8 ? 1 : 4);
  for (int y = 0; y < image.height(); ++y) {
    rows.insert(rows.end(), image.constScanLine(y), image.constScanLine(y) + rowBytes);
  }
  return rows;
}

struct Input {
  const char* name;
  QByteArray data;
};

std::vector<Input> Inputs() {
  return {
      {"Qt 4:2:0", WriteWithQt(Photo(640, 480))},
      {"4:2:0 odd size", WriteWithLibjpeg(Photo(333, 247), false, 2, 2)},
      {"4:2:2 odd size", WriteWithLibjpeg(Photo(250, 131), false, 2, 1)},
      {"4:4:4 odd size", WriteWithLibjpeg(Photo(201, 133), false, 1, 1)},
      {"grey odd size", WriteWithLibjpeg(Photo(257, 99), true, 1, 1)},
  };
}

// The same picture through both decoders, with the packed store freed at the end.
void ExpectSameDecode(const QByteArray& data, unsigned eighths, const std::string& what) {
  SCOPED_TRACE(what + " at " + std::to_string(eighths) + "/8");
  const Decoded plain = Decode(data, eighths, nullptr);
  JpegCoefficientStore store;
  const Decoded packed = Decode(data, eighths, &store);
  ASSERT_TRUE(plain.ok);
  ASSERT_TRUE(packed.ok);
  EXPECT_GT(store.FullBytes(), 0u);  // the store held the coefficients
  EXPECT_EQ(store.HeldBytes(), 0u);  // and gave them all back
  EXPECT_EQ(packed.width, plain.width);
  EXPECT_EQ(packed.height, plain.height);
  EXPECT_TRUE(packed.pixels == plain.pixels);
}

TEST(JpegCoefficientsTest, PackedDecodeEqualsLibjpegsAtEveryScale) {
  for (const Input& input : Inputs()) {
    ASSERT_FALSE(input.data.isEmpty()) << input.name;
    for (unsigned eighths = 1; eighths <= 8; ++eighths) {
      ExpectSameDecode(input.data, eighths, input.name);
    }
  }
}

TEST(JpegCoefficientsTest, PackedCoefficientsTakeAFractionOfLibjpegsArrays) {
  const QByteArray data = WriteWithQt(Photo(1200, 800));
  JpegCoefficientStore store;
  const Decoded packed = Decode(data, 3, &store);
  ASSERT_TRUE(packed.ok);
  EXPECT_LT(store.PeakBytes() * 2, store.FullBytes());
  EXPECT_EQ(store.HeldBytes(), 0u);
}

// Where each scan's coded data starts, and where the next marker is after it.
std::vector<std::pair<qsizetype, qsizetype>> ScanData(const QByteArray& data) {
  std::vector<std::pair<qsizetype, qsizetype>> scans;
  for (qsizetype sos = data.indexOf(QByteArray("\xFF\xDA", 2)); sos > 0;
       sos = data.indexOf(QByteArray("\xFF\xDA", 2), sos + 2)) {
    const qsizetype begin =
        sos + 2 + (static_cast<uchar>(data[sos + 2]) << 8) + static_cast<uchar>(data[sos + 3]);
    qsizetype end = begin;
    while (end + 1 < data.size()) {
      const uchar next = static_cast<uchar>(data[end + 1]);
      if (static_cast<uchar>(data[end]) == 0xFF && next != 0 && (next < 0xD0 || next > 0xD7)) break;
      ++end;
    }
    scans.emplace_back(begin, end);
  }
  return scans;
}

// A file cut in the middle of a scan keeps the scans before it (the rest of the picture
// grey or blurred, smoothed from its neighbours): every scale gives what libjpeg gives.
TEST(JpegCoefficientsTest, CutFileGivesLibjpegsDecodedPart) {
  for (const Input& input : Inputs()) {
    const auto scans = ScanData(input.data);
    ASSERT_GE(scans.size(), 4u) << input.name;
    for (const std::size_t scan :
         {std::size_t{0}, std::size_t{1}, scans.size() / 2, scans.size() - 1}) {
      const auto [begin, end] = scans[scan];
      const QByteArray cut = input.data.left((begin + end) / 2);
      for (unsigned eighths = 1; eighths <= 8; ++eighths) {
        ExpectSameDecode(cut, eighths,
                         std::string(input.name) + " cut in scan " + std::to_string(scan));
      }
    }
  }
}

// Invalid scan parameters in a later scan stop libjpeg through longjmp mid-decode.
TEST(JpegCoefficientsTest, BrokenLaterScanFailsAndFreesEverything) {
  QByteArray data = WriteWithQt(Photo(320, 240));
  const qsizetype sos = data.lastIndexOf(QByteArray("\xFF\xDA", 2));
  ASSERT_GT(sos, 0);
  const int components = static_cast<uchar>(data[sos + 4]);
  const qsizetype ss = sos + 5 + 2 * components;
  data[ss] = 5;  // spectral start after its end
  data[ss + 1] = 2;
  JpegCoefficientStore store;
  EXPECT_FALSE(Decode(data, 4, nullptr).ok);
  EXPECT_FALSE(Decode(data, 4, &store).ok);
  EXPECT_GT(store.PeakBytes(), 0u);
  EXPECT_EQ(store.HeldBytes(), 0u);
}

// The program's own decoder: the picture of a whole and of a cut progressive file.
TEST(JpegCoefficientsTest, ShowDecoderGivesLibjpegsPixels) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QByteArray whole = WriteWithQt(Photo(900, 601));
  struct Case {
    const char* name;
    QByteArray data;
  };
  for (const Case& c : {Case{"whole.jpg", whole}, Case{"cut.jpg", whole.left(whole.size() / 2)}}) {
    SCOPED_TRACE(c.name);
    const QString path = dir.filePath(c.name);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(c.data), c.data.size());
    ASSERT_TRUE(file.flush());
    file.close();
    // 300 x 200 asks for 3/8: 338 x 226.
    const QImage shown = DecodeJpegFileReduced(path, 300, 200);
    Decoded plain = Decode(c.data, 3, nullptr);
    ASSERT_TRUE(plain.ok);
    for (std::size_t i = 3; i < plain.pixels.size(); i += 4) plain.pixels[i] = 0xff;
    ASSERT_EQ(shown.size(), QSize(plain.width, plain.height));
    EXPECT_TRUE(Rows(shown) == plain.pixels);
  }
}

}  // namespace

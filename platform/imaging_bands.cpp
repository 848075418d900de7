// Large PNG and TIFF pictures read a band of rows at a time and reduced as the rows come,
// so that a show never holds a picture of tens of megapixels whole when it shows it at a
// fraction of its size.
#include <png.h>
#include <tiffio.h>

#include <QFile>
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

#include "platform/imaging_codecs.h"

namespace platform::imaging_detail {

namespace {

// Averages k x k blocks of incoming rows into the output picture (the last blocks of a
// side may be narrower). Transparent pixels are laid over white, as the show wants them.
class BlockReducer {
 public:
  BlockReducer(int width, int height, int k)
      : width_(width),
        height_(height),
        k_(k),
        out_((width + k - 1) / k, (height + k - 1) / k, QImage::Format_RGB32),
        sums_(static_cast<size_t>(out_.width()) * 3, 0) {}

  bool Valid() const { return !out_.isNull(); }

  // One source row of `width` pixels, r g b a bytes each; premultiplied tells whether the
  // colours are already weighted by their alpha.
  void AddRow(const uchar* rgba, bool premultiplied) {
    for (int ox = 0, x = 0; ox < out_.width(); ++ox) {
      const int end = std::min(x + k_, width_);
      uint32_t r = 0, g = 0, b = 0;
      for (; x < end; ++x, rgba += 4) {
        const uint32_t a = rgba[3];
        if (a == 255) {
          r += rgba[0];
          g += rgba[1];
          b += rgba[2];
        } else {
          const uint32_t white = 255 - a;
          r += (premultiplied ? rgba[0] : rgba[0] * a / 255) + white;
          g += (premultiplied ? rgba[1] : rgba[1] * a / 255) + white;
          b += (premultiplied ? rgba[2] : rgba[2] * a / 255) + white;
        }
      }
      uint32_t* s = &sums_[static_cast<size_t>(ox) * 3];
      s[0] += r;
      s[1] += g;
      s[2] += b;
    }
    ++rowsInBlock_;
    ++rowsSeen_;
    if (rowsInBlock_ == k_ || rowsSeen_ == height_) EmitRow();
  }

  QImage Take() { return rowsSeen_ == height_ ? std::move(out_) : QImage(); }

 private:
  void EmitRow() {
    auto* line = reinterpret_cast<QRgb*>(out_.scanLine(outRow_));
    for (int ox = 0; ox < out_.width(); ++ox) {
      const uint32_t cols = std::min(k_, width_ - ox * k_);
      const uint32_t n = cols * static_cast<uint32_t>(rowsInBlock_);
      uint32_t* s = &sums_[static_cast<size_t>(ox) * 3];
      line[ox] = qRgb((s[0] + n / 2) / n, (s[1] + n / 2) / n, (s[2] + n / 2) / n);
      s[0] = s[1] = s[2] = 0;
    }
    rowsInBlock_ = 0;
    ++outRow_;
  }

  int width_, height_, k_;
  QImage out_;
  std::vector<uint32_t> sums_;
  int rowsInBlock_ = 0;
  int rowsSeen_ = 0;
  int outRow_ = 0;
};

// The largest whole reduction that still covers minWidth x minHeight; 1 when none does.
int ReductionFor(int width, int height, int minWidth, int minHeight) {
  if (minWidth < 1 || minHeight < 1) return 1;
  return std::max(1, std::min(width / minWidth, height / minHeight));
}

struct PngFailure {
  std::jmp_buf jump;
};

void PngError(png_structp png, png_const_charp) {
  auto* failure = static_cast<PngFailure*>(png_get_error_ptr(png));
  std::longjmp(failure->jump, 1);
}

void PngWarning(png_structp, png_const_charp) {}

}  // namespace

QImage DecodePngReduced(const QString& path, int minWidth, int minHeight) {
  std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "rb");
  if (!file) return {};
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> closer(file, std::fclose);
  png_byte signature[8];
  if (std::fread(signature, 1, 8, file) != 8 || png_sig_cmp(signature, 0, 8) != 0) return {};

  PngFailure failure;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &failure, PngError, PngWarning);
  if (!png) return {};
  png_infop info = png_create_info_struct(png);
  // Everything with a destructor lives before the jump point: libpng's errors come back
  // through longjmp.
  std::vector<uchar> row;
  std::optional<BlockReducer> reducer;
  QImage result;
  if (setjmp(failure.jump) != 0) {
    png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    return {};
  }
  if (!info) png_error(png, "no memory");
  png_init_io(png, file);
  png_set_sig_bytes(png, 8);
  png_read_info(png, info);
  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  const int k =
      ReductionFor(static_cast<int>(width), static_cast<int>(height), minWidth, minHeight);
  // Interlaced pictures come in passes over the whole picture; small reductions gain little.
  const bool banded = k >= 2 && png_get_interlace_type(png, info) == PNG_INTERLACE_NONE &&
                      WithinPixelBound(width, height, kMaxReducedJpegPixels);
  if (banded) {
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);  // no effect when alpha is already there
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) == static_cast<size_t>(width) * 4) {
      row.resize(static_cast<size_t>(width) * 4);
      reducer.emplace(static_cast<int>(width), static_cast<int>(height), k);
      if (reducer->Valid()) {
        for (png_uint_32 y = 0; y < height; ++y) {
          png_read_row(png, row.data(), nullptr);
          reducer->AddRow(row.data(), false);
        }
        result = reducer->Take();
      }
    }
  }
  png_destroy_read_struct(&png, &info, nullptr);
  return result;
}

QImage DecodeTiffReduced(const QString& path, int minWidth, int minHeight) {
  ResetTiffHandlers();
  TIFF* tif = TIFFOpen(QFile::encodeName(path).constData(), "rm");
  if (!tif) return {};
  const std::unique_ptr<TIFF, void (*)(TIFF*)> closer(tif, TIFFClose);
  uint32_t width = 0, height = 0;
  TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width);
  TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height);
  if (!WithinPixelBound(width, height, kMaxReducedJpegPixels)) return {};
  const int k =
      ReductionFor(static_cast<int>(width), static_cast<int>(height), minWidth, minHeight);
  if (k < 2) return {};

  // A band is a whole number of the file's strips or tiles, so that each is decoded once.
  uint32_t band = 0;
  if (TIFFIsTiled(tif)) {
    TIFFGetField(tif, TIFFTAG_TILELENGTH, &band);
  } else if (!TIFFGetField(tif, TIFFTAG_ROWSPERSTRIP, &band)) {
    band = height;
  }
  band = std::clamp<uint32_t>(band, 1, height);
  if (band < 64) band = std::min<uint32_t>(height, (64 / band + 1) * band);
  // One strip as large as the whole picture gains nothing over a whole decode.
  if (static_cast<unsigned long long>(band) * width * 4 > (64ull << 20)) return {};

  char message[1024] = {};
  if (!TIFFRGBAImageOK(tif, message)) return {};
  TIFFRGBAImage image;
  if (!TIFFRGBAImageBegin(&image, tif, 0, message)) return {};
  image.req_orientation = ORIENTATION_TOPLEFT;
  BlockReducer reducer(static_cast<int>(width), static_cast<int>(height), k);
  std::vector<uint32_t> raster(static_cast<size_t>(band) * width);
  std::vector<uchar> row(static_cast<size_t>(width) * 4);
  bool ok = reducer.Valid();
  for (uint32_t y = 0; ok && y < height; y += band) {
    const uint32_t rows = std::min(band, height - y);
    image.row_offset = static_cast<int>(y);
    image.col_offset = 0;
    ok = TIFFRGBAImageGet(&image, raster.data(), width, rows) != 0;
    for (uint32_t r = 0; ok && r < rows; ++r) {
      const uint32_t* px = &raster[static_cast<size_t>(r) * width];
      for (uint32_t x = 0; x < width; ++x) {
        row[x * 4] = static_cast<uchar>(TIFFGetR(px[x]));
        row[x * 4 + 1] = static_cast<uchar>(TIFFGetG(px[x]));
        row[x * 4 + 2] = static_cast<uchar>(TIFFGetB(px[x]));
        row[x * 4 + 3] = static_cast<uchar>(TIFFGetA(px[x]));
      }
      reducer.AddRow(row.data(), true);
    }
  }
  TIFFRGBAImageEnd(&image);
  return ok ? reducer.Take() : QImage();
}

}  // namespace platform::imaging_detail

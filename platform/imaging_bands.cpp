// Large PNG, TIFF and BMP pictures read a band of rows at a time and reduced as the rows come,
// so that a show never holds a picture of tens of megapixels whole when it shows it at a
// fraction of its size. An interlaced PNG's passes are averaged into the reduced picture
// as they come.
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

// One pixel's r g b laid over white, as the show wants transparent pixels; `premultiplied`
// tells whether the colours are already weighted by their alpha.
inline void OverWhite(const uchar* rgba, bool premultiplied, uint32_t& r, uint32_t& g,
                      uint32_t& b) {
  const uint32_t a = rgba[3];
  if (a == 255) {
    r = rgba[0];
    g = rgba[1];
    b = rgba[2];
    return;
  }
  const uint32_t white = 255 - a;
  r = (premultiplied ? rgba[0] : rgba[0] * a / 255) + white;
  g = (premultiplied ? rgba[1] : rgba[1] * a / 255) + white;
  b = (premultiplied ? rgba[2] : rgba[2] * a / 255) + white;
}

// The average of a block's sums over its n pixels, rounded.
inline QRgb BlockAverage(uint32_t r, uint32_t g, uint32_t b, uint32_t n) {
  return qRgb((r + n / 2) / n, (g + n / 2) / n, (b + n / 2) / n);
}

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
        uint32_t pr, pg, pb;
        OverWhite(rgba, premultiplied, pr, pg, pb);
        r += pr;
        g += pg;
        b += pb;
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
      line[ox] = BlockAverage(s[0], s[1], s[2], n);
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

// The same averages for a picture whose pixels come in any order (the passes of an
// interlaced PNG, each a sparse grid over the whole picture): every block's sums are kept
// until the last pass. 16-bit sums while a block's 255s fit in them.
template <class Sum>
class ScatteredBlockReducer {
 public:
  ScatteredBlockReducer(int width, int height, int k)
      : width_(width),
        height_(height),
        k_(k),
        out_((width + k - 1) / k, (height + k - 1) / k, QImage::Format_RGB32),
        sums_(out_.isNull() ? 0 : static_cast<size_t>(out_.width()) * out_.height() * 3, 0) {}

  bool Valid() const { return !out_.isNull(); }

  // `count` pixels of source row y, r g b a bytes each, at columns x0, x0 + dx, ...
  void AddPixels(int y, int x0, int dx, const uchar* rgba, int count) {
    Sum* row = &sums_[static_cast<size_t>(y / k_) * out_.width() * 3];
    for (int i = 0, x = x0; i < count; ++i, x += dx, rgba += 4) {
      uint32_t r, g, b;
      OverWhite(rgba, false, r, g, b);
      Sum* s = row + static_cast<size_t>(x / k_) * 3;
      s[0] = static_cast<Sum>(s[0] + r);
      s[1] = static_cast<Sum>(s[1] + g);
      s[2] = static_cast<Sum>(s[2] + b);
    }
  }

  QImage Take() {
    for (int oy = 0; oy < out_.height(); ++oy) {
      auto* line = reinterpret_cast<QRgb*>(out_.scanLine(oy));
      const uint32_t rows = std::min(k_, height_ - oy * k_);
      const Sum* s = &sums_[static_cast<size_t>(oy) * out_.width() * 3];
      for (int ox = 0; ox < out_.width(); ++ox, s += 3) {
        const uint32_t cols = std::min(k_, width_ - ox * k_);
        line[ox] = BlockAverage(s[0], s[1], s[2], cols * rows);
      }
    }
    return std::move(out_);
  }

 private:
  int width_, height_, k_;
  QImage out_;
  std::vector<Sum> sums_;
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

// The seven passes of an interlaced PNG as libpng hands them over without merging them:
// each pass's rows hold only that pass's pixels. Passes without pixels are not read.
template <class Reducer>
void ReadPngPasses(png_structp png, png_uint_32 width, png_uint_32 height, std::vector<uchar>& row,
                   Reducer& reducer) {
  for (int pass = 0; pass < 7; ++pass) {
    const png_uint_32 cols = PNG_PASS_COLS(width, pass);
    const png_uint_32 rows = PNG_PASS_ROWS(height, pass);
    if (cols == 0 || rows == 0) continue;
    for (png_uint_32 j = 0; j < rows; ++j) {
      png_read_row(png, row.data(), nullptr);
      reducer.AddPixels(static_cast<int>(PNG_ROW_FROM_PASS_ROW(j, pass)),
                        static_cast<int>(PNG_PASS_START_COL(pass)), 1 << PNG_PASS_COL_SHIFT(pass),
                        row.data(), static_cast<int>(cols));
    }
  }
}

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
  std::optional<ScatteredBlockReducer<uint16_t>> scattered16;
  std::optional<ScatteredBlockReducer<uint32_t>> scattered32;
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
  // Small reductions gain little.
  const bool reduced = k >= 2 && WithinPixelBound(width, height, kMaxReducedJpegPixels);
  const bool interlaced = png_get_interlace_type(png, info) != PNG_INTERLACE_NONE;
  if (reduced) {
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);  // no effect when alpha is already there
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) == static_cast<size_t>(width) * 4) {
      row.resize(static_cast<size_t>(width) * 4);
      const int w = static_cast<int>(width), h = static_cast<int>(height);
      if (!interlaced) {
        reducer.emplace(w, h, k);
        if (reducer->Valid()) {
          for (png_uint_32 y = 0; y < height; ++y) {
            png_read_row(png, row.data(), nullptr);
            reducer->AddRow(row.data(), false);
          }
          result = reducer->Take();
        }
      } else if (k * k * 255 <= 0xFFFF) {
        scattered16.emplace(w, h, k);
        if (scattered16->Valid()) {
          ReadPngPasses(png, width, height, row, *scattered16);
          result = scattered16->Take();
        }
      } else {
        scattered32.emplace(w, h, k);
        if (scattered32->Valid()) {
          ReadPngPasses(png, width, height, row, *scattered32);
          result = scattered32->Take();
        }
      }
    }
  }
  png_destroy_read_struct(&png, &info, nullptr);
  return result;
}

QImage DecodeBmpReduced(const QString& path, int minWidth, int minHeight) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  uchar h[54];
  if (file.read(reinterpret_cast<char*>(h), sizeof h) != sizeof h || h[0] != 'B' || h[1] != 'M')
    return {};
  const auto u16 = [&h](int at) { return static_cast<quint32>(h[at] | h[at + 1] << 8); };
  const auto u32 = [&](int at) { return u16(at) | u16(at + 2) << 16; };
  const qint64 dataOffset = u32(10);
  const qint64 width = static_cast<qint32>(u32(18));
  const qint64 rawHeight = static_cast<qint32>(u32(22));
  const quint32 bits = u16(28);
  // Uncompressed 24- and 32-bit rows only (the fourth byte of a 32-bit BI_RGB pixel is
  // unused); the old core header, palettes, RLE and bit fields are decoded whole.
  if (u32(14) < 40 || u16(26) != 1 || (bits != 24 && bits != 32) || u32(30) != 0) return {};
  const qint64 height = rawHeight < 0 ? -rawHeight : rawHeight;
  if (width < 1 || height < 1 || !WithinPixelBound(width, height, kMaxReducedJpegPixels)) return {};
  const int k =
      ReductionFor(static_cast<int>(width), static_cast<int>(height), minWidth, minHeight);
  if (k < 2) return {};
  const qint64 stride = (width * bits + 31) / 32 * 4;
  // A cut file is left to the whole decode, which shows what there is.
  if (dataOffset < 54 || dataOffset + stride * height > file.size()) return {};
  BlockReducer reducer(static_cast<int>(width), static_cast<int>(height), k);
  if (!reducer.Valid()) return {};
  std::vector<uchar> stored(static_cast<size_t>(stride));
  std::vector<uchar> row(static_cast<size_t>(width) * 4);
  const int step = static_cast<int>(bits / 8);
  for (qint64 y = 0; y < height; ++y) {
    // A positive height stores the rows bottom up.
    const qint64 at = dataOffset + (rawHeight > 0 ? height - 1 - y : y) * stride;
    if (!file.seek(at) || file.read(reinterpret_cast<char*>(stored.data()), stride) != stride)
      return {};
    const uchar* px = stored.data();
    for (qint64 x = 0; x < width; ++x, px += step) {
      row[x * 4] = px[2];
      row[x * 4 + 1] = px[1];
      row[x * 4 + 2] = px[0];
      row[x * 4 + 3] = 255;
    }
    reducer.AddRow(row.data(), true);
  }
  return reducer.Take();
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

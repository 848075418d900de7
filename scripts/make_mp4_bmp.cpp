// Draws the preview placeholder of movies, "mp4.bmp" (160 x 120, 24-bit Windows bitmap):
// a strip of film with its perforations and a play mark. Run by the build, which ships the
// result with the program's other files:  make_mp4_bmp OUT.bmp
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 120;
constexpr int kBand = 18;  // height of the perforated bands at the top and the bottom

struct Rgb {
  std::uint8_t r, g, b;
};

Rgb PixelAt(int x, int y) {
  const Rgb film{24, 24, 28};
  const Rgb hole{230, 230, 220};
  const Rgb frame{70, 90, 130};
  const Rgb mark{250, 250, 250};
  // The bands with one perforation every 16 pixels.
  if (y < kBand || y >= kHeight - kBand) {
    const int by = y < kBand ? y : y - (kHeight - kBand);
    const bool inHole = (x % 16) >= 4 && (x % 16) < 12 && by >= 6 && by < 12;
    return inHole ? hole : film;
  }
  // The picture frame between the bands, with a thin film border.
  if (x < 6 || x >= kWidth - 6 || y < kBand + 4 || y >= kHeight - kBand - 4) return film;
  // A play mark: a triangle pointing right, centred on the frame.
  const int cx = kWidth / 2, cy = kHeight / 2;
  const int dx = x - (cx - 14), dy = y - cy;
  const int half = 20 - dx * 20 / 34;  // 20 at its back, 0 at its tip
  if (dx >= 0 && dx <= 34 && dy >= -half && dy <= half) return mark;
  return frame;
}

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xff));
  out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xff));
}
void Put32(std::vector<std::uint8_t>& out, unsigned v) {
  Put16(out, v & 0xffff);
  Put16(out, v >> 16);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUT.bmp\n", argv[0]);
    return 2;
  }
  const unsigned rowBytes = (kWidth * 3 + 3) / 4 * 4;
  const unsigned imageBytes = rowBytes * kHeight;
  std::vector<std::uint8_t> bmp;
  bmp.push_back('B');
  bmp.push_back('M');
  Put32(bmp, 54 + imageBytes);  // file size
  Put32(bmp, 0);
  Put32(bmp, 54);  // offset of the pixels
  Put32(bmp, 40);  // BITMAPINFOHEADER
  Put32(bmp, kWidth);
  Put32(bmp, kHeight);  // positive: rows from the bottom up
  Put16(bmp, 1);
  Put16(bmp, 24);
  Put32(bmp, 0);  // no compression
  Put32(bmp, imageBytes);
  Put32(bmp, 3780);  // 96 dpi
  Put32(bmp, 3780);
  Put32(bmp, 0);
  Put32(bmp, 0);
  for (int y = kHeight - 1; y >= 0; --y) {
    for (int x = 0; x < kWidth; ++x) {
      const Rgb p = PixelAt(x, y);
      bmp.push_back(p.b);
      bmp.push_back(p.g);
      bmp.push_back(p.r);
    }
    for (unsigned pad = kWidth * 3; pad < rowBytes; ++pad) bmp.push_back(0);
  }
  std::FILE* f = std::fopen(argv[1], "wb");
  if (!f) {
    std::perror(argv[1]);
    return 1;
  }
  const bool written = std::fwrite(bmp.data(), 1, bmp.size(), f) == bmp.size();
  const bool closed = std::fclose(f) == 0;
  if (!written || !closed) {
    std::fprintf(stderr, "%s: write failed\n", argv[1]);
    std::remove(argv[1]);
    return 1;
  }
  return 0;
}

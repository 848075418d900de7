// Picture files as the slide player loads them: size query, EXIF turn, decode no larger
// than needed, 24 bits, fit to the preview box, and the fit of the full-screen show.
//
// The first byte of an input picks the file's name suffix (the decoders go by it); the
// rest is the file.
#include <iterator>

#include "core/form4.h"
#include "engine/picture_prep.h"
#include "fuzz/fuzz_support.h"
#include "platform/twips.h"

namespace {

// Every suffix the program opens pictures by, and some Qt reads on its own.
const char* const kSuffixes[] = {"jpg",  "png", "bmp", "gif", "tif", "tga", "pcx", "psd",
                                 "ras",  "pct", "wpg", "pcd", "cal", "mac", "dcx", "jpeg",
                                 "tiff", "ico", "ppm", "pgm", "pbm", "xpm", "webp"};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzz::StartProgram(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  fuzz::FreshState();
  const char* suffix = kSuffixes[data[0] % std::size(kSuffixes)];
  const QString path = fuzz::Dirs().Docs() + QStringLiteral("picture.") + QLatin1String(suffix);
  fuzz::WriteFile(path, fuzz::Bytes(data + 1, size - 1));

  core::ListState& lists = core::Lists();
  lists.SlidePaths[1] = path;
  lists.CurrentSlideIndex = 1;
  lists.SlideEndIndex = 2;
  core::Settings().SizeAdjustMode = data[0] / std::size(kSuffixes) % 3;
  try {
    engine::PrepareSlidePicture();
    engine::FitSlidePicture();
  } catch (const std::exception&) {
    return 0;  // the slide player reports the file and goes on
  }

  // The full-screen fit of the same picture in every size mode.
  const core::Form4& f4 = core::form4();
  for (short mode = 0; mode <= 6; ++mode) {
    engine::FitRequest r;
    r.fullScreen = true;
    r.sizeAdjustMode = core::Settings().SizeAdjustMode;
    r.pictureSizeMode = mode;
    r.factor = engine::PictureSizeFactor(mode, 0.5);
    r.monitorWidth = 1920 * platform::TwipsPerPixelX;
    r.monitorHeight = 1080 * platform::TwipsPerPixelY;
    r.pictureWidth = static_cast<int>(core::Surfaces().LoadedPictureWidth);
    r.pictureHeight = static_cast<int>(core::Surfaces().LoadedPictureHeight);
    try {
      engine::FittedPictureSize(r);
    } catch (const std::exception&) {
      // A side above 32767 pixels: the show reports it.
    }
  }
  if (f4.Lead1.HasImage() && f4.Lead1.ImageBitsPerPixel() != 24)
    fuzz::Fail("a prepared picture is not 24 bits");
  return 0;
}

// The schedule editor's preview of the current row's picture; movies show "mp4.bmp".
#include <QFileInfo>
#include <cmath>

#include "core/form4.h"
#include "core/state.h"
#include "platform/imaging.h"
#include "platform/picturefile.h"
#include "schedule/form22.h"

namespace schedule {

namespace {

constexpr int kHourglass = 11;
constexpr int kDefaultPointer = 0;

bool IsMovie(const QString& kind) {
  return kind == QLatin1String("MP4") || kind == QLatin1String("WMV") ||
         kind == QLatin1String("MOV") || kind == QLatin1String("AVI");
}

// The name part of the path when it names a file that is there, else the empty text.
QString FoundFileName(const QString& path) {
  if (path.isEmpty()) return {};
  const QFileInfo info(path);
  return info.isFile() ? info.fileName() : QString();
}

}  // namespace

PreviewPlace FitPreview(double frameWidth, double frameHeight, double pw, double ph) {
  const double k = 0.9;
  const double boxW = k * frameWidth;
  const double boxH = k * frameHeight;
  const double s = pw / ph > boxW / boxH ? boxW / pw : boxH / ph;
  PreviewPlace place;
  place.width = static_cast<int>(std::floor(s * pw));
  place.height = static_cast<int>(std::floor(s * ph));
  place.left = (frameWidth - place.width) / 2;
  place.top = 60 + (frameHeight - place.height) / 2;
  return place;
}

void Form22::ShowSchedulePreview(const QString& path) {
  if (path == PreviewedPath) return;
  PreviewedPath = path;
  if (Check1.Value() != 1) return;
  platform::SetScreenMousePointer(kHourglass);
  try {
    Label1.SetCaption(FoundFileName(path));
    const QString kind = path.right(3).toUpper();
    if (IsMovie(kind)) {
      Picture1.SetPicture(
          platform::LoadPicture(core::Paths().AppFolder + QStringLiteral("mp4.bmp")));
    } else if (kind == QLatin1String("JPG") || kind == QLatin1String("BMP")) {
      Picture1.SetPicture(platform::LoadPicture(path));
    } else {
      LoadPreviewByImaging(path);
    }
    const QImage& picture = Picture1.Picture();
    if (picture.isNull()) throw platform::VbError(platform::kErrImageNone, "No picture");
    const PreviewPlace place =
        FitPreview(Frame1.Width(), Frame1.Height(), picture.width() * platform::TwipsPerPixelX,
                   picture.height() * platform::TwipsPerPixelY);
    Image1.SetPicture(picture);
    Image1.Move(place.left, place.top, place.width, place.height);
  } catch (const std::exception& e) {
    platform::LogSwallowed("schedule preview", e);
    Picture1.ClearPicture();
    Image1.SetPicture(Picture1.Picture());
  }
  platform::SetScreenMousePointer(kDefaultPointer);
}

void Form22::LoadPreviewByImaging(const QString& path) {
  core::Form4& work = core::form4();
  work.Picture1.ClearPicture();
  work.Lead1.LoadImageFile(path, 0, 0);
  if (work.Lead1.ImageBitsPerPixel() != 24) work.Lead1.SetColorResolution(24, 4, 0, 0);
  Picture1.SetPicture(work.Lead1.ImagePicture());
}

void Form22::Check1_Click() {
  if (Check1.Value() != 0) return;
  Picture1.ClearPicture();
  Image1.SetPicture(Picture1.Picture());
}

}  // namespace schedule

// The slide list window's preview: the clicked row's picture fitted into the preview frame,
// the placeholder "mp4.bmp" for a movie, and the per-row buttons brought up to date.
#include <QFileInfo>
#include <cmath>

#include "core/common.h"
#include "core/state.h"
#include "listeditor/form3.h"
#include "platform/imaging.h"
#include "platform/picturefile.h"

namespace listeditor {

namespace {

constexpr int kPointerDefault = 0;
constexpr int kPointerHourglass = 11;
// The preview fills this share of the frame in its limiting direction.
constexpr double kFill = 0.9;

// The preview's own imaging control: loading a preview must not replace the picture the
// show's work window holds while a slide is being prepared.
platform::ImagingControl& PreviewImaging() {
  static platform::ImagingControl control;
  return control;
}

}  // namespace

void Form3::List1_Click() {
  ListClicked = 1;
  platform::RunStepsIgnoringErrors({
      [&] { ShowSelectedPreview(); },
  });
  SetRowButtons();
}

void Form3::ShowSelectedPreview() {
  // No row chosen: nothing to preview (and no missing file to report).
  if (List1.ListIndex() < 0) return;
  ShowPreview(List1.List(List1.ListIndex()));
}

void Form3::ShowPreview(const QString& path) {
  if (Check1.Value() != 1) return;
  if (path == PreviewedPath) return;
  PreviewedPath = path;
  try {
    platform::SetScreenMousePointer(kPointerHourglass);
    const double fw = kFill * Frame1.Width();
    const double fh = kFill * Frame1.Height();
    // Decoded no larger than it is shown: a photograph need not be read whole for this.
    const QSize box(static_cast<int>(std::ceil(fw / platform::TwipsPerPixelX)),
                    static_cast<int>(std::ceil(fh / platform::TwipsPerPixelY)));
    const QString kind = path.right(3).toUpper();
    QSize natural;
    if (core::IsMovieName(path)) {
      Picture1.SetPicture(platform::LoadPicture(core::Paths().AppFolder + QStringLiteral("mp4.bmp"),
                                                box, &natural));
    } else if (kind == QLatin1String("JPG") || kind == QLatin1String("BMP")) {
      Picture1.SetPicture(platform::LoadPicture(path, box, &natural));
    } else {
      LoadPreviewImage(path);
      natural = Picture1.Picture().size();
    }
    if (Picture1.Picture().isNull() || natural.isEmpty())
      throw platform::VbError(platform::kErrInvalidPicture, QStringLiteral("Invalid picture"));
    const double pw = natural.width() * platform::TwipsPerPixelX;
    const double ph = natural.height() * platform::TwipsPerPixelY;
    const double s = pw / ph > fw / fh ? fw / pw : fh / ph;
    const int w = static_cast<int>(std::floor(s * pw));
    const int h = static_cast<int>(std::floor(s * ph));
    Image1.SetPicture(Picture1.Picture());
    Image1.Move((Frame1.Width() - w) / 2.0, (Frame1.Height() - h) / 2.0 + 60, w, h);
    platform::SetScreenMousePointer(kPointerDefault);
  } catch (const std::exception& e) {
    // No message: the empty preview says it; the same row is not tried again.
    platform::LogSwallowed("slide preview", e);
    Picture1.ClearPicture();
    Image1.SetPicture(QImage());
    platform::SetScreenMousePointer(kPointerDefault);
  }
}

void Form3::LoadPreviewImage(const QString& path) {
  platform::ImagingControl& lead = PreviewImaging();
  lead.ReleaseImage();
  lead.LoadImageFile(path, 0, 0);
  if (lead.ImageBitsPerPixel() != 24) lead.SetColorResolution(24, 4, 0, 0);
  Picture1.SetPicture(lead.ImagePicture());
  // The control need not keep a second copy of the picture.
  lead.ReleaseImage();
}

}  // namespace listeditor

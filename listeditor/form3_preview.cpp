// The slide list window's preview: the clicked row's picture fitted into the preview frame,
// the placeholder "mp4.bmp" for a movie, and the per-row buttons brought up to date (the
// macro text and linked sound buttons show whether those files exist).
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

bool IsMovie(const QString& path) {
  const QString kind = path.right(3).toUpper();
  return kind == QLatin1String("MP4") || kind == QLatin1String("WMV") ||
         kind == QLatin1String("MOV") || kind == QLatin1String("AVI");
}

// A picture's linked file: its path, or the linked-files folder with its name, with the
// last four characters replaced by `ext` (".txt", ".wav", ".mp3").
QString LinkedFile(const QString& picture, const QString& ext) {
  const core::PathState& p = core::Paths();
  const QString base = p.LinkedFilesInFolder == 1 ? p.LinkedFilesFolder + QLatin1Char('/') +
                                                        core::GetFileNameOfPath(picture)
                                                  : picture;
  return base.left(std::max<qsizetype>(0, base.size() - 4)) + ext;
}

bool FileThere(const QString& path) { return QFileInfo(path).isFile(); }

// The preview's own imaging control: loading a preview must not replace the picture the
// show's work window holds while a slide is being prepared.
platform::ImagingControl& PreviewImaging() {
  static platform::ImagingControl control;
  return control;
}

}  // namespace

void Form3::List1_Click() {
  ListClicked = 1;
  QString path;
  bool movie = false;
  platform::RunStepsIgnoringErrors({
      [&] { path = List1.List(List1.ListIndex()); },
      [&] { movie = IsMovie(path); },
      [&] { ShowSelectedPreview(); },
  });
  if (Check1.Value() != 1) return;
  const bool one = List1.SelCount() == 1;
  platform::RunStepsIgnoringErrors({
      [&] { Command25.SetEnabled(!movie && one); },
      [&] {
        Command16.SetEnabled(!movie && one);
        Command17.SetEnabled(!movie && one && FileThere(LinkedFile(path, QStringLiteral(".txt"))));
      },
      [&] {
        Command18.SetEnabled(one);
        Command20.SetEnabled(one);
        Command19.SetEnabled(one && (FileThere(LinkedFile(path, QStringLiteral(".wav"))) ||
                                     FileThere(LinkedFile(path, QStringLiteral(".mp3")))));
      },
  });
}

void Form3::ShowSelectedPreview() { ShowPreview(List1.List(List1.ListIndex())); }

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
    if (IsMovie(path)) {
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

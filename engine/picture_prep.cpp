// Picture preparation: load, turn upright, 24 bits, fit, holder, preview box, memory DC,
// and the overlay filters of the picture that is still on the screen.
#include "engine/picture_prep.h"

#include <sys/stat.h>

#include <QCoreApplication>
#include <QFile>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <exception>
#include <memory>
#include <optional>
#include <utility>

#include "core/common.h"
#include "core/form1.h"
#include "core/form4.h"
#include "core/monitors.h"
#include "core/orientation.h"
#include "core/state.h"
#include "engine/effects.h"
#include "engine/slidescreen.h"
#include "engine/surfaces.h"
#include "platform/background.h"
#include "platform/form.h"
#include "platform/imaging.h"
#include "platform/random.h"
#include "platform/twips.h"
#include "platform/vberror.h"

namespace engine {

namespace {

constexpr int kPointerBusy = 13;  // arrow and hourglass
constexpr double kLargestRandomFactor = 0.7;

// The loaded picture's own size, upright (pixels), from the first half to the second.
QSize& LoadedSize() {
  static QSize size;
  return size;
}

// The file of the picture held in Form4.Lead2.
QString& HeldPicturePath() {
  static QString path;
  return path;
}

// The fit of the current slide's picture of the given size (pixels, upright). For the
// decode box the random factor of mode 5 is taken at its largest, which bounds every
// fit that mode can ask for.
FitRequest CurrentFitRequest(const QSize& picture, bool largestFactor) {
  const core::ShowSettings& s = core::Settings();
  FitRequest r;
  r.fullScreen = core::Flags().FullScreenShowActive == 1;
  r.sizeAdjustMode = s.SizeAdjustMode;
  r.pictureSizeMode = s.PictureSizeMode;
  r.pictureScale = s.PictureScale;
  if (s.PictureSizeMode == 5) {
    r.factor = largestFactor ? kLargestRandomFactor : PictureSizeFactor(5, platform::Rnd());
  } else {
    r.factor = PictureSizeFactor(s.PictureSizeMode, 0);
  }
  const core::TwipsRect monitor = core::MonitorRectTwips(core::MainMonitorIndex());
  r.monitorWidth = monitor.Width;
  r.monitorHeight = monitor.Height;
  if (core::Form1* f1 = core::Form1IfLoaded()) {
    r.boxWidth = f1->Picture1.Width();
    r.boxHeight = f1->Picture1.Height();
  }
  r.pictureWidth = picture.width() * platform::TwipsPerPixelX;
  r.pictureHeight = picture.height() * platform::TwipsPerPixelY;
  return r;
}

bool SameFit(const FitRequest& a, const FitRequest& b) {
  return a.fullScreen == b.fullScreen && a.sizeAdjustMode == b.sizeAdjustMode &&
         a.pictureSizeMode == b.pictureSizeMode && a.pictureScale == b.pictureScale &&
         a.factor == b.factor && a.monitorWidth == b.monitorWidth &&
         a.monitorHeight == b.monitorHeight && a.boxWidth == b.boxWidth &&
         a.boxHeight == b.boxHeight && a.pictureWidth == b.pictureWidth &&
         a.pictureHeight == b.pictureHeight;
}

// The largest picture any step may show of a file of this size (pixels, upright): its
// fitted size, but never less than the whole monitor, which a later full-screen start or
// refit may fill from the kept copy. A picture that is not fitted keeps all its pixels.
// `decodeFit` is the decode request without the picture's size.
QSize DecodeBox(const QSize& upright, FitRequest decodeFit) {
  decodeFit.pictureWidth = upright.width() * platform::TwipsPerPixelX;
  decodeFit.pictureHeight = upright.height() * platform::TwipsPerPixelY;
  std::optional<QSize> fit;
  try {
    fit = FittedPictureSize(decodeFit);
  } catch (const std::exception&) {
    return upright;
  }
  if (!fit) return upright;
  return {std::max(fit->width(), decodeFit.monitorWidth / platform::TwipsPerPixelX),
          std::max(fit->height(), decodeFit.monitorHeight / platform::TwipsPerPixelY)};
}

// The load stage: size of the file, the decode no larger than needed (whole without a
// decode request) and the turn by `orientation`. Returns the file's upright size.
QSize LoadUpright(platform::ImagingControl& lead, const QString& path, int orientation,
                  const std::optional<FitRequest>& decodeFit) {
  const platform::ImageFileInfo info = lead.QueryImageFile(path, 0);
  const bool sideways = orientation == 6 || orientation == 8;
  QSize upright(info.width, info.height);
  if (sideways) upright.transpose();
  if (upright.isEmpty() || !decodeFit) {
    lead.LoadImageFile(path, 0, 0);
  } else {
    QSize box = DecodeBox(upright, *decodeFit);
    // The decoder's box is the picture as stored.
    if (sideways) box.transpose();
    lead.LoadImageFileScaled(path, box.width(), box.height());
  }
  QSize stored(lead.SourceWidth(), lead.SourceHeight());
  if (stored.isEmpty()) stored = QSize(lead.ImageWidth(), lead.ImageHeight());
  const QColor white(255, 255, 255);
  if (orientation == 3) lead.RotateImage(18000, true, white);
  if (orientation == 6) lead.RotateImage(9000, true, white);
  if (orientation == 8) lead.RotateImage(-9000, true, white);
  return sideways ? stored.transposed() : stored;
}

// ---- pictures prepared on the worker thread ---------------------------------------------

// The full-screen surface a picture will be shown on, when it is known ahead: its size
// in pixels, its background colour and the picture's place (the factors of the free
// space, and the monitor in twips).
struct SurfaceRequest {
  QSize size;
  QColor back;
  double fx = 0.5, fy = 0.5;
  int monitorWidth = 0;
  int monitorHeight = 0;
};

// The surface composed for one picture.
struct ComposedSurface {
  QImage frame;
  QColor back;
  QRect covered;       // the picture on the surface
  qint64 picture = 0;  // the cache key of the picture it holds
};

// What the worker makes of one file: the picture upright in 24 bits, decoded no larger
// than the show needs, and, when the fit was known when the work began, the fitted copy
// and, when the surface was known too, that surface composed with it.
struct PreparedPicture {
  QImage upright;
  QSize loaded;  // the file's own size, upright
  bool retried = false;
  std::exception_ptr error;  // the picture cannot be read
  std::optional<FitRequest> fit;
  QImage fitted;
  ComposedSurface surface;
};

// The background with `picture` at its place, as the display without an effect draws it.
ComposedSurface ComposeSurface(const SurfaceRequest& request, const QImage& picture) {
  ComposedSurface out;
  if (picture.format() != QImage::Format_RGB32 || request.size.isEmpty()) return out;
  const QPoint origin(
      PlacePicture(request.monitorWidth - double(picture.width()) * platform::TwipsPerPixelX,
                   request.fx, platform::TwipsPerPixelX),
      PlacePicture(request.monitorHeight - double(picture.height()) * platform::TwipsPerPixelY,
                   request.fy, platform::TwipsPerPixelY));
  QImage frame(request.size, QImage::Format_RGB32);
  const QRect covered = QRect(origin, picture.size());
  const QRect inside = covered.intersected(frame.rect());
  const quint32 back = request.back.rgb() | 0xff000000u;
  const qsizetype stride = frame.bytesPerLine();
  uchar* const bits = frame.bits();
  const uchar* const from = picture.constBits();
  for (int y = 0; y < frame.height(); ++y) {
    auto* row = reinterpret_cast<quint32*>(bits + y * stride);
    if (y < inside.top() || y > inside.bottom()) {
      std::fill(row, row + frame.width(), back);
      continue;
    }
    std::fill(row, row + inside.left(), back);
    std::memcpy(row + inside.left(),
                from + (y - origin.y()) * picture.bytesPerLine() +
                    qsizetype(inside.left() - origin.x()) * 4,
                size_t(inside.width()) * 4);
    std::fill(row + inside.right() + 1, row + frame.width(), back);
  }
  out.frame = std::move(frame);
  out.back = request.back;
  out.covered = covered;
  out.picture = picture.cacheKey();
  return out;
}

// Everything the preparation of a file depends on; a prepared picture is used only while
// all of it is still the same.
struct PictureKey {
  QString path;
  qint64 size = -1;
  qint64 modifiedNs = -1;
  FitRequest decodeFit;
  short overlayMode = 0;

  bool operator==(const PictureKey& o) const {
    return path == o.path && size == o.size && modifiedNs == o.modifiedNs &&
           SameFit(decodeFit, o.decodeFit) && overlayMode == o.overlayMode;
  }
};

struct PictureWork {
  PictureKey key;
  std::shared_ptr<platform::BackgroundJob> job;
  std::shared_ptr<PreparedPicture> result;
};

PictureKey KeyFor(const QString& path) {
  PictureKey key;
  key.path = path;
  // One stat, its time kept raw: a local-time QDateTime costs a slide change a time
  // zone lookup.
  struct stat st {};
  if (::stat(QFile::encodeName(path).constData(), &st) == 0) {
    key.size = st.st_size;
    key.modifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  }
  key.decodeFit = CurrentFitRequest(QSize(), true);
  key.overlayMode = core::Settings().OverlayMode;
  return key;
}

int& DecodeCount() {
  static int count = 0;
  return count;
}

// Starts the preparation of `path` on the worker. `fit` is the fit of the slide when it
// is known now (without the picture's size).
PictureWork StartPictureWork(const QString& path, const std::optional<FitRequest>& fit,
                             const std::optional<SurfaceRequest>& surface = std::nullopt) {
  PictureWork work;
  work.key = KeyFor(path);
  work.result = std::make_shared<PreparedPicture>();
  // The tag reader is started on this thread, where it belongs; the file's tag is read on
  // the worker, off the slide's change.
  const bool turns = TurnsByExif(path);
  if (turns) core::StartGdiplus();
  ++DecodeCount();
  work.job =
      platform::StartBackgroundJob([path, turns, decodeFit = work.key.decodeFit, fit, surface,
                                    out = work.result](const platform::BackgroundJob& job) {
        const int orientation = turns ? core::ReadUprightTurn(path) : 1;
        platform::ImagingControl lead;
        try {
          out->loaded = LoadUpright(lead, path, orientation, decodeFit);
        } catch (const std::exception&) {
          // One plain load, without the turn.
          out->retried = true;
          try {
            lead.LoadImageFile(path, 0, 0);
            out->loaded = QSize(lead.ImageWidth(), lead.ImageHeight());
          } catch (...) {
            out->error = std::current_exception();
            return;
          }
        }
        try {
          if (lead.ImageBitsPerPixel() != 24) lead.SetColorResolution(24, 4, 0, 0);
        } catch (...) {
          out->error = std::current_exception();
          return;
        }
        out->upright = lead.ImagePicture();
        if (!fit || job.Cancelled()) return;
        try {
          FitRequest request = *fit;
          request.pictureWidth = out->loaded.width() * platform::TwipsPerPixelX;
          request.pictureHeight = out->loaded.height() * platform::TwipsPerPixelY;
          if (const std::optional<QSize> size = FittedPictureSize(request)) {
            lead.ResizeImage(size->width(), size->height(), 0);
            out->fitted = lead.ImagePicture();
            out->fit = request;
          }
        } catch (const std::exception&) {
          // The slide's own fit runs again and reports the fault at its step.
          return;
        }
        if (surface && !job.Cancelled())
          out->surface = ComposeSurface(*surface, out->fit ? out->fitted : out->upright);
      });
  return work;
}

// The next slide's picture, prepared while the present one is shown; at most one.
std::optional<PictureWork>& Ahead() {
  static std::optional<PictureWork> ahead;
  return ahead;
}

// The picture of the slide being shown, from the first half to the second.
std::shared_ptr<PreparedPicture>& Current() {
  static std::shared_ptr<PreparedPicture> current;
  return current;
}

void DiscardAhead() {
  if (Ahead()) Ahead()->job->Cancel();
  Ahead().reset();
}

// The fit the slide will have, when nothing decided at the slide's own time changes it
// (mode 5 draws its factor then).
std::optional<FitRequest> FitKnownNow() {
  if (core::Settings().PictureSizeMode == 5) return std::nullopt;
  return CurrentFitRequest(QSize(), false);
}

// The next slide's path, until the event queue starts its preparation.
QString& PendingAhead() {
  static QString path;
  return path;
}

// The surface the picture will be shown on without a display effect, when that is known
// now: a full-screen show without overlay, the picture centred or at a fixed place.
std::optional<SurfaceRequest> SurfaceKnownNow() {
  const core::ShowSettings& s = core::Settings();
  Slidescreen* screen = SlidescreenIfLoaded();
  if (core::Flags().FullScreenShowActive != 1 || !screen || screen->IsClosed() ||
      s.OverlayMode != 0 || s.DisplayEffect != kDisplayEffectNone ||
      (s.PicturePositionFixed != 1 && s.PicturePosition != 0))
    return std::nullopt;
  SurfaceRequest r;
  r.size = screen->P2.contentsRect().size();
  r.back = screen->P2.BackColor();
  if (s.PicturePositionFixed == 1) {
    r.fx = s.PicturePositionX;
    r.fy = s.PicturePositionY;
  }
  const core::TwipsRect monitor = core::MonitorRectTwips(core::MainMonitorIndex());
  r.monitorWidth = monitor.Width;
  r.monitorHeight = monitor.Height;
  return r;
}

void StartPendingAhead() {
  const QString path = std::exchange(PendingAhead(), QString());
  if (path.isEmpty()) return;
  // The key is taken now: a macro may have changed the fit since the request.
  if (Ahead() && Ahead()->key == KeyFor(path)) return;
  DiscardAhead();
  const std::optional<FitRequest> fit = FitKnownNow();
  Ahead() = StartPictureWork(path, fit, fit ? SurfaceKnownNow() : std::nullopt);
}

// The surface composed for the picture of the slide being shown, until its display.
ComposedSurface& SlideSurface() {
  static ComposedSurface surface;
  return surface;
}

int& AdoptedCount() {
  static int count = 0;
  return count;
}

// The work for `path`: the picture prepared ahead when nothing it depends on changed,
// otherwise a new preparation.
PictureWork WorkFor(const QString& path) {
  if (PendingAhead() == path) PendingAhead().clear();  // it is wanted now, not ahead
  std::optional<PictureWork> ahead = std::move(Ahead());
  Ahead().reset();
  if (ahead && ahead->key == KeyFor(path)) return std::move(*ahead);
  if (ahead) ahead->job->Cancel();
  return StartPictureWork(path, FitKnownNow());
}

void PutIntoHolder(core::Form4& f4) {
  f4.Picture1.ClearPicture();
  f4.Picture1.SetPicture(f4.Lead1.ImagePicture());
}

}  // namespace

double PictureSizeFactor(short pictureSizeMode, double r) {
  switch (pictureSizeMode) {
    case 0:
      return 1;
    case 1:
      return 0.8;
    case 2:
      return 0.6;
    case 3:
      return 0.4;
    case 4:
      return 0.2;
    case 5:
      return 0.2 + 0.5 * r;
    default:
      return 0;
  }
}

std::optional<QSize> FittedPictureSize(const FitRequest& q) {
  const double monW = q.monitorWidth;
  const double monH = q.monitorHeight;
  double tW = 0, tH = 0;
  if (q.pictureSizeMode == 0) {
    tW = monW;
    tH = monH;
  } else if (q.pictureSizeMode >= 1 && q.pictureSizeMode <= 5) {
    tW = std::floor(q.factor * monW);
    tH = std::floor(q.factor * monH);
  }
  if (q.pictureScale > 0) {
    tW = std::floor(q.pictureScale * monW);
    tH = std::floor(q.pictureScale * monH);
  }

  const double picW = q.pictureWidth;
  const double picH = q.pictureHeight;
  if (picW <= 0 || picH <= 0) return std::nullopt;
  double bW, bH;
  bool fit;
  if (q.fullScreen) {
    // A picture that already fits its target box is never enlarged.
    fit = q.sizeAdjustMode < 2 && q.pictureSizeMode >= 0 && q.pictureSizeMode < 6 &&
          (picW > tW || picH > tH);
    bW = tW;
    bH = tH;
  } else {
    bW = q.boxWidth;
    bH = q.boxHeight;
    fit = q.sizeAdjustMode == 0 ? (bW < picW || bH < picH) : q.sizeAdjustMode == 1;
  }
  if (!fit) return std::nullopt;

  double s;
  if (q.sizeAdjustMode == 1 || picW / picH > bW / bH) {
    if (q.sizeAdjustMode == 1) {
      // 調整２ covers the box; a portrait picture is one eighth taller than the box.
      s = picH > picW ? 1.125 * bH / picH : std::max(bW / picW, bH / picH);
    } else {
      s = bW / picW;
    }
  } else {
    s = bH / picH;
  }
  const short newW = platform::CInt(s * picW / platform::TwipsPerPixelX);
  const short newH = platform::CInt(s * picH / platform::TwipsPerPixelY);
  // A box too small for a single pixel is no fault of the picture.
  return QSize(std::max<int>(1, newW), std::max<int>(1, newH));
}

QString CompletedSlidePath(const QString& path) {
  if (path.contains(QLatin1Char('/'))) return path;
  return core::Paths().AppFolder + path;
}

bool TurnsByExif(const QString& path) { return path.right(3).toUpper() == QLatin1String("JPG"); }

void ApplyOverlayFilter() {
  if (core::Flags().ShowScreenHasPicture != 1 || core::Surfaces().PictureMemDCInUse != 1) return;
  platform::ImagingControl& lead = core::form4().Lead1;
  switch (core::Settings().OverlayMode) {
    case 2:
      lead.GrayscaleImage();
      PresentImagingBitmap();
      break;
    case 3:
      lead.SetColorResolution(1, 1, 1, 0);
      PresentImagingBitmap();
      break;
    case 4: {
      const int k = static_cast<int>(std::floor(platform::Rnd() * 5.9));
      switch (k) {
        case 1:
          lead.SetColorResolution(1, 1, 1, 0);
          break;
        case 2:
          lead.GrayscaleImage();
          break;
        case 4:
          lead.MosaicImage(12);
          break;
        case 5:
          lead.ReverseImage();
          break;
        default:
          return;  // 0 and 3 leave the picture as it is
      }
      PresentImagingBitmap();
      break;
    }
    default:
      break;
  }
}

void PrepareSlidePicture() {
  core::ListState& lists = core::Lists();
  const short index = lists.CurrentSlideIndex;
  const QString path = CompletedSlidePath(lists.SlidePaths[index]);
  lists.SlidePaths[index] = path;
  core::Paths().CurrentSlideFileName = core::GetFileNameOfPath(path);
  if (core::Flags().FullScreenShowActive == 1) platform::SetScreenMousePointer(kPointerBusy);

  // A filter that fails leaves the old picture as it is; the new one is not to blame.
  platform::TryStep([] { ApplyOverlayFilter(); });

  // Decoded, turned and fitted on the worker; window events go on meanwhile.
  PictureWork work = WorkFor(path);
  // The show surface's first use costs a fresh process tens of milliseconds; it is paid
  // while the worker decodes, not after.
  if (Slidescreen* screen = SlidescreenIfLoaded()) screen->P2.Canvas();
  work.job->WaitProcessingEvents();
  const std::shared_ptr<PreparedPicture> prepared = work.result;
  Current().reset();
  core::Form4& f4 = core::form4();
  if (prepared->retried) f4.Picture4.ClearPicture();
  if (prepared->error) std::rethrow_exception(prepared->error);
  f4.Lead1.SetImagePicture(prepared->upright);
  LoadedSize() = prepared->loaded;
  Current() = prepared;

  if (f4.Lead1.ImageBitsPerPixel() != 24) f4.Lead1.SetColorResolution(24, 4, 0, 0);
  const core::ShowSettings& s = core::Settings();
  if (s.SizeAdjustMode == 0 || s.SizeAdjustMode == 1 || s.OverlayMode > 0) {
    f4.Lead2.CopyImageFrom(f4.Lead1);
    HeldPicturePath() = path;
  }
}

void HoldPictureWhole() {
  core::Form4& f4 = core::form4();
  const core::SurfaceState& surfaces = core::Surfaces();
  const int w = static_cast<int>(surfaces.LoadedPictureWidth / platform::TwipsPerPixelX);
  const int h = static_cast<int>(surfaces.LoadedPictureHeight / platform::TwipsPerPixelY);
  if (HeldPicturePath().isEmpty() || (f4.Lead2.ImageWidth() >= w && f4.Lead2.ImageHeight() >= h))
    return;
  // Decoded reduced for a smaller box: decoded again whole, as the slide player would.
  const QString path = HeldPicturePath();
  const int orientation = TurnsByExif(path) ? core::GetExifOrientation(path) : 1;
  platform::ImagingControl whole;
  LoadUpright(whole, path, orientation, std::nullopt);
  if (whole.ImageBitsPerPixel() != 24) whole.SetColorResolution(24, 4, 0, 0);
  f4.Lead2.CopyImageFrom(whole);
}

void FitSlidePicture() {
  core::Form4& f4 = core::form4();
  // The holder is hidden: it gets the picture once, fitted or not.
  if (LoadedSize().isEmpty()) LoadedSize() = QSize(f4.Lead1.ImageWidth(), f4.Lead1.ImageHeight());
  const QSize loaded = LoadedSize();
  core::SurfaceState& surfaces = core::Surfaces();
  surfaces.LoadedPictureWidth = loaded.width() * platform::TwipsPerPixelX;
  surfaces.LoadedPictureHeight = loaded.height() * platform::TwipsPerPixelY;

  const FitRequest request = CurrentFitRequest(loaded, false);
  const std::shared_ptr<PreparedPicture> prepared = std::move(Current());
  Current().reset();
  SlideSurface() = prepared ? std::move(prepared->surface) : ComposedSurface{};
  if (const std::optional<QSize> size = FittedPictureSize(request)) {
    if (prepared && prepared->fit && SameFit(*prepared->fit, request) &&
        prepared->fitted.size() == *size) {
      f4.Lead1.SetImagePicture(prepared->fitted);
    } else {
      // Fitted on the worker too: a large picture takes a while to resample.
      auto fitted = std::make_shared<platform::ImagingControl>(f4.Lead1);
      auto error = std::make_shared<std::exception_ptr>();
      platform::StartBackgroundJob([fitted, error, size = *size](const platform::BackgroundJob&) {
        try {
          fitted->ResizeImage(size.width(), size.height(), 0);
        } catch (...) {
          *error = std::current_exception();
        }
      })->WaitProcessingEvents();
      if (*error) std::rethrow_exception(*error);
      f4.Lead1.SetImagePicture(fitted->ImagePicture());
    }
  }
  PutIntoHolder(f4);

  core::Form1& f1 = core::form1();
  // The preview box follows the window; a window too small for it is no fault of the
  // picture.
  platform::TryStep([&f1] {
    f1.Picture1.SetWidth(f1.Width() - 600);
    f1.Picture1.SetHeight(f1.Height() - 1450 - core::Surfaces().FrameExtraHeight);
  });
  f1.Picture1.SetPicture(f4.Picture1.Picture());
}

void PreparePictureAhead(const QString& path) {
  if (path.isEmpty()) {
    DiscardPictureAhead();
    return;
  }
  const bool posted = !PendingAhead().isEmpty();
  PendingAhead() = CompletedSlidePath(path);
  // Begun from the event queue, once the picture now on the screen has been painted: the
  // next decode does not compete with this slide's change.
  if (!posted) {
    QTimer::singleShot(0, QCoreApplication::instance(),
                       [] { platform::TryStep([] { StartPendingAhead(); }); });
  }
}

void DiscardPictureAhead() {
  PendingAhead().clear();
  DiscardAhead();
}

bool PictureAheadFor(const QString& path) {
  StartPendingAhead();
  if (!Ahead() || Ahead()->key.path != CompletedSlidePath(path)) return false;
  Ahead()->job->WaitBlocking();
  return true;
}

int PicturesDecoded() { return DecodeCount(); }

bool AdoptPreparedSurface(platform::PictureBox& surface, const QImage& picture,
                          const QRect& covered) {
  ComposedSurface composed = std::exchange(SlideSurface(), ComposedSurface{});
  if (composed.frame.isNull() || composed.picture != picture.cacheKey() ||
      composed.covered != covered || !surface.AdoptClearedCanvas(composed.frame, composed.back))
    return false;
  ++AdoptedCount();
  return true;
}

int PreparedSurfacesAdopted() { return AdoptedCount(); }

void MakePictureDC() { SelectPictureDC(core::form4().Picture1.Picture()); }

void PreparePicture() {
  PrepareSlidePicture();
  FitSlidePicture();
  if (core::Flags().FullScreenShowActive == 1) MakePictureDC();
}

}  // namespace engine

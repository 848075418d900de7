#include "engine/surfaces.h"

#include <QPainter>
#include <array>

#include "core/form1.h"
#include "core/form4.h"
#include "core/state.h"
#include "engine/slidescreen.h"
#include "platform/events.h"
#include "platform/picturebox.h"
#include "platform/vberror.h"

namespace engine {

namespace {

struct PictureMemory {
  QImage image;
  std::intptr_t id = 0;  // the PictureMemDC value the image belongs to
  std::intptr_t lastId = 0;
};

PictureMemory& Memory() {
  static PictureMemory memory;
  return memory;
}

const QImage& NullImage() {
  static const QImage none;
  return none;
}

}  // namespace

// ---- PictureMemDC ---------------------------------------------------------------------

void SelectPictureDC(const QImage& picture) {
  ReleasePictureDC();
  PictureMemory& m = Memory();
  m.image = picture.format() == QImage::Format_RGB32
                ? picture
                : picture.convertToFormat(QImage::Format_RGB32);
  m.id = ++m.lastId;
  core::SurfaceState& s = core::Surfaces();
  s.PictureMemDC = m.id;
  s.PictureMemDCOldObject = 0;
  s.PictureMemDCInUse = 1;
}

void ReleasePictureDC() {
  core::SurfaceState& s = core::Surfaces();
  if (s.PictureMemDC != 0 && s.PictureMemDCInUse == 1) {
    PictureMemory& m = Memory();
    m.image = QImage();
    m.id = 0;
    s.PictureMemDCInUse = 0;
  }
}

const QImage& PictureMemDCImage() {
  const core::SurfaceState& s = core::Surfaces();
  const PictureMemory& m = Memory();
  // A released or forgotten DC copies nothing, as a copy from a deleted DC failed.
  if (s.PictureMemDCInUse != 1 || s.PictureMemDC == 0 || s.PictureMemDC != m.id) return NullImage();
  return m.image;
}

QSize PictureHolderSize() {
  if (core::Form4* f4 = core::Form4IfLoaded()) {
    const QImage& held = f4->Picture1.Picture();
    if (!held.isNull()) return held.size();
  }
  return PictureMemDCImage().size();
}

void BlitPictureTo(platform::PictureBox& box, int left, int top) {
  const QImage& picture = PictureMemDCImage();
  if (picture.isNull()) return;
  QImage& canvas = box.Canvas();
  const QRect to = QRect(QPoint(left, top), picture.size()).intersected(canvas.rect());
  if (to.isEmpty()) return;
  {
    QPainter painter(&canvas);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(to.topLeft(), picture, to.translated(-left, -top));
  }
  box.Invalidate(to);
}

// ---- background colour ------------------------------------------------------------------

std::optional<QColor> ScreenBackColor(const QString& hex, short index) {
  if (!hex.isEmpty()) {
    // The colour number takes the digit pairs last first: &HBBGGRR.
    const QString number = hex.right(2) + hex.mid(2, 2) + hex.left(2);
    uint value = 0;
    for (QChar c : number) {
      const int digit = c.isDigit() && c.unicode() < 128 ? c.unicode() - '0'
                        : (c.toUpper() >= QLatin1Char('A') && c.toUpper() <= QLatin1Char('F'))
                            ? c.toUpper().unicode() - 'A' + 10
                            : -1;
      if (digit < 0) return std::nullopt;
      value = value * 16 + static_cast<uint>(digit);
    }
    return QColor(value & 0xff, (value >> 8) & 0xff, (value >> 16) & 0xff);
  }
  static const std::array<QColor, 10> table = {
      QColor(128, 128, 128),  // 濃い灰
      QColor(192, 192, 192),  // 薄い灰
      QColor(0, 0, 0),        // 黒
      QColor(255, 192, 192),  // 薄赤
      QColor(255, 224, 192),  // 薄茶
      QColor(255, 255, 192),  // 薄黄
      QColor(192, 255, 192),  // 薄緑
      QColor(192, 255, 255),  // 薄水色
      QColor(192, 192, 255),  // 薄青
      QColor(255, 192, 255),  // 薄ピンク
  };
  if (index < 0 || index > 9) return QColor(0, 0, 0);
  return table[static_cast<size_t>(index)];
}

void ApplyScreenBackColor(Slidescreen& screen) {
  const core::ShowSettings& s = core::Settings();
  const std::optional<QColor> colour =
      ScreenBackColor(s.OverlayBackColorHex, s.OverlayBackColorIndex);
  if (!colour) return;
  platform::RunStepsIgnoringErrors({
      [&] { screen.P2.SetBackColor(*colour); },
      [&] { screen.P3.SetBackColor(*colour); },
      [&] { screen.P4.SetBackColor(*colour); },
  });
}

void ApplyScreenBackColor() {
  platform::TryStep([] { ApplyScreenBackColor(slidescreen()); });
}

// ---- presenting ---------------------------------------------------------------------------

void PresentImagingBitmap() {
  ReleasePictureDC();
  core::Form4& f4 = core::form4();
  f4.Lead1.SetColorResolution(24, 4, 0, 0);
  core::Form1& f1 = core::form1();
  f1.Picture1.Cls();
  f4.Picture1.ClearPicture();
  f4.Picture1.SetPicture(f4.Lead1.ImagePicture());
  f1.Picture1.SetPicture(f4.Picture1.Picture());
  const core::ShowSettings& s = core::Settings();
  const core::SurfaceState& surfaces = core::Surfaces();
  if (core::Flags().FullScreenShowActive == 1) {
    // A closed show window is not brought back for this.
    Slidescreen* screen = SlidescreenIfLoaded();
    if (screen && s.OverlayMode == 0 && s.TextOriginScreen == 1) {
      screen->P2.Cls();
      screen->P2.ClearPicture();
    }
    platform::DoEvents();
    SelectPictureDC(f4.Picture1.Picture());
    if ((screen = SlidescreenIfLoaded()) != nullptr) {
      for (platform::PictureBox* box : {&screen->P2, &screen->P3, &screen->P4})
        BlitPictureTo(*box, surfaces.PictureLeft, surfaces.PictureTop);
    }
  }
  f1.Picture1.SetCurrentX(0);
  // The macro text's top edge: the screen's top, or the picture's top.
  if (Slidescreen* screen = SlidescreenIfLoaded())
    screen->P2.SetCurrentY(s.TextOriginScreen != 0 ? 0 : surfaces.PictureTop);
}

}  // namespace engine

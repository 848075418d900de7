// The slot controls, their pixel positions and the local repair of the show surface.
#include "showbuttons/button_controls.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <cstring>

#include "core/form1.h"
#include "core/state.h"
#include "engine/slidescreen.h"
#include "platform/picturebox.h"

Q_LOGGING_CATEGORY(lcButtons, "slideshow.buttons")

namespace showbuttons {

platform::PictureBox& ShowCopy(int n) { return engine::slidescreen().Picture1(n); }
platform::PictureBox& WindowCopy(int n) { return core::form1().Picture2(n); }

platform::PictureBox& CopyInUse(int n) {
  return core::Flags().FullScreenShowActive == 1 ? ShowCopy(n) : WindowCopy(n);
}

int PixelLeft(const platform::PictureBox& control) {
  return control.x() - platform::ContainerOrigin(control.parentWidget()).x();
}

int PixelTop(const platform::PictureBox& control) {
  return control.y() - platform::ContainerOrigin(control.parentWidget()).y();
}

void MoveToPixels(platform::PictureBox& control, int left, int top) {
  control.move(platform::ContainerOrigin(control.parentWidget()) + QPoint(left, top));
}

void MoveWidgetToPixels(QWidget& control, int left, int top) {
  control.move(platform::ContainerOrigin(control.parentWidget()) + QPoint(left, top));
}

QRect PixelRect(const QWidget& control) {
  return control.geometry().translated(-platform::ContainerOrigin(control.parentWidget()));
}

void ShowMouseCursor() {
  while (QGuiApplication::overrideCursor() &&
         QGuiApplication::overrideCursor()->shape() == Qt::BlankCursor)
    QGuiApplication::restoreOverrideCursor();
  if (engine::Slidescreen* screen = engine::SlidescreenIfLoaded()) {
    for (QWidget* w : std::initializer_list<QWidget*>{screen, screen->Client(), &screen->P2})
      if (w && w->cursor().shape() == Qt::BlankCursor) w->unsetCursor();
  }
}

int ClientWidth(const platform::PictureBox& control) { return control.contentsRect().width(); }
int ClientHeight(const platform::PictureBox& control) { return control.contentsRect().height(); }

void RepairFromBackground(const QRect& pixels) {
  engine::Slidescreen& screen = engine::slidescreen();
  const QImage& background = screen.P3.Image();
  QImage& canvas = screen.P2.Canvas();
  const QRect r = pixels.normalized() & canvas.rect() & background.rect();
  if (r.isEmpty()) return;
  if (canvas.format() == background.format() && canvas.depth() == 32) {
    // Row copies: a step of a move repairs a strip or a box, and a painter on the whole
    // surface would cost more than the copy.
    const qsizetype offset = qsizetype(r.left()) * 4, bytes = qsizetype(r.width()) * 4;
    uchar* to = canvas.bits() + qsizetype(r.top()) * canvas.bytesPerLine() + offset;
    const uchar* from =
        background.constBits() + qsizetype(r.top()) * background.bytesPerLine() + offset;
    for (int y = r.top(); y <= r.bottom(); ++y) {
      std::memcpy(to, from, bytes);
      to += canvas.bytesPerLine();
      from += background.bytesPerLine();
    }
  } else {
    QPainter p(&canvas);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(r.topLeft(), background, r);
  }
  screen.P2.Invalidate(r);
}

bool Step(const char* what, const std::function<void()>& step) {
  try {
    step();
    return true;
  } catch (const std::exception& e) {
    qCWarning(lcButtons) << "button step skipped:" << what << "-" << e.what();
    return false;
  }
}

QString CurrentPictureFolder() {
  const core::ListState& lists = core::Lists();
  const QString path = lists.SlidePaths[lists.CurrentSlideIndex];
  const qsizetype cut = path.lastIndexOf(QLatin1Char('/'));
  return cut < 0 ? QString() : path.left(cut + 1);
}

QString CompleteFileName(const QString& name) {
  return ResolveCase(name.contains(QLatin1Char('/')) ? name : CurrentPictureFolder() + name);
}

QString ResolveCase(const QString& path) {
  const QFileInfo info(path);
  if (info.exists() || info.fileName().isEmpty()) return path;
  const QDir dir = info.dir();
  const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
  for (const QString& entry : entries) {
    if (entry.compare(info.fileName(), Qt::CaseInsensitive) == 0) return dir.filePath(entry);
  }
  return path;
}

}  // namespace showbuttons

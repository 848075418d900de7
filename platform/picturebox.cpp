#include "platform/picturebox.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QThreadPool>
#include <utility>

namespace platform {

namespace {

// Drawing happens at 96 dots per inch, the resolution the twips assume, so that
// point sizes come out as on the original's screen.
constexpr int kDotsPerMeter96 = 3780;

QImage NewCanvas(QSize size) {
  QImage img(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  img.setDotsPerMeterX(kDotsPerMeter96);
  img.setDotsPerMeterY(kDotsPerMeter96);
  return img;
}

}  // namespace

PictureBox::PictureBox(QWidget* parent) : ControlBase(parent) {
  backColor_ = palette().color(QPalette::Window);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  SetBorderStyle(1);
  canvas_ = NewCanvas(contentsRect().size());
  FillBackground(canvas_);
}

int PictureBox::ScaleWidth() const {
  return static_cast<int>(RoundHalfEven(contentsRect().width() * UnitsPerPixel()));
}

int PictureBox::ScaleHeight() const {
  return static_cast<int>(RoundHalfEven(contentsRect().height() * UnitsPerPixel()));
}

void PictureBox::SetBorderStyle(int style) {
  if (style != 0 && style != 1) throw VbError(kErrInvalidPropertyValue, "BorderStyle");
  borderStyle_ = style;
  if (style == 1) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
  } else {
    setFrameStyle(QFrame::NoFrame);
    setLineWidth(0);
  }
  ResizeCanvas();
}

void PictureBox::SetAutoSize(bool on) {
  autoSize_ = on;
  if (on && !picture_.isNull()) {
    const int f = 2 * frameWidth();
    resize(picture_.width() + f, picture_.height() + f);
  }
}

void PictureBox::SetBackColor(const QColor& c) {
  backColor_ = c;
  QPalette p = palette();
  p.setColor(QPalette::Window, c);
  setPalette(p);
  Cls();
}

void PictureBox::SetDrawWidth(int pixels) {
  if (pixels < 1 || pixels > 32767) throw VbError(kErrInvalidPropertyValue, "DrawWidth");
  drawWidth_ = pixels;
}

namespace {

// Giving a large picture's memory back to the system costs a slide change milliseconds
// (the pages unmapped on every core); a pool thread does it instead.
void ReleaseElsewhere(QImage&& image) {
  if (image.sizeInBytes() < (1 << 20) || !image.isDetached()) return;
  QThreadPool::globalInstance()->start([held = std::move(image)]() mutable { held = QImage(); });
}

}  // namespace

void PictureBox::SetPicture(const QImage& image) {
  ReleaseElsewhere(std::exchange(picture_, image));
  if (autoSize_ && !image.isNull()) SetAutoSize(true);
  Cls();
}

// ---- backing store ------------------------------------------------------------------

void PictureBox::FillBackground(QImage& image, const QRect& spared) const {
  if (spared.isEmpty()) {
    image.fill(backColor_);
    if (picture_.isNull()) return;
  }
  QPainter p(&image);
  if (!spared.isEmpty()) {
    p.setClipRegion(QRegion(image.rect()).subtracted(QRegion(spared)));
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(image.rect(), backColor_);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  }
  if (!picture_.isNull()) p.drawImage(0, 0, picture_);
}

const QImage& PictureBox::Image() const {
  ResizeCanvas();
  return canvas_;
}

QImage& PictureBox::Canvas() {
  ++drawingStamp_;
  ResizeCanvas();
  return canvas_;
}

void PictureBox::ResizeCanvas(const QRect& covered) const {
  const QSize size = contentsRect().size().expandedTo(QSize(1, 1));
  if (canvas_.size() != size) {
    QImage next = NewCanvas(size);
    if (!backgroundPending_) {  // the drawing so far is kept
      FillBackground(next);
      if (!canvas_.isNull()) {
        QPainter p(&next);
        p.drawImage(0, 0, canvas_);
      }
    }
    canvas_ = next;
  }
  // The background only around the area a caller is about to overwrite.
  if (backgroundPending_) FillBackground(canvas_, covered.intersected(canvas_.rect()));
  backgroundPending_ = false;
}

QImage& PictureBox::CanvasToCover(const QRect& pixels) {
  ++drawingStamp_;
  ResizeCanvas(pixels);
  return canvas_;
}

bool PictureBox::AdoptClearedCanvas(QImage& frame, const QColor& frameBack) {
  if (!backgroundPending_ || !picture_.isNull() || frameBack.rgb() != backColor_.rgb() ||
      frame.size() != contentsRect().size() || frame.format() != QImage::Format_RGB32)
    return false;
  ++drawingStamp_;
  frame.setDotsPerMeterX(kDotsPerMeter96);
  frame.setDotsPerMeterY(kDotsPerMeter96);
  ReleaseElsewhere(std::exchange(canvas_, std::exchange(frame, QImage())));
  backgroundPending_ = false;
  update();
  return true;
}

void PictureBox::Invalidate(const QRect& pixels) {
  if (pixels.isNull())
    update();
  else
    update(pixels.translated(contentsRect().topLeft()).adjusted(-1, -1, 1, 1));
}

QPoint PictureBox::ToPixels(double x, double y) const {
  const double u = UnitsPerPixel();
  return QPoint(static_cast<int>(RoundHalfEven(x / u)), static_cast<int>(RoundHalfEven(y / u)));
}

void PictureBox::paintEvent(QPaintEvent* e) {
  ResizeCanvas();
  QPainter p(this);
  const QRect inner = contentsRect();
  p.setClipRect(e->rect());
  p.fillRect(rect(), backColor_);
  p.drawImage(inner.topLeft(), canvas_);
  p.end();
  QFrame::paintEvent(e);
}

void PictureBox::resizeEvent(QResizeEvent* e) {
  QFrame::resizeEvent(e);
  ResizeCanvas();
  update();
  emit Resize();
}

// ---- drawing --------------------------------------------------------------------------

void PictureBox::Cls() {
  ++drawingStamp_;
  // Laid when the drawing is next read, drawn on or painted: a box cleared again or
  // hidden costs nothing.
  backgroundPending_ = true;
  currentX_ = 0;
  currentY_ = 0;
  update();
}

void PictureBox::PSet(double x, double y, std::optional<QColor> color) {
  ++drawingStamp_;
  ResizeCanvas();
  const QPoint pt = ToPixels(x, y);
  const QColor c = DrawColor(color);
  if (drawWidth_ <= 1) {
    if (canvas_.rect().contains(pt)) canvas_.setPixelColor(pt, c);
  } else {
    QPainter p(&canvas_);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    const int d = drawWidth_;
    p.drawEllipse(QRect(pt.x() - d / 2, pt.y() - d / 2, d, d));
  }
  currentX_ = x;
  currentY_ = y;
  Invalidate(QRect(pt, QSize(1, 1)).adjusted(-drawWidth_, -drawWidth_, drawWidth_, drawWidth_));
}

void PictureBox::Line(double x1, double y1, double x2, double y2, std::optional<QColor> color,
                      LineKind kind) {
  ++drawingStamp_;
  ResizeCanvas();
  const QPoint a = ToPixels(x1, y1), b = ToPixels(x2, y2);
  const QColor c = DrawColor(color);
  const QRect box = QRect(a, b).normalized();
  {
    QPainter p(&canvas_);
    if (kind == LineKind::kFilledBox) {
      p.fillRect(box, c);
    } else {
      QPen pen(c);
      pen.setWidth(drawWidth_ <= 1 ? 0 : drawWidth_);
      pen.setCapStyle(Qt::SquareCap);
      pen.setJoinStyle(Qt::MiterJoin);
      p.setPen(pen);
      if (kind == LineKind::kBox)
        p.drawRect(QRect(box.topLeft(), box.size() - QSize(1, 1)));
      else if (a == b)
        p.drawPoint(a);
      else
        p.drawLine(a, b);
    }
  }
  currentX_ = x2;
  currentY_ = y2;
  Invalidate(box.adjusted(-drawWidth_, -drawWidth_, drawWidth_, drawWidth_));
}

void PictureBox::LineTo(double x2, double y2, std::optional<QColor> color, LineKind kind) {
  Line(currentX_, currentY_, x2, y2, color, kind);
}

long PictureBox::Point(double x, double y) const {
  ResizeCanvas();
  const QPoint pt = ToPixels(x, y);
  if (!canvas_.rect().contains(pt) || !contentsRect().size().isValid()) return -1;
  return ToVbColor(canvas_.pixelColor(pt));
}

double PictureBox::TextWidth(const QString& text) const {
  ResizeCanvas();
  QFontMetricsF fm(font(), &const_cast<QImage&>(canvas_));
  double widest = 0;
  for (const QString& line :
       QString(text).replace("\r\n", "\n").split(QRegularExpression("[\r\n]")))
    widest = std::max(widest, fm.horizontalAdvance(line));
  return widest * UnitsPerPixel();
}

double PictureBox::TextHeight(const QString& text) const {
  ResizeCanvas();
  QFontMetricsF fm(font(), &const_cast<QImage&>(canvas_));
  const auto rows = QString(text).replace("\r\n", "\n").split(QRegularExpression("[\r\n]"));
  return fm.height() * std::max<qsizetype>(1, rows.size()) * UnitsPerPixel();
}

void PictureBox::Print(const QString& text, bool newLine) {
  ++drawingStamp_;
  ResizeCanvas();
  const QString normal = QString(text).replace("\r\n", "\n").replace('\r', '\n');
  const QStringList rows = normal.split('\n');
  QPainter p(&canvas_);
  p.setFont(font());
  p.setPen(ForeColor());
  const QFontMetricsF fm(font(), &canvas_);
  const double u = UnitsPerPixel();
  QRect dirty;
  for (qsizetype i = 0; i < rows.size(); ++i) {
    const QString& row = rows[i];
    const double px = currentX_ / u, py = currentY_ / u;
    const QRectF cell(px, py, fm.horizontalAdvance(row), fm.height());
    if (!row.isEmpty()) {
      if (!fontTransparent_) p.fillRect(cell, backColor_);
      p.drawText(QPointF(px, py + fm.ascent()), row);
      dirty |= cell.toAlignedRect();
      currentX_ += fm.horizontalAdvance(row) * u;
    }
    if (i + 1 < rows.size()) {
      currentX_ = 0;
      currentY_ += fm.height() * u;
    }
  }
  p.end();
  if (newLine) {
    currentX_ = 0;
    currentY_ += fm.height() * u;
  }
  Invalidate(dirty.adjusted(-2, -2, 2, 2));
}

void PictureBox::PaintPicture(const QImage& image, double x, double y, double w, double h,
                              double srcX, double srcY, double srcW, double srcH) {
  ++drawingStamp_;
  ResizeCanvas();
  if (image.isNull()) return;
  const double u = UnitsPerPixel();
  const QPoint at = ToPixels(x, y);
  const QRect src(
      ToPixels(srcX, srcY),
      QSize(srcW == kKeep ? image.width() - static_cast<int>(srcX / u) : UnitsToPixels(srcW, u),
            srcH == kKeep ? image.height() - static_cast<int>(srcY / u) : UnitsToPixels(srcH, u)));
  const QRect dst(at, QSize(w == kKeep ? src.width() : UnitsToPixels(w, u),
                            h == kKeep ? src.height() : UnitsToPixels(h, u)));
  {
    QPainter p(&canvas_);
    p.setRenderHint(QPainter::SmoothPixmapTransform, dst.size() != src.size());
    p.drawImage(dst, image, src);
  }
  Invalidate(dst.normalized());
}

// ---- events ------------------------------------------------------------------------

template <class Signal>
void PictureBox::EmitMouse(QMouseEvent* e, Signal signal) {
  const QPointF at = e->position() - contentsRect().topLeft();
  const double u = UnitsPerPixel();
  const int button =
      e->type() == QEvent::MouseMove ? VbMouseButton(e->buttons()) : VbMouseButton(e->button());
  (this->*signal)(button, VbShiftState(e->modifiers()), at.x() * u, at.y() * u);
}

void PictureBox::mousePressEvent(QMouseEvent* e) { EmitMouse(e, &PictureBox::MouseDown); }

void PictureBox::mouseReleaseEvent(QMouseEvent* e) {
  EmitMouse(e, &PictureBox::MouseUp);
  if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit Click();
}

void PictureBox::mouseMoveEvent(QMouseEvent* e) { EmitMouse(e, &PictureBox::MouseMove); }

void PictureBox::mouseDoubleClickEvent(QMouseEvent*) { emit DblClick(); }

void PictureBox::keyPressEvent(QKeyEvent* e) {
  int code = VbKeyCode(e->key());
  if (code != 0) {
    emit KeyDown(code, VbShiftState(e->modifiers()));
    if (code == 0) return;
  }
  if (e->text().size() == 1) {
    int ascii = e->text().at(0).unicode();
    emit KeyPress(ascii);
  }
  QFrame::keyPressEvent(e);
}

}  // namespace platform

#pragma once
// The picture box: a persistent image (the backing store) that the widget
// paints. Every drawing call draws into the image and marks its area for repaint,
// so what was drawn survives hiding, covering and resizing, and can be read back
// (Point, Image) also while the box is hidden.
//
// As in the original a new box counts in twips (SetScaleMode(ScaleMode::kPixels)
// for pixel surfaces) and has a 2-pixel sunken border (SetBorderStyle(0) for a
// borderless surface). Coordinates of drawing calls, CurrentX/CurrentY, mouse
// events and child controls are in the box's scale units, from the inner corner.
#include <QFrame>
#include <QImage>
#include <optional>

#include "platform/controls_base.h"

namespace platform {

class PictureBox : public ControlBase<QFrame>, public ControlContainer {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent);

  // ---- scale and frame ----------------------------------------------------------
  ScaleMode GetScaleMode() const { return scaleMode_; }
  void SetScaleMode(ScaleMode mode) { scaleMode_ = mode; }
  double UnitsPerPixel() const override { return platform::UnitsPerPixel(scaleMode_); }
  QPoint ClientOrigin() const override { return contentsRect().topLeft(); }
  // Inner size in scale units.
  int ScaleWidth() const;
  int ScaleHeight() const;
  // 0 none, 1 fixed single (2-pixel sunken border).
  int BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(int style);
  // Kept for the callers; the image is always persistent.
  bool AutoRedraw() const { return autoRedraw_; }
  void SetAutoRedraw(bool on) { autoRedraw_ = on; }
  // Sized to its picture when one is set.
  void SetAutoSize(bool on);

  // ---- colours and text settings ----------------------------------------------------
  // Setting the background colour clears the drawing, as in the original.
  void SetBackColor(const QColor& c) override;
  bool FontTransparent() const { return fontTransparent_; }
  void SetFontTransparent(bool on) { fontTransparent_ = on; }
  int DrawWidth() const { return drawWidth_; }
  void SetDrawWidth(int pixels);
  double CurrentX() const { return currentX_; }
  double CurrentY() const { return currentY_; }
  void SetCurrentX(double x) { currentX_ = x; }
  void SetCurrentY(double y) { currentY_ = y; }

  // ---- picture -------------------------------------------------------------------
  // The background picture: Cls keeps it, drawing goes over it.
  const QImage& Picture() const { return picture_; }
  // Sets the background picture and clears the drawing down to it.
  void SetPicture(const QImage& image);
  void ClearPicture() { SetPicture(QImage()); }
  // What the box shows (background, picture and drawing).
  const QImage& Image() const;

  // ---- drawing (scale units) ---------------------------------------------------------
  // Erases drawing and text down to the background colour and picture; the
  // drawing position returns to (0, 0).
  void Cls();
  void PSet(double x, double y, std::optional<QColor> color = {});
  enum class LineKind { kLine, kBox, kFilledBox };
  // A line (or box) from (x1, y1) to (x2, y2) in `color` (ForeColor when none);
  // the drawing position moves to the end point.
  void Line(double x1, double y1, double x2, double y2, std::optional<QColor> color = {},
            LineKind kind = LineKind::kLine);
  // A line from the drawing position.
  void LineTo(double x2, double y2, std::optional<QColor> color = {},
              LineKind kind = LineKind::kLine);
  // The colour at a point as &HBBGGRR, or -1 outside the box.
  long Point(double x, double y) const;
  // Draws text at the drawing position in ForeColor and the box's font and moves
  // the drawing position past it; a CR (or CR LF, LF) starts a new row at x = 0.
  // With newLine the position moves to the start of the next row afterwards.
  void Print(const QString& text, bool newLine = false);
  double TextWidth(const QString& text) const;
  double TextHeight(const QString& text = QStringLiteral("A")) const;
  // Draws `image` (or its part from src) at (x, y), stretched to w by h when given.
  void PaintPicture(const QImage& image, double x, double y, double w = kKeep, double h = kKeep,
                    double srcX = 0, double srcY = 0, double srcW = kKeep, double srcH = kKeep);

  // ---- direct access for the drawing layer (pixels) -----------------------------------
  // The backing image in pixels; draw into it and call Invalidate for the area.
  QImage& Canvas();
  // The backing image for a caller that overwrites all of `pixels` (the part inside the
  // box) before anything else reads or paints the box: a background still due after Cls
  // is laid only around them.
  QImage& CanvasToCover(const QRect& pixels);
  // Takes `frame` as the whole drawing of a box cleared since it was last drawn on, when
  // the frame is the inner area's size in the canvas's format, the box has no picture and
  // `frameBack` is its back colour: the caller composed in it what it would have drawn
  // onto the cleared box. False leaves the box and the frame as they were.
  bool AdoptClearedCanvas(QImage& frame, const QColor& frameBack);
  // Changes whenever the drawing may have changed: a test that it is still what a caller
  // drew.
  quint64 DrawingStamp() const { return drawingStamp_; }
  void Invalidate(const QRect& pixels = QRect());
  // Pixel position of scale coordinates, halves to even.
  QPoint ToPixels(double x, double y) const;

 signals:
  void Click();
  void DblClick();
  void MouseDown(int button, int shift, double x, double y);
  void MouseUp(int button, int shift, double x, double y);
  void MouseMove(int button, int shift, double x, double y);
  void KeyDown(int& keyCode, int shift);
  void KeyPress(int& keyAscii);
  void Resize();

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void FontChanged() override {}

 private:
  // Keeps the image the size of the inner area (hidden boxes get no resize events) and
  // lays the background that Cls left due.
  // `covered`: an area the caller overwrites next, left out of a background still due.
  void ResizeCanvas(const QRect& covered = QRect()) const;
  // The back colour and the picture, outside `spared` when it is given.
  void FillBackground(QImage& image, const QRect& spared = QRect()) const;
  QColor DrawColor(const std::optional<QColor>& c) const { return c ? *c : ForeColor(); }
  template <class Signal>
  void EmitMouse(QMouseEvent* e, Signal signal);

  mutable QImage canvas_;
  mutable bool backgroundPending_ = false;
  quint64 drawingStamp_ = 0;
  QImage picture_;
  QColor backColor_;
  ScaleMode scaleMode_ = ScaleMode::kTwips;
  int borderStyle_ = 1;
  int drawWidth_ = 1;
  bool autoRedraw_ = false;
  bool autoSize_ = false;
  bool fontTransparent_ = true;
  double currentX_ = 0;
  double currentY_ = 0;
};

}  // namespace platform

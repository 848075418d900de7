#pragma once
// What every control shares: colours in the original's forms, key and mouse codes,
// and geometry in the units of the control's container (twips on a window,
// the scale mode of a picture box).
#include <QColor>
#include <QFont>
#include <QPoint>
#include <QWidget>
#include <algorithm>

#include "platform/twips.h"
#include "platform/vberror.h"

class QKeyEvent;
class QMouseEvent;

namespace platform {

constexpr int kErrInvalidPropertyValue = 380;
constexpr int kErrInvalidPropertyIndex = 381;

// ---- colours ----------------------------------------------------------------
// The original's colour numbers are &HBBGGRR; these convert both ways.
QColor RGB(int r, int g, int b);
QColor VbColor(long bgr);
long ToVbColor(const QColor& c);
// The 16-colour palette (0 black .. 7 light grey, 8 grey .. 15 bright white);
// an index outside 0..15 raises error 5.
QColor QBColor(int index);

// ---- keys and mouse -----------------------------------------------------------
// Key codes as the handlers expect them (27 Esc, 13 Enter, 37..40 arrows,
// 45 Insert, 46 Delete, 65..90 letters, 112.. F1..); 0 for keys without one.
int VbKeyCode(int qtKey);
// Shift state bits: 1 Shift, 2 Ctrl, 4 Alt.
int VbShiftState(Qt::KeyboardModifiers mods);
// Mouse button codes: 1 left, 2 right, 4 middle.
int VbMouseButton(Qt::MouseButtons buttons);

// Key constants the handlers compare with.
constexpr int vbKeyBack = 8, vbKeyTab = 9, vbKeyReturn = 13, vbKeyEscape = 27, vbKeySpace = 32,
              vbKeyPageUp = 33, vbKeyPageDown = 34, vbKeyEnd = 35, vbKeyHome = 36, vbKeyLeft = 37,
              vbKeyUp = 38, vbKeyRight = 39, vbKeyDown = 40, vbKeyInsert = 45, vbKeyDelete = 46;

// ---- containers -------------------------------------------------------------
// A widget whose children are placed in its own units (a window's client area,
// a picture box). Other parents count in twips from their top-left corner.
class ControlContainer {
 public:
  virtual ~ControlContainer() = default;
  virtual double UnitsPerPixel() const = 0;
  // Top-left of the area children are placed in (inside a border).
  virtual QPoint ClientOrigin() const { return {}; }
};

// A window hands out the widget its controls are children of (below its menu bar).
class ControlHost {
 public:
  virtual ~ControlHost() = default;
  virtual QWidget* HostWidget() = 0;
};

// The widget a control built with `parent` becomes a child of.
QWidget* ControlParent(QWidget* parent);
double ContainerUnitsPerPixel(const QWidget* container);
QPoint ContainerOrigin(const QWidget* container);

// Rounds a length in container units to pixels, halves to even.
inline int UnitsToPixels(double units, double unitsPerPixel) {
  return static_cast<int>(RoundHalfEven(units / unitsPerPixel));
}

// Sentinel for Move: keep the current width or height.
constexpr double kKeep = -1e300;

// Geometry, visibility, enabled state, font and colours for any control widget.
template <class W>
class ControlBase : public W {
 public:
  explicit ControlBase(QWidget* parent) : W(ControlParent(parent)) {}

  int Left() const { return ToUnits(this->x() - Origin().x()); }
  int Top() const { return ToUnits(this->y() - Origin().y()); }
  int Width() const { return ToUnits(this->width()); }
  int Height() const { return ToUnits(this->height()); }
  void SetLeft(double v) { Move(v, Top()); }
  void SetTop(double v) { Move(Left(), v); }
  void SetWidth(double v) { Move(Left(), Top(), v); }
  void SetHeight(double v) { Move(Left(), Top(), kKeep, v); }
  // Left and top are in the container's units; width and height too (kKeep keeps).
  void Move(double left, double top, double width = kKeep, double height = kKeep) {
    const double u = Units();
    const QPoint o = Origin();
    int w = width == kKeep ? this->width() : std::max(0, UnitsToPixels(width, u));
    int h = height == kKeep ? this->height() : std::max(0, UnitsToPixels(height, u));
    this->setGeometry(o.x() + UnitsToPixels(left, u), o.y() + UnitsToPixels(top, u), w, h);
  }

  // The control's own setting, whether or not its window is shown.
  bool Visible() const {
    return this->parentWidget() ? this->isVisibleTo(this->parentWidget()) : this->isVisible();
  }
  void SetVisible(bool v) { this->setVisible(v); }
  bool Enabled() const { return !this->testAttribute(Qt::WA_ForceDisabled); }
  void SetEnabled(bool v) { this->setEnabled(v); }
  // Focus on a hidden or disabled control is an invalid call, as in the original.
  void SetFocus() {
    if (!this->isVisible() || !this->isEnabled()) throw VbError(kErrInvalidCall, "SetFocus");
    this->setFocus(Qt::OtherFocusReason);
  }
  void Refresh() { this->repaint(); }
  void ZOrder(int position = 0) { position == 0 ? this->raise() : this->lower(); }

  QString FontName() const { return this->font().family(); }
  void SetFontName(const QString& name) {
    ChangeFont([&](QFont& f) { f.setFamily(name); });
  }
  double FontSize() const { return this->font().pointSizeF(); }
  void SetFontSize(double points) {
    ChangeFont([&](QFont& f) { f.setPointSizeF(points > 0 ? points : 1); });
  }
  bool FontBold() const { return this->font().bold(); }
  void SetFontBold(bool v) {
    ChangeFont([&](QFont& f) { f.setBold(v); });
  }
  bool FontItalic() const { return this->font().italic(); }
  void SetFontItalic(bool v) {
    ChangeFont([&](QFont& f) { f.setItalic(v); });
  }
  bool FontUnderline() const { return this->font().underline(); }
  void SetFontUnderline(bool v) {
    ChangeFont([&](QFont& f) { f.setUnderline(v); });
  }

  QColor ForeColor() const { return this->palette().color(QPalette::WindowText); }
  void SetForeColor(const QColor& c) {
    QPalette p = this->palette();
    for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
      p.setColor(role, c);
    this->setPalette(p);
  }
  QColor BackColor() const { return this->palette().color(QPalette::Window); }
  virtual void SetBackColor(const QColor& c) {
    QPalette p = this->palette();
    for (auto role : {QPalette::Window, QPalette::Button, QPalette::Base}) p.setColor(role, c);
    this->setPalette(p);
    this->setAutoFillBackground(true);
  }

  QString Tag() const { return tag_; }
  void SetTag(const QString& t) { tag_ = t; }
  QString ToolTipText() const { return this->toolTip(); }
  void SetToolTipText(const QString& t) { this->setToolTip(t); }

 protected:
  double Units() const { return ContainerUnitsPerPixel(this->parentWidget()); }
  QPoint Origin() const { return ContainerOrigin(this->parentWidget()); }
  int ToUnits(int pixels) const { return static_cast<int>(RoundHalfEven(pixels * Units())); }
  template <class F>
  void ChangeFont(F&& change) {
    QFont f = this->font();
    change(f);
    this->setFont(f);
    FontChanged();
  }
  // Lets auto-sized controls follow a font change.
  virtual void FontChanged() {}

 private:
  QString tag_;
};

}  // namespace platform

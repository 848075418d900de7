#include "platform/controls_base.h"

#include <array>

namespace platform {

QColor RGB(int r, int g, int b) {
  return QColor(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255));
}

QColor VbColor(long bgr) {
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

long ToVbColor(const QColor& c) {
  return static_cast<long>(c.red()) | (static_cast<long>(c.green()) << 8) |
         (static_cast<long>(c.blue()) << 16);
}

QColor QBColor(int index) {
  static constexpr std::array<std::array<int, 3>, 16> kPalette = {{{0, 0, 0},
                                                                   {0, 0, 128},
                                                                   {0, 128, 0},
                                                                   {0, 128, 128},
                                                                   {128, 0, 0},
                                                                   {128, 0, 128},
                                                                   {128, 128, 0},
                                                                   {192, 192, 192},
                                                                   {128, 128, 128},
                                                                   {0, 0, 255},
                                                                   {0, 255, 0},
                                                                   {0, 255, 255},
                                                                   {255, 0, 0},
                                                                   {255, 0, 255},
                                                                   {255, 255, 0},
                                                                   {255, 255, 255}}};
  if (index < 0 || index > 15) throw VbError(kErrInvalidCall, "QBColor");
  const auto& c = kPalette[static_cast<size_t>(index)];
  return QColor(c[0], c[1], c[2]);
}

int VbKeyCode(int key) {
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return 65 + (key - Qt::Key_A);
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return 48 + (key - Qt::Key_0);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F16) return 112 + (key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Backspace:
      return vbKeyBack;
    case Qt::Key_Tab:
      return vbKeyTab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return vbKeyReturn;
    case Qt::Key_Escape:
      return vbKeyEscape;
    case Qt::Key_Space:
      return vbKeySpace;
    case Qt::Key_PageUp:
      return vbKeyPageUp;
    case Qt::Key_PageDown:
      return vbKeyPageDown;
    case Qt::Key_End:
      return vbKeyEnd;
    case Qt::Key_Home:
      return vbKeyHome;
    case Qt::Key_Left:
      return vbKeyLeft;
    case Qt::Key_Up:
      return vbKeyUp;
    case Qt::Key_Right:
      return vbKeyRight;
    case Qt::Key_Down:
      return vbKeyDown;
    case Qt::Key_Insert:
      return vbKeyInsert;
    case Qt::Key_Delete:
      return vbKeyDelete;
    case Qt::Key_Shift:
      return 16;
    case Qt::Key_Control:
      return 17;
    case Qt::Key_Alt:
      return 18;
    case Qt::Key_Pause:
      return 19;
    default:
      return 0;
  }
}

int VbShiftState(Qt::KeyboardModifiers mods) {
  int s = 0;
  if (mods & Qt::ShiftModifier) s |= 1;
  if (mods & Qt::ControlModifier) s |= 2;
  if (mods & Qt::AltModifier) s |= 4;
  return s;
}

int VbMouseButton(Qt::MouseButtons buttons) {
  int b = 0;
  if (buttons & Qt::LeftButton) b |= 1;
  if (buttons & Qt::RightButton) b |= 2;
  if (buttons & Qt::MiddleButton) b |= 4;
  return b;
}

QWidget* ControlParent(QWidget* parent) {
  if (auto* host = dynamic_cast<ControlHost*>(parent)) return host->HostWidget();
  return parent;
}

double ContainerUnitsPerPixel(const QWidget* container) {
  if (auto* c = dynamic_cast<const ControlContainer*>(container)) return c->UnitsPerPixel();
  return TwipsPerPixelX;
}

QPoint ContainerOrigin(const QWidget* container) {
  if (auto* c = dynamic_cast<const ControlContainer*>(container)) return c->ClientOrigin();
  return {};
}

}  // namespace platform

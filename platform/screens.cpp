#include "platform/screens.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace platform {

QList<QScreen*> DisplayMonitors() {
  QList<QScreen*> screens = QGuiApplication::screens();
  QScreen* primary = QGuiApplication::primaryScreen();
  if (primary && !screens.isEmpty() && screens.first() != primary) {
    screens.removeOne(primary);
    screens.prepend(primary);
  }
  return screens;
}

QRect MonitorRect(const QScreen* screen) { return screen ? screen->geometry() : QRect(); }

QRect WindowDesktopRect(const QWidget* window) {
  if (!window) return {};
  if (window->isWindow()) return window->frameGeometry();
  return QRect(window->mapToGlobal(QPoint(0, 0)), window->size());
}

QScreen* MonitorOfWindow(const QWidget* window) {
  if (!window) return nullptr;
  const QRect rect = WindowDesktopRect(window);
  QScreen* best = nullptr;
  qint64 bestArea = 0;
  for (QScreen* screen : DisplayMonitors()) {
    const QRect common = rect.intersected(screen->geometry());
    const qint64 area = common.isEmpty() ? 0 : qint64(common.width()) * common.height();
    if (area > bestArea) {
      bestArea = area;
      best = screen;
    }
  }
  if (best || !rect.isEmpty()) return best;
  for (QScreen* screen : DisplayMonitors()) {
    if (screen->geometry().contains(rect.topLeft())) return screen;
  }
  return nullptr;
}

}  // namespace platform

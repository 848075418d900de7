#pragma once
// The display monitors as Qt sees them: whole rectangles in desktop pixels
// (device-independent), and the monitor that holds a window.
#include <QList>
#include <QRect>

class QScreen;
class QWidget;

namespace platform {

// The monitors in the system's order, the primary one first.
QList<QScreen*> DisplayMonitors();

// A monitor's whole rectangle (not its work area) in desktop pixels.
QRect MonitorRect(const QScreen* screen);

// The window's rectangle on the desktop: its frame for a top-level window, its
// mapped rectangle for a child.
QRect WindowDesktopRect(const QWidget* window);

// The monitor that holds the window: the one with the largest share of its rectangle
// (a zero-size window: the one that holds its corner). nullptr when it lies on none,
// or for no window.
QScreen* MonitorOfWindow(const QWidget* window);

}  // namespace platform

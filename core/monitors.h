#pragma once
// The monitor table (Monitors() in state.h) and the placement of windows on the
// monitor that holds the main window. Positions and sizes are in twips.
#include <QPoint>
#include <initializer_list>

class QRect;
class QScreen;
class QWidget;

namespace core {

constexpr int kMaxMonitors = 11;

struct TwipsRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

// Enters one monitor (its whole rectangle in desktop pixels) at index MonitorCount,
// unless the table already holds 11. Always true, so an enumeration goes on.
bool EnterMonitor(QScreen* handle, const QRect& pixels);

// Builds the table afresh from the monitors present, primary first.
void BuildMonitorTable();

// Position in MonitorHandles of the monitor that holds the window; MonitorCount when
// that monitor is not in the table or the window lies on none.
int GetMonitorIndex(const QWidget* hwnd);

// MonitorLefts of the window's monitor (the primary monitor's when it has none).
int GetMonitorLeft(const QWidget* hwnd);

// MonitorIndex = the main window's monitor; a main window on no monitor of the table
// counts as being on the primary monitor (index 0). Returns the new MonitorIndex.
int MainMonitorIndex();

// Whole rectangle of monitor i from the table; an index outside the table gives the
// primary monitor (index 0).
TwipsRect MonitorRectTwips(int index);

// Left and top (twips) that centre a window of the given outer size on the main
// window's monitor. Sets MonitorIndex.
QPoint CentredOnMainMonitor(int widthTwips, int heightTwips);
// Moves the window so that it is centred on the main window's monitor.
void CentreOnMainMonitor(QWidget* window);

// The full-screen window's place: the whole main window's monitor, its top edge the
// monitor's own top. Sets MonitorIndex.
TwipsRect FullScreenPlacement();
void PlaceFullScreen(QWidget* window);

// The control box at the right edge of the main window's monitor, at its top or
// against its bottom.
QPoint ControlBoxPosition(int widthTwips, int heightTwips, bool atBottom);

// Sizes the full-screen window's picture boxes to the window's inner size.
void FitShowPictureBoxes(const QWidget* showWindow, std::initializer_list<QWidget*> boxes);

// Twips of a window's outer rectangle on the desktop.
TwipsRect WindowRectTwips(const QWidget* window);

}  // namespace core

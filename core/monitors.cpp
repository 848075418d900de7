#include "core/monitors.h"

#include <QRect>
#include <QScreen>
#include <QWidget>

#include "core/state.h"
#include "platform/screens.h"
#include "platform/twips.h"
#include "platform/vberror.h"

namespace core {
namespace {

// The main window's monitor, or the primary one when it lies on none of the table.
int MainMonitorOrPrimary() {
  const int i = GetMonitorIndex(Monitors().MainHwnd);
  return i < Monitors().MonitorCount ? i : 0;
}

}  // namespace

bool EnterMonitor(QScreen* handle, const QRect& pixels) {
  MonitorTable& t = Monitors();
  if (t.MonitorCount >= kMaxMonitors) return true;
  t.MonitorHandles.append(QPointer<QScreen>(handle));
  const int i = t.MonitorCount;
  t.MonitorTops[i] = platform::PixelsToTwipsY(pixels.top());
  t.MonitorBottoms[i] = platform::PixelsToTwipsY(pixels.top() + pixels.height());
  t.MonitorRights[i] = platform::PixelsToTwipsX(pixels.left() + pixels.width());
  t.MonitorLefts[i] = platform::PixelsToTwipsX(pixels.left());
  t.MonitorCount = static_cast<short>(t.MonitorCount + 1);
  return true;
}

void BuildMonitorTable() {
  MonitorTable& t = Monitors();
  t.MonitorTops.Erase();
  t.MonitorBottoms.Erase();
  t.MonitorRights.Erase();
  t.MonitorLefts.Erase();
  t.MonitorHandles.clear();
  t.MonitorCount = 0;
  for (QScreen* screen : platform::DisplayMonitors()) {
    if (!EnterMonitor(screen, platform::MonitorRect(screen))) break;
  }
}

int GetMonitorIndex(const QWidget* hwnd) {
  const QScreen* m = platform::MonitorOfWindow(hwnd);
  const auto& handles = Monitors().MonitorHandles;
  int i = 0;
  for (const auto& h : handles) {
    if (m && h == m) break;
    ++i;
  }
  return i;
}

int GetMonitorLeft(const QWidget* hwnd) {
  const int i = GetMonitorIndex(hwnd);
  return MonitorRectTwips(i < Monitors().MonitorCount ? i : 0).Left;
}

int MainMonitorIndex() {
  const int i = MainMonitorOrPrimary();
  Monitors().MonitorIndex = static_cast<short>(i);
  return i;
}

TwipsRect MonitorRectTwips(int index) {
  const MonitorTable& t = Monitors();
  if (index < 0 || index >= t.MonitorCount) index = 0;
  TwipsRect r;
  r.Left = t.MonitorLefts[index];
  r.Top = t.MonitorTops[index];
  r.Width = t.MonitorRights[index] - t.MonitorLefts[index];
  r.Height = t.MonitorBottoms[index] - t.MonitorTops[index];
  return r;
}

QPoint CentredOnMainMonitor(int widthTwips, int heightTwips) {
  const TwipsRect m = MonitorRectTwips(MainMonitorIndex());
  const int left = platform::CLng(m.Left + (m.Width - double(widthTwips)) / 2);
  const int top = platform::CLng(m.Top + (m.Height - double(heightTwips)) / 2);
  return {left, top};
}

void CentreOnMainMonitor(QWidget* window) {
  if (!window) return;
  const TwipsRect w = WindowRectTwips(window);
  const QPoint p = CentredOnMainMonitor(w.Width, w.Height);
  window->move(platform::TwipsToPixelsX(p.x()), platform::TwipsToPixelsY(p.y()));
}

TwipsRect FullScreenPlacement() { return MonitorRectTwips(MainMonitorIndex()); }

void PlaceFullScreen(QWidget* window) {
  if (!window) return;
  const TwipsRect r = FullScreenPlacement();
  window->move(platform::TwipsToPixelsX(r.Left), platform::TwipsToPixelsY(r.Top));
  window->resize(platform::TwipsToPixelsX(r.Width), platform::TwipsToPixelsY(r.Height));
}

QPoint ControlBoxPosition(int widthTwips, int heightTwips, bool atBottom) {
  const TwipsRect m = MonitorRectTwips(MainMonitorOrPrimary());
  const int left = m.Left + m.Width - widthTwips;
  const int top = atBottom ? m.Top + m.Height - heightTwips : m.Top;
  return {left, top};
}

void FitShowPictureBoxes(const QWidget* showWindow, std::initializer_list<QWidget*> boxes) {
  if (!showWindow) return;
  const QSize inner = showWindow->contentsRect().size();
  for (QWidget* box : boxes) {
    if (box) box->resize(inner);
  }
}

TwipsRect WindowRectTwips(const QWidget* window) {
  const QRect r = platform::WindowDesktopRect(window);
  return {platform::PixelsToTwipsX(r.left()), platform::PixelsToTwipsY(r.top()),
          platform::PixelsToTwipsX(r.width()), platform::PixelsToTwipsY(r.height())};
}

}  // namespace core

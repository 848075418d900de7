#pragma once
// A user's mouse and keys on a widget, sent as the events the window system would send.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace test_support {

inline void SendMouse(QWidget* w, QEvent::Type type, const QPointF& at, Qt::MouseButtons held) {
  QMouseEvent e(type, at, w->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &e);
}

// A left click at `at` (the widget's centre when not given).
inline void ClickAt(QWidget* w, QPointF at = QPointF(-1, -1)) {
  if (at.x() < 0) at = QPointF(w->width() / 2.0, w->height() / 2.0);
  SendMouse(w, QEvent::MouseButtonPress, at, Qt::LeftButton);
  SendMouse(w, QEvent::MouseButtonRelease, at, Qt::NoButton);
}

// A double click at `at`: press, release, second press as a double click, release.
inline void DoubleClickAt(QWidget* w, const QPointF& at) {
  ClickAt(w, at);
  SendMouse(w, QEvent::MouseButtonDblClick, at, Qt::LeftButton);
  SendMouse(w, QEvent::MouseButtonRelease, at, Qt::NoButton);
}

inline void KeyClick(QWidget* w, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &release);
}

}  // namespace test_support

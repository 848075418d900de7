#include "platform/cursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace platform {
namespace {

int g_count = 0;
bool g_blankInstalled = false;

bool OurBlankCursorActive() {
  const QCursor* c = QGuiApplication::overrideCursor();
  return c && c->shape() == Qt::BlankCursor;
}

// Someone else took the blank cursor away (the show window's unload brings the pointer
// back without counting): the count follows what the user sees.
void Resync() {
  if (g_blankInstalled && !OurBlankCursorActive()) {
    g_blankInstalled = false;
    if (g_count < 0) g_count = 0;
  }
}

}  // namespace

int ShowCursor(bool show) {
  Resync();
  g_count += show ? 1 : -1;
  if (g_count < 0 && !g_blankInstalled) {
    QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
    g_blankInstalled = true;
  } else if (g_count >= 0 && g_blankInstalled) {
    if (OurBlankCursorActive()) QGuiApplication::restoreOverrideCursor();
    g_blankInstalled = false;
  }
  return g_count;
}

int CursorDisplayCount() {
  Resync();
  return g_count;
}

}  // namespace platform

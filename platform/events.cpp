#include "platform/events.h"

#include <QCoreApplication>
#include <QObject>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <vector>

namespace platform {
namespace {

int g_loopDepth = 0;
bool g_reapPosted = false;

std::vector<QPointer<QObject>>& Graveyard() {
  static std::vector<QPointer<QObject>> objects;
  return objects;
}

void Reap();

void PostReap() {
  if (g_reapPosted || Graveyard().empty() || !QCoreApplication::instance()) return;
  g_reapPosted = true;
  QTimer::singleShot(0, QCoreApplication::instance(), &Reap);
}

// Runs from the event queue; inside a loop of ours a handler may still be on the
// stack, so it waits for that loop to leave (which posts it again).
void Reap() {
  g_reapPosted = false;
  if (g_loopDepth > 0) return;
  DestroyPendingNow();
}

}  // namespace

LoopScope::LoopScope() { ++g_loopDepth; }

LoopScope::~LoopScope() {
  if (--g_loopDepth == 0) PostReap();
}

int LoopDepth() { return g_loopDepth; }

void DoEvents() {
  LoopScope scope;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void Sleep(int ms) {
  if (ms > 0) QThread::msleep(static_cast<unsigned long>(ms));
}

void DestroyWhenIdle(QObject* obj) {
  if (!obj) return;
  for (const auto& p : Graveyard())
    if (p == obj) return;
  Graveyard().emplace_back(obj);
  PostReap();
}

void DestroyPendingNow() {
  std::vector<QPointer<QObject>> doomed;
  doomed.swap(Graveyard());
  for (auto& p : doomed) delete p.data();
}

}  // namespace platform

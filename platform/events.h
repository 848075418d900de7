#pragma once
// Waiting the way the program's loops wait: let pending window events run, then
// sleep. Objects that must not die while a handler loop is on the stack are
// destroyed once every such loop has left.
class QObject;

namespace platform {

// Runs the pending window events (timers, clicks, repaints) once.
void DoEvents();

// Blocks the thread for `ms` milliseconds; events do not run meanwhile.
void Sleep(int ms);

// Marks a nested event loop of ours (DoEvents, a modal window, a dialog) for its
// lifetime, so that deferred destruction waits until the outermost one has left.
class LoopScope {
 public:
  LoopScope();
  ~LoopScope();
  LoopScope(const LoopScope&) = delete;
  LoopScope& operator=(const LoopScope&) = delete;
};

// How many of those loops are running now.
int LoopDepth();

// Destroys `obj` from the main event loop once no loop of ours is running, so
// that a handler still on the stack never sees its object vanish.
void DestroyWhenIdle(QObject* obj);

// Destroys everything waiting for DestroyWhenIdle at once. Only for callers with no
// handler of those objects on the stack (test code between steps).
void DestroyPendingNow();

}  // namespace platform

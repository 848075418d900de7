#pragma once
// Waiting in a test the way the program's own waits do: events run between the polls.
#include <QElapsedTimer>
#include <functional>

#include "platform/events.h"

namespace test_support {

// Lets events run until `done` holds or `ms` have passed, polling every `stepMs`; returns
// `done()`.
inline bool WaitFor(const std::function<bool()>& done, int ms = 10000, int stepMs = 2) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < ms) {
    platform::DoEvents();
    platform::Sleep(stepMs);
  }
  return done();
}

}  // namespace test_support

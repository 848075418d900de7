#include "platform/clock.h"

#include <QElapsedTimer>
#include <optional>

namespace platform {
namespace {

struct TestClock {
  QDateTime start;
  bool running = false;
  QElapsedTimer since;
};

std::optional<TestClock>& Test() {
  static std::optional<TestClock> clock;
  return clock;
}

}  // namespace

QDateTime Now() {
  auto& t = Test();
  if (!t) return QDateTime::currentDateTime();
  return t->running ? t->start.addMSecs(t->since.elapsed()) : t->start;
}

QDate Date() { return Now().date(); }

double TimeOfDaySeconds() { return Now().time().msecsSinceStartOfDay() / 1000.0; }

void SetTestNow(const QDateTime& moment) { Test() = TestClock{moment, false, {}}; }

void SetTestNowRunning(const QDateTime& moment) {
  Test() = TestClock{moment, true, {}};
  Test()->since.start();
}

void AdvanceTestClock(qint64 ms) {
  if (Test()) Test()->start = Test()->start.addMSecs(ms);
}

void ClearTestNow() { Test().reset(); }

}  // namespace platform

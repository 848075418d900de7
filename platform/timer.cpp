#include "platform/timer.h"

#include "platform/controls_base.h"

namespace platform {

Timer::Timer(QObject* parent, int interval, bool enabled)
    : QObject(parent), interval_(interval), enabled_(enabled) {
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &Timer::Tick);
  if (interval_ < 0 || interval_ > 65535) throw VbError(kErrInvalidPropertyValue, "Interval");
  Rearm();
}

void Timer::SetInterval(int ms) {
  if (ms < 0 || ms > 65535) throw VbError(kErrInvalidPropertyValue, "Interval");
  interval_ = ms;
  Rearm();
}

void Timer::SetEnabled(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  Rearm();
}

void Timer::Rearm() {
  if (enabled_ && interval_ > 0)
    timer_.start(interval_);
  else
    timer_.stop();
}

}  // namespace platform

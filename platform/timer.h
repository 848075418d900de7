#pragma once
// The timer control: an interval in milliseconds (0..65535, 0 is off) and an
// on/off switch; while both are set it raises Tick every interval.
#include <QObject>
#include <QTimer>

namespace platform {

class Timer : public QObject {
  Q_OBJECT

 public:
  // `parent` is the window; an unloaded window switches its timers off.
  explicit Timer(QObject* parent = nullptr, int interval = 0, bool enabled = true);

  int Interval() const { return interval_; }
  // Setting the interval starts the count again; outside 0..65535 raises error 380.
  void SetInterval(int ms);
  bool Enabled() const { return enabled_; }
  // Switching on starts the count; switching on a running timer changes nothing.
  void SetEnabled(bool on);
  // True while ticks are due (on, with a non-zero interval).
  bool IsRunning() const { return timer_.isActive(); }

 signals:
  // One elapsed interval; the handler is the original's TimerN_Timer.
  void Tick();

 private:
  void Rearm();

  QTimer timer_;
  int interval_ = 0;
  bool enabled_ = true;
};

}  // namespace platform

// Waits and flow: "SLEEP", "DELAY", "ENDTIME", "LOOP"/"ENDLOOP", "SKIP", "END", "LOCK" and
// "CURSOR".
#include <QPainter>
#include <cmath>

#include "core/form1.h"
#include "core/monitors.h"
#include "core/state.h"
#include "engine/slidescreen.h"
#include "engine/slidescreen2.h"
#include "macro/macro_state.h"
#include "macro/show_commands.h"
#include "platform/clock.h"
#include "platform/cursor.h"
#include "platform/events.h"
#include "platform/picturebox.h"
#include "platform/twips.h"
#include "platform/vberror.h"

namespace macro {
namespace {

constexpr double kSecondsPerDay = 86400;

bool WaitBroken() {
  const core::RunFlags& f = core::Flags();
  return f.JumpRequested == 1 || f.ShowStopped == 1 || f.ShowScreenClosed == 1;
}

// A closing screen must not be taken for a jump.
void ForgetChoiceWhenScreenClosed() {
  core::RunFlags& f = core::Flags();
  if (f.ShowScreenClosed == 1) {
    f.WaitingForChoice = 0;
    f.JumpRequested = 0;
  }
}

void CopyRect(const platform::PictureBox& from, platform::PictureBox& to, const QRect& r) {
  const QImage part = from.Image().copy(r);
  {
    QPainter p(&to.Canvas());
    p.drawImage(r.topLeft(), part);
  }
  to.Invalidate(r);
}

}  // namespace

void SkippableStep(const char* what, const std::function<void()>& step) {
  try {
    step();
  } catch (const std::exception& e) {
    qCWarning(lcMacro) << what << "skipped:" << e.what();
  }
}

void TimedWait(double seconds) {
  const core::RunFlags& f = core::Flags();
  const double start = platform::TimeOfDaySeconds();
  double wrap = 0;
  while (platform::TimeOfDaySeconds() + wrap < start + seconds && f.ShowScreenClosed == 0) {
    platform::DoEvents();
    platform::Sleep(20);
    if (WaitBroken()) break;
    // The clock falls back to 0 at midnight.
    if (platform::TimeOfDaySeconds() < start) wrap = kSecondsPerDay;
  }
  ForgetChoiceWhenScreenClosed();
}

void SleepCommand() {
  const double s = LineValue();
  if (s >= 0 && s <= 60) {
    TimedWait(s);
    if (core::Flags().JumpRequested == 1) EnterExitPath();
  }
  ConsumeLine();
}

void DelayCommand() {
  const double s = LineValue();
  // The tenth keeps 0.3 s from coming out as 299 ms.
  if (s >= 0 && s <= 60) State().LineDelayMs = std::floor(s * 1000 + 0.1);
  ConsumeLine();
}

void EndTimeCommand() {
  const double s = LineValue();
  if (s >= 0 && s <= 600) {
    TimedWait(s);
    State().EndTimeReached = 1;
    EnterExitPath();
  }
  ConsumeLine();
}

void LoopCommand() {
  MacroState& m = State();
  m.LoopCount = platform::CLng(LineValue());
  // The line feed that ended this line: reading it again completes an empty line.
  m.LoopPosition = m.ReadPosition;
  ConsumeLine();
}

void EndLoopCommand() {
  MacroState& m = State();
  m.LoopCount -= 1;
  if (m.LoopCount > 0 && m.LoopPosition > 0) m.ReadPosition = m.LoopPosition - 1;
  ConsumeLine();
}

void SkipCommand() {
  const double v = LineValue();
  if (v != 0) {
    core::ListState& lists = core::Lists();
    lists.CurrentSlideIndex = platform::CInt(lists.CurrentSlideIndex + v);
    EnterExitPath();
  }
  ConsumeLine();
}

void EndCommand() {
  const double v = LineValue();
  if (v == 1) {
    core::Flags().ShowEndRequested = 1;
    // The lock would refuse the stop that ends the show.
    core::Flags().OperationLocked = 0;
    EnterExitPath();
  }
  if (v == 2) {
    // The program's normal shutdown; nothing of the macro or the show follows it.
    core::form1().Unload();
    LeaveRunNow();
  }
  ConsumeLine();
}

void LockCommand() {
  const double v = LineValue();
  if (v == 1) core::Flags().OperationLocked = 1;
  if (v == 2) core::Flags().OperationLocked = 0;
  ConsumeLine();
}

QRect ControlBoxRectOnShowSurface() {
  engine::Slidescreen2* box = engine::Slidescreen2IfLoaded();
  if (!box) return {};
  // Pixels of the show window's monitor, where P2 begins: the box's own twips are
  // desktop twips, which lie beside the monitor when it is not the first one.
  const core::TwipsRect monitor =
      core::MonitorRectTwips(core::GetMonitorIndex(&engine::slidescreen()));
  const double tx = platform::TwipsPerPixelX, ty = platform::TwipsPerPixelY;
  const auto round = [](double v) { return static_cast<int>(platform::RoundHalfEven(v)); };
  return QRect(round((box->Left() - monitor.Left) / tx - 1),
               round((box->Top() - monitor.Top) / ty - 1), round(box->Width() / tx + 1),
               round(box->Height() / ty + 1));
}

void KeepControlBoxPlaceInCopies(const QRect& r) {
  if (r.isEmpty()) return;
  engine::Slidescreen& screen = engine::slidescreen();
  CopyRect(screen.P2, screen.P4, r);
  CopyRect(screen.P2, screen.P3, r);
}

void CursorCommand() {
  const double v = LineValue();
  core::RunFlags& f = core::Flags();
  if (v == 0) {
    if (f.FullScreenShowActive == 1) {
      while (platform::ShowCursor(false) > -1) {
      }
      f.CursorHidden = 1;
    }
    core::Form1& f1 = core::form1();
    core::ChooseMenuItem(f1.mnuCTL, core::Settings().ControlBoxOff, 1);
    if (f.FullScreenShowActive == 1) {
      const QRect covered = ControlBoxRectOnShowSurface();
      if (engine::Slidescreen2* box = engine::Slidescreen2IfLoaded()) box->Hide();
      KeepControlBoxPlaceInCopies(covered);
    }
  } else if (v == 1) {
    while (platform::ShowCursor(true) < 0) {
    }
    f.CursorHidden = 0;
  }
  ConsumeLine();
}

}  // namespace macro

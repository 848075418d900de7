#pragma once
// The one clock of the program: time of day, now and today. Tests can fix it or
// move it to another moment while it keeps running.
#include <QDate>
#include <QDateTime>

namespace platform {

// The current local date and time.
QDateTime Now();
// Today's date.
QDate Date();
// Seconds since midnight with fractions (the original's Timer function); it
// falls back to 0 after midnight, which waiting loops must allow for.
double TimeOfDaySeconds();

// Test control: a frozen clock that reads `moment` until changed.
void SetTestNow(const QDateTime& moment);
// Test control: a clock that starts at `moment` and runs on in real time.
void SetTestNowRunning(const QDateTime& moment);
// Moves a test clock on by `ms` milliseconds (frozen or running).
void AdvanceTestClock(qint64 ms);
// Back to the system clock.
void ClearTestNow();

}  // namespace platform

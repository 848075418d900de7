#pragma once
// The slide player: ShowCurrentSlide shows the slide at CurrentSlideIndex, in the main
// window's preview box or on the full-screen show window. It answers its callers only
// through the shared show state: the slide timer's interval (1 ms after a slide outside
// its schedule, 10 ms after an unreadable picture was removed, 100 ms after a movie or a
// macro's jump), SlideSkipped, ShowEndRequested, CurrentSlideIndex (the slide taken, one
// lower after a removal) and SlideInProgress (1 while a pass runs). The caller switches
// the slide timer off before the call, adds 1 to CurrentSlideIndex afterwards and
// switches the timer on again unless the show ended.
#include <QDateTime>
#include <QString>
#include <optional>

namespace engine {

// Shows one slide. Never runs inside itself: a call while a pass is under way returns at
// once. A schedule entry that is no date and time raises VbError 13 to the caller.
void ShowCurrentSlide();

// An unreadable picture of the current slide: asks whether to remove it from the slide
// list (or removes it without asking when ErrorEntryAutoRemove is set), or ends the show.
// Ends the pass (SlideInProgress = 0).
void HandlePictureReadError();

// ---- the pass's rules, for its callers and tests ---------------------------------------

// The moment of a schedule entry ("YYYY/MM/DD hh:nn", a date alone, or a time alone that
// means every day, taken on the date text `today`); nothing for an empty entry. Raises
// VbError 13 when the entry is no date and time.
std::optional<QDateTime> ScheduleMoment(const QString& entry, const QString& today);

// True when slide `index` lies outside its schedule at ScheduleNow: its start is later,
// or its end earlier. A start or end equal to ScheduleNow is inside.
bool OutsideSchedule(int index);

// The slide of a random pass: Int(r * n) + 1, every slide of 1..n with the same chance;
// 1 when the list is empty.
short RandomSlideIndex(double r, int slideCount);

// Takes the moment the schedule compares with: ScheduleDateText = today "YYYY/MM/DD",
// ScheduleNow = now, to the second.
void TakeScheduleMoment();

// True while START is enabled, that is while no show runs (stepping by hand, paused or
// stopped). The pass's waits give the slide up when it becomes true.
bool StartButtonEnabled();

}  // namespace engine

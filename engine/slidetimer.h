#pragma once
// The main window's timers: the slide timer Form1.Timer1, the one clock of every running
// show, and the line-delay timer Form1.Timer3 of the picture macros.
//
// The slide timer is on only between two slides of a running show. Its interval is
// SlideIntervalSeconds x 1000 ms, set again at every tick; an operation that wants the
// show to go on at once sets 1, 10 or 100 ms while the timer is off during a slide, and
// that short interval lasts exactly one tick.

namespace engine {

// Form1.Timer1_Timer: reloads a slideshow file that changed on disk (and restarts at slide
// 1), handles the end of the list (stop, repeat, or the next file of a link run), and
// otherwise shows the slide at CurrentSlideIndex and moves the index on. Failing steps are
// passed over.
void Timer1_Timer();

// Form1.Timer3_Timer: the end of a macro line's delay (LineDelayWaiting = 0).
void Timer3_Timer();

}  // namespace engine

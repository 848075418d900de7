#pragma once
// The main window's show buttons: "START", "PAUSE", "STOP", "前画面", "次画面", and the
// buttons that open the slide list editor, the sound list window and the schedule editor.
// START and STOP are public operations (the editors start a show through START after
// setting StartAtChosenSlide and ChosenStartSlide; the slide timer ends one through STOP).
// Failing steps are passed over.

namespace core {
class Form1;
}

namespace engine {

class Slidescreen;

// Command1 "START": a full show start in the main window (or the full-screen start when
// AlwaysFullScreenOff is 0); shows the first slide at once and arms the slide timer.
void Command1_Click();
// Command2 "PAUSE": stops the slide timer and the sound; the slide on screen stays.
void Command2_Click();
// Command3 "STOP": ends the show; the main window returns to its stopped state.
void Command3_Click();
// Command5 "前画面" and Command7 "次画面": step through a paused or stopped show, over
// slides outside their schedule.
void Command5_Click();
void Command7_Click();
// Command6 "ｽﾗｲﾄﾞﾘｽﾄ": the slide list editor, with the main window hidden.
void Command6_Click();
// Command10 "BGM": the sound list window, modally.
void Command10_Click();
// Command11 "ｽｹｼﾞｭｰﾙ": the schedule editor, with the main window hidden.
void Command11_Click();

// The main window's buttons in the stopped phase: START and 画面全体 when the slide list
// is not empty; PAUSE, STOP, 前画面 and 次画面 off; the editors' buttons on.
void SetStoppedButtons();

// True when the background sound is left running at a show start or after a link file's
// first slide: the last macro left early and the sound mode plays on after such an exit
// (modes 0, 1, 5, 9, and 2 with the linked WAV).
bool SoundKeepsRunningAfterMacroExit();

// Hides the show window's Yes and No buttons, its menu buttons and its picture buttons.
void HideShowWindowButtons(Slidescreen& screen);

// The main window's caption between shows: "ｽﾗｲﾄﾞ - " and the slideshow file, or the
// program's title when there is none.
void SetIdleCaption();

// The end of the slide list without repetition: the caption, the CD and the sound
// stopped, the run state reset, the stopped buttons (START and 画面全体 only when the list
// is not empty, unless startAlwaysEnabled), the slide timer off, the menus back.
void StopShowAtListEnd(bool startAlwaysEnabled);

// Connects the show buttons (画面全体 has its own connection) and the slide and line-delay
// timers of the main window to their handlers, the window's own Command1_Click ...
// Timer3_Timer, which run the operations above. Connecting twice does nothing more.
void ConnectShowHandlers(core::Form1& form);

}  // namespace engine

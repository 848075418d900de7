#pragma once
// The keywords that give a macro its timing and its hold on the show (waits, loops,
// jumps, ending, lock, cursor), play media and start programs, change the show settings
// and filter the picture. Each handler reads the line state of macro_state.h and
// consumes its line, unless it leaves through the exit path.
#include <QRect>
#include <QString>
#include <functional>

namespace macro {

// Runs one step of a handler whose failing steps are skipped; a failure is logged.
void SkippableStep(const char* what, const std::function<void()>& step);

// ---- waits and flow -------------------------------------------------------------------------
void SleepCommand();
void DelayCommand();
void EndTimeCommand();
void LoopCommand();
void EndLoopCommand();
void SkipCommand();
void EndCommand();
void LockCommand();
void CursorCommand();

// The timed wait of "SLEEP" and "ENDTIME": `seconds` on the seconds-since-midnight clock
// (past midnight too), events run every 20 ms; a jump, the show's stop or its screen's
// closing ends it early.
void TimedWait(double seconds);

// Where the control box lies on the show surface P2, in P2's pixels, one pixel added
// round it; empty when the box is not loaded.
QRect ControlBoxRectOnShowSurface();
// Copies that rectangle of P2 into the clean copy P4 and the background copy P3, so that
// the place the hidden box covered is repainted as P2 shows it.
void KeepControlBoxPlaceInCopies(const QRect& r);

// ---- sound, movie and programs -------------------------------------------------------------
void ExecMovieCommand();
void ExecPlayWavCommand();
void StopWavCommand();
void SoundEndCommand();
void SoundSetCommand();
void SetSoundMode(short mode);
void VolumeCommand();
void FadeOutCommand();
void ShellCommand();

// The `("file", mode)` argument of a line: the file name between the first two double
// quotes (empty without a closing one), `at` its 0-based start, and the whole number
// before the last ")" after the comma that follows (0 when there is none). Never fails.
struct FileModeArg {
  QString file;
  qsizetype at = 0;
  short mode = 0;
};
FileModeArg GetFileModeArg(const QString& text);
// The current picture's folder: the slide path up to and including its last "/".
QString CurrentPictureFolder();

// ---- show settings --------------------------------------------------------------------------
void IntervalCommand();
void PositionCommand();
void PicRndCommand();
void PicResizeCommand();
void DownSizeCommand();
void BackColorCommand();
void BorderlessCommand();
void KspSetCommand();
void OverPicCommand();
void KoukaSpCommand();
void DelKoukaSpCommand();
void KoukaCommand();
void DelKoukaCommand();
void CtrlBoxCommand();
void MovXCommand();
void MovYCommand();
void ScreenXYCommand();
void OverlapCommand();
void WinStateCommand();
void SizeCtrlCommand();

// ---- picture filters ------------------------------------------------------------------------
void BitCommand();
void ReverseCommand();
void FlipCommand();
void PencilCommand();
void MetalCommand();
void MosaicCommand();
void GrayscaleCommand();
void SavePicCommand();

}  // namespace macro

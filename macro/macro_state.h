#pragma once
// The interpreter's line state and the state of one run, shared by the keyword
// handlers, and the keyword table they are dispatched from.
#include <QByteArray>
#include <QLoggingCategory>
#include <QString>
#include <QStringList>
#include <functional>
#include <span>

namespace platform {
class PictureBox;
}

// Errors a macro step swallows are logged here.
Q_DECLARE_LOGGING_CATEGORY(lcMacro)

namespace macro {

struct MacroState {
  // ---- the line being carried out -------------------------------------------------------
  QString MacroLine;       // as read, in its own case: texts are taken from it
  QString MacroLineUpper;  // upper-cased copy: keyword tests and numbers
  int ValueStart = 1;      // 1-based position after the first "=", 1 without one

  // ---- one run (reset at its start) -----------------------------------------------------
  short TextMode = 0;   // 1 after the text marker
  double TextLeft = 0;  // text left edge, pixels from the text origin
  double KageMode = 0;  // 0 none, 1 shadow, 2 dark outline, 3 light outline
  double ZureX = 5;     // shadow offset or outline width
  double ZureY = 3;
  double LineDelayMs = 0;
  int LoopCount = 0;
  long long LoopPosition = 0;  // byte position in the file
  double TabWidth = 0;         // 0 = unset
  short EndTimeReached = 0;
  short ErrorsIgnored = 0;

  // ---- the open file ----------------------------------------------------------------------
  QByteArray FileBytes;
  long long ReadPosition = 0;  // next byte to read
  bool FileOpen = false;
};

MacroState& State();

// The two text surfaces: the show screen P2 and the main window's preview box.
platform::PictureBox& ShowSurface();
platform::PictureBox& PreviewBox();

// Upper-cases ASCII and full-width Latin letters only; the length stays the same.
QString MacroUpper(const QString& text);

// The numeric value of `count` characters of MacroLineUpper from ValueStart.
double LineValue(int count = 5);

// Int(v + 0.1): the largest whole number not above v + 0.1.
double IntPlusTenth(double v);

// Empties MacroLine and MacroLineUpper: every later keyword test fails for the line.
void ConsumeLine();

// Leaves the run through the exit path (does not return).
[[noreturn]] void EnterExitPath();

// Ends the run at once without the exit path, the file closed (does not return).
[[noreturn]] void LeaveRunNow();

// One row of the keyword chain: the prefixes of one test and its handler.
struct KeywordRow {
  int row;                        // number in the keyword table
  QStringList prefixes;           // upper case; the line matches when it begins with one
  std::function<void()> handler;  // empty: the row is recognised and its line consumed
};

// Rows 0 to 71 in dispatch order (0 is "RGB").
std::span<const KeywordRow> KeywordTable();
// Carries out one macro line through the handlers of the keywords it begins with, outside a
// run: for tests and timing programs.
void CarryOutLine(const QString& line);

// Gives a row its handler and returns the one it had (keywords built elsewhere fill
// their rows this way).
std::function<void()> SetKeywordHandler(int row, std::function<void()> handler);

// ---- text style commands -------------------------------------------------------------------
void ExecRgbCommand();
void BorderColorCommand();
void LineSpaceCommand();
void TabCommand();
void FontNameCommand();
void ClsCommand();
void FontItalicCommand();
void FontBoldCommand();
void FontUnderlineCommand();
void QbColorCommand();
void FontSizeCommand();
void FontNoCommand();
void CurrentXCommand();
void CurrentYCommand();
void KageCommand();
void ZureXCommand();
void ZureYCommand();

// Sets the face of a surface; a face that is not installed falls back to "ＭＳ ゴシック".
void SetSurfaceFace(platform::PictureBox& box, const QString& face);

// ---- text lines ------------------------------------------------------------------------------
// Draws MacroLine on both surfaces with its decoration, adds LineSpace and waits out the
// line delay.
void DrawMacroTextLine();

}  // namespace macro

#pragma once
// The scrolling ticker of "TELOP" and "TELOP1": a transparent label on the show surface
// (or on the preview box while the show runs in the main window) that its own timer moves
// to the left. It outlives the macro that started it.
#include <QString>

namespace macro {

// The ticker state both sides share.
struct TelopState {
  short TelopStep = 0;  // pixels the label moves at each tick (1..1000 once set)
  QString TelopText;    // what a repeating ticker shows from its next pass on
};

TelopState& Telop();

// The "TELOP" row of the keyword chain: ExecTelopCommand, then the line is consumed.
void TelopCommandLine();

// Reads the TELOP line in MacroLine and starts, changes or stops the ticker.
void ExecTelopCommand();

// The text between the first two double quotes of `line`; empty when a comma stands
// before the first double quote or the line has fewer than two.
QString GetFirstQuotedText(const QString& line);

// Both tickers emptied, hidden and off; TelopOnceRunning = 0.
void StopTickers();

// The tick handlers of Slidescreen.Timer1 and Form1.Timer4: one step to the left.
void SlidescreenTimer1_Timer();
void Form1Timer4_Timer();

}  // namespace macro

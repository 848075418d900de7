#pragma once
// "YESNOPB(yes, no)": a Yes and a No button on the current text row; the macro waits for
// the answer and jumps by the number given for it, or goes on when that number is 0.

namespace showbuttons {

void ExecYesNoCommand(double textLeft);

// Form1.Command8_Click (Yes) and Form1.Command9_Click (No): they record the answer.
void WindowYesClick();
void WindowNoClick();

}  // namespace showbuttons

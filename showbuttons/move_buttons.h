#pragma once
// "MOVPBnn(x, y, delay)": slides a placed picture button x pixels across and y down, one
// pixel per axis per step with a pause after each step. On the full-screen show only
// what the button uncovers is put back from the background copy.
#include <functional>

namespace showbuttons {

void ExecMovePicButton();

// The pause after a step, in whole milliseconds (0 or more). Tests replace it to follow
// the steps; an empty function puts back the sleep.
void SetMovePause(std::function<void(int ms)> pause);

}  // namespace showbuttons

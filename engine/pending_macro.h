#pragma once
// The picture macro interpreter's entry point, until the macro subsystem provides it.

namespace engine::standin {

// Runs the current slide's macro file. There is no interpreter yet: it does nothing.
void RunPictureMacro();

}  // namespace engine::standin

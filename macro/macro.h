#pragma once
// The picture macro interpreter: runs the macro file beside a slide's picture (the
// picture's name with ".txt"), which draws captions over it and changes the show.

namespace macro {

// Runs the current slide's macro file once. Called by the slide player after the
// picture is up; returns when the file is done, the show stopped or a jump leaves it.
void RunPictureMacro();

// Puts the interpreter into core's table of services, so the slide player reaches it.
void RegisterServices();

}  // namespace macro

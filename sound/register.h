#pragma once

namespace sound {

// Fills core's window calls (core/services.h) that the sound list editor (form10_mirrors.cpp)
// answers.
void RegisterWindowCalls();

}  // namespace sound

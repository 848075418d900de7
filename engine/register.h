#pragma once

namespace engine {

// Fills core's window calls (core/services.h) that the show windows (window_calls.cpp) answers.
void RegisterWindowCalls();

}  // namespace engine

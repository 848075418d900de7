#pragma once

namespace listeditor {

// Fills core's window calls (core/services.h) that the slide list window (form3_mirrors.cpp)
// answers.
void RegisterWindowCalls();

}  // namespace listeditor

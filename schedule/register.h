#pragma once

namespace schedule {

// Fills core's window calls (core/services.h) that the link-list editor (form9_mirrors.cpp)
// answers.
void RegisterWindowCalls();

}  // namespace schedule

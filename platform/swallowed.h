#pragma once
// What a swallowed error does once logged (LogSwallowed, platform/vberror.h). The program
// only logs it; the tests make it fail a test that does not expect it.
#include <exception>
#include <functional>

namespace platform {

void SetSwallowedErrorRule(std::function<void(const char* step, const std::exception& error)> rule);

}  // namespace platform

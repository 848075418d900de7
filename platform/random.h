#pragma once
// The program's one random source.
#include <cstdint>
#include <vector>

namespace platform {

// A number in [0, 1); never 1.
double Rnd();
// Seeds the source from the clock (the original's Randomize).
void Randomize();
// Seeds the source with a fixed number, for repeatable tests.
void SeedRandom(std::uint64_t seed);
// Tests: the next calls of Rnd return these values, in order, before the
// source continues. Values are clamped into [0, 1).
void ScriptRandom(const std::vector<double>& values);

}  // namespace platform

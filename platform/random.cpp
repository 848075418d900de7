#include "platform/random.h"

#include <QDateTime>
#include <algorithm>
#include <cmath>
#include <deque>
#include <random>

#include "platform/clock.h"

namespace platform {
namespace {

std::mt19937_64& Source() {
  static std::mt19937_64 gen(0x5EEDu);
  return gen;
}

std::deque<double>& Scripted() {
  static std::deque<double> values;
  return values;
}

}  // namespace

double Rnd() {
  if (!Scripted().empty()) {
    double v = Scripted().front();
    Scripted().pop_front();
    return std::clamp(v, 0.0, std::nextafter(1.0, 0.0));
  }
  // 53 random bits scaled below 1.0 exactly.
  return static_cast<double>(Source()() >> 11) * 0x1.0p-53;
}

void Randomize() {
  auto ms = static_cast<std::uint64_t>(Now().toMSecsSinceEpoch());
  Source().seed(ms ^ static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch() << 17));
}

void SeedRandom(std::uint64_t seed) {
  Scripted().clear();
  Source().seed(seed);
}

void ScriptRandom(const std::vector<double>& values) {
  Scripted().assign(values.begin(), values.end());
}

}  // namespace platform

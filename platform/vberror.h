#pragma once
// Runtime errors of the layer, checked number conversions and the "errors ignored
// step by step" runner that handlers with a resume-next trap use.
#include <QLoggingCategory>
#include <QString>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <stdexcept>

namespace platform {

// A runtime error with the original's error number (6 overflow, 5 invalid call,
// 53 file not found, 9 subscript out of range, ...).
class VbError : public std::runtime_error {
 public:
  explicit VbError(int number, QString description = {}, QString source = {})
      : std::runtime_error(description.toStdString()),
        number_(number),
        description_(std::move(description)),
        source_(std::move(source)) {}
  int Number() const { return number_; }
  const QString& Description() const { return description_; }
  const QString& Source() const { return source_; }

 private:
  int number_;
  QString description_;
  QString source_;
};

constexpr int kErrOverflow = 6;
constexpr int kErrInvalidCall = 5;
constexpr int kErrSubscript = 9;
constexpr int kErrFileNotFound = 53;
constexpr int kErrBadFileMode = 54;
constexpr int kErrInputPastEnd = 62;
constexpr int kErrPathFileAccess = 75;
constexpr int kErrTypeMismatch = 13;

// Rounds halves to the even neighbour, as the original's conversions do.
inline double RoundHalfEven(double v) { return std::nearbyint(v); }

// 16-bit Integer conversion: halves to even, overflow raises error 6.
inline short CInt(double v) {
  double r = RoundHalfEven(v);
  if (!(r >= -32768.0 && r <= 32767.0)) throw VbError(kErrOverflow, "Overflow");
  return static_cast<short>(r);
}

// 32-bit Long conversion: halves to even, overflow raises error 6.
inline int CLng(double v) {
  double r = RoundHalfEven(v);
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw VbError(kErrOverflow, "Overflow");
  return static_cast<int>(r);
}

// Errors that a step swallows: silent in normal use, shown with the rule
// "slideshow.swallowed.info=true" (QT_LOGGING_RULES).
Q_DECLARE_LOGGING_CATEGORY(lcSwallowed)
void LogSwallowed(const char* step, const std::exception& error);

// Runs each step; a step that throws (VbError or any std::exception) is skipped
// and the next one runs.
inline void RunStepsIgnoringErrors(std::initializer_list<std::function<void()>> steps) {
  for (const auto& step : steps) {
    try {
      step();
    } catch (const std::exception& e) {
      LogSwallowed("step", e);
    }
  }
}

// Runs one step with its errors ignored; returns false when it failed.
inline bool TryStep(const std::function<void()>& step) {
  try {
    step();
    return true;
  } catch (const std::exception& e) {
    LogSwallowed("step", e);
    return false;
  }
}

}  // namespace platform

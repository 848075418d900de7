#pragma once
// The application object with the program's last-resort boundary: an error escaping a
// handler that Qt calls (a timer, a click, a key, a menu action, an activation) never
// crosses the event loop. It is logged (category "slideshow.escaped") and the run's rule
// for it applies; the event counts as handled.
#include <QApplication>
#include <QLoggingCategory>
#include <functional>

namespace platform {

Q_DECLARE_LOGGING_CATEGORY(lcEscaped)

class Application : public QApplication {
 public:
  Application(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

// What an escaped error does once logged. The program's rule: it goes on, as after a
// failed step. Tests make it fail the running test.
void SetEscapedErrorRule(std::function<void(const QString& what)> rule);

// The boundary itself, for handlers called outside an event (a queued call run by hand).
void HandleEscapedError(const char* where, const std::exception* error);

}  // namespace platform

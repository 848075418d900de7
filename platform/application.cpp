#include "platform/application.h"

#include "platform/vberror.h"

namespace platform {

Q_LOGGING_CATEGORY(lcEscaped, "slideshow.escaped", QtWarningMsg)

namespace {
std::function<void(const QString&)>& Rule() {
  static std::function<void(const QString&)> rule;
  return rule;
}
}  // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    HandleEscapedError("event handler", &e);
  } catch (...) {
    HandleEscapedError("event handler", nullptr);
  }
  return true;
}

void SetEscapedErrorRule(std::function<void(const QString& what)> rule) {
  Rule() = std::move(rule);
}

void HandleEscapedError(const char* where, const std::exception* error) {
  QString what;
  if (const auto* vb = dynamic_cast<const VbError*>(error))
    what = QStringLiteral("%1: error %2 %3")
               .arg(QLatin1String(where))
               .arg(vb->Number())
               .arg(QString::fromStdString(vb->what()));
  else
    what = QStringLiteral("%1: %2").arg(
        QLatin1String(where),
        error ? QString::fromStdString(error->what()) : QStringLiteral("unknown error"));
  qCWarning(lcEscaped, "%s", qUtf8Printable(what));
  if (Rule()) Rule()(what);
}

}  // namespace platform

#include "platform/vberror.h"

#include "platform/swallowed.h"

namespace platform {

Q_LOGGING_CATEGORY(lcSwallowed, "slideshow.swallowed", QtWarningMsg)

namespace {
std::function<void(const char*, const std::exception&)>& SwallowedRule() {
  static std::function<void(const char*, const std::exception&)> rule;
  return rule;
}
}  // namespace

void SetSwallowedErrorRule(std::function<void(const char*, const std::exception&)> rule) {
  SwallowedRule() = std::move(rule);
}

void LogSwallowed(const char* step, const std::exception& error) {
  const auto* vb = dynamic_cast<const VbError*>(&error);
  if (vb)
    qCInfo(lcSwallowed, "%s: error %d %s", step, vb->Number(), error.what());
  else
    qCInfo(lcSwallowed, "%s: %s", step, error.what());
  if (SwallowedRule()) SwallowedRule()(step, error);
}

}  // namespace platform

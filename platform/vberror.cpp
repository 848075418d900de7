#include "platform/vberror.h"

namespace platform {

Q_LOGGING_CATEGORY(lcSwallowed, "slideshow.swallowed", QtWarningMsg)

void LogSwallowed(const char* step, const std::exception& error) {
  const auto* vb = dynamic_cast<const VbError*>(&error);
  if (vb)
    qCInfo(lcSwallowed, "%s: error %d %s", step, vb->Number(), error.what());
  else
    qCInfo(lcSwallowed, "%s: %s", step, error.what());
}

}  // namespace platform

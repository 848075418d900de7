#include "core/mirrors.h"

#include <QPointer>
#include <vector>

namespace core {
namespace {

struct Mirror {
  QPointer<QObject> window;
  const void* setting;
  std::function<void()> refresh;
};

std::vector<Mirror>& Registry() {
  static auto* mirrors = new std::vector<Mirror>;
  return *mirrors;
}

}  // namespace

void JoinMirror(QObject* window, const void* setting, std::function<void()> refresh) {
  std::vector<Mirror>& mirrors = Registry();
  std::erase_if(mirrors, [](const Mirror& m) { return m.window.isNull(); });
  mirrors.push_back({window, setting, std::move(refresh)});
}

void RefreshMirror(const void* setting) {
  // A copy: a routine may load a window, which joins while this runs.
  const std::vector<Mirror> mirrors = Registry();
  for (const Mirror& m : mirrors)
    if (m.setting == setting && !m.window.isNull()) m.refresh();
}

}  // namespace core

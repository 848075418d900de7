// The link-list editor's part in core's tables: the window the files' readers load and
// name, and the option boxes that show their settings.
#include "core/mirrors.h"
#include "core/services.h"
#include "core/state.h"
#include "schedule/form9.h"
#include "schedule/register.h"

namespace schedule {
namespace {

void Mirror(QObject* window, platform::CheckBox& box, short& setting) {
  core::JoinMirror(window, &setting, [&box, &setting] { box.SetValue(setting == 1 ? 1 : 0); });
}

}  // namespace

void Form9::JoinSettingMirrors() {
  core::ShowSettings& s = core::Settings();
  Mirror(this, Check1, s.LinkAutoStart);
  Mirror(this, Check2, s.LinkRepeat);
  Mirror(this, Check3, s.LinkKeepAtEnd);
}

void RegisterWindowCalls() {
  core::WindowCalls& e = core::Windows();
  e.LoadLinkList = [] { form9(); };
  e.ShowLinkList = [] { form9().Show(); };
  e.NameLinkListFile = [](const QString& path) { form9().SetCaption(LinkEditorCaption(path)); };
  e.NewLinkList = [] {
    form9().Command4_Click();
    form9().Command2_Click();
  };
}

}  // namespace schedule

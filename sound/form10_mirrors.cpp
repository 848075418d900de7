// The sound list editor's part in core's tables: the window the files' readers load, and
// the option boxes that show their settings.
#include "core/mirrors.h"
#include "core/services.h"
#include "core/state.h"
#include "sound/form10.h"
#include "sound/register.h"

namespace sound {
namespace {

void Mirror(QObject* window, platform::CheckBox& box, short& setting) {
  core::JoinMirror(window, &setting, [&box, &setting] { box.SetValue(setting == 1 ? 1 : 0); });
}

}  // namespace

void Form10::JoinSettingMirrors() {
  core::ShowSettings& s = core::Settings();
  Mirror(this, Check1, s.SoundListInSlideshowFile);
  Mirror(this, Check5, s.SoundListWithLinkedWav);
  Mirror(this, Check6, s.SoundListFromSelection);
}

void RegisterWindowCalls() {
  core::Windows().LoadSoundList = [] { form10(); };
}

}  // namespace sound

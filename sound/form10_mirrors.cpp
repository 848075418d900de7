// The sound list editor's part in core's tables: the window the files' readers load, and
// the option boxes that show their settings.
#include "core/mirrors.h"
#include "core/services.h"
#include "core/state.h"
#include "sound/form10.h"

namespace sound {
namespace {

// Filled as soon as the window's code is in the program, before any reader runs.
[[maybe_unused]] const bool kEditorFilled = [] {
  core::Windows().LoadSoundList = [] { form10(); };
  return true;
}();

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

}  // namespace sound

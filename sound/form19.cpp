// The sound search's type chooser.
#include "sound/form19.h"

#include "core/monitors.h"
#include "core/state.h"

namespace sound {

Form19::Form19() {
  SetCaption(QStringLiteral("音声ﾌｧｲﾙ検索"));
  SetClientSize(4560, 2400);
  Frame1.Move(120, 120, 4320, 855);
  const char* types[] = {"WAV", "MID", "MP3"};
  for (int i = 0; i < 3; ++i) {
    auto box = std::make_unique<platform::CheckBox>(&Frame1, QString::fromLatin1(types[i]));
    box->Move(240 + 1320 * i, 360, 1080, 315);
    check1_[static_cast<size_t>(i)] = std::move(box);
  }
  Label1.SetWordWrap(true);
  Label1.Move(120, 1080, 4320, 495);
  Command3.Move(1920, 1740, 1215, 495);
  Command4.Move(3225, 1740, 1215, 495);
  connect(&Command3, &platform::CommandButton::Click, this, &Form19::Command3_Click);
  connect(&Command4, &platform::CommandButton::Click, this, &Form19::Command4_Click);
}

platform::CheckBox& Form19::Check1(int index) {
  if (index < 0 || index > 2)
    throw platform::VbError(platform::kErrNoArrayElement,
                            QStringLiteral("Control array element does not exist"));
  return *check1_[static_cast<size_t>(index)];
}

void Form19::Form_Load() {
  platform::TryStep([this] {
    Move((platform::ScreenWidth() - Width()) / 2.0, (platform::ScreenHeight() - Height()) / 2.0);
  });
  for (int i = 0; i < 3; ++i) Check1(i).SetValue(1);
  core::Paths().SearchPattern.clear();
}

void Form19::Form_Activate() {
  platform::TryStep([this] { core::CentreOnMainMonitor(this); });
}

void Form19::Command3_Click() {
  QString& pattern = core::Paths().SearchPattern;
  pattern.clear();
  for (int i = 0; i < 3; ++i) {
    if (Check1(i).Value() != 1) continue;
    if (!pattern.isEmpty()) pattern += QLatin1Char(';');
    pattern += QStringLiteral("*.") + Check1(i).Caption();
  }
  Unload();
}

void Form19::Command4_Click() {
  core::Paths().SearchPattern.clear();
  Unload();
}

namespace {
platform::FormSlot<Form19>& Form19Slot() {
  static platform::FormSlot<Form19> slot;
  return slot;
}
}  // namespace

Form19& form19() { return Form19Slot().Get(); }
Form19* Form19IfLoaded() { return Form19Slot().IfLoaded(); }

}  // namespace sound

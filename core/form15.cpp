// The text display settings window.
#include "core/form15.h"

#include "core/form1.h"
#include "core/mirrors.h"
#include "core/monitors.h"
#include "core/slideshow_file.h"
#include "core/state.h"

namespace core {

Form15::Form15() {
  SetCaption(QStringLiteral("テキスト表示設定"));
  // The files' readers refresh the origin options.
  JoinMirror(this, &Settings().TextOriginScreen, [this] {
    const bool screen = Settings().TextOriginScreen != 0;
    Option1.SetValue(!screen);
    Option2.SetValue(screen);
  });
  SetClientSize(5400, 3720);
  Frame1.Move(120, 120, 5160, 735);
  Check1.Move(240, 330, 4680, 300);
  Frame2.Move(120, 960, 5160, 1095);
  Option1.Move(240, 330, 4680, 300);
  Option2.Move(240, 690, 4680, 300);
  Label2.Move(120, 2160, 5160, 255);
  Label1.Move(120, 2520, 5160, 255);
  Command1.Move(4080, 3000, 1095, 495);

  connect(&Check1, &platform::CheckBox::Click, this, &Form15::Check1_Click);
  connect(&Option1, &platform::OptionButton::Click, this, &Form15::Option1_Click);
  connect(&Option2, &platform::OptionButton::Click, this, &Form15::Option2_Click);
  connect(&Command1, &platform::CommandButton::Click, this, &Form15::Command1_Click);
}

void Form15::ShowValues() {
  const ShowSettings& s = Settings();
  if (s.TextOriginScreen != 0) {
    Option1.SetValue(false);
    Option2.SetValue(true);
  } else {
    Option1.SetValue(true);
    Option2.SetValue(false);
  }
  Check1.SetValue(s.TextMacroOff != 0 ? 0 : 1);
}

void Form15::Form_Load() {
  Move((platform::ScreenWidth() - Width()) / 2.0, (platform::ScreenHeight() - Height()) / 2.0);
  ShowValues();
}

void Form15::Form_Activate() {
  platform::RunStepsIgnoringErrors({
      [this] { ShowValues(); },
      [this] { CentreOnMainMonitor(this); },
  });
}

void Form15::Check1_Click() {
  ShowSettings& s = Settings();
  // While the main window is still loading its menus get their ticks from its load.
  Form1* main = Form1IfLoaded();
  if (main && s.TextMacroOff >= 0 && s.TextMacroOff < main->mnuTEXT.Count())
    main->mnuTEXT[s.TextMacroOff].SetChecked(false);
  s.TextMacroOff = Check1.Value() == 0 ? 1 : 0;
  if (main) main->mnuTEXT[s.TextMacroOff].SetChecked(true);
}

void Form15::Option1_Click() {
  Option1.SetValue(true);
  Option2.SetValue(false);
  Settings().TextOriginScreen = 0;
}

void Form15::Option2_Click() {
  Option1.SetValue(false);
  Option2.SetValue(true);
  Settings().TextOriginScreen = 1;
}

void Form15::Command1_Click() { Unload(); }

namespace {
platform::FormSlot<Form15>& Form15Slot() {
  static platform::FormSlot<Form15> slot;
  return slot;
}
}  // namespace

Form15& form15() { return Form15Slot().Get(); }
Form15* Form15IfLoaded() { return Form15Slot().IfLoaded(); }

}  // namespace core

// The sound list editor's window: its list, options, commit, cancel and clear-all.
#include "sound/form10.h"

#include "core/soundlist_file.h"
#include "core/state.h"
#include "platform/dialogs.h"

namespace sound {

Form10::Form10() {
  SetCaption(
      QStringLiteral("BGMリスト(WAV,MID,MP3)    ※動画再生中はBGMリスト再生が一時停止します。"));
  SetClientSize(11940, 7620);
  List1.Move(2640, 480, 6135, 6240);
  Label4.Move(8160, 150, 600, 255);
  Command1.Move(9000, 120, 1215, 495);
  Command2.Move(9000, 720, 1215, 495);
  Check5.Move(9000, 1680, 2700, 255);
  Check1.Move(9000, 2400, 2700, 255);
  Check6.Move(9000, 2760, 2700, 255);
  Command6.Move(9000, 3240, 1215, 495);
  Command7.Move(9000, 3840, 1215, 495);
  Command4.Move(2640, 6960, 1095, 495);
  connect(&Command1, &platform::CommandButton::Click, this, &Form10::Command1_Click);
  connect(&Command2, &platform::CommandButton::Click, this, &Form10::Command2_Click);
  connect(&Command4, &platform::CommandButton::Click, this, &Form10::Command4_Click);
  connect(&Check1, &platform::CheckBox::Click, this, &Form10::Check1_Click);
  connect(&Check5, &platform::CheckBox::Click, this, &Form10::Check5_Click);
  connect(&Check6, &platform::CheckBox::Click, this, &Form10::Check6_Click);
}

void Form10::Form_Load() {
  const core::ShowSettings& s = core::Settings();
  platform::RunStepsIgnoringErrors({
      [this, &s] { Check1.SetValue(s.SoundListInSlideshowFile == 1 ? 1 : 0); },
      [this, &s] { Check5.SetValue(s.SoundListWithLinkedWav == 1 ? 1 : 0); },
      [this, &s] { Check6.SetValue(s.SoundListFromSelection == 1 ? 1 : 0); },
      [this] {
        Move((platform::ScreenWidth() - Width()) / 2.0,
             (platform::ScreenHeight() - Height()) / 2.0);
      },
      // A reader that is filling the list caused this load: it reads the file itself.
      [] {
        if (core::Lists().SoundListLoading != 1) core::LoadSoundListFile();
      },
      [this] {
        for (auto* button : {&Command1, &Command2, &Command4}) button->SetEnabled(true);
        Command6.SetEnabled(false);
        Command7.SetEnabled(false);
      },
  });
  Label4.SetCaption(QString::number(List1.ListCount()));
}

void Form10::Command1_Click() {
  core::ListState& lists = core::Lists();
  lists.SoundListEntries.Erase();
  const int n = List1.ListCount();
  for (int i = 1; i <= n; ++i) lists.SoundListEntries[i] = List1.List(i - 1);
  lists.SoundListCount = static_cast<short>(n);
  core::SaveSoundListFile();
  Hide();
}

void Form10::Command2_Click() {
  core::LoadSoundListFile();
  Hide();
}

void Form10::Command4_Click() {
  if (List1.ListCount() == 0) return;
  if (platform::MsgBox(QStringLiteral("ＷＡＶ、ＭＩＤ、ＭＰ３リストをすべて消去しますか ?"),
                       platform::vbQuestion | platform::vbYesNo,
                       QStringLiteral("一括取消")) == platform::vbNo) {
    return;
  }
  List1.Clear();
  Label4.SetCaption(QStringLiteral("0"));
  Command6.SetEnabled(false);
  Command7.SetEnabled(false);
}

void Form10::Check1_Click() {
  core::ShowSettings& s = core::Settings();
  if (Check1.Value() == 1) {
    if (s.SoundListInSlideshowFile == 0) {
      platform::MsgBox(
          QStringLiteral("ＷＡＶ、ＭＩＤ、ＭＰ３リストがＫＶＺファイルに保存されます。\r\n"
                         "（この設定は共通設定です。）"),
          platform::vbOKOnly, QStringLiteral("ＫＶＺファイル保存あり"));
    }
    s.SoundListInSlideshowFile = 1;
  } else {
    s.SoundListInSlideshowFile = 0;
  }
}

void Form10::Check5_Click() {
  core::Settings().SoundListWithLinkedWav = Check5.Value() == 1 ? 1 : 0;
}

void Form10::Check6_Click() {
  core::Settings().SoundListFromSelection = Check6.Value() == 1 ? 1 : 0;
}

namespace {
platform::FormSlot<Form10>& Form10Slot() {
  static platform::FormSlot<Form10> slot;
  return slot;
}
}  // namespace

Form10& form10() { return Form10Slot().Get(); }
Form10* Form10IfLoaded() { return Form10Slot().IfLoaded(); }

}  // namespace sound

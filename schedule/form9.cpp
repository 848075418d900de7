// The link-list editor's window: its list, options, caption and unload.
#include "schedule/form9.h"

#include "core/form1.h"
#include "core/state.h"
#include "platform/dialogs.h"

namespace schedule {

QString LinkEditorCaptionNoFile() {
  return QStringLiteral("ＫＶＺリンク（＊．ｋｖｚ ファイルを選択して下さい）");
}

QString LinkEditorCaption(const QString& linkListPath) {
  return QStringLiteral("ＫＶＺリンク - ") + linkListPath;
}

Form9::Form9() {
  SetCaption(LinkEditorCaptionNoFile());
  SetClientSize(9470, 5160);
  List1.Move(2640, 480, 5115, 3840);
  Label4.Move(7200, 150, 600, 255);
  Check2.Move(8100, 3600, 1335, 255);
  Check1.Move(8100, 3960, 1335, 255);
  Check3.SetVisible(false);
  connect(&Check1, &platform::CheckBox::Click, this, &Form9::Check1_Click);
  connect(&Check2, &platform::CheckBox::Click, this, &Form9::Check2_Click);
  connect(&Check3, &platform::CheckBox::Click, this, &Form9::Check3_Click);
}

void Form9::Form_Load() {
  const core::ShowSettings& s = core::Settings();
  platform::RunStepsIgnoringErrors({
      [this] {
        Move((platform::ScreenWidth() - Width()) / 2.0,
             (platform::ScreenHeight() - Height()) / 2.0);
      },
      [this] { LinkEntryLimit = 999; },
      [this, &s] { Check1.SetValue(s.LinkAutoStart == 1 ? 1 : 0); },
      [this, &s] { Check2.SetValue(s.LinkRepeat == 1 ? 1 : 0); },
  });
  Label4.SetCaption(QString::number(List1.ListCount()));
}

void Form9::Form_Unload(int& cancel) {
  cancel = 0;
  core::RunFlags& flags = core::Flags();
  if (flags.LinkEditorShown == 1 && List1.ListCount() >= 1) {
    if (platform::MsgBox(QStringLiteral("ＫＶＺリンクリストを保存しますか ?"),
                         platform::vbQuestion | platform::vbYesNo,
                         QStringLiteral("ＫＶＺリンク")) == platform::vbYes) {
      Command7_Click();
    }
    SetCaption(LinkEditorCaptionNoFile());
    core::Paths().LinkListFileName.clear();
    core::Paths().LinkListFilePath.clear();
  }
  flags.LinkEditorShown = 0;
  flags.LinkEditorOpen = 0;
  core::Lists().LinkSingleFileRun = 0;
  // At program exit the main window is the one unloading.
  core::Form1* main = core::Form1IfLoaded();
  if (main && !main->ShuttingDown()) main->Show();
}

void Form9::Check1_Click() {
  if (Check1.Value() == 1) {
    core::Settings().LinkAutoStart = 1;
    if (core::Flags().LinkEditorShown == 1) {
      platform::MsgBox(
          QStringLiteral("スライドショー再立ち上げ時に自動的にＫＶＺリンクをスタートします。"),
          platform::vbOKOnly, QStringLiteral("ＫＶＺリンクオートスタートあり"));
    }
  } else {
    core::Settings().LinkAutoStart = 0;
  }
}

void Form9::Check2_Click() { core::Settings().LinkRepeat = Check2.Value() == 1 ? 1 : 0; }

void Form9::Check3_Click() { core::Settings().LinkKeepAtEnd = Check3.Value() == 1 ? 1 : 0; }

// The link list's file commands come with the editor's file handling; until then the
// window cannot be painted, so the save question that calls this is never asked.
void Form9::Command7_Click() {}

namespace {
platform::FormSlot<Form9>& Form9Slot() {
  static platform::FormSlot<Form9> slot;
  return slot;
}
}  // namespace

Form9& form9() { return Form9Slot().Get(); }
Form9* Form9IfLoaded() { return Form9Slot().IfLoaded(); }

}  // namespace schedule

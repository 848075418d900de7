// The link-list editor's window: its controls, options, browser, placement, layout and
// closing.
#include "schedule/form9.h"

#include <QDir>
#include <QEvent>

#include "core/form1.h"
#include "core/monitors.h"
#include "core/state.h"
#include "platform/dialogs.h"
#include "platform/vberror.h"

namespace schedule {

using platform::TryStep;

namespace {
constexpr int kMinWidth = 9590;
constexpr int kMinHeight = 5660;
}  // namespace

QString LinkEditorCaptionNoFile() {
  return QStringLiteral("ＫＶＺリンク（＊．ｋｖｚ ファイルを選択して下さい）");
}

QString LinkEditorCaption(const QString& linkListPath) {
  return QStringLiteral("ＫＶＺリンク - ") + linkListPath;
}

Form9::Form9() {
  SetCaption(LinkEditorCaptionNoFile());
  SetClientSize(9470, 5160);
  Dir1.Move(120, 120, 2415, 2130);
  Drive1.Move(120, 2280, 2415, 300);
  File1.Move(120, 2640, 2415, 1680);
  Label1.Move(2640, 150, 3000, 255);
  Check4.Move(5760, 110, 855, 255);
  Label5.Move(6720, 150, 480, 255);
  Label4.Move(7200, 150, 600, 255);
  List1.Move(2640, 480, 5115, 3840);
  Command1.Move(7920, 120, 1215, 495);
  Command2.Move(7920, 720, 1215, 495);
  Command6.Move(7920, 1320, 1215, 495);
  Command7.Move(7920, 1920, 1215, 495);
  Command8.Move(7920, 2520, 1215, 495);
  Check2.Move(8100, 3600, 1335, 255);
  Check1.Move(8100, 3960, 1335, 255);
  Check3.Move(8100, 4320, 1335, 255);
  Check3.SetVisible(false);
  Command3.Move(600, 4440, 1335, 495);
  Command4.Move(2640, 4440, 1335, 495);
  Command5.Move(4080, 4440, 1335, 495);
  Command11.Move(5520, 4440, 375, 495);
  Command12.Move(6000, 4440, 375, 495);
  Command13.Move(6480, 4440, 1335, 495);
  List1.SetOLEDropMode(1);

  connect(&File1, &platform::FileListBox::Click, this, &Form9::File1_Click);
  connect(&Command3, &platform::CommandButton::Click, this, &Form9::Command3_Click);
  connect(&List1, &platform::ListBox::OLEDragDrop, this, &Form9::List1_OLEDragDrop);
  connect(&List1, &platform::ListBox::KeyDown, this, &Form9::List1_KeyDown);
  connect(&List1, &platform::ListBox::DblClick, this, &Form9::List1_DblClick);
  connect(&Command11, &platform::CommandButton::Click, this, &Form9::Command11_Click);
  connect(&Command12, &platform::CommandButton::Click, this, &Form9::Command12_Click);
  connect(&Command5, &platform::CommandButton::Click, this, &Form9::Command5_Click);
  connect(&Command4, &platform::CommandButton::Click, this, &Form9::Command4_Click);
  connect(&Check1, &platform::CheckBox::Click, this, &Form9::Check1_Click);
  connect(&Check2, &platform::CheckBox::Click, this, &Form9::Check2_Click);
  connect(&Check3, &platform::CheckBox::Click, this, &Form9::Check3_Click);
  connect(&Drive1, &platform::DriveListBox::Change, this, &Form9::Drive1_Change);
  connect(&Dir1, &platform::DirListBox::Change, this, &Form9::Dir1_Change);
  connect(&Command1, &platform::CommandButton::Click, this, &Form9::Command1_Click);
  connect(&Command13, &platform::CommandButton::Click, this, &Form9::Command13_Click);
  connect(&Command2, &platform::CommandButton::Click, this, &Form9::Command2_Click);
  connect(&Command6, &platform::CommandButton::Click, this, &Form9::Command6_Click);
  connect(&Command7, &platform::CommandButton::Click, this, &Form9::Command7_Click);
  connect(&Command8, &platform::CommandButton::Click, this, &Form9::Command8_Click);
  JoinSettingMirrors();
}

// ---- window events ------------------------------------------------------------------------

void Form9::Form_Load() {
  const core::ShowSettings& s = core::Settings();
  platform::RunStepsIgnoringErrors({
      [this] {
        Move((platform::ScreenWidth() - Width()) / 2.0,
             (platform::ScreenHeight() - Height()) / 2.0);
      },
      [this] { File1.SetPattern(QStringLiteral("*.kvz")); },
      [this] { LinkEntryLimit = 999; },
      [this, &s] { Check1.SetValue(s.LinkAutoStart == 1 ? 1 : 0); },
      [this, &s] { Check2.SetValue(s.LinkRepeat == 1 ? 1 : 0); },
      // The user's own folder stands where the Windows program began at "C:\Users".
      // The drive first: its change moves the folder list to that drive.
      [this] { Drive1.SetDrive(QDir::homePath()); },
      [this] { Dir1.SetPath(QDir::homePath()); },
      [this] { File1.SetPath(Dir1.Path()); },
  });
  Check4.SetValue(0);
  RefreshCount();
}

void Form9::Form_Activate() {
  const core::ShowSettings& s = core::Settings();
  platform::RunStepsIgnoringErrors({
      [this] { File1.Refresh(); },
      [this, &s] { Check1.SetValue(s.LinkAutoStart == 1 ? 1 : 0); },
      [this, &s] { Check2.SetValue(s.LinkRepeat == 1 ? 1 : 0); },
      [this] { core::CentreOnMainMonitor(this); },
  });
}

void Form9::Form_Paint() {
  RefreshCount();
  core::Flags().LinkEditorShown = 1;
}

void Form9::Form_LostFocus() { core::Flags().LinkEditorShown = 0; }

void Form9::hideEvent(QHideEvent* e) {
  platform::Form::hideEvent(e);
  Form_LostFocus();
}

void Form9::changeEvent(QEvent* e) {
  platform::Form::changeEvent(e);
  if (e->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized))
    Form_LostFocus();
}

void Form9::Form_QueryUnload(int& cancel, int unloadMode) {
  // The close box keeps the list: it closes the editor as "終了" does, so the list is
  // there for the next opening and for the settings written at exit.
  if (unloadMode == platform::vbFormControlMenu) {
    cancel = 1;
    Command2_Click();
  }
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

void Form9::Form_Resize() {
  // Each step on its own: a minimised window refuses some of them.
  int w = Width();
  int h = Height();
  if (w < kMinWidth) {
    TryStep([this] { SetWidth(kMinWidth); });
    w = kMinWidth;
  }
  if (h < kMinHeight) {
    TryStep([this] { SetHeight(kMinHeight); });
    h = kMinHeight;
  }
  for (platform::CommandButton* b : {&Command1, &Command2, &Command6, &Command7, &Command8})
    TryStep([b, w] { b->SetLeft(w - 1670); });
  for (platform::CheckBox* c : {&Check1, &Check2, &Check3})
    TryStep([c, w] { c->SetLeft(w - 1490); });
  for (platform::CommandButton* b :
       {&Command3, &Command4, &Command5, &Command11, &Command12, &Command13})
    TryStep([b, h] { b->SetTop(h - 1220); });
  TryStep([this, w] { List1.SetWidth(w - 4475); });
  TryStep([this, h] { List1.SetHeight(h - 1820); });
  TryStep([this, h] { File1.SetHeight(h - 3980); });
}

// ---- options --------------------------------------------------------------------------------

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

// ---- browser --------------------------------------------------------------------------------

void Form9::Drive1_Change() {
  const bool moved = TryStep([this] {
    // The drive's current folder: the working folder when it lies on that drive.
    const QString drive = Drive1.Drive();
    const QString current = QDir::currentPath();
    Dir1.SetPath(platform::DriveOfPath(current) == drive ? current : drive);
  });
  if (!moved) TryStep([this] { Drive1.SetDrive(Dir1.Path()); });
}

void Form9::Dir1_Change() {
  TryStep([this] { File1.SetPath(Dir1.Path()); });
}

namespace {
platform::FormSlot<Form9>& Form9Slot() {
  static platform::FormSlot<Form9> slot;
  return slot;
}
}  // namespace

Form9& form9() { return Form9Slot().Get(); }
Form9* Form9IfLoaded() { return Form9Slot().IfLoaded(); }

}  // namespace schedule

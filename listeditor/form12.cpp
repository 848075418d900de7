// The linked-files folder window.
#include "listeditor/form12.h"

#include "core/monitors.h"
#include "core/state.h"
#include "platform/dialogs.h"

namespace listeditor {

const QString kLinkedFolderStart = QStringLiteral("/home");

Form12::Form12() {
  SetCaption(QStringLiteral("画像連動ファイル(WAV,MID,MP3,TXT)のフォルダ指定"));
  SetClientSize(5280, 5160);
  Label1.Move(120, 120, 5040, 255);
  Check1.Move(120, 480, 5040, 300);
  Drive1.Move(120, 900, 5040, 300);
  Dir1.Move(120, 1320, 5040, 2415);
  Text1.Move(120, 3840, 5040, 315);
  Command1.Move(1320, 4440, 1215, 495);
  Command2.Move(2760, 4440, 1215, 495);
  connect(&Check1, &platform::CheckBox::Click, this, &Form12::Check1_Click);
  connect(&Dir1, &platform::DirListBox::Change, this, &Form12::Dir1_Change);
  connect(&Drive1, &platform::DriveListBox::Change, this, &Form12::Drive1_Change);
  connect(&Command1, &platform::CommandButton::Click, this, &Form12::Command1_Click);
  connect(&Command2, &platform::CommandButton::Click, this, &Form12::Command2_Click);
}

void Form12::EnableChoosers(bool on) {
  Text1.SetEnabled(on);
  Dir1.SetEnabled(on);
  Drive1.SetEnabled(on);
}

void Form12::Form_Load() {
  const core::PathState& paths = core::Paths();
  platform::RunStepsIgnoringErrors({
      [this] {
        Move((platform::ScreenWidth() - Width()) / 2.0,
             (platform::ScreenHeight() - Height()) / 2.0);
      },
      [this, &paths] {
        QString folder = paths.LinkedFilesFolder;
        if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
        Dir1.SetPath(folder);
      },
      [this] { Drive1.SetDrive(Dir1.Path()); },
      [this] { Text1.SetText(Dir1.Path()); },
      [this, &paths] {
        if (paths.LinkedFilesInFolder == 1) {
          EnableChoosers(true);
          Check1.SetValue(0);
        } else {
          Check1.SetValue(1);
          EnableChoosers(false);
          Dir1.SetPath(kLinkedFolderStart);
        }
      },
      [this] { Drive1.SetDrive(Dir1.Path()); },
      [this] { Text1.SetText(Dir1.Path()); },
  });
}

void Form12::Form_Activate() {
  platform::TryStep([this] { core::CentreOnMainMonitor(this); });
}

void Form12::Check1_Click() { EnableChoosers(Check1.Value() != 1); }

void Form12::Dir1_Change() { Text1.SetText(Dir1.Path()); }

void Form12::Drive1_Change() {
  const bool moved = platform::TryStep([this] {
    if (platform::DriveOfPath(Dir1.Path()) != Drive1.Drive()) Dir1.SetPath(Drive1.Drive());
  });
  if (!moved) platform::TryStep([this] { Drive1.SetDrive(Dir1.Path()); });
}

void Form12::Command1_Click() {
  core::PathState& paths = core::Paths();
  if (Check1.Value() == 1) {
    paths.LinkedFilesInFolder = 0;
  } else {
    paths.LinkedFilesInFolder = 1;
    if (Dir1.Path() == kLinkedFolderStart || Dir1.Path() == QLatin1String("/")) {
      platform::MsgBox(QStringLiteral("\r\nこのフォルダは指定できません。\r\n"
                                      "再度チェックを外し、別のフォルダを指定してください。"),
                       platform::vbExclamation, QStringLiteral("フォルダ未指定"));
      paths.LinkedFilesInFolder = 0;
      Check1.SetValue(1);
      return;
    }
  }
  QString folder = Text1.Text();
  if (folder.endsWith(QLatin1Char('/'))) folder.chop(1);
  paths.LinkedFilesFolder = folder;
  Unload();
}

void Form12::Command2_Click() { Unload(); }

namespace {
platform::FormSlot<Form12>& Form12Slot() {
  static platform::FormSlot<Form12> slot;
  return slot;
}
}  // namespace

Form12& form12() { return Form12Slot().Get(); }
Form12* Form12IfLoaded() { return Form12Slot().IfLoaded(); }

}  // namespace listeditor

// The one-file choosers' shared design, and the WAV chooser form2.
#include "sound/form2.h"

#include <QDir>

#include "core/mirrors.h"
#include "core/monitors.h"
#include "core/slideshow_file.h"
#include "platform/dialogs.h"
#include "sound/form17.h"
#include "sound/form8.h"

namespace sound {

OneFileChooser::OneFileChooser(const Design& design) : design_(design) {
  SetCaption(design_.caption);
  SetClientSize(6480, 5160);
  Label1.SetCaption(design_.prompt);
  Label1.Move(120, 120, 6240, 255);
  Dir1.Move(120, 480, 3000, 2280);
  Drive1.Move(120, 2880, 3000, 315);
  File1.Move(3240, 480, 3120, 2715);
  Text1.Move(120, 3360, 6240, 315);
  Label2.SetCaption(design_.checkNote);
  Label2.SetWordWrap(true);
  Label2.Move(120, 3780, 6240, 435);
  Check1.Move(120, 4260, 3600, 255);
  Command2.Move(3960, 4560, 1095, 495);
  Command1.Move(5265, 4560, 1095, 495);
  const bool hasCheck = design_.withLinkedWav != nullptr;
  Label2.SetVisible(hasCheck);
  Check1.SetVisible(hasCheck);

  connect(&Drive1, &platform::DriveListBox::Change, this, &OneFileChooser::Drive1_Change);
  connect(&Dir1, &platform::DirListBox::Change, this, &OneFileChooser::Dir1_Change);
  connect(&File1, &platform::FileListBox::Click, this, &OneFileChooser::File1_Click);
  connect(&Check1, &platform::CheckBox::Click, this, &OneFileChooser::Check1_Click);
  connect(&Command2, &platform::CommandButton::Click, this, &OneFileChooser::Command2_Click);
  connect(&Command1, &platform::CommandButton::Click, this, &OneFileChooser::Command1_Click);

  // The files' readers refresh the linked-WAV choice and a file name they resolved.
  core::ShowSettings& s = core::Settings();
  if (design_.withLinkedWav) {
    core::JoinMirror(this, &(s.*design_.withLinkedWav), [this] {
      Check1.SetValue(core::Settings().*design_.withLinkedWav == 1 ? 1 : 0);
    });
  }
  core::JoinMirror(this, &(s.*design_.file),
                   [this] { Text1.SetText(core::Settings().*design_.file); });
}

void OneFileChooser::Form_Load() {
  const core::ShowSettings& s = core::Settings();
  platform::RunStepsIgnoringErrors({
      [this, &s] {
        if (design_.withLinkedWav) Check1.SetValue(s.*design_.withLinkedWav == 1 ? 1 : 0);
      },
      [this] { File1.Refresh(); },
      [this] {
        Move((platform::ScreenWidth() - Width()) / 2.0,
             (platform::ScreenHeight() - Height()) / 2.0);
      },
      [this] { File1.SetPattern(design_.pattern); },
      [this, &s] { Text1.SetText(s.*design_.file); },
      // The users' folder to start from: the home folder here.
      [this] { Dir1.SetPath(QDir::homePath()); },
      [this] { Drive1.SetDrive(Dir1.Path()); },
  });
}

void OneFileChooser::Form_Activate() {
  platform::RunStepsIgnoringErrors({
      [this] {
        if (design_.refreshOnActivate) Text1.SetText(core::Settings().*design_.file);
      },
      [this] { core::CentreOnMainMonitor(this); },
  });
}

void OneFileChooser::Drive1_Change() {
  try {
    Dir1.SetPath(platform::CurrentFolderOnDrive(Drive1.Drive()));
  } catch (const std::exception& e) {
    platform::LogSwallowed("drive change", e);
    platform::TryStep([this] { Drive1.SetDrive(Dir1.Path()); });
  }
}

void OneFileChooser::Dir1_Change() {
  platform::TryStep(
      [this] { File1.SetFileName(Dir1.Path() + QLatin1Char('/') + design_.pattern); });
}

void OneFileChooser::File1_Click() {
  QString folder = File1.Path();
  if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
  Text1.SetText(folder + File1.FileName());
}

void OneFileChooser::Check1_Click() {
  if (!design_.withLinkedWav) return;
  short& value = core::Settings().*design_.withLinkedWav;
  if (Check1.Value() == 1) {
    if (value == 0) platform::MsgBox(design_.noticeText, platform::vbOKOnly, design_.noticeTitle);
    value = 1;
  } else {
    value = 0;
  }
}

void OneFileChooser::Command2_Click() {
  core::Settings().*design_.file = Text1.Text();
  Unload();
}

void OneFileChooser::Command1_Click() { Unload(); }

// ---- form2 ---------------------------------------------------------------------------------

Form2::Form2()
    : OneFileChooser({QStringLiteral("WAVファイル再生"),
                      QStringLiteral("WAVファイルを選択して下さい"),
                      QStringLiteral("*.wav"),
                      {},
                      {},
                      {},
                      &core::ShowSettings::RepeatWavFile,
                      nullptr,
                      false}) {}

namespace {
platform::FormSlot<Form2>& Form2Slot() {
  static platform::FormSlot<Form2> slot;
  return slot;
}
}  // namespace

Form2& form2() { return Form2Slot().Get(); }
Form2* Form2IfLoaded() { return Form2Slot().IfLoaded(); }

}  // namespace sound

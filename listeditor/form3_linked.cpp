// The slide list window's picture-linked files: the macro text buttons, the recorder and
// linked-sound buttons, their enabling, and the start of the recorder on a new linked WAV.
#include <QFile>
#include <QFileInfo>

#include "core/common.h"
#include "core/state.h"
#include "listeditor/form3.h"
#include "listeditor/picture_macro.h"
#include "listeditor/sound_services.h"
#include "platform/dialogs.h"
#include "platform/vbfile.h"
#include "platform/wavinfo.h"
#include "sound/form13.h"
#include "sound/form20.h"

namespace listeditor {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// A directory search finds a file of that name.
bool FileFound(const QString& path) { return !path.isEmpty() && QFileInfo(path).isFile(); }

bool IsMovie(const QString& path) {
  const QString tail = path.right(3).toUpper();
  return tail == QLatin1String("MP4") || tail == QLatin1String("WMV") ||
         tail == QLatin1String("MOV") || tail == QLatin1String("AVI");
}

// Unless exactly one row is selected: the warning under `title`, and false.
bool OneRowChosen(const platform::ListBox& list, const QString& title) {
  if (list.SelCount() == 1) return true;
  platform::MsgBox(QStringLiteral("リストから１項目だけ選んで行ってください。"),
                   platform::vbExclamation, title);
  return false;
}

}  // namespace

void StartSoundRecorder() {
  core::PathState& paths = core::Paths();
  paths.RecordingWavPath = SelectedLinkedName(QStringLiteral(".wav"));
  // Only a name no file has gets the template: whatever a file holds, it stays.
  const bool made =
      QFileInfo::exists(paths.RecordingWavPath) ||
      (!paths.RecordingWavPath.isEmpty() &&
       platform::SaveFileAtomically(paths.RecordingWavPath, platform::NarrationWavTemplate()));
  if (!made) {
    platform::LogSwallowed("narration template",
                           std::runtime_error(paths.RecordingWavPath.toStdString()));
    platform::MsgBox(QStringLiteral("ＷＡＶファイルが作成できんません。"), platform::vbExclamation,
                     QStringLiteral("効果音ファイル作成エラー"));
    return;
  }
  core::Sound().RecordFromDblClickWindow = 0;
  sound::form20().ShowModal();
}

void Form3::ConnectLinkedFileControls() {
  using platform::CommandButton;
  connect(&Command16, &CommandButton::Click, this, &Form3::Command16_Click);
  connect(&Command17, &CommandButton::Click, this, &Form3::Command17_Click);
  connect(&Command18, &CommandButton::Click, this, &Form3::Command18_Click);
  connect(&Command19, &CommandButton::Click, this, &Form3::Command19_Click);
  connect(&Command20, &CommandButton::Click, this, &Form3::Command20_Click);
  connect(&List1, &platform::ListBox::DblClick, this, &Form3::List1_DblClick);
  connect(&Image1, &platform::ImageBox::Click, this, &Form3::Image1_Click);
}

void Form3::Command16_Click() {
  if (StopSearchInstead()) return;
  if (!OneRowChosen(List1, QStringLiteral("テキスト編集"))) return;
  const QString name = SelectedLinkedName(QStringLiteral(".txt"));
  if (!FileFound(name) &&
      platform::MsgBox(name + kCrLf + QStringLiteral("のテキストファイルを作成しますか ?"),
                       platform::vbYesNo | platform::vbQuestion,
                       QStringLiteral("テキスト作成")) != platform::vbYes)
    return;
  EditPictureMacroFile();
}

void Form3::Command17_Click() {
  if (StopSearchInstead()) return;
  if (!OneRowChosen(List1, QStringLiteral("テキスト削除"))) return;
  if (FileFound(SelectedLinkedName(QStringLiteral(".txt")))) DeletePictureMacroFile();
}

void Form3::Command18_Click() {
  platform::TryStep([] { core::ForgetSoundRecorder(); });
  core::Sound().RecordFromDblClickWindow = 0;
  sound::form20().ShowModal();
  koukaari();
  List1_Click();
}

void Form3::Command19_Click() {
  platform::TryStep([] { core::ForgetSoundRecorder(); });
  if (List1.List(List1.ListIndex()).isEmpty()) return;
  if (FileFound(SelectedLinkedName(QStringLiteral(".wav")))) DeleteLinkedWav();
  if (FileFound(SelectedLinkedName(QStringLiteral(".mp3")))) DeleteLinkedMp3();
  List1_Click();
}

void Form3::Command20_Click() { sound::form13().ShowModal(); }

void Form3::koukaari() {
  QFile wav(SelectedLinkedName(QStringLiteral(".wav")));
  Command19.SetEnabled(!wav.fileName().isEmpty() && wav.open(QIODevice::ReadOnly));
}

void Form3::SetRowButtons() {
  if (Check1.Value() != 1) return;
  platform::RunStepsIgnoringErrors({
      [this] {
        const QString path = List1.List(List1.ListIndex());
        const bool one = List1.SelCount() == 1;
        const bool picture = one && !IsMovie(path);
        Command25.SetEnabled(picture);
        Command16.SetEnabled(picture);
        Command17.SetEnabled(picture && FileFound(SelectedLinkedName(QStringLiteral(".txt"))));
        Command18.SetEnabled(one);
        Command20.SetEnabled(one);
        Command19.SetEnabled(one && (FileFound(SelectedLinkedName(QStringLiteral(".wav"))) ||
                                     FileFound(SelectedLinkedName(QStringLiteral(".mp3")))));
      },
  });
}

}  // namespace listeditor

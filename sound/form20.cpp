// The linked WAV recorder window.
#include "sound/form20.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include "core/common.h"
#include "core/monitors.h"
#include "core/services.h"
#include "core/state.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/wavinfo.h"
#include "sound/background_sound.h"
#include "sound/form13.h"

namespace sound {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kRecordTitle = QStringLiteral("画像連動効果音録音");

// A directory search finds a file of that name.
bool FileFound(const QString& path) { return !path.isEmpty() && QFileInfo(path).isFile(); }

// Whether a new file can be made in the folder of `path`. The test file has a name of its
// own, so no file of the folder is ever touched.
bool FolderTakesNewFile(const QString& path) {
  if (path.isEmpty()) return false;
  const QString folder = QFileInfo(path).absolutePath();
  if (!QFileInfo(folder).isDir()) return false;
  QTemporaryFile probe(folder + QStringLiteral("/.recordtest-XXXXXX.dat"));
  return probe.open();  // removed again when it goes
}

void SaveFailedMessage() {
  platform::MsgBox(QStringLiteral("効果音が保存できません。"), platform::vbExclamation,
                   QStringLiteral("効果音保存エラー"));
}

}  // namespace

Form20::Form20() {
  SetCaption(QStringLiteral("画像連動効果音(WAV)録音・再生"));
  SetClientSize(6360, 2880);
  Frame1.Move(120, 60, 2640, 735);
  const char* captions[] = {"ステレオ", "モノラル"};
  for (int i = 0; i < 2; ++i) {
    option1_[i] = std::make_unique<platform::OptionButton>(&Frame1, QString::fromUtf8(captions[i]));
    // "モノラル" first, as the window shows them.
    option1_[i]->Move(i == 1 ? 120 : 1320, 300, 1140, 315);
  }
  Label2.Move(3000, 180, 1095, 255);
  Label3.Move(4200, 180, 1095, 255);
  for (platform::Label* red : {&Label2}) red->SetForeColor(QColor(255, 0, 0));
  Label2.SetVisible(false);
  Label3.SetVisible(false);
  Text1.Move(120, 960, 6120, 315);
  Label1.Move(120, 1380, 6120, 255);
  Command1.Move(120, 2160, 1095, 495);
  Command5.Move(1320, 2160, 1095, 495);
  Command4.Move(2520, 2160, 1095, 495);
  Command3.Move(5145, 2160, 1095, 495);

  connect(&Command1, &platform::CommandButton::Click, this, &Form20::Command1_Click);
  connect(&Command5, &platform::CommandButton::Click, this, &Form20::Command5_Click);
  connect(&Command4, &platform::CommandButton::Click, this, &Form20::Command4_Click);
  connect(&Command3, &platform::CommandButton::Click, this, &Form20::Command3_Click);
}

platform::OptionButton& Form20::Option1(int index) {
  if (index < 0 || index > 1)
    throw platform::VbError(platform::kErrNoArrayElement,
                            QStringLiteral("Control array element does not exist"));
  return *option1_[static_cast<size_t>(index)];
}

void Form20::Form_Load() {
  Option1(1).SetValue(true);
  Command1.SetEnabled(false);
  Command5.SetEnabled(false);
  Command4.SetEnabled(false);
  core::PathState& paths = core::Paths();
  const bool ok = platform::TryStep([this, &paths] {
    Move((platform::ScreenWidth() - Width()) / 2.0, (platform::ScreenHeight() - Height()) / 2.0);
    paths.RecordingWavPath =
        LinkedSoundName(core::TheServices().SelectedSlidePath(), QStringLiteral(".wav")).trimmed();
    Text1.SetText(paths.RecordingWavPath);
  });
  WriteTestFailed = ok && FolderTakesNewFile(paths.RecordingWavPath) ? 0 : 1;
  if (WriteTestFailed == 1) {
    platform::MsgBox(
        QStringLiteral("録音できません。") + kCrLf +
            QStringLiteral("画像の保存先フォルダを変更してください。") + kCrLf +
            QStringLiteral("または、メニューの設定で画像連動フォルダ指定を行ってください。"),
        platform::vbExclamation, QStringLiteral("連動録音不可"));
    Label1.SetCaption(
        QStringLiteral("録音できません。（このフォルダへの書込み許可がありません。）"));
  } else {
    Label1.SetCaption(QStringLiteral("録音可能です。"));
    Command1.SetEnabled(true);
  }
  if (FileFound(paths.RecordingWavPath)) Command4.SetEnabled(true);
}

void Form20::Form_Activate() {
  platform::TryStep([this] {
    const int i = core::MainMonitorIndex();
    const core::TwipsRect m = core::MonitorRectTwips(i);
    if (core::Sound().RecordFromDblClickWindow == 1)
      Move(m.Left + 300, m.Top + 300);
    else
      Move(m.Left + (m.Width - Width()) / 2.0, m.Top + (m.Height - Height()) / 2.0);
  });
}

bool Form20::MayWriteTo(const QString& target) {
  // The empty template waits for this very recording: nothing of the user's is lost.
  if (target == agreedTarget_ || !QFileInfo::exists(target) ||
      platform::IsNarrationWavTemplate(target))
    return true;
  if (!ReplaceableByRecording(target)) return false;
  if (platform::MsgBox(target + kCrLf + QStringLiteral("このファイルはすでに存在します。") + kCrLf +
                           kCrLf + QStringLiteral("上書きしますか ?"),
                       platform::vbYesNo | platform::vbQuestion, kRecordTitle) != platform::vbYes)
    return false;
  agreedTarget_ = target;
  return true;
}

bool Form20::ReplaceableByRecording(const QString& target) {
  const QFileInfo info(target);
  if (info.isFile() && (info.size() == 0 || platform::IsWavFile(target))) return true;
  // A picture or any other file is never replaced by a recording.
  platform::MsgBox(
      target + kCrLf + QStringLiteral("このファイルはWAVファイルではないため、上書きできません。"),
      platform::vbExclamation, kRecordTitle);
  return false;
}

void Form20::Command1_Click() {
  const QString linked = core::Paths().RecordingWavPath;
  const QString target = Text1.Text().trimmed();
  agreedTarget_.clear();
  if (target.isEmpty()) {
    SaveFailedMessage();
    return;
  }
  if (FileFound(linked) && !platform::IsNarrationWavTemplate(linked)) {
    if (platform::MsgBox(QStringLiteral("画像連動効果音(WAV)を上書き録音しますか ?"),
                         platform::vbYesNo | platform::vbQuestion, kRecordTitle) != platform::vbYes)
      return;
    if (target == linked) {
      if (!ReplaceableByRecording(target)) return;
      agreedTarget_ = target;
    }
  }
  // A name typed in the box is asked about on its own.
  if (!MayWriteTo(target)) return;

  platform::WaveFormat format;
  format.channels = Option1(1).Value() ? 1 : 2;
  format.samplesPerSec = 44100;
  format.bitsPerSample = 16;
  recorder_.Open(format);
  if (!recorder_.Record()) {
    platform::LogSwallowed("record", std::runtime_error(recorder_.Error().toStdString()));
    recorder_.Close();
    platform::MsgBox(QStringLiteral("録音できません。") + kCrLf +
                         QStringLiteral("録音できる機器が見つかりません。"),
                     platform::vbExclamation, QStringLiteral("連動録音不可"));
    Label1.SetCaption(QStringLiteral("録音できません。（録音できる機器が見つかりません。）"));
    return;
  }
  Label2.SetVisible(true);
  Command1.SetEnabled(false);
  Command4.SetEnabled(false);
  Command5.SetEnabled(true);
}

void Form20::SaveRecording() {
  platform::SetScreenMousePointer(11);
  recorder_.Stop();
  // The name may have been edited while recording: the same rules for the new name.
  const QString target = Text1.Text().trimmed();
  platform::SetScreenMousePointer(0);
  if (target.isEmpty()) {
    SaveFailedMessage();
  } else if (MayWriteTo(target)) {
    platform::SetScreenMousePointer(11);
    const bool saved = recorder_.Save(target);
    platform::SetScreenMousePointer(0);
    if (!saved) {
      platform::LogSwallowed("save recording", std::runtime_error(recorder_.Error().toStdString()));
      SaveFailedMessage();
    }
  }
  recorder_.Close();
  Label2.SetVisible(false);
}

void Form20::Command5_Click() {
  Command5.SetEnabled(false);
  Label3.SetVisible(false);
  if (Label2.Visible()) SaveRecording();
  BackToReady();
  core::Sound().PlaybackStopRequested = 1;
}

void Form20::BackToReady() {
  if (WriteTestFailed == 0) Command1.SetEnabled(true);
  if (FileFound(core::Paths().RecordingWavPath)) Command4.SetEnabled(true);
}

void Form20::Command4_Click() {
  const QString file = Text1.Text().trimmed();
  core::SoundState& snd = core::Sound();
  snd.PlaybackStopRequested = 0;
  CloseRequested = 0;
  if (core::TestFileReadable(file) == 1) {
    struct Depth {
      int& d;
      explicit Depth(int& v) : d(v) { ++d; }
      ~Depth() { --d; }
    } depth(playDepth_);
    Label3.SetVisible(true);
    Command5.SetEnabled(true);
    Command4.SetEnabled(false);
    Command1.SetEnabled(false);
    snd.RecorderTestPlayFile = file;
    snd.RecorderTestPlayActive = 1;
    player_.SetAutoStart(false);
    player_.SetURL(file);
    player_.Play();
    snd.MediaPlaying = 1;
    for (;;) {
      const int state = player_.PlayState();
      bool ended = state != platform::kPlayStatePlaying && state != platform::kPlayStatePaused;
      platform::DoEvents();
      if (snd.PlaybackStopRequested == 1 || IsClosed()) {
        snd.PlaybackStopRequested = 0;
        ended = true;
      }
      if (ended) break;
      platform::Sleep(20);
    }
    const QString failure = player_.Error();
    player_.Stop();
    player_.Close();
    // A recording the player could not open is said so, not passed over as played.
    if (!failure.isEmpty() && !IsClosed()) {
      platform::MsgBox(file + kCrLf + QStringLiteral("ファイルが読み込めません。"),
                       platform::vbExclamation, QStringLiteral("再生エラー"));
    }
  }
  Label3.SetVisible(false);
  Command5.SetEnabled(false);
  BackToReady();
  if (CloseRequested == 1) Unload();
}

void Form20::Command3_Click() {
  core::Sound().PlaybackStopRequested = 1;
  Unload();
}

void Form20::Form_Unload(int& cancel) {
  cancel = 0;
  core::SoundState& snd = core::Sound();
  snd.PlaybackStopRequested = 1;
  CloseRequested = 1;
  // A recording still running is discarded, not saved.
  platform::TryStep([this] { recorder_.Close(); });
  platform::TryStep([this] { player_.Stop(); });
  StopShowMedia();
  snd.RecorderTestPlayFile.clear();
  snd.RecorderTestPlayActive = 0;
  const bool named = FileFound(Text1.Text().trimmed());
  platform::TryStep([named] { core::TheServices().EnableLinkedSoundDelete(named); });
}

namespace {
platform::FormSlot<Form20>& Form20Slot() {
  static platform::FormSlot<Form20> slot;
  return slot;
}
}  // namespace

Form20& form20() { return Form20Slot().Get(); }
Form20* Form20IfLoaded() { return Form20Slot().IfLoaded(); }

}  // namespace sound

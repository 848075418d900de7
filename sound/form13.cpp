// The linked-sound window: the copy of a dropped sound to the slide's linked name, test
// play and deletion of the linked files, the mode options and the MP3 volume slider.
#include "sound/form13.h"

#include <QFileInfo>
#include <cmath>

#include "core/common.h"
#include "core/form1.h"
#include "core/monitors.h"
#include "core/services.h"
#include "core/state.h"
#include "platform/copyfile.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "sound/form10.h"

namespace sound {

namespace {
const QString kModeQuestionTitle = QStringLiteral("効果音設定変更");
const QString kCopyErrorTitle = QStringLiteral("コピーエラー");
const QString kCrLf = QStringLiteral("\r\n");

bool IsCopyableType(const QString& path) {
  const QString ext = path.right(3).toUpper();
  return ext == QLatin1String("WAV") || ext == QLatin1String("MP3");
}

// A directory search finds a file of that name.
bool FileFound(const QString& path) { return !path.isEmpty() && QFileInfo(path).isFile(); }

void CopyWarning(const QString& text) {
  platform::MsgBox(text, platform::vbExclamation, kCopyErrorTitle);
}

template <class T, class... Args>
std::unique_ptr<T> Make(Args&&... args) {
  return std::make_unique<T>(std::forward<Args>(args)...);
}
}  // namespace

QString LinkedSoundName(const QString& slidePath, const QString& ext) {
  if (slidePath.isEmpty()) return {};
  const core::PathState& paths = core::Paths();
  QString base = slidePath;
  if (paths.LinkedFilesInFolder == 1)
    base = paths.LinkedFilesFolder + QLatin1Char('/') + core::GetFileNameOfPath(slidePath);
  return base.left(std::max<qsizetype>(0, base.size() - 4)) + ext;
}

Form13::Form13() {
  SetCaption(QStringLiteral("連動音設定(WAV,MP3)"));
  SetClientSize(7800, 4920);
  Label1.SetCaption(
      QStringLiteral("以下の効果音再生方法を選択し、音声ファイルを設定してください。"));
  Label1.Move(120, 120, 7560, 255);
  Option1.Move(240, 480, 3000, 300);
  Option2.Move(3480, 480, 3000, 300);
  Label2.SetCaption(QStringLiteral(
      "コピー元    ↓ここに音声ファイル（WAVまたはMP3）をドラック＆ドロップしてください。"));
  Label2.Move(120, 960, 7560, 255);
  Text1.Move(120, 1260, 6960, 315);
  Command6.Move(7200, 1245, 480, 345);
  const QString copyCaptions[] = {QStringLiteral("コピー元のWAVを連動音声に設定する"),
                                  QStringLiteral("コピー元のMP3を連動音声に設定する")};
  for (int i = 0; i < 2; ++i) {
    const int top = 1800 + 900 * i;
    text2_[i] = Make<platform::TextBox>(this);
    text2_[i]->Move(120, top, 7560, 315);
    text2_[i]->SetLocked(true);
    command2_[i] = Make<platform::CommandButton>(this, copyCaptions[i]);
    command2_[i]->Move(120, top + 360, 3960, 375);
    command4_[i] = Make<platform::CommandButton>(this, QStringLiteral("再生"));
    command4_[i]->Move(4200, top + 360, 1095, 375);
    command5_[i] = Make<platform::CommandButton>(this, QStringLiteral("停止"));
    command5_[i]->Move(5400, top + 360, 1095, 375);
    command3_[i] = Make<platform::CommandButton>(this, QStringLiteral("削除"));
    command3_[i]->Move(6600, top + 360, 1080, 375);
    command2_[i]->SetEnabled(false);
    command3_[i]->SetEnabled(false);
    command5_[i]->SetEnabled(false);
    connect(command2_[i].get(), &platform::CommandButton::Click, this,
            [this, i] { Command2_Click(i); });
    connect(command3_[i].get(), &platform::CommandButton::Click, this,
            [this, i] { Command3_Click(i); });
    connect(command4_[i].get(), &platform::CommandButton::Click, this,
            [this, i] { Command4_Click(i); });
    connect(command5_[i].get(), &platform::CommandButton::Click, this,
            [this, i] { Command5_Click(i); });
  }
  Label3.Move(120, 3660, 3000, 255);
  Label4.Move(120, 3960, 495, 255);
  HScroll1.Move(120, 4260, 5400, 255);
  HScroll1.SetMin(0);
  HScroll1.SetMax(100);
  HScroll1.SetSmallChange(1);
  HScroll1.SetLargeChange(20);
  Command1.Move(6585, 4140, 1095, 495);

  connect(&Option1, &platform::OptionButton::Click, this, &Form13::Option1_Click);
  connect(&Option2, &platform::OptionButton::Click, this, &Form13::Option2_Click);
  connect(&Text1, &platform::DropTextBox::OLEDragDrop, this, &Form13::Text1_OLEDragDrop);
  connect(&Command6, &platform::CommandButton::Click, this, &Form13::Command6_Click);
  connect(&HScroll1, &platform::ScrollBar::Change, this, &Form13::HScroll1_Change);
  connect(&HScroll1, &platform::ScrollBar::Scroll, this, &Form13::HScroll1_Change);
  connect(&Command1, &platform::CommandButton::Click, this, &Form13::Command1_Click);
}

namespace {
template <class T>
T& Element(const std::array<std::unique_ptr<T>, 2>& a, int i) {
  if (i < 0 || i > 1)
    throw platform::VbError(platform::kErrNoArrayElement,
                            QStringLiteral("Control array element does not exist"));
  return *a[static_cast<size_t>(i)];
}
}  // namespace

platform::TextBox& Form13::Text2(int i) { return Element(text2_, i); }
platform::CommandButton& Form13::Command2(int i) { return Element(command2_, i); }
platform::CommandButton& Form13::Command3(int i) { return Element(command3_, i); }
platform::CommandButton& Form13::Command4(int i) { return Element(command4_, i); }
platform::CommandButton& Form13::Command5(int i) { return Element(command5_, i); }

void Form13::Form_Load() {
  core::SoundState& sound = core::Sound();
  const core::ShowSettings& s = core::Settings();
  platform::RunStepsIgnoringErrors({
      [this] { Text1.SetOLEDropMode(1); },
      [this] {
        Move((platform::ScreenWidth() - Width()) / 2.0,
             (platform::ScreenHeight() - Height()) / 2.0);
      },
      [&sound] { sound.PlaybackStopRequested = 0; },
      [&sound, &s] { sound.VolumeAttenuation = s.VolumeAttenuationSetting; },
      [this, &s] {
        HScroll1.SetValue(static_cast<int>(std::floor((1000 - s.VolumeAttenuationSetting) / 10.0)));
      },
      [this] { ApplyVolumeSlider(); },
  });
}

void Form13::Form_Activate() {
  Text1.SetText(QString());
  platform::TryStep([this] { core::CentreOnMainMonitor(this); });
  core::Sound().PlaybackStopRequested = 0;
  Text1.SetText(QString());
  RefreshLinkedSoundDialog();
}

void Form13::Form_Unload(int& cancel) {
  cancel = 0;
  core::Sound().PlaybackStopRequested = 1;
}

void Form13::RefreshLinkedSoundDialog() {
  Text1.SetText(QString());
  for (int i = 0; i < 2; ++i) {
    Command2(i).SetEnabled(false);
    Command5(i).SetEnabled(false);
  }
  const QString slide = core::TheServices().SelectedSlidePath();
  SetCaption(QStringLiteral("連動音設定-") + slide);
  if (!slide.isEmpty()) {
    const QString names[] = {LinkedSoundName(slide, QStringLiteral(".wav")),
                             LinkedSoundName(slide, QStringLiteral(".mp3"))};
    for (int i = 0; i < 2; ++i) {
      const bool found = FileFound(names[i]);
      Text2(i).SetText(found ? names[i] : QString());
      Command3(i).SetEnabled(found);
      Command4(i).SetEnabled(found);
    }
  }
  // The options follow the mode also without a slide: a No to their question unticks them.
  const core::ShowSettings& s = core::Settings();
  Option1.SetValue(false);
  Option2.SetValue(false);
  if (s.SoundMode == 9) Option1.SetValue(true);
  if (s.SoundMode == 6 && s.SoundListWithLinkedWav == 1) Option2.SetValue(true);
}

void Form13::SetSoundModeWithMenus(short mode) {
  core::Form1& main = core::form1();
  core::ShowSettings& s = core::Settings();
  if (s.SoundMode >= 0 && s.SoundMode < main.mnuKOU.Count())
    main.mnuKOU[s.SoundMode].SetChecked(false);
  s.SoundMode = mode;
  main.mnuCDM.SetEnabled(false);
  main.mnuKOU[mode].SetChecked(true);
  main.mnuDOUKI.SetEnabled(true);
  main.mnuKOICHI.SetEnabled(true);
}

void Form13::Option1_Click() {
  if (core::Settings().SoundMode == 9) return;
  if (platform::MsgBox(
          QStringLiteral("効果音設定を連動（MP3+WAV）再生に設定しますか？\r\n"
                         "画像・動画ファイルと同一名で、拡張子が.mp3または.wavのファイルがあれば、"
                         "同時に再生されます。"),
          platform::vbYesNo | platform::vbQuestion, kModeQuestionTitle) == platform::vbYes) {
    SetSoundModeWithMenus(9);
  }
  RefreshLinkedSoundDialog();
}

void Form13::Option2_Click() {
  core::ShowSettings& s = core::Settings();
  if (s.SoundMode == 6 && s.SoundListWithLinkedWav == 1) return;
  if (platform::MsgBox(
          QStringLiteral("効果音設定をWAV,MID,MP3リスト再生＋連動（WAV）再生に設定しますか？"),
          platform::vbYesNo | platform::vbQuestion, kModeQuestionTitle) == platform::vbYes) {
    SetSoundModeWithMenus(6);
    form10().Check5.SetValue(1);
    s.SoundListWithLinkedWav = 1;
  }
  RefreshLinkedSoundDialog();
}

void Form13::HScroll1_Change() { ApplyVolumeSlider(); }

void Form13::ApplyVolumeSlider() {
  const int value = HScroll1.Value();
  Label4.SetCaption(QString::number(value));
  const int span = HScroll1.Max() - HScroll1.Min();
  float left = static_cast<float>(HScroll1.Left()) +
               0.64f * static_cast<float>(HScroll1.Width()) *
                   static_cast<float>(value - HScroll1.Min()) /
                   static_cast<float>(span > 0 ? span : 1) -
               static_cast<float>(Label4.Width()) / 2.0f + 500.0f;
  if (left < 0) left = 0;
  if (left + Label4.Width() > ScaleWidth())
    left = static_cast<float>(ScaleWidth() - Label4.Width());
  Label4.SetLeft(left);
  core::Settings().VolumeAttenuationSetting = static_cast<short>(1000 - 10 * value);
  if (command5_[1] && Command5(1).Enabled()) {
    platform::MediaPlayer& player = core::form1().WindowsMediaPlayer1;
    if (player.PlayState() == platform::kPlayStatePlaying) player.SetVolume(value);
  }
}

void Form13::Command1_Click() {
  if (!Text1.Text().isEmpty() &&
      platform::MsgBox(QStringLiteral("連動音声をコピーせずに閉じますか？"),
                       platform::vbYesNo | platform::vbQuestion,
                       QStringLiteral("連動音声コピーキャンセル")) == platform::vbNo) {
    return;
  }
  core::Sound().PlaybackStopRequested = 1;
  Command2(0).SetEnabled(false);
  Command2(1).SetEnabled(false);
  Unload();
}

void Form13::Command6_Click() {
  Text1.SetText(QString());
  Command2(0).SetEnabled(false);
  Command2(1).SetEnabled(false);
  RefreshLinkedSoundDialog();
}

void Form13::Text1_OLEDragDrop(const QStringList& paths) {
  if (paths.isEmpty()) return;
  Text1.SetText(paths.front());
  const QString ext = paths.front().right(3).toUpper();
  if (!IsCopyableType(paths.front())) {
    Text1.SetText(QString());
    Command2(0).SetEnabled(false);
    Command2(1).SetEnabled(false);
    return;
  }
  const QString slide = core::TheServices().SelectedSlidePath();
  const int row = ext == QLatin1String("WAV") ? 0 : 1;
  Text2(row).SetText(
      LinkedSoundName(slide, row == 0 ? QStringLiteral(".wav") : QStringLiteral(".mp3")));
  Command2(row).SetEnabled(true);
}

void Form13::CopyFailed() {
  CopyWarning(QStringLiteral("コピーできません。") + kCrLf +
              QStringLiteral("画像の保存先フォルダを変更してください。") + kCrLf +
              QStringLiteral("または、メニューの設定で画像連動フォルダ指定を行ってください。"));
}

void Form13::Command2_Click(int i) {
  try {
    if (!IsCopyableType(Text1.Text())) {
      Text1.SetText(QString());
      CopyWarning(
          QStringLiteral("コピーできません。WAVまたはMP3音声ファイルをコピー元にドラック＆ドロップ"
                         "してください。"));
      return;
    }
    const QString source = Text1.Text();
    const QString target = Text2(i).Text();
    if (source.isEmpty() || target.isEmpty()) {
      CopyWarning(QStringLiteral(
          "コピーできません。音声ファイルをコピー元にドラック＆ドロップしてください。"));
      return;
    }
    if (source.compare(target, Qt::CaseInsensitive) == 0 ||
        (QFileInfo::exists(target) &&
         QFileInfo(source).canonicalFilePath() == QFileInfo(target).canonicalFilePath())) {
      CopyWarning(QStringLiteral("同一フォルダへはコピーできません。"));
      Hide();
      return;
    }
    if (FileFound(target) &&
        platform::MsgBox(target + kCrLf + QStringLiteral("このファイルはすでに存在します。") +
                             kCrLf + kCrLf + QStringLiteral("上書きしますか ?"),
                         platform::vbYesNo | platform::vbQuestion,
                         QStringLiteral("コピー")) == platform::vbNo) {
      return;
    }
    platform::SetScreenMousePointer(11);
    if (!platform::CopyFileA(source, target, false)) {
      CopyFailed();
      platform::SetScreenMousePointer(0);
      return;
    }
    core::TheServices().RefreshLinkedSoundDelete();
    RefreshLinkedSoundDialog();
    platform::SetScreenMousePointer(0);
  } catch (const std::exception& e) {
    platform::LogSwallowed("linked sound copy", e);
    CopyFailed();
    platform::SetScreenMousePointer(0);
    Unload();
  }
}

void Form13::Command3_Click(int i) {
  if (i == 1)
    core::TheServices().DeleteLinkedMp3();
  else
    core::TheServices().DeleteLinkedWav();
  RefreshLinkedSoundDialog();
}

void Form13::Command4_Click(int i) {
  const QString file = Text2(i).Text();
  if (file.isEmpty()) {
    platform::MsgBox(
        QStringLiteral("再生できません。音声ファイルをコピー元にドラック＆ドロップしてください。"),
        platform::vbExclamation, QStringLiteral("再生エラー"));
    return;
  }
  struct Depth {
    int& d;
    explicit Depth(int& v) : d(v) { ++d; }
    ~Depth() { --d; }
  } depth(testPlayDepth_);
  core::SoundState& snd = core::Sound();
  platform::MediaPlayer& player = core::form1().WindowsMediaPlayer1;
  player.SetAutoStart(false);
  player.SetURL(file);
  player.Play();
  if (i == 1) {
    player.SetVolume(HScroll1.Value());
  } else {
    player.SetVolume(100);
    HScroll1.SetEnabled(false);
  }
  for (auto* c : {&Option1, &Option2}) c->SetEnabled(false);
  Text1.SetEnabled(false);
  Command2(i).SetEnabled(false);
  for (int k = 0; k < 2; ++k) {
    Command3(k).SetEnabled(false);
    Command4(k).SetEnabled(false);
  }
  Command6.SetEnabled(false);
  Command5(i).SetEnabled(true);

  for (;;) {
    const int state = player.PlayState();
    if (state == platform::kPlayStateUndefined || state == platform::kPlayStateStopped ||
        state == platform::kPlayStateMediaEnded)
      break;
    platform::DoEvents();
    platform::Sleep(20);
    // A closed window ends its test play too (its unload asked for the stop).
    if (snd.PlaybackStopRequested == 1 || IsClosed()) {
      snd.PlaybackStopRequested = 0;
      break;
    }
  }
  // A file the player could not open is said so, not passed over as played.
  const QString failure = player.Error();
  player.Stop();
  player.Close();
  for (auto* c : {&Option1, &Option2}) c->SetEnabled(true);
  Text1.SetEnabled(true);
  Command6.SetEnabled(true);
  HScroll1.SetEnabled(true);
  RefreshLinkedSoundDialog();
  if (!failure.isEmpty() && !IsClosed()) {
    platform::MsgBox(file + kCrLf + QStringLiteral("ファイルが読み込めません。"),
                     platform::vbExclamation, QStringLiteral("再生エラー"));
  }
}

void Form13::Command5_Click(int) { core::Sound().PlaybackStopRequested = 1; }

namespace {
platform::FormSlot<Form13>& Form13Slot() {
  static platform::FormSlot<Form13> slot;
  return slot;
}
}  // namespace

Form13& form13() { return Form13Slot().Get(); }
Form13* Form13IfLoaded() { return Form13Slot().IfLoaded(); }

}  // namespace sound

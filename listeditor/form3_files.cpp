// The slide list editor's file commands: new, open, save, distribution save and the
// commit of the lists into the show's slide arrays.
#include <QFileInfo>

#include "core/form1.h"
#include "core/settings_file.h"
#include "core/slideshow_file.h"
#include "core/startup.h"
#include "core/state.h"
#include "listeditor/form3.h"
#include "platform/dialogs.h"
#include "platform/form.h"
#include "sound/form10.h"

namespace listeditor {

using core::Flags;
using core::Form1;
using core::ListState;
using core::Paths;
using core::PathState;
using core::RunFlags;
using core::Settings;
using core::ShowSettings;
using core::Sound;

namespace {

constexpr int kHourglass = 11;
constexpr int kDefaultPointer = 0;

const QString kSlideshowFilter = QStringLiteral("ｽﾗｲﾄﾞFiles (*.kvz)|*.kvz|すべてのﾌｧｲﾙ(*.*)|*.*");

bool SlideListEmptyRefusesSave() {
  if (form3().List1.ListCount() != 0) return false;
  platform::MsgBox(QStringLiteral("スライドリストがないので保存できんません。"),
                   platform::vbExclamation, QStringLiteral("ファイルの保存"));
  return true;
}

// The save dialog proposes the current slideshow file, or "*.kvz" when there is none.
std::optional<QString> AskSlideshowSavePath(const QString& title) {
  const PathState& paths = Paths();
  const QString proposed =
      paths.SlideshowFileName.isEmpty() ? QStringLiteral("*.kvz") : paths.SlideshowFilePath;
  return platform::SaveFileDialog(title, kSlideshowFilter, proposed);
}

void SaveWithDialog(const QString& title, short distribution) {
  const std::optional<QString> chosen = AskSlideshowSavePath(title);
  if (!chosen) return;
  Paths().DistributionSave = distribution;
  QString path = *chosen;
  platform::TryStep([&path] { core::SaveSlideshowFile(path); });
}

// Every setting back to the value of a new slide list.
void ResetSettingsForNewList() {
  ShowSettings& s = Settings();
  s.SlideIntervalSeconds = 3;
  s.RepeatOff = 0;
  s.RandomOrderOff = 1;
  s.SoundMode = 6;
  s.DefaultSoundFile = QStringLiteral("*.wav");
  s.RepeatWavFile.clear();
  s.RepeatMidiFile.clear();
  s.RepeatMp3File.clear();
  s.DisplayEffect = 9;
  s.EraseEffect = 9;
  s.DisplayEffectSpeed = -30;
  s.EraseEffectSpeed = -30;
  s.EffectSpeedFixed = 0;
  s.EffectSpeedCorrection = 5;
  s.DisplaySlitCount = 10;
  s.EraseSlitCount = 10;
  s.DisplayMosaicCount = 20;
  s.EraseMosaicCount = 20;
  s.OverlayMode = 0;
  s.OverlayBackColorIndex = 0;
  s.PictureSizeMode = 0;
  s.SizeAdjustMode = 0;
  s.PicturePosition = 0;
  s.TextMacroOff = 0;
  s.TextOriginScreen = 0;
  s.WavSyncOff = 0;
  s.LinkedSoundAfterText = 0;
  s.CdTrackOrder = 0;
  s.CdStartTrack = QStringLiteral("1");
  s.CdTrackRepeatOff = 1;
  s.CdWithLinkedWavOff = 1;
  s.StopShowAtCdProgramEnd = 0;
  s.MidiWithLinkedWav = 0;
  s.Mp3WithLinkedWav = 0;
  s.SoundListInSlideshowFile = 1;
  s.SoundListWithLinkedWav = 1;
  s.VolumeAttenuationSetting = 0;
  s.AutoStartOff = 1;
  s.ContinueStart = 0;
  s.AlwaysFullScreenOff = 1;
  s.FullStartConfirmOff = 1;
  s.ControlBoxOff = 0;
  s.ErrorEntryAutoRemove = 0;
  s.SecondInstanceOff = 0;
  s.UserMacroHeaderOff = 1;
  s.PictureLoadMode = 0;
  s.LinkAutoStart = 0;
  s.LinkRepeat = 1;
  s.DblClickPicture = 1;
  s.DblClickRecord = 1;
  s.DblClickWallpaper = 0;
  s.DblClickText = 0;
  s.DblClickSlideshow = 0;

  PathState& paths = Paths();
  paths.LinkedFilesInFolder = 0;
  paths.LinkedFilesFolder.clear();
  paths.SlideshowFileName.clear();
  paths.SlideshowFilePath.clear();
  paths.OpenedFileFolder.clear();
  paths.SlideshowFileTime.clear();

  ListState& lists = core::Lists();
  lists.LastShownSlideIndex = 0;
  lists.SlideEndIndex = 0;
  lists.CdProgram.Erase();
  lists.CdProgramCount = 0;
  Sound().SoundFadedOut = 0;
  Sound().VolumeAttenuation = 0;
  Flags().CursorHidden = 0;
  Flags().OperationLocked = 0;
  Flags().SlideListEditorShown = 0;
}

}  // namespace

void Form3::Command15_Click() {
  Form3& w = *this;
  if (platform::MsgBox(QStringLiteral("スライドリストとすべての設定を初期状態にしますか ?"),
                       platform::vbQuestion | platform::vbYesNo,
                       QStringLiteral("新規作成")) != platform::vbYes) {
    return;
  }
  platform::SetScreenMousePointer(kHourglass);
  w.List1.Clear();
  w.List2.Clear();
  w.Label4.SetCaption(QString::number(w.List1.ListCount()));
  Form1& main = core::form1();
  main.SetCaption(core::ProgramTitle());
  ResetSettingsForNewList();
  main.Timer1.SetInterval(3000);
  w.Command16.SetEnabled(false);
  w.Command17.SetEnabled(false);
  core::SaveSettingsFile();
  core::LoadSettingsFile();
  sound::Form10& sounds = sound::form10();
  sounds.List1.Clear();
  sounds.Label4.SetCaption(QString::number(w.List1.ListCount()));
  sounds.Command6.SetEnabled(false);
  sounds.Command7.SetEnabled(false);
  sounds.Command1_Click();
  platform::SetScreenMousePointer(kDefaultPointer);
}

void Form3::Command6_Click() {
  const std::optional<QString> chosen = platform::OpenFileDialog(
      QStringLiteral("スライドショー　ファイルを開く"), kSlideshowFilter, QStringLiteral("*.kvz"));
  if (!chosen) return;
  Form3& w = *this;
  const QString path = *chosen;
  Paths().OpenedFileFolder = core::FolderOfPath(path);
  w.Command16.SetEnabled(false);
  w.Command17.SetEnabled(false);
  platform::TryStep([&path] { core::LoadSlideshowFile(path); });
  w.Label4.SetCaption(QString::number(w.List1.ListCount()));
}

void Form3::Command7_Click() {
  if (SlideListEmptyRefusesSave()) return;
  SaveWithDialog(QStringLiteral("スライドショー　ファイルの保存"), 0);
}

void Form3::Command9_Click() {
  if (SlideListEmptyRefusesSave()) return;
  if (platform::MsgBox(QStringLiteral("配布用ＫＶＺファイルを作成しますか？\r\n"
                                      "配布用ＫＶＺファイルはスライドリストのパスが消去され、\r\n"
                                      "ＫＶＺファイルを開いた時にスライドリストの画像パスが\r\n"
                                      "ＫＶＺファイルのパスに変換されます。\r\n"
                                      "ＫＶＺファイルと画像は同一フォルダに保存して下さい。"),
                       platform::vbQuestion | platform::vbYesNo,
                       QStringLiteral("配布用ＫＶＺファイルの保存")) != platform::vbYes) {
    return;
  }
  SaveWithDialog(QStringLiteral("スライドショー　配布用ＫＶＺファイルの保存"), 1);
}

void Form3::Command1_Click() {
  Form3& w = *this;
  RunFlags& flags = Flags();
  ListState& lists = core::Lists();
  flags.StartedFromListEditor = 0;
  lists.CurrentSlideIndex = 0;
  flags.ShowRunning = 0;
  lists.SlideEndIndex = 0;
  lists.SlidePaths.Erase();
  const int n = w.List1.ListCount();
  for (int i = 1; i <= n; ++i) {
    lists.SlidePaths[i] = w.List1.List(i - 1);
    ++lists.SlideEndIndex;
  }
  ++lists.SlideEndIndex;
  for (int r = 0; r < n; ++r) {
    const QString record = w.List2.List(r);
    lists.SlideAddDateTimes[r + 1] = core::ScheduleAddMoment(record);
    lists.SlideDeleteDateTimes[r + 1] = core::ScheduleDeleteMoment(record);
  }
  Form1& main = core::form1();
  main.Show();
  if (!lists.SlidePaths[1].isEmpty()) {
    main.Command1.SetEnabled(true);
    main.Command4.SetEnabled(true);
    w.Hide();
    flags.FourUpViewOpen = 0;
  } else {
    main.Command1.SetEnabled(false);
    main.Command2.SetEnabled(false);
    main.Command3.SetEnabled(false);
    main.Command4.SetEnabled(false);
    w.Hide();
  }
  flags.SlideListEditorOpen = 0;
}

}  // namespace listeditor

// The slide list window's file commands: new, open, save and distribution save.
#include <optional>

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

// The save dialog proposes the current slideshow file, or "*.kvz" when there is none.
std::optional<QString> AskSlideshowSavePath(const QString& title) {
  const PathState& paths = Paths();
  const QString proposed =
      paths.SlideshowFileName.isEmpty() ? QStringLiteral("*.kvz") : paths.SlideshowFilePath;
  return platform::SaveFileDialog(title, kSlideshowFilter, proposed);
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
  if (StopSearchInstead()) return;
  if (platform::MsgBox(QStringLiteral("スライドリストとすべての設定を初期状態にしますか ?"),
                       platform::vbQuestion | platform::vbYesNo,
                       QStringLiteral("新規作成")) != platform::vbYes) {
    return;
  }
  platform::SetScreenMousePointer(kHourglass);
  ClearLists();
  PreviewedPath.clear();
  Label4.SetCaption(QString::number(List1.ListCount()));
  Form1& main = core::form1();
  main.SetCaption(core::ProgramTitle());
  ResetSettingsForNewList();
  main.Timer1.SetInterval(3000);
  DisableRowButtons();
  ClearPreview();
  // Read back, the file sets every menu and box. A file that could not be written (the
  // writer has said so) would bring the old list back: what is in memory is applied.
  if (core::SaveSettingsFile())
    core::LoadSettingsFile();
  else
    core::ApplySettingsInMemory();
  sound::Form10& sounds = sound::form10();
  sounds.List1.Clear();
  sounds.Label4.SetCaption(QString::number(List1.ListCount()));
  sounds.Command6.SetEnabled(false);
  sounds.Command7.SetEnabled(false);
  sounds.Command1_Click();
  platform::SetScreenMousePointer(kDefaultPointer);
}

void Form3::Command6_Click() {
  if (StopSearchInstead()) return;
  std::optional<QString> chosen;
  platform::TryStep([&chosen] {
    chosen = platform::OpenFileDialog(QStringLiteral("スライドショー　ファイルを開く"),
                                      kSlideshowFilter, QStringLiteral("*.kvz"));
  });
  if (!chosen) return;
  const QString path = *chosen;
  PreviewedPath.clear();
  Paths().OpenedFileFolder = core::FolderOfPath(path);
  for (platform::CommandButton* b : {&Command16, &Command17, &Command18, &Command19, &Command20})
    b->SetEnabled(false);
  platform::TryStep([&path] { core::LoadSlideshowFile(path); });
  // A list read anew is no longer the batch that met the limit.
  if (!ListIsFull()) ListFullStop = 0;
  Label4.SetCaption(QString::number(List1.ListCount()));
  ClearPreview();
}

void Form3::Command7_Click() { SaveList(false); }

void Form3::Command9_Click() { SaveList(true); }

Form3::SaveOutcome Form3::SaveList(bool distribution) {
  if (StopSearchInstead()) return SaveOutcome::kCancelled;
  if (List1.ListCount() == 0) {
    platform::MsgBox(QStringLiteral("スライドリストがないので保存できんません。"),
                     platform::vbExclamation, QStringLiteral("ファイルの保存"));
    return SaveOutcome::kRefused;
  }
  if (distribution &&
      platform::MsgBox(QStringLiteral("配布用ＫＶＺファイルを作成しますか？\r\n"
                                      "配布用ＫＶＺファイルはスライドリストのパスが消去され、\r\n"
                                      "ＫＶＺファイルを開いた時にスライドリストの画像パスが\r\n"
                                      "ＫＶＺファイルのパスに変換されます。\r\n"
                                      "ＫＶＺファイルと画像は同一フォルダに保存して下さい。"),
                       platform::vbQuestion | platform::vbYesNo,
                       QStringLiteral("配布用ＫＶＺファイルの保存")) != platform::vbYes) {
    return SaveOutcome::kCancelled;
  }
  const QString title = distribution ? QStringLiteral("スライドショー　配布用ＫＶＺファイルの保存")
                                     : QStringLiteral("スライドショー　ファイルの保存");
  std::optional<QString> chosen;
  platform::TryStep([&chosen, &title] { chosen = AskSlideshowSavePath(title); });
  if (!chosen) return SaveOutcome::kCancelled;
  PathState& paths = Paths();
  paths.DistributionSave = distribution ? 1 : 0;
  // The distribution copy carries no linked-files folder; the user's own setting stays.
  const short linkedInFolder = paths.LinkedFilesInFolder;
  const QString linkedFolder = paths.LinkedFilesFolder;
  QString path = *chosen;
  bool saved = false;
  platform::TryStep([&path, &saved] { saved = core::SaveSlideshowFile(path); });
  if (distribution) {
    paths.LinkedFilesInFolder = linkedInFolder;
    paths.LinkedFilesFolder = linkedFolder;
  }
  return saved ? SaveOutcome::kSaved : SaveOutcome::kFailed;
}

}  // namespace listeditor

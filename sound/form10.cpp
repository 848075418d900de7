// The sound list editor's window: browsing and adding, the list's commands, the options,
// the test play and the placement.
#include "sound/form10.h"

#include <QDir>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <algorithm>

#include "core/common.h"
#include "core/form1.h"
#include "core/monitors.h"
#include "core/soundlist_file.h"
#include "core/state.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "sound/background_sound.h"

namespace sound {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kClickTitle = QStringLiteral("ｽﾗｲﾄﾞｼｮｰ");
const QString kDropTitle = QStringLiteral("WAV,MID,MP3リスト");

// The size "標準" gives and the least size the window keeps (twips, outer frame).
constexpr int kStandardWidth = 9390, kStandardHeight = 5460;
constexpr int kMinWidth = 9690, kMinHeight = 5760;
// The right column stands this much further left than the original's, the list that much
// narrower: the option boxes' captions need the room in today's fonts.
constexpr int kColumnShift = 600;

QString WithSeparator(const QString& folder) {
  return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

bool IsSoundFileName(const QString& path) {
  const QString ext = path.right(3).toUpper();
  return ext == QLatin1String("WAV") || ext == QLatin1String("MID") || ext == QLatin1String("MP3");
}

std::vector<int> SelectedRows(const platform::ListBox& list) {
  std::vector<int> rows;
  for (const QModelIndex& i : list.selectionModel()->selectedRows()) rows.push_back(i.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

}  // namespace

Form10::Form10() {
  SetCaption(
      QStringLiteral("BGMリスト(WAV,MID,MP3)    ※動画再生中はBGMリスト再生が一時停止します。"));
  SetClientSize(kMinWidth, kMinHeight);
  // Left column: folder, drive and file lists.
  Dir1.Move(120, 120, 2415, 1695);
  Drive1.Move(120, 1920, 2415, 315);
  File1.Move(120, 2340, 2415, 1680);
  // Above the list: the insert box, the count and the search label; then the drop hint.
  Check2.Move(2640, 60, 795, 255);
  Label5.Move(3540, 60, 495, 255);
  Label4.Move(4080, 60, 735, 255);
  Label1.Move(4920, 60, 735, 255);
  Label2.Move(2640, 330, 3360, 255);
  List1.Move(2640, 600, 5295 - kColumnShift, 3840);
  Command9.Move(7290 - kColumnShift, 120, 675, 375);
  Command10.Move(6680 - kColumnShift, 120, 555, 375);
  // Right column.
  Command1.Move(8040 - kColumnShift, 120, 1095, 375);
  Command2.Move(8040 - kColumnShift, 555, 1095, 375);
  Check3.Move(8040 - kColumnShift, 1080, 1560, 255);
  Check5.Move(8040 - kColumnShift, 1380, 1560, 255);
  Check4.Move(8040 - kColumnShift, 1680, 1560, 255);
  Check1.Move(8040 - kColumnShift, 1980, 1560, 255);
  Check6.Move(8040 - kColumnShift, 2280, 1560, 255);
  Command6.Move(8040 - kColumnShift, 2700, 1095, 375);
  Command7.Move(8040 - kColumnShift, 3135, 1095, 375);
  // Bottom row.
  Command3.Move(120, 4440, 1095, 375);
  Command8.Move(1260, 4440, 1095, 375);
  Command4.Move(2640, 4440, 1095, 375);
  Command5.Move(3780, 4440, 1095, 375);
  Command11.Move(4920, 4440, 495, 375);
  Command12.Move(5460, 4440, 495, 375);
  Label3.Move(8400, 4200, 735, 255);
  Text1.Move(6360, 4560, 2880, 315);

  for (platform::Label* red : {&Label1, &Label3}) {
    red->SetForeColor(QColor(255, 0, 0));
    red->SetVisible(false);
  }
  Text1.SetLocked(true);
  Text1.SetVisible(false);
  List1.SetOLEDropMode(1);

  connect(&Command1, &platform::CommandButton::Click, this, &Form10::Command1_Click);
  connect(&Command2, &platform::CommandButton::Click, this, &Form10::Command2_Click);
  connect(&Command3, &platform::CommandButton::Click, this, &Form10::Command3_Click);
  connect(&Command4, &platform::CommandButton::Click, this, &Form10::Command4_Click);
  connect(&Command5, &platform::CommandButton::Click, this, &Form10::Command5_Click);
  connect(&Command6, &platform::CommandButton::Click, this, &Form10::Command6_Click);
  connect(&Command7, &platform::CommandButton::Click, this, &Form10::Command7_Click);
  connect(&Command8, &platform::CommandButton::Click, this, &Form10::Command8_Click);
  connect(&Command9, &platform::CommandButton::Click, this, &Form10::Command9_Click);
  connect(&Command10, &platform::CommandButton::Click, this, &Form10::Command10_Click);
  connect(&Command11, &platform::CommandButton::Click, this, &Form10::Command11_Click);
  connect(&Command12, &platform::CommandButton::Click, this, &Form10::Command12_Click);
  connect(&Check1, &platform::CheckBox::Click, this, &Form10::Check1_Click);
  connect(&Check3, &platform::CheckBox::Click, this, &Form10::Check3_Click);
  connect(&Check4, &platform::CheckBox::Click, this, &Form10::Check4_Click);
  connect(&Check5, &platform::CheckBox::Click, this, &Form10::Check5_Click);
  connect(&Check6, &platform::CheckBox::Click, this, &Form10::Check6_Click);
  connect(&Drive1, &platform::DriveListBox::Change, this, &Form10::Drive1_Change);
  connect(&Dir1, &platform::DirListBox::Change, this, &Form10::Dir1_Change);
  connect(&File1, &platform::FileListBox::Click, this, &Form10::File1_Click);
  connect(&List1, &platform::ListBox::Click, this, &Form10::List1_Click);
  connect(&List1, &platform::ListBox::DblClick, this, &Form10::List1_DblClick);
  connect(&List1, &platform::ListBox::KeyDown, this, &Form10::List1_KeyDown);
  connect(&List1, &platform::ListBox::OLEDragDrop, this, &Form10::List1_OLEDragDrop);
  JoinSettingMirrors();
}

// ---- load, activation, paint, size ------------------------------------------------------

void Form10::Form_Load() {
  const core::ShowSettings& s = core::Settings();
  platform::RunStepsIgnoringErrors({
      [this, &s] { Check3.SetValue(s.SoundMode == 6 ? 1 : 0); },
      [this, &s] { Check4.SetValue(s.WavSyncOff == 0 ? 1 : 0); },
      [this, &s] { Check1.SetValue(s.SoundListInSlideshowFile == 1 ? 1 : 0); },
      [this, &s] { Check5.SetValue(s.SoundListWithLinkedWav == 1 ? 1 : 0); },
      [this, &s] { Check6.SetValue(s.SoundListFromSelection == 1 ? 1 : 0); },
      [this] {
        Move((platform::ScreenWidth() - Width()) / 2.0,
             (platform::ScreenHeight() - Height()) / 2.0);
      },
      [this] { File1.SetPattern(kSoundFilePattern); },
      // A reader that is filling the list caused this load: it reads the file itself.
      [] {
        if (core::Lists().SoundListLoading != 1) core::LoadSoundListFile();
      },
      [this] {
        for (auto* b : {&Command1, &Command2, &Command3, &Command4, &Command5, &Command8,
                        &Command11, &Command12})
          b->SetEnabled(true);
        Command6.SetEnabled(false);
        Command7.SetEnabled(false);
      },
      // The users' folder to start from: the home folder here.
      [this] { Dir1.SetPath(QDir::homePath()); },
      [this] { Drive1.SetDrive(Dir1.Path()); },
  });
  ShowCount();
}

void Form10::Form_Activate() {
  const core::ShowSettings& s = core::Settings();
  platform::RunStepsIgnoringErrors({
      [this, &s] { Check3.SetValue(s.SoundMode == 6 ? 1 : 0); },
      [this, &s] { Check4.SetValue(s.WavSyncOff == 0 ? 1 : 0); },
      [this] { File1.Refresh(); },
      [this] { core::CentreOnMainMonitor(this); },
  });
}

void Form10::Form_Paint() { ShowCount(); }

void Form10::Command9_Click() { SetWindowState(2); }

void Form10::Command10_Click() {
  platform::RunStepsIgnoringErrors({
      [this] { SetWindowState(0); },
      [this] { Move(Left(), Top(), kStandardWidth, kStandardHeight); },
  });
}

void Form10::Form_Resize() {
  if (WindowState() == 0) {
    platform::RunStepsIgnoringErrors({
        [this] {
          if (Width() < kMinWidth) SetWidth(kMinWidth);
        },
        [this] {
          if (Height() < kMinHeight) SetHeight(kMinHeight);
        },
    });
  }
  LayOut();
}

void Form10::LayOut() {
  const int dx = Width() - kStandardWidth - 300 - kColumnShift;
  const int dy = Height() - kStandardHeight - 300;
  const int dw = dx + kColumnShift;  // growth beyond the least size
  // The right column's boxes reach to the window's edge.
  const int boxWidth = std::max(1095, ScaleWidth() - (8040 + dx) - 60);
  platform::RunStepsIgnoringErrors({
      [&] {
        for (auto* b : {&Command1, &Command2, &Command6, &Command7}) b->SetLeft(8040 + dx);
        for (auto* c : {&Check1, &Check3, &Check4, &Check5, &Check6}) {
          c->SetLeft(8040 + dx);
          c->SetWidth(boxWidth);
        }
        Command9.SetLeft(7290 + dx);
        Command10.SetLeft(6680 + dx);
      },
      [&] {
        for (auto* b : {&Command4, &Command5, &Command3, &Command8, &Command11, &Command12})
          b->SetTop(4440 + dy);
      },
      [&] { Label3.Move(8400 + dw, 4200 + dy); },
      [&] { Text1.Move(6360 + dw, 4560 + dy); },
      [&] { List1.Move(List1.Left(), List1.Top(), 5295 + dx, 3840 + dy); },
      [&] { File1.SetHeight(1680 + dy); },
  });
}

void Form10::Form_QueryUnload(int& cancel, int unloadMode) {
  (void)cancel;
  (void)unloadMode;
  core::Sound().PlaybackStopRequested = 1;
  // A search walks this window's folder and file lists: it ends with the window.
  if (SoundSearchRunning == -1) SoundSearchRunning = 0;
}

void Form10::Form_Unload(int& cancel) {
  cancel = 0;
  core::SoundState& snd = core::Sound();
  snd.PlaybackStopRequested = 1;
  StopShowMedia();
  snd.ListTestPlayActive = 0;
}

// ---- helpers ------------------------------------------------------------------------------

bool Form10::SearchGuard() {
  if (SoundSearchRunning != -1) return false;
  SoundSearchRunning = 0;
  return true;
}

void Form10::ListFullMessage(const QString& title) {
  platform::MsgBox(QStringLiteral("これ以上登録できません"), platform::vbOKOnly, title);
}

void Form10::ShowCount() { Label4.SetCaption(QString::number(List1.ListCount())); }

void Form10::AddEntry(const QString& path) {
  if (Check2.Value() == 1 && List1.SelCount() == 1) {
    // In front of the selected entry, which moves one down and stays selected.
    List1.AddItem(path, SelectedRows(List1).front());
  } else {
    List1.AddItem(path);
  }
}

void Form10::ScrollAfterAdding(int added) {
  if (List1.ListCount() == 0) return;
  platform::TryStep([this, added] {
    const int top = List1.TopIndex();
    const int next = top > 0 ? top + added : top + added - 1;
    List1.SetTopIndex(std::clamp(next, 0, List1.ListCount() - 1));
  });
}

// ---- browsing and adding --------------------------------------------------------------------

void Form10::Drive1_Change() {
  try {
    Dir1.SetPath(platform::CurrentFolderOnDrive(Drive1.Drive()));
  } catch (const std::exception& e) {
    platform::LogSwallowed("drive change", e);
    platform::TryStep([this] { Drive1.SetDrive(Dir1.Path()); });
  }
}

void Form10::Dir1_Change() {
  platform::TryStep([this] { File1.SetFileName(WithSeparator(Dir1.Path()) + kSoundFilePattern); });
}

void Form10::File1_Click() {
  FlushSearchFinds();
  if (List1.ListCount() >= kSoundListLimit) {
    ListFullMessage(kClickTitle);
    return;
  }
  AddEntry(WithSeparator(File1.Path()) + File1.FileName());
  ShowCount();
  if (List1.ListCount() == kSoundListLimit) {
    ListFullMessage(kClickTitle);
  } else if (List1.ListCount() > 1) {
    platform::TryStep(
        [this] { List1.SetTopIndex(std::min(List1.TopIndex() + 1, List1.ListCount() - 1)); });
  }
}

void Form10::Command3_Click() {
  FlushSearchFinds();
  QStringList names;
  platform::TryStep([&] {
    for (int i = 0; i < File1.ListCount(); ++i) names << File1.List(i);
  });
  AddFolderFiles(Dir1.Path(), names);
}

void Form10::AddFolderFiles(const QString& folder, const QStringList& names) {
  platform::DoEvents();
  SoundListFullStop = 0;
  if (List1.ListCount() >= kSoundListLimit) {
    ListFullMessage(kClickTitle);
    SoundListFullStop = 1;
    return;
  }
  const QString base = WithSeparator(folder);
  const qsizetype room = kSoundListLimit - List1.ListCount();
  QStringList paths;
  for (qsizetype i = 0; i < names.size() && i < room; ++i) paths << base + names.at(i);
  // All at once: a folder of thousands of files is one insertion for the list.
  platform::TryStep([&] {
    if (Check2.Value() == 1 && List1.SelCount() == 1)
      List1.AddItems(paths, SelectedRows(List1).front());
    else
      List1.AddItems(paths);
  });
  ShowCount();
  if (!paths.isEmpty() && List1.ListCount() >= kSoundListLimit) {
    ListFullMessage(kClickTitle);
    SoundListFullStop = 1;
    if (SoundSearchRunning == -1) SoundSearchRunning = 0;
    return;
  }
  ScrollAfterAdding(static_cast<int>(names.size()));
}

void Form10::List1_OLEDragDrop(const QStringList& paths) {
  FlushSearchFinds();
  SoundListFullStop = 0;
  if (List1.ListCount() >= kSoundListLimit) {
    ListFullMessage(kDropTitle);
    SoundListFullStop = 1;
    return;
  }
  for (const QString& path : paths) {
    if (!IsSoundFileName(path)) continue;
    platform::TryStep([&] { AddEntry(path); });
    ShowCount();
    if (List1.ListCount() >= kSoundListLimit) {
      ListFullMessage(kDropTitle);
      SoundListFullStop = 1;
      return;
    }
  }
  ScrollAfterAdding(static_cast<int>(paths.size()));
}

// ---- the list's commands ------------------------------------------------------------------

void Form10::Command1_Click() {
  if (SearchGuard()) return;
  core::Sound().PlaybackStopRequested = 1;
  core::ListState& lists = core::Lists();
  lists.SoundListEntries.Erase();
  // The committed copy has room for kSoundArrayUpper entries.
  const int n = std::min(List1.ListCount(), core::kSoundArrayUpper);
  const QStringList& items = List1.Items();
  for (int i = 1; i <= n; ++i) lists.SoundListEntries[i] = items.at(i - 1);
  lists.SoundListCount = static_cast<short>(n);
  core::SaveSoundListFile();
  Hide();
  core::Sound().ListTestPlayActive = 0;
}

void Form10::Command2_Click() {
  if (SearchGuard()) return;
  core::Sound().PlaybackStopRequested = 1;
  core::LoadSoundListFile();
  Hide();
  core::Sound().ListTestPlayActive = 0;
}

void Form10::Command4_Click() {
  if (SearchGuard()) return;
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

void Form10::Command5_Click() {
  if (SearchGuard()) return;
  const std::vector<int> rows = SelectedRows(List1);
  // From the bottom up: the same entries go as when each pass takes the first from the top.
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
    List1.RemoveItem(*it);
    Command6.SetEnabled(false);
    Command7.SetEnabled(false);
  }
  ShowCount();
}

void Form10::Command11_Click() {
  if (SearchGuard()) return;
  MoveSelected(-1, QStringLiteral("↑移動不可"));
}

void Form10::Command12_Click() {
  if (SearchGuard()) return;
  MoveSelected(1, QStringLiteral("↓移動不可"));
}

void Form10::MoveSelected(int step, const QString& title) {
  if (List1.SelCount() != 1) {
    platform::MsgBox(QStringLiteral("リストから１項目だけ選んで行ってください。"),
                     platform::vbExclamation, title);
    return;
  }
  const int from = SelectedRows(List1).front();
  const int to = from + step;
  if (to < 0 || to >= List1.ListCount()) return;
  platform::TryStep([&] {
    const QString moving = List1.List(from);
    List1.SetList(from, List1.List(to));
    List1.SetList(to, moving);
    List1.SetSelected(from, false);
    List1.SetSelected(to, true);
    List1.SetListIndex(to);
  });
}

void Form10::List1_Click() { Command6.SetEnabled(true); }

void Form10::List1_DblClick() { Command6_Click(); }

void Form10::List1_KeyDown(int& keyCode, int shift) {
  (void)shift;
  FlushSearchFinds();
  if (keyCode == platform::vbKeyDelete) Command5_Click();
  if (keyCode == platform::vbKeyInsert) Check2.SetValue(Check2.Value() == 1 ? 0 : 1);
}

// ---- test play ------------------------------------------------------------------------------

void Form10::SetTestPlayLock(bool locked) {
  for (auto* b : {&Command1, &Command2, &Command3, &Command4, &Command5, &Command6, &Command8,
                  &Command11, &Command12})
    b->SetEnabled(!locked);
  Command7.SetEnabled(locked);
}

void Form10::EndTestPlay() {
  SetTestPlayLock(false);
  List1.SetEnabled(true);
  Text1.SetText(QString());
  Text1.SetVisible(false);
  Label3.SetVisible(false);
}

void Form10::PlayReadError(const QString& entry) {
  platform::MsgBox(entry + kCrLf + QStringLiteral("ファイルが読み込めません。") + kCrLf +
                       QStringLiteral("リストから削除して下さい。"),
                   platform::vbExclamation, QStringLiteral("ファイル読込エラー"));
}

void Form10::Command6_Click() {
  if (SearchGuard()) return;
  core::SoundState& snd = core::Sound();
  snd.PlaybackStopRequested = 0;
  struct Depth {
    int& d;
    explicit Depth(int& v) : d(v) { ++d; }
    ~Depth() { --d; }
  } depth(testPlayDepth_);

  QString entry;
  try {
    for (int i = 0; i < List1.ListCount(); ++i) {
      if (!List1.Selected(i)) continue;
      SetTestPlayLock(true);
      entry = List1.List(i);
      snd.ListTestPlayFile = entry;
      snd.ListTestPlayActive = 1;
      Text1.SetText(QFileInfo(entry).isFile() ? core::GetFileNameOfPath(entry) : QString());
      if (Text1.Text().isEmpty()) {
        PlayReadError(entry);
        break;
      }
      // Unreadable, or no longer than the empty WAV of the recorder: passed over.
      if (core::TestFileReadable(entry) != 1) continue;
      Text1.SetVisible(true);
      Label3.SetVisible(true);
      StartBackgroundSound();
      List1.SetEnabled(false);

      const platform::MediaPlayer& player = core::form1().WindowsMediaPlayer1;
      bool stopped = false;
      for (;;) {
        const int state = player.PlayState();
        const bool finished = state == platform::kPlayStateUndefined ||
                              state == platform::kPlayStateStopped ||
                              state == platform::kPlayStateMediaEnded;
        platform::DoEvents();
        platform::Sleep(20);
        // A closed window ends its test play too (its unload asked for the stop).
        if (snd.PlaybackStopRequested == 1 || IsClosed()) {
          snd.PlaybackStopRequested = 0;
          stopped = true;
          break;
        }
        if (finished) break;
      }
      if (stopped) break;
      StopShowMedia();
    }
  } catch (const std::exception& e) {
    platform::LogSwallowed("test play", e);
    PlayReadError(entry);
  }
  EndTestPlay();
}

void Form10::Command7_Click() {
  if (SearchGuard()) return;
  core::Sound().PlaybackStopRequested = 1;
  StopShowMedia();
}

// ---- options ---------------------------------------------------------------------------------

void Form10::Check1_Click() {
  core::ShowSettings& s = core::Settings();
  if (Check1.Value() == 1) {
    if (s.SoundListInSlideshowFile == 0) {
      platform::MsgBox(
          QStringLiteral("ＷＡＶ、ＭＩＤ、ＭＰ３リストがＫＶＺファイルに保存されます。") + kCrLf +
              QStringLiteral("（この設定は共通設定です。）"),
          platform::vbOKOnly, QStringLiteral("ＫＶＺファイル保存あり"));
    }
    s.SoundListInSlideshowFile = 1;
  } else {
    s.SoundListInSlideshowFile = 0;
  }
}

void Form10::Check3_Click() {
  core::ShowSettings& s = core::Settings();
  core::Form1* main = core::Form1IfLoaded();
  platform::TryStep([&] {
    if (main) (*main).mnuKOU[s.SoundMode].SetChecked(false);
  });
  if (Check3.Value() == 1) {
    core::Sound().SoundPaused = 0;
    s.SoundMode = 6;
  } else if (s.SoundMode == 6) {
    s.SoundMode = 9;
  }
  platform::TryStep([&] {
    if (main) (*main).mnuKOU[s.SoundMode].SetChecked(true);
  });
  platform::TryStep([&] {
    if (main && s.SoundMode != 2) main->mnuCDM.SetEnabled(false);
  });
}

void Form10::Check4_Click() {
  core::ShowSettings& s = core::Settings();
  core::Form1* main = core::Form1IfLoaded();
  platform::TryStep([&] {
    if (main) (*main).mnuDOU[s.WavSyncOff].SetChecked(false);
  });
  s.WavSyncOff = Check4.Value() == 1 ? 0 : 1;
  platform::TryStep([&] {
    if (main) (*main).mnuDOU[s.WavSyncOff].SetChecked(true);
  });
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

#pragma once
// The sound list editor "BGMリスト(WAV,MID,MP3)": its list box is the master copy of the
// sound list. Files come in from the drive, folder and file lists, by dropping, or by the
// folder search; entries are moved, removed and test-played; OK commits the list.
#include "core/lists.h"
#include "platform/controls.h"
#include "platform/filelists.h"
#include "platform/folderwalk.h"
#include "platform/form.h"

namespace sound {

constexpr int kSoundListLimit = 30000;  // entries the editor admits
// The file list's pattern while no search runs.
inline const QString kSoundFilePattern = QStringLiteral("*.wav;*.mid;*.mp3");

class Form10 : public platform::Form {
  Q_OBJECT

 public:
  Form10();

  platform::DirListBox Dir1{this};
  platform::DriveListBox Drive1{this};
  platform::FileListBox File1{this};                       // the folder's WAV, MIDI and MP3 files
  platform::ListBox List1{this, core::Form10List1(), 2};   // WAV, MIDI and MP3 paths in list order
  platform::Label Label1{this, QStringLiteral("検索中")};  // shown while a search runs
  platform::Label Label2{this, QStringLiteral("↓ﾄﾞﾗｯｸﾞ＆ﾄﾞﾛｯﾌﾟして下さい")};
  platform::Label Label5{this, QStringLiteral("個数")};
  platform::Label Label4{this};                            // number of entries
  platform::Label Label3{this, QStringLiteral("再生中")};  // shown while a test play runs
  platform::TextBox Text1{this};                           // the file name that plays
  platform::CommandButton Command1{this, QStringLiteral("OK")};
  platform::CommandButton Command2{this, QStringLiteral("ｷｬﾝｾﾙ")};
  platform::CommandButton Command3{this, QStringLiteral("一括選択")};  // add the file list
  platform::CommandButton Command4{this, QStringLiteral("一括取消")};
  platform::CommandButton Command5{this, QStringLiteral("選択取消")};
  platform::CommandButton Command6{this, QStringLiteral("再生")};  // test play
  platform::CommandButton Command7{this, QStringLiteral("ＳＴＯＰ")};
  platform::CommandButton Command8{this, QStringLiteral("検索")};  // "中止" while searching
  platform::CommandButton Command9{this, QStringLiteral("最大")};
  platform::CommandButton Command10{this, QStringLiteral("標準")};
  platform::CommandButton Command11{this, QStringLiteral("↑")};
  platform::CommandButton Command12{this, QStringLiteral("↓")};
  platform::CheckBox Check1{this, QStringLiteral("ＫＶＺに保存あり")};  // SoundListInSlideshowFile
  platform::CheckBox Check2{this, QStringLiteral("挿入")};  // add in front of the selection
  platform::CheckBox Check3{this, QStringLiteral("効果音に設定する")};  // SoundMode 6
  platform::CheckBox Check4{this, QStringLiteral("連動WAV同期あり")};   // WavSyncOff
  platform::CheckBox Check5{this, QStringLiteral("+連動WAV再生あり")};  // SoundListWithLinkedWav
  platform::CheckBox Check6{this, QStringLiteral("選択位置より実行")};  // SoundListFromSelection

  // OK: commits the list into the sound list and writes the sound-list file.
  void Command1_Click();
  // "ｷｬﾝｾﾙ": reads the sound-list file again, dropping the edits.
  void Command2_Click();
  // "一括選択": adds every file of the file list (the folder search adds through it).
  void Command3_Click();
  // "一括取消": asks, then empties the list.
  void Command4_Click();
  // "選択取消" (and Delete on the list): removes the selected entries.
  void Command5_Click();
  // "再生" (and a double-click on the list): plays the selected entries from the top.
  void Command6_Click();
  // "ＳＴＯＰ": ends the test play.
  void Command7_Click();
  // "検索": searches a folder tree for sound files; "中止" ends the search.
  void Command8_Click();
  void Command9_Click();
  void Command10_Click();
  void Command11_Click();  // move the selected entry up
  void Command12_Click();  // move it down
  void Check1_Click();
  void Check3_Click();
  void Check4_Click();
  void Check5_Click();
  void Check6_Click();
  void Drive1_Change();
  void Dir1_Change();
  // Adds the clicked file.
  void File1_Click();
  void List1_Click();
  void List1_DblClick();
  void List1_KeyDown(int& keyCode, int shift);
  // Adds the dropped WAV, MIDI and MP3 files.
  void List1_OLEDragDrop(const QStringList& paths);
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Paint() override;
  void Form_Resize() override;
  void Form_QueryUnload(int& cancel, int unloadMode) override;
  void Form_Unload(int& cancel) override;

  // "一括選択"'s work on any folder's files (names in `folder`), as the folder search hands
  // them over; at the limit it ends a running search.
  void AddFolderFiles(const QString& folder, const QStringList& names);
  // 一括選択 of one folder the search walked: the rows go into the list together a few times
  // a second (the first folder's at once), since each change of a long list costs the view
  // a pass over every entry.
  void AddSearchFolderFiles(const QString& folder, const QStringList& names);
  // Puts the found entries still waiting into the list; what adds entries itself runs it
  // first, so that the entries keep the order in which they came.
  void FlushSearchFinds();

  short SoundSearchRunning = 0;  // -1 while a folder search runs
  short SoundListFullStop = 0;   // 1 after an addition was refused or stopped at the limit
  bool TestPlayRunning() const { return testPlayDepth_ > 0; }

 private:
  // A guarded button clicked during a search only ends the search: true then.
  bool SearchGuard();
  // The option boxes follow their settings when a file is read (form10_mirrors.cpp).
  void JoinSettingMirrors();
  // The limit message of the additions.
  void ListFullMessage(const QString& title);
  // Adds one entry, in front of the single selected entry in insert mode.
  void AddEntry(const QString& path);
  void ShowCount();
  // After a whole addition of `added` names: the newest entries come into view.
  void ScrollAfterAdding(int added);
  // The buttons a test play locks, and the end of a test play.
  void SetTestPlayLock(bool locked);
  void EndTestPlay();
  void PlayReadError(const QString& entry);
  // Moves the one selected entry by `step` (-1 up, +1 down).
  void MoveSelected(int step, const QString& title);
  void LayOut();

  int testPlayDepth_ = 0;
  platform::SearchFinds searchFinds_;  // found rows not yet in the list
};

Form10& form10();
Form10* Form10IfLoaded();

}  // namespace sound

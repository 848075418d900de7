#pragma once
// The link-list editor: its list box is the master copy of the link list.
#include "core/lists.h"
#include "platform/controls.h"
#include "platform/filelists.h"
#include "platform/form.h"

namespace schedule {

class Form9 : public platform::Form {
  Q_OBJECT

 public:
  Form9();

  // Browser of slideshow files.
  platform::DirListBox Dir1{this};
  platform::DriveListBox Drive1{this};
  platform::FileListBox File1{this};  // "*.kvz"; a click adds the file
  platform::Label Label1{this, QStringLiteral("ＫＶＺリンクリスト ↓ﾄﾞﾗｯｸﾞ＆ﾄﾞﾛｯﾌﾟ可 ")};
  platform::CheckBox Check4{this, QStringLiteral("挿入")};  // insert in front of the selection
  platform::Label Label5{this, QStringLiteral("個数")};
  platform::Label Label4{this};  // number of entries
  platform::ListBox List1{this, core::Form9List1(),
                          2};  // slideshow files in play order (row i - 1 is entry i)
  platform::CommandButton Command1{this, QStringLiteral("START")};     // link run
  platform::CommandButton Command2{this, QStringLiteral("終了")};      // commit and close
  platform::CommandButton Command6{this, QStringLiteral("開く")};      // open a link-list file
  platform::CommandButton Command7{this, QStringLiteral("保存")};      // save
  platform::CommandButton Command8{this, QStringLiteral("配布保存")};  // save bare names
  platform::CheckBox Check2{this, QStringLiteral("繰り返し")};         // LinkRepeat
  platform::CheckBox Check1{this, QStringLiteral("ｵｰﾄｽﾀｰﾄ")};          // LinkAutoStart
  platform::CheckBox Check3{this, QStringLiteral("終了保持")};         // LinkKeepAtEnd, never shown
  platform::CommandButton Command3{this, QStringLiteral("一括選択")};  // add the whole folder
  platform::CommandButton Command4{this, QStringLiteral("一括取消")};  // clear the list
  platform::CommandButton Command5{this, QStringLiteral("選択取消")};  // remove the selection
  platform::CommandButton Command11{this, QStringLiteral("↑")};
  platform::CommandButton Command12{this, QStringLiteral("↓")};
  platform::CommandButton Command13{this, QStringLiteral("選択実行")};  // run one file

  // ---- list editing (form9.cpp, form9_list.cpp) ----
  void File1_Click();
  void Command3_Click();
  void List1_OLEDragDrop(const QStringList& paths);
  void List1_KeyDown(int& keyCode, int shift);
  void Command11_Click();
  void Command12_Click();
  void Command5_Click();
  // "一括取消": empties the list after asking.
  void Command4_Click();
  void Check1_Click();
  void Check2_Click();
  void Check3_Click();
  void Drive1_Change();
  void Dir1_Change();
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Paint() override;
  // Hidden or minimised: the window no longer counts as shown.
  void Form_LostFocus();
  void Form_QueryUnload(int& cancel, int unloadMode) override;
  void Form_Unload(int& cancel) override;
  void Form_Resize() override;

  // ---- runs (form9_commands.cpp) ----
  // "START": commits the list and, when asked, plays it full screen file after file.
  void Command1_Click();
  // "選択実行": the selected entry alone, as a double-click.
  void Command13_Click();
  // Plays the entry at the current position alone; the editor comes back after it.
  void List1_DblClick();
  // "終了": commits the list into the link table and goes back to the main window.
  void Command2_Click();

  // ---- link-list files (form9_files.cpp) ----
  // "開く": reads a link-list file into the list.
  void Command6_Click();
  // "保存": saves the link list to a link-list file.
  void Command7_Click();
  // "配布保存": after a question, saves the list with bare file names.
  void Command8_Click();

  int LinkEntryLimit = 0;  // most entries the list admits

 protected:
  void hideEvent(QHideEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  // Adds one path: in front of the single selected entry in insert mode, else at the end.
  void AddLinkEntry(const QString& path);
  void RefreshCount();
  // The option boxes follow their settings when a file is read (form9_mirrors.cpp).
  void JoinSettingMirrors();
  bool ListFull() const { return List1.ListCount() >= LinkEntryLimit; }
  // Scrolls the list by `lines` (the view's top entry moves down).
  void ScrollListBy(int lines);
  // The one selected row, or -1 when none or several are selected.
  int SingleSelectedRow() const;
};

// The caption while no link-list file is current.
QString LinkEditorCaptionNoFile();
// "ＫＶＺリンク - " followed by the link list's path.
QString LinkEditorCaption(const QString& linkListPath);

// LinkListEntries and LinkEndIndex from the editor's list ("START", "終了").
void CommitLinkList(const platform::ListBox& list);

Form9& form9();
Form9* Form9IfLoaded();

}  // namespace schedule

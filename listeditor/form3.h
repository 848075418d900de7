#pragma once
// The slide list window "スライドリスト": a file browser, the list of slides, a preview and
// the buttons that add, arrange, open, save and start. Its two list boxes are the master
// copy of the slide list and of the per-slide schedule records until OK commits them.
#include "core/lists.h"
#include "platform/controls.h"
#include "platform/filelists.h"
#include "platform/folderwalk.h"
#include "platform/form.h"

namespace listeditor {

// The picture and movie files a slide can be, as the file list's pattern.
extern const QString kSlidePatterns;

class Form3 : public platform::Form {
  Q_OBJECT

 public:
  Form3();

  // ---- controls (design positions in twips) ---------------------------------------------
  // The browser.
  platform::DirListBox Dir1{this};      // folder list, starts at "/home"
  platform::DriveListBox Drive1{this};  // the mounted file systems
  platform::FileListBox File1{this};    // the folder's slide files; a click adds one
  // The preview.
  platform::Frame Frame1{this, QStringLiteral("画像・動画（クリック全画面）")};
  platform::ImageBox Image1{&Frame1};
  platform::PictureBox Picture1{this};                     // hidden picture holder of the preview
  platform::Label Label1{this, QStringLiteral("検索中")};  // shown while a search runs
  platform::Label Label6{this, QStringLiteral("↓画像・動画ファイルをドラッグ＆ドロップして下さい")};
  // The slide list and its schedule records.
  platform::ListBox List1{this, core::Form3List1(),
                          2};  // slide paths in show order (row i - 1 is slide i)
  platform::ListBox List2{this, core::Form3List2()};  // hidden: the schedule record of each row
  // Picture-linked files and launchers.
  platform::CommandButton Command16{this, QStringLiteral("ﾃｷｽﾄ編集")};     // edit macro text
  platform::CommandButton Command17{this, QStringLiteral("ﾃｷｽﾄ削除")};     // delete macro text
  platform::CommandButton Command24{this, QStringLiteral("ﾃｷｽﾄ設定")};     // text settings window
  platform::CommandButton Command25{this, QStringLiteral("切取ﾏｸﾛ生成")};  // cut-out macros
  platform::CommandButton Command18{this, QStringLiteral("連動録音")};     // record linked WAV
  platform::CommandButton Command19{this, QStringLiteral("連動音削除")};   // delete linked sound
  platform::CommandButton Command20{this, QStringLiteral("連動音設定")};   // linked sound dialog
  platform::CommandButton Command23{this, QStringLiteral("BGM")};          // sound list editor
  // File commands.
  platform::CommandButton Command6{this, QStringLiteral("開く")};
  platform::CommandButton Command7{this, QStringLiteral("保存")};
  platform::CommandButton Command9{this, QStringLiteral("配布保存")};
  platform::CommandButton Command1{this, QStringLiteral("OK")};
  platform::CommandButton Command2{this, QStringLiteral("ｷｬﾝｾﾙ")};
  // Double-click options (only "WAV録音" is shown).
  platform::Label Label2{this, QStringLiteral("ﾀﾞﾌﾞﾙｸﾘｯｸ機能")};
  platform::CheckBox Check1{this, QStringLiteral("画像表示")};
  platform::CheckBox Check2{this, QStringLiteral("WAV録音")};
  platform::CheckBox Check3{this, QStringLiteral("壁紙変更")};
  platform::CheckBox Check4{this, QStringLiteral("テキスト")};
  platform::CheckBox Check5{this, QStringLiteral("ｽﾗｲﾄﾞｼｮｰ")};
  // Show starts at the chosen row.
  platform::Frame Frame2{this, QStringLiteral("ｽﾗｲﾄﾞショー実行(選択位置より)")};
  platform::CommandButton Command21{&Frame2, QStringLiteral("画面全体")};
  platform::CommandButton Command22{&Frame2, QStringLiteral("START")};
  // Bottom row.
  platform::CommandButton Command3{this, QStringLiteral("一括選択")};  // add the whole folder
  platform::CommandButton Command8{this, QStringLiteral("検索")};      // folder search
  platform::CommandButton Command15{this, QStringLiteral("新規作成")};
  platform::CommandButton Command4{this, QStringLiteral("一括取消")};  // empty the list
  platform::CommandButton Command5{this, QStringLiteral("選択取消")};  // remove selected rows
  platform::CommandButton Command13{this, QStringLiteral("↑")};
  platform::CommandButton Command14{this, QStringLiteral("↓")};
  platform::CommandButton Command12{this, QStringLiteral("縮小変換コピー")};
  platform::CheckBox Check6{this, QStringLiteral("挿入")};  // insert mode
  platform::Label Label5{this, QStringLiteral("個数")};
  platform::Label Label4{this};  // number of slides
  platform::Label Label3{this, QStringLiteral("ｽﾗｲﾄﾞﾘｽﾄ")};
  platform::Timer Timer1{this, 500, false};  // one-shot click guard after a movie

  // ---- the window (form3.cpp) -----------------------------------------------------------
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Paint() override;
  void Form_LostFocus();
  void Form_Resize() override;
  void Form_Unload(int& cancel) override;
  // "OK": commits the lists into the slide arrays, shows the main window, hides this one.
  void Command1_Click();
  // "ｷｬﾝｾﾙ": the lists again from the slide arrays, schedules included.
  void Command2_Click();
  void Check1_Click();
  void Check2_Click();
  void Check3_Click();
  void Check4_Click();
  void Check5_Click();
  void Timer1_Timer();

  // ---- file commands (form3_files.cpp); the main window's file menu runs them too -------
  // "新規作成": after a question, empties the lists and resets every setting.
  void Command15_Click();
  // "開く": an open dialog, then the slideshow file is read into the lists.
  void Command6_Click();
  // "保存": saves the slide list to a slideshow file.
  void Command7_Click();
  // "配布保存": after a question, saves a slideshow file without folder names.
  void Command9_Click();

  // ---- show starts and launchers (form3_start.cpp) ---------------------------------------
  void Command21_Click();  // 画面全体: full screen from the chosen row
  void Command22_Click();  // START: in the main window from the chosen row
  void Command23_Click();  // BGM
  void Command24_Click();  // ﾃｷｽﾄ設定
  void Command25_Click();  // 切取ﾏｸﾛ生成

  // ---- browser and adding (form3_browser.cpp) --------------------------------------------
  void File1_Click();
  void Dir1_Change();
  void Drive1_Change();

  // ---- adding and arranging (form3_arrange.cpp) --------------------------------------------
  void Command3_Click();   // 一括選択: every file the file list shows
  void Command4_Click();   // 一括取消: empties the list after a question
  void Command5_Click();   // 選択取消 (and Delete): removes the selected rows
  void Command12_Click();  // 縮小変換コピー
  void Command13_Click();  // ↑: the one selected row up
  void Command14_Click();  // ↓: the one selected row down
  // Insert toggles "挿入", Delete removes the selected rows.
  void List1_KeyDown(int& keyCode, int shift);
  // Files dropped from a file manager: the picture and movie files among them.
  void List1_OLEDragDrop(const QStringList& paths);
  // Whether a path names one of the 23 slide file types, by its name alone.
  bool IsTargetFile(const QString& path) const;
  // 一括選択's work on any folder's files (names in the folder `folder`), as the folder
  // search hands them over; at the limit it ends a running search.
  void AddFolderFiles(const QString& folder, const QStringList& names);

  // ---- folder search (form3_search.cpp) ------------------------------------------------------
  // "検索": the type chooser, then the walk below the highlighted folder; "中止" ends it.
  void Command8_Click();
  // 一括選択 of one folder the search walked. The rows go into the list together a few times
  // a second (the first folder's at once): each change of a long list costs the view a
  // pass over every row, which per folder would make a search of many folders crawl.
  void AddSearchFolderFiles(const QString& folder, const QStringList& names);
  // Puts the found rows that are still waiting into the list; the operations that add rows
  // themselves run it first, so that the rows keep the order in which they came.
  void FlushSearchFinds();

  // ---- preview (form3_preview.cpp) -----------------------------------------------------------
  // The row click (or a move by the keys): the preview and the per-row buttons follow it.
  void List1_Click();
  void ShowSelectedPreview();
  // The picture of `path` fitted into the preview frame, or the movie placeholder.
  void ShowPreview(const QString& path);
  // A picture of a type other than JPEG and BMP, through the imaging control.
  void LoadPreviewImage(const QString& path);

  // ---- picture-linked files (form3_linked.cpp) ------------------------------------------
  void Command16_Click();  // ﾃｷｽﾄ編集: the row's macro text, made after a question
  void Command17_Click();  // ﾃｷｽﾄ削除
  void Command18_Click();  // 連動録音: the recorder window
  void Command19_Click();  // 連動音削除: the linked WAV, then the linked MP3
  void Command20_Click();  // 連動音設定: the linked-sound dialog
  // "連動音削除" follows whether the selected slide's linked WAV opens (the MP3 is not
  // looked at).
  void koukaari();
  // The per-row buttons after a row click, while "画像表示" is ticked: the macro text and
  // cut-out buttons for one picture row, the sound buttons for one row of any kind.
  void SetRowButtons();

  // ---- the double-click actions (form3_dblclick.cpp) --------------------------------------
  // The action the double-click options choose for the current row: a question to record
  // or to make its macro text, or the slide shown (a movie in the movie window, a picture
  // in the double-click window).
  void List1_DblClick();
  // A click on the preview while it shows a picture: the double-click action.
  void Image1_Click();

  // ---- helpers the window's operations share ----------------------------------------------
  // The list holds as many rows as it admits.
  bool ListIsFull() const;
  // "これ以上登録できません".
  void ShowLimitMessage();
  // Adds one path with a blank schedule record: in front of the one selected row in insert
  // mode, else at the end; the count label follows.
  void AddSlidePath(const QString& path);
  // Several paths the same way, in their order, at once.
  void AddSlidePaths(const QStringList& paths);
  // The row selected when exactly one is; -1 otherwise.
  int OnlySelectedRow() const;
  // Empties both lists; the batch limit flag goes with them.
  void ClearLists();
  // Both lists afresh from the committed slide arrays, schedules included.
  void RebuildListsFromCommitted();
  // A click on a guarded button while a search runs only ends the search: true then.
  bool StopSearchInstead();
  // The preview and its picture holder emptied.
  void ClearPreview();
  // The per-row buttons (linked text, linked sound, cut-out macros) off until a row click.
  void DisableRowButtons();

  // ---- the window's own values --------------------------------------------------------------
  int SlideListLimit = 0;      // most rows the list admits
  short ListFullStop = 0;      // 1: the last batch addition met the limit
  QString PreviewedPath;       // path the preview last showed
  bool SearchRunning = false;  // a folder search is under way
  short ListClicked = 0;       // 1 once a row was clicked: activation repeats the click

 protected:
  void focusOutEvent(QFocusEvent* e) override;

 private:
  // How a save through the window ended.
  enum class SaveOutcome { kSaved, kRefused, kCancelled, kFailed };
  SaveOutcome SaveList(bool distribution);
  void ConnectLinkedFileControls();
  // The handlers of adding, arranging and searching, wired once by the constructor.
  void ConnectArrangeHandlers();
  // Moves the one selected row by `step` (-1 up, +1 down).
  void MoveSelectedRow(int step, const QString& title);
  void PlaceControls();
  platform::SearchFinds searchFinds_;  // found rows not yet in the list
  // The double-click boxes follow their settings when a file is read (form3_mirrors.cpp).
  void JoinSettingMirrors();
};

Form3& form3();
Form3* Form3IfLoaded();

}  // namespace listeditor

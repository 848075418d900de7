#pragma once
// Operations of other windows that the main window's sound and file menus call, kept here
// until their owners provide them: each is named after the operation it stands for.

namespace core::pending {

// The slide list editor's file commands (Form3).
void SlideListNew();               // Command15_Click "新規作成"
void SlideListOpen();              // Command6_Click "開く"
void SlideListSave();              // Command7_Click "保存"
void SlideListDistributionSave();  // Command9_Click "配布保存"
void SlideListCommit();            // Command1_Click "OK"

// The four-up view (Form5): its "終了", and its unload.
void FourUpViewClose();
void UnloadFourUpView();

// The link-list editor (Form9): "一括取消" and "終了".
void LinkListClearAll();
void LinkEditorClose();

// The linked-files folder window (Form12), shown modally.
void ShowLinkedFilesFolderWindow();

}  // namespace core::pending

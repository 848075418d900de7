#pragma once
// The main window's file menu, the user macro header choice, the link-list and
// linked-folder items and the help texts. Each handler is the reaction of its menu item of
// Form1 (core/form1.h) and takes the main window.
#include <QString>

namespace core {
class Form1;
}

namespace listeditor {

// Connects the menus below, and "４画面", to their handlers.
void ConnectFileMenus(core::Form1& f);

void mnuNEW_Click(core::Form1& f);
void mnuOPEN_Click(core::Form1& f);
void mnuSAVE_Click(core::Form1& f);
void mnuHAIHU_Click(core::Form1& f);
// User macro header: "ヘッダー選択" copies a chosen file into AppFolder's "header.txt".
void menuHEAD_Click(core::Form1& f, int index);
void mnuURU_Click(core::Form1& f);   // link-list editor
void mnuRENF_Click(core::Form1& f);  // folder of the picture-linked files
void mnuREADME_Click(core::Form1& f);
void mnuSUB_Click(core::Form1& f);

// Opens AppFolder & name in the text viewer and keeps its task id in NotepadTaskId; a
// missing file, or one the viewer cannot open, gives name & "が読込めません。".
void OpenHelpText(const QString& name);

}  // namespace listeditor

#pragma once
// The main window's effect menus, sound and CD menus, file menu, macro header choice,
// link-list and linked-folder items and help texts. Each handler is the reaction of its
// menu item of Form1 (core/form1.h) and takes the main window; ConnectMoreMenus connects
// them all.
#include <QString>

namespace core {

class Form1;

// Connects the menus below to their handlers, installs what the file readers set in the
// sound choosers and the text display window, and the closing of the text viewer.
void ConnectMoreMenus(Form1& f);

// ---- screen effects ----------------------------------------------------------------------
// Display and erase effect: the choice, then the slit and mosaic counts the effect uses.
void mnuHKO_Click(Form1& f, int index);
void mnuSYOUKO_Click(Form1& f, int index);
// 可変 / 固定: a fixed speed greys both speed items and sets both speeds to -30.
void mnuKSPSEL_Click(Form1& f, int index);
// Display and erase effect speed, -999 (slowest) .. 10 (fastest).
void mnuHKSP_Click(Form1& f);
void mnuSKSP_Click(Form1& f);

// ---- sound and CD --------------------------------------------------------------------------
// Sound mode 0..9: its question or file chooser first, then the mode, the linked-sound
// window's options and the linked-WAV items.
void mnuKOU_Click(Form1& f, int index);
void mnuDOU_Click(Form1& f, int index);      // WAV synchronisation
void mnuKOICHI1_Click(Form1& f, int index);  // linked sound before or after the text
void mnuTEXT_Click(Form1& f, int index);     // text macros on or off
void mnuCDRND_Click(Form1& f, int index);    // CD track order
void mnuCD_Click(Form1& f);                  // CD start track
void mnuCDR_Click(Form1& f, int index);      // one-track repeat
void mnuCDWAV_Click(Form1& f, int index);    // CD with the picture-linked WAV

// The default sound question of the picture-linked WAV mode: the answer becomes
// DefaultSoundFile, or "*.wav" (no default sound) with a message when it names no WAV file.
void AskDefaultSoundFile();

// ---- file, header, link list, linked folder, help -----------------------------------------
void mnuNEW_Click(Form1& f);
void mnuOPEN_Click(Form1& f);
void mnuSAVE_Click(Form1& f);
void mnuHAIHU_Click(Form1& f);
// User macro header: "ヘッダー選択" copies a chosen file into AppFolder's "header.txt".
void menuHEAD_Click(Form1& f, int index);
void mnuURU_Click(Form1& f);   // link-list editor
void mnuRENF_Click(Form1& f);  // folder of the picture-linked files
void mnuREADME_Click(Form1& f);
void mnuSUB_Click(Form1& f);

// Opens AppFolder & name in the text viewer and keeps its task id in NotepadTaskId; a
// missing file, or one the viewer cannot open, gives name & "が読込めません。".
void OpenHelpText(const QString& name);

}  // namespace core

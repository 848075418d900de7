#pragma once
// The main window's sound and CD menus. Each handler is the reaction of its menu item of
// Form1 (core/form1.h) and takes the main window.
namespace core {
class Form1;
}

namespace sound {

// Connects the menus below to their handlers.
void ConnectSoundMenus(core::Form1& f);

// Sound mode 0..9: its question or file chooser first, then the mode, the linked-sound
// window's options and the linked-WAV items.
void mnuKOU_Click(core::Form1& f, int index);
void mnuDOU_Click(core::Form1& f, int index);      // WAV synchronisation
void mnuKOICHI1_Click(core::Form1& f, int index);  // linked sound before or after the text
void mnuTEXT_Click(core::Form1& f, int index);     // text macros on or off
void mnuCDRND_Click(core::Form1& f, int index);    // CD track order
void mnuCD_Click(core::Form1& f);                  // CD start track
void mnuCDR_Click(core::Form1& f, int index);      // one-track repeat
void mnuCDWAV_Click(core::Form1& f, int index);    // CD with the picture-linked WAV

// The default sound question of the picture-linked WAV mode: the answer becomes
// DefaultSoundFile, or "*.wav" (no default sound) with a message when it names no WAV file.
void AskDefaultSoundFile();

}  // namespace sound

#pragma once
// What the sound windows (the linked-sound dialog, the recorder) need of the slide list
// window, entered in core's table of services.
#include <QString>

namespace listeditor {

// Fills the slide list entries of core::TheServices(): the selected row, the deletion
// of its linked WAV and MP3, and the state of "連動音削除".
void RegisterSoundServices();

// The slide list window's current row (Form3.List1.List(ListIndex)); "" without one.
QString SelectedSlidePath();
// The current row's picture-linked file with `ext` (".wav", ".mp3", ".txt"): beside the
// picture or in the linked-files folder. "" without a row.
QString SelectedLinkedName(const QString& ext);

// Asks, then deletes the selected slide's linked WAV ("ＷＡＶファイルが削除できません。"
// when that fails, a missing file included).
void DeleteLinkedWav();
// The same for the linked MP3.
void DeleteLinkedMp3();

// Gives the selected slide its linked WAV (the empty template when no file of that name
// exists; an existing file is never touched) and opens the recorder window on it.
// "ＷＡＶファイルが作成できんません。" when the template cannot be written.
void StartSoundRecorder();

}  // namespace listeditor

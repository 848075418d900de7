#pragma once
// What the sound windows (the linked-sound dialog, the recorder) need of the slide list
// window, entered in core's table of services.

namespace listeditor {

// Fills the slide list entries of core::TheServices(): the selected row and the deletion
// of its linked WAV and MP3.
void RegisterSoundServices();

// Asks, then deletes the selected slide's linked WAV ("ＷＡＶファイルが削除できません。"
// when that fails, a missing file included).
void DeleteLinkedWav();
// The same for the linked MP3.
void DeleteLinkedMp3();

}  // namespace listeditor

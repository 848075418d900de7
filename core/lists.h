#pragma once
// The master copies of the lists the program's files fill, named after the list boxes that
// show them. They live here, below the windows, so that the files' readers and writers
// work on them without a window; a window's list box shows its list and empties it when
// the window unloads, as the list box's own list would go with it.
#include "platform/listbox.h"

namespace core {

// Form3.List1: the slide paths in show order; the slide list window "スライドリスト" shows it.
platform::ListBoxModel& Form3List1();
// Form3.List2: the schedule record of each slide; the slide list window's hidden list.
platform::ListBoxModel& Form3List2();
// Form9.List1: the slideshow files in play order; the link-list editor "ＫＶＺリンク" shows it.
platform::ListBoxModel& Form9List1();
// Form10.List1: the WAV, MIDI and MP3 paths; the sound list editor "BGMリスト" shows it.
platform::ListBoxModel& Form10List1();

// Empties them all (the state's reset, ResetAllState).
void ClearMasterLists();

}  // namespace core

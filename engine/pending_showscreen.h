#pragma once
// Operations of the show window's controls, the show-screen buttons and the editors that
// the slide player and the show buttons call, until their owners provide them.
#include <QString>

namespace engine::standin {

// Hides the show-screen buttons of both windows before a slide.
void ClearShowControls();
// Hides the show window's buttons: Yes/No, the menu buttons and the picture buttons.
void HideShowWindowButtons();
// Hides the show window's small picture box that PAUSE, STOP and the slide player hide.
void HideShowWindowPicture2();
// Unloads the four-up view when it is open.
void UnloadFourUpView();
// Shows the schedule editor; false when there is none to show.
bool ShowScheduleEditor();

}  // namespace engine::standin

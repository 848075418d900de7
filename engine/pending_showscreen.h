#pragma once
// Operations of the full-screen show, its control box, the show-screen buttons and the
// editors that the show buttons call, until their owners provide them.
#include <QString>

namespace engine::pending {

// Hides the show-screen buttons of both windows before a slide.
void ClearShowControls();
// Hides the show window's buttons: Yes/No, the menu buttons and the picture buttons.
void HideShowWindowButtons();
// Hides the show window's small picture box that PAUSE, STOP and the slide player hide.
void HideShowWindowPicture2();
// The main window's "画面全体": moves or starts the show full screen.
void FullScreenStart();
// The control box: shown during a full-screen show, captioned with the slide's file.
void ShowControlBox();
void SetControlBoxCaption(const QString& caption);

// Unloads the four-up view when it is open.
void UnloadFourUpView();
// Shows the schedule editor; false when there is none to show.
bool ShowScheduleEditor();

}  // namespace engine::pending

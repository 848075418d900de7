#pragma once
// Operations of the editors that the slide player and the show buttons call, until their
// owners provide them.
#include <QString>

namespace engine::standin {

// Unloads the four-up view when it is open.
void UnloadFourUpView();
// Shows the schedule editor; false when there is none to show.
bool ShowScheduleEditor();

}  // namespace engine::standin

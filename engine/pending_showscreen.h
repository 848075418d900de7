#pragma once
// Operations of the show-screen buttons and of the editors that the slide player and the
// show buttons call, until their owners provide them.
#include <QString>

namespace engine::standin {

// Hides the show-screen buttons of both windows before a slide.
void ClearShowControls();

}  // namespace engine::standin

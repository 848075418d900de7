// Stand-ins for the slide player and the sound start, until their owners provide them.
#include "engine/pending_show.h"

#include "core/common.h"
#include "core/form1.h"
#include "core/state.h"
#include "engine/slidescreen2.h"
#include "platform/vberror.h"

namespace engine::pending {

void ShowCurrentSlide() {
  // Only the slide's name reaches the captions until the slide player is there.
  platform::TryStep([] {
    const QString name =
        core::GetFileNameOfPath(core::Lists().SlidePaths[core::Lists().CurrentSlideIndex]);
    core::Paths().CurrentSlideFileName = name;
    if (Slidescreen2* box = Slidescreen2IfLoaded()) box->SetCaption(name);
  });
}

void PlayCdTrack() {}

void StartBackgroundSound() {}

}  // namespace engine::pending

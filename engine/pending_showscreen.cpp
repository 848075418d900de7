// Stand-ins for the editors the show buttons open.
#include "engine/pending_showscreen.h"

#include "core/form1.h"
#include "core/state.h"
#include "engine/form1_show.h"
#include "engine/slidescreen.h"
#include "platform/vberror.h"

namespace engine::standin {

void UnloadFourUpView() { core::Flags().FourUpViewOpen = 0; }
bool ShowScheduleEditor() { return false; }

}  // namespace engine::standin

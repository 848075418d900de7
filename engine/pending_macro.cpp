// Stand-in for the picture macro interpreter.
#include "engine/pending_macro.h"

namespace engine::pending {

void RunPictureMacro() {}

}  // namespace engine::pending

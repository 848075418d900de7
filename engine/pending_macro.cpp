// Stand-in for the picture macro interpreter.
#include "engine/pending_macro.h"

namespace engine::standin {

void RunPictureMacro() {}

}  // namespace engine::standin

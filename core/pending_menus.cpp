// Stand-ins for operations of other subsystems, until their owners provide them.
#include "core/pending_menus.h"

namespace core::pending {

// The CD player comes with the sound subsystem; until then a new start track is only
// stored and takes effect at the next show start.
void PlayCdTrack() {}

}  // namespace core::pending

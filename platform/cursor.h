#pragma once
// The mouse cursor's display count, kept the way the system's cursor routine keeps it:
// each hide lowers it, each show raises it, and the cursor is hidden while it is below 0.
// Hidden means a blank cursor over every window of the program.

namespace platform {

// Raises (show) or lowers (hide) the display count by one and returns the new count.
int ShowCursor(bool show);

// The display count now (0 at start).
int CursorDisplayCount();

}  // namespace platform

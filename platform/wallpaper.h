#pragma once
// The desktop wallpaper (the original's SystemParametersInfoA with action 20), set through
// the running desktop's own tool, started with an argument list (never a shell):
// gsettings on GNOME and its relatives (Cinnamon, MATE, Budgie, Unity), xfconf-query on
// Xfce, plasma-apply-wallpaperimage on KDE Plasma, pcmanfm on LXDE. The desktop is read
// from XDG_CURRENT_DESKTOP; on an unknown one, from the desktop shell that runs (plasmashell,
// xfdesktop, gnome-shell, ...), and without one the first of those tools found is used.
#include <QString>

namespace platform {

// Makes the picture file the wallpaper. `permanent` is the original's flag 1 (written to
// the user profile); these desktops keep every change, so both kinds last. Returns 1 when
// the desktop's tool accepted the picture, 0 when it refused or no tool was found.
int SetWallpaper(const QString& picturePath, bool permanent);

}  // namespace platform

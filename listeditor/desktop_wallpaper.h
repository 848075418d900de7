#pragma once
// The desktop wallpaper from the double-click window: the slide's own file for now, or the
// shown picture saved as "wallp.bmp" in the application folder for good.

namespace listeditor {

// The slide list window's current row, unchanged, as the wallpaper ("壁紙が設定できません"
// when the desktop refuses it or has no tool for it).
void SetWallpaperTemporary();

// The picture the double-click left in the work form's imaging control (turned and fitted
// to the screen) saved as AppFolder "wallp.bmp", then that file as the wallpaper. A failed
// save shows "壁紙が設定できません" and leaves the wallpaper alone.
void SetWallpaperPermanent();

}  // namespace listeditor

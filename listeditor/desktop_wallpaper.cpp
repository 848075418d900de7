#include "listeditor/desktop_wallpaper.h"

#include "core/form4.h"
#include "core/state.h"
#include "listeditor/sound_services.h"
#include "platform/dialogs.h"
#include "platform/form.h"
#include "platform/imaging.h"
#include "platform/wallpaper.h"

namespace listeditor {

namespace {
void Refused() { platform::MsgBox(QStringLiteral("壁紙が設定できません")); }
}  // namespace

void SetWallpaperTemporary() {
  if (platform::SetWallpaper(SelectedSlidePath(), false) == 0) Refused();
}

void SetWallpaperPermanent() {
  platform::SetScreenMousePointer(11);
  const QString file = core::Paths().AppFolder + QStringLiteral("wallp.bmp");
  if (core::form4().Lead1.SaveImageFile(file, platform::kImageFileBmp, 0, 0, false) != 0) {
    Refused();
    platform::SetScreenMousePointer(0);
    return;
  }
  if (platform::SetWallpaper(file, true) == 0) Refused();
  platform::SetScreenMousePointer(0);
}

}  // namespace listeditor

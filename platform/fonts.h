#pragma once

namespace platform {

// Maps the Windows font names the program uses ("ＭＳ ゴシック", "ＭＳ 明朝",
// their proportional forms, "System") to installed fonts (IPA fonts, the default
// sans font). Call once after the application object exists.
void InstallFontSubstitutions();

}  // namespace platform

// The choice mechanism every choice menu of the main window shares, and the table of the
// show settings that have a menu.
#include "core/common.h"
#include "core/form1.h"
#include "core/mirrors.h"
#include "core/state.h"

namespace core {

void ChooseMenuItem(platform::MenuArray& menu, short& value, int index) {
  if (value >= 0 && value < menu.Count()) menu[value].SetChecked(false);
  value = static_cast<short>(index);
  menu[index].SetChecked(true);
}

void TickMenuItem(platform::MenuArray& menu, int value) {
  for (int i = 0; i < menu.Count(); ++i) menu[i].SetChecked(false);
  if (value >= 0 && value < menu.Count()) menu[value].SetChecked(true);
}

const std::vector<SettingMenu>& SettingMenus() {
  static const std::vector<SettingMenu> table = {
      {&ShowSettings::PictureLoadMode, &Form1::mnuYOMI, 0},
      {&ShowSettings::EffectSpeedFixed, &Form1::mnuKSPSEL, 0},
      {&ShowSettings::AlwaysFullScreenOff, &Form1::mnuFULL_FL, 1},
      {&ShowSettings::PicturePosition, &Form1::mnuHICHI, 0},
      {&ShowSettings::OverlayBackColorIndex, &Form1::mnuKAIRO, 0},
      {&ShowSettings::ContinueStart, &Form1::mnuSOP1, 0},
      {&ShowSettings::SecondInstanceOff, &Form1::mnuJYUF, 0},
      {&ShowSettings::FullStartConfirmOff, &Form1::mnuSTKAKU, 0},
      {&ShowSettings::CdWithLinkedWavOff, &Form1::mnuCDWAV, 1},
      {&ShowSettings::RepeatOff, &Form1::mnuKUFL, 0},
      {&ShowSettings::SoundMode, &Form1::mnuKOU, 7},
      {&ShowSettings::AutoStartOff, &Form1::mnuAUT, 1},
      {&ShowSettings::ControlBoxOff, &Form1::mnuCTL, 1},
      {&ShowSettings::SizeAdjustMode, &Form1::mnuSIZE, 1},
      {&ShowSettings::DisplayEffect, &Form1::mnuHKO, 9},
      {&ShowSettings::LinkedSoundAfterText, &Form1::mnuKOICHI1, 1},
      {&ShowSettings::ErrorEntryAutoRemove, &Form1::mnuLSAKU, 0},
      {&ShowSettings::RandomOrderOff, &Form1::mnuRANDFL, 1},
      {&ShowSettings::CdTrackOrder, &Form1::mnuCDRND, 0},
      {&ShowSettings::OverlayMode, &Form1::mnuKASANE, 0},
      {&ShowSettings::PictureSizeMode, &Form1::mnuKASAS, 0},
      {&ShowSettings::EraseEffect, &Form1::mnuSYOUKO, 9},
      {&ShowSettings::CdTrackRepeatOff, &Form1::mnuCDR, 1},
      {&ShowSettings::TextMacroOff, &Form1::mnuTEXT, 1},
      {&ShowSettings::WavSyncOff, &Form1::mnuDOU, 1},
      {&ShowSettings::ControlBoxAtBottom, &Form1::mnuCTL_P, -1},
      {&ShowSettings::UserMacroHeaderOff, &Form1::menuHEAD, -1},
  };
  return table;
}

void Form1::JoinSettingMirrors() {
  for (const SettingMenu& row : SettingMenus()) {
    short& value = Settings().*row.setting;
    platform::MenuArray& menu = this->*row.menu;
    JoinMirror(this, &value, [&menu, &value] { TickMenuItem(menu, value); });
  }
}

}  // namespace core

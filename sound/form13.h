#pragma once
// The linked-sound window "連動音設定(WAV,MP3)": the two sound modes that play the
// picture-linked WAV beside another sound, and the common MP3 volume.
#include "platform/controls.h"
#include "platform/form.h"

namespace sound {

class Form13 : public platform::Form {
  Q_OBJECT

 public:
  Form13();

  platform::Label Label1{this};
  platform::OptionButton Option1{this, QStringLiteral("連動MP3＋連動WAV")};     // sound mode 9
  platform::OptionButton Option2{this, QStringLiteral(" BGMリスト＋連動WAV")};  // mode 6 + WAV
  platform::Label Label3{this, QStringLiteral("MP3音量初期値（共通設定）")};
  platform::HScrollBar HScroll1{this};  // volume 0 (silent) .. 100 (full)
  platform::Label Label4{this};         // the slider's value beside its thumb
  platform::CommandButton Command1{this, QStringLiteral("閉じる")};

  // Places the window and restarts the attenuation in effect from the configured one.
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Unload(int& cancel) override;
  // Asks whether to play linked MP3 with linked WAV (mode 9); Yes sets the mode and menus.
  void Option1_Click();
  // Asks whether the sound list is to play with the linked WAV (mode 6 with
  // SoundListWithLinkedWav = 1); Yes sets the mode, the menus and the sound list's box.
  void Option2_Click();
  void HScroll1_Change();
  void Command1_Click();

  // Caption from the slide selected in the slide list, options from the sound mode.
  void RefreshLinkedSoundDialog();
  // Label4 beside the thumb; VolumeAttenuationSetting = 1000 - 10 x value.
  void ApplyVolumeSlider();

 private:
  // The main window's sound-mode menu set to `mode`, the CD menu off and the linked-WAV
  // items on.
  static void SetSoundModeWithMenus(short mode);
};

Form13& form13();
Form13* Form13IfLoaded();

}  // namespace sound

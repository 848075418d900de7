// The linked-sound window: its mode options and the MP3 volume slider.
#include "sound/form13.h"

#include <cmath>

#include "core/form1.h"
#include "core/monitors.h"
#include "core/state.h"
#include "listeditor/form3.h"
#include "platform/dialogs.h"
#include "sound/form10.h"

namespace sound {

namespace {
const QString kModeQuestionTitle = QStringLiteral("効果音設定変更");
}  // namespace

Form13::Form13() {
  SetCaption(QStringLiteral("連動音設定(WAV,MP3)"));
  SetClientSize(7200, 3000);
  Label1.SetCaption(
      QStringLiteral("以下の効果音再生方法を選択し、音声ファイルを設定してください。"));
  Label1.Move(120, 120, 6960, 255);
  Option1.Move(240, 480, 3000, 300);
  Option2.Move(3480, 480, 3000, 300);
  Label3.Move(120, 1080, 3000, 255);
  HScroll1.Move(120, 1680, 5400, 255);
  HScroll1.SetMin(0);
  HScroll1.SetMax(100);
  HScroll1.SetSmallChange(1);
  HScroll1.SetLargeChange(20);
  Label4.Move(120, 1380, 495, 255);
  Command1.Move(5880, 2340, 1095, 495);

  connect(&Option1, &platform::OptionButton::Click, this, &Form13::Option1_Click);
  connect(&Option2, &platform::OptionButton::Click, this, &Form13::Option2_Click);
  connect(&HScroll1, &platform::ScrollBar::Change, this, &Form13::HScroll1_Change);
  connect(&HScroll1, &platform::ScrollBar::Scroll, this, &Form13::HScroll1_Change);
  connect(&Command1, &platform::CommandButton::Click, this, &Form13::Command1_Click);
}

void Form13::Form_Load() {
  core::SoundState& sound = core::Sound();
  const core::ShowSettings& s = core::Settings();
  platform::RunStepsIgnoringErrors({
      [this] {
        Move((platform::ScreenWidth() - Width()) / 2.0,
             (platform::ScreenHeight() - Height()) / 2.0);
      },
      [&sound] { sound.PlaybackStopRequested = 0; },
      [&sound, &s] { sound.VolumeAttenuation = s.VolumeAttenuationSetting; },
      [this, &s] {
        HScroll1.SetValue(static_cast<int>(std::floor((1000 - s.VolumeAttenuationSetting) / 10.0)));
      },
      [this] { ApplyVolumeSlider(); },
  });
}

void Form13::Form_Activate() {
  platform::TryStep([this] { core::CentreOnMainMonitor(this); });
  core::Sound().PlaybackStopRequested = 0;
  RefreshLinkedSoundDialog();
}

void Form13::Form_Unload(int& cancel) {
  cancel = 0;
  core::Sound().PlaybackStopRequested = 1;
}

void Form13::RefreshLinkedSoundDialog() {
  platform::TryStep([this] {
    const listeditor::Form3& list = listeditor::form3();
    SetCaption(QStringLiteral("連動音設定-") + list.List1.List(list.List1.ListIndex()));
  });
  const core::ShowSettings& s = core::Settings();
  Option1.SetValue(false);
  Option2.SetValue(false);
  if (s.SoundMode == 9) Option1.SetValue(true);
  if (s.SoundMode == 6 && s.SoundListWithLinkedWav == 1) Option2.SetValue(true);
}

void Form13::SetSoundModeWithMenus(short mode) {
  core::Form1& main = core::form1();
  core::ShowSettings& s = core::Settings();
  if (s.SoundMode >= 0 && s.SoundMode < main.mnuKOU.Count())
    main.mnuKOU[s.SoundMode].SetChecked(false);
  s.SoundMode = mode;
  main.mnuCDM.SetEnabled(false);
  main.mnuKOU[mode].SetChecked(true);
  main.mnuDOUKI.SetEnabled(true);
  main.mnuKOICHI.SetEnabled(true);
}

void Form13::Option1_Click() {
  if (core::Settings().SoundMode == 9) return;
  if (platform::MsgBox(
          QStringLiteral("効果音設定を連動（MP3+WAV）再生に設定しますか？\r\n"
                         "画像・動画ファイルと同一名で、拡張子が.mp3または.wavのファイルがあれば、"
                         "同時に再生されます。"),
          platform::vbYesNo | platform::vbQuestion, kModeQuestionTitle) == platform::vbYes) {
    SetSoundModeWithMenus(9);
  }
  RefreshLinkedSoundDialog();
}

void Form13::Option2_Click() {
  core::ShowSettings& s = core::Settings();
  if (s.SoundMode == 6 && s.SoundListWithLinkedWav == 1) return;
  if (platform::MsgBox(
          QStringLiteral("効果音設定をWAV,MID,MP3リスト再生＋連動（WAV）再生に設定しますか？"),
          platform::vbYesNo | platform::vbQuestion, kModeQuestionTitle) == platform::vbYes) {
    SetSoundModeWithMenus(6);
    form10().Check5.SetValue(1);
    s.SoundListWithLinkedWav = 1;
  }
  RefreshLinkedSoundDialog();
}

void Form13::HScroll1_Change() { ApplyVolumeSlider(); }

void Form13::ApplyVolumeSlider() {
  const int value = HScroll1.Value();
  Label4.SetCaption(QString::number(value));
  const int span = HScroll1.Max() - HScroll1.Min();
  float left = static_cast<float>(HScroll1.Left()) +
               0.64f * static_cast<float>(HScroll1.Width()) *
                   static_cast<float>(value - HScroll1.Min()) /
                   static_cast<float>(span > 0 ? span : 1) -
               static_cast<float>(Label4.Width()) / 2.0f + 500.0f;
  if (left < 0) left = 0;
  if (left + Label4.Width() > ScaleWidth())
    left = static_cast<float>(ScaleWidth() - Label4.Width());
  Label4.SetLeft(left);
  core::Settings().VolumeAttenuationSetting = static_cast<short>(1000 - 10 * value);
}

void Form13::Command1_Click() {
  core::Sound().PlaybackStopRequested = 1;
  Unload();
}

namespace {
platform::FormSlot<Form13>& Form13Slot() {
  static platform::FormSlot<Form13> slot;
  return slot;
}
}  // namespace

Form13& form13() { return Form13Slot().Get(); }
Form13* Form13IfLoaded() { return Form13Slot().IfLoaded(); }

}  // namespace sound

#pragma once
// The linked-sound window "連動音設定(WAV,MP3)": a WAV or MP3 dropped on it is copied to
// the selected slide's linked name; the slide's linked WAV and MP3 are test-played and
// deleted here; the two sound modes that play the picture-linked WAV beside another sound,
// and the common MP3 volume.
#include <array>
#include <memory>

#include "platform/controls.h"
#include "platform/droptextbox.h"
#include "platform/form.h"

namespace sound {

class Form13 : public platform::Form {
  Q_OBJECT

 public:
  Form13();

  platform::Label Label1{this};
  platform::OptionButton Option1{this, QStringLiteral("連動MP3＋連動WAV")};     // sound mode 9
  platform::OptionButton Option2{this, QStringLiteral(" BGMリスト＋連動WAV")};  // mode 6 + WAV
  platform::Label Label2{this};
  platform::DropTextBox Text1{this};  // the copy's source: the dropped file
  platform::CommandButton Command6{this, QStringLiteral("×")};  // clear the source
  // Index 0 the WAV row, 1 the MP3 row.
  platform::TextBox& Text2(int i);           // the slide's linked name
  platform::CommandButton& Command2(int i);  // copy the source to the linked name
  platform::CommandButton& Command3(int i);  // "削除"
  platform::CommandButton& Command4(int i);  // "再生"
  platform::CommandButton& Command5(int i);  // "停止"
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
  // A WAV or MP3 dropped on the source box: its linked name and copy button.
  void Text1_OLEDragDrop(const QStringList& paths);
  // Copies the source to the linked name of row i, asking before replacing a file.
  void Command2_Click(int i);
  // Deletes the linked file of row i (after the slide list's question).
  void Command3_Click(int i);
  // Test-plays the linked file of row i on the main window's background player.
  void Command4_Click(int i);
  void Command5_Click(int i);
  void Command6_Click();
  void HScroll1_Change();
  // "閉じる": asks first when a dropped file was not copied.
  void Command1_Click();

  // Caption from the slide selected in the slide list, its linked files, the options from
  // the sound mode.
  void RefreshLinkedSoundDialog();
  // Label4 beside the thumb; VolumeAttenuationSetting = 1000 - 10 x value.
  void ApplyVolumeSlider();
  bool TestPlayRunning() const { return testPlayDepth_ > 0; }

 private:
  // The main window's sound-mode menu set to `mode`, the CD menu off and the linked-WAV
  // items on.
  static void SetSoundModeWithMenus(short mode);
  static void CopyFailed();

  std::array<std::unique_ptr<platform::TextBox>, 2> text2_;
  std::array<std::unique_ptr<platform::CommandButton>, 2> command2_, command3_, command4_,
      command5_;
  int testPlayDepth_ = 0;
};

Form13& form13();
Form13* Form13IfLoaded();

// The slide's linked sound name: the picture-linked file rule (the folder replaced by
// LinkedFilesFolder when LinkedFilesInFolder is 1, the last four characters by `ext`,
// ".wav" or ".mp3"). "" for no slide.
QString LinkedSoundName(const QString& slidePath, const QString& ext);

}  // namespace sound

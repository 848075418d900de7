#pragma once
// The double-click window "ｽﾗｲﾄﾞﾘｽﾄﾀﾞﾌﾞﾙｸﾘｯｸ": the double-clicked slide fitted to the main
// window's monitor on black, with the buttons the double-click options chose: record or
// delete the linked WAV, make or delete the macro text, the wallpaper for now or for good,
// and the show from this slide. A click on the picture or the window closes it. Every
// button acts on the slide list window's current row when it is pressed.
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/picturebox.h"

namespace listeditor {

class Form7 : public platform::Form {
  Q_OBJECT

 public:
  Form7();

  platform::PictureBox Picture1{this};  // the slide; a click closes the window
  platform::Label Label1{this, QStringLiteral("連動音あり")};    // the linked WAV opens
  platform::Label Label2{this, QStringLiteral("テキストあり")};  // the macro text exists
  platform::CommandButton Command1{this, QStringLiteral("録　　音")};
  platform::CommandButton Command2{this, QStringLiteral("連動音削除")};
  platform::CommandButton Command3{this, QStringLiteral("壁紙一時変更")};
  platform::CommandButton Command4{this, QStringLiteral("壁紙定常変更")};
  platform::CommandButton Command5{this, QStringLiteral("テキスト作成")};
  platform::CommandButton Command6{this, QStringLiteral("テキスト削除")};
  platform::CommandButton Command7{this, QStringLiteral("スライドショー全画面")};
  platform::CommandButton Command8{this, QStringLiteral("スライドショーｳｲﾝﾄﾞｳ")};
  platform::CommandButton Command9{this, QStringLiteral("連動音設定")};  // always hidden

  // The buttons from the double-click options as they are now.
  void Form_Load() override;
  // The recording buttons again.
  void Form_Paint() override;
  void Form_Click() override;
  void Picture1_Click();
  // Empties the pictures, forgets the recorder, closes the macro text window, and removes
  // the linked WAV only when it is still the empty template.
  void Form_Unload(int& cancel) override;

  void Command1_Click();  // 録音: the recorder window
  void Command2_Click();  // 連動音削除
  void Command3_Click();  // 壁紙一時変更 (".bmp" slides only)
  void Command4_Click();  // 壁紙定常変更
  void Command5_Click();  // テキスト作成
  void Command6_Click();  // テキスト削除
  void Command7_Click();  // the show full screen from this slide
  void Command8_Click();  // the show in the main window from this slide
  void Command9_Click();

  // Label1 and 連動音削除 follow whether the linked WAV opens.
  void RefreshLinkedSoundState();
  // Label2 and テキスト削除 follow whether the macro text exists.
  void RefreshLinkedTextState();

 private:
  void SetRecordButtons();
};

Form7& form7();
Form7* Form7IfLoaded();

}  // namespace listeditor

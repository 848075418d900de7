#pragma once
// The text display settings window "テキスト表示設定": whether the picture macros run
// (TextMacroOff, kept in step with the main window's mnuTEXT) and which corner is the
// origin of macro text in the full-screen show (TextOriginScreen). Every change is stored
// at once; there is no cancel.
#include "platform/controls.h"
#include "platform/form.h"

namespace core {

class Form15 : public platform::Form {
  Q_OBJECT

 public:
  Form15();

  platform::Frame Frame1{this, QStringLiteral("テキスト表示マクロ")};
  platform::CheckBox Check1{&Frame1, QStringLiteral("テキスト表示マクロを実行する。")};
  platform::Frame Frame2{this, QStringLiteral("画面全体表示時のテキスト座標設定")};
  platform::OptionButton Option1{&Frame2, QStringLiteral("ピクチャーの左上を座標原点とする。")};
  platform::OptionButton Option2{&Frame2, QStringLiteral("スクリーンの左上を座標原点とする。")};
  platform::Label Label2{this, QStringLiteral("※本設定はマクロコマンドからも変更可能です。")};
  platform::Label Label1{this, QStringLiteral("注）上記の設定は、全スライドリスト共通設定です。")};
  platform::CommandButton Command1{this, QStringLiteral("戻る")};

  void Form_Load() override;
  void Form_Activate() override;
  // Moves the mnuTEXT tick with the value.
  void Check1_Click();
  void Option1_Click();
  void Option2_Click();
  // "戻る": unloads the window.
  void Command1_Click();

  // The two values shown in the controls.
  void ShowValues();
};

Form15& form15();
Form15* Form15IfLoaded();

}  // namespace core

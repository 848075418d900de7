#pragma once
// The picture search's type chooser "画像・動画ﾌｧｲﾙ検索": which of the 23 picture and movie
// types the slide list window's folder search looks for. "検索開始" leaves the pattern in
// SearchPattern; cancelling or closing leaves it empty.
#include <array>
#include <memory>

#include "platform/controls.h"
#include "platform/form.h"

namespace listeditor {

// The hidden "WINDOWSフォルダ内も検索あり" box as last recorded (0/1); nothing reads it.
short& SearchWindowsDir();

class Form18 : public platform::Form {
  Q_OBJECT

 public:
  static constexpr int kTypeCount = 23;

  Form18();

  platform::Label Label1{this,
                         QStringLiteral("選択されたフォルダ以下を検索し、ｽﾗｲﾄﾞﾘｽﾄに登録します。")};
  platform::Frame Frame1{this, QStringLiteral("画像・動画ﾌｧｲﾙ形式")};
  // Type boxes 0 "BMP" .. 22 "AVI"; BMP, JPG, PNG and the movies ticked at every opening.
  platform::CheckBox& Check1(int index);
  platform::Label Label2{&Frame1, QStringLiteral("（動画）")};
  platform::CheckBox Check2{this, QStringLiteral("WINDOWSフォルダ内も検索あり")};  // never shown
  platform::CommandButton Command1{this, QStringLiteral("全て検索")};  // ticks every type
  platform::CommandButton Command2{this, QStringLiteral("クリア")};    // unticks every type
  platform::CommandButton Command3{this, QStringLiteral("検索開始")};
  platform::CommandButton Command4{this, QStringLiteral("キャンセル")};

  // Centres the chooser and empties SearchPattern.
  void Form_Load() override;
  void Form_Activate() override;
  void Command1_Click();
  void Command2_Click();
  // SearchPattern = "*." and each ticked type, joined by ";" in box order; closes.
  void Command3_Click();
  // Empties SearchPattern and closes.
  void Command4_Click();

 private:
  std::array<std::unique_ptr<platform::CheckBox>, kTypeCount> check1_;
};

Form18& form18();
Form18* Form18IfLoaded();

}  // namespace listeditor

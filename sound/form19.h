#pragma once
// The sound search's type chooser "音声ﾌｧｲﾙ検索": which of WAV, MID and MP3 the search of
// the sound list editor looks for. "検索開始" leaves the pattern in SearchPattern.
#include <array>
#include <memory>

#include "platform/controls.h"
#include "platform/form.h"

namespace sound {

class Form19 : public platform::Form {
  Q_OBJECT

 public:
  Form19();

  platform::Frame Frame1{this, QStringLiteral("音声ﾌｧｲﾙ形式")};
  // Type boxes 0 "WAV", 1 "MID", 2 "MP3", all ticked at every opening.
  platform::CheckBox& Check1(int index);
  platform::Label Label1{this, QStringLiteral("選択されたフォルダ以下を検索し、ﾘｽﾄに登録します。")};
  platform::CommandButton Command3{this, QStringLiteral("検索開始")};
  platform::CommandButton Command4{this, QStringLiteral("キャンセル")};

  // Centres the chooser and empties SearchPattern.
  void Form_Load() override;
  void Form_Activate() override;
  // SearchPattern = "*." and each ticked type, joined by ";"; closes.
  void Command3_Click();
  // Empties SearchPattern and closes.
  void Command4_Click();

 private:
  std::array<std::unique_ptr<platform::CheckBox>, 3> check1_;
};

Form19& form19();
Form19* Form19IfLoaded();

}  // namespace sound

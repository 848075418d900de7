#pragma once
// The CD track programme window "ＣＤプログラム選択": track buttons append tracks to the
// programme list, OK stores it in CdProgram for the programme order of the CD.
#include <array>
#include <memory>

#include "platform/controls.h"
#include "platform/form.h"

namespace sound {

constexpr int kCdTrackButtons = 100;
constexpr int kCdProgramListLimit = 99;  // entries the window accepts

class Form14 : public platform::Form {
  Q_OBJECT

 public:
  Form14();

  // Track button n (1..100), captioned with its number; a click appends the track.
  platform::CommandButton& Command3(int n);
  platform::ListBox List1{this, 2};  // the programme, track numbers as text, in play order
  platform::Label Label1{this, QStringLiteral("曲順 リスト")};
  platform::Label Label2{this, QStringLiteral("トラック番号を選択してください")};
  platform::Label Label5{this, QStringLiteral("個数")};
  platform::Label Label4{this};  // number of entries
  platform::CheckBox Check1{this, QStringLiteral("プログラム再生終了でスライドショー停止")};
  platform::CommandButton Command1{this, QStringLiteral("OK")};
  platform::CommandButton Command2{this, QStringLiteral("ｷｬﾝｾﾙ")};
  platform::CommandButton Command4{this, QStringLiteral("一括取消")};
  platform::CommandButton Command5{this, QStringLiteral("選択取消")};

  // Reads the disc's track count, enables its track buttons, shows the programme.
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Paint() override;
  void Command3_Click(int n);
  // OK: CdStartTrack = "1", the list into CdProgram and CdProgramCount, the stop option.
  void Command1_Click();
  void Command2_Click();
  void Command4_Click();  // remove all entries, after asking
  void Command5_Click();  // remove the selected entries

 private:
  void ShowCount();
  void CloseAndShowMain();

  std::array<std::unique_ptr<platform::CommandButton>, kCdTrackButtons> command3_;
};

Form14& form14();
Form14* Form14IfLoaded();

}  // namespace sound

#pragma once
// The sound list editor: its list box is the master copy of the sound list.
#include "platform/controls.h"
#include "platform/form.h"

namespace sound {

class Form10 : public platform::Form {
  Q_OBJECT

 public:
  Form10();

  platform::ListBox List1{this};  // WAV, MIDI and MP3 paths in list order
  platform::Label Label4{this};   // number of entries
  platform::CheckBox Check1{this, QStringLiteral("ＫＶＺに保存あり")};  // SoundListInSlideshowFile
  platform::CheckBox Check5{this, QStringLiteral("+連動WAV再生あり")};  // SoundListWithLinkedWav
  platform::CheckBox Check6{this, QStringLiteral("選択位置より実行")};  // SoundListFromSelection
  platform::CommandButton Command1{this, QStringLiteral("OK")};
  platform::CommandButton Command2{this, QStringLiteral("ｷｬﾝｾﾙ")};
  platform::CommandButton Command4{this, QStringLiteral("一括取消")};
  platform::CommandButton Command6{this, QStringLiteral("再生")};  // test play
  platform::CommandButton Command7{this, QStringLiteral("ＳＴＯＰ")};

  void Form_Load() override;
  // OK: commits the list into the sound list and writes the sound-list file.
  void Command1_Click();
  // "ｷｬﾝｾﾙ": reads the sound-list file again, dropping the edits.
  void Command2_Click();
  // "一括取消": asks, then empties the list.
  void Command4_Click();
  void Check1_Click();
  void Check5_Click();
  void Check6_Click();
};

Form10& form10();
Form10* Form10IfLoaded();

}  // namespace sound

#pragma once
// The one-file choosers of the repeated sound modes: form2 (WAV, mode 3) here, form8
// (MIDI, mode 4) and form17 (MP3, mode 8) in their own headers. All three share one
// design: a drive, folder and file list to browse with, the chosen path in a text box,
// OK storing it, cancel closing without storing, and for MIDI and MP3 a check box that
// lets the picture-linked WAV play beside the file.
#include "core/state.h"
#include "platform/controls.h"
#include "platform/filelists.h"
#include "platform/form.h"

namespace sound {

class OneFileChooser : public platform::Form {
  Q_OBJECT

 public:
  struct Design {
    QString caption;
    QString prompt;      // Label1
    QString pattern;     // the file list's pattern ("*.wav")
    QString checkNote;   // Label2; empty: no check box
    QString noticeText;  // shown when Check1 becomes ticked while its value is 0
    QString noticeTitle;
    QString core::ShowSettings::*file = nullptr;         // what OK stores
    short core::ShowSettings::*withLinkedWav = nullptr;  // what Check1 stores
    bool refreshOnActivate = false;                      // Text1 from the value again
  };

  explicit OneFileChooser(const Design& design);

  platform::Label Label1{this};
  platform::DirListBox Dir1{this};
  platform::DriveListBox Drive1{this};
  platform::FileListBox File1{this};  // the folder's files of the chooser's type
  platform::TextBox Text1{this};      // the chosen path; may also be typed
  platform::Label Label2{this};
  platform::CheckBox Check1{this, QStringLiteral("画像連動（ＷＡＶ）あり")};
  platform::CommandButton Command2{this, QStringLiteral("OK")};
  platform::CommandButton Command1{this, QStringLiteral("ｷｬﾝｾﾙ")};

  void Form_Load() override;
  void Form_Activate() override;
  // An unreadable drive puts the drive list back, without a message.
  void Drive1_Change();
  void Dir1_Change();
  // Text1 = the clicked file's full path.
  void File1_Click();
  // Stores the flag at once; neither OK nor cancel undoes it.
  void Check1_Click();
  // OK: stores Text1 unchanged (not checked, an empty text included) and closes.
  void Command2_Click();
  // ｷｬﾝｾﾙ: closes without storing the path.
  void Command1_Click();

 private:
  Design design_;
};

// WAV file of sound mode 3 ("WAVファイル再生").
class Form2 : public OneFileChooser {
 public:
  Form2();
};

Form2& form2();
Form2* Form2IfLoaded();

}  // namespace sound

#pragma once
// The linked-files folder window "画像連動ファイル(WAV,MID,MP3,TXT)のフォルダ指定": the
// pictures' linked files beside each picture (the standard) or all in one folder.
#include "platform/controls.h"
#include "platform/filelists.h"
#include "platform/form.h"

namespace listeditor {

// The folder the choosers show while the standard is ticked, and the folders refused as
// the linked-files folder (the root and the users' folder).
extern const QString kLinkedFolderStart;

class Form12 : public platform::Form {
  Q_OBJECT

 public:
  Form12();

  platform::Label Label1{this,
                         QStringLiteral("画像連動フォルダを変更する場合は指定してください。")};
  platform::CheckBox Check1{this, QStringLiteral("画像と同一フォルダに指定（標準）")};
  platform::DriveListBox Drive1{this};
  platform::DirListBox Dir1{this};
  platform::TextBox Text1{this};  // the chosen folder; typing is allowed
  platform::CommandButton Command1{this, QStringLiteral("ＯＫ")};
  platform::CommandButton Command2{this, QStringLiteral("キャンセル")};

  // The choosers at the stored folder, ticked and disabled for the standard.
  void Form_Load() override;
  void Form_Activate() override;
  void Check1_Click();
  void Dir1_Change();
  void Drive1_Change();
  // Stores the choice and closes; the root and the users' folder are refused.
  void Command1_Click();
  void Command2_Click();

 private:
  void EnableChoosers(bool on);
};

Form12& form12();
Form12* Form12IfLoaded();

}  // namespace listeditor
